#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractTableModel>

#include "win_types.h"

// The rows of a report-mode list, kept in our own storage so that the view asks only for the
// rows it draws. A row is a record, first one end offset per column, then the cell texts back
// to back, so any cell is found in constant time. Records are appended one after another to
// chunks of a fixed size: a list of many rows costs a few hundred allocations instead of one per
// row, a long list never moves what it holds to grow, and a list filled row by row, cell by
// cell, only ever appends. Emptying the list keeps the chunks for the next fill.
class ListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A column whose texts and title stand at its right edge (numbers) or its left.
    int InsertColumn(int column, std::u16string_view title, bool alignRight = false);
    std::u16string_view ColumnTitle(int column) const;
    // False for a column that does not exist.
    bool SetColumnTitle(int column, std::u16string_view title);

    int InsertRow(int position, std::u16string_view firstCell);
    bool SetCell(int row, int column, std::u16string_view text);
    // Empty for a cell that does not exist; valid until the list next changes.
    std::u16string_view Cell(int row, int column) const;
    void Clear();

    // The few longest texts of `column` set since the list was last emptied, longest first
    // (of equal length, the one with fewer blanks first), one of each shape of text (texts that
    // differ only in their digits are drawn as wide), so that the column can be fitted to its
    // widest text without measuring every row.
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

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        uint32_t chunk;  // the chunk that holds the row's record
        uint32_t at;     // where the record begins in it
        LPARAM param;
    };
    // The texts of one column that are candidates for its widest, longest first, one of each
    // shape (see Shape in the source).
    struct Longest {
        std::vector<std::u16string> texts;
        std::vector<uint64_t> shapes;  // of each text
    };

    const char16_t* Record(const Row& row) const { return m_chunks[row.chunk].data() + row.at; }
    std::size_t RecordSize(const char16_t* record) const;
    Qt::Alignment Alignment(int column) const;
    // The chunk a record of `size` units is to be appended to: the one being filled, or the
    // next when that has no room left.
    std::u16string& ChunkWithRoom(std::size_t size);
    void RebuildStore(int newColumn);
    void NoteText(int column, std::u16string_view text);

    std::vector<std::u16string> m_titles;
    std::vector<bool> m_alignRight;        // per column
    std::vector<Longest> m_longest;        // per column
    std::vector<std::u16string> m_chunks;  // the rows' records
    std::size_t m_filling = 0;             // the chunk records are appended to
    std::size_t m_stored = 0;              // units appended since the list was emptied
    std::size_t m_abandoned = 0;           // of those, units no row refers to any more
    std::vector<Row> m_rows;
    bool m_batching = false;
    CellNotes m_notes;
};
