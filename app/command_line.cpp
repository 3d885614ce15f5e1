#include "command_line.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

#include "ascii_text.h"
#include "import_columns.h"

namespace {

enum class Option {
    Export,
    Import,
    NewLog,
    DryRun,
    SkipSuspect,
    SkipRepeats,
    Dates,
    Gallons,
    Tank,
    FileVehicle,
    Decimal,
    Columns,
    Unit,
    Currency,
    Distance,
    Quantity,
    Vehicle,
    ListVehicles,
    Help,
    Version
};

struct OptionRow {
    std::string_view name;
    Option option;
    const char* value;  // what the value names in a message; nullptr: the option takes none
    bool repeatable;
};

constexpr OptionRow kOptions[] = {
    {"--export", Option::Export, "a file name (or - for standard output)", false},
    {"--import", Option::Import, "a file name", false},
    {"--dry-run", Option::DryRun, nullptr, false},
    {"--skip-suspect", Option::SkipSuspect, nullptr, false},
    {"--skip-repeats", Option::SkipRepeats, nullptr, false},
    {"--dates", Option::Dates, "day-first or month-first", false},
    {"--decimal", Option::Decimal, "point or comma", false},
    {"--gallons", Option::Gallons, "us or imperial", false},
    {"--unit", Option::Unit, "WORDS=UNIT", true},
    {"--tank", Option::Tank, "1 or 2", false},
    {"--file-vehicle", Option::FileVehicle, "a vehicle's name as the file gives it", false},
    {"--columns", Option::Columns, "ROLE=COLUMN pairs parted by commas", false},
    {"--new-log", Option::NewLog, nullptr, false},
    {"--currency", Option::Currency, "an ISO 4217 currency code such as EUR", false},
    {"--distance", Option::Distance, "km or mi", false},
    {"--quantity", Option::Quantity, "l, us-gal, imp-gal, kg or kwh", false},
    {"--vehicle", Option::Vehicle, "a vehicle's name", false},
    {"--list-vehicles", Option::ListVehicles, nullptr, false},
    {"--help", Option::Help, nullptr, false},
    {"--version", Option::Version, nullptr, false},
};

// The options of Qt's application objects as Qt documents them; a value option takes the next
// argument. Written with one dash, as Qt shows them.
struct QtOption {
    std::string_view name;
    bool takesValue;
};

constexpr QtOption kQtOptions[] = {
    {"-platform", true},        {"-platformpluginpath", true},
    {"-platformtheme", true},   {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},
    {"-qwindowtitle", true},    {"-session", true},
    {"-display", true},         {"-geometry", true},
    {"-style", true},           {"-stylesheet", true},
    {"-reverse", false},        {"-widgetcount", false},
};

// Qt's options that carry their value after "=" in the same argument.
constexpr std::string_view kQtInlineOptions[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

constexpr std::string_view kUnitChoices =
    "km, miles, litres, us-gallons, imperial-gallons, kg or kwh";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsQtOption(std::string_view arg, bool& takesValue) {
    for (const QtOption& option : kQtOptions) {
        if (arg == option.name) {
            takesValue = option.takesValue;
            return true;
        }
    }
    takesValue = false;
    return std::any_of(std::begin(kQtInlineOptions), std::end(kQtInlineOptions),
                       [arg](std::string_view prefix) { return StartsWith(arg, prefix); });
}

const OptionRow* FindOption(std::string_view name) {
    for (const OptionRow& row : kOptions) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

CommandAction ActionOf(Option option) {
    switch (option) {
        case Option::Export:
            return CommandAction::Export;
        case Option::Import:
            return CommandAction::Import;
        case Option::NewLog:
            return CommandAction::NewLog;
        case Option::ListVehicles:
            return CommandAction::ListVehicles;
        case Option::Help:
            return CommandAction::Help;
        case Option::Version:
            return CommandAction::Version;
        default:
            return CommandAction::RunWindow;
    }
}

// Single-quoted for a POSIX shell. Control characters, which only a broken file puts in a unit's
// name, are shown as "?" so that they cannot act on the terminal.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
        }
    }
    return quoted + "'";
}

// Reads the arguments one by one; the first thing wrong ends the reading with a usage error.
class ArgumentReader {
public:
    ArgumentReader(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}

