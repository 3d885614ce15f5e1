#include "csv_reader.h"

#include <algorithm>

// Quoting follows RFC 4180, read leniently: a quote that does not open a field is text, and a
// quote left open is taken back so that it cannot swallow the rest of the file. Such a quote is
// left open only when every quote after it is doubled, so a later field that opens with a quote
// closes within its own run of quotes, and the row is read a second time at most once per file.

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvCursor {
public:
    explicit CsvCursor(std::string_view text) : text_(text) {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            pos_ = kByteOrderMark.size();
        }
    }

    // At a row found before, to read it again.
    CsvCursor(std::string_view text, std::size_t pos, int line)
        : text_(text), pos_(pos), line_(line) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    std::size_t pos() const { return pos_; }
    int line() const { return line_; }

    // The separator of the line at the cursor: semicolon when it holds more semicolons than
    // commas outside quotes, else comma.
    char SeparatorOfNextLine() const {
        std::size_t commas = 0;
        std::size_t semicolons = 0;
        bool quoted = false;
        for (std::size_t i = pos_;
             i < text_.size() && (quoted || (text_[i] != '\n' && text_[i] != '\r')); ++i) {
            const char c = text_[i];
            quoted = c == '"' ? !quoted : quoted;
            commas += !quoted && c == ',' ? 1 : 0;
            semicolons += !quoted && c == ';' ? 1 : 0;
        }
        return semicolons > commas ? ';' : ',';
    }

    void Next(char separator, CsvRow& row) {
        const std::size_t start = pos_;
        const int line = line_;
        if (!ReadRow(separator, false, row)) {
            pos_ = start;
            line_ = line;
            ReadRow(separator, true, row);
            row.flaw = CsvFlaw::UnclosedQuote;
        }
    }

private:
    // Reads one row up to its line end (outside quotes). Returns false when a quoted field runs
    // to the end of the file.
    bool ReadRow(char separator, bool quotesAsText, CsvRow& row) {
        row.line = line_;
        row.flaw = CsvFlaw::None;
        row.fields.assign(1, std::string());
        bool atFieldStart = true;
        bool afterClosingQuote = false;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
                ++pos_;  // the CR of a CRLF line end
                continue;
            }
            if (c == '\n' || c == '\r') {  // a lone CR ends a line as old Macs write it
                ++pos_;
                ++line_;
                return true;
            }
            if (c == separator) {
                ++pos_;
                row.fields.emplace_back();
                atFieldStart = true;
                afterClosingQuote = false;
                continue;
            }
            std::string& field = row.fields.back();
            if (c == '"' && atFieldStart && !quotesAsText) {
                ++pos_;
                if (!ReadQuoted(field)) {
                    return false;
                }
                atFieldStart = false;
                afterClosingQuote = true;
                continue;
            }
            if ((c == '"' && !quotesAsText) || afterClosingQuote) {
                row.flaw = CsvFlaw::StrayQuote;
            }
            field.push_back(c);
            ++pos_;
            atFieldStart = false;
        }
        return true;
    }

    // Reads a quoted field's text after its opening quote, through its closing quote.
    bool ReadQuoted(std::string& field) {
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    field.push_back('"');
                    ++pos_;
                    continue;
                }
                return true;
            }
            const bool crOfCrlf = c == '\r' && pos_ < text_.size() && text_[pos_] == '\n';
            line_ += c == '\n' || (c == '\r' && !crOfCrlf) ? 1 : 0;
            field.push_back(c);
        }
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

bool AllEmpty(const CsvRow& row) {
    return row.flaw == CsvFlaw::None &&
           std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string& field) { return field.empty(); });
}

// aCar begins its tables with a bare title line: "Metadata", "Vehicles", "Fill-Up Records"...
bool IsBareTitle(const std::string& text) {
    constexpr std::string_view kRecords = " Records";
    return text == "Metadata" || text == "Vehicles" ||
           (text.size() > kRecords.size() &&
            text.compare(text.size() - kRecords.size(), kRecords.size(), kRecords) == 0);
}

// A line holding only "## Name", or a bare title, begins a table; `name` gets "Name".
bool IsSectionLine(const CsvRow& row, std::string& name) {
    if (row.fields.size() == 1 && IsBareTitle(row.fields[0])) {
        name = row.fields[0];
        return true;
    }
    if (row.fields.size() != 1 || row.fields[0].compare(0, 2, "##") != 0) {
        return false;
    }
    const std::string& text = row.fields[0];
    const std::size_t first = text.find_first_not_of(' ', 2);
    const std::size_t last = text.find_last_not_of(' ');
    name = first == std::string::npos ? std::string() : text.substr(first, last + 1 - first);
    return true;
}

}  // namespace

void CsvRows::Iterator::Read() {
    if (index_ < rows_.starts_.size()) {
        const Start& start = rows_.starts_[index_];
        CsvCursor(rows_.bytes_, start.offset, start.line).Next(rows_.separator_, row_);
    }
}

std::vector<CsvTable> ReadCsv(std::string_view bytes) {
    CsvCursor cursor(bytes);
    std::vector<CsvTable> tables;
    bool needHeader = true;
    CsvRow row;
    while (!cursor.AtEnd()) {
        const char separator = needHeader ? cursor.SeparatorOfNextLine() : tables.back().separator;
        const CsvRows::Start start{cursor.pos(), cursor.line()};
        cursor.Next(separator, row);
        if (AllEmpty(row)) {
            continue;
        }
        std::string section;
        if (IsSectionLine(row, section)) {
            tables.emplace_back();
            tables.back().section = std::move(section);
            needHeader = true;
            continue;
        }
        if (tables.empty()) {
            tables.emplace_back();
        }
        CsvTable& table = tables.back();
        if (needHeader) {
            table.separator = separator;
            table.header = std::move(row);
            table.rows.bytes_ = bytes;
            table.rows.separator_ = separator;
            needHeader = false;
            row = CsvRow();
        } else {
            table.rows.starts_.push_back(start);
        }
    }
    return tables;
}
