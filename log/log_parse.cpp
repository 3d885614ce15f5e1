#include "log_parse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "text_format.h"

// The layout is positional: lines 1 to 6 are the reminder rows, line 7 the count, line 8 the
// column header (skipped whatever it holds), then the entries. The device reads it with
// fgetws and "%d"/"%lf"/"%ld", so a number followed by junk ("12abc") reads as the number, a
// label ends at its first comma, and the derived columns after the tenth field are ignored.
// Whatever the device left undefined for a damaged file (short or missing lines, wrong counts,
// fields without numbers) is read here so that no entry that can be read is lost, and each
// problem is reported.

namespace {

class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (rest_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            rest_.remove_prefix(kByteOrderMark.size());
        }
    }

    // The next line without its line end (LF or CRLF); the last line may lack one.
    bool Next(std::string_view& line) {
        if (rest_.empty()) {
            return false;
        }
        const void* found = std::memchr(rest_.data(), '\n', rest_.size());
        const std::size_t end =
            found == nullptr
                ? rest_.size()
                : static_cast<std::size_t>(static_cast<const char*>(found) - rest_.data());
        line = rest_.substr(0, end);
        rest_.remove_prefix(end == rest_.size() ? end : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number_;
        return true;
    }

    int number() const { return number_; }  // of the line Next gave last
    std::size_t bytesLeft() const { return rest_.size(); }

private:
    std::string_view rest_;
    int number_ = 0;
};

std::string AtLine(int line, std::string_view what) {
    return "line " + std::to_string(line) + ": " + std::string(what);
}

// Lines 1 to 7 end at their first comma.
std::string_view Prepared(std::string_view line) {
    return line.substr(0, line.find(','));
}

constexpr std::size_t kEntryFields = 10;
constexpr std::array<const char*, kEntryFields> kFieldNames = {
    "Year", "Month", "Day", "Hour", "Minute", "Second", "Odo", "Fuel", "kind", "Cost"};

// Returns what is wrong with one field, or nothing when `value` was set.
std::string ScanIntField(std::string_view text, std::size_t field, int64_t low, int64_t high,
                         const char* range, int64_t& value) {
    const ScanOutcome outcome = ScanIntChecked(text, value);
    if (outcome == ScanOutcome::NoNumber) {
        return std::string("the ") + kFieldNames[field] + " field holds no number";
    }
    if (outcome == ScanOutcome::OutOfRange || value < low || value > high) {
        return std::string("the ") + kFieldNames[field] + " field is outside " + range;
    }
    return {};
}

std::string ScanDoubleField(std::string_view text, std::size_t field, double& value) {
    const ScanOutcome outcome = ScanDoubleChecked(text, value);
    if (outcome == ScanOutcome::NoNumber) {
        return std::string("the ") + kFieldNames[field] + " field holds no number";
    }
    if (outcome == ScanOutcome::OutOfRange) {
        return std::string("the ") + kFieldNames[field] + " field holds no finite number";
    }
    return {};
}

