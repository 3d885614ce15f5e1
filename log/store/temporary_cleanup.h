#pragma once

#include <string>
#include <vector>

#include "log_error.h"

struct LeftoverCleanup {
    std::vector<std::string> removed;  // the paths removed
    std::vector<LogError> errors;      // what could not be looked at or removed
};

// Removes the temporary files that saves of `path` left behind when they were killed or lost
// their power before the rename: regular files beside the file `path` leads to, named exactly
// as ReplaceFileAtomically names them. Nothing else is touched. Call it only while holding the
// log's lock (LogLock): another window's save may otherwise be writing its temporary file at
// this moment, and removing it would make that save fail.
LeftoverCleanup RemoveLeftoverTemporaries(const std::string& path);
