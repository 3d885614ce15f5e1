#include "date_time_format.h"

#include <gtest/gtest.h>

// Formats in the codes desktops give their locales' formats in, each row a kind of format the
// locales use, on 4 August 2007 (a Saturday) unless the row says otherwise.

namespace {

struct FormatCase {
    const char* name;
    std::u16string format;
    SYSTEMTIME time;
    std::u16string expected;
};

constexpr SYSTEMTIME kMorning{2007, 8, 0, 4, 9, 5, 0, 0};
constexpr SYSTEMTIME kAfternoon{2025, 1, 0, 7, 14, 24, 34, 0};

}  // namespace

TEST(DateTimeFormat, WritesEachKindOfLocaleFormat) {
    const FormatCase cases[] = {
        {"month first, twelve hours", u"M/d/yyyy h:mm:ss AP", kMorning, u"8/4/2007 9:05:00 AM"},
        {"afternoon", u"M/d/yyyy h:mm:ss AP", kAfternoon, u"1/7/2025 2:24:34 PM"},
        {"noon is 12 PM", u"h:mm ap", {2007, 8, 0, 4, 12, 0, 0, 0}, u"12:00 pm"},
        {"midnight is 12 AM", u"h:mm A", {2007, 8, 0, 4, 0, 30, 0, 0}, u"12:30 AM"},
        {"H is 24 hours beside AP", u"H:mm AP", kAfternoon, u"14:24 PM"},
        {"day first, zeros", u"dd.MM.yyyy HH:mm:ss", kMorning, u"04.08.2007 09:05:00"},
        {"month names", u"d MMM yyyy, MMMM", kMorning, u"4 Aug 2007, August"},
        {"day names", u"ddd dddd", kMorning, u"Sat Saturday"},
        {"two-digit year", u"yy/yyyy", kMorning, u"07/2007"},
        {"quoted text", u"yyyy'年'M'月' 'o''clock' ''", kMorning, u"2007年8月 o'clock '"},
        {"time zone left out", u"HH:mm:ss t", kMorning, u"09:05:00 "},
        {"milliseconds", u"s.zzz", {2007, 8, 0, 4, 9, 5, 7, 42}, u"7.042"},
        {"a month beyond the calendar as its number",
         u"d MMM yyyy ddd",
         {2007, 70, 0, 4, 9, 5, 0, 0},
         u"4 70 2007 4"},
        {"a field wider than its place widens",
         u"yyyy-MM-dd",
         {10000, 8, 0, 4, 0, 0, 0, 0},
         u"10000-08-04"},
    };
    for (const FormatCase& c : cases) {
        std::u16string text = u">";
        DateTimeFormat(c.format, DateTimeWords()).Append(text, c.time);
        EXPECT_EQ(text, u">" + c.expected) << c.name;
    }
}

TEST(DateTimeFormat, TakesTheLocalesWords) {
    DateTimeWords words;
    words.shortMonths[7] = u"août";
    words.upperHalves = {u"午前", u"午後"};
    words.zero = u'\u0660';  // Arabic-Indic digits
    std::u16string text;
    DateTimeFormat(u"d MMM yyyy AP h", words).Append(text, kMorning);
    EXPECT_EQ(text, u"\u0664 août \u0662\u0660\u0660\u0667 午前 \u0669");
}
