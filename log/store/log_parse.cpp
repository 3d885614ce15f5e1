#include "log_parse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "log_header.h"
#include "number_text.h"
#include "utf8.h"

// The layout is positional: lines 1 to 6 are the reminder rows, line 7 the count, line 8 the
// column header (whose titles may declare the log's units, and which is otherwise skipped
// whatever it holds), then the entries. The device reads it with
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

// How each entered field is read: "%d" into a 16-bit date field, "%lf", or "%d"/"%ld" into a
// 32-bit field (the device's long has 32 bits).
struct FieldRule {
    const char* name;
    bool isDouble;
    int64_t low;
    int64_t high;
    const char* outside;
};

constexpr int64_t kInt32Low = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32High = std::numeric_limits<int32_t>::max();
constexpr FieldRule kDateRule = {nullptr, false, 0, 65535, "is outside 0..65535"};
constexpr FieldRule k32BitRule = {nullptr, false, kInt32Low, kInt32High,
                                  "is outside the 32-bit range"};
constexpr FieldRule kDoubleRule = {nullptr, true, 0, 0, nullptr};

constexpr FieldRule Named(const char* name, FieldRule rule) {
    rule.name = name;
    return rule;
}

constexpr std::array<FieldRule, kEntryFields> kFields = {
    Named("Year", kDateRule),  Named("Month", kDateRule),  Named("Day", kDateRule),
    Named("Hour", kDateRule),  Named("Minute", kDateRule), Named("Second", kDateRule),
    Named("Odo", kDoubleRule), Named("Fuel", kDoubleRule), Named("kind", k32BitRule),
    Named("Cost", k32BitRule),
};

// Reads one field into `integer` or `real`; returns what is wrong with it, or nullptr.
// `consumed`, when given, is set to the length of the number read.
const char* ScanField(std::string_view text, const FieldRule& rule, int64_t& integer, double& real,
                      std::size_t* consumed = nullptr) {
    const ScanOutcome outcome = rule.isDouble ? ScanDoubleChecked(text, real, consumed)
                                              : ScanIntChecked(text, integer, consumed);
    if (outcome == ScanOutcome::NoNumber) {
        return "holds no number";
    }
    if (rule.isDouble) {
        return outcome == ScanOutcome::OutOfRange ? "holds no finite number" : nullptr;
    }
    if (outcome == ScanOutcome::OutOfRange || integer < rule.low || integer > rule.high) {
        return rule.outside;
    }
    return nullptr;
}

using EntryIntegers = std::array<int64_t, kEntryFields>;
using EntryReals = std::array<double, kEntryFields>;

// A line as the program writes it, read in one pass: every field's number starts where the
// field does and ends at the comma after it (the tenth at a comma or at the end of the line),
// within its range. Each number reads as it would from the field alone, since no number goes
// on past a comma. False for any other line, which ReadFieldByField then reads and judges.
bool ReadWrittenEntry(std::string_view line, EntryIntegers& integers, EntryReals& reals) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < kEntryFields; ++i) {
        std::size_t consumed = 0;
        if (ScanField(line.substr(at), kFields[i], integers[i], reals[i], &consumed) != nullptr) {
            return false;
        }
        at += consumed;
        const bool fieldEnds = at < line.size() ? line[at] == ',' : i + 1 == kEntryFields;
        if (!fieldEnds) {
            return false;
        }
        ++at;
    }
    return true;
}

// Reads any line: each field runs up to the next comma or the end of the line, and what follows
// a field's number in it is left unread. Returns what is wrong, or nothing.
std::string ReadFieldByField(std::string_view line, EntryIntegers& integers, EntryReals& reals) {
    std::array<std::string_view, kEntryFields> fields;
    std::size_t found = 0;
    for (std::string_view rest = line; found < kEntryFields;) {
        const std::size_t comma = rest.find(',');
        fields[found++] = rest.substr(0, comma);
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    if (found < kEntryFields) {
        return "an entry needs " + std::to_string(kEntryFields) + " fields, the line has " +
               std::to_string(found);
    }
    for (std::size_t i = 0; i < kEntryFields; ++i) {
        const char* wrong = ScanField(fields[i], kFields[i], integers[i], reals[i]);
        if (wrong != nullptr) {
            return std::string("the ") + kFields[i].name + " field " + wrong;
        }
    }
    return {};
}

// Reads the ten entered fields of an entry line into `r`; returns what is wrong, or nothing.
std::string ParseEntry(std::string_view line, LogRecord& r) {
    EntryIntegers integers{};
    EntryReals reals{};
    if (!ReadWrittenEntry(line, integers, reals)) {
        std::string wrong = ReadFieldByField(line, integers, reals);
        if (!wrong.empty()) {
            return wrong;
        }
    }
    r.time.wYear = static_cast<uint16_t>(integers[0]);
    r.time.wMonth = static_cast<uint16_t>(integers[1]);
    r.time.wDay = static_cast<uint16_t>(integers[2]);
    r.time.wHour = static_cast<uint16_t>(integers[3]);
    r.time.wMinute = static_cast<uint16_t>(integers[4]);
    r.time.wSecond = static_cast<uint16_t>(integers[5]);
    r.odo = reals[6];
    r.fuel = reals[7];
    r.kind = static_cast<int32_t>(integers[8]);
    r.cost = static_cast<int32_t>(integers[9]);
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
    book.units = LogUnits{};
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
    if (lines.Next(line)) {  // the column header, by position
        book.units = ReadLogHeader(line, lines.number(), problems);
        book.vehicle = ReadVehicleName(line);
    }

    const std::size_t room = MostEntriesIn(lines.bytesLeft());
    book.records.reserve(
        (announced < 0 ? room : std::min(room, static_cast<std::size_t>(announced))) + 1);
    int64_t entryLines = 0;
    const auto readEntry = [&](std::string_view text, int number) {
        ++entryLines;
        LogRecord r;
        const std::string wrong = ParseEntry(text, r);
        if (!wrong.empty()) {
            problems.push_back(AtLine(number, wrong + "; the line was skipped"));
            return;
        }
        book.totalCost += r.cost;
        if (r.fuel != 0.0) {
            book.fuelCost += r.cost;
        }
        book.records.push_back(r);
    };
    // Every line after the header up to the last one that holds anything is an entry line,
    // whatever the count says: a line beyond it (added by an editor or a sync tool) is an entry
    // all the same, kept, with the count reported. Empty lines after the last entry carry
    // nothing; empty lines between entries are broken entries, so they wait to see which they are.
    int emptyRun = 0;
    while (lines.Next(line)) {
        if (line.empty()) {
            ++emptyRun;
            continue;
        }
        for (; emptyRun > 0; --emptyRun) {
            readEntry({}, lines.number() - emptyRun);
        }
        readEntry(line, lines.number());
    }
    if (announced >= 0 && announced != entryLines) {
        problems.push_back(AtLine(7, "the entry count is " + std::to_string(announced) +
                                         ", but the file holds " +
                                         (announced > entryLines ? "only " : "") +
                                         std::to_string(entryLines) + " entry lines"));
    }
    book.count = static_cast<int32_t>(book.records.size());
    book.records.emplace_back();  // the spare slot for a new entry
}
