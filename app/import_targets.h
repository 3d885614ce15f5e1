#pragma once

#include <string>
#include <vector>

#include "log_record.h"

// The logs an import can go into, as its preview offers them: the vehicle shown, each other
// vehicle of the folder, and a new vehicle.
struct ImportTarget {
    std::u16string label;
    std::string path;  // empty: a new vehicle, made when the import is made
};

std::vector<ImportTarget> ImportTargets(const std::string& firstLog, const std::string& shown);

// What the target's log holds now, to plan against: read as it is, without its lock and without
// a damage report, changing nothing (the import itself reads it again on the session's road). A
// new vehicle's log, or one that cannot be read, holds nothing.
LogBook TargetBook(const ImportTarget& target);
