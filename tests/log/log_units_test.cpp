#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "log_format.h"
#include "log_header.h"
#include "log_parse.h"
#include "log_stats.h"
#include "log_test_support.h"
#include "money_text.h"
#include "recompute.h"

// A log's units as its file declares them, and its money and economy as the screen shows them.

namespace {

LogUnits Units(DistanceUnit distance, QuantityUnit quantity, const char* code) {
    return {distance, quantity, *CurrencyOfCode(code)};
}

// Every unit and a currency of each number of decimals, through the header line and back.
struct HeaderCase {
    const char* name;
    LogUnits units;
    std::string header;
};

void PrintTo(const HeaderCase& c, std::ostream* out) {
    *out << c.name;
}

class LogHeaderUnits : public testing::TestWithParam<HeaderCase> {};

TEST_P(LogHeaderUnits, AreWrittenAndReadBack) {
    const HeaderCase& c = GetParam();
    EXPECT_EQ(LogHeaderLine(c.units), c.header);
    std::vector<std::string> problems;
    EXPECT_EQ(ReadLogHeader(c.header, 8, problems), c.units);
    EXPECT_EQ(problems, std::vector<std::string>{});
}

const HeaderCase kHeaders[] = {
    {"KmLitresYenDeclareNothing", LogUnits{},
     "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
     "Trip,\\/L"},
    {"MilesUsGallonsEuros", Units(DistanceUnit::Mi, QuantityUnit::UsGallons, "EUR"),
     "Year,Month,Day,Hour,Minute,Second,Odo(mi),Fuel(us-gal),0:fillup 1:notFillup "
     "2:Maintenance,Cost(EUR),mi/us-gal,Trip(mi),EUR/us-gal"},
    {"ImperialGallonsPounds", Units(DistanceUnit::Mi, QuantityUnit::ImperialGallons, "GBP"),
     "Year,Month,Day,Hour,Minute,Second,Odo(mi),Fuel(imp-gal),0:fillup 1:notFillup "
     "2:Maintenance,Cost(GBP),mi/imp-gal,Trip(mi),GBP/imp-gal"},
    {"KgOfGasInDinars", Units(DistanceUnit::Km, QuantityUnit::Kg, "KWD"),
     "Year,Month,Day,Hour,Minute,Second,Odo(km),Fuel(kg),0:fillup 1:notFillup 2:Maintenance,"
     "Cost(KWD),km/kg,Trip(km),KWD/kg"},
    {"KwhInYenDeclaresAll", Units(DistanceUnit::Km, QuantityUnit::Kwh, "JPY"),
     "Year,Month,Day,Hour,Minute,Second,Odo(km),Fuel(kwh),0:fillup 1:notFillup 2:Maintenance,"
     "Cost(JPY),km/kwh,Trip(km),JPY/kwh"},
};

INSTANTIATE_TEST_SUITE_P(Log, LogHeaderUnits, testing::ValuesIn(kHeaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogHeaderUnits, AnythingElseDeclaresNothingAndAnUnknownUnitIsNamed) {
    std::vector<std::string> problems;
    EXPECT_EQ(ReadLogHeader("whatever the device wrote", 8, problems), LogUnits{});
    EXPECT_EQ(ReadLogHeader("Y,M,D,h,m,s,Odometer(mi),Fuel,k,Cost", 8, problems), LogUnits{});
    EXPECT_EQ(problems, std::vector<std::string>{});
    const LogUnits read =
        ReadLogHeader("Y,M,D,h,m,s,Odo(furlong),Fuel(kg),k,Cost(XYZ)", 8, problems);
    EXPECT_EQ(read, Units(DistanceUnit::Km, QuantityUnit::Kg, "JPY"));
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "line 8: the odometer's unit \"furlong\" is neither km nor mi; read as km",
                  "line 8: the currency \"XYZ\" is no ISO 4217 code Tarvo knows; the costs "
                  "are read as yen"}));
}

