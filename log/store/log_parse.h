#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "log_record.h"

// Fills `book` from the bytes of a log file: reminder rows, count, entries and cost totals, in
// file order (neither sorted nor recomputed); `records` gets one spare slot. A reminder number
// that cannot be read keeps the value `book` held. Every piece of damage is appended to
// `problems` as "line N: what was wrong", and every entry that can be read is kept.
void ParseLog(std::string_view bytes, LogBook& book, std::vector<std::string>& problems);
