#pragma once

#include <string>

#include "date_time_format.h"
#include "system_time.h"

// The texts a date and time takes in the program, each built by the one function below so that
// the order of the log, its file and what the user reads can never drift apart.
enum class DateTimeText {
    SortKey,  // "%4d/%2d/%2d %2d:%2d:%2d", year first: the text the log is ordered by
    LogFile,  // "%d,%d,%d,%d,%d,%d", year first: the first six columns of an entry line
    Iso8601,  // "%04d-%02d-%02dT%02d:%02d:%02d": for other programs (the spreadsheet export)
    // What the user reads: the list, the report, the import's preview, the charts. The one
    // format the program set (see SetDisplayFormats), the desktop's.
    Display,
    // A month in the same way: the charts' months.
    DisplayMonth,
};

// The formats of the Display forms. The window sets them from the desktop's locale as it starts;
// until then (and on the command line) they are "yyyy-MM-dd HH:mm:ss" and "yyyy-MM".
void SetDisplayFormats(DateTimeFormat dateTime, DateTimeFormat month);

// Appends `time` in `form`. In the fixed forms each field is printed as the unsigned 16-bit
// value it is, so a field wider than its place (year 10000, month 70) widens the text as printf
// would; day of week and milliseconds take no part.
void AppendDateTimeText(std::string& out, const SYSTEMTIME& time, DateTimeText form);
void AppendDateTimeText(std::u16string& out, const SYSTEMTIME& time, DateTimeText form);
std::string FormatDateTimeText(const SYSTEMTIME& time, DateTimeText form);
