#include "clistctrl.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include <QHeaderView>
#include <QItemSelectionModel>

#include "list_model.h"
#include "list_view_control.h"

// Looked up once for the control this wrapper holds, and inline: a fill calls here for every
// cell. A destroyed view clears the guarded pointer, so a new control at the same address is
// looked up afresh.
inline ListViewControl* CListCtrl::View() const {
    if (static_cast<QWidget*>(m_view.data()) != m_widget) {
        m_view = dynamic_cast<ListViewControl*>(m_widget);
    }
    return m_view.data();
}

inline ListModel* CListCtrl::Model() const {
    ListViewControl* view = View();
    return view == nullptr ? nullptr : view->Model();
}

int CListCtrl::InsertColumn(int column, const std::u16string& title, int format, int width) {
    ListViewControl* view = View();
    return view == nullptr ? -1 : view->InsertColumn(column, title, width, format == LVCFMT_RIGHT);
}

BOOL CListCtrl::SetColumnTitle(int column, const std::u16string& title) {
    ListModel* model = Model();
    return model != nullptr && model->SetColumnTitle(column, title) ? TRUE : FALSE;
}

int CListCtrl::GetColumnWidth(int column) const {
    ListViewControl* view = View();
    return view == nullptr ? 0 : view->header()->sectionSize(column);
}

int CListCtrl::LackingWidth() const {
    ListViewControl* view = View();
    return view == nullptr ? 0 : std::max(0, view->header()->length() - view->viewport()->width());
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    ListViewControl* view = View();
    if (view == nullptr || column < 0 || column >= view->Model()->ColumnCount()) {
        return FALSE;
    }
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        view->FitColumn(column, width == LVSCW_AUTOSIZE_USEHEADER);
    } else {
        view->header()->resizeSection(column, std::max(width, 0));
    }
    return TRUE;
}

void CListCtrl::SetSortMark(int column, bool ascending) {
    if (ListViewControl* view = View()) {
        view->SetSortMark(column, ascending);
    }
}

BOOL CListCtrl::DeleteAllItems() {
    ListModel* model = Model();
    if (model == nullptr) {
        return FALSE;
    }
    model->Clear();
    return TRUE;
}

int CListCtrl::InsertItem(int position, std::u16string_view text) {
    ListModel* model = Model();
    return model == nullptr ? -1 : model->InsertRow(position, text);
}

BOOL CListCtrl::SetItemText(int row, int column, std::u16string_view text) {
    ListModel* model = Model();
    return model != nullptr && model->SetCell(row, column, text) ? TRUE : FALSE;
}

std::u16string_view CListCtrl::GetItemText(int row, int column) const {
    ListModel* model = Model();
    return model == nullptr ? std::u16string_view() : model->Cell(row, column);
}

int CListCtrl::GetItemCount() const {
    ListModel* model = Model();
    return model == nullptr ? 0 : model->RowCount();
}

BOOL CListCtrl::SetItemData(int row, DWORD_PTR data) {
    ListModel* model = Model();
    return model != nullptr && model->SetParam(row, static_cast<LPARAM>(data)) ? TRUE : FALSE;
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
    ListModel* model = Model();
    return model == nullptr ? 0 : static_cast<DWORD_PTR>(model->Param(row));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR sortParam) {
    ListModel* model = Model();
    if (model == nullptr || compare == nullptr) {
        return FALSE;
    }
    // Sort positions, not rows: nothing moves until every comparison is done.
    std::vector<int> order(static_cast<size_t>(model->RowCount()));
    std::iota(order.begin(), order.end(), 0);
    const auto param = static_cast<LPARAM>(sortParam);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compare(model->Param(a), model->Param(b), param) < 0;
    });
    model->Reorder(order);
    return TRUE;
}

void CListCtrl::SetCellNotes(std::function<std::u16string(int row, int column)> notes) {
    if (ListModel* model = Model()) {
        model->SetCellNotes(std::move(notes));
    }
}

std::vector<int> CListCtrl::GetUserColumnWidths() const {
    ListViewControl* view = View();
    return view == nullptr ? std::vector<int>() : view->UserWidths();
}

void CListCtrl::SetUserColumnWidths(const std::vector<int>& widths) {
    if (ListViewControl* view = View()) {
        view->SetUserWidths(widths);
    }
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    ListViewControl* view = View();
    if (view == nullptr || (flags & LVNI_SELECTED) == 0) {
        return -1;
    }
    int first = -1;
    for (const QItemSelectionRange& range : view->selectionModel()->selection()) {
        // A range's top is its first row; rows above `start` do not count.
        const int top = std::max(range.top(), start + 1);
        if (top <= range.bottom() && (first == -1 || top < first)) {
            first = top;
        }
    }
    return first;
}

void CListCtrl::SetRedraw(BOOL redraw) {
    ListModel* model = Model();
    if (model == nullptr) {
        return;
    }
    if (redraw) {
        model->EndBatch();
    } else {
        model->BeginBatch();
    }
}
