#pragma once

#include <string>

#include "log_conversion.h"
#include "log_error.h"

struct UnitsConversion {
    UnitsChange allowed = UnitsChange::Allowed;  // anything else: nothing was read or written
    Failure failure;         // the log could not be read, kept or saved: it is as it was
    std::string backupPath;  // where the log was kept before it was converted, if it held entries
};

// Gives the log at `path` the units `to` as one saved change: reads it, checks that the change is
// allowed (CheckUnitsChange), keeps a copy of its bytes beside it when it holds entries (so that
// the figures as they were can always be had back), converts, sorts, recomputes and saves it
// atomically. A log without entries only has its header rewritten. Call it holding the log's lock.
UnitsConversion ConvertLogFile(const std::string& path, const LogUnits& to);
