#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "date_order.h"
#include "log_record.h"
#include "log_test_support.h"
#include "recompute.h"

namespace {

struct Derived {
    double carriedFuel;
    double trip;
    double kmPerL;
    double yenPerL;
};

void ExpectDerived(const LogBook& book, const std::vector<Derived>& expected) {
    ASSERT_EQ(static_cast<std::size_t>(book.count), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const LogRecord& r = book.records[i];
        EXPECT_DOUBLE_EQ(r.carriedFuel, expected[i].carriedFuel) << "record " << i;
        EXPECT_DOUBLE_EQ(r.trip, expected[i].trip) << "record " << i;
        EXPECT_DOUBLE_EQ(r.kmPerL, expected[i].kmPerL) << "record " << i;
        EXPECT_DOUBLE_EQ(r.yenPerL, expected[i].yenPerL) << "record " << i;
    }
}

// The four entries entered oldest first, sorted, then recomputed.
TEST(LogRecompute, WorkedExample) {
    LogBook book = WorkedExample();
    std::reverse(book.records.begin(), book.records.begin() + book.count);
    SortNewestFirst(book);
    EXPECT_EQ(EnteredFields(book), EnteredFields(WorkedExample())) << "newest first";
    EXPECT_EQ(book.totalCost, 19794);
    EXPECT_EQ(book.fuelCost, 11394);

    RecomputeLog(book);

    ExpectDerived(book, {
                            {0.0, 0.0, 0.0, 0.0},
                            {12.0, 660.0, 660.0 / 42.2, 4288.0 / 30.2},
                            {0.0, 0.0, 0.0, 143.0},
                            {0.0, 0.0, 0.0, 140.0},
                        });
    // sumFuel 0.0 + 30.2 + 12.0 = 42.2 over the distance 660.0: 15.64 km/L.
    EXPECT_EQ(book.summary, u"Av:15.6km/L, Fuel \\11394, All \\19794");
    EXPECT_EQ(book.summary[18], u'\x5C') << "one backslash, the currency mark";
}

struct EdgeRow {
    const char* name;
    std::vector<LogRecord> entries;  // newest first
    std::vector<Derived> derived;
    std::u16string summary;
};

// Rows are named in test output by their name alone.
void PrintTo(const EdgeRow& row, std::ostream* out) {
    *out << row.name;
}

class LogRecomputeEdge : public testing::TestWithParam<EdgeRow> {};

TEST_P(LogRecomputeEdge, DerivedValuesAndSummary) {
    LogBook book = BookOf(GetParam().entries);
    RecomputeLog(book);
    ExpectDerived(book, GetParam().derived);
    EXPECT_EQ(book.summary, GetParam().summary);
}

const EdgeRow kEdgeRows[] = {
    {"EmptyLog", {}, {}, u""},
    {"SingleFillUp",
     {Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, FillUp, 5390)},
     {{0.0, 0.0, 0.0, 140.0}},
     u""},
    {"TwoFillUps500kmWith25L",
     {Entry(2007, 8, 20, 9, 0, 0, 1500.0, 25.0, FillUp, 3500),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, 4200)},
     {{0.0, 500.0, 20.0, 140.0}, {0.0, 0.0, 0.0, 140.0}},
     u"Av:20.0km/L, Fuel \\7700, All \\7700"},
    {"AverageBelowTenIsPaddedToFourCharacters",
     {Entry(2007, 8, 20, 9, 0, 0, 1098.7, 10.0, FillUp, 1400),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, 4200)},
     {{0.0, 1098.7 - 1000.0, (1098.7 - 1000.0) / 10.0, 140.0}, {0.0, 0.0, 0.0, 140.0}},
     u"Av: 9.9km/L, Fuel \\5600, All \\5600"},
    {"PartialFillsAreCarriedIntoTheNextFillUp",
     {Entry(2007, 8, 30, 9, 0, 0, 1600.0, 20.0, FillUp, 2800),
      Entry(2007, 8, 20, 9, 0, 0, 1400.0, 10.0, NotFillUp, 1500),
      Entry(2007, 8, 10, 9, 0, 0, 1200.0, 10.0, NotFillUp, 1400),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, 4200)},
     {{20.0, 600.0, 15.0, 140.0},
      {0.0, 0.0, 0.0, 150.0},
      {0.0, 0.0, 0.0, 140.0},
      {0.0, 0.0, 0.0, 140.0}},
     u"Av:15.0km/L, Fuel \\9900, All \\9900"},
    {"EntriesNewerThanTheNewestFillUpAreCarriedNowhere",
     {Entry(2007, 9, 5, 9, 0, 0, 1700.0, 0.0, Maintenance, 3000),
      Entry(2007, 9, 1, 9, 0, 0, 1650.0, 10.0, NotFillUp, 1500),
      Entry(2007, 8, 20, 9, 0, 0, 1500.0, 25.0, FillUp, 3500),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, 4200)},
     {{0.0, 0.0, 0.0, 0.0},
      {0.0, 0.0, 0.0, 150.0},
      {0.0, 500.0, 20.0, 140.0},
      {0.0, 0.0, 0.0, 140.0}},
     // The newest entry with fuel ends the distance (650 km), its fuel counts (35 L); the
     // maintenance entry's cost is in "All" only.
     u"Av:18.6km/L, Fuel \\9200, All \\12200"},
    {"OldestNotAFillUpStartsTheFirstTrip",
     {Entry(2007, 8, 20, 9, 0, 0, 1500.0, 25.0, FillUp, 3500),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, NotFillUp, 4200)},
     {{30.0, 500.0, 500.0 / 55.0, 140.0}, {0.0, 0.0, 0.0, 140.0}},
     u"Av:20.0km/L, Fuel \\7700, All \\7700"},
    {"NoEntryWithFuelHasNoSummary",
     {Entry(2007, 8, 20, 9, 0, 0, 1500.0, 0.0, Maintenance, 3500),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 0.0, Maintenance, 4200)},
     {{0.0, 0.0, 0.0, 0.0}, {0.0, 0.0, 0.0, 0.0}},
     u""},
    {"OnlyTheOldestHasFuelHasNoSummary",
     {Entry(2007, 8, 20, 9, 0, 0, 1500.0, 0.0, Maintenance, 3500),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, 4200)},
     {{0.0, 0.0, 0.0, 0.0}, {0.0, 0.0, 0.0, 140.0}},
     u""},
    {"AnUnknownKindIsNotAFillUp",
     {Entry(2007, 8, 30, 9, 0, 0, 1600.0, 20.0, FillUp, 2800),
      Entry(2007, 8, 20, 9, 0, 0, 1400.0, 10.0, 7, 1500),
      Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, 4200)},
     {{10.0, 600.0, 20.0, 140.0}, {0.0, 0.0, 0.0, 150.0}, {0.0, 0.0, 0.0, 140.0}},
     u"Av:20.0km/L, Fuel \\8500, All \\8500"},
};

INSTANTIATE_TEST_SUITE_P(Log, LogRecomputeEdge, testing::ValuesIn(kEdgeRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogRecompute, SummaryShowsTotalsBeyond32Bits) {
    LogBook book = BookOf({Entry(2007, 8, 20, 9, 0, 0, 1500.0, 25.0, FillUp, INT32_MAX),
                           Entry(2007, 8, 12, 9, 0, 0, 1200.0, 0.0, Maintenance, INT32_MAX),
                           Entry(2007, 8, 4, 9, 0, 0, 1000.0, 30.0, FillUp, INT32_MAX)});
    RecomputeLog(book);
    EXPECT_EQ(book.summary, u"Av:20.0km/L, Fuel \\4294967294, All \\6442450941");
}

}  // namespace
