// Feeds arbitrary bytes to the log reader as a file on disk, the way the program meets a log:
// whatever a file holds, reading it must not crash, leak or touch undefined behaviour, and what
// it reads must survive a save. A read that reports no problem kept every entry line the input
// holds, as a plain count of its lines tells. A log that loads saves without error and reads back
// cleanly to the same entries, as the file rounds them (one decimal for odometer and litres, six
// for the reminder numbers), and saving that again would change nothing.

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "date_order.h"
#include "file_bytes.h"
#include "log_load.h"
#include "log_record.h"
#include "log_save.h"
#include "number_text.h"

// A damaged log is read again after a pause, in case another program is still writing it. No
// program writes the fuzzer's file, so the pause is skipped (nanosleep is wrapped at link time in
// this program only), and the fuzzer spends its time reading.
extern "C" int __wrap_nanosleep(const timespec*, timespec*) {
    return 0;
}

namespace {

namespace fs = std::filesystem;

// Every save flushes to the medium; on tmpfs that costs nothing, so the fuzzer spends its time
// in the reader rather than waiting for a disk.
fs::path ScratchRoot() {
    std::error_code ignored;
    if (fs::is_directory("/dev/shm", ignored) && ::access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    return fs::temp_directory_path();
}

// One folder for the whole run, removed at exit.
class Scratch {
public:
    Scratch() {
        std::string pattern = (ScratchRoot() / "tarvo-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        folder_ = pattern;
        log_ = (folder_ / "Tarvo.csv").string();
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const std::string& Log() const { return log_; }
    // Every input starts without a backup, so a damaged one is kept in "<log>.bak".
    void RemoveBackup() const { ::unlink((log_ + ".bak").c_str()); }

private:
    fs::path folder_;
    std::string log_;
};

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "log_fuzz: %s\n", what);
        std::abort();
    }
}

// What the file makes of a number written with `decimals` decimals.
double AsWritten(double value, int decimals) {
    double read = 0.0;
    Require(ScanDouble(FormatFixed(value, decimals), read), "a written number does not read");
    return read;
}

// A label is one line of the file, so a carriage return inside it is written as a space.
std::u16string LabelAsWritten(std::u16string label) {
    for (char16_t& c : label) {
        c = c == u'\r' ? u' ' : c;
    }
    return label;
}

void RequireSameTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    Require(a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
                a.wMinute == b.wMinute && a.wSecond == b.wSecond,
            "an entry's date and time changed in the round trip");
}

// `again` is `book` saved and read back.
void RequireRoundTrip(const LogBook& book, const LogBook& again) {
    Require(again.count == book.count, "the entry count changed in the round trip");
    // The fuel total follows the rounded litres (0.04 L is written as 0.0, an entry without
    // fuel); RequireConsistent checks it against the records read back.
    Require(again.totalCost == book.totalCost, "the cost total changed in the round trip");
    for (std::size_t row = 0; row < book.reminders.label.size(); ++row) {
        Require(again.reminders.label[row] == LabelAsWritten(book.reminders.label[row]),
                "a reminder label changed in the round trip");
        Require(again.reminders.value[row] == AsWritten(book.reminders.value[row], 6),
                "a reminder number changed in the round trip");
    }
    for (std::size_t i = 0; i < UsedCount(book); ++i) {
        const LogRecord& a = book.records[i];
        const LogRecord& b = again.records[i];
        RequireSameTime(a.time, b.time);
        Require(a.kind == b.kind && a.cost == b.cost, "an entry's kind or cost changed");
        Require(b.odo == AsWritten(a.odo, 1) && b.fuel == AsWritten(a.fuel, 1),
                "an entry's odometer or litres changed beyond the file's rounding");
    }
}

// A book that LoadLog made: records and count agree, and the totals are the records' sums.
void RequireConsistent(const LogBook& book) {
    Require(book.count >= 0 && book.records.size() == static_cast<std::size_t>(book.count) + 1,
            "the record array does not hold count entries and one spare slot");
    int64_t total = 0;
    int64_t fuel = 0;
    for (std::size_t i = 0; i < UsedCount(book); ++i) {
        total += book.records[i].cost;
        fuel += book.records[i].fuel != 0.0 ? book.records[i].cost : 0;
        Require(i == 0 || CompareNewestFirst(book.records[i - 1], book.records[i]) <= 0,
                "the entries are not newest first");
    }
    Require(total == book.totalCost && fuel == book.fuelCost, "the cost totals are wrong");
}

// The entry lines of a log, counted without the reader: the lines after the eighth (the column
// header) that hold anything once their line end (a line feed, and a carriage return before it)
// is taken away.
std::size_t EntryLinesIn(std::string_view text) {
    std::size_t number = 0;
    std::size_t entries = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (++number > 8 && !line.empty()) {
            ++entries;
        }
    }
    return entries;
}

LogBook LoadClean(const std::string& path) {
    LogBook book;
    const LoadResult result = LoadLog(book, path);
    Require(result.ok(), "a log just saved cannot be read");
    Require(result.problems.empty(), "a log just saved reads as damaged");
    RequireConsistent(book);
    return book;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    const std::string& path = scratch.Log();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary).write(input.data(), static_cast<std::streamsize>(size));

    LogBook book;
    const LoadResult loaded = LoadLog(book, path);
    Require(loaded.ok(), "a readable file could not be read");
    if (!loaded.problems.empty()) {
        std::string kept;
        Require(!ReadWholeFile(loaded.backupPath, kept) && kept == std::string_view(input),
                "a damaged file was not kept byte for byte as a backup");
    }
    RequireConsistent(book);
    if (loaded.problems.empty()) {
        Require(static_cast<std::size_t>(book.count) == EntryLinesIn(input),
                "a read that reported no problem did not keep every entry line");
    }
    static_cast<void>(loaded.Message(path));

    Require(SaveLog(book, path).ok(), "a log that loaded could not be saved");
    const LogBook again = LoadClean(path);
    RequireRoundTrip(book, again);

    // What was read back is exactly what the file holds: saving it again would change nothing.
    RequireRoundTrip(again, again);

    scratch.RemoveBackup();
    return 0;
}