    CommandLine Read() {
        while (next_ < argc_) {
            if (!Take(argv_[next_++])) {
                return line_;
            }
        }
        if (!answerOption_.empty() && line_.action != CommandAction::Import) {
            Refuse(answerOption_ + " goes with --import");
        } else if (!unitOption_.empty() && line_.action != CommandAction::NewLog) {
            Refuse(unitOption_ + " goes with --new-log");
        } else if (!currencyOption_.empty() && line_.action != CommandAction::NewLog &&
                   line_.action != CommandAction::Import) {
            Refuse("--currency goes with --new-log or --import");
        } else if (!line_.vehicle.empty() && line_.action != CommandAction::Export &&
                   line_.action != CommandAction::Import && line_.action != CommandAction::NewLog) {
            Refuse("--vehicle goes with --export, --import or --new-log");
        } else if (!qtOption_.empty() && line_.action != CommandAction::RunWindow) {
            Refuse(qtOption_ + " is an option of the window");
        }
        return line_;
    }

private:
    bool Take(std::string_view arg) {
        bool qtTakesValue = false;
        if (StartsWith(arg, "--") && arg.size() > 2) {
            return TakeOurs(arg);
        }
        if (IsQtOption(arg, qtTakesValue)) {
            return TakeQts(arg, qtTakesValue);
        }
        if (StartsWith(arg, "-") && arg.size() > 1) {
            return Refuse("unknown option " + std::string(arg));
        }
        return Refuse("unexpected argument \"" + std::string(arg) + "\"");
    }

    bool Refuse(std::string error) {
        line_ = CommandLine();
        line_.action = CommandAction::UsageError;
        line_.error = std::move(error);
        return false;
    }

    // One of ours, "--name", "--name=value" or "--name value"; an argument beginning with "--"
    // is never taken as a value, so that a forgotten file name is reported rather than taken
    // from the option that follows.
    bool TakeOurs(std::string_view arg) {
        const std::size_t equals = arg.find('=');
        const std::string name(arg.substr(0, equals));
        const OptionRow* row = FindOption(name);
        if (row == nullptr) {
            return Refuse("unknown option " + name);
        }
        if (!seen_.insert(row->option).second && !row->repeatable) {
            return Refuse(name + " is given twice");
        }
        std::string value;
        if (row->value == nullptr && equals != std::string_view::npos) {
            return Refuse(name + " takes no value");
        }
        if (equals != std::string_view::npos) {
            value = std::string(arg.substr(equals + 1));
        } else if (row->value != nullptr && next_ < argc_ && !StartsWith(argv_[next_], "--")) {
            value = argv_[next_++];
        }
        if (row->value != nullptr && value.empty()) {
            return Refuse(name + " needs " + row->value);
        }
        const CommandAction action = ActionOf(row->option);
        if (row->option == Option::Currency || row->option == Option::Distance ||
            row->option == Option::Quantity) {
            std::string& given = row->option == Option::Currency ? currencyOption_ : unitOption_;
            given = given.empty() ? name : given;
            return TakeUnit(row->option, value);
        }
        if (row->option == Option::Vehicle) {
            line_.vehicle = value;
            return true;
        }
        if (action == CommandAction::RunWindow) {
            answerOption_ = answerOption_.empty() ? name : answerOption_;
            line_.dryRun = line_.dryRun || row->option == Option::DryRun;
            line_.answers.skipSuspect =
                line_.answers.skipSuspect || row->option == Option::SkipSuspect;
            line_.answers.skipRepeats =
                line_.answers.skipRepeats || row->option == Option::SkipRepeats;
            return row->value == nullptr || TakeAnswer(row->option, value);
        }
        if (line_.action != CommandAction::RunWindow) {
            return Refuse(
                "--export, --import, --new-log, --list-vehicles, --help and --version go alone");
        }
        line_.action = action;
        line_.file = value;
        return true;
    }

    // The value of --currency (a new log's currency, or an import's answer about it),
    // --distance or --quantity.
    bool TakeUnit(Option option, const std::string& value) {
        if (option == Option::Currency) {
            const std::optional<Currency> currency = CurrencyOfCode(value);
            if (!currency) {
                return Refuse(
                    "--currency takes an ISO 4217 currency code such as EUR, USD, GBP "
                    "or JPY, not \"" +
                    value + "\"");
            }
            line_.units.currency = *currency;
            line_.answers.currency = *currency;
            return true;
        }
        if (option == Option::Distance) {
            const std::optional<DistanceUnit> distance = DistanceOfWord(value);
            if (!distance) {
                return Refuse("--distance takes km or mi, not \"" + value + "\"");
            }
            line_.units.distance = *distance;
            return true;
        }
        const std::optional<QuantityUnit> quantity = QuantityOfWord(value);
        if (!quantity) {
            return Refuse("--quantity takes l, us-gal, imp-gal, kg or kwh, not \"" + value + "\"");
        }
        line_.units.quantity = *quantity;
        return true;
    }

