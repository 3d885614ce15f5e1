#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "chart_data.h"
#include "log_record.h"
#include "log_test_support.h"
#include "recompute.h"

namespace {

// Points as "2007-08-26 07:30:45 15.64", months as "2007-08 11394/0" (fuel, then other), so that
// a table row reads as what the chart shows.
std::vector<std::string> Describe(const std::vector<ChartPoint>& points) {
    std::vector<std::string> texts;
    for (const ChartPoint& p : points) {
        char text[64];
        std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u %.2f", p.time.wYear,
                      p.time.wMonth, p.time.wDay, p.time.wHour, p.time.wMinute, p.time.wSecond,
                      p.value);
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> Describe(const std::vector<MonthSpending>& months) {
    std::vector<std::string> texts;
    for (const MonthSpending& m : months) {
        char text[64];
        std::snprintf(text, sizeof text, "%04u-%02u %lld/%lld", m.year, m.month,
                      static_cast<long long>(m.fuel), static_cast<long long>(m.other));
        texts.push_back(text);
    }
    return texts;
}

ChartData ChartsOf(const std::vector<LogRecord>& newestFirst) {
    LogBook book = BookOf(newestFirst);
    RecomputeLog(book);
    return BuildChartData(book);
}

// The worked example's series are checked where the window draws them; these rows are the rules.
struct SeriesRow {
    const char* name;
    std::vector<LogRecord> entries;  // newest first
    std::vector<std::string> kmPerL;
    std::vector<std::string> months;
    std::vector<std::string> yenPerL;
    int32_t fillUps;
    std::u16string note;
};

void PrintTo(const SeriesRow& row, std::ostream* out) {
    *out << row.name;
}

class ChartSeries : public testing::TestWithParam<SeriesRow> {};

TEST_P(ChartSeries, HoldTheRightPoints) {
    const SeriesRow& row = GetParam();
    const ChartData data = ChartsOf(row.entries);
    EXPECT_EQ(Describe(data.kmPerL), row.kmPerL);
    EXPECT_EQ(Describe(data.months), row.months);
    EXPECT_EQ(Describe(data.yenPerL), row.yenPerL);
    EXPECT_EQ(data.fillUps, row.fillUps);
    EXPECT_EQ(LeftOutNote(data), row.note);
}

const SeriesRow kSeriesRows[] = {
    {"MonthsWithoutEntriesAreZeroAcrossTheYearEnd",
     {Entry(2008, 2, 3, 8, 0, 0, 1500.0, 25.0, FillUp, 3500),
      Entry(2007, 11, 30, 8, 0, 0, 1000.0, 40.0, FillUp, 5600)},
     {"2008-02-03 08:00:00 20.00"},
     {"2007-11 5600/0", "2007-12 0/0", "2008-01 0/0", "2008-02 3500/0"},
     {"2007-11-30 08:00:00 140.00", "2008-02-03 08:00:00 140.00"},
     2,
     u""},
    // Fuel decides the split, not the kind: maintenance with fuel counts as fuel, as in "Fuel".
    {"FuelNotKindDecidesTheSpendingSplit",
     {Entry(2007, 8, 20, 8, 0, 0, 1100.0, 10.0, Maintenance, 1400),
      Entry(2007, 8, 10, 8, 0, 0, 1050.0, 0.0, NotFillUp, 300),
      Entry(2007, 8, 1, 8, 0, 0, 1000.0, 40.0, FillUp, 5600)},
     {},
     {"2007-08 7000/300"},
     {"2007-08-01 08:00:00 140.00", "2007-08-20 08:00:00 140.00"},
     1,
     u""},
    // A fill-up at the previous one's odometer has trip 0.0, which the list shows as "----".
    {"FillUpWithoutTripHasNoKmPerL",
     {Entry(2007, 8, 2, 8, 0, 0, 1000.0, 5.0, FillUp, 700),
      Entry(2007, 8, 1, 8, 0, 0, 1000.0, 40.0, FillUp, 5600)},
     {},
     {"2007-08 6300/0"},
     {"2007-08-01 08:00:00 140.00", "2007-08-02 08:00:00 140.00"},
     2,
     u""},
    {"EntriesWithNoCalendarDateAreLeftOutEverywhere",
     {Entry(2007, 13, 1, 8, 0, 0, 1600.0, 30.0, FillUp, 9999),
      Entry(2007, 2, 29, 8, 0, 0, 1300.0, 30.0, FillUp, 9999),
      Entry(2007, 2, 28, 8, 0, 0, 1200.0, 20.0, FillUp, 2800),
      Entry(2007, 1, 5, 8, 0, 0, 1000.0, 40.0, FillUp, 5600)},
     {"2007-02-28 08:00:00 10.00"},
     {"2007-01 5600/0", "2007-02 2800/0"},
     {"2007-01-05 08:00:00 140.00", "2007-02-28 08:00:00 140.00"},
     4,
     u"Left out: 2 entries whose date is no calendar date."},
    // The partial fill's litres keep the km/L finite; the price of the near-empty fill is not.
    {"FuelNearZeroGivesNoPointTooLargeToDraw",
     {Entry(2007, 8, 3, 8, 0, 0, 1300.0, 1e-320, FillUp, 2000000000),
      Entry(2007, 8, 2, 8, 0, 0, 1100.0, 20.0, NotFillUp, 2800),
      Entry(2007, 8, 1, 8, 0, 0, 1000.0, 40.0, FillUp, 5600)},
     {"2007-08-03 08:00:00 15.00"},
     {"2007-08 2000008400/0"},
     {"2007-08-01 08:00:00 140.00", "2007-08-02 08:00:00 140.00"},
     2,
     u"Left out: 1 value too large to draw (fuel near 0 L)."},
};

INSTANTIATE_TEST_SUITE_P(Rows, ChartSeries, testing::ValuesIn(kSeriesRows),
                         [](const auto& info) { return std::string(info.param.name); });

// 2070 for 2007: the bars end in 2070 and cover the newest kMaxMonths months only.
TEST(ChartData, AMistypedYearLeavesTheNewestMonthsOnly) {
    const ChartData data = ChartsOf({Entry(2070, 9, 1, 8, 0, 0, 1500.0, 0.0, Maintenance, 8400),
                                     Entry(2007, 8, 2, 8, 0, 0, 1300.0, 20.0, FillUp, 2800),
                                     Entry(2007, 8, 1, 8, 0, 0, 1000.0, 40.0, FillUp, 5600)});
    EXPECT_EQ(data.kmPerL.size(), 1u) << "the points keep every dated fill-up";
    ASSERT_EQ(data.months.size(), kMaxMonths);
    EXPECT_EQ(Describe({data.months.front()}), std::vector<std::string>{"2050-10 0/0"});
    EXPECT_EQ(Describe({data.months.back()}), std::vector<std::string>{"2070-09 0/8400"});
    EXPECT_EQ(data.beforeMonths, 2);
    EXPECT_EQ(LeftOutNote(data), u"The bars begin at 2050-10; 2 entries before it are left out.");
}

// Eight fill-ups 100 km apart with 10 L and 5 L by turns: 10 and 20 km/L by turns.
TEST(ChartData, MovingAverageTakesTheLastFivePointsAtMost) {
    std::vector<LogRecord> entries;
    for (uint16_t day = 8; day >= 1; --day) {
        entries.push_back(Entry(2007, 8, day, 8, 0, 0, 1000.0 + 100.0 * day,
                                day % 2 == 0 ? 10.0 : 5.0, FillUp, 1400));
    }
    const ChartData data = ChartsOf(entries);
    std::vector<double> average;
    for (const ChartPoint& p : data.kmPerLAverage) {
        average.push_back(p.value);
    }
    EXPECT_EQ(average, (std::vector<double>{10.0, 15.0, 40.0 / 3, 15.0, 14.0, 16.0, 14.0}));
    EXPECT_EQ(data.kmPerLAverage.back().time.wDay, 8) << "each mean at its own fill-up's date";
}

TEST(ChartData, Texts) {
    const ChartPoint point{{2007, 8, 0, 26, 7, 30, 45, 0}, 660.0 / 42.2};
    EXPECT_EQ(PointLabel(point, u"km/L"), u"2007-08-26 07:30:45  15.6 km/L");
    EXPECT_EQ(PointLabel({{987, 1, 0, 2, 3, 4, 5, 0}, 141.99}, u"\\/L"),
              u"0987-01-02 03:04:05  142.0 \\/L");  // years have four digits
    const MonthSpending august{2007, 8, 11394, 0};
    EXPECT_EQ(MonthName(august), u"2007-08");
    EXPECT_EQ(SpendingLabel(august, true), u"2007-08  fuel \\11,394");
    EXPECT_EQ(SpendingLabel({2007, 9, 0, 8400}, false), u"2007-09  other \\8,400");
    EXPECT_EQ(FewFillUpsSentence(1), u"Charts need at least two fill-ups; this log has 1.");
}

}  // namespace