// A log in gallons and euros keeps what was entered: three decimals of gallons, costs in cents.
TEST(LogFileUnits, ALogInGallonsAndEurosReadsBackAsSaved) {
    LogBook book = BookOf({Entry(2024, 3, 10, 16, 1, 0, 20350.3, 12.345, FillUp, 6543),
                           Entry(2024, 3, 1, 9, 0, 0, 20049.1, 11.2, FillUp, 5810)});
    book.units = Units(DistanceUnit::Mi, QuantityUnit::UsGallons, "EUR");
    RecomputeLog(book);
    const std::string file = FormatLogFile(book);
    EXPECT_NE(file.find("\n2024,3,10,16,1,0,20350.3,12.345,0,6543,24.4,301.2,5.300\n"),
              std::string::npos)
        << file;
    EXPECT_NE(file.find("\n2024,3,1,9,0,0,20049.1,11.2,0,5810,0.0,0.0,5.188\n"), std::string::npos);
    LogBook read;
    std::vector<std::string> problems;
    ParseLog(file, read, problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(read.units, book.units);
    EXPECT_EQ(EnteredFields(read), EnteredFields(book));
}

struct MoneyCase {
    int64_t minor;
    int digits;
    const char* text;
};

TEST(MoneyText, MinorUnitsAreWrittenExactly) {
    const MoneyCase rows[] = {
        {6543, 2, "65.43"}, {-5, 2, "-0.05"}, {1234, 0, "1234"},
        {1, 3, "0.001"},    {0, 2, "0.00"},   {INT64_MIN, 2, "-92233720368547758.08"},
    };
    for (const MoneyCase& row : rows) {
        EXPECT_EQ(MajorUnitsText(row.minor, row.digits), row.text);
    }
    EXPECT_EQ(MoneyText(11394, Currency{}), u"\\11394");
    EXPECT_EQ(MoneyText(11394, Currency{}, true), u"\\11,394");
    EXPECT_EQ(MoneyText(6543, *CurrencyOfCode("eur")), u"EUR 65.43");
}

struct PriceCase {
    double typed;
    int digits;
    double truncated;  // as the keypad's price is taken
    double rounded;    // as an imported cost is taken
};

TEST(MoneyText, TypedPricesAreTruncatedAndImportedCostsRounded) {
    const PriceCase rows[] = {
        {1234.9, 0, 1234, 1235}, {0.5, 0, 0, 1},          {65.43, 2, 6543, 6543},
        {65.439, 2, 6543, 6544}, {-1.239, 2, -123, -124}, {0.001, 3, 1, 1},
    };
    for (const PriceCase& row : rows) {
        EXPECT_EQ(TruncatedMinorUnits(row.typed, row.digits), row.truncated) << row.typed;
        EXPECT_EQ(RoundedMinorUnits(row.typed, row.digits), row.rounded) << row.typed;
    }
}

// The summary and the report in each units and economy, on the worked example's figures.
struct ShownCase {
    const char* name;
    LogUnits units;
    Economy economy;
    std::u16string summary;
    std::string reportMileage;  // the report's lines 7 and 8
};

void PrintTo(const ShownCase& c, std::ostream* out) {
    *out << c.name;
}

class UnitsShown : public testing::TestWithParam<ShownCase> {};

TEST_P(UnitsShown, InTheSummaryAndTheReport) {
    const ShownCase& c = GetParam();
    LogBook book = WorkedExample();
    book.units = c.units;
    RecomputeLog(book, c.economy);
    EXPECT_EQ(book.summary, c.summary);
    EXPECT_EQ(SummaryLine(book, c.economy), c.summary);
    LogStats stats;
    ComputeStats(stats, book.records.data(), book.count);
    const std::u16string report = JoinColumnText(StatsReportColumns(
        stats, book.records[static_cast<size_t>(book.count) - 1], c.units, c.economy));
    const std::u16string mileage = report.substr(report.find(u"  4. MILEAGE"));
    EXPECT_EQ(mileage, std::u16string(c.reportMileage.begin(), c.reportMileage.end()));
}

const ShownCase kShown[] = {
    {"KmLitresYenInKmPerLitre", LogUnits{}, Economy::DistancePerQuantity,
     u"Av:15.6km/L, Fuel \\11394, All \\19794",
     "  4. MILEAGE:  Drive 660.0 km,  Av. 15.6 km/L\r\n\r\n"
     "     Highest / Lowest  15.6 / 15.6 km/L\r\n"},
    {"KmLitresYenInLitresPer100Km", LogUnits{}, Economy::QuantityPer100Distance,
     u"Av: 6.4L/100 km, Fuel \\11394, All \\19794",
     "  4. MILEAGE:  Drive 660.0 km,  Av. 6.4 L/100 km\r\n\r\n"
     "     Highest / Lowest  6.4 / 6.4 L/100 km\r\n"},
    {"MilesUsGallonsEurosInMpg", Units(DistanceUnit::Mi, QuantityUnit::UsGallons, "EUR"),
     Economy::DistancePerQuantity, u"Av:15.6mpg (US), Fuel EUR 113.94, All EUR 197.94",
     "  4. MILEAGE:  Drive 660.0 mi,  Av. 15.6 mpg (US)\r\n\r\n"
     "     Highest / Lowest  15.6 / 15.6 mpg (US)\r\n"},
    {"KwhPer100Miles", Units(DistanceUnit::Mi, QuantityUnit::Kwh, "GBP"),
     Economy::QuantityPer100Distance, u"Av: 6.4kWh/100 mi, Fuel GBP 113.94, All GBP 197.94",
     "  4. MILEAGE:  Drive 660.0 mi,  Av. 6.4 kWh/100 mi\r\n\r\n"
     "     Highest / Lowest  6.4 / 6.4 kWh/100 mi\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Log, UnitsShown, testing::ValuesIn(kShown),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UnitsShown, TheReportsPricesAndCostsAreInTheCurrency) {
    LogBook book = WorkedExample();
    book.units = Units(DistanceUnit::Km, QuantityUnit::Litres, "EUR");
    RecomputeLog(book);
    LogStats stats;
    ComputeStats(stats, book.records.data(), book.count);
    const std::u16string report = JoinColumnText(
        StatsReportColumns(stats, book.records[static_cast<size_t>(book.count) - 1], book.units));
    EXPECT_NE(report.find(u"     Av. 1.412 EUR/L  Highest / Lowest  1.430 / 1.400 EUR/L\r\n\r\n"
                          u"  3. COST:  Fuel EUR 113.94,  Other EUR 84.00\r\n\r\n"
                          u"     Total EUR 197.94\r\n"),
              std::u16string::npos);
}

}  // namespace