    // The value of an import's answer.
    bool TakeAnswer(Option option, const std::string& value) {
        if (option == Option::Dates) {
            if (value != "day-first" && value != "month-first") {
                return Refuse("--dates takes day-first or month-first, not \"" + value + "\"");
            }
            line_.answers.dateOrder =
                value == "day-first" ? DateOrder::DayFirst : DateOrder::MonthFirst;
            return true;
        }
        if (option == Option::Gallons) {
            // Read as the import reads a header's "gallons (US)": the same words name the kind.
            const Unit unit = UnitFromWords(value + " gallons");
            if (unit != Unit::UsGallons && unit != Unit::ImperialGallons) {
                return Refuse("--gallons takes us or imperial, not \"" + value + "\"");
            }
            line_.answers.gallon = unit;
            return true;
        }
        if (option == Option::Columns) {
            return TakeColumns(value);
        }
        if (option == Option::Decimal) {
            if (value != "point" && value != "comma") {
                return Refuse("--decimal takes point or comma, not \"" + value + "\"");
            }
            line_.answers.decimalMark = value == "point" ? DecimalMark::Point : DecimalMark::Comma;
            return true;
        }
        if (option == Option::FileVehicle) {
            line_.answers.vehicle = value;
            return true;
        }
        if (option == Option::Tank) {
            if (value != "1" && value != "2") {
                return Refuse("--tank takes 1 or 2, not \"" + value + "\"");
            }
            line_.answers.tank = value == "1" ? 1 : 2;
            return true;
        }
        // The unit's words are the question's subject, which the import writes in lower case.
        const std::size_t equals = value.rfind('=');
        const std::string words =
            equals == std::string::npos ? "" : LowerAscii(TrimSpaces(value.substr(0, equals)));
        const Unit unit =
            equals == std::string::npos ? Unit::None : UnitFromWords(value.substr(equals + 1));
        if (words.empty() || (!IsDistance(unit) && !IsQuantity(unit)) || unit == Unit::Gallons) {
            return Refuse("--unit takes the unit's words as the question names them, \"=\" and " +
                          std::string(kUnitChoices) + ", not \"" + value + "\"");
        }
        line_.answers.unitAnswers[words] = unit;
        return true;
    }

    // "date=Datum,odometer=Km-Stand": each role once, each a role the import reads.
    bool TakeColumns(const std::string& value) {
        std::size_t start = 0;
        while (start <= value.size()) {
            const std::size_t comma = std::min(value.find(',', start), value.size());
            const std::string pair = value.substr(start, comma - start);
            const std::size_t equals = pair.find('=');
            const std::string role =
                equals == std::string::npos ? pair : LowerAscii(TrimSpaces(pair.substr(0, equals)));
            const std::string column = equals == std::string::npos
                                           ? std::string()
                                           : std::string(TrimSpaces(pair.substr(equals + 1)));
            if (!RoleOfWord(role) || column.empty() || line_.answers.columns.count(role) != 0) {
                return Refuse(
                    "--columns takes ROLE=COLUMN pairs parted by commas, each ROLE once "
                    "and one of " +
                    std::string(kRoleWords) + ", not \"" + pair + "\"");
            }
            line_.answers.columns[role] = column;
            start = comma + 1;
        }
        return true;
    }

    bool TakeQts(std::string_view arg, bool takesValue) {
        if (takesValue && next_++ == argc_) {
            return Refuse(std::string(arg) + " needs a value");
        }
        qtOption_ = qtOption_.empty() ? std::string(arg) : qtOption_;
        return true;
    }

    const int argc_;
    const char* const* argv_;
    int next_ = 1;
    CommandLine line_;
    std::set<Option> seen_;
    std::string qtOption_;      // the first of Qt's options given, which only the window takes
    std::string answerOption_;  // the first option given that only an import takes
    std::string unitOption_;    // the first option given that only --new-log takes
    std::string currencyOption_;
};

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    return ArgumentReader(argc, argv).Read();
}

