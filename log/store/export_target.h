#pragma once

#include <string>

#include "log_error.h"

// Whether `destination` may receive an export of the log at `logPath`: a new name, or a regular
// file this user may write, that is none of the log's own files. Refused, naming the destination
// and why: the log itself, its lock file or a backup of it (by name, so that a backup yet to be
// made is spared too), a folder, a device, a pipe or a socket (a save would replace it by a plain
// file: /dev/null for everyone, as root), and a read-only file. Links are followed, as the export
// follows them. Standard output is the caller's affair, not a path.
Failure CheckExportTarget(const std::string& logPath, const std::string& destination);
