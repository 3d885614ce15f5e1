#include "charts_window.h"
#include "list_columns.h"
#include "log_dlg.h"
#include "number_text.h"
#include "resource.h"
#include "utf8.h"
#include "win_app.h"

void CLogDlg::FillList() {
    ShowUnits();
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    std::u16string cell;
    for (int32_t i = 0; i < m_book.count; ++i) {
        const LogRecord& record = m_book.records[static_cast<size_t>(i)];
        const int row = m_list.InsertItem(i, FormatListCell(record, i, 0, cell));
        for (int column = 1; column < static_cast<int>(kListColumns.size()); ++column) {
            m_list.SetItemText(row, column,
                               FormatListCell(record, i, column, cell, m_book.units, m_economy));
        }
    }
    m_list.SetRedraw(TRUE);
    // Every column but the hidden index fits its title and its widest text at the desktop's
    // font; the rows are back in the order of the log, sorted by no column.
    for (int column = 0; column < kIndexColumn; ++column) {
        m_list.SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
    }
    m_list.SetSortMark(-1, true);
    // The charts, when open, follow the log as the list does.
    if (m_charts != nullptr) {
        m_charts->ShowLog(m_book, m_economy);
    }
}

void CLogDlg::OnColumnClick(NMHDR* nm, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMLISTVIEW*>(nm);
    // Each row carries its position, and the value behind its cell in the clicked column is
    // taken once, before the sort, from the record the row's hidden column names: the rows
    // sort by what their cells mean (dates in time order, numbers by value), not by their text.
    const int rows = m_list.GetItemCount();
    m_sortKeys.resize(static_cast<size_t>(rows));
    for (int p = 0; p < rows; ++p) {
        m_list.SetItemData(p, static_cast<DWORD_PTR>(p));
        const int index = RecordOfRow(p);
        m_sortKeys[static_cast<size_t>(p)] =
            index >= 0 ? ListCellSortKey(m_book.records[static_cast<size_t>(index)], index,
                                         header->iSubItem, m_book.units, m_economy)
                       : CellSortKey{true};
    }
    m_list.SortItems(&CLogDlg::CompareRowValues, static_cast<DWORD_PTR>(header->iSubItem));
    m_sortKeys.clear();
    m_list.SetSortMark(header->iSubItem, m_sortAscending);
    m_sortAscending = !m_sortAscending;
    *result = 0;
}

int CLogDlg::CompareRowValues(LPARAM a, LPARAM b, LPARAM /*column*/) {
    const auto* dlg = static_cast<const CLogDlg*>(AfxGetMainWnd());
    return CompareCellSortKeys(dlg->m_sortKeys[static_cast<size_t>(a)],
                               dlg->m_sortKeys[static_cast<size_t>(b)], dlg->m_sortAscending);
}

void CLogDlg::OnListClick(NMHDR* /*nm*/, LRESULT* result) {
    m_selectedIndex = m_list.GetNextItem(-1, LVNI_SELECTED);
    EnableRecordCommands(m_selectedIndex != -1 ? TRUE : FALSE);
    // The hidden column names the record, whatever order the rows are in now.
    const std::string text = Utf16ToUtf8(m_list.GetItemText(m_selectedIndex, kIndexColumn));
    int64_t index = 0;
    m_selectedIndex = ScanInt(text, index) && index >= INT32_MIN && index <= INT32_MAX
                          ? static_cast<int32_t>(index)
                          : 0;
    *result = 0;
}

int CLogDlg::RecordOfRow(int row) const {
    // The hidden column names the record, whatever order the rows are in now.
    int64_t index = -1;
    if (!ScanInt(Utf16ToUtf8(m_list.GetItemText(row, kIndexColumn)), index) || index < 0 ||
        index >= m_book.count) {
        return -1;
    }
    return static_cast<int>(index);
}

std::u16string CLogDlg::NoteOnCell(int row, int column) const {
    const int index = RecordOfRow(row);
    if (index < 0) {
        return {};
    }
    return ExplainListCell(m_book.records[static_cast<size_t>(index)], index == m_book.count - 1,
                           column, m_book.units, m_economy);
}

// Enter or a double click on a row corrects it, as Correct would; the click before a double
// click, or the key that moved the selection, has already named the row.
void CLogDlg::OnListActivate(NMHDR* /*nm*/, LRESULT* result) {
    if (GetDlgItem(IDC_CORRECT)->IsWindowEnabled()) {
        OnCorrect();
    }
    *result = 0;
}

void CLogDlg::OnListKeyDown(NMHDR* nm, LRESULT* result) {
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(nm);
    if (key->wVKey == VK_DELETE && GetDlgItem(IDC_DELETE)->IsWindowEnabled()) {
        OnDelete();
    }
    *result = 0;
}
