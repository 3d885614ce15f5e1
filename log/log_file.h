#pragma once

#include <string>
#include <vector>

#include "file_snapshot.h"
#include "log_record.h"

// The log file's fixed place on the device; the platform maps it to a host path.
inline constexpr char16_t kLogDevicePath[] = u"\\SD Storage\\Tarvo\\Tarvo.csv";

// Results name the file and the reason in plain words (UTF-8), ready for a message box.

enum class CreateOutcome { Existed, Created, Failed };

struct CreateResult {
    CreateOutcome outcome = CreateOutcome::Existed;
    std::string error;  // set when outcome is Failed
};

// Writes a fresh seven-line log when `path` does not exist. A file that exists but cannot be
// read is left alone (LoadLog reports it), so nothing a user owns is ever overwritten here. A
// symbolic link that leads nowhere is reported and left alone too: the file it points to may
// be on a storage card that is not mounted.
CreateResult CreateLogIfMissing(const std::string& path);

// "There is no log: the folder \"<folder>\" does not exist." when the folder `path` belongs in
// is missing (a card that is not mounted, a folder not made yet); empty when it is there.
std::string MissingLogFolder(const std::string& path);

// Whether CreateLogIfMissing would make the log at `path`: nothing is there, and its folder is.
bool LogWouldBeCreated(const std::string& path);

// What a log made by CreateLogIfMissing holds, read as the reader reads it.
LogBook FreshLog();

struct LoadResult {
    bool ok = true;  // false: the file could not be read at all
    // Set when !ok; the book is then left as it was, except when memory ran out while reading,
    // which leaves it empty (no records, count 0).
    std::string error;
    std::vector<std::string> problems;  // damage found, one "line N: ..." text each
    std::string backupPath;             // where the damaged original was kept, if it was
    std::string backupError;            // why no backup could be kept, if so
    FileSnapshot snapshot;              // of exactly the bytes read, when ok

    // The text to show the user: the error, or the damage report; empty for a clean read.
    std::string Message(const std::string& path) const;

    // Whether a save may replace the file read: it was read, and if it was damaged, its original
    // is kept, so the lines the reader had to skip are not lost with it.
    bool SafeToReplace() const;
};

// Reads the whole log into `book`: reminder rows, count, entries (sorted newest first,
// recomputed), cost totals; `records` gets one spare slot. A damaged file keeps every entry that
// can be read, and its original bytes are copied beside it before anything can replace it.
LoadResult LoadLog(LogBook& book, const std::string& path);

struct SaveResult {
    bool ok = true;
    // Set when !ok; the file on disk is then exactly as it was, except in one case: the new
    // content was renamed into place but the folder could not be flushed to the medium, so it
    // might not survive a power loss.
    std::string error;
    FileSnapshot written;  // of the file as saved, when ok
};

// Writes the reminder rows, the count, the header and the first `count` records in array order.
// The new content goes to a temporary file in the same folder, is flushed to the medium, and
// then renamed over the log, so a failed or interrupted save never costs the old file. Through a
// symbolic link, the file the link leads to is written and the link stays.
SaveResult SaveLog(const LogBook& book, const std::string& path);

// The whole text SaveLog writes for `book`.
std::string FormatLogFile(const LogBook& book);
