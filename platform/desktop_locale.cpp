#include "desktop_locale.h"

#include "date_time_text.h"

namespace {

// The position just after the run of `code` that starts at or after `from` in `format`
// (quoted text skipped), and where it starts; -1 when there is none.
struct Run {
    qsizetype start = -1;
    qsizetype end = -1;
};

Run FindRun(const QString& format, QChar code, qsizetype from = 0) {
    bool quoted = false;
    for (qsizetype at = from; at < format.size(); ++at) {
        if (format[at] == u'\'') {
            quoted = !quoted;
        } else if (!quoted && format[at] == code) {
            qsizetype end = at;
            while (end < format.size() && format[end] == code) {
                ++end;
            }
            return {at, end};
        }
    }
    return {};
}

char16_t OneUnit(const QString& text, char16_t otherwise) {
    return text.size() == 1 ? text[0].unicode() : otherwise;
}

}  // namespace

QString DesktopDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    const Run year = FindRun(format, u'y');
    if (year.start >= 0 && year.end - year.start < 4) {
        format.replace(year.start, year.end - year.start, QStringLiteral("yyyy"));
    }
    return format;
}

QString DesktopTimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    Run minutes = FindRun(format, u'm');
    if (minutes.start < 0) {
        return format;  // no locale leaves the minutes out; nothing to add seconds to
    }
    if (minutes.end - minutes.start < 2) {
        format.insert(minutes.start, u'm');
        ++minutes.end;
    }
    const Run seconds = FindRun(format, u's');
    if (seconds.start >= 0) {
        if (seconds.end - seconds.start < 2) {
            format.insert(seconds.start, u's');
        }
        return format;
    }
    // The seconds follow the minutes as the minutes follow the hours: "h:mm" gives "h:mm:ss",
    // "H.mm" gives "H.mm.ss".
    Run hours = FindRun(format, u'h');
    if (hours.start < 0) {
        hours = FindRun(format, u'H');
    }
    const QString separator = hours.start >= 0 && hours.end < minutes.start
                                  ? format.mid(hours.end, minutes.start - hours.end)
                                  : QStringLiteral(":");
    format.insert(minutes.end, separator + QStringLiteral("ss"));
    return format;
}

QString DesktopMonthFormat(const QLocale& locale) {
    QString format = DesktopDateFormat(locale);
    const Run day = FindRun(format, u'd');
    if (day.start < 0) {
        return format;
    }
    // The day goes with the separator on one side of it: after it where it leads ("d.M.yyyy"),
    // before it elsewhere ("yyyy/MM/dd", "M/d/yyyy").
    qsizetype start = day.start;
    qsizetype end = day.end;
    const auto isField = [&format](qsizetype at) {
        return at >= 0 && at < format.size() && QStringLiteral("yMd").contains(format[at]);
    };
    if (start == 0) {
        while (end < format.size() && !isField(end)) {
            ++end;
        }
    } else {
        while (start > 0 && !isField(start - 1)) {
            --start;
        }
    }
    format.remove(start, end - start);
    return format;
}

DateTimeWords DesktopDateTimeWords(const QLocale& locale) {
    DateTimeWords words;
    for (int month = 1; month <= 12; ++month) {
        words.shortMonths[month - 1] =
            locale.monthName(month, QLocale::ShortFormat).toStdU16String();
        words.longMonths[month - 1] = locale.monthName(month, QLocale::LongFormat).toStdU16String();
    }
    for (int day = 1; day <= 7; ++day) {
        words.shortDays[day - 1] = locale.dayName(day, QLocale::ShortFormat).toStdU16String();
        words.longDays[day - 1] = locale.dayName(day, QLocale::LongFormat).toStdU16String();
    }
    words.upperHalves = {locale.amText().toUpper().toStdU16String(),
                         locale.pmText().toUpper().toStdU16String()};
    words.lowerHalves = {locale.amText().toLower().toStdU16String(),
                         locale.pmText().toLower().toStdU16String()};
    words.zero = OneUnit(locale.zeroDigit(), u'0');
    return words;
}

NumberMarks DesktopNumberMarks(const QLocale& locale) {
    NumberMarks marks;
    marks.decimal = OneUnit(locale.decimalPoint(), u'.');
    marks.group = OneUnit(locale.groupSeparator(), marks.decimal == u',' ? u'.' : u',');
    return marks;
}

void UseDesktopDateTimeFormats(const QLocale& locale) {
    const DateTimeWords words = DesktopDateTimeWords(locale);
    const QString dateTime = DesktopDateFormat(locale) + u' ' + DesktopTimeFormat(locale);
    SetDisplayFormats(DateTimeFormat(dateTime.toStdU16String(), words),
                      DateTimeFormat(DesktopMonthFormat(locale).toStdU16String(), words));
}
