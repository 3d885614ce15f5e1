#include "log_import.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "ascii_text.h"
#include "csv_reader.h"
#include "date_order.h"
#include "date_time_text.h"
#include "entry_key.h"
#include "import_columns.h"
#include "log_export.h"
#include "money_text.h"
#include "number_text.h"
#include "text_encoding.h"
#include "utf8.h"

namespace {

// Beyond these a number is a mistake, not a car: no odometer shows ten million km, and no stop
// at the pump takes ten thousand litres, nor ten thousand kg or kWh.
constexpr double kMostKm = 10'000'000.0;
constexpr double kMostLitres = 10'000.0;
constexpr double kMostKgOrKwh = 10'000.0;

// A unit as the file gives it, and where, so that a question can name it.
struct GivenUnit {
    Unit unit = Unit::None;
    std::string words;  // lower case; the key of ImportOptions::unitAnswers
    std::string where;  // "column \"Odo (furlongs)\""
    // Why the file's unit is in doubt (two places in it disagree); empty when it is not.
    std::string doubt;
};

// Fuelio's Vehicle table sets the units of the whole file.
struct FileUnits {
    GivenUnit distance;
    GivenUnit volume;           // of the first tank
    GivenUnit secondTank;       // of the second tank, whose rows a tank column marks with 2
    std::string currencyWords;  // as the table writes it
    std::string currencyWhere;
    std::string vehicle;  // the Name the table gives the vehicle
};

// What reading a row found that the notes tell, counted only for the rows placed.
struct RowFacts {
    bool withoutTime = false;
    bool roundedCost = false;
    bool assumedFillUp = false;
    bool moreFuels = false;                        // a stop of two or three fuels, made one entry
    Unit converted[2] = {Unit::None, Unit::None};  // from: odometer, fuel
};

struct Source {
    const CsvTable* table = nullptr;
    ColumnLayout layout;
    // A table of other costs (Fuelio's Costs): its rows are entries without fuel.
    bool costTable = false;
    int tankColumn = -1;     // Fuelio's TankNumber: 1 or 2
    int incomeColumn = -1;   // Fuelio's isIncome: 1 for money received, not spent
    int idColumn = -1;       // Fuelio's UniqueId, Car Report's _id: rows told apart by the file
    int vehicleColumn = -1;  // aCar's Vehicle, Car Report's car_id: whose the row is
    // Drivvo's second and third fuel of one stop (a flex-fuel car filled with petrol and
    // ethanol): their columns, each -1 where the table has none.
    struct MoreFuel {
        int volume = -1;
        int cost = -1;
        int full = -1;
    };
    std::vector<MoreFuel> moreFuels;
    // Fuelly's price is per gallon or litre: the cost is the quantity times it.
    bool pricePerUnit = false;
    // The columns no role reads: where a table without a fuel column may hold it unrecognised.
    std::vector<int> otherColumns;
};

// The unit a Fuelio unit code names: 0 litres, 1 US gallons, 2 imperial gallons, 4 kg of gas.
Unit FuelioFuelUnit(const std::string& code) {
    return code == "0"   ? Unit::Litres
           : code == "1" ? Unit::UsGallons
           : code == "2" ? Unit::ImperialGallons
           : code == "4" ? Unit::Kilograms
                         : Unit::Unknown;
}

// Whether a header's unit and the unit a code names say the same: gallons of no kind agree with
// either kind.
bool UnitsAgree(Unit header, Unit code) {
    return header == Unit::None || header == code ||
           (header == Unit::Gallons && (code == Unit::UsGallons || code == Unit::ImperialGallons));
}

int HeaderIndex(const CsvTable& table, std::string_view name) {
    const std::vector<std::string>& header = table.header.fields;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (LowerAscii(TrimSpaces(header[i])) == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string_view Cell(const CsvRow& row, const Column& column) {
    const auto index = static_cast<std::size_t>(column.index);
    return column.index < 0 || index >= row.fields.size() ? std::string_view()
                                                          : std::string_view(row.fields[index]);
}

std::string TableName(const CsvTable& table) {
    return table.section.empty() ? "The file" : "The " + Quoted(table.section) + " table";
}

FileUnits ReadVehicleUnits(const CsvTable& vehicle) {
    FileUnits units;
    if (vehicle.rows.empty()) {
        return units;
    }
    const CsvRow row = vehicle.rows.front();
    for (std::size_t i = 0; i < vehicle.header.fields.size() && i < row.fields.size(); ++i) {
        const std::string name = LowerAscii(TrimSpaces(vehicle.header.fields[i]));
        const std::string value(TrimSpaces(row.fields[i]));
        if (value.empty()) {
            continue;
        }
        const std::string where = "the Vehicle table's " + Quoted(vehicle.header.fields[i]);
        if (name == "distunit") {
            const Unit unit = value == "0"   ? Unit::Kilometres
                              : value == "1" ? Unit::Miles
                                             : Unit::Unknown;
            units.distance = {unit, "distunit " + LowerAscii(value), where, {}};
        } else if (name == "fuelunit") {
            units.volume = {FuelioFuelUnit(value), "fuelunit " + LowerAscii(value), where, {}};
        } else if (name == "fuelunittank2") {
            units.secondTank = {
                FuelioFuelUnit(value), "fuelunittank2 " + LowerAscii(value), where, {}};
        } else if (name == "name") {
            units.vehicle = value;
        } else if (name == "currency") {
            units.currencyWords = value;
            units.currencyWhere = where;
        }
    }
    return units;
}

std::string ColumnsNote(const Source& source) {
    static const std::pair<Role, const char*> kShown[] = {
        {Role::Date, "date"},
        {Role::Time, "time"},
        {Role::Odometer, "odometer"},
        {Role::Fuel, "fuel"},
        {Role::Cost, "cost"},
        {Role::Kind, "kind"},
        {Role::Type, "fueling type"},
        {Role::Full, "full tank"},
        {Role::Partial, "partial"},
        {Role::DistanceUnit, "distance unit"},
        {Role::VolumeUnit, "fuel unit"},
        {Role::AnyUnit, "unit"},
        {Role::Currency, "currency"},
    };
    std::string text = source.table->section.empty()
                           ? std::string("Columns read: ")
                           : "From the " + Quoted(source.table->section) + " table: ";
    bool first = true;
    for (const auto& [role, what] : kShown) {
        if (source.layout.Has(role)) {
            text +=
                (first ? "" : ", ") + std::string(what) + " " + Quoted(source.layout[role].header);
            first = false;
        }
    }
    return text + ".";
}

std::string FormatName(const std::vector<CsvTable>& tables, const std::vector<Source>& sources) {
    const bool sectioned = std::any_of(tables.begin(), tables.end(),
                                       [](const CsvTable& t) { return !t.section.empty(); });
    const bool drivvo = std::any_of(tables.begin(), tables.end(), [](const CsvTable& t) {
        return LowerAscii(t.section) == "refuelling";
    });
    if (drivvo) {
        return "Drivvo export";
    }
    const bool aCar = std::any_of(tables.begin(), tables.end(), [](const CsvTable& t) {
        return LowerAscii(t.section) == "fill-up records";
    });
    if (aCar) {
        return "aCar export";
    }
    if (sectioned) {
        return "Fuelio backup";
    }
    if (sources.size() == 1 && sources[0].layout.tarvoExport) {
        return "Tarvo export";
    }
    if (sources.size() == 1 && sources[0].pricePerUnit) {
        return "Fuelly export";
    }
    if (sources.size() == 1 && sources[0].layout.Has(Role::Type)) {
        return "Spritmonitor export";
    }
    const char separator = tables.empty() ? ',' : tables[0].separator;
    return separator == ';' ? "CSV file (semicolon-separated)" : "CSV file (comma-separated)";
}

// "1 gallon = 3.785411784 L", or both kinds when both take part.
std::string GallonFacts(QuantityUnit a, QuantityUnit b) {
    const bool us = a == QuantityUnit::UsGallons || b == QuantityUnit::UsGallons;
    const bool imperial = a == QuantityUnit::ImperialGallons || b == QuantityUnit::ImperialGallons;
    if (us && imperial) {
        return " (1 US gallon = 3.785411784 L, 1 imperial gallon = 4.54609 L)";
    }
    return us ? " (1 gallon = 3.785411784 L)" : imperial ? " (1 gallon = 4.54609 L)" : "";
}

// "Odometer readings were converted from miles to km (1 mile = 1.609344 km)."
std::string ConversionNote(Unit from, const LogUnits& to) {
    if (DistanceOfUnit(from)) {
        return "Odometer readings were converted from " + std::string(UnitName(from)) + " to " +
               std::string(DistanceName(to.distance)) + " (1 mile = 1.609344 km).";
    }
    return "Fuel was converted from " + std::string(UnitName(from)) + " to " +
           std::string(QuantityName(to.quantity)) +
           GallonFacts(QuantityOfUnit(from).value_or(to.quantity), to.quantity) + ".";
}

// Reads the rows of the file's tables into a plan.
class Planner {
public:
    Planner(const ImportOptions& options, ImportPlan& plan) : options_(options), plan_(plan) {}

    void SetFileUnits(FileUnits units) {
        fileUnits_ = std::move(units);
        plan_.vehicle = fileUnits_.vehicle;
    }

    // Which mark the file's numbers take as decimal, or asks.
    void DecideDecimalMark(const std::vector<Source>& sources);
    // Which vehicle's rows to take when the file names several, or asks.
    void DecideVehicle(const std::vector<Source>& sources);

    // A code of the Vehicle table that the Log's column names disagree with leaves the unit in
    // doubt: a question, never one of them taken in silence.
    void CheckFileUnits(const Source& source);

    // Which tank the log follows when the rows fill two, or asks.
    void DecideTank(const std::vector<Source>& sources);
    const LogUnits& Units() const { return units_; }

    // Decides the order of dates like 03/10/2024 from the whole date column of every table, or
    // asks.
    void DecideDateOrder(const std::vector<Source>& sources);

    // Decides the units and the currency of the entries: the log's, or for a new log what the
    // file names. Refuses a file in another currency than the log's; asks the currency of a new
    // log's costs that have fractions when the file names none.
    void DecideUnits(const std::vector<Source>& sources, const LogBook& current);
    // Room for every row of `sources` at once: growing by doubling would hold the entries twice.
    void MakeRoom(const std::vector<Source>& sources) {
        std::size_t rows = 0;
        for (const Source& source : sources) {
            rows += source.table->rows.size();
        }
        placed_.reserve(rows);
        lines_.reserve(rows);
        ids_.reserve(rows);
    }

    void ReadRows(const Source& source) {
        for (const CsvRow& row : source.table->rows) {
            LogRecord r;
            std::string reason;
            facts_ = RowFacts();
            if (ReadRow(source, row, r, reason)) {
                placed_.push_back(r);
                lines_.push_back(row.line);
                // Ids of two tables may coincide: an id is one table's.
                ids_.push_back(source.idColumn < 0
                                   ? std::string()
                                   : source.table->section + '\n' +
                                         std::string(Cell(row, {source.idColumn, {}, {}, {}})));
                Count(row);
            } else if (!reason.empty()) {
                plan_.unplaced.push_back({row.line, reason});
            }
        }
    }

    // Names the repeats, parts the rows into those to add (oldest first) and those the log
    // holds, and writes the notes.
    void Finish(const LogBook& current);

private:
    bool ReadRow(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason);
    bool ReadWhen(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason);
    bool ReadKind(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason);
    // A quantity's number converted into the log's unit; false with `reason` set when it cannot
    // be placed, false with `reason` empty when it waits for a question's answer.
    // `extra` is more of it in the same unit, to add (a stop's second fuel).
    bool ReadQuantity(const Source& source, const CsvRow& row, bool distance, double& value,
                      std::string& reason, double extra);
    GivenUnit UnitOf(const Source& source, const CsvRow& row, bool distance) const;
    Unit Answered(const GivenUnit& given, bool distance);
    // The unit as the options answer it, without asking: Unknown or Gallons while it is open.
    Unit AnsweredSoFar(const GivenUnit& given) const;
    void DecideCurrency(const std::vector<Source>& sources, bool newLog);
    void TakeStatedUnits(const std::vector<Source>& sources);
    void Ask(QuestionKind kind, const std::string& subject, std::string text);
    void Count(const CsvRow& row);
    // Names the rows placed that repeat an earlier row of the file; leaves them out when the
    // options say so.
    void MarkRepeats();
    // Names the rows placed that look wrong; leaves them out when the options say so.
    void MarkSuspects();
    // The rows placed, oldest first; within one second by odometer, so that entries of a day
    // given without times keep the order in which the car drove them.
    std::vector<uint32_t> TimeOrder() const;
    // Keeps the rows placed for which `keep` says so, and their lines.
    template <typename Keep>
    void KeepPlaced(Keep keep);
    int TankOf(const Source& source, const CsvRow& row) const;
    // The vehicle a row is of when it is not the one whose rows are taken; empty when it is.
    std::string_view OtherVehicle(const Source& source, const CsvRow& row) const;
    // Why a row of a table without a fuel column may have bought fuel; empty when it cannot.
    std::string UnreadFuel(const Source& source, const CsvRow& row) const;

    const ImportOptions& options_;
    ImportPlan& plan_;
    FileUnits fileUnits_;
    DateOrder order_ = DateOrder::FromFile;
    LogUnits units_;                                // of the planned entries
    int tank_ = 1;                                  // the tank whose rows are placed
    bool decimalComma_ = false;                     // the decimal mark of the file's numbers
    std::map<std::string, int64_t> otherVehicles_;  // the rows left out, by their vehicle
    std::vector<LogRecord> placed_;
    std::vector<int> lines_;        // of the rows placed
    std::vector<std::string> ids_;  // of the rows placed, where the file gives ids
    RowFacts facts_;                // of the row being read
    std::set<std::pair<QuestionKind, std::string>> asked_;
    std::set<Unit> converted_;
    std::vector<int> strayQuoteLines_;
    int64_t withoutTime_ = 0;
    int64_t roundedCosts_ = 0;
    int64_t moreFuelStops_ = 0;
    bool assumedFillUps_ = false;
};

void Planner::CheckFileUnits(const Source& source) {
    for (const bool distance : {true, false}) {
        GivenUnit& file = distance ? fileUnits_.distance : fileUnits_.volume;
        const Column& column = source.layout[distance ? Role::Odometer : Role::Fuel];
        if (file.unit != Unit::None && file.unit != Unit::Unknown &&
            !UnitsAgree(column.unit, file.unit)) {
            file.doubt = std::string(distance ? "The odometer" : "The fuel") + " is in " +
                         std::string(UnitName(file.unit)) + " by " + file.where + ", but in " +
                         std::string(UnitName(column.unit)) + " by the column " +
                         Quoted(column.header) + ".";
            file.unit = Unit::Unknown;
        }
    }
}

int Planner::TankOf(const Source& source, const CsvRow& row) const {
    if (source.tankColumn < 0) {
        return tank_;  // a table of one tank's rows, or of costs
    }
    const Column tank{source.tankColumn, {}, Unit::None, {}};
    return TrimSpaces(Cell(row, tank)) == "2" ? 2 : 1;
}

void Planner::DecideTank(const std::vector<Source>& sources) {
    int64_t rows[2] = {0, 0};
    for (const Source& source : sources) {
        if (source.tankColumn >= 0) {
            for (const CsvRow& row : source.table->rows) {
                ++rows[TankOf(source, row) - 1];
            }
        }
    }
    if (rows[0] == 0 || rows[1] == 0) {
        tank_ = rows[0] == 0 && rows[1] != 0 ? 2 : 1;
        return;
    }
    if (options_.tank == 1 || options_.tank == 2) {
        tank_ = options_.tank;
        return;
    }
    const auto unit = [](const GivenUnit& given) {
        return given.unit == Unit::None ? std::string("a unit the file does not name")
                                        : std::string(UnitName(given.unit));
    };
    Ask(QuestionKind::Tank, "tank",
        "The fill-ups fill two tanks: tank 1 in " + unit(fileUnits_.volume) + " (" +
            Plural(rows[0], "row", "rows") + ") and tank 2 in " + unit(fileUnits_.secondTank) +
            " (" + Plural(rows[1], "row", "rows") +
            "). A log keeps one fuel: which tank does it follow? The other tank's rows are not "
            "placed.");
}

std::string Planner::UnreadFuel(const Source& source, const CsvRow& row) const {
    if (source.layout.Has(Role::Fuel) || source.costTable || source.layout.tarvoExport) {
        return {};
    }
    for (const int index : source.otherColumns) {
        const Column column{index, {}, Unit::None, {}};
        const std::string_view cell = Cell(row, column);
        double value = 0.0;
        if (ReadNumberCell(cell, decimalComma_, value) == CellNumber::Number && value != 0.0) {
            return "the file has no fuel column Tarvo knows, and its column " +
                   Quoted(source.table->header.fields[static_cast<std::size_t>(index)]) +
                   " holds " + Quoted(cell) +
                   ", which may be fuel: the row is not taken as a cost without fuel";
        }
    }
    return {};
}

void Planner::DecideVehicle(const std::vector<Source>& sources) {
    std::vector<std::string> names;
    for (const Source& source : sources) {
        if (source.vehicleColumn < 0) {
            continue;
        }
        for (const CsvRow& row : source.table->rows) {
            const std::string name(TrimSpaces(Cell(row, {source.vehicleColumn, {}, {}, {}})));
            if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    if (std::count(names.begin(), names.end(), options_.vehicle) != 0) {
        plan_.vehicle = options_.vehicle;
        return;
    }
    // Car Report's car_id is a number, no name to give a vehicle: one alone is left unnamed.
    const bool byName = std::any_of(sources.begin(), sources.end(), [](const Source& source) {
        return source.vehicleColumn >= 0 &&
               LowerAscii(TrimSpaces(
                   source.table->header.fields[static_cast<std::size_t>(source.vehicleColumn)])) ==
                   "vehicle";
    });
    if (names.size() == 1) {
        plan_.vehicle = byName ? names.front() : std::string();
        return;
    }
    if (names.size() > 1) {
        std::string listed;
        for (const std::string& name : names) {
            listed += (listed.empty() ? "" : ", ") + Quoted(name);
        }
        Ask(QuestionKind::Vehicle, {},
            "The file holds the entries of " + FormatInt(static_cast<int64_t>(names.size())) +
                " vehicles: " + listed + ". Which vehicle's entries should be imported?");
        plan_.questions.back().choices = std::move(names);
    }
}

std::string_view Planner::OtherVehicle(const Source& source, const CsvRow& row) const {
    const std::string_view vehicle = TrimSpaces(Cell(row, {source.vehicleColumn, {}, {}, {}}));
    return plan_.vehicle.empty() || vehicle == plan_.vehicle ? std::string_view() : vehicle;
}

void Planner::Count(const CsvRow& row) {
    withoutTime_ += facts_.withoutTime ? 1 : 0;
    roundedCosts_ += facts_.roundedCost ? 1 : 0;
    moreFuelStops_ += facts_.moreFuels ? 1 : 0;
    assumedFillUps_ = assumedFillUps_ || facts_.assumedFillUp;
    for (const Unit unit : facts_.converted) {
        if (unit != Unit::None) {
            converted_.insert(unit);
        }
    }
    if (row.flaw == CsvFlaw::StrayQuote) {
        strayQuoteLines_.push_back(row.line);
    }
}

void Planner::Ask(QuestionKind kind, const std::string& subject, std::string text) {
    if (asked_.insert({kind, subject}).second) {
        plan_.questions.push_back({kind, subject, std::move(text), {}});
    }
}

void Planner::DecideDecimalMark(const std::vector<Source>& sources) {
    decimalComma_ = !sources.empty() && sources.front().table->separator == ';';
    std::map<MarkShown, std::string> example;  // the first cell showing each, with its line
    for (const Source& source : sources) {
        std::vector<int> columns = {source.layout[Role::Odometer].index,
                                    source.layout[Role::Fuel].index,
                                    source.layout[Role::Cost].index};
        for (const Source::MoreFuel& more : source.moreFuels) {
            columns.insert(columns.end(), {more.volume, more.cost});
        }
        for (const CsvRow& row : source.table->rows) {
            for (const int index : columns) {
                const std::string_view cell = Cell(row, {index, {}, Unit::None, {}});
                if (std::string& seen = example[DecimalMarkShown(cell)]; seen.empty()) {
                    seen = Quoted(cell) + " on line " + FormatInt(row.line);
                }
            }
        }
    }
    const bool point = example.count(MarkShown::Point) != 0;
    const bool comma = example.count(MarkShown::Comma) != 0;
    if (point != comma) {
        decimalComma_ = comma;  // the one mark the file shows as decimal
        return;
    }
    if (!point || example.count(MarkShown::Either) == 0) {
        return;
    }
    if (options_.decimalMark != DecimalMark::FromFile) {
        decimalComma_ = options_.decimalMark == DecimalMark::Comma;
        return;
    }
    Ask(QuestionKind::DecimalMark, "decimal mark",
        "The numbers use both marks as decimal marks: " + example[MarkShown::Point] + " a point, " +
            example[MarkShown::Comma] + " a comma. Is " + example[MarkShown::Either] +
            " a whole number with a thousands separator, or a fraction? Which is the decimal "
            "mark of such numbers?");
}

void Planner::DecideDateOrder(const std::vector<Source>& sources) {
    order_ = options_.dateOrder;
    std::string dayFirst;    // an example putting the day first: "13/01/2024" (line 4)
    std::string monthFirst;  // and one putting the month first
    std::string either;      // and one that reads both ways
    for (const Source& source : sources) {
        for (const CsvRow& row : source.table->rows) {
            const std::string_view cell = Cell(row, source.layout[Role::Date]);
            int first = 0;
            int second = 0;
            if (!TwoWayDateParts(cell, first, second)) {
                continue;
            }
            std::string& slot = first > 12 ? dayFirst : second > 12 ? monthFirst : either;
            if (slot.empty() && (first > 12 || second > 12 || first != second)) {
                slot = Quoted(cell) + " on line " + FormatInt(row.line);
            }
        }
    }
    if (order_ != DateOrder::FromFile) {
        if (!dayFirst.empty() || !monthFirst.empty() || !either.empty()) {
            plan_.notes.push_back(order_ == DateOrder::DayFirst
                                      ? "Dates such as 03/10/2024 are read day first, as answered."
                                      : "Dates such as 03/10/2024 are read month first, as "
                                        "answered.");
        }
        return;
    }
    if (!dayFirst.empty() && !monthFirst.empty()) {
        Ask(QuestionKind::DateOrder, "date order",
            "The dates disagree: " + dayFirst + " puts the day first, " + monthFirst +
                " the month. Which order does the file use? Rows that do not fit it will be "
                "listed as not placed.");
    } else if (!dayFirst.empty()) {
        order_ = DateOrder::DayFirst;
        plan_.notes.push_back("Dates are read day first, as " + dayFirst + " shows.");
    } else if (!monthFirst.empty()) {
        order_ = DateOrder::MonthFirst;
        plan_.notes.push_back("Dates are read month first, as " + monthFirst + " shows.");
    } else if (!either.empty()) {
        Ask(QuestionKind::DateOrder, "date order",
            "Every date reads both ways, day first or month first (such as " + either +
                "). Which order does the file use?");
    }
}

void Planner::DecideUnits(const std::vector<Source>& sources, const LogBook& current) {
    units_ = current.units;
    // A log that holds nothing and declares nothing is new: it takes what the file names.
    const bool newLog = UsedCount(current) == 0 && current.units.IsDefault();
    DecideCurrency(sources, newLog);
    if (newLog && plan_.unusable.empty()) {
        TakeStatedUnits(sources);
    }
    if (units_ != current.units) {
        plan_.notes.push_back("The log is new and takes the file's units: " +
                              std::string(DistanceName(units_.distance)) + ", " +
                              std::string(QuantityName(units_.quantity)) + " and " +
                              units_.currency.code + ".");
    }
}

void Planner::DecideCurrency(const std::vector<Source>& sources, bool newLog) {
    std::map<std::string, std::string> named;  // the currencies the file names, and where first
    std::string fraction;                      // a cost with a fraction, and where
    if (!fileUnits_.currencyWords.empty()) {
        const std::optional<Currency> currency = CurrencyOfWords(fileUnits_.currencyWords);
        if (!currency) {
            plan_.unusable = "The costs are in " + Quoted(fileUnits_.currencyWords) + " (" +
                             fileUnits_.currencyWhere + "), a currency Tarvo does not know.";
            return;
        }
        named.emplace(currency->code, fileUnits_.currencyWhere);
    }
    for (const Source& source : sources) {
        const Column& cost = source.layout[Role::Cost];
        // A header's words that name no currency ("Total (incl. VAT)") say nothing of money.
        const std::optional<Currency> inHeader = CurrencyOfWords(cost.unitWords);
        if (inHeader && !cost.unitWords.empty()) {
            named.emplace(inHeader->code, "column " + Quoted(cost.header));
        }
        for (const CsvRow& row : source.table->rows) {
            const std::string_view cell = TrimSpaces(Cell(row, source.layout[Role::Currency]));
            if (!cell.empty()) {
                const std::string where = Quoted(cell) + " on line " + FormatInt(row.line);
                const std::optional<Currency> currency = CurrencyOfWords(cell);
                if (!currency) {
                    plan_.unusable =
                        "The costs are in " + where + ", a currency Tarvo does not know.";
                    return;
                }
                named.emplace(currency->code, where);
            }
            double value = 0.0;
            const std::string_view costCell = Cell(row, cost);
            if (fraction.empty() &&
                ReadNumberCell(costCell, decimalComma_, value) == CellNumber::Number &&
                value != std::round(value)) {
                fraction = Quoted(costCell) + " on line " + FormatInt(row.line);
            }
        }
    }
    if (named.size() > 1) {
        std::string codes;
        for (const auto& [code, where] : named) {
            codes += (codes.empty() ? "" : ", ") + code + " (" + where + ")";
        }
        plan_.unusable = "The costs are in more than one currency: " + codes +
                         ". A log keeps one currency, and Tarvo converts no money.";
        return;
    }
    if (named.size() == 1) {
        const Currency currency = *CurrencyOfCode(named.begin()->first);
        if (newLog) {
            units_.currency = currency;
        } else if (currency != units_.currency) {
            const std::string& code = currency.code;
            plan_.unusable = "The costs are in " + code + " (" + named.begin()->second +
                             "), and this log keeps its costs in " + units_.currency.code +
                             ". Tarvo converts no money. To keep a log in " + code +
                             ", export this one, move the log aside, make a new log in " + code +
                             " (tarvo --new-log --currency=" + code + ") and import into it.";
        }
        return;
    }
    if (newLog && !fraction.empty()) {
        if (options_.currency) {
            units_.currency = *options_.currency;
        } else {
            Ask(QuestionKind::Currency, "currency",
                "The costs have fractions (such as " + fraction +
                    "), and the file does not say which currency they are in. The log is new "
                    "and takes the currency of what is imported into it: which is it?");
        }
    }
}

void Planner::TakeStatedUnits(const std::vector<Source>& sources) {
    std::set<DistanceUnit> distances;
    std::set<QuantityUnit> quantities;
    for (const Source& source : sources) {
        for (const CsvRow& row : source.table->rows) {
            if (TankOf(source, row) != tank_ || !OtherVehicle(source, row).empty()) {
                continue;  // not placed
            }
            for (const bool distance : {true, false}) {
                const GivenUnit given = UnitOf(source, row, distance);
                if (given.where.empty()) {
                    continue;  // the file says nothing here
                }
                const Unit unit = AnsweredSoFar(given);
                const std::optional<DistanceUnit> inDistance = DistanceOfUnit(unit);
                const std::optional<QuantityUnit> inQuantity = QuantityOfUnit(unit);
                if (distance && inDistance) {
                    distances.insert(*inDistance);
                } else if (!distance && inQuantity) {
                    quantities.insert(*inQuantity);
                }
            }
        }
    }
    // A file that names more than one unit for a column (a unit column of litres and gallons)
    // mixes them itself: its numbers are converted into the log's unit.
    if (distances.size() == 1) {
        units_.distance = *distances.begin();
    }
    if (quantities.size() == 1) {
        units_.quantity = *quantities.begin();
    }
}

GivenUnit Planner::UnitOf(const Source& source, const CsvRow& row, bool distance) const {
    const bool secondTank = !distance && TankOf(source, row) == 2;
    const GivenUnit& file = distance     ? fileUnits_.distance
                            : secondTank ? fileUnits_.secondTank
                                         : fileUnits_.volume;
    if (file.unit != Unit::None) {
        return file;
    }
    const ColumnLayout& layout = source.layout;
    for (const Role role : {distance ? Role::DistanceUnit : Role::VolumeUnit, Role::AnyUnit}) {
        const std::string_view cell = TrimSpaces(Cell(row, layout[role]));
        const Unit unit = UnitFromWords(cell);
        // A general unit column names the odometer's unit or the fuel's, as its word says; a
        // word Tarvo does not know is asked about for both.
        const bool fits = role != Role::AnyUnit || unit == Unit::Unknown ||
                          (distance ? IsDistance(unit) : IsQuantity(unit));
        if (!cell.empty() && fits) {
            return {unit, LowerAscii(cell), "column " + Quoted(layout[role].header), {}};
        }
    }
    const Column& column = layout[distance ? Role::Odometer : Role::Fuel];
    if (column.unit != Unit::None) {
        return {column.unit, column.unitWords, "column " + Quoted(column.header), {}};
    }
    // Where the file says nothing, the number is in the log's unit.
    return {
        distance ? UnitOfDistance(units_.distance) : UnitOfQuantity(units_.quantity), {}, {}, {}};
}

Unit Planner::AnsweredSoFar(const GivenUnit& given) const {
    Unit unit = given.unit;
    if (unit == Unit::Unknown) {
        const auto answer = options_.unitAnswers.find(given.words);
        unit = answer == options_.unitAnswers.end() ? Unit::Unknown : answer->second;
    }
    if (unit == Unit::Gallons &&
        (options_.gallon == Unit::UsGallons || options_.gallon == Unit::ImperialGallons)) {
        unit = options_.gallon;
    }
    return unit;
}

// The unit a quantity is in, with the options' answers; None while a question is open.
Unit Planner::Answered(const GivenUnit& given, bool distance) {
    const Unit unit = AnsweredSoFar(given);
    if (unit == Unit::Gallons) {
        Ask(QuestionKind::GallonKind, "gallon",
            "The fuel is in gallons (" + given.where +
                "), but the file does not say which: US gallons (3.785411784 L) or imperial "
                "gallons (4.54609 L)?");
        return Unit::None;
    }
    if (!given.doubt.empty() && unit == Unit::Unknown) {
        Ask(QuestionKind::UnknownUnit, given.words,
            given.doubt + (distance ? " Is it km or miles?"
                                    : " Is it litres, US gallons, imperial gallons or kg?"));
        return Unit::None;
    }
    if (distance ? !IsDistance(unit) : !IsQuantity(unit)) {
        Ask(QuestionKind::UnknownUnit, given.words,
            std::string(distance ? "The odometer" : "The fuel") + " is in " + Quoted(given.words) +
                " (" + given.where + "), a unit Tarvo does not know" +
                (distance ? " for a distance. Is it km or miles?"
                          : " for fuel. Is it litres, US gallons or imperial gallons?"));
        return Unit::None;
    }
    return unit;
}

bool Planner::ReadQuantity(const Source& source, const CsvRow& row, bool distance, double& value,
                           std::string& reason, double extra) {
    const Column& column = source.layout[distance ? Role::Odometer : Role::Fuel];
    const std::string_view cell = Cell(row, column);
    const char* what = distance ? "odometer reading " : "fuel ";
    value = 0.0;
    const CellNumber read = ReadNumberCell(cell, decimalComma_, value);
    if (read == CellNumber::NotANumber) {
        reason = std::string("the ") + what + Quoted(cell) + " is not a number";
        return false;
    }
    if (value < 0.0) {
        reason = std::string("the ") + what + Quoted(cell) + " is below zero";
        return false;
    }
    value += extra;
    if (value == 0.0) {
        return true;
    }
    const Unit unit = Answered(UnitOf(source, row, distance), distance);
    if (unit == Unit::None) {
        return false;
    }
    double inKmOrLitres = value;  // to judge it against what a car can show or take
    if (distance) {
        const DistanceUnit from = *DistanceOfUnit(unit);
        inKmOrLitres = ConvertDistance(value, from, DistanceUnit::Km);
        if (from != units_.distance) {
            value = ConvertDistance(value, from, units_.distance);
            facts_.converted[0] = unit;
        }
    } else {
        const QuantityUnit from = *QuantityOfUnit(unit);
        if (!QuantitiesConvert(from, units_.quantity)) {
            reason = "the fuel " + Quoted(cell) + " is in " + std::string(UnitName(unit)) +
                     ", which cannot be converted to " +
                     std::string(QuantityName(units_.quantity)) + ", the log's unit";
            return false;
        }
        if (QuantitiesConvert(from, QuantityUnit::Litres)) {
            inKmOrLitres = ConvertQuantity(value, from, QuantityUnit::Litres);
        }
        if (from != units_.quantity) {
            value = ConvertQuantity(value, from, units_.quantity);
            facts_.converted[1] = unit;
        }
    }
    const bool litres = !distance && QuantitiesConvert(units_.quantity, QuantityUnit::Litres);
    if (inKmOrLitres > (distance ? kMostKm : litres ? kMostLitres : kMostKgOrKwh)) {
        reason = std::string("the ") + what + Quoted(cell) +
                 (distance ? " is beyond 10,000,000 km"
                  : litres ? " is beyond 10,000 L"
                           : " is beyond 10,000 " + std::string(QuantitySymbol(units_.quantity)));
        return false;
    }
    value = AsFileKeeps(value, distance ? kOdometerDecimals : QuantityDecimals(units_.quantity));
    return true;
}

bool Planner::ReadWhen(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason) {
    bool hasTime = false;
    if (const Failure notADate =
            ReadDateCell(Cell(row, source.layout[Role::Date]), order_, r.time, hasTime)) {
        reason = notADate->Text();
        return false;
    }
    const std::string_view time = TrimSpaces(Cell(row, source.layout[Role::Time]));
    if (!hasTime && !time.empty()) {
        if (const Failure notATime = ReadTimeCell(time, r.time)) {
            reason = notATime->Text();
        }
        hasTime = reason.empty();
    }
    facts_.withoutTime = !hasTime;
    return reason.empty();
}

bool Planner::ReadKind(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason) {
    const ColumnLayout& layout = source.layout;
    if (!layout.tarvoExport && r.fuel == 0.0) {
        r.kind = Maintenance;  // as the program stores every entry without fuel
        return true;
    }
    if (layout.Has(Role::Kind)) {
        const std::string_view cell = TrimSpaces(Cell(row, layout[Role::Kind]));
        if (!KindFromWord(cell, r.kind)) {
            reason = "the kind " + Quoted(cell) + " is not fill-up, partial or maintenance";
        }
    } else if (layout.Has(Role::Type)) {
        const std::string_view cell = TrimSpaces(Cell(row, layout[Role::Type]));
        if (cell == "1" || cell == "3") {
            r.kind = FillUp;  // 3, the first fueling, fills the tank
        } else if (cell == "2") {
            r.kind = NotFillUp;
        } else {
            reason = cell == "0" ? "Type 0 marks an invalid fueling"
                                 : "the Type " + Quoted(cell) +
                                       " is not 1 (full), 2 (partial), 3 (first) or 0 (invalid)";
        }
    } else if (layout.Has(Role::Full) || layout.Has(Role::Partial)) {
        const Column& column = layout[layout.Has(Role::Full) ? Role::Full : Role::Partial];
        bool yes = false;
        if (!ReadFlagCell(Cell(row, column), yes)) {
            reason = "the " + Quoted(column.header) + " value " + Quoted(Cell(row, column)) +
                     " is not 1/0, true/false or yes/no";
        }
        r.kind = yes == layout.Has(Role::Full) ? FillUp : NotFillUp;
    } else {
        r.kind = FillUp;
        facts_.assumedFillUp = true;
    }
    return reason.empty();
}

bool Planner::ReadRow(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason) {
    if (row.flaw == CsvFlaw::UnclosedQuote) {
        reason = "a quote opens a field on this line and is never closed";
        return false;
    }
    const ColumnLayout& layout = source.layout;
    const std::size_t columns = source.table->header.fields.size();
    if (row.fields.size() != columns) {
        // Its cells cannot be matched to their columns: read in place they could change meaning.
        reason = "the row has " +
                 Plural(static_cast<int64_t>(row.fields.size()), "field", "fields") +
                 " where the header has " + FormatInt(static_cast<int64_t>(columns));
        return false;
    }
    if (const std::string_view vehicle = OtherVehicle(source, row); !vehicle.empty()) {
        ++otherVehicles_[std::string(vehicle)];
        return false;  // another vehicle's row, which the notes count
    }
    if (TankOf(source, row) != tank_) {
        reason = "the row fills tank " + FormatInt(TankOf(source, row)) +
                 ", and the log follows tank " + FormatInt(tank_);
        return false;
    }
    // A stop with a second or third fuel is one entry with them all: its quantity and cost are
    // the sums, and it filled the tank if any fuel did.
    double moreFuel = 0.0;
    double moreCost = 0.0;
    bool moreFilled = false;
    for (const Source::MoreFuel& more : source.moreFuels) {
        double volume = 0.0;
        double cost = 0.0;
        bool full = false;
        const std::pair<int, double*> cells[] = {{more.volume, &volume}, {more.cost, &cost}};
        for (const auto& [index, value] : cells) {
            const std::string_view cell = Cell(row, {index, {}, Unit::None, {}});
            if (ReadNumberCell(cell, decimalComma_, *value) == CellNumber::NotANumber) {
                reason = "the " +
                         Quoted(source.table->header.fields[static_cast<std::size_t>(index)]) +
                         " value " + Quoted(cell) + " is not a number";
                return false;
            }
        }
        if (volume < 0.0) {
            reason = "the " +
                     Quoted(source.table->header.fields[static_cast<std::size_t>(more.volume)]) +
                     " value is below zero";
            return false;
        }
        ReadFlagCell(Cell(row, {more.full, {}, Unit::None, {}}), full);
        moreFuel += volume;
        moreCost += cost;
        moreFilled = moreFilled || (volume > 0.0 && full);
    }
    facts_.moreFuels = moreFuel > 0.0;
    bool income = false;
    if (ReadFlagCell(Cell(row, Column{source.incomeColumn, {}, Unit::None, {}}), income) &&
        income) {
        reason = "the row is marked as income, not an expense";
        return false;
    }
    if (!ReadWhen(source, row, r, reason)) {
        return false;
    }
    // Both quantities are read before giving up, so that every question is asked at once.
    bool waiting = !ReadQuantity(source, row, false, r.fuel, reason, moreFuel);
    if (reason.empty()) {
        reason = UnreadFuel(source, row);
    }
    if (!reason.empty()) {
        return false;
    }
    const bool noOdometer = TrimSpaces(Cell(row, layout[Role::Odometer])).empty();
    if (noOdometer && r.fuel != 0.0 && !layout.tarvoExport) {
        reason = "an entry with fuel needs an odometer reading, and the row has none";
        return false;
    }
    waiting = !ReadQuantity(source, row, true, r.odo, reason, 0.0) || waiting;
    if (!reason.empty() || waiting) {
        return false;
    }
    double cost = 0.0;
    const std::string_view costCell = Cell(row, layout[Role::Cost]);
    if (ReadNumberCell(costCell, decimalComma_, cost) == CellNumber::NotANumber) {
        reason = "the cost " + Quoted(costCell) + " is not a number";
        return false;
    }
    cost += moreCost;
    if (source.pricePerUnit) {
        double quantity = 0.0;  // in the file's unit, as the price is
        ReadNumberCell(Cell(row, layout[Role::Fuel]), decimalComma_, quantity);
        cost *= quantity;
    }
    const double whole = RoundedMinorUnits(cost, units_.currency.digits, &facts_.roundedCost);
    if (whole < std::numeric_limits<int32_t>::min() ||
        whole > std::numeric_limits<int32_t>::max()) {
        reason = "the cost " + Quoted(costCell) + " is beyond what Tarvo keeps (32 bits)";
        return false;
    }
    r.cost = static_cast<int32_t>(whole);
    if (!ReadKind(source, row, r, reason)) {
        return false;
    }
    if (moreFilled) {
        r.kind = FillUp;
    }
    if (r.fuel == 0.0 && r.cost == 0) {
        reason = "the row has neither fuel nor a cost";
        return false;
    }
    return true;
}

bool Later(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    const auto fields = [](const SYSTEMTIME& t) {
        return std::make_tuple(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    };
    return fields(a) > fields(b);
}

void SortByLine(std::vector<UnplacedRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const UnplacedRow& a, const UnplacedRow& b) { return a.line < b.line; });
}

// The middle of `values`, or 0 when there are too few to have a usual.
double Usual(std::vector<double> values) {
    constexpr std::size_t kFewestForUsual = 5;
    if (values.size() < kFewestForUsual) {
        return 0.0;
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

std::vector<uint32_t> Planner::TimeOrder() const {
    std::vector<uint32_t> order(placed_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<uint32_t>(i);
    }
    std::stable_sort(order.begin(), order.end(), [this](uint32_t a, uint32_t b) {
        const int newest = CompareNewestFirst(placed_[a], placed_[b]);
        return newest != 0 ? newest > 0 : placed_[a].odo < placed_[b].odo;
    });
    return order;
}

void Planner::MarkSuspects() {
    const std::vector<uint32_t> order = TimeOrder();
    // Far beyond the usual: over four times the fuel of the file's middle fill-up, or the
    // distance of its middle stretch between stops with fuel; judged only where the file has
    // enough of them to have a usual.
    constexpr double kTimesUsual = 4.0;
    std::vector<double> fuels;
    std::vector<double> stretches;
    const std::size_t none = placed_.size();
    std::vector<std::size_t> stretchStart(placed_.size(), none);  // the stop with fuel before
    std::size_t last = none;
    for (const uint32_t i : order) {
        const LogRecord& r = placed_[i];
        if (r.fuel > 0.0 && r.odo > 0.0) {
            if (last != none && r.odo > placed_[last].odo) {
                stretchStart[i] = last;
                stretches.push_back(r.odo - placed_[last].odo);
            }
            last = i;
        }
        if (r.fuel > 0.0) {
            fuels.push_back(r.fuel);
        }
    }
    const double usualFuel = Usual(std::move(fuels));
    const double usualStretch = Usual(std::move(stretches));
    const std::string distance = " " + std::string(DistanceSymbol(units_.distance));
    std::map<std::size_t, std::string> why;  // only the few rows that look wrong
    const auto add = [&why](std::size_t i, const std::string& text) {
        why[i] += (why[i].empty() ? "" : "; ") + text;
    };
    std::size_t before = none;  // the last entry with an odometer reading, in time
    for (const uint32_t i : order) {
        const LogRecord& r = placed_[i];
        if (r.odo != 0.0) {
            if (before != none && r.odo < placed_[before].odo) {
                add(i, "the odometer " + FormatFixed(r.odo, kOdometerDecimals) +
                           " is below the entry before it (line " + FormatInt(lines_[before]) +
                           ", " + FormatFixed(placed_[before].odo, kOdometerDecimals) + ")");
            }
            before = i;
        }
        if (options_.now && Later(r.time, *options_.now)) {
            add(i, "its date " + FormatDateTimeText(r.time, DateTimeText::Display) +
                       " is in the future");
        }
        if (r.cost < 0) {
            add(i, "its cost is below zero");
        }
        if (usualFuel > 0.0 && r.fuel > kTimesUsual * usualFuel) {
            add(i, "its fuel is more than four times the file's usual fill-up (" +
                       FormatFixed(usualFuel, QuantityDecimals(units_.quantity)) + " " +
                       std::string(QuantitySymbol(units_.quantity)) + ")");
        }
        if (const std::size_t start = stretchStart[i];
            start != none && usualStretch > 0.0 &&
            r.odo - placed_[start].odo > kTimesUsual * usualStretch) {
            add(i, "its distance since line " + FormatInt(lines_[start]) + ", " +
                       FormatFixed(r.odo - placed_[start].odo, kOdometerDecimals) + distance +
                       ", is more than four times the file's usual distance between fill-ups (" +
                       FormatFixed(usualStretch, kOdometerDecimals) + distance + ")");
        }
    }
    KeepPlaced([this, &why](std::size_t i) {
        const auto found = why.find(i);
        if (found == why.end()) {
            return true;
        }
        if (options_.skipSuspect) {
            plan_.unplaced.push_back({lines_[i], "left out as it looks wrong: " + found->second});
            return false;
        }
        plan_.suspect.push_back({lines_[i], found->second});
        return true;
    });
    SortByLine(plan_.unplaced);
    SortByLine(plan_.suspect);
}

template <typename Keep>
void Planner::KeepPlaced(Keep keep) {
    // Kept in place: a large file's entries are never held twice.
    std::size_t next = 0;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        if (keep(i)) {
            placed_[next] = placed_[i];
            lines_[next++] = lines_[i];
        }
    }
    placed_.resize(next);
    lines_.resize(next);
}

void Planner::MarkRepeats() {
    const std::vector<std::size_t> first = FirstCopies(placed_, ids_, units_);
    ids_ = std::vector<std::string>();
    KeepPlaced([this, &first](std::size_t i) {
        if (first[i] == i) {
            return true;
        }
        const std::string repeats = "repeats line " + FormatInt(lines_[first[i]]);
        (options_.skipRepeats ? plan_.unplaced : plan_.repeats)
            .push_back({lines_[i], options_.skipRepeats ? "left out as it " + repeats : repeats});
        return !options_.skipRepeats;
    });
}

void Planner::Finish(const LogBook& current) {
    MarkRepeats();
    MarkSuspects();
    const std::vector<uint32_t> order = TimeOrder();
    // The log's copies of an entry are matched to the file's first rows of it.
    const std::vector<bool> held = HeldCopies(current, placed_, {});
    plan_.entries.reserve(placed_.size());
    for (const uint32_t i : order) {
        (held[i] ? plan_.inLog : plan_.entries).push_back(placed_[i]);
        (held[i] ? plan_.inLogLines : plan_.entryLines).push_back(lines_[i]);
    }
    placed_ = std::vector<LogRecord>();
    lines_ = std::vector<int>();

    std::vector<std::string>& notes = plan_.notes;
    for (const Unit from : converted_) {
        notes.push_back(ConversionNote(from, units_));
    }
    if (roundedCosts_ != 0) {
        notes.push_back(
            units_.currency.IsYen()
                ? Plural(roundedCosts_, "cost with a fraction was", "costs with a fraction were") +
                      " rounded to whole yen."
                : Plural(roundedCosts_, "cost was", "costs were") + " rounded to " +
                      MajorUnitsText(1, units_.currency.digits) + " " + units_.currency.code +
                      ", the smallest amount the log keeps.");
    }
    if (withoutTime_ != 0) {
        notes.push_back(Plural(withoutTime_, "row has", "rows have") +
                        " a date without a time; such an entry is entered at 00:00:00.");
    }
    if (assumedFillUps_) {
        notes.push_back(
            "The file does not say which stops filled the tank: every entry with fuel is taken "
            "as a fill-up.");
    }
    if (moreFuelStops_ != 0) {
        notes.push_back(Plural(moreFuelStops_, "stop", "stops") +
                        " with a second or third fuel: each is one entry, its quantities and "
                        "costs added.");
    }
    for (const auto& [vehicle, rows] : otherVehicles_) {
        notes.push_back(Plural(rows, "row", "rows") + " of the vehicle " + Quoted(vehicle) +
                        " were left out: import the file again and choose that vehicle to take " +
                        (rows == 1 ? "it." : "them."));
    }
    for (const int line : strayQuoteLines_) {
        notes.push_back("Line " + FormatInt(line) + ": a quote inside a field was read as text.");
    }
}

// The file's header names, quoted and joined, for a message that says what the file holds.
std::string HeaderText(const CsvTable& table) {
    std::string headers;
    for (const std::string& name : table.header.fields) {
        headers += (headers.empty() ? "" : ", ") + Quoted(name);
    }
    return headers.empty() ? "nothing" : headers;
}

// Places the columns the options name by hand; says why when one does not fit the file.
std::string PlaceColumnsByHand(const CsvTable& table, const ImportOptions& options,
                               ColumnLayout& layout) {
    for (const auto& [word, name] : options.columns) {
        const std::optional<Role> role = RoleOfWord(word);
        if (!role) {
            return "The columns given by hand name " + Quoted(word) +
                   ", which is not a column Tarvo reads: it reads " + std::string(kRoleWords) + ".";
        }
        if (name.empty()) {
            layout.columns[static_cast<std::size_t>(*role)] = Column();  // no column holds it
            continue;
        }
        const int index = HeaderIndex(table, LowerAscii(TrimSpaces(name)));
        if (index < 0) {
            return "The columns given by hand put the " + LowerAscii(word) + " in " + Quoted(name) +
                   ", but the file has no such column. Its header reads: " + HeaderText(table) +
                   ".";
        }
        PlaceColumn(layout, *role, table.header.fields, static_cast<std::size_t>(index));
    }
    return {};
}

}  // namespace

ImportPlan PlanImport(std::string_view bytes, const LogBook& current,
                      const ImportOptions& options) {
    ImportPlan plan;
    std::string encoding;
    // The converted text outlives the tables, which read their rows from it.
    const std::optional<std::string> text = TextAsUtf8(bytes, encoding);
    const std::vector<CsvTable> tables = ReadCsv(text ? std::string_view(*text) : bytes);
    if (!encoding.empty()) {
        plan.notes.push_back(encoding);
    }
    Planner planner(options, plan);
    std::vector<Source> sources;
    std::vector<std::string> lacking;
    for (const CsvTable& table : tables) {
        const std::string section = LowerAscii(table.section);
        if (section == "vehicle") {
            planner.SetFileUnits(ReadVehicleUnits(table));
            continue;
        }
        // Fuelio's Log and Costs; Drivvo's Refuelling, Expense and Service.
        // aCar's Fill-Up Records and Event Records.
        const bool costs = section == "costs" || section == "expense" || section == "service" ||
                           section == "event records";
        if (!section.empty() && section != "log" && section != "refuelling" &&
            section != "fill-up records" && !costs) {
            continue;  // Fuelio's categories, stations and the like hold no entries
        }
        Source source;
        source.table = &table;
        source.layout = RecogniseColumns(table.header.fields);
        // Columns by hand name the table of fill-ups, not Fuelio's costs.
        const bool fillUps = !costs;
        const std::string misfit =
            fillUps ? PlaceColumnsByHand(table, options, source.layout) : std::string();
        if (fillUps && plan.header.empty()) {
            plan.header = table.header.fields;
            for (const std::string_view word : kHandRoles) {
                const Role role = *RoleOfWord(word);
                plan.columnsRead[std::string(word)] =
                    source.layout.Has(role) ? source.layout[role].header : std::string();
            }
        }
        if (!misfit.empty()) {
            plan.format = FormatName(tables, {});
            plan.unusable = misfit;
            return plan;
        }
        source.costTable = costs;
        source.tankColumn = HeaderIndex(table, "tanknumber");
        source.incomeColumn = HeaderIndex(table, "isincome");
        source.idColumn = std::max(HeaderIndex(table, "uniqueid"), HeaderIndex(table, "_id"));
        source.vehicleColumn =
            std::max(HeaderIndex(table, "vehicle"), HeaderIndex(table, "car_id"));
        for (const char* n : {" 2", " 3"}) {
            const Source::MoreFuel more = {
                HeaderIndex(table, std::string("volume") + n),
                HeaderIndex(table, std::string("total cost") + n),
                HeaderIndex(table, std::string("filled tank completely") + n)};
            if (more.volume >= 0) {
                source.moreFuels.push_back(more);
            }
        }
        source.pricePerUnit =
            HeaderIndex(table, "fuelup_date") >= 0 && HeaderIndex(table, "car_name") >= 0;
        Column& fuel = source.layout.columns[static_cast<std::size_t>(Role::Fuel)];
        if (source.pricePerUnit && fuel.unit == Unit::Gallons) {
            fuel.unit = Unit::UsGallons;  // Fuelly's gallons are always US gallons
        }
        // Fuelly names its units in the trip's column: "miles" or "km" is the odometer's too.
        Column& odometer = source.layout.columns[static_cast<std::size_t>(Role::Odometer)];
        if (source.pricePerUnit && odometer.unit == Unit::None) {
            odometer.unit = HeaderIndex(table, "miles") >= 0 ? Unit::Miles
                            : HeaderIndex(table, "km") >= 0  ? Unit::Kilometres
                                                             : Unit::None;
        }
        for (std::size_t i = 0; i < table.header.fields.size(); ++i) {
            const auto& columns = source.layout.columns;
            const bool read = std::any_of(columns.begin(), columns.end(), [i](const Column& c) {
                return c.index == static_cast<int>(i);
            });
            if (!read && static_cast<int>(i) != source.tankColumn &&
                static_cast<int>(i) != source.incomeColumn &&
                static_cast<int>(i) != source.idColumn &&
                static_cast<int>(i) != source.vehicleColumn) {
                source.otherColumns.push_back(static_cast<int>(i));
            }
        }
        const Failure missing = MissingColumns(source.layout);
        if (!missing) {
            sources.push_back(std::move(source));
            continue;
        }
        lacking.push_back(TableName(table) + " has " + missing->Text() +
                          ". Its header reads: " + HeaderText(table) + ".");
    }
    plan.format = FormatName(tables, sources);
    if (sources.empty()) {
        // Sections Tarvo does not read entries from (Fuelio's categories, a vehicle alone) are
        // all a file may hold.
        plan.unusable = tables.empty()    ? "The file holds no header and no rows."
                        : lacking.empty() ? "The file holds no table of entries."
                                          : lacking.front();
        for (std::size_t i = 1; i < lacking.size(); ++i) {
            plan.unusable += " " + lacking[i];
        }
        return plan;
    }
    for (const Source& source : sources) {
        plan.notes.push_back(ColumnsNote(source));
        if (source.pricePerUnit) {
            plan.notes.push_back(
                "The price is per unit of fuel: each cost is the quantity times the price.");
        }
    }
    for (const std::string& text : lacking) {
        plan.notes.push_back(text + " It was left out.");
    }
    for (const Source& source : sources) {
        if (!source.costTable) {
            planner.CheckFileUnits(source);
        }
    }
    planner.DecideDecimalMark(sources);
    planner.DecideDateOrder(sources);
    planner.DecideTank(sources);
    planner.DecideVehicle(sources);
    planner.DecideUnits(sources, current);
    plan.units = planner.Units();
    if (!plan.unusable.empty()) {
        return plan;
    }
    if (plan.questions.empty()) {
        planner.MakeRoom(sources);
        for (const Source& source : sources) {
            planner.ReadRows(source);
        }
    }
    if (!plan.questions.empty()) {
        plan.unplaced.clear();
        return plan;
    }
    planner.Finish(current);
    return plan;
}