std::string UsageText() {
    return "Usage: tarvo [Qt options such as -platform NAME or -style NAME]\n"
           "       tarvo --export FILE [--vehicle NAME]\n"
           "       tarvo --import FILE [--vehicle NAME] [--dry-run] [--skip-suspect]\n"
           "                           [--skip-repeats] [ANSWERS]\n"
           "       tarvo --new-log [--vehicle NAME] [--currency=CODE] [--distance=km|mi]\n"
           "                       [--quantity=l|us-gal|imp-gal|kg|kwh]\n"
           "       tarvo --list-vehicles\n"
           "       tarvo --help | --version\n"
           "\n"
           "Without options Tarvo opens its window; these work on the log without it:\n"
           "  --export FILE     write the log as a spreadsheet table, oldest entry first, to\n"
           "                    FILE (- for standard output)\n"
           "  --import FILE     add the entries of another fuel log's CSV export, or of\n"
           "                    Tarvo's own, that the log does not hold yet (a row the file\n"
           "                    holds twice is two entries); shows them first\n"
           "  --dry-run         show what --import would add and every row it cannot place,\n"
           "                    and write nothing\n"
           "  --skip-suspect    leave out the rows --import shows as looking wrong (an\n"
           "                    odometer going back, a date in the future...)\n"
           "  --skip-repeats    leave out the rows --import shows as repeating an earlier row\n"
           "  --new-log         make the log, when there is none, in the units and currency\n"
           "                    given: --currency (ISO 4217, default JPY), --distance (default\n"
           "                    km), --quantity (litres, US or imperial gallons, kg of gas or\n"
           "                    kWh; default l)\n"
           "  --vehicle NAME    work on the log of the vehicle named NAME rather than the\n"
           "                    first one; with --new-log, make a log for a new vehicle\n"
           "  --list-vehicles   show each vehicle a line: its name, units and entry count\n"
           "  --help            show this text\n"
           "  --version         show Tarvo's version\n"
           "\n"
           "ANSWERS to what --import asks when the file leaves it open:\n"
           "  --dates=day-first|month-first   how to read dates such as 03/10/2024\n"
           "  --decimal=point|comma           the decimal mark of numbers such as 1.234, when\n"
           "                                  the file writes numbers both ways\n"
           "  --gallons=us|imperial           which gallons the file means\n"
           "  --unit=WORDS=UNIT               what a unit Tarvo does not know is: UNIT is km,\n"
           "                                  miles, litres, us-gallons, imperial-gallons, kg\n"
           "                                  or kwh\n"
           "  --columns=ROLE=COLUMN,...       which column holds what, by its header: ROLE is\n"
           "                                  date, time, odometer, quantity, cost, full,\n"
           "                                  partial, type or currency\n"
           "  --tank=1|2                      which tank the log follows, when the file's\n"
           "                                  fill-ups fill two (a car on gas and petrol)\n"
           "  --file-vehicle=NAME             whose entries to take, when the file holds\n"
           "                                  several vehicles' (NAME as the file gives it)\n"
           "  --currency=CODE                 the currency of costs the file does not name,\n"
           "                                  for a new log (an ISO 4217 code such as EUR)\n"
           "\n"
           "The first vehicle's log is \\SD Storage\\Tarvo\\Tarvo.csv on the storage card, and\n"
           "each further vehicle's is Tarvo.NAME.csv beside it. The card is the folder\n"
           "TARVO_STORAGE names, else $XDG_DATA_HOME/tarvo/SD Storage (XDG_DATA_HOME being\n"
           "~/.local/share when it is not set).\n"
           "\n"
           "Exit status: 0 done; 1 failed, or done with a problem, as the message says;\n"
           "2 a wrong command line, or no display for the window.\n";
}

std::string VersionText() {
    return "Tarvo " TARVO_VERSION;
}

std::string AnswerHint(const ImportQuestion& question) {
    switch (question.kind) {
        case QuestionKind::DateOrder:
            return "--dates=day-first or --dates=month-first";
        case QuestionKind::GallonKind:
            return "--gallons=us or --gallons=imperial";
        case QuestionKind::Currency:
            return "--currency=CODE, CODE an ISO 4217 code such as EUR, USD, GBP or JPY";
        case QuestionKind::Tank:
            return "--tank=1 or --tank=2";
        case QuestionKind::DecimalMark:
            return "--decimal=point or --decimal=comma";
        case QuestionKind::Vehicle: {
            std::string names;
            for (const std::string& name : question.choices) {
                names += (names.empty() ? "" : ", ") + ShellQuoted(name);
            }
            return "--file-vehicle=NAME, NAME one of " + names;
        }
        case QuestionKind::UnknownUnit:
            break;
    }
    return "--unit=" + ShellQuoted(question.subject + "=UNIT") + ", UNIT one of " +
           std::string(kUnitChoices);
}
