#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "entry_key.h"
#include "import_preview.h"
#include "import_test_text.h"
#include "log_import.h"
#include "log_test_support.h"

// A row whose quantity the import cannot read or place is a question or a row not placed, never
// an entry without fuel; only what the file marks as a cost becomes maintenance.

namespace {

// A Fuelio backup: its Vehicle row's unit codes, the Log's fuel column, and Log rows of
// "date,odo,fuel,full,price,tank" with a trailing Costs table of one income row.
std::string Fuelio(const std::string& fuelUnit, const std::string& tank2Unit,
                   const std::string& fuelColumn, const std::vector<std::string>& rows) {
    std::string file =
        "\"## Vehicle\"\n\"Name\",\"DistUnit\",\"FuelUnit\",\"TankCount\",\"FuelUnitTank2\"\n"
        "\"Car\",\"0\",\"" +
        fuelUnit + "\",\"2\",\"" + tank2Unit + "\"\n\"## Log\"\n\"Data\",\"Odo (km)\",\"" +
        fuelColumn + "\",\"Full\",\"Price (optional)\",\"TankNumber\",\"UniqueId\"\n";
    int id = 1;
    for (const std::string& row : rows) {
        file += row + "," + std::to_string(id++) + "\n";
    }
    return file +
           "\"## Costs\"\n\"CostTitle\",\"Date\",\"Odo\",\"CostTypeID\",\"Cost\",\"isIncome\"\n"
           "\"Sold seat\",\"2024-03-12\",\"0\",\"1\",\"900\",\"1\"\n"
           "\"Wash\",\"2024-03-13\",\"0\",\"1\",\"700\",\"0\"\n";
}

const std::vector<std::string> kTwoTanks = {"2024-03-10 16:01,1000,40,1,6000,1",
                                            "2024-03-11 09:00,1100,12.5,1,1500,2"};

struct MeaningCase {
    const char* name;
    std::string bytes;
    bool intoLitresLog;  // else a new log
    ImportOptions options;
    std::vector<std::string> questions;  // their subjects; while any is open nothing is planned
    std::vector<std::string> entries;
    std::vector<std::string> unplaced;
    std::string units;  // "km l" of a new log's entries
};

void PrintTo(const MeaningCase& c, std::ostream* out) {
    *out << c.name;
}

ImportOptions WithTank(int tank) {
    ImportOptions options;
    options.tank = tank;
    return options;
}

ImportOptions WithUnit(const std::string& words, Unit unit) {
    ImportOptions options;
    options.unitAnswers[words] = unit;
    return options;
}

ImportOptions WithColumns(std::map<std::string, std::string> columns) {
    ImportOptions options;
    options.columns = std::move(columns);
    return options;
}

class ImportMeaning : public testing::TestWithParam<MeaningCase> {};

TEST_P(ImportMeaning, UnreadQuantitiesAreNeverCosts) {
    const MeaningCase& c = GetParam();
    LogBook log =
        c.intoLitresLog ? BookOf({Entry(2020, 1, 1, 0, 0, 0, 10.0, 5.0, FillUp, 100)}) : LogBook();
    const ImportPlan plan = PlanImport(c.bytes, log, c.options);
    std::vector<std::string> subjects;
    for (const ImportQuestion& question : plan.questions) {
        subjects.push_back(question.subject);
    }
    EXPECT_EQ(subjects, c.questions) << ImportPreview(plan);
    EXPECT_EQ(Described(plan.entries), c.entries);
    EXPECT_EQ(Unplaced(plan), c.unplaced);
    if (!c.units.empty()) {
        EXPECT_EQ(std::string(DistanceWord(plan.units.distance)) + " " +
                      std::string(QuantityWord(plan.units.quantity)),
                  c.units);
    }
    if (plan.CanProceed()) {
        log.units = plan.units;
        AddPlannedEntries(log, plan.entries, plan.inLog);
        EXPECT_TRUE(PlanImport(c.bytes, log, c.options).entries.empty()) << "a second import";
    }
}

const std::string kWash = "2024-03-13 00:00:00 M odo 0 fuel 0 cost 700";

const MeaningCase kMeaningCases[] = {
    {"TracktorsFuelAmountIsFuel",
     "Date,Odometer,FuelAmount,Cost,Filled,MissedLast,Notes\n"
     "2024-05-01,1000,30.5,4000,true,false,\n2024-05-09,1400,20,2500,false,false,half\n",
     false,
     {},
     {},
     {"2024-05-01 00:00:00 F odo 1000 fuel 30.5 cost 4000",
      "2024-05-09 00:00:00 N odo 1400 fuel 20 cost 2500"},
     {},
     "km l"},
    {"AnUnknownNumberColumnLeavesTheRowNotPlaced",
     "Date,Odometer,Betankt,Cost,Notes\n2024-05-01,1000,30.5,4000,x\n2024-05-02,1000,0,900,\n",
     false,
     {},
     {},
     {"2024-05-02 00:00:00 M odo 1000 fuel 0 cost 900"},
     {"line 2: the file has no fuel column Tarvo knows, and its column \"Betankt\" holds "
      "\"30.5\", which may be fuel: the row is not taken as a cost without fuel"},
     ""},
    {"ATableOfCostsAloneIsMaintenance",
     "Date,Odometer,Cost,Notes\n2024-05-01,1000,4000,tyres\n",
     false,
     {},
     {},
     {"2024-05-01 00:00:00 M odo 1000 fuel 0 cost 4000"},
     {},
     ""},
    {"FuelioKgIntoALitresLogIsNotPlaced",
     Fuelio("4", "0", "Fuel (kg)", {"2024-03-10 16:01,1000,12.5,1,1500,1"}),
     true,
     {},
     {},
     {kWash},
     {"line 6: the fuel \"12.5\" is in kg, which cannot be converted to litres, the log's unit",
      "line 9: the row is marked as income, not an expense"},
     ""},
    {"FuelioCodeTheColumnDisagreesWithIsAQuestion",
     Fuelio("0", "0", "Fuel (kg)", {"2024-03-10 16:01,1000,12.5,1,1500,1"}),
     false,
     {},
     {"fuelunit 0"},
     {},
     {},
     ""},
    {"FuelioDisagreementAnswered",
     Fuelio("0", "0", "Fuel (kg)", {"2024-03-10 16:01,1000,12.5,1,1500,1"}),
     false,
     WithUnit("fuelunit 0", Unit::Kilograms),
     {},
     {"2024-03-10 16:01:00 F odo 1000 fuel 12.5 cost 1500", kWash},
     {"line 9: the row is marked as income, not an expense"},
     "km kg"},
    {"FuelioUnknownCodeIsAQuestion",
     Fuelio("3", "0", "Fuel", {"2024-03-10 16:01,1000,12.5,1,1500,1"}),
     false,
     {},
     {"fuelunit 3"},
     {},
     {},
     ""},
    {"FuelioUsGallonsAgreeWithTheirColumn",
     Fuelio("1", "0", "Fuel (us gallons)", {"2024-03-10 16:01,1000,10,1,4000,1"}),
     false,
     {},
     {},
     {"2024-03-10 16:01:00 F odo 1000 fuel 10 cost 4000", kWash},
     {"line 9: the row is marked as income, not an expense"},
     "km us-gal"},
    {"FuelioTwoTanksAreAQuestion",
     Fuelio("0", "4", "Fuel (litres)", kTwoTanks),
     false,
     {},
     {"tank"},
     {},
     {},
     ""},
    {"FuelioFollowingTankOne",
     Fuelio("0", "4", "Fuel (litres)", kTwoTanks),
     false,
     WithTank(1),
     {},
     {"2024-03-10 16:01:00 F odo 1000 fuel 40 cost 6000", kWash},
     {"line 7: the row fills tank 2, and the log follows tank 1",
      "line 10: the row is marked as income, not an expense"},
     "km l"},
    {"FuelioFollowingTankTwoInKg",
     Fuelio("0", "4", "Fuel (litres)", kTwoTanks),
     false,
     WithTank(2),
     {},
     {"2024-03-11 09:00:00 F odo 1100 fuel 12.5 cost 1500", kWash},
     {"line 6: the row fills tank 1, and the log follows tank 2",
      "line 10: the row is marked as income, not an expense"},
     "km kg"},
    {"FuelioLogAloneInMilesAndUsGallons",
     "\"## Log\"\n\"Data\",\"Odo (mi)\",\"Fuel (us gallons)\",\"Full\",\"Price (optional)\"\n"
     "\"2024-03-10 16:01\",\"5000\",\"10\",\"1\",\"40\"\n",
     false,
     {},
     {},
     {"2024-03-10 16:01:00 F odo 5000 fuel 10 cost 40"},
     {},
     "mi us-gal"},
    {"ColumnsByHand",
     "Wann;Stand;Getankt;Bezahlt;Voll\n01.05.2024;1000;40,5;60;ja\n",
     false,
     WithColumns(
         {{"date", "Wann"}, {"odometer", "Stand"}, {"quantity", "getankt"}, {"cost", "Bezahlt"}}),
     {},
     {"2024-05-01 00:00:00 F odo 1000 fuel 40.5 cost 60"},
     {},
     "km l"},
    {"ThousandsByADecimalCommasMark",
     "Date;Odometer;Quantity;Total price\n01.05.2024;52.000;40,5;1.060,00\n",
     false,
     {},
     {},
     {"2024-05-01 00:00:00 F odo 52000 fuel 40.5 cost 1060"},
     {},
     "km l"},
    {"ThousandsByADecimalPointsMark",
     "Date,Odometer,Litres,Cost\n2024-05-01,\"106,421\",30,4000\n2024-05-09,106,500,20,3000\n",
     false,
     {},
     {},
     {"2024-05-01 00:00:00 F odo 106421 fuel 30 cost 4000"},
     {"line 3: the row has 5 fields where the header has 4"},
     "km l"},
};

INSTANTIATE_TEST_SUITE_P(Import, ImportMeaning, testing::ValuesIn(kMeaningCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST(ImportColumnsByHand, ThatDoNotFitTheFileAreExplained) {
    ImportOptions options = WithColumns({{"cost", "Kosten"}});
    EXPECT_EQ(PlanImport("Date,Odometer,Litres,Price\n", LogBook(), options).unusable,
              "The columns given by hand put the cost in \"Kosten\", but the file has no such "
              "column. Its header reads: \"Date\", \"Odometer\", \"Litres\", \"Price\".");
    // No column for the fuel: the file's "Litres" is then not read, and the file lacks it.
    options = WithColumns({{"quantity", ""}, {"cost", ""}});
    const ImportPlan none = PlanImport("Date,Odometer,Litres,Price\n", LogBook(), options);
    EXPECT_EQ(none.columnsRead.at("quantity"), "");
    EXPECT_NE(none.unusable.find("neither a fuel column"), std::string::npos) << none.unusable;
}
