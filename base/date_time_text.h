#pragma once

#include <string>

#include "system_time.h"

// The texts a date and time takes in the program, each built by the one function below so that
// the order of the log, its list, its report and its file can never drift apart.
enum class DateTimeText {
    SortKey,   // "%4d/%2d/%2d %2d:%2d:%2d", year first: the text the log is ordered by
    ListCell,  // "%2d/%2d/%4d %2d:%2d:%2d", month first: the list's Date Time column
    Report,    // "%d/%d/%d  %d:%d:%d", month first: the statistics report's record start
    LogFile,   // "%d,%d,%d,%d,%d,%d", year first: the first six columns of an entry line
    Iso8601,   // "%04d-%02d-%02dT%02d:%02d:%02d": for other programs (the spreadsheet export)
};

// Appends the year, month, day, hour, minute and second of `time` in `form`; day of week and
// milliseconds take no part. Each field is printed as the unsigned 16-bit value it is, so a
// field wider than its place (year 10000, month 70) widens the text as printf would.
void AppendDateTimeText(std::string& out, const SYSTEMTIME& time, DateTimeText form);
void AppendDateTimeText(std::u16string& out, const SYSTEMTIME& time, DateTimeText form);
std::string FormatDateTimeText(const SYSTEMTIME& time, DateTimeText form);
