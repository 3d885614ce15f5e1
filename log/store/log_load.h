#pragma once

#include <string>
#include <vector>

#include "file_snapshot.h"
#include "log_error.h"
#include "log_record.h"

struct LoadResult {
    // The file could not be read at all; the book is then left as it was, except when memory ran
    // out while reading or the file kept changing as it was read again, which leaves it empty (no
    // records, count 0).
    Failure error;
    std::vector<std::string> problems;  // damage found, one "line N: ..." text each
    std::string backupPath;             // where the damaged original was kept, if it was
    Failure backupError;                // why no backup could be kept, if so
    FileSnapshot snapshot;              // of exactly the bytes read, when ok

    bool ok() const { return !error; }

    // The damage report's first sentence and where the original went, without the damaged lines
    // themselves; empty for a clean read.
    std::string Headline(const std::string& path) const;
    // The text to show the user: the error, or the headline followed by one line per damaged
    // line; empty for a clean read.
    std::string Message(const std::string& path) const;

    // Whether a save may replace the file read: it was read, and if it was damaged, its original
    // is kept, so the lines the reader had to skip are not lost with it.
    bool SafeToReplace() const;
};

// Reads the whole log into `book`: reminder rows, count, entries (sorted newest first,
// recomputed), cost totals; `records` gets one spare slot. A file that reads as damaged is read
// until it stops changing (ReadSettled), so that a write caught half done is neither reported
// nor kept. A damaged file keeps every entry that can be read, and its original bytes are copied
// beside it before anything can replace it.
LoadResult LoadLog(LogBook& book, const std::string& path);
