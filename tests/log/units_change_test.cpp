#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "import_preview.h"
#include "log_change.h"
#include "log_conversion.h"
#include "log_export.h"
#include "log_format.h"
#include "log_import.h"
#include "log_load.h"
#include "log_session.h"
#include "log_test_support.h"
#include "number_text.h"
#include "recompute.h"

// Giving a log other units: its conversion, and imports in units or money other than the log's.

namespace {

LogUnits Units(DistanceUnit distance, QuantityUnit quantity, const char* code) {
    return {distance, quantity, *CurrencyOfCode(code)};
}

const LogUnits kMilesGallonsYen = Units(DistanceUnit::Mi, QuantityUnit::UsGallons, "JPY");
const LogUnits kKwhYen = Units(DistanceUnit::Km, QuantityUnit::Kwh, "JPY");
const LogUnits kKmLitresEuros = Units(DistanceUnit::Km, QuantityUnit::Litres, "EUR");

TEST(UnitsChange, ALogWithEntriesKeepsItsCurrencyAndItsKindOfFuel) {
    const LogBook empty = BookOf({});
    const LogBook held = WorkedExample();
    EXPECT_EQ(CheckUnitsChange(empty, kKwhYen), UnitsChange::Allowed);
    EXPECT_EQ(CheckUnitsChange(empty, kKmLitresEuros), UnitsChange::Allowed);
    EXPECT_EQ(CheckUnitsChange(held, kMilesGallonsYen), UnitsChange::Allowed);
    EXPECT_EQ(CheckUnitsChange(held, kKwhYen), UnitsChange::QuantityKinds);
    EXPECT_EQ(CheckUnitsChange(held, kKmLitresEuros), UnitsChange::CurrencyWithEntries);
}

TEST(UnitsChange, ConvertsOdometersFuelAndRemindersAsTheFileKeepsThem) {
    const LogBook converted = ConvertBook(WorkedExample(), kMilesGallonsYen);
    EXPECT_EQ(converted.units, kMilesGallonsYen);
    // 41950 km are 26066.48 miles, 30.2 L are 7.9779 US gallons.
    const double kept[][2] = {{26066.5, 0.0}, {26029.2, 7.978}, {25788.5, 3.17}, {25619.1, 10.171}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(converted.records[i].odo, kept[i][0]) << i;
        EXPECT_EQ(converted.records[i].fuel, kept[i][1]) << i;
        EXPECT_EQ(converted.records[i].cost, WorkedExample().records[i].cost) << i;
    }
    EXPECT_EQ(converted.reminders.value[0], 27961.7);
    EXPECT_EQ(converted.reminders.value[2], 0.0);
}

// The whole conversion of a file on the session's road: the log as it was kept first, then one
// save; a log without entries takes any units and needs no copy.
TEST(UnitsChange, TheFileIsConvertedOnceWithACopyOfItKeptFirst) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = WorkedExample();
    RecomputeLog(book);
    const std::string before = FormatLogFile(book);
    WriteBytes(path, before);
    LogBook shown;
    LogSession session(path, shown);
    ASSERT_TRUE(session.Open({}).read.ok());

    EXPECT_EQ(session.Make(LogChange::ConvertUnits(kKmLitresEuros)).notApplied,
              ApplyOutcome::UnitsDiffer);
    EXPECT_EQ(ReadBytes(path), before);

    const Backup kept = session.KeepCopy();
    EXPECT_EQ(kept.path, path + ".bak");
    EXPECT_EQ(session.Make(LogChange::ConvertUnits(kMilesGallonsYen)).result, ChangeResult::Saved);
    EXPECT_EQ(ReadBytes(kept.path), before);
    EXPECT_EQ(shown.units, kMilesGallonsYen);
    EXPECT_EQ(EnteredFields(shown), EnteredFields(ConvertBook(WorkedExample(), kMilesGallonsYen)));

    WriteBytes(path, FormatLogFile(BookOf({})));
    ASSERT_TRUE(session.Read().ok());
    EXPECT_EQ(session.Make(LogChange::ConvertUnits(kKmLitresEuros)).result, ChangeResult::Saved);
    EXPECT_EQ(shown.units, kKmLitresEuros);
}

// An import's entries in other units than the book they are made to.
TEST(UnitsChange, AnImportGivesANewLogItsUnitsAndIsConvertedIntoALogWithEntries) {
    const std::vector<LogRecord> inMiles = {Entry(2008, 1, 1, 0, 0, 0, 100.0, 10.0, FillUp, 1500)};
    LogBook empty = BookOf({});
    EXPECT_EQ(ApplyChange(empty, LogChange::Import(inMiles, kMilesGallonsYen)),
              ApplyOutcome::Applied);
    EXPECT_EQ(empty.units, kMilesGallonsYen);
    EXPECT_EQ(empty.records[0].odo, 100.0);

    LogBook held = WorkedExample();
    EXPECT_EQ(ApplyChange(held, LogChange::Import(inMiles, kMilesGallonsYen)),
              ApplyOutcome::Applied);
    EXPECT_EQ(held.units, LogUnits{});
    EXPECT_EQ(held.records[0].odo, 160.9);
    EXPECT_EQ(held.records[0].fuel, 37.9);

    LogBook other = WorkedExample();
    EXPECT_EQ(ApplyChange(other, LogChange::Import(inMiles, kKmLitresEuros)),
              ApplyOutcome::UnitsDiffer);
    EXPECT_EQ(other.count, 4);
}

