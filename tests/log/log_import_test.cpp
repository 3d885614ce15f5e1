#include "log_import.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "csv_reader.h"
#include "date_order.h"
#include "entry_key.h"
#include "import_preview.h"
#include "import_test_text.h"
#include "log_export.h"
#include "log_test_support.h"
#include "recompute.h"

namespace {

bool HasNote(const ImportPlan& plan, const std::string& note) {
    for (const std::string& n : plan.notes) {
        if (n == note) {
            return true;
        }
    }
    return false;
}

const std::string kFuelioVehicle =
    "\"## Vehicle\"\n"
    "\"Name\",\"Description\",\"DistUnit\",\"FuelUnit\",\"ConsumptionUnit\","
    "\"ImportCSVDateFormat\",\"Tank1Capacity\"\n";
const std::string kFuelioLogHeader =
    "\"## Log\"\n"
    "\"Data\",\"Odo (km)\",\"Fuel (litres)\",\"Full\",\"Price (optional)\",\"l/100km (optional)\","
    "\"latitude (optional)\",\"longitude (optional)\",\"City (optional)\",\"Notes (optional)\","
    "\"Missed\",\"TankNumber\",\"FuelType\",\"VolumePrice\",\"StationID (optional)\","
    "\"ExcludeDistance\",\"UniqueId\",\"TankCalc\"\n";
const std::string kFuelioRest =
    "\"## CostCategories\"\n"
    "\"CostTypeID\",\"Name\",\"priority\",\"color\"\n"
    "\"1\",\"Service\",\"0\",\"#FF0000\"\n"
    "\"## Costs\"\n"
    "\"CostTitle\",\"Date\",\"Odo\",\"CostTypeID\",\"Notes\",\"Cost\",\"flag\",\"idR\","
    "\"RemindOdo\",\"RemindDate\",\"isTemplate\",\"RepeatOdo\",\"RepeatMonths\",\"isIncome\","
    "\"UniqueId\"\n"
    "\"Oil change\",\"2024-03-15\",\"12600\",\"1\",\"\",\"8400.0\",\"0\",\"0\",\"0\","
    "\"2011-01-01\",\"0\",\"0\",\"0\",\"0\",\"10\"\n"
    "\"Parking\",\"2024-03-16\",\"0\",\"1\",\"\",\"500\",\"0\",\"0\",\"0\",\"2011-01-01\",\"0\","
    "\"0\",\"0\",\"0\",\"11\"\n";

const std::string kFuelioKm =
    kFuelioVehicle + "\"My car\",\"\",\"0\",\"0\",\"0\",\"yyyy-MM-dd\",\"50.0\"\n" +
    kFuelioLogHeader +
    "\"2024-03-10 16:01\",\"12345.0\",\"40.00\",\"1\",\"6000.0\",\"0.0\",\"35.0\",\"139.0\","
    "\"Tokyo\",\"\",\"0\",\"1\",\"110\",\"150.0\",\"0\",\"0.0\",\"1\",\"0.0\"\n"
    "\"2024-03-20 08:15\",\"12800.5\",\"20.54\",\"0\",\"3102.5\",\"0.0\",\"\",\"\",\"\","
    "\"half, \"\"quick\"\"\",\"0\",\"1\",\"110\",\"151.0\",\"0\",\"0.0\",\"2\",\"0.0\"\n"
    "\"2024-04-01 18:30\",\"13200.0\",\"35.10\",\"1\",\"5300.0\",\"7.0\",\"\",\"\",\"\",\"\","
    "\"0\",\"1\",\"110\",\"151.0\",\"0\",\"0.0\",\"3\",\"0.0\"\n" +
    kFuelioRest;

const std::string kFuelioMilesGallons =
    kFuelioVehicle + "\"Old car\",\"\",\"1\",\"1\",\"0\",\"yyyy-MM-dd\",\"13.0\"\n" +
    "\"## Log\"\n\"Data\",\"Odo (mi)\",\"Fuel (us gallons)\",\"Full\",\"Price (optional)\","
    "\"l/100km (optional)\",\"latitude (optional)\",\"longitude (optional)\",\"City (optional)\","
    "\"Notes (optional)\",\"Missed\",\"TankNumber\",\"FuelType\",\"VolumePrice\","
    "\"StationID (optional)\",\"ExcludeDistance\",\"UniqueId\",\"TankCalc\"\n" +
    "\"2024-03-10 16:01\",\"10000\",\"10.000\",\"1\",\"40.00\",\"0.0\",\"\",\"\",\"\",\"\","
    "\"0\",\"1\",\"110\",\"4.0\",\"0\",\"0.0\",\"1\",\"0.0\"\n";

const std::string kSpritmonitor =
    "Date;Odometer;Trip;Quantity;Total price;Currency;Type;Tires;Roads;Driving style;Fuel;Note;"
    "Consumption;BC-Consumption;BC-Quantity;BC-Speed;Company;Country;Area;Location\n"
    "23.02.2010;15000;;45,50;62,30;EUR;3;1;2;2;Super;;;;;;Aral;D;;\n"
    "05.03.2010;15650;650;40,10;55,05;EUR;1;1;2;2;Super;;6,17;;;;Shell;D;;\n"
    "12.03.2010;15900;250;20,00;27,40;EUR;2;1;2;2;Super;;;;;;Aral;D;;\n"
    "20.03.2010;16300;400;30,00;41,00;EUR;0;1;2;2;Super;;;;;;Aral;D;;\n";

// "mi us-gal EUR": units as the log file's header words them.
std::string UnitsWords(const LogUnits& units) {
    return std::string(DistanceWord(units.distance)) + " " +
           std::string(QuantityWord(units.quantity)) + " " + units.currency.code;
}

// One file of each kind, imported into an empty log, which takes the units the file names.
struct FormatCase {
    const char* name;
    std::string bytes;
    Unit gallon;           // the answer about gallons, if any
    const char* currency;  // the answer about the currency, if any
    std::string format;
    std::string units;                 // of the planned entries
    std::vector<std::string> entries;  // oldest first
    std::vector<std::string> unplaced;
    std::vector<std::string> someNotes;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(ImportFormats, GiveTheseEntries) {
    const FormatCase& c = GetParam();
    ImportOptions options;
    options.gallon = c.gallon;
    if (*c.currency != '\0') {
        options.currency = CurrencyOfCode(c.currency);
    }
    const ImportPlan plan = PlanImport(c.bytes, LogBook(), options);
    EXPECT_EQ(plan.unusable, "");
    EXPECT_EQ(UnitsWords(plan.units), c.units);
    EXPECT_TRUE(plan.questions.empty()) << ImportPreview(plan);
    EXPECT_EQ(plan.format, c.format);
    EXPECT_EQ(Described(plan.entries), c.entries);
    EXPECT_EQ(Unplaced(plan), c.unplaced);
    for (const std::string& note : c.someNotes) {
        EXPECT_TRUE(HasNote(plan, note)) << note << "\n" << ImportPreview(plan);
    }
    LogBook imported = BookOf({});
    imported.units = plan.units;
    AddPlannedEntries(imported, plan.entries, plan.inLog);
    EXPECT_TRUE(PlanImport(c.bytes, imported, options).entries.empty()) << "a second import";
}

const FormatCase kFormats[] = {
    {"FuelioBackupFillUpsPartialsAndCosts",
     kFuelioKm,
     Unit::None,
     "JPY",
     "Fuelio backup",
     "km l JPY",
     {"2024-03-10 16:01:00 F odo 12345 fuel 40 cost 6000",
      "2024-03-15 00:00:00 M odo 12600 fuel 0 cost 8400",
      "2024-03-16 00:00:00 M odo 0 fuel 0 cost 500",
      "2024-03-20 08:15:00 N odo 12800.5 fuel 20.5 cost 3103",
      "2024-04-01 18:30:00 F odo 13200 fuel 35.1 cost 5300"},
     {},
     {"1 cost with a fraction was rounded to whole yen.",
      "2 rows have a date without a time; such an entry is entered at 00:00:00."}},
    {"FuelioInMilesAndUsGallonsByItsCodes",
     kFuelioMilesGallons,
     Unit::None,
     "",
     "Fuelio backup",
     "mi us-gal JPY",
     {"2024-03-10 16:01:00 F odo 10000 fuel 10 cost 40"},
     {},
     {"The log is new and takes the file's units: miles, US gallons and JPY."}},
    {"SpritmonitorTypesAndDecimalCommas",
     kSpritmonitor,
     Unit::None,
     "",
     "Spritmonitor export",
     "km l EUR",
     {"2010-02-23 00:00:00 F odo 15000 fuel 45.5 cost 6230",
      "2010-03-05 00:00:00 F odo 15650 fuel 40.1 cost 5505",
      "2010-03-12 00:00:00 N odo 15900 fuel 20 cost 2740"},
     {"line 5: Type 0 marks an invalid fueling"},
     {"The log is new and takes the file's units: km, litres and EUR."}},
    {"SpritmonitorInGerman",
     "Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xC3\xA4hrung;Tankart;Reifen;Strecken;Fahrweise;"
     "Kraftstoff;Bemerkung;Verbrauch\n"
     "\"01.02.2024\";\"28.023,00\";;\"40,50\";\"70,10\";\"EUR\";\"1\";;;;\"Diesel\";;\n",
     Unit::None,
     "",
     "Spritmonitor export",
     "km l EUR",
     {"2024-02-01 00:00:00 F odo 28023 fuel 40.5 cost 7010"},
     {},
     {}},
    {"FuellyUsPricePerGallon",
     "car_name, model, mpg, odometer, miles, gallons, price, city_percentage, fuelup_date, "
     "date_added, tags, notes, missed_fuelup, partial_fuelup, latitude, longitude, brand\n"
     "Civic, Honda, 30, 12000, 300, 10.000, 3.459, 50, 2024-04-01, 2024-04-02, , , 0, 0, , , "
     "Shell\n"
     "Civic, Honda, 30, 12150, 150, 5.000, 3.500, 50, 2024-04-05, 2024-04-05, , , 0, 1, , , \n",
     Unit::None,
     "USD",
     "Fuelly export",
     "mi us-gal USD",
     {"2024-04-01 00:00:00 F odo 12000 fuel 10 cost 3459",
      "2024-04-05 00:00:00 N odo 12150 fuel 5 cost 1750"},
     {},
     {"The price is per unit of fuel: each cost is the quantity times the price."}},
    {"FuellyMetric",
     "car_name, model, km/l, odometer, km, litres, price, city_percentage, fuelup_date, "
     "date_added, tags, notes, missed_fuelup, partial_fuelup, latitude, longitude\n"
     "Golf, VW, 15, 30000, 600, 40.00, 1.80, 50, 2024-04-01, 2024-04-01, , , 0, 0, , \n",
     Unit::None,
     "EUR",
     "Fuelly export",
     "km l EUR",
     {"2024-04-01 00:00:00 F odo 30000 fuel 40 cost 7200"},
     {},
     {}},
    {"DrivvoSectionsWithTwoFuelsInOneStop",
     "##Vehicle\n\"Name\"\n\"Car\"\n##Refuelling\n"
     "\"Odometer (km)\",\"Date\",\"Fuel\",\"Price / L\",\"Total cost\",\"Volume\","
     "\"Filled tank completely\",\"Second fuel\",\"Price / L 2\",\"Total cost 2\",\"Volume 2\","
     "\"Filled tank completely 2\",\"Fuel efficiency\",\"Notes\"\n"
     "\"1000\",\"2024-11-15 08:45:50\",\"Diesel\",\"1.5\",\"60\",\"40\",\"Yes\",\"\",\"0\",\"0\","
     "\"0\",\"\",\"\",\"\"\n"
     "\"1400\",\"2024-11-20 09:00:00\",\"Petrol\",\"1.5\",\"30\",\"20\",\"No\",\"Ethanol\",\"1\","
     "\"5\",\"5\",\"Yes\",\"\",\"\"\n"
     "##Expense\n\"Odometer (km)\",\"Date\",\"Total cost\",\"Type of expense\"\n"
     "\"1200\",\"2024-11-17 10:00:00\",\"15\",\"Parking\"\n"
     "##Service\n\"Odometer (km)\",\"Date\",\"Total cost\",\"Type of service\"\n"
     "\"1300\",\"2024-11-18 10:00:00\",\"120\",\"Oil\"\n",
     Unit::None,
     "",
     "Drivvo export",
     "km l JPY",
     {"2024-11-15 08:45:50 F odo 1000 fuel 40 cost 60",
      "2024-11-17 10:00:00 M odo 1200 fuel 0 cost 15",
      "2024-11-18 10:00:00 M odo 1300 fuel 0 cost 120",
      "2024-11-20 09:00:00 F odo 1400 fuel 25 cost 35"},
     {},
     {"1 stop with a second or third fuel: each is one entry, its quantities and costs "
      "added."}},
    {"ACarTitlesThousandsAndCurrencyMarks",
     "Metadata\n\"Date Format\",\"Time Format\"\n\"M/d/yyyy\",\"HH:mm\"\n\n"
     "Vehicles\n\"Name\",\"Volume Unit\",\"Distance Unit\"\n\"Car\",\"US_GALLON\",\"MILE\"\n\n"
     "Fill-Up Records\n\"Vehicle\",\"Date\",\"Time\",\"Odometer Reading\",\"Distance Unit\","
     "\"Volume\",\"Volume Unit\",\"Price per Unit\",\"Total Cost\",\"Partial Fill-Up?\"\n"
     "\"Car\",\"3/10/2024\",\"16:01\",\"106,421\",\"mi\",\"20.1\",\"gal\",\"$3.969\",\"$79.78\","
     "\"No\"\n\n"
     "Event Records\n\"Vehicle\",\"Date\",\"Time\",\"Odometer Reading\",\"Distance Unit\","
     "\"Type\",\"Sub Types\",\"Total Cost\"\n"
     "\"Car\",\"3/15/2024\",\"10:00\",\"106,500\",\"mi\",\"Service\",\"Oil\",\"$45.00\"\n",
     Unit::UsGallons,
     "USD",
     "aCar export",
     "mi us-gal USD",
     {"2024-03-10 16:01:00 F odo 106421 fuel 20.1 cost 7978",
      "2024-03-15 10:00:00 M odo 106500 fuel 0 cost 4500"},
     {},
     {}},
    {"LubeLoggerFlagsAndLocaleDates",
     "Date,Odometer,FuelConsumed,Cost,IsFillToFull,MissedFuelUp,Notes\n"
     "5/8/2020,1000,30,4000,True,False,\n5/20/2020,1400,20,2600,False,False,\n",
     Unit::None,
     "",
     "CSV file (comma-separated)",
     "km l JPY",
     {"2020-05-08 00:00:00 F odo 1000 fuel 30 cost 4000",
      "2020-05-20 00:00:00 N odo 1400 fuel 20 cost 2600"},
     {},
     {}},
    {"CarReportsTotalPriceAndPartial",
     "_id,date,mileage,volume,price,partial,note,fuel_type_id,car_id\n"
     "1,2024-06-01 10:00,5000,40,6000,FALSE,,1,1\n2,2024-06-09 10:00,5400,20,3000,TRUE,,1,1\n",
     Unit::None,
     "",
     "CSV file (comma-separated)",
     "km l JPY",
     {"2024-06-01 10:00:00 F odo 5000 fuel 40 cost 6000",
      "2024-06-09 10:00:00 N odo 5400 fuel 20 cost 3000"},
     {},
     {}},
    {"PlainSemicolonsDayFirstWithAFlag",
     "Date;Mileage;Litres;Price paid;Full tank\n"
     "13/01/2024;20100,5;38,2;6200;yes\n"
     "02/02/2024;20600;12;1900;no\n"
     "03/02/2024 7:05 PM;20950;30,5;4900;YES\n",
     Unit::None,
     "",
     "CSV file (semicolon-separated)",
     "km l JPY",
     {"2024-01-13 00:00:00 F odo 20100.5 fuel 38.2 cost 6200",
      "2024-02-02 00:00:00 N odo 20600 fuel 12 cost 1900",
      "2024-02-03 19:05:00 F odo 20950 fuel 30.5 cost 4900"},
     {},
     {"Dates are read day first, as \"13/01/2024\" on line 2 shows."}},
    {"PlainCommasMonthFirstTimeColumnAndPartialFlag",
     "date,time,odometer,quantity,total,partial\n"
     "01/13/2024,08:30,1000,30,4000,false\n"
     "1/20/2024,18:45:10,1300,10,1400,true\n",
     Unit::None,
     "",
     "CSV file (comma-separated)",
     "km l JPY",
     {"2024-01-13 08:30:00 F odo 1000 fuel 30 cost 4000",
      "2024-01-20 18:45:10 N odo 1300 fuel 10 cost 1400"},
     {},
     {"Dates are read month first, as \"01/13/2024\" on line 2 shows."}},
    {"UnitsInTheHeaderAndInAUnitColumn",
     "Date,Odo (mi),Volume,Volume unit,Cost\n"
     "2024-05-01,100,10,L,1500\n"
     "2024-05-02,200,10,imperial gal,1600\n",
     Unit::None,
     "",
     "CSV file (comma-separated)",
     "mi l JPY",
     {"2024-05-01 00:00:00 F odo 100 fuel 10 cost 1500",
      "2024-05-02 00:00:00 F odo 200 fuel 45.5 cost 1600"},
     {},
     {"Fuel was converted from imperial gallons to litres (1 gallon = 4.54609 L).",
      "The file does not say which stops filled the tank: every entry with fuel is taken as a "
      "fill-up."}},
};

INSTANTIATE_TEST_SUITE_P(Import, ImportFormats, testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

// Rows that cannot be placed, each between a header and a good row.
struct BadRowCase {
    const char* name;
    std::string header;
    std::string row;
    std::string reason;
    std::string good = "2024-06-01,5000,30,4000,1";  // in the header's columns
};

void PrintTo(const BadRowCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportBadRows : public testing::TestWithParam<BadRowCase> {};

TEST_P(ImportBadRows, AreReportedWithTheirLineAndTheRestIsPlaced) {
    const BadRowCase& c = GetParam();
    ImportOptions yen;  // a cost with a fraction makes a new log ask its currency
    yen.currency = Currency{};
    const ImportPlan plan =
        PlanImport(c.header + "\n" + c.row + "\n" + c.good + "\n", LogBook(), yen);
    EXPECT_EQ(Unplaced(plan), std::vector<std::string>{"line 2: " + c.reason});
    EXPECT_EQ(Described(plan.entries),
              std::vector<std::string>{"2024-06-01 00:00:00 F odo 5000 fuel 30 cost 4000"});
}

const std::string kPlain = "Date,Odometer,Litres,Cost,Full";

const BadRowCase kBadRows[] = {
    {"NoDate", kPlain, ",1000,10,1500,1", "there is no date"},
    {"DateInNoKnownForm", kPlain, "yesterday,1000,10,1500,1",
     "the date \"yesterday\" is not in a form Tarvo reads (such as 2024-03-10, 10.03.2024 or "
     "03/10/2024)"},
    {"NotACalendarDate", kPlain, "2023-02-29,1000,10,1500,1",
     "the date \"2023-02-29\" is not a calendar date"},
    {"NotATimeOfDay", kPlain, "2024-03-01 24:00,1000,10,1500,1",
     "the time in \"2024-03-01 24:00\" is not a time of day"},
    {"NoOdometerForAnEntryWithFuel", kPlain, "2024-03-01,,10,1500,1",
     "an entry with fuel needs an odometer reading, and the row has none"},
    {"OdometerNotANumber", kPlain, "2024-03-01,12k,10,1500,1",
     "the odometer reading \"12k\" is not a number"},
    {"NegativeLitres", kPlain, "2024-03-01,1000,-3,1500,1", "the fuel \"-3\" is below zero"},
    {"AbsurdOdometer", kPlain, "2024-03-01,2e7,10,1500,1",
     "the odometer reading \"2e7\" is beyond 10,000,000 km"},
    {"AbsurdLitres", kPlain, "2024-03-01,1000,10000.1,1500,1",
     "the fuel \"10000.1\" is beyond 10,000 L"},
    {"InfiniteLitres", kPlain, "2024-03-01,1000,inf,1500,1", "the fuel \"inf\" is not a number"},
    {"CostBeyond32Bits", kPlain, "2024-03-01,1000,10,2147483647.5,1",
     "the cost \"2147483647.5\" is beyond what Tarvo keeps (32 bits)"},
    {"NeitherFuelNorCost", kPlain, "2024-03-01,1000,0,,1", "the row has neither fuel nor a cost"},
    {"FullFlagNotAFlag", kPlain, "2024-03-01,1000,10,1500,maybe",
     "the \"Full\" value \"maybe\" is not 1/0, true/false or yes/no"},
    {"UnknownKindInAKindColumn", "date,odometer_km,litres,cost_yen,kind",
     "2024-03-01,1000,10,1500,refuel", "the kind \"refuel\" is not fill-up, partial or maintenance",
     "2024-06-01,5000,30,4000,fill-up"},
    {"UnknownSpritmonitorType", "Date,Odometer,Quantity,Total price,Type",
     "2024-03-01,1000,10,1500,7",
     "the Type \"7\" is not 1 (full), 2 (partial), 3 (first) or 0 (invalid)"},
    {"ControlCharactersAreShownEscaped", kPlain, std::string("2024-03-01,1\0\t2,10,1500,1", 25),
     "the odometer reading \"1\\u0000\\u00092\" is not a number"},
    {"AC1ControlCharacterIsShownEscaped", kPlain,
     "2024-03-01,1\xC2\x9B"
     "2,10,1500,1",
     "the odometer reading \"1\\u009B2\" is not a number"},
    {"MoreFieldsThanTheHeaderNeverShift", kPlain, "2024-03-01,1,000,10,1500,1",
     "the row has 6 fields where the header has 5"},
    {"FewerFieldsThanTheHeader", kPlain, "2024-03-01,1000,10",
     "the row has 3 fields where the header has 5"},
};

INSTANTIATE_TEST_SUITE_P(Import, ImportBadRows, testing::ValuesIn(kBadRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Import, AQuoteNeverClosedCostsOnlyItsOwnLine) {
    const ImportPlan plan = PlanImport(kPlain + "\n2024-06-01,5000,30,4000,1\n2024-06-02,\"5100,5,",
                                       LogBook(), ImportOptions());
    EXPECT_EQ(
        Unplaced(plan),
        std::vector<std::string>{"line 3: a quote opens a field on this line and is never closed"});
    EXPECT_EQ(plan.entries.size(), 1u);
}

TEST(Import, TarvosOwnExportReadsBackToTheSameEntries) {
    LogBook saved = WorkedExample();
    saved.records.insert(
        saved.records.begin() + 1,
        {
            Entry(2007, 8, 30, 0, 0, 0, 0.0, 0.0, Maintenance, 300),  // odometer blank
            Entry(2007, 8, 28, 0, 0, 0, 41900.0, 5.0, 7, 700),        // a kind from an edited file
        });
    saved.count += 2;
    RecomputeLog(saved);
    const ImportPlan plan = PlanImport(ExportLog(saved), LogBook(), ImportOptions());
    EXPECT_EQ(plan.format, "Tarvo export");
    EXPECT_TRUE(plan.CanProceed());
    EXPECT_EQ(Unplaced(plan), std::vector<std::string>{});

    LogBook book = BookOf({});
    EXPECT_EQ(AddPlannedEntries(book, plan.entries, plan.inLog), 6);
    SortNewestFirst(book);
    EXPECT_EQ(EnteredFields(book), EnteredFields(saved));
    EXPECT_EQ(book.records.size(), 7u) << "one spare slot";
    EXPECT_EQ(book.totalCost, 19794 + 300 + 700);
    EXPECT_EQ(book.fuelCost, 11394 + 700);
}

struct RepeatCase {
    const char* name;
    std::string file;
    std::vector<LogRecord> held;  // the log's entries before the import
    bool skipRepeats;
    std::size_t added;  // by the first import; a second adds nothing
    std::vector<std::string> repeats;
    std::size_t inLog;
};

const std::string kTwice = kPlain + "\n2024-06-01,5000,30.04,4000,1\n2024-06-02,5400,20,3000,0\n" +
                           "2024-06-01,5000.0,30.0,4000,1\n";
const LogRecord kJune1 = Entry(2024, 6, 1, 0, 0, 0, 5000.0, 30.0, FillUp, 4000);
const std::string kIds =
    "_id,date,mileage,volume,price,partial\n1,2024-06-01,5000,0,500,FALSE\n"
    "2,2024-06-01,5000,0,500,FALSE\n2,2024-06-01,5000,0,500,FALSE\n";

const RepeatCase kRepeats[] = {
    {"RepeatIsAddedAndNamed", kTwice, {}, false, 3, {"line 4 repeats line 2"}, 0},
    {"RepeatLeftOut", kTwice, {}, true, 2, {}, 0},
    {"LogHoldsOneOfTwo", kTwice, {kJune1}, false, 2, {"line 4 repeats line 2"}, 1},
    {"LogHoldsBoth", kTwice, {kJune1, kJune1}, false, 1, {"line 4 repeats line 2"}, 2},
    {"IdsTellRowsApart", kIds, {}, false, 3, {"line 4 repeats line 3"}, 0},
};

class ImportRepeats : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(ImportRepeats, AddAsOftenAsTheFileHoldsThemAndOnceOnly) {
    const RepeatCase& c = GetParam();
    LogBook book = BookOf(c.held);
    ImportOptions options;
    options.skipRepeats = c.skipRepeats;
    ImportPlan plan = PlanImport(c.file, book, options);
    std::vector<std::string> repeats;
    for (const UnplacedRow& row : plan.repeats) {
        repeats.push_back("line " + std::to_string(row.line) + " " + row.reason);
    }
    EXPECT_EQ(repeats, c.repeats);
    EXPECT_EQ(plan.inLog.size(), c.inLog);
    EXPECT_EQ(plan.entries.size(), plan.entryLines.size());
    EXPECT_EQ(AddPlannedEntries(book, plan.entries, plan.inLog), static_cast<int32_t>(c.added));
    EXPECT_EQ(AddPlannedEntries(book, plan.entries, plan.inLog), 0) << "applied again";
    plan = PlanImport(c.file, book, options);
    EXPECT_EQ(plan.entries.size(), 0u) << "imported again";
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportRepeats, ::testing::ValuesIn(kRepeats),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Import, AddingSkipsWhatTheLogGainedSincePlanning) {
    LogBook book = BookOf({Entry(2024, 6, 1, 0, 0, 0, 5000.0, 30.0, FillUp, 4000)});
    const std::vector<LogRecord> planned = {
        Entry(2024, 6, 1, 0, 0, 0, 5000.0, 30.0, NotFillUp, 4000),  // the kind does not count
        Entry(2024, 6, 1, 0, 0, 1, 5000.0, 30.0, FillUp, 4000),
    };
    EXPECT_EQ(AddPlannedEntries(book, planned, {}), 1);
    EXPECT_EQ(book.count, 2);
    EXPECT_EQ(book.records[0].time.wSecond, 1) << "new entries go in front";
}

TEST(ImportVehicles, AFileOfSeveralAsksWhoseRowsAndSaysWhatItLeftOut) {
    const std::string file =
        "Fill-Up Records\n\"Vehicle\",\"Date\",\"Odometer Reading\",\"Volume\",\"Total Cost\"\n"
        "\"Car\",\"2024-03-10\",\"1000\",\"20\",\"3000\"\n"
        "\"Van\",\"2024-03-11\",\"5000\",\"50\",\"7000\"\n"
        "\"Car\",\"2024-03-20\",\"1300\",\"20\",\"3000\"\n";
    ImportOptions options;
    const ImportPlan asked = PlanImport(file, LogBook(), options);
    ASSERT_EQ(asked.questions.size(), 1u);
    EXPECT_EQ(asked.questions[0].kind, QuestionKind::Vehicle);
    EXPECT_EQ(asked.questions[0].choices, (std::vector<std::string>{"Car", "Van"}));
    options.vehicle = "Van";
    const ImportPlan van = PlanImport(file, LogBook(), options);
    EXPECT_EQ(van.vehicle, "Van");
    EXPECT_EQ(Described(van.entries),
              std::vector<std::string>{"2024-03-11 00:00:00 F odo 5000 fuel 50 cost 7000"});
    EXPECT_TRUE(HasNote(van,
                        "2 rows of the vehicle \"Car\" were left out: import the file again "
                        "and choose that vehicle to take them."))
        << ImportPreview(van);
}

// A file that leaves something open: the question, nothing planned while it is open, and the
// entries once answered. Every plan has a currency at hand for a new log's fractions.
struct AnswerCase {
    const char* name;
    std::string file;
    std::optional<QuestionKind> asked;  // nothing: the file leaves nothing open
    std::string subject;                // of an unknown unit, which the question names
    std::function<void(ImportOptions&)> answer;
    std::vector<std::string> entries;
    std::vector<std::string> unplaced;
    std::string units;  // "" for any
};

const std::string kTwoWayDates =
    "Date,Odometer,Litres,Cost\n03/04/2024,1000,30,4000\n05/06/2024,1500,30,4000\n";
const std::string kSemicolons = "Date;Odometer;Litres;Cost\n";

const AnswerCase kAnswers[] = {
    {"DatesBothWaysDayFirst",
     kTwoWayDates,
     QuestionKind::DateOrder,
     "",
     [](ImportOptions& o) { o.dateOrder = DateOrder::DayFirst; },
     {"2024-04-03 00:00:00 F odo 1000 fuel 30 cost 4000",
      "2024-06-05 00:00:00 F odo 1500 fuel 30 cost 4000"},
     {},
     ""},
    {"DatesBothWaysMonthFirst",
     kTwoWayDates,
     QuestionKind::DateOrder,
     "",
     [](ImportOptions& o) { o.dateOrder = DateOrder::MonthFirst; },
     {"2024-03-04 00:00:00 F odo 1000 fuel 30 cost 4000",
      "2024-05-06 00:00:00 F odo 1500 fuel 30 cost 4000"},
     {},
     ""},
    {"DatesThatDisagreeLeaveTheMisfitsOut",
     "Date,Odometer,Litres,Cost\n13/01/2024,1000,30,4000\n01/14/2024,1500,30,4000\n",
     QuestionKind::DateOrder,
     "",
     [](ImportOptions& o) { o.dateOrder = DateOrder::DayFirst; },
     {"2024-01-13 00:00:00 F odo 1000 fuel 30 cost 4000"},
     {"line 3: the date \"01/14/2024\" is not a calendar date"},
     ""},
    {"GallonsOfUnknownKind",
     "Date,Odo (mi),Gallons,Cost\n2024-03-10 16:01,10000,10,40\n",
     QuestionKind::GallonKind,
     "",
     [](ImportOptions& o) { o.gallon = Unit::ImperialGallons; },
     {"2024-03-10 16:01:00 F odo 10000 fuel 10 cost 40"},
     {},
     "mi imp-gal JPY"},
    {"AnUnknownUnitIsNamed",
     "Date,Odo (furlongs),Litres,Cost\n2024-01-01,8000,30,4000\n",
     QuestionKind::UnknownUnit,
     "furlongs",
     [](ImportOptions& o) { o.unitAnswers["furlongs"] = Unit::Miles; },
     {"2024-01-01 00:00:00 F odo 8000 fuel 30 cost 4000"},
     {},
     ""},
    {"SemicolonsReadGroupsByDecimalCommas",
     kSemicolons + "2024-01-01;52.000;40,5;1.234\n",
     std::nullopt,
     "",
     nullptr,
     {"2024-01-01 00:00:00 F odo 52000 fuel 40.5 cost 1234"},
     {},
     ""},
    {"SemicolonsWithDecimalPointsReadCommaGroups",
     kSemicolons + "2024-01-01;12,345;45.5;60\n",
     std::nullopt,
     "",
     nullptr,
     {"2024-01-01 00:00:00 F odo 12345 fuel 45.5 cost 60"},
     {},
     ""},
    {"BothMarksAsDecimal",
     kSemicolons + "2024-01-01;1.234;45,5;60.25\n",
     QuestionKind::DecimalMark,
     "",
     [](ImportOptions& o) { o.decimalMark = DecimalMark::Comma; },
     {"2024-01-01 00:00:00 F odo 1234 fuel 45.5 cost 6025"},
     {},
     ""},
};

class ImportAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ImportAnswers, AreAskedAndPlanTheEntries) {
    const AnswerCase& c = GetParam();
    ImportOptions options;
    options.currency = CurrencyOfCode("EUR");
    const ImportPlan asked = PlanImport(c.file, LogBook(), options);
    if (c.asked) {
        ASSERT_EQ(asked.questions.size(), 1u) << ImportPreview(asked);
        EXPECT_EQ(asked.questions[0].kind, *c.asked);
        if (!c.subject.empty()) {
            EXPECT_EQ(asked.questions[0].subject, c.subject);
            EXPECT_NE(asked.questions[0].text.find("\"" + c.subject + "\""), std::string::npos);
        }
        EXPECT_FALSE(asked.CanProceed());
        EXPECT_TRUE(asked.entries.empty());
        c.answer(options);
    }
    const ImportPlan plan = PlanImport(c.file, LogBook(), options);
    EXPECT_EQ(Described(plan.entries), c.entries) << ImportPreview(plan);
    EXPECT_EQ(Unplaced(plan), c.unplaced);
    EXPECT_TRUE(c.units.empty() || UnitsWords(plan.units) == c.units) << UnitsWords(plan.units);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportAnswers, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportColumns, AFileWithoutThemSaysWhichItNeeds) {
    const ImportPlan plan = PlanImport("Foo,Bar\n1,2\n", LogBook(), ImportOptions());
    EXPECT_FALSE(plan.CanProceed());
    EXPECT_EQ(plan.unusable,
              "The file has no date column (such as Date, Data or Datetime) and no odometer column "
              "(such as Odometer, Odo or Mileage) and neither a fuel column (such as Litres, "
              "Fuel, Quantity or Volume) nor a cost column (such as Cost, Total, Total price or "
              "Price paid). Its header reads: \"Foo\", \"Bar\".");
    EXPECT_EQ(PlanImport("", LogBook(), ImportOptions()).unusable,
              "The file holds no header and no rows.");
}

TEST(ImportPreview, ListsEntriesRowsNotPlacedAndNotes) {
    LogBook book = BookOf({Entry(2010, 3, 5, 0, 0, 0, 15650.0, 40.1, FillUp, 5505)});
    book.units.currency = *CurrencyOfCode("EUR");
    EXPECT_EQ(ImportPreview(PlanImport(kSpritmonitor, book, ImportOptions())),
              "Spritmonitor export: 2 entries to add, 1 row already in the log, 1 row not "
              "placed.\n"
              "To add:\n"
              "  2010-02-23 00:00:00  fill-up       15000.0 km    45.5 L   62.30 EUR\n"
              "  2010-03-12 00:00:00  partial       15900.0 km    20.0 L   27.40 EUR\n"
              "Not placed:\n"
              "  line 5: Type 0 marks an invalid fueling\n"
              "Notes:\n"
              "  Columns read: date \"Date\", odometer \"Odometer\", fuel \"Quantity\", cost "
              "\"Total price\", fueling type \"Type\", currency \"Currency\".\n"
              "  3 rows have a date without a time; such an entry is entered at 00:00:00.\n");
    EXPECT_EQ(ImportPreview(PlanImport(kTwoWayDates, LogBook(), ImportOptions())),
              "CSV file (comma-separated): Tarvo needs to know more before it can plan the "
              "import.\n"
              "Question: Every date reads both ways, day first or month first (such as "
              "\"03/04/2024\" on line 2). Which order does the file use?\n"
              "Notes:\n"
              "  Columns read: date \"Date\", odometer \"Odometer\", fuel \"Litres\", cost "
              "\"Cost\".\n");
}

// Any bytes at all: made of the characters that steer the reader, with a fixed seed so that a
// failure is repeated exactly. The sanitizers see every access; the rows must stay in order.
TEST(ImportAnyBytes, ReadAndPlannedWithoutCrashingAndRowsInOrder) {
    std::string alphabet = "\"\",;\n\r#  ##0123456789.-/:aTZ\xEF\xBB\xBF\xFF";
    alphabet += '\0';
    std::mt19937 random(20240310);
    for (int round = 0; round < 3000; ++round) {
        // Every other input has a header the import recognises, so that its rows are read too.
        std::string bytes = round % 2 == 0 ? "" : "Date,Odometer,Litres,Cost,Full,Unit\n";
        const std::size_t length = random() % 80;
        for (std::size_t i = 0; i < length; ++i) {
            bytes += alphabet[random() % alphabet.size()];
        }
        int lines = 1;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            lines += bytes[i] == '\n' || (bytes[i] == '\r' && !crlf) ? 1 : 0;
        }
        int previous = 0;
        for (const CsvTable& table : ReadCsv(bytes)) {
            for (const CsvRow& row : table.rows) {
                ASSERT_GT(row.line, previous) << testing::PrintToString(bytes);
                ASSERT_LE(row.line, lines) << testing::PrintToString(bytes);
                previous = row.line;
            }
        }
        const ImportPlan plan = PlanImport(bytes, LogBook(), ImportOptions());
        for (const UnplacedRow& row : plan.unplaced) {
            ASSERT_TRUE(row.line >= 1 && row.line <= lines) << testing::PrintToString(bytes);
        }
        ImportPreview(plan);
    }
}

}  // namespace
