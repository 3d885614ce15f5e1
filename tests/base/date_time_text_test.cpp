#include "date_time_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Every form of the date-time text against the printf format it stands for, on ordinary
// values, on values that need padding, and on fields wider than their place (an edited file can
// hold year 10000 or month 70: the text widens, as printf's does).

namespace {

SYSTEMTIME Time(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                uint16_t second) {
    SYSTEMTIME t;
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wDayOfWeek = 3;  // take no part
    t.wMilliseconds = 999;
    return t;
}

std::string Printf(DateTimeText form, const SYSTEMTIME& t) {
    char text[128];
    const int y = t.wYear, mo = t.wMonth, d = t.wDay, h = t.wHour, mi = t.wMinute, s = t.wSecond;
    switch (form) {
        case DateTimeText::SortKey:
            std::snprintf(text, sizeof text, "%4d/%2d/%2d %2d:%2d:%2d", y, mo, d, h, mi, s);
            break;
        case DateTimeText::LogFile:
            std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d", y, mo, d, h, mi, s);
            break;
        case DateTimeText::Iso8601:
            std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", y, mo, d, h, mi, s);
            break;
        case DateTimeText::Display:  // until the program sets the desktop's
            std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
            break;
        case DateTimeText::DisplayMonth:
            std::snprintf(text, sizeof text, "%04d-%02d", y, mo);
            break;
    }
    return text;
}

}  // namespace

TEST(DateTimeText, EveryFormReadsAsItsPrintfFormat) {
    const SYSTEMTIME times[] = {
        Time(2007, 8, 26, 7, 30, 45),
        Time(2007, 12, 31, 23, 59, 59),
        Time(2007, 9, 1, 12, 0, 0),
        Time(0, 0, 0, 0, 0, 0),
        Time(999, 1, 2, 3, 4, 5),
        Time(10000, 70, 99, 100, 60, 61),
        Time(65535, 65535, 65535, 65535, 65535, 65535),
    };
    for (DateTimeText form : {DateTimeText::SortKey, DateTimeText::LogFile, DateTimeText::Iso8601,
                              DateTimeText::Display, DateTimeText::DisplayMonth}) {
        for (const SYSTEMTIME& t : times) {
            const std::string expected = Printf(form, t);
            EXPECT_EQ(FormatDateTimeText(t, form), expected);
            std::string appended = "x";
            AppendDateTimeText(appended, t, form);
            EXPECT_EQ(appended, "x" + expected);
            std::u16string wide = u"x";
            AppendDateTimeText(wide, t, form);
            EXPECT_EQ(wide, u"x" + std::u16string(expected.begin(), expected.end()));
        }
    }
}

TEST(DateTimeText, WorkedExampleInEachForm) {
    const SYSTEMTIME t = Time(2007, 8, 4, 9, 5, 0);
    EXPECT_EQ(FormatDateTimeText(t, DateTimeText::SortKey), "2007/ 8/ 4  9: 5: 0");
    EXPECT_EQ(FormatDateTimeText(t, DateTimeText::LogFile), "2007,8,4,9,5,0");
    EXPECT_EQ(FormatDateTimeText(t, DateTimeText::Iso8601), "2007-08-04T09:05:00");
    EXPECT_EQ(FormatDateTimeText(t, DateTimeText::Display), "2007-08-04 09:05:00");
}
