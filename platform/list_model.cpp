#include "list_model.h"

#include <algorithm>

#include "qt_text.h"

namespace {

// How many texts a column keeps for fitting: one per shape, enough for a date column's twelve
// month names and a few more.
constexpr std::size_t kLongestKept = 16;

// A record's end offsets are 16-bit; no real row comes near this.
constexpr std::size_t kMostRowText = 0xFFFF;

// The units of a chunk, 128 KiB: about a thousand rows of a log.
constexpr std::size_t kChunkUnits = 64 * 1024;

std::size_t Blanks(std::u16string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), u' '));
}

// Longer first; of equal length, fewer blanks (more printing characters) first.
bool Longer(std::u16string_view a, std::u16string_view b) {
    return a.size() != b.size() ? a.size() > b.size() : Blanks(a) < Blanks(b);
}

// What decides how wide a text is drawn: its characters, every digit counted as a 0, since the
// digits are as wide as each other in the fonts a desktop uses ("12.5" and "98.0" are one
// shape, "7 Jan" and "7 Dec" two). FNV-1a over the units.
uint64_t Shape(std::u16string_view text) {
    uint64_t hash = 14695981039346656037u;
    for (char16_t unit : text) {
        hash = (hash ^ (unit >= u'0' && unit <= u'9' ? u'0' : unit)) * 1099511628211u;
    }
    return hash;
}

}  // namespace

int ListModel::InsertColumn(int column, std::u16string_view title, bool alignRight) {
    column = std::clamp(column, 0, ColumnCount());
    if (!m_batching) {
        beginInsertColumns(QModelIndex(), column, column);
    }
    if (!m_rows.empty()) {
        RebuildStore(column);
    }
    m_titles.insert(m_titles.begin() + column, std::u16string(title));
    m_alignRight.insert(m_alignRight.begin() + column, alignRight);
    m_longest.insert(m_longest.begin() + column, Longest());
    if (!m_batching) {
        endInsertColumns();
    }
    return column;
}

bool ListModel::SetColumnTitle(int column, std::u16string_view title) {
    if (column < 0 || column >= ColumnCount()) {
        return false;
    }
    if (m_titles[static_cast<size_t>(column)] != title) {
        m_titles[static_cast<size_t>(column)] = std::u16string(title);
        emit headerDataChanged(Qt::Horizontal, column, column);
    }
    return true;
}

std::u16string_view ListModel::ColumnTitle(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        return {};
    }
    return m_titles[static_cast<size_t>(column)];
}

std::size_t ListModel::RecordSize(const char16_t* record) const {
    const std::size_t columns = m_titles.size();
    return columns == 0 ? 0 : columns + record[columns - 1];
}

std::u16string& ListModel::ChunkWithRoom(std::size_t size) {
    if (m_chunks.empty()) {
        m_chunks.emplace_back();
    }
    if (m_chunks[m_filling].capacity() - m_chunks[m_filling].size() < size) {
        if (!m_chunks[m_filling].empty()) {
            ++m_filling;
        }
        if (m_filling == m_chunks.size()) {
            m_chunks.emplace_back();
        }
        // A chunk kept from before the list was emptied has its room already.
        m_chunks[m_filling].reserve(std::max(kChunkUnits, size));
    }
    m_stored += size;
    return m_chunks[m_filling];
}

// Copies every row's record into fresh chunks in row order, leaving out what no row refers to;
// with `newColumn` at 0 or more, each record gains an empty cell there.
void ListModel::RebuildStore(int newColumn) {
    const std::vector<std::u16string> old = std::move(m_chunks);
    m_chunks.clear();
    m_filling = 0;
    m_stored = 0;
    m_abandoned = 0;
    for (Row& row : m_rows) {
        const char16_t* record = old[row.chunk].data() + row.at;
        const std::size_t size = RecordSize(record);
        std::u16string& chunk = ChunkWithRoom(newColumn < 0 ? size : size + 1);
        row.chunk = static_cast<uint32_t>(m_filling);
        row.at = static_cast<uint32_t>(chunk.size());
        if (newColumn < 0) {
            chunk.append(record, size);
            continue;
        }
        const auto cut = static_cast<std::size_t>(newColumn);
        chunk.append(record, cut);
        // An empty cell ends where the cell before it ends.
        chunk.push_back(cut == 0 ? char16_t(0) : record[cut - 1]);
        chunk.append(record + cut, size - cut);
    }
}

int ListModel::InsertRow(int position, std::u16string_view firstCell) {
    if (m_titles.empty() || firstCell.size() > kMostRowText) {
        return -1;
    }
    position = std::clamp(position, 0, RowCount());
    if (!m_batching) {
        beginInsertRows(QModelIndex(), position, position);
    }
    const std::size_t columns = m_titles.size();
    // The chunk has room for the record, so appending never moves it: the first cell may be
    // another cell's text.
    std::u16string& chunk = ChunkWithRoom(columns + firstCell.size());
    const Row row{static_cast<uint32_t>(m_filling), static_cast<uint32_t>(chunk.size()), 0};
    // Every cell after the first is empty: they all end where the first one does.
    chunk.append(columns, static_cast<char16_t>(firstCell.size()));
    chunk.append(firstCell);
    m_rows.insert(m_rows.begin() + position, row);
    NoteText(0, std::u16string_view(Record(row) + columns, firstCell.size()));
    if (!m_batching) {
        endInsertRows();
    }
    return position;
}

