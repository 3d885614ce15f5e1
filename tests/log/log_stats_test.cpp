#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "log_record.h"
#include "log_stats.h"
#include "log_test_support.h"
#include "number_text.h"
#include "recompute.h"
#include "utf8.h"

namespace {

constexpr int32_t kMaxCost = std::numeric_limits<int32_t>::max();

// An entry at noon of `day` in March 2008 whose economy RecomputeLog would have set to `kmPerL`.
LogRecord At(uint16_t day, int32_t kind, double fuel, double odo, int32_t cost,
             double kmPerL = 0.0) {
    LogRecord r = Entry(2008, 3, day, 12, 0, 0, odo, fuel, kind, cost);
    r.kmPerL = kmPerL;
    return r;
}

LogStats Computed(const std::vector<LogRecord>& newestFirst) {
    // Every field off its initial value, so that a field the pass forgets to reset shows.
    LogStats stats{7, 7, 7, 7.0, 7.0, 7.0, 7.0, 7.0, 7.0, 7.0, 7.0};
    ComputeStats(stats, newestFirst.data(), static_cast<int32_t>(newestFirst.size()));
    return stats;
}

std::u16string Report(const std::vector<LogRecord>& newestFirst) {
    return JoinColumnText(StatsReportColumns(Computed(newestFirst), newestFirst.back()));
}

// Line `n` (1 to 8) of a report, without its line end; the blank lines between are not counted.
std::u16string Line(const std::u16string& report, int n) {
    std::size_t start = 0;
    for (int seen = 0; start < report.size();) {
        const std::size_t end = report.find(u"\r\n", start);
        if (end == std::u16string::npos) {
            break;
        }
        if (end > start && ++seen == n) {
            return report.substr(start, end - start);
        }
        start = end + 2;
    }
    ADD_FAILURE() << "the report has no line " << n;
    return {};
}

void ExpectStats(const LogStats& actual, const LogStats& expected) {
    EXPECT_EQ(actual.refuels, expected.refuels);
    EXPECT_EQ(actual.fuelCost, expected.fuelCost);
    EXPECT_EQ(actual.totalCost, expected.totalCost);
    EXPECT_DOUBLE_EQ(actual.totalFuel, expected.totalFuel);
    EXPECT_DOUBLE_EQ(actual.maxYenPerL, expected.maxYenPerL);
    EXPECT_DOUBLE_EQ(actual.minYenPerL, expected.minYenPerL);
    EXPECT_DOUBLE_EQ(actual.drive, expected.drive);
    EXPECT_DOUBLE_EQ(actual.maxRefuel, expected.maxRefuel);
    EXPECT_DOUBLE_EQ(actual.minRefuel, expected.minRefuel);
    EXPECT_DOUBLE_EQ(actual.maxKmPerL, expected.maxKmPerL);
    EXPECT_DOUBLE_EQ(actual.minKmPerL, expected.minKmPerL);
}

// Four records newest first, their economy set by the recompute pass: a fill-up, a maintenance
// entry, a fill-up and the oldest fill-up.
std::vector<LogRecord> WorkedStatsExample() {
    LogBook book = BookOf({
        Entry(2007, 7, 20, 18, 30, 0, 1400.0, 30.0, FillUp, 4230),
        Entry(2007, 7, 15, 12, 0, 0, 1250.0, 0.0, Maintenance, 3000),
        Entry(2007, 7, 10, 8, 15, 0, 1100.0, 25.0, FillUp, 3700),
        Entry(2007, 7, 1, 9, 5, 3, 1000.0, 40.0, FillUp, 5560),
    });
    RecomputeLog(book);
    return {book.records.begin(), book.records.begin() + book.count};
}

TEST(LogStats, WorkedExample) {
    const std::vector<LogRecord> records = WorkedStatsExample();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_DOUBLE_EQ(records[0].kmPerL, 10.0);
    EXPECT_DOUBLE_EQ(records[2].kmPerL, 4.0);
    EXPECT_DOUBLE_EQ(records[3].kmPerL, 0.0);

    // Prices 141.0, 148.0 and 139.0; km/L extremes from records 0 and 2 only.
    ExpectStats(Computed(records),
                {3, 13490, 16490, 95.0, 148.0, 139.0, 400.0, 40.0, 25.0, 10.0, 4.0});

    const std::u16string expected =
        u"  1. RECORD START:  2007-07-01 09:05:03\r\n\r\n"
        u"  2. REFUEL:  3 times,  Total 95.0 L\r\n\r\n"
        u"     Max. Refuel 40.0 L,  Min. Refuel 25.0 L\r\n"
        u"     Av. 142.0 \\/L  Highest / Lowest  148.0 / 139.0 \\/L\r\n\r\n"
        u"  3. COST:  Fuel \\13490,  Other \\3000\r\n\r\n"
        u"     Total \\16490\r\n\r\n"
        u"  4. MILEAGE:  Drive 400.0 km,  Av. 7.3 km/L\r\n\r\n"
        u"     Highest / Lowest  10.0 / 4.0 km/L\r\n";
    const std::u16string report = Report(records);
    EXPECT_EQ(report, expected);
    EXPECT_EQ(report.find(u"\\\\"), std::u16string::npos) << "the currency mark is one character";
    EXPECT_EQ(report[report.find(u"Fuel ") + 5], u'\x5C');
}

struct StatsRow {
    const char* name;
    std::vector<LogRecord> records;  // newest first
    LogStats expected;
};

void PrintTo(const StatsRow& row, std::ostream* out) {
    *out << row.name;
}

class LogStatsPass : public testing::TestWithParam<StatsRow> {};

TEST_P(LogStatsPass, Accumulates) {
    ExpectStats(Computed(GetParam().records), GetParam().expected);
}

// LogStats fields: refuels, fuelCost, totalCost, totalFuel, maxYenPerL, minYenPerL, drive,
// maxRefuel, minRefuel, maxKmPerL, minKmPerL.
const StatsRow kStatsRows[] = {
    {"ZeroLitreRecordAddsItsCostToTheTotalOnly",
     {At(20, FillUp, 20.0, 1300.0, 3000, 10.0), At(15, Maintenance, 0.0, 1250.0, 5000),
      At(10, FillUp, 40.0, 1100.0, 5600, 4.0), At(1, FillUp, 30.0, 1000.0, 4500)},
     {3, 13100, 18100, 90.0, 150.0, 140.0, 300.0, 40.0, 20.0, 10.0, 4.0}},
    {"MaintenanceNewerThanTheLastFillUpLeavesDriveAndEconomyAlone",
     {At(25, Maintenance, 0.0, 1500.0, 8000, 99.0), At(20, FillUp, 20.0, 1300.0, 3000, 10.0),
      At(1, FillUp, 30.0, 1000.0, 4500)},
     {2, 7500, 15500, 50.0, 150.0, 150.0, 300.0, 30.0, 20.0, 10.0, 10.0}},
    {"NotFillUpWithLitresIsARefuelButNeverInTheEconomyExtremes",
     {At(20, FillUp, 20.0, 1300.0, 3000, 12.0), At(15, NotFillUp, 5.0, 1200.0, 800),
      At(10, FillUp, 40.0, 1100.0, 5600, 4.0), At(1, FillUp, 30.0, 1000.0, 4500)},
     {4, 13900, 13900, 95.0, 160.0, 140.0, 300.0, 40.0, 5.0, 12.0, 4.0}},
    {"OldestFillUpNeverInTheEconomyExtremes",
     {At(20, FillUp, 20.0, 1300.0, 3000, 10.0), At(10, FillUp, 40.0, 1100.0, 5600, 8.0),
      At(1, FillUp, 30.0, 1000.0, 4500, 99.0)},
     {3, 13100, 13100, 90.0, 150.0, 140.0, 300.0, 40.0, 20.0, 10.0, 8.0}},
    {"NoFillUpButTheOldestKeepsTheStartingEconomy",
     {At(20, NotFillUp, 20.0, 1300.0, 3000), At(10, Maintenance, 0.0, 1100.0, 900),
      At(1, FillUp, 30.0, 1000.0, 4500)},
     {2, 7500, 8400, 50.0, 150.0, 150.0, 0.0, 30.0, 20.0, 0.0, 1000.0}},
    {"NoRecordWithLitresKeepsTheStartingRefuelsAndPrices",
     {At(20, Maintenance, 0.0, 1300.0, 3000), At(1, FillUp, 0.0, 1000.0, 500)},
     {0, 0, 3500, 0.0, 0.0, 1000.0, 0.0, 0.0, 1000.0, 0.0, 1000.0}},
    {"FillUpReadAsZeroKmGivesWayToTheNextOlder",
     {At(20, FillUp, 20.0, 0.0, 3000), At(10, FillUp, 40.0, 1100.0, 5600, 4.0),
      At(1, FillUp, 30.0, 1000.0, 4500)},
     {3, 13100, 13100, 90.0, 150.0, 140.0, 100.0, 40.0, 20.0, 4.0, 0.0}},
    {"NoFillUpWithAReadingDrivesTheOldestReadingBackwards",
     {At(20, NotFillUp, 20.0, 1300.0, 3000), At(10, FillUp, 10.0, 0.0, 1500),
      At(1, Maintenance, 0.0, 1000.0, 700)},
     {2, 4500, 5200, 30.0, 150.0, 150.0, -1000.0, 20.0, 10.0, 0.0, 0.0}},
    {"KindOutsideTheKnownThreeCountsAsNoFillUp",
     {At(20, 7, 20.0, 1300.0, 3000, 50.0), At(1, FillUp, 30.0, 1000.0, 4500)},
     {2, 7500, 7500, 50.0, 150.0, 150.0, 0.0, 30.0, 20.0, 0.0, 1000.0}},
    {"CostsBeyond32BitsSumIn64",
     {At(20, FillUp, 20.0, 1300.0, kMaxCost, 15.0), At(15, Maintenance, 0.0, 1200.0, kMaxCost),
      At(1, FillUp, 30.0, 1000.0, kMaxCost)},
     // Both prices lie above the lowest price's starting value, which therefore stays.
     {2, 2 * int64_t{kMaxCost}, 3 * int64_t{kMaxCost}, 50.0, kMaxCost / 20.0, 1000.0, 300.0, 30.0,
      20.0, 15.0, 15.0}},
    {"NothingBelowOneRecord", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, LogStatsPass, testing::ValuesIn(kStatsRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct LineRow {
    const char* name;
    std::vector<LogRecord> records;  // newest first
    int line;
    std::u16string text;
};

void PrintTo(const LineRow& row, std::ostream* out) {
    *out << row.name;
}

class LogStatsReportLine : public testing::TestWithParam<LineRow> {};

TEST_P(LogStatsReportLine, Reads) {
    EXPECT_EQ(Line(Report(GetParam().records), GetParam().line), GetParam().text);
}

const std::vector<LogRecord> kNoLitres = {At(20, Maintenance, 0.0, 1300.0, 3000),
                                          At(1, FillUp, 0.0, 1000.0, 500)};
const std::vector<LogRecord> kLitresAtTheOldestOnly = {At(20, FillUp, 0.0, 1300.0, 3000),
                                                       At(1, FillUp, 40.0, 1000.0, 5600)};
const std::vector<LogRecord> kCostsBeyond32Bits = {At(20, FillUp, 20.0, 1300.0, kMaxCost),
                                                   At(15, Maintenance, 0.0, 1200.0, kMaxCost),
                                                   At(1, FillUp, 30.0, 1000.0, kMaxCost)};

const LineRow kLineRows[] = {
    {"NoLitresShowNoAveragePrice", kNoLitres, 4,
     u"     Av. ---- \\/L  Highest / Lowest  0.0 / 1000.0 \\/L"},
    {"NoLitresShowNoAverageEconomy", kNoLitres, 7, u"  4. MILEAGE:  Drive 0.0 km,  Av. ---- km/L"},
    {"NoLitresKeepTheStartingRefuels", kNoLitres, 3,
     u"     Max. Refuel 0.0 L,  Min. Refuel 1000.0 L"},
    {"LitresAtTheOldestOnlyStillGiveAPrice", kLitresAtTheOldestOnly, 4,
     u"     Av. 140.0 \\/L  Highest / Lowest  140.0 / 140.0 \\/L"},
    {"LitresAtTheOldestOnlyDroveNothing", kLitresAtTheOldestOnly, 7,
     u"  4. MILEAGE:  Drive 300.0 km,  Av. ---- km/L"},
    {"OldestLitresCountInTheTotal", kLitresAtTheOldestOnly, 2,
     u"  2. REFUEL:  1 times,  Total 40.0 L"},
    {"NoFillUpButTheOldestShowsTheStartingEconomy", kNoLitres, 8,
     u"     Highest / Lowest  0.0 / 1000.0 km/L"},
    {"CostsBeyond32BitsPrintWhole", kCostsBeyond32Bits, 5,
     u"  3. COST:  Fuel \\4294967294,  Other \\2147483647"},
    {"TotalBeyond32BitsPrintsWhole", kCostsBeyond32Bits, 6, u"     Total \\6442450941"},
    // As the user reads dates; on the command line, and until the window sets the desktop's, the
    // form of ISO 8601.
    {"DateAndTimeAsDisplayed",
     {At(20, FillUp, 20.0, 1300.0, 3000), Entry(2007, 12, 31, 23, 0, 59, 1000.0, 30.0, FillUp, 1)},
     1,
     u"  1. RECORD START:  2007-12-31 23:00:59"},
    {"NegativeDrive",
     {At(20, NotFillUp, 20.0, 1300.0, 3000), At(1, Maintenance, 0.0, 1000.0, 700)},
     7,
     u"  4. MILEAGE:  Drive -1000.0 km,  Av. -50.0 km/L"},
};

INSTANTIATE_TEST_SUITE_P(Rows, LogStatsReportLine, testing::ValuesIn(kLineRows),
                         [](const auto& info) { return std::string(info.param.name); });

// No line is cut however long its numbers grow.
TEST(LogStats, HugeNumbersAreNeverCut) {
    LogStats stats;
    stats.drive = 1e300;
    stats.totalFuel = 1.0;
    LogRecord oldest;
    const std::u16string line = Line(JoinColumnText(StatsReportColumns(stats, oldest)), 7);
    const std::u16string drive = Utf8ToUtf16(FormatFixed(1e300, 1));
    ASSERT_EQ(drive.size(), 303u);
    EXPECT_EQ(line, u"  4. MILEAGE:  Drive " + drive + u" km,  Av. " + drive + u" km/L");
}

// A German process locale writes "12,5" through printf; the report keeps the point.
TEST(LogStats, DecimalPointWhateverTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no German locale on this machine";
    }
    const std::u16string report = Report(WorkedStatsExample());
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(Line(report, 7), u"  4. MILEAGE:  Drive 400.0 km,  Av. 7.3 km/L");
}

}  // namespace
