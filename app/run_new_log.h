#pragma once

#include <string>

#include "log_units.h"

// tarvo --new-log: makes the log in `units` where there is none yet, holding the log's lock while
// it does, so that no window makes it at the same moment. A log that exists is never touched.
// With a `vehicle` named, the log is a further vehicle's, beside the first, unless that vehicle
// has one already.
// Returns the exit status: 0 made, 1 refused or failed, with a message naming the file and why.
int RunNewLog(const LogUnits& units, const std::string& vehicle);
