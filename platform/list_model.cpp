#include "list_model.h"

#include <algorithm>

#include "qt_text.h"

namespace {

// How many texts a column keeps for fitting: digits are as wide as each other in the fonts
// a desktop uses, so the widest text is among the longest; a few cover texts of one length
// that differ only in their letters (the kind marks).
constexpr std::size_t kLongestKept = 4;

// Longer first; of equal length, more printing characters first.
bool Longer(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return a.size() > b.size();
    }
    const auto printing = [](std::u16string_view t) {
        return t.size() - static_cast<std::size_t>(std::count(t.begin(), t.end(), u' '));
    };
    return printing(a) > printing(b);
}

}  // namespace

int ListModel::InsertColumn(int column, std::u16string_view title) {
    column = std::clamp(column, 0, ColumnCount());
    if (!m_batching) {
        beginInsertColumns(QModelIndex(), column, column);
    }
    m_titles.insert(m_titles.begin() + column, std::u16string(title));
    m_longest.insert(m_longest.begin() + column, std::vector<std::u16string>());
    for (Row& row : m_rows) {
        AddColumnToRow(row, column);
    }
    if (!m_batching) {
        endInsertColumns();
    }
    return column;
}

std::u16string_view ListModel::ColumnTitle(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        return {};
    }
    return m_titles[static_cast<size_t>(column)];
}

ListModel::Row ListModel::MakeRow(std::u16string_view firstCell) const {
    const size_t columns = m_titles.size();
    Row row;
    // Room for a typical row's texts, so that setting its cells one by one does not grow the
    // string again and again.
    constexpr size_t kTypicalRowText = 64;
    row.cells.reserve(columns + kTypicalRowText);
    row.cells.assign(columns, char16_t(0));
    if (columns > 0) {
        row.cells.append(firstCell);
        const auto end = static_cast<char16_t>(firstCell.size());
        std::fill(row.cells.begin(), row.cells.begin() + static_cast<std::ptrdiff_t>(columns), end);
    }
    return row;
}

void ListModel::AddColumnToRow(Row& row, int column) const {
    // A new empty cell at `column`: its end equals the end of the cell before it.
    const char16_t end = column == 0 ? 0 : row.cells[static_cast<size_t>(column) - 1];
    row.cells.insert(row.cells.begin() + column, end);
}

int ListModel::InsertRow(int position, std::u16string_view firstCell) {
    if (m_titles.empty() || firstCell.size() > 0xFFFF) {
        return -1;
    }
    position = std::clamp(position, 0, RowCount());
    if (!m_batching) {
        beginInsertRows(QModelIndex(), position, position);
    }
    m_rows.insert(m_rows.begin() + position, MakeRow(firstCell));
    NoteText(0, firstCell);
    if (!m_batching) {
        endInsertRows();
    }
    return position;
}

bool ListModel::SetCell(int row, int column, std::u16string_view text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return false;
    }
    std::u16string& cells = m_rows[static_cast<size_t>(row)].cells;
    const size_t columns = m_titles.size();
    const size_t begin = column == 0 ? 0 : cells[static_cast<size_t>(column) - 1];
    const size_t end = cells[static_cast<size_t>(column)];
    const size_t newTotal = cells.size() - columns - (end - begin) + text.size();
    if (newTotal > 0xFFFF) {
        return false;  // offsets are 16-bit; no real cell comes near this
    }
    cells.replace(columns + begin, end - begin, text);
    NoteText(column, text);
    const auto delta = static_cast<int>(text.size()) - static_cast<int>(end - begin);
    for (size_t c = static_cast<size_t>(column); c < columns; ++c) {
        cells[c] = static_cast<char16_t>(static_cast<int>(cells[c]) + delta);
    }
    if (!m_batching) {
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
    return true;
}

std::u16string_view ListModel::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return {};
    }
    const std::u16string& cells = m_rows[static_cast<size_t>(row)].cells;
    const size_t columns = m_titles.size();
    const size_t begin = column == 0 ? 0 : cells[static_cast<size_t>(column) - 1];
    const size_t end = cells[static_cast<size_t>(column)];
    return std::u16string_view(cells).substr(columns + begin, end - begin);
}

const std::vector<std::u16string>& ListModel::LongestTexts(int column) const {
    static const std::vector<std::u16string> kNone;
    return column < 0 || column >= ColumnCount() ? kNone : m_longest[static_cast<size_t>(column)];
}

void ListModel::NoteText(int column, std::u16string_view text) {
    std::vector<std::u16string>& longest = m_longest[static_cast<size_t>(column)];
    // Most cells of a column are no longer than its shortest kept text: one comparison each.
    if (longest.size() == kLongestKept &&
        (text.size() < longest.back().size() || !Longer(text, longest.back()))) {
        return;
    }
    if (std::find(longest.begin(), longest.end(), text) != longest.end()) {
        return;
    }
    const auto at = std::find_if(longest.begin(), longest.end(),
                                 [text](const std::u16string& kept) { return Longer(text, kept); });
    longest.insert(at, std::u16string(text));
    if (longest.size() > kLongestKept) {
        longest.pop_back();
    }
}

void ListModel::Clear() {
    if (!m_batching) {
        beginResetModel();
    }
    m_rows.clear();
    for (std::vector<std::u16string>& longest : m_longest) {
        longest.clear();
    }
    if (!m_batching) {
        endResetModel();
    }
}

bool ListModel::SetParam(int row, LPARAM param) {
    if (row < 0 || row >= RowCount()) {
        return false;
    }
    m_rows[static_cast<size_t>(row)].param = param;
    return true;
}

LPARAM ListModel::Param(int row) const {
    return row < 0 || row >= RowCount() ? 0 : m_rows[static_cast<size_t>(row)].param;
}

void ListModel::Reorder(const std::vector<int>& order) {
    emit layoutAboutToBeChanged();
    std::vector<int> newPosition(order.size());
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (size_t k = 0; k < order.size(); ++k) {
        newPosition[static_cast<size_t>(order[k])] = static_cast<int>(k);
        rows.push_back(std::move(m_rows[static_cast<size_t>(order[k])]));
    }
    m_rows = std::move(rows);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& old : persistent) {
        moved.append(index(newPosition[static_cast<size_t>(old.row())], old.column()));
    }
    changePersistentIndexList(persistent, moved);
    emit layoutChanged();
}

void ListModel::BeginBatch() {
    if (!m_batching) {
        beginResetModel();
        m_batching = true;
    }
}

void ListModel::EndBatch() {
    if (m_batching) {
        m_batching = false;
        endResetModel();
    }
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount();
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return ToQString(Cell(index.row(), index.column()));
    }
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) && m_notes) {
        const std::u16string note = m_notes(index.row(), index.column());
        return note.empty() ? QVariant() : QVariant(ToQString(note));
    }
    return {};
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return ToQString(ColumnTitle(section));
}
