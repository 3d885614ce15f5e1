#pragma once

#include "log_record.h"

// Rebuilds carriedFuel, trip, kmPerL and yenPerL of every record and the summary line.
void RecomputeLog(LogBook& book);
