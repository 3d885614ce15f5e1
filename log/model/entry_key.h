#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "log_record.h"

// What makes two entries the same for the import: date and time to the second, odometer and
// quantity as the log file writes them in `units` (one decimal, or the quantity's up to three),
// and cost.
std::string EntryKey(const LogRecord& r, const LogUnits& units);

// Which of `entries` the book holds, copy for copy, beyond the `inLog` copies it held when an
// import of them was planned: of two equal entries planned against a book that holds one (and
// inLog empty), the first is held and the second is not. A pass over the book and the entries.
std::vector<bool> HeldCopies(const LogBook& book, const std::vector<LogRecord>& entries,
                             const std::vector<LogRecord>& inLog);

// For each of `entries`, the index of the first of them that is the same by the rule above and
// carries the same id (`ids` parallel to the entries, or empty where the file has none): its own
// index when no earlier one is. Rows a file gives ids of their own are the same only when their
// ids are.
std::vector<std::size_t> FirstCopies(const std::vector<LogRecord>& entries,
                                     const std::vector<std::string>& ids, const LogUnits& units);

// Adds in front of the book's records the planned entries it does not hold (HeldCopies), keeping
// one spare slot and the cost totals; returns how many it added. `inLog` are the file's rows the
// log held when planned. Two equal rows of a file become two entries, and an import made again,
// or made to a newer copy of a log that another window imported the same rows into, adds nothing
// twice. The caller then sorts, recomputes and saves, as every command does.
int32_t AddPlannedEntries(LogBook& book, const std::vector<LogRecord>& entries,
                          const std::vector<LogRecord>& inLog);
