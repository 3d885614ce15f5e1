#include "chart_data.h"

#include <algorithm>
#include <cmath>

#include "calendar.h"
#include "date_time_text.h"
#include "money_text.h"
#include "number_text.h"
#include "utf8.h"

namespace {

// Months counted from January of year 0, so that consecutive months differ by one.
int64_t MonthNumber(const SYSTEMTIME& time) {
    return int64_t{time.wYear} * 12 + time.wMonth - 1;
}

MonthSpending MonthOfNumber(int64_t number) {
    return {static_cast<uint16_t>(number / 12), static_cast<uint16_t>(number % 12 + 1), 0, 0};
}

// The trailing mean at each point over the point and up to kAverageWindow - 1 before it.
std::vector<ChartPoint> MovingAverage(const std::vector<ChartPoint>& points) {
    std::vector<ChartPoint> average;
    average.reserve(points.size());
    double windowSum = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        windowSum += points[i].value;
        if (i >= kAverageWindow) {
            windowSum -= points[i - kAverageWindow].value;
        }
        const std::size_t inWindow = i < kAverageWindow ? i + 1 : kAverageWindow;
        average.push_back({points[i].time, windowSum / static_cast<double>(inWindow)});
    }
    return average;
}

// Adds `value` at `time` unless no chart could draw it.
void AddPoint(std::vector<ChartPoint>& series, const SYSTEMTIME& time, double value,
              ChartData& data) {
    if (std::isfinite(value)) {
        series.push_back({time, value});
    } else {
        ++data.infiniteValues;
    }
}

// The spending of every dated entry by month, within the newest kMaxMonths months.
void SumMonths(const LogRecord* records, std::size_t used, ChartData& data) {
    int64_t oldest = 0;
    int64_t newest = -1;
    for (std::size_t i = 0; i < used; ++i) {
        if (!IsCalendarDate(records[i].time)) {
            continue;
        }
        const int64_t month = MonthNumber(records[i].time);
        oldest = newest < 0 || month < oldest ? month : oldest;
        newest = month > newest ? month : newest;
    }
    if (newest < 0) {
        return;
    }
    const int64_t first = std::max(oldest, newest - static_cast<int64_t>(kMaxMonths) + 1);
    for (int64_t month = first; month <= newest; ++month) {
        data.months.push_back(MonthOfNumber(month));
    }
    for (std::size_t i = 0; i < used; ++i) {
        const LogRecord& r = records[i];
        if (!IsCalendarDate(r.time)) {
            continue;
        }
        const int64_t month = MonthNumber(r.time);
        if (month < first) {
            ++data.beforeMonths;
            continue;
        }
        MonthSpending& bar = data.months[static_cast<std::size_t>(month - first)];
        (r.fuel != 0.0 ? bar.fuel : bar.other) += r.cost;
    }
}

// A month as the user reads months.
std::string YearMonth(int year, int month) {
    SYSTEMTIME t{};
    t.wYear = static_cast<uint16_t>(year);
    t.wMonth = static_cast<uint16_t>(month);
    t.wDay = 1;
    return FormatDateTimeText(t, DateTimeText::DisplayMonth);
}

}  // namespace

ChartData BuildChartData(const LogBook& book, Economy economy) {
    ChartData data;
    const std::size_t used = UsedCount(book);
    const LogRecord* records = book.records.data();
    // Oldest first: the records run newest first.
    for (std::size_t i = used; i-- > 0;) {
        const LogRecord& r = records[i];
        data.fillUps += r.kind == FillUp;
        if (!IsCalendarDate(r.time)) {
            ++data.undated;
            continue;
        }
        // The same rules as the log list's km/L and price columns.
        if (r.trip != 0.0) {
            AddPoint(data.kmPerL, r.time, EconomyValue(r.kmPerL, economy), data);
        }
        if (r.fuel != 0.0) {
            AddPoint(data.yenPerL, r.time, PriceInMajorUnits(r.yenPerL, book.units.currency), data);
        }
    }
    data.kmPerLAverage = MovingAverage(data.kmPerL);
    SumMonths(records, used, data);
    return data;
}

std::u16string FewFillUpsSentence(int32_t fillUps) {
    return Utf8ToUtf16("Charts need at least two fill-ups; this log has " + FormatInt(fillUps) +
                       ".");
}

std::u16string PointLabel(const ChartPoint& point, std::u16string_view unit) {
    std::string text = FormatDateTimeText(point.time, DateTimeText::Display) + "  ";
    AppendFixed(text, point.value, 1);
    text += ' ';
    std::u16string label = Utf8ToUtf16(text);
    label += unit;
    return label;
}

std::u16string MonthName(const MonthSpending& month) {
    return Utf8ToUtf16(YearMonth(month.year, month.month));
}

std::u16string SpendingLabel(const MonthSpending& month, bool fuel, const Currency& currency) {
    return Utf8ToUtf16(YearMonth(month.year, month.month) + (fuel ? "  fuel " : "  other ")) +
           MoneyText(fuel ? month.fuel : month.other, currency, true);
}

std::u16string LeftOutNote(const ChartData& data) {
    std::string note;
    if (data.undated > 0) {
        note += "Left out: " + Plural(data.undated, "entry", "entries") +
                " whose date is no calendar date.";
    }
    if (data.beforeMonths > 0 && !data.months.empty()) {
        note += note.empty() ? "" : " ";
        note += "The bars begin at " +
                YearMonth(data.months.front().year, data.months.front().month) + "; " +
                Plural(data.beforeMonths, "entry", "entries") + " before it are left out.";
    }
    if (data.infiniteValues > 0) {
        note += note.empty() ? "" : " ";
        note += "Left out: " + Plural(data.infiniteValues, "value", "values") +
                " too large to draw (fuel near 0 L).";
    }
    return Utf8ToUtf16(note);
}
