#include "log_import.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

#include "ascii_text.h"
#include "csv_reader.h"
#include "date_order.h"
#include "entry_key.h"
#include "import_columns.h"
#include "log_export.h"
#include "number_text.h"
#include "utf8.h"

namespace {

constexpr double kKmPerMile = 1.609344;
constexpr double kLitresPerUsGallon = 3.785411784;
constexpr double kLitresPerImperialGallon = 4.54609;
// Beyond these a number is a mistake, not a car: no odometer shows ten million km, and no stop
// at the pump takes ten thousand litres.
constexpr double kMostKm = 10'000'000.0;
constexpr double kMostLitres = 10'000.0;

// A unit as the file gives it, and where, so that a question can name it.
struct GivenUnit {
    Unit unit = Unit::None;
    std::string words;  // lower case; the key of ImportOptions::unitAnswers
    std::string where;  // "column \"Odo (furlongs)\""
};

// Fuelio's Vehicle table sets the units of the whole file.
struct FileUnits {
    GivenUnit distance;
    GivenUnit volume;
};

// What reading a row found that the notes tell, counted only for the rows placed.
struct RowFacts {
    bool withoutTime = false;
    bool roundedCost = false;
    bool assumedFillUp = false;
    Unit converted[2] = {Unit::None, Unit::None};  // odometer, fuel
    std::string currency;                          // one that is not yen
};

struct Source {
    const CsvTable* table = nullptr;
    ColumnLayout layout;
};

std::string_view Cell(const CsvRow& row, const Column& column) {
    const auto index = static_cast<std::size_t>(column.index);
    return column.index < 0 || index >= row.fields.size() ? std::string_view()
                                                          : std::string_view(row.fields[index]);
}

// The value as the log file will hold it: one decimal.
double AsLogFileHolds(double value) {
    double held = 0.0;
    ScanDouble(FormatFixed(value, 1), held);
    return held;
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
            units.distance = {unit, "distunit " + LowerAscii(value), where};
        } else if (name == "fuelunit") {
            units.volume = {value == "0" ? Unit::Litres : Unit::Gallons,
                            "fuelunit " + LowerAscii(value), where};
        }
    }
    return units;
}

