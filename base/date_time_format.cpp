#include "date_time_format.h"

#include <algorithm>

namespace {

// How many times `code` repeats from `at` on.
std::size_t RunLength(std::u16string_view format, std::size_t at) {
    std::size_t end = at;
    while (end < format.size() && format[end] == format[at]) {
        ++end;
    }
    return end - at;
}

// The day of the week of a calendar date, 0 for Monday (Sakamoto's method).
unsigned DayOfWeek(unsigned year, unsigned month, unsigned day) {
    static constexpr unsigned kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) {
        year -= 1;
    }
    const unsigned sunday0 =
        (year + year / 4 - year / 100 + year / 400 + kMonthOffset[month - 1] + day) % 7;
    return (sunday0 + 6) % 7;
}

}  // namespace

DateTimeFormat::DateTimeFormat(std::u16string_view format, DateTimeWords words)
    : m_words(std::move(words)) {
    const auto text = [this](std::u16string_view literal) {
        if (m_pieces.empty() || m_pieces.back().field != Field::Text) {
            m_pieces.push_back({Field::Text, 0, {}});
        }
        m_pieces.back().text += literal;
    };
    const bool twelveHours = format.find(u'A') != std::u16string_view::npos ||
                             format.find(u'a') != std::u16string_view::npos;
    std::size_t at = 0;
    while (at < format.size()) {
        const char16_t code = format[at];
        const std::size_t run = RunLength(format, at);
        if (code == u'\'') {
            if (run >= 2) {  // '' is one quote
                text(u"'");
                at += 2;
                continue;
            }
            // Quoted text runs to the next lone quote; a doubled one inside is one quote.
            for (at += 1; at < format.size(); ++at) {
                if (format[at] != u'\'') {
                    text(format.substr(at, 1));
                } else if (at + 1 < format.size() && format[at + 1] == u'\'') {
                    text(u"'");
                    ++at;
                } else {
                    break;
                }
            }
            at += 1;
            continue;
        }
        // How many of the run one code takes, and what it is.
        std::size_t used = std::min<std::size_t>(run, 2);
        Piece piece{Field::Text, static_cast<int>(used), {}};
        switch (code) {
            case u'd':
            case u'M':
                used = std::min<std::size_t>(run, 4);
                piece.width = static_cast<int>(used);
                if (code == u'd') {
                    piece.field = used >= 3 ? Field::DayName : Field::Day;
                } else {
                    piece.field = used >= 3 ? Field::MonthName : Field::Month;
                }
                break;
            case u'y':
                used = run >= 4 ? 4 : run >= 2 ? 2 : 0;
                piece.field = used == 4 ? Field::Year : Field::TwoDigitYear;
                piece.width = static_cast<int>(used);
                break;
            case u'h':
                piece.field = twelveHours ? Field::Hour12 : Field::Hour;
                break;
            case u'H':
                piece.field = Field::Hour;
                break;
            case u'm':
                piece.field = Field::Minute;
                break;
            case u's':
                piece.field = Field::Second;
                break;
            case u'z':
                used = run >= 3 ? 3 : 1;
                piece.field = Field::Millisecond;
                piece.width = static_cast<int>(used);
                break;
            case u'A':
            case u'a':
                // "AP" and "ap" as well as "A" and "a".
                used = at + 1 < format.size() && format[at + 1] == (code == u'A' ? u'P' : u'p') ? 2
                                                                                                : 1;
                piece.field = Field::AmPm;
                piece.width = code == u'A' ? 1 : 0;
                break;
            case u't':
                at += run;
                continue;
            default:
                used = 0;
                break;
        }
        if (used == 0) {
            text(format.substr(at, 1));
            at += 1;
            continue;
        }
        m_pieces.push_back(std::move(piece));
        at += used;
    }
}

void DateTimeFormat::AppendNumber(std::u16string& out, unsigned value, int width) const {
    char16_t digits[8];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(m_words.zero + value % 10);
        value /= 10;
    } while (value != 0);
    for (int pad = count; pad < width; ++pad) {
        out += m_words.zero;
    }
    while (count > 0) {
        out += digits[--count];
    }
}

void DateTimeFormat::Append(std::u16string& out, const SYSTEMTIME& t) const {
    const bool calendarMonth = t.wMonth >= 1 && t.wMonth <= 12;
    for (const Piece& piece : m_pieces) {
        switch (piece.field) {
            case Field::Text:
                out += piece.text;
                break;
            case Field::Day:
                AppendNumber(out, t.wDay, piece.width);
                break;
            case Field::DayName:
                if (calendarMonth && t.wYear >= 1 && t.wDay >= 1) {
                    const unsigned day = DayOfWeek(t.wYear, t.wMonth, t.wDay);
                    out += piece.width == 3 ? m_words.shortDays[day] : m_words.longDays[day];
                } else {
                    AppendNumber(out, t.wDay, 1);
                }
                break;
            case Field::Month:
                AppendNumber(out, t.wMonth, piece.width);
                break;
            case Field::MonthName:
                if (calendarMonth) {
                    const std::size_t month = t.wMonth - 1u;
                    out +=
                        piece.width == 3 ? m_words.shortMonths[month] : m_words.longMonths[month];
                } else {
                    AppendNumber(out, t.wMonth, 1);
                }
                break;
            case Field::Year:
                AppendNumber(out, t.wYear, 4);
                break;
            case Field::TwoDigitYear:
                AppendNumber(out, t.wYear % 100u, 2);
                break;
            case Field::Hour:
                AppendNumber(out, t.wHour, piece.width);
                break;
            case Field::Hour12:
                AppendNumber(out, t.wHour % 12u == 0 ? 12u : t.wHour % 12u, piece.width);
                break;
            case Field::Minute:
                AppendNumber(out, t.wMinute, piece.width);
                break;
            case Field::Second:
                AppendNumber(out, t.wSecond, piece.width);
                break;
            case Field::Millisecond:
                AppendNumber(out, t.wMilliseconds, piece.width);
                break;
            case Field::AmPm:
                out += (piece.width == 1 ? m_words.upperHalves
                                         : m_words.lowerHalves)[t.wHour < 12 ? 0 : 1];
                break;
        }
    }
}
