#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log_record.h"

// The figures the charts window draws, taken from a log whose derived fields RecomputeLog has
// set. Every series runs oldest first. An entry whose date is no calendar date (an edited file
// can hold month 13 or 31 April) has no place on a time axis and is left out of every chart.

struct ChartPoint {
    SYSTEMTIME time;  // the entry's date and time
    double value;
};

struct MonthSpending {
    uint16_t year;
    uint16_t month;  // 1 to 12
    int64_t fuel;    // paid at entries with fuel, as the summary's "Fuel" counts them
    int64_t other;   // paid at entries without fuel: the rest of the summary's "All"
};

// Charts need two fill-ups: with fewer there is no stretch whose km/L could be drawn.
inline constexpr int32_t kMinFillUpsForCharts = 2;

// The moving average of km/L at a fill-up is the mean of its own km/L and of the fill-ups with
// a km/L before it, five points at most: long enough to smooth one short tank of city driving,
// short enough to follow a change of season within two months of ordinary driving.
inline constexpr std::size_t kAverageWindow = 5;

// The bars cover at most this many months, the newest ones. A mistyped year (2070 for 2007) would
// otherwise spread a log over hundreds of empty months, too many bars to draw or read.
inline constexpr std::size_t kMaxMonths = 240;

struct ChartData {
    int32_t fillUps = 0;  // entries of kind FillUp, whatever their date
    // Every fill-up the log list shows an economy for (trip not 0.0), at its date and time, as
    // the economy is shown.
    std::vector<ChartPoint> kmPerL;
    // One point per km/L point, at the same date: the trailing mean over kAverageWindow points.
    std::vector<ChartPoint> kmPerLAverage;
    // Every calendar month from the oldest dated entry's to the newest one's, months without
    // entries included with zeros.
    std::vector<MonthSpending> months;
    // The price per unit of fuel of every entry with fuel, at its date and time, in the major unit
    // of the currency (euros, not cents).
    std::vector<ChartPoint> yenPerL;

    // What the charts leave out, so that the window can say so.
    int32_t undated = 0;         // entries whose date is no calendar date
    int32_t beforeMonths = 0;    // dated entries older than the first month of `months`
    int32_t infiniteValues = 0;  // km/L or prices too large for a double (fuel near 0.0)
};

// The chart data of the `count` records of `book` (newest first, recomputed), the economy shown
// as `economy` asks.
ChartData BuildChartData(const LogBook& book, Economy economy = Economy::DistancePerQuantity);

// Texts of the window, the backslash standing for the yen as everywhere in the program.

// "Charts need at least two fill-ups; this log has 1."
std::u16string FewFillUpsSentence(int32_t fillUps);
// "2007-08-26 07:30:45  15.6 km/L": a point's date and time as the user reads them (see
// DateTimeText::Display), its value to one decimal, then `unit`.
std::u16string PointLabel(const ChartPoint& point, std::u16string_view unit);
// "2007-08", or the month as the desktop writes months (DateTimeText::DisplayMonth).
std::u16string MonthName(const MonthSpending& month);
// "2007-08  fuel \11,394" or "2007-09  other \8,400", the amount as `currency` is shown.
std::u16string SpendingLabel(const MonthSpending& month, bool fuel,
                             const Currency& currency = Currency{});
// One sentence per kind of entry left out of the charts; empty when nothing was.
std::u16string LeftOutNote(const ChartData& data);
