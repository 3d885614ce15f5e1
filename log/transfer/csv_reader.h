#pragma once

#include <string>
#include <string_view>
#include <vector>

// A reader for the CSV files other programs write: quoted fields (with separators, doubled quotes
// and line breaks inside), comma or semicolon separators, LF, CRLF or CR line ends, a UTF-8
// byte-order mark, and files made of several tables, each begun by a line holding only
// "## Name" (quoted or not) or a bare title as aCar writes ("Fill-Up Records"), and followed by
// its header line. Any bytes at all read into some
// tables: a flaw in the quoting is marked on the row it touches, never fatal.

// What is wrong with the quoting of a row. Its fields are still what could be read.
enum class CsvFlaw {
    None,
    // A quote in the middle of a field, or text after a closing quote: kept as text.
    StrayQuote,
    // A quote opened a field and nothing closes it before the end of the file; the row was read
    // again to the end of its line with its quotes taken as text, and reading goes on from there.
    UnclosedQuote,
};

struct CsvRow {
    int line = 0;  // the file's line on which the row starts, the first line being 1
    std::vector<std::string> fields;
    CsvFlaw flaw = CsvFlaw::None;
};

struct CsvTable;

// The rows of a table, kept as the places in the file's bytes where they start and read again
// each time they are visited: a file of millions of rows costs 16 bytes a row beyond its bytes,
// not the many times its size that its fields would take. Visited in file order, with a range
// for: the row an iterator gives lasts until it moves on.
class CsvRows {
public:
    class Iterator {
    public:
        Iterator(const CsvRows& rows, std::size_t index) : rows_(rows), index_(index) { Read(); }
        const CsvRow& operator*() const { return row_; }
        Iterator& operator++() {
            ++index_;
            Read();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index_ != other.index_; }

    private:
        void Read();

        const CsvRows& rows_;
        std::size_t index_;
        CsvRow row_;
    };

    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, starts_.size()); }
    bool empty() const { return starts_.empty(); }
    std::size_t size() const { return starts_.size(); }
    CsvRow front() const { return *begin(); }

private:
    friend std::vector<CsvTable> ReadCsv(std::string_view bytes);

    struct Start {
        std::size_t offset = 0;
        int line = 0;
    };

    std::string_view bytes_;
    char separator_ = ',';
    std::vector<Start> starts_;
};

struct CsvTable {
    std::string section;  // "Log" for the table under "## Log"; empty before any section line
    char separator = ',';
    CsvRow header;  // line 0 and no fields when the table ends before a header
    CsvRows rows;
};

// Splits `bytes` into its tables, in file order. A table's separator is the one its header line
// holds more of outside quotes (semicolon, else comma). Rows whose fields are all empty, blank
// lines among them, are left out. The tables read their rows from `bytes`, which must outlive
// them.
std::vector<CsvTable> ReadCsv(std::string_view bytes);
