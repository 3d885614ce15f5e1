#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <functional>
#include <string>
#include <vector>

#include "log_error.h"
#include "log_record.h"

// A fresh folder under the system's temporary folder, removed with all it holds at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    // The names in the folder, or in its subfolder `sub`, sorted.
    std::vector<std::string> Names(const std::string& sub = {}) const;

private:
    std::string path_;
};

// What a failure says, or nothing when there was none.
std::string Said(const Failure& failure);

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// An entered entry; derived fields 0.
LogRecord Entry(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                uint16_t second, double odo, double fuel, int32_t kind, int32_t cost);

// A book holding `entries` in the given order, count set, one spare slot, totals summed as the
// reader sums them.
LogBook BookOf(const std::vector<LogRecord>& entries);

// The four entries of the worked example, newest first, with the reminder rows
// ("CHANGE OIL BEFORE", 45000), ("CHANGE AIR-F BEFORE", 50000), ("", 0).
LogBook WorkedExample();

// The entered fields of the first `count` records, one text each, for comparing books.
std::vector<std::string> EnteredFields(const LogBook& book);

// Makes `what` at `path`, for a test of what a file's place may hold: "file:BYTES",
// "read-only:BYTES", "folder", "pipe", "device" (a character device, where this user may make one)
// or "link:TO" and "hard link:TO", TO taken from `path`'s folder. Returns whether it was made.
bool MakeAt(const std::string& path, const std::string& what);

// Runs `run` in a child process and returns what it returned; the test fails when the child
// does not end normally. For what must not touch this process: limits, rights, a lock's owner.
std::string InChildProcess(const std::function<std::string()>& run);

// Runs `run` as a user whom file permissions bind: in this process when it is not root, else in
// a child process that has dropped to nobody (root passes every permission check, so a test
// of an unreadable file or a read-only folder would otherwise test nothing). Returns what `run`
// returned, or a text no test expects when the child could not drop its rights.
std::string AsOrdinaryUser(const std::function<std::string()>& run);

// Limits the size of files this process may write, so that writing more fails with EFBIG as on a
// full medium, for root too. The signal such a write raises is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    sighandler_t oldHandler_;
};
