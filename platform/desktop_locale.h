#pragma once

#include <QLocale>
#include <QString>

#include "date_time_format.h"
#include "typed_number.h"

// How the desktop writes dates, times and numbers, from its locale (QLocale(), the system's
// unless a default was set): the one source of every date the user reads and of the marks of
// every number typed.
//
// The date is the locale's short date with the year in four digits (a log spans years, and "07"
// could be a day, a month or a year); the time is the locale's short time with its minutes and
// seconds in two digits.
QString DesktopDateFormat(const QLocale& locale);
QString DesktopTimeFormat(const QLocale& locale);
// The short date without its day: the months of the charts.
QString DesktopMonthFormat(const QLocale& locale);
// The words those formats name: months, days, AM and PM, digits.
DateTimeWords DesktopDateTimeWords(const QLocale& locale);
NumberMarks DesktopNumberMarks(const QLocale& locale);

// Makes the texts of DateTimeText::Display and DisplayMonth those of `locale`.
void UseDesktopDateTimeFormats(const QLocale& locale);