// Reads the ten entered fields of an entry line into `r`; returns what is wrong, or nothing.
std::string ParseEntry(std::string_view line, LogRecord& r) {
    std::array<std::string_view, kEntryFields> fields;
    std::size_t found = 0;
    for (std::size_t start = 0; found < kEntryFields;) {
        const std::size_t comma = line.find(',', start);
        fields[found++] = line.substr(start, comma - start);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (found < kEntryFields) {
        return "an entry needs " + std::to_string(kEntryFields) + " fields, the line has " +
               std::to_string(found);
    }
    constexpr int64_t kInt32Low = std::numeric_limits<int32_t>::min();
    constexpr int64_t kInt32High = std::numeric_limits<int32_t>::max();
    std::array<int64_t, 6> date{};
    for (std::size_t i = 0; i < date.size(); ++i) {
        std::string wrong = ScanIntField(fields[i], i, 0, 65535, "0..65535", date[i]);
        if (!wrong.empty()) {
            return wrong;
        }
    }
    int64_t kind = 0;
    int64_t cost = 0;
    std::string wrong = ScanDoubleField(fields[6], 6, r.odo);
    if (wrong.empty()) {
        wrong = ScanDoubleField(fields[7], 7, r.fuel);
    }
    if (wrong.empty()) {
        wrong = ScanIntField(fields[8], 8, kInt32Low, kInt32High, "the 32-bit range", kind);
    }
    if (wrong.empty()) {
        wrong = ScanIntField(fields[9], 9, kInt32Low, kInt32High, "the 32-bit range", cost);
    }
    if (!wrong.empty()) {
        return wrong;
    }
    r.time.wYear = static_cast<uint16_t>(date[0]);
    r.time.wMonth = static_cast<uint16_t>(date[1]);
    r.time.wDay = static_cast<uint16_t>(date[2]);
    r.time.wHour = static_cast<uint16_t>(date[3]);
    r.time.wMinute = static_cast<uint16_t>(date[4]);
    r.time.wSecond = static_cast<uint16_t>(date[5]);
    r.kind = static_cast<int32_t>(kind);
    r.cost = static_cast<int32_t>(cost);
    return {};
}

void ReadLabel(std::string_view line, int number, std::u16string& label,
               std::vector<std::string>& problems) {
    bool valid = true;
    label = Utf8ToUtf16(Prepared(line), &valid);
    if (!valid) {
        problems.push_back(AtLine(number,
                                  "the label is not valid UTF-8; U+FFFD replaces what "
                                  "could not be decoded"));
    }
}

void ReadReminderNumber(std::string_view line, int number, double& value,
                        std::vector<std::string>& problems) {
    double read = 0.0;
    const ScanOutcome outcome = ScanDoubleChecked(Prepared(line), read);
    if (outcome == ScanOutcome::Number) {
        value = read;
    } else {
        problems.push_back(AtLine(number, outcome == ScanOutcome::NoNumber
                                              ? "the reminder number holds no number; the "
                                                "previous value was kept"
                                              : "the reminder number is not finite; the "
                                                "previous value was kept"));
    }
}

// The count announced on line 7, or -1 when it cannot be trusted (then every line present is
// read as an entry).
int64_t ReadCount(std::string_view line, std::vector<std::string>& problems) {
    int64_t count = 0;
    const ScanOutcome outcome = ScanIntChecked(Prepared(line), count);
    if (outcome == ScanOutcome::NoNumber) {
        problems.push_back(AtLine(7, "the entry count holds no number"));
        return -1;
    }
    if (outcome == ScanOutcome::OutOfRange || count > std::numeric_limits<int32_t>::max()) {
        problems.push_back(AtLine(7, "the entry count is too large"));
        return -1;
    }
    if (count < 0) {
        problems.push_back(AtLine(7, "the entry count " + std::to_string(count) + " is negative"));
        return -1;
    }
    return count;
}

// The shortest entry line, "0,0,0,0,0,0,0,0,0,0" and its line feed, bounds how many entries the
// rest of the file can hold; room is never reserved from the count alone.
std::size_t MostEntriesIn(std::size_t bytes) {
    constexpr std::size_t kShortestEntryLine = 2 * kEntryFields;
    return bytes / kShortestEntryLine + 1;
}

}  // namespace

void ParseLog(std::string_view bytes, LogBook& book, std::vector<std::string>& problems) {
    LineReader lines(bytes);
    std::string_view line;
    book.records.clear();
    book.count = 0;
    book.totalCost = 0;
    book.fuelCost = 0;
    for (auto& label : book.reminders.label) {
        label.clear();
    }
    for (std::size_t row = 0; row < book.reminders.label.size(); ++row) {
        if (!lines.Next(line)) {
            break;
        }
        ReadLabel(line, lines.number(), book.reminders.label[row], problems);
        if (!lines.Next(line)) {
            break;
        }
        ReadReminderNumber(line, lines.number(), book.reminders.value[row], problems);
    }
    if (lines.number() < 6 || !lines.Next(line)) {
        problems.push_back(AtLine(lines.number() + 1, "the file ends before the entry count"));
        book.records.resize(1);
        return;
    }
    const int64_t announced = ReadCount(line, problems);
    lines.Next(line);  // the column header, by position

    const std::size_t room = MostEntriesIn(lines.bytesLeft());
    book.records.reserve(
        (announced < 0 ? room : std::min(room, static_cast<std::size_t>(announced))) + 1);
    int64_t entryLines = 0;
    while ((announced < 0 || entryLines < announced) && lines.Next(line)) {
        ++entryLines;
        LogRecord r;
        const std::string wrong = ParseEntry(line, r);
        if (!wrong.empty()) {
            problems.push_back(AtLine(lines.number(), wrong + "; the line was skipped"));
            continue;
        }
        book.totalCost += r.cost;
        if (r.fuel != 0.0) {
            book.fuelCost += r.cost;
        }
        book.records.push_back(r);
    }
    if (announced > entryLines) {
        problems.push_back(AtLine(7, "the entry count is " + std::to_string(announced) +
                                         ", but the file holds only " + std::to_string(entryLines) +
                                         " entry lines"));
    }
    book.count = static_cast<int32_t>(book.records.size());
    book.records.emplace_back();  // the spare slot for a new entry
}
