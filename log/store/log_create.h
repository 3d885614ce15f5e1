#pragma once

#include <string>

#include "log_error.h"

#include "log_record.h"

enum class CreateOutcome { Existed, Created, Failed };

struct CreateResult {
    CreateOutcome outcome = CreateOutcome::Existed;
    Failure error;  // when outcome is Failed
};

// Writes a fresh log in `units` when `path` does not exist: in km, litres and yen the seven lines
// the first start has always written; in other units the same with the header line that
// declares them. A file that exists but cannot be
// read is left alone (LoadLog reports it), so nothing a user owns is ever overwritten here. A
// symbolic link that leads nowhere is reported and left alone too: the file it points to may
// be on a storage card that is not mounted.
// A log made for a vehicle named `vehicle` names it in its header from the start.
CreateResult CreateLogIfMissing(const std::string& path, const LogUnits& units = LogUnits{},
                                const std::string& vehicle = {});

// "There is no log: the folder \"<folder>\" does not exist." when the folder `path` belongs in
// is missing (a card that is not mounted, a folder not made yet); nothing when it is there.
Failure MissingLogFolder(const std::string& path);

// Whether CreateLogIfMissing would make the log at `path`: nothing is there, and its folder is.
bool LogWouldBeCreated(const std::string& path);

// What a log made by CreateLogIfMissing holds, read as the reader reads it.
LogBook FreshLog();
