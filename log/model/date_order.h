#pragma once

#include "log_record.h"

// Newest first: negative when a is later than b, positive when earlier, 0 when both carry the
// same date and time to the second. Orders exactly as comparing the two times formatted as
// "%4d/%2d/%2d %2d:%2d:%2d" text, later text first, for every field value.
int CompareNewestFirst(const LogRecord& a, const LogRecord& b);

// Sorts the first `count` records newest first (entries of equal time keep their order).
void SortNewestFirst(LogBook& book);
