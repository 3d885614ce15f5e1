#pragma once

#include <string_view>
#include <vector>

#include <QTreeView>

class CDialog;
class ListModel;

// A report-mode list. It sends NM_CLICK after every left click (on a row or on empty space,
// once the click has changed the selection), NM_DBLCLK for a double click, NM_RETURN for Enter,
// LVN_KEYDOWN for Delete, and LVN_COLUMNCLICK for header clicks. A keyboard user moves the
// selection with the keys; such a move counts as a click too, so that what the commands act on
// is always the row the user sees selected.
//
// Its columns fit their contents on request: each is inserted with a width that stays its
// least, widens to its title and its widest texts, and once the user has sized it by hand it
// keeps that width for as long as the list lives.
class ListViewControl : public QTreeView {
public:
    ListViewControl(CDialog* dialog, int id, QWidget* parent);
    ListModel* Model() const { return m_model; }

    int InsertColumn(int column, std::u16string_view title, int width, bool alignRight);
    // Widens the column to its widest texts (and its title, with room for the sort mark),
    // measuring only the few longest texts the model has noted; never below its inserted width,
    // and not at all once the user has sized it.
    void FitColumn(int column, bool withTitle);
    // Shows the platform's sort mark on `column` (-1: none) in the given direction.
    void SetSortMark(int column, bool ascending);
    // The widths the user gave columns by hand, -1 for a column left to fit itself; and the
    // same given back (a later start keeps the user's widths).
    std::vector<int> UserWidths() const;
    void SetUserWidths(const std::vector<int>& widths);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sends a notification with just its header; returns whether a handler took it.
    bool Notify(int code);
    void ResizeColumn(int column, int width);
    int CellWidth(const QString& text);

    CDialog* m_dialog;
    int m_id;
    ListModel* m_model;  // owned as the view's child
    std::vector<int> m_leastWidths;
    std::vector<bool> m_sizedByUser;
    bool m_resizing = false;
};
