#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractTableModel>

#include "win_types.h"

// The rows of a report-mode list, kept in our own storage so that the view asks only for the
// rows it draws. A row is one string: first one end offset per column, then the cell texts back
// to back, so a row costs one allocation and any cell is found in constant time.
class ListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int InsertColumn(int column, std::u16string_view title);
    std::u16string_view ColumnTitle(int column) const;

    int InsertRow(int position, std::u16string_view firstCell);
    bool SetCell(int row, int column, std::u16string_view text);
    std::u16string_view Cell(int row, int column) const;  // empty for a cell that does not exist
    void Clear();

    // The few longest texts of `column` set since the list was last emptied, longest first
    // (of equal length, the one with fewer blanks first), so that the column can be fitted to
    // its widest text without measuring every row.
    const std::vector<std::u16string>& LongestTexts(int column) const;

    bool SetParam(int row, LPARAM param);
    LPARAM Param(int row) const;

    // Reorders the rows by `order` (order[k] is the old position of the row that goes to k);
    // selections and other persistent indexes move with their rows.
    void Reorder(const std::vector<int>& order);

    // What a cell means where its text does not say (a tooltip, and for screen readers its
    // accessible description); asked for when shown, so that nothing is kept per cell.
    using CellNotes = std::function<std::u16string(int row, int column)>;
    void SetCellNotes(CellNotes notes) { m_notes = std::move(notes); }

    // While batching, changes send no per-row signals; the end resets the views once.
    void BeginBatch();
    void EndBatch();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ColumnCount() const { return static_cast<int>(m_titles.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        std::u16string cells;  // ColumnCount() end offsets, then the texts
        LPARAM param = 0;
    };
    Row MakeRow(std::u16string_view firstCell) const;
    void AddColumnToRow(Row& row, int column) const;
    void NoteText(int column, std::u16string_view text);

    std::vector<std::u16string> m_titles;
    std::vector<std::vector<std::u16string>> m_longest;  // per column
    std::vector<Row> m_rows;
    bool m_batching = false;
    CellNotes m_notes;
};