std::string ColumnsNote(const Source& source) {
    static const std::pair<Role, const char*> kShown[] = {
        {Role::Date, "date"},
        {Role::Time, "time"},
        {Role::Odometer, "odometer"},
        {Role::Fuel, "litres"},
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
    if (sectioned) {
        return "Fuelio backup";
    }
    if (sources.size() == 1 && sources[0].layout.tarvoExport) {
        return "Tarvo export";
    }
    if (sources.size() == 1 && sources[0].layout.Has(Role::Type)) {
        return "Spritmonitor export";
    }
    const char separator = tables.empty() ? ',' : tables[0].separator;
    return separator == ';' ? "CSV file (semicolon-separated)" : "CSV file (comma-separated)";
}

// Reads the rows of the file's tables into a plan.
class Planner {
public:
    Planner(const ImportOptions& options, ImportPlan& plan) : options_(options), plan_(plan) {}

    void SetFileUnits(FileUnits units) { fileUnits_ = std::move(units); }

    // Decides the order of dates like 03/10/2024 from the whole date column of every table, or
    // asks.
    void DecideDateOrder(const std::vector<Source>& sources);

    // Room for every row of `sources` at once: growing by doubling would hold the entries twice.
    void MakeRoom(const std::vector<Source>& sources) {
        std::size_t rows = 0;
        for (const Source& source : sources) {
            rows += source.table->rows.size();
        }
        placed_.reserve(rows);
    }

    void ReadRows(const Source& source) {
        for (const CsvRow& row : source.table->rows) {
            LogRecord r;
            std::string reason;
            facts_ = RowFacts();
            if (ReadRow(source, row, r, reason)) {
                placed_.push_back(r);
                Count(row);
            } else if (!reason.empty()) {
                plan_.unplaced.push_back({row.line, reason});
            }
        }
    }

    // Keeps the entries the log does not hold yet, oldest first, and writes the notes.
    void Finish(const LogBook& current);

private:
    bool ReadRow(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason);
    bool ReadWhen(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason);
    bool ReadKind(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason);
    // A quantity's number converted to km or litres; false with `reason` set when it cannot be
    // placed, false with `reason` empty when it waits for a question's answer.
    bool ReadQuantity(const Source& source, const CsvRow& row, bool distance, double& value,
                      std::string& reason);
    GivenUnit UnitOf(const Source& source, const CsvRow& row, bool distance) const;
    Unit Answered(const GivenUnit& given, bool distance);
    void Ask(QuestionKind kind, const std::string& subject, std::string text);
    void Count(const CsvRow& row);

    const ImportOptions& options_;
    ImportPlan& plan_;
    FileUnits fileUnits_;
    DateOrder order_ = DateOrder::FromFile;
    std::vector<LogRecord> placed_;
    RowFacts facts_;  // of the row being read
    std::set<std::pair<QuestionKind, std::string>> asked_;
    std::set<Unit> converted_;
    std::set<std::string> currencies_;
    std::vector<int> strayQuoteLines_;
    int64_t withoutTime_ = 0;
    int64_t roundedCosts_ = 0;
    bool assumedFillUps_ = false;
};

void Planner::Count(const CsvRow& row) {
    withoutTime_ += facts_.withoutTime ? 1 : 0;
    roundedCosts_ += facts_.roundedCost ? 1 : 0;
    assumedFillUps_ = assumedFillUps_ || facts_.assumedFillUp;
    for (const Unit unit : facts_.converted) {
        converted_.insert(unit);
    }
    if (!facts_.currency.empty()) {
        currencies_.insert(facts_.currency);
    }
    if (row.flaw == CsvFlaw::StrayQuote) {
        strayQuoteLines_.push_back(row.line);
    }
}

void Planner::Ask(QuestionKind kind, const std::string& subject, std::string text) {
    if (asked_.insert({kind, subject}).second) {
        plan_.questions.push_back({kind, subject, std::move(text)});
    }
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

GivenUnit Planner::UnitOf(const Source& source, const CsvRow& row, bool distance) const {
    const GivenUnit& file = distance ? fileUnits_.distance : fileUnits_.volume;
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
                          (distance ? IsDistance(unit) : IsVolume(unit));
        if (!cell.empty() && fits) {
            return {unit, LowerAscii(cell), "column " + Quoted(layout[role].header)};
        }
    }
    const Column& column = layout[distance ? Role::Odometer : Role::Fuel];
    if (column.unit != Unit::None) {
        return {column.unit, column.unitWords, "column " + Quoted(column.header)};
    }
    return {distance ? Unit::Kilometres : Unit::Litres, {}, {}};
}

// The unit a quantity is in, with the options' answers; None while a question is open.
Unit Planner::Answered(const GivenUnit& given, bool distance) {
    Unit unit = given.unit;
    if (unit == Unit::Unknown) {
        const auto answer = options_.unitAnswers.find(given.words);
        unit = answer == options_.unitAnswers.end() ? Unit::Unknown : answer->second;
    }
    if (unit == Unit::Gallons &&
        (options_.gallon == Unit::UsGallons || options_.gallon == Unit::ImperialGallons)) {
        unit = options_.gallon;
    }
    if (unit == Unit::Gallons) {
        Ask(QuestionKind::GallonKind, "gallon",
            "The fuel is in gallons (" + given.where +
                "), but the file does not say which: US gallons (3.785411784 L) or imperial "
                "gallons (4.54609 L)?");
        return Unit::None;
    }
    if (distance ? !IsDistance(unit) : !IsVolume(unit)) {
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
                           std::string& reason) {
    const Column& column = source.layout[distance ? Role::Odometer : Role::Fuel];
    const std::string_view cell = Cell(row, column);
    const char* what = distance ? "odometer reading " : "litres ";
    value = 0.0;
    const CellNumber read = ReadNumberCell(cell, source.table->separator == ';', value);
    if (read == CellNumber::NotANumber) {
        reason = std::string("the ") + what + Quoted(cell) + " is not a number";
        return false;
    }
    if (value < 0.0) {
        reason = std::string("the ") + what + Quoted(cell) + " is below zero";
        return false;
    }
    if (value == 0.0) {
        return true;
    }
    const Unit unit = Answered(UnitOf(source, row, distance), distance);
    if (unit == Unit::None) {
        return false;
    }
    if (unit != Unit::Kilometres && unit != Unit::Litres) {
        value *= unit == Unit::Miles       ? kKmPerMile
                 : unit == Unit::UsGallons ? kLitresPerUsGallon
                                           : kLitresPerImperialGallon;
        facts_.converted[distance ? 0 : 1] = unit;
    }
    if (value > (distance ? kMostKm : kMostLitres)) {
        reason = std::string("the ") + what + Quoted(cell) +
                 (distance ? " is beyond 10,000,000 km" : " is beyond 10,000 L");
        return false;
    }
    value = AsLogFileHolds(value);
    return true;
}

bool Planner::ReadWhen(const Source& source, const CsvRow& row, LogRecord& r, std::string& reason) {
    bool hasTime = false;
    reason = ReadDateCell(Cell(row, source.layout[Role::Date]), order_, r.time, hasTime);
    if (!reason.empty()) {
        return false;
    }
    const std::string_view time = TrimSpaces(Cell(row, source.layout[Role::Time]));
    if (!hasTime && !time.empty()) {
        reason = ReadTimeCell(time, r.time);
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
    if (!ReadWhen(source, row, r, reason)) {
        return false;
    }
    // Both quantities are read before giving up, so that every question is asked at once.
    bool waiting = !ReadQuantity(source, row, false, r.fuel, reason);
    if (!reason.empty()) {
        return false;
    }
    const bool noOdometer = TrimSpaces(Cell(row, layout[Role::Odometer])).empty();
    if (noOdometer && r.fuel != 0.0 && !layout.tarvoExport) {
        reason = "an entry with fuel needs an odometer reading, and the row has none";
        return false;
    }
    waiting = !ReadQuantity(source, row, true, r.odo, reason) || waiting;
    if (!reason.empty() || waiting) {
        return false;
    }
    double cost = 0.0;
    const std::string_view costCell = Cell(row, layout[Role::Cost]);
    if (ReadNumberCell(costCell, source.table->separator == ';', cost) == CellNumber::NotANumber) {
        reason = "the cost " + Quoted(costCell) + " is not a number";
        return false;
    }
    const double whole = std::round(cost);
    if (whole < std::numeric_limits<int32_t>::min() ||
        whole > std::numeric_limits<int32_t>::max()) {
        reason = "the cost " + Quoted(costCell) + " is beyond what Tarvo keeps (32 bits)";
        return false;
    }
    facts_.roundedCost = whole != cost;
    r.cost = static_cast<int32_t>(whole);
    if (!ReadKind(source, row, r, reason)) {
        return false;
    }
    if (r.fuel == 0.0 && r.cost == 0) {
        reason = "the row has neither fuel nor a cost";
        return false;
    }
    const std::string_view currency = TrimSpaces(Cell(row, layout[Role::Currency]));
    const std::string lower = LowerAscii(currency);
    if (!currency.empty() && lower != "jpy" && lower != "yen" && lower != "\xC2\xA5") {
        facts_.currency = std::string(currency);
    }
    return true;
}

void Planner::Finish(const LogBook& current) {
    std::vector<bool> kept(placed_.size());
    {
        const std::size_t used = UsedCount(current);
        EntrySet held(used + placed_.size());
        for (std::size_t i = 0; i < used; ++i) {
            held.Insert(current.records[i]);
        }
        for (std::size_t i = 0; i < placed_.size(); ++i) {
            kept[i] = held.Insert(placed_[i]);
            plan_.duplicates += kept[i] ? 0 : 1;
        }
    }
    // Kept in place: a large file's entries are never held twice.
    std::size_t next = 0;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        if (kept[i]) {
            placed_[next++] = placed_[i];
        }
    }
    placed_.resize(next);
    plan_.entries = std::move(placed_);
    // Oldest first; within one second by odometer, so that entries of a day given without
    // times keep the order in which the car drove them.
    std::stable_sort(plan_.entries.begin(), plan_.entries.end(),
                     [](const LogRecord& a, const LogRecord& b) {
                         const int order = CompareNewestFirst(a, b);
                         return order != 0 ? order > 0 : a.odo < b.odo;
                     });

    std::vector<std::string>& notes = plan_.notes;
    if (converted_.count(Unit::Miles) != 0) {
        notes.push_back(
            "Odometer readings were converted from miles to km (1 mile = 1.609344 km).");
    }
    if (converted_.count(Unit::UsGallons) != 0) {
        notes.push_back("Fuel was converted from US gallons to litres (1 gallon = 3.785411784 L).");
    }
    if (converted_.count(Unit::ImperialGallons) != 0) {
        notes.push_back(
            "Fuel was converted from imperial gallons to litres (1 gallon = 4.54609 L).");
    }
    if (roundedCosts_ != 0) {
        notes.push_back(
            Plural(roundedCosts_, "cost with a fraction was", "costs with a fraction were") +
            " rounded to whole yen.");
    }
    for (const std::string& currency : currencies_) {
        notes.push_back(
            "Costs in " + Quoted(currency) +
            " are taken as the same numbers in yen; Tarvo does not convert currencies.");
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
    for (const int line : strayQuoteLines_) {
        notes.push_back("Line " + FormatInt(line) + ": a quote inside a field was read as text.");
    }
}

}  // namespace

ImportPlan PlanImport(std::string_view bytes, const LogBook& current,
                      const ImportOptions& options) {
    ImportPlan plan;
    const std::vector<CsvTable> tables = ReadCsv(bytes);
    Planner planner(options, plan);
    std::vector<Source> sources;
    std::vector<std::string> lacking;
    for (const CsvTable& table : tables) {
        const std::string section = LowerAscii(table.section);
        if (section == "vehicle") {
            planner.SetFileUnits(ReadVehicleUnits(table));
            continue;
        }
        if (!section.empty() && section != "log" && section != "costs") {
            continue;  // Fuelio's categories, stations and the like hold no entries
        }
        Source source{&table, RecogniseColumns(table.header.fields)};
        const std::string missing = MissingColumns(source.layout);
        if (missing.empty()) {
            sources.push_back(std::move(source));
            continue;
        }
        std::string headers;
        for (const std::string& name : table.header.fields) {
            headers += (headers.empty() ? "" : ", ") + Quoted(name);
        }
        lacking.push_back(TableName(table) + " has " + missing +
                          ". Its header reads: " + (headers.empty() ? "nothing" : headers) + ".");
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
    }
    for (const std::string& text : lacking) {
        plan.notes.push_back(text + " It was left out.");
    }
    planner.DecideDateOrder(sources);
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