bool ListModel::SetCell(int row, int column, std::u16string_view text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return false;
    }
    const std::size_t columns = m_titles.size();
    const auto c = static_cast<std::size_t>(column);
    Row& place = m_rows[static_cast<size_t>(row)];
    const char16_t* ends = Record(place);
    const std::size_t begin = c == 0 ? 0 : ends[c - 1];
    const std::size_t oldSize = ends[c] - begin;
    const std::size_t size = columns + ends[columns - 1];
    const std::size_t newSize = size - oldSize + text.size();
    if (newSize - columns > kMostRowText) {
        return false;
    }
    if (text.size() != oldSize) {
        // Only a record at the end of its chunk can change its length where it stands, and only
        // within the chunk's room; any other moves to the end first. A list filled cell by cell
        // sets every cell at the end already.
        const std::u16string& holder = m_chunks[place.chunk];
        if (place.at + size != holder.size() || holder.capacity() - place.at < newSize) {
            std::u16string& chunk = ChunkWithRoom(newSize);
            const Row moved{static_cast<uint32_t>(m_filling), static_cast<uint32_t>(chunk.size()),
                            place.param};
            // The room asked for means no reallocation, so the copy may come from this chunk.
            chunk.append(Record(place), size);
            m_abandoned += size;
            place = moved;
        }
    }
    std::u16string& chunk = m_chunks[place.chunk];
    const std::size_t textAt = place.at + columns + begin;
    // Where the cell is the record's last with text, which is every cell of a fill, this appends.
    if (oldSize == 0 && textAt == chunk.size()) {
        chunk.append(text);
    } else {
        chunk.replace(textAt, oldSize, text.data(), text.size());
    }
    char16_t* cellEnds = &chunk[place.at];
    const auto delta =
        static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(oldSize);
    for (std::size_t e = c; e < columns; ++e) {
        cellEnds[e] = static_cast<char16_t>(cellEnds[e] + delta);
    }
    NoteText(column, std::u16string_view(chunk).substr(textAt, text.size()));
    if (m_abandoned > m_stored / 2) {
        RebuildStore(-1);
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
    const char16_t* record = Record(m_rows[static_cast<size_t>(row)]);
    const auto c = static_cast<std::size_t>(column);
    const std::size_t begin = c == 0 ? 0 : record[c - 1];
    return std::u16string_view(record + m_titles.size() + begin, record[c] - begin);
}

const std::vector<std::u16string>& ListModel::LongestTexts(int column) const {
    static const std::vector<std::u16string> kNone;
    return column < 0 || column >= ColumnCount() ? kNone
                                                 : m_longest[static_cast<size_t>(column)].texts;
}

void ListModel::NoteText(int column, std::u16string_view text) {
    Longest& longest = m_longest[static_cast<size_t>(column)];
    std::vector<std::u16string>& kept = longest.texts;
    // Most cells of a column are shorter than its shortest kept text, or of a shape kept
    // already, which is drawn as wide: a length comparison or a few number comparisons each.
    if (kept.size() == kLongestKept && text.size() < kept.back().size()) {
        return;
    }
    const uint64_t shape = Shape(text);
    if (std::find(longest.shapes.begin(), longest.shapes.end(), shape) != longest.shapes.end()) {
        return;
    }
    const auto at = std::find_if(kept.begin(), kept.end(),
                                 [text](const std::u16string& k) { return Longer(text, k); });
    longest.shapes.insert(longest.shapes.begin() + (at - kept.begin()), shape);
    kept.insert(at, std::u16string(text));
    if (kept.size() > kLongestKept) {
        kept.pop_back();
        longest.shapes.pop_back();
    }
}

void ListModel::Clear() {
    if (!m_batching) {
        beginResetModel();
    }
    // The chunks keep their room: a list is mostly emptied to be filled again.
    m_rows.clear();
    for (std::u16string& chunk : m_chunks) {
        chunk.clear();
    }
    m_filling = 0;
    m_stored = 0;
    m_abandoned = 0;
    for (Longest& longest : m_longest) {
        longest.texts.clear();
        longest.shapes.clear();
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
        rows.push_back(m_rows[static_cast<size_t>(order[k])]);
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

QModelIndex ListModel::index(int row, int column, const QModelIndex& parent) const {
    // The view asks for the index of every row when it lays them out; this answers without the
    // base's virtual calls for the counts.
    if (parent.isValid() || row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return {};
    }
    return createIndex(row, column);
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
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Alignment(index.column()));
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
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Alignment(section));
    }
    return role == Qt::DisplayRole ? QVariant(ToQString(ColumnTitle(section))) : QVariant();
}

Qt::Alignment ListModel::Alignment(int column) const {
    return Qt::AlignVCenter |
           (m_alignRight[static_cast<size_t>(column)] ? Qt::AlignRight : Qt::AlignLeft);
}