// Files planned against a log that is not new: the log's units and money hold.
struct IntoLogCase {
    const char* name;
    LogUnits log;
    std::string file;
    std::vector<std::string> entries;  // odometer, fuel and cost as planned
    std::string said;  // a note of the plan, why a row is not placed, or why nothing can be
};

void PrintTo(const IntoLogCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportIntoUnits : public testing::TestWithParam<IntoLogCase> {};

TEST_P(ImportIntoUnits, KeepsTheLogsUnitsAndMoney) {
    const IntoLogCase& c = GetParam();
    LogBook book = BookOf({Entry(2000, 1, 1, 0, 0, 0, 10.0, 1.0, FillUp, 100)});
    book.units = c.log;
    const ImportPlan plan = PlanImport(c.file, book, ImportOptions());
    EXPECT_EQ(plan.units, c.log);
    std::vector<std::string> entries;
    for (const LogRecord& r : plan.entries) {
        entries.push_back(FormatFixed(r.odo, 1) + " " + FormatFixed(r.fuel, 3) + " " +
                          FormatInt(r.cost));
    }
    EXPECT_EQ(entries, c.entries);
    std::vector<std::string> said = plan.notes;
    said.push_back(plan.unusable);
    for (const UnplacedRow& row : plan.unplaced) {
        said.push_back("line " + FormatInt(row.line) + ": " + row.reason);
    }
    EXPECT_NE(std::find(said.begin(), said.end(), c.said), said.end()) << ImportPreview(plan);
}

const IntoLogCase kIntoLogs[] = {
    {"KmAndLitresIntoMilesAndGallons",
     kMilesGallonsYen,
     "Date,Odo (km),Litres,Cost\n2024-01-01,1609.3,37.9,6000\n",
     {"1000.0 10.012 6000"},
     "Fuel was converted from litres to US gallons (1 gallon = 3.785411784 L)."},
    {"EurosWithCentsIntoAEuroLog",
     kKmLitresEuros,
     "Date,Odometer,Litres,Cost (EUR)\n2024-01-01,1000,30,65.43\n2024-01-02,1100,5,0.005\n",
     {"1000.0 30.000 6543", "1100.0 5.000 1"},
     "1 cost was rounded to 0.01 EUR, the smallest amount the log keeps."},
    {"EurosIntoAYenLogAreRefused",
     LogUnits{},
     "Date,Odometer,Litres,Cost,Currency\n2024-01-01,1000,30,65.43,EUR\n",
     {},
     "The costs are in EUR (\"EUR\" on line 2), and this log keeps its costs in JPY. Tarvo "
     "converts no money. To keep a log in EUR, export this one, move the log aside, make a new "
     "log in EUR (tarvo --new-log --currency=EUR) and import into it."},
    {"KgIntoALitreLogIsNotPlaced",
     LogUnits{},
     "Date,Odometer,Fuel (kg),Cost\n2024-01-01,1000,12,1500\n",
     {},
     "line 2: the fuel \"12\" is in kg, which cannot be converted to litres, the log's unit"},
};

INSTANTIATE_TEST_SUITE_P(Log, ImportIntoUnits, testing::ValuesIn(kIntoLogs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportIntoUnits, ANewLogAsksTheCurrencyOfCostsWithFractionsAndKeepsTheirCents) {
    const std::string file = "Date,Odometer,Litres,Cost\n2024-01-01,1000,30,67.09\n";
    const ImportPlan asked = PlanImport(file, LogBook(), ImportOptions());
    ASSERT_EQ(asked.questions.size(), 1u);
    EXPECT_EQ(asked.questions[0].kind, QuestionKind::Currency);
    ImportOptions pounds;
    pounds.currency = CurrencyOfCode("GBP");
    const ImportPlan plan = PlanImport(file, LogBook(), pounds);
    ASSERT_EQ(plan.entries.size(), 1u);
    EXPECT_EQ(plan.entries[0].cost, 6709);
    EXPECT_EQ(plan.units.currency.code, "GBP");
}

TEST(ImportIntoUnits, TarvosOwnExportCarriesItsUnitsIntoANewLog) {
    LogBook book = BookOf({Entry(2024, 3, 10, 16, 1, 0, 20350.3, 12.345, FillUp, 6543)});
    book.units = Units(DistanceUnit::Mi, QuantityUnit::UsGallons, "EUR");
    RecomputeLog(book);
    const ImportPlan plan = PlanImport(ExportLog(book), LogBook(), ImportOptions());
    EXPECT_EQ(plan.format, "Tarvo export");
    EXPECT_EQ(plan.units, book.units);
    ASSERT_EQ(plan.entries.size(), 1u);
    EXPECT_EQ(EnteredFields(BookOf(plan.entries)), EnteredFields(book));
}

}  // namespace
