#pragma once

#include "system_time.h"

// Year 1 to 9999, month 1 to 12, and a day that month has (29 February in leap years only).
bool IsCalendarDay(int year, int month, int day);

// A calendar day as above, with hour 0 to 23 and minute and second 0 to 59: a date and time
// that other programs (a spreadsheet, a chart's time axis) can take.
bool IsCalendarDate(const SYSTEMTIME& time);
