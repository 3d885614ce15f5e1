#include "command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// The arguments as the program reads them: ours with two dashes, Qt's with one, and everything
// else refused with a sentence that names it.

namespace {

struct ParseRow {
    const char* name;
    std::vector<const char*> args;
    CommandAction action;
    std::string fileOrError;  // the file for Export and Import, the error for UsageError
    bool dryRun = false;
    DateOrder dates = DateOrder::FromFile;
    Unit gallon = Unit::None;
    std::map<std::string, Unit> units = {};
    std::string logUnits = "km l JPY";  // --new-log's, and --currency as an import's answer
};

void PrintTo(const ParseRow& row, std::ostream* out) {
    *out << row.name;
}

class CommandLineParse : public testing::TestWithParam<ParseRow> {};

TEST_P(CommandLineParse, ReadsTheArguments) {
    const ParseRow& row = GetParam();
    std::vector<const char*> argv = {"tarvo"};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(line.action, row.action);
    EXPECT_EQ(row.action == CommandAction::UsageError ? line.error : line.file, row.fileOrError);
    EXPECT_EQ(line.dryRun, row.dryRun);
    EXPECT_EQ(line.answers.dateOrder, row.dates);
    EXPECT_EQ(line.answers.gallon, row.gallon);
    EXPECT_EQ(line.answers.unitAnswers, row.units);
    EXPECT_EQ(std::string(DistanceWord(line.units.distance)) + " " +
                  std::string(QuantityWord(line.units.quantity)) + " " + line.units.currency.code,
              row.logUnits);
    EXPECT_EQ(line.answers.currency.value_or(Currency{}).code, line.units.currency.code);
}

constexpr CommandAction kError = CommandAction::UsageError;

const ParseRow kParseRows[] = {
    {"QtsOwnOptionsOpenTheWindow",
     {"-platform", "offscreen", "-style=Fusion", "-reverse", "-qwindowtitle", "--export"},
     CommandAction::RunWindow,
     ""},
    {"ExportToStandardOutput", {"--export=-"}, CommandAction::Export, "-"},
    {"ImportWithEveryAnswer",
     {"--dry-run", "--import", "in.csv", "--dates", "month-first", "--gallons=imperial",
      "--unit= Furlongs =mi", "--unit", "o'clock=us-gallons"},
     CommandAction::Import,
     "in.csv",
     true,
     DateOrder::MonthFirst,
     Unit::ImperialGallons,
     {{"furlongs", Unit::Miles}, {"o'clock", Unit::UsGallons}}},
    {"OneDashOptionQtDoesNotHave", {"-verbose"}, kError, "unknown option -verbose"},
    {"AnOptionIsNoFileName", {"--import", "--dry-run"}, kError, "--import needs a file name"},
    {"QtOptionWithoutItsValue", {"-style"}, kError, "-style needs a value"},
    {"ExtraArgument", {"--export", "a.csv", "b.csv"}, kError, "unexpected argument \"b.csv\""},
    {"TwoActions",
     {"--export", "a", "--import", "b"},
     kError,
     "--export, --import, --new-log, --list-vehicles, --help and --version go alone"},
    {"NewLogInChosenUnits",
     {"--new-log", "--currency=eur", "--distance", "mi", "--quantity=us-gal"},
     CommandAction::NewLog,
     "",
     false,
     DateOrder::FromFile,
     Unit::None,
     {},
     "mi us-gal EUR"},
    {"NewLogOfTodaysUnits", {"--new-log"}, CommandAction::NewLog, ""},
    {"CurrencyAnswersAnImport",
     {"--import", "a", "--currency", "GBP"},
     CommandAction::Import,
     "a",
     false,
     DateOrder::FromFile,
     Unit::None,
     {},
     "km l GBP"},
    {"UnitsWithoutNewLog",
     {"--import", "a", "--distance=mi"},
     kError,
     "--distance goes with --new-log"},
    {"CurrencyWithExport",
     {"--export", "a", "--currency=EUR"},
     kError,
     "--currency goes with --new-log or --import"},
    {"NoSuchCurrency",
     {"--new-log", "--currency=EURO"},
     kError,
     "--currency takes an ISO 4217 currency code such as EUR, USD, GBP or JPY, not \"EURO\""},
    {"NoSuchQuantity",
     {"--new-log", "--quantity=gal"},
     kError,
     "--quantity takes l, us-gal, imp-gal, kg or kwh, not \"gal\""},
    {"AnswerWithoutImport",
     {"--export", "a", "--dates=day-first"},
     kError,
     "--dates goes with --import"},
    {"QtOptionBesideExport",
     {"--export", "a", "-platform", "xcb"},
     kError,
     "-platform is an option of the window"},
    {"GallonsOfNoKind",
     {"--import", "a", "--gallons=liquid"},
     kError,
     "--gallons takes us or imperial, not \"liquid\""},
    {"UnitAnswerOfGallonsOfNoKind",
     {"--import", "a", "--unit=pints=gallons"},
     kError,
     "--unit takes the unit's words as the question names them, \"=\" and km, miles, litres, "
     "us-gallons, imperial-gallons, kg or kwh, not \"pints=gallons\""},
    {"TankOtherThanOneOrTwo",
     {"--import", "a", "--tank=3"},
     kError,
     "--tank takes 1 or 2, not \"3\""},
    {"ColumnsWithARoleTarvoDoesNotRead",
     {"--import", "a", "--columns=date=Datum,mood=Laune"},
     kError,
     "--columns takes ROLE=COLUMN pairs parted by commas, each ROLE once and one of date, time, "
     "odometer, quantity, cost, full, partial, type or currency, not \"mood=Laune\""},
    {"FlagWithAValue", {"--import", "a", "--dry-run=yes"}, kError, "--dry-run takes no value"},
    {"AnswerGivenTwice",
     {"--import", "a", "--dates=day-first", "--dates=month-first"},
     kError,
     "--dates is given twice"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CommandLineParse, testing::ValuesIn(kParseRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
