#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QPointer>

#include "cwnd.h"

class ListModel;
class ListViewControl;

using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

// The list-view control wrapper, bound to a dialog's list by DDX_Control. Row positions are
// 0-based; operations on a row or column that does not exist fail quietly, as the device's do.
class CListCtrl : public CWnd {
public:
    // `format`: LVCFMT_LEFT, or LVCFMT_RIGHT for a column of numbers, its texts and title set at
    // its right edge.
    int InsertColumn(int column, const std::u16string& title, int format = LVCFMT_LEFT,
                     int width = -1);
    // A column's title changed (LVM_SETCOLUMN with LVCF_TEXT); its width follows at the next fit.
    BOOL SetColumnTitle(int column, const std::u16string& title);
    int GetColumnWidth(int column) const;
    // A width in pixels, or LVSCW_AUTOSIZE / LVSCW_AUTOSIZE_USEHEADER to fit the column to its
    // texts / and its title. A fitted column never gets narrower than the width it was
    // inserted with, and one the user has sized by hand keeps that size.
    BOOL SetColumnWidth(int column, int width);
    // The sort mark on the column's title, in the direction of its sort; -1 for none.
    void SetSortMark(int column, bool ascending);
    // What a cell means where its text does not say: `notes(row, column)`, asked for when the
    // cell is pointed at or read out, is its tooltip and its accessible description (its
    // accessible name stays its text); an empty note gives none.
    void SetCellNotes(std::function<std::u16string(int row, int column)> notes);
    // The widths the user gave columns by hand (-1 for a column that fits itself), to be kept
    // between starts; and the same given back.
    std::vector<int> GetUserColumnWidths() const;
    void SetUserColumnWidths(const std::vector<int>& widths);
    // How many pixels wider the list would need to be to show every column without scrolling
    // sideways; 0 when it shows them all.
    int LackingWidth() const;

    BOOL DeleteAllItems();
    int InsertItem(int position, std::u16string_view text);
    BOOL SetItemText(int row, int column, std::u16string_view text);
    // The cell's text, valid until the list next changes; empty for a row that does not exist.
    std::u16string_view GetItemText(int row, int column) const;
    int GetItemCount() const;

    BOOL SetItemData(int row, DWORD_PTR data);
    DWORD_PTR GetItemData(int row) const;

    // Sorts the rows with `compare`, which gets the item data of two rows and `sortParam`; a
    // negative result puts the first before the second. Rows stay in place while `compare` runs
    // (it may read the texts by position), and then move together with their selection.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR sortParam);

    // The first row after `start` (-1: from the top) with the state `flags` (LVNI_SELECTED);
    // -1 when there is none.
    int GetNextItem(int start, UINT flags) const;

    // With redraw off, rows are changed without per-row updates of the screen; turning it back
    // on shows the result at once. Use it around filling many rows.
    void SetRedraw(BOOL redraw);

private:
    ListViewControl* View() const;
    ListModel* Model() const;

    mutable QPointer<ListViewControl> m_view;  // the control m_widget is, once looked up
};
