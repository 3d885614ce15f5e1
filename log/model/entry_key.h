#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "log_record.h"

// What makes two entries the same for the import: date and time to the second, odometer and
// quantity as the log file writes them in `units`, and cost.
std::string EntryKey(const LogRecord& r, const LogUnits& units);

// Adds the planned entries the book does not already hold (by the rule above) in front of its
// records, keeping one spare slot and the cost totals; returns how many it added. The caller then
// sorts, recomputes and saves, as every command does.
int32_t AddPlannedEntries(LogBook& book, const std::vector<LogRecord>& entries);
