#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "system_time.h"

// The words a date-time format may put into its text, in the locale's language: month and day
// names, the two halves of a twelve-hour day, and the digit zero (the other digits follow it).
struct DateTimeWords {
    std::array<std::u16string, 12> shortMonths{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                               u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    std::array<std::u16string, 12> longMonths{u"January",   u"February", u"March",    u"April",
                                              u"May",       u"June",     u"July",     u"August",
                                              u"September", u"October",  u"November", u"December"};
    // Monday first, as ISO 8601 numbers the days.
    std::array<std::u16string, 7> shortDays{u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};
    std::array<std::u16string, 7> longDays{u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                           u"Friday", u"Saturday", u"Sunday"};
    // Before and after noon, as AP and ap write them.
    std::array<std::u16string, 2> upperHalves{u"AM", u"PM"};
    std::array<std::u16string, 2> lowerHalves{u"am", u"pm"};
    char16_t zero = u'0';
};

// A date-time format written in the codes a desktop's locale gives its formats in (those of Qt):
// d dd ddd dddd, M MM MMM MMMM, yy yyyy, h hh (1 to 12 where the format has AM/PM, else 0 to 23),
// H HH, m mm, s ss, z zzz (milliseconds), AP A (upper case) and ap a (lower case) for AM/PM,
// 'text' taken as it stands ('' is one quote); t (the time zone) writes nothing, since a log's
// times carry none; any other character stands for itself. The format is read once, so that
// a list of many rows is written without reading it again for every cell.
class DateTimeFormat {
public:
    DateTimeFormat(std::u16string_view format, DateTimeWords words);

    // Appends `time` in this format. A field beyond its calendar range (month 70 in an edited
    // file) is written as its number, even where the format names it.
    void Append(std::u16string& out, const SYSTEMTIME& time) const;

private:
    enum class Field : uint8_t {
        Text,
        Day,
        DayName,
        Month,
        MonthName,
        Year,
        TwoDigitYear,
        Hour,
        Hour12,
        Minute,
        Second,
        Millisecond,
        AmPm,
    };
    struct Piece {
        Field field;
        // The least number of digits; for a name, 3 for the short one and 4 for the long; for
        // AM/PM, 1 for upper case and 0 for lower case.
        int width;
        std::u16string text;  // of a Text piece
    };

    void AppendNumber(std::u16string& out, unsigned value, int width) const;

    std::vector<Piece> m_pieces;
    DateTimeWords m_words;
};
