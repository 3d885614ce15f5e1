#pragma once

#include <string>

#include "file_snapshot.h"
#include "log_error.h"
#include "log_record.h"

struct SaveResult {
    // Why the save failed; the file on disk is then exactly as it was, except in one case: the
    // new content was renamed into place but the folder could not be flushed to the medium, so it
    // might not survive a power loss.
    Failure error;
    FileSnapshot written;  // of the file as saved, when it was

    bool ok() const { return !error; }
};

// Writes the reminder rows, the count, the header and the first `count` records in array order.
// The new content goes to a temporary file in the same folder, is flushed to the medium, and
// then renamed over the log, so a failed or interrupted save never costs the old file. Through a
// symbolic link, the file the link leads to is written and the link stays.
SaveResult SaveLog(const LogBook& book, const std::string& path);
