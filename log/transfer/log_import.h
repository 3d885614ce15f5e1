#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import_values.h"
#include "log_record.h"

// Import from a CSV file: Tarvo's own export, Fuelio's sectioned backup (its fill-ups from the
// "Log" table, its other costs from "Costs", its units from "Vehicle"), Spritmonitor's semicolon
// export, and the plain exports of other fuel trackers. Planning reads the file and changes
// nothing; AddPlannedEntries is the change, which the caller sorts, recomputes and saves as
// every command does.
//
// Rows are named by the file's line number (the first line is 1; a row whose quoted text spans
// lines is named by the line it starts on), as a text editor counts.
//
// How rows become entries:
// - The date column may hold the time too; a separate time column is used where the date has
//   none; without either the entry is at 00:00:00 (a note says how many).
// - Dates like 03/10/2024 take the order the whole column shows (a first number above 12 puts
//   the day first, a second above 12 the month); when no row tells, or rows tell both ways, the
//   plan asks, and the answer comes back in ImportOptions::dateOrder.
// - Numbers: a semicolon-separated file writes decimal commas, any other decimal points, unless
//   its cells show only the other mark as decimal ("45.5" in a semicolon file); the mark that is
//   not decimal separates thousands ("52.000" with decimal commas is fifty-two thousand). A file
//   showing both as decimal marks with a number that reads both ways ("1.234") asks which.
// - Units: the odometer and the fuel are in the log's units unless the file says otherwise: in
//   Fuelio's Vehicle table (DistUnit 0 km, 1 miles; FuelUnit and FuelUnitTank2 0 litres, 1 US
//   gallons, 2 imperial gallons, 4 kg; a code Tarvo does not know, or one the Log's column
//   names disagree with, is a question), in the column names of Tarvo's own export, else in a
//   unit column of the row, else in the column's header.
// - Fuelio's two tanks: where the rows fill both (TankNumber 1 and 2), which one the log follows
//   is a question; the other tank's rows are not placed. Fuelio's income rows are not placed. Other
//   units are converted into the log's (a note says so); a quantity that cannot be (kg into litres)
//   leaves its row not placed. Gallons of unknown kind, and a unit Tarvo does not know, are
//   questions, answered through ImportOptions.
// - Money: the costs are in the log's currency unless the file names one: in a Currency column,
//   the cost column's header ("Cost (EUR)", "cost_EUR") or Fuelio's Vehicle table. A file in
//   another currency than the log's is not imported: Tarvo converts no money.
// - A log without entries that declares nothing (a new log) takes the units and the currency the
//   file names, each where the file names it (a note says so); when the file names no currency
//   but its costs have fractions, the currency is a question.
// - Odometer and fuel are kept with the decimals the log file keeps in the log's units. A cost is
//   rounded to the currency's smallest unit (a note says how many were).
// - A file of several vehicles (a Vehicle or car_id column naming more than one) asks which
//   vehicle's rows to take; the other vehicles' rows are left out, as a note says.
// - Fill-up or partial: Tarvo's kind column, Spritmonitor's Type (1 full, 2 partial, 3 first
//   fueling = full, 0 invalid = not placed), a Full flag, or a Partial flag, the first of these
//   the table has; without any, an entry with fuel is a fill-up (a note says so). An entry
//   without fuel is maintenance, as in the program (Tarvo's own export keeps its kind as written),
//   but only where the file says so: a table of costs, or a fuel column left empty or 0. A table
//   without a fuel column Tarvo knows whose row holds a number in a column no role reads (such
//   a quantity may be fuel) leaves that row not placed, never taken as a cost.
// - An empty litres or cost cell is 0. An empty odometer cell is 0.0 for an entry without fuel,
//   and in Tarvo's own export, which writes 0.0 that way; an entry with fuel needs a reading.
// - Not placed: no date or one that is not a calendar date, a number that is not a number, a
//   negative odometer or litres, an odometer beyond 10,000,000 km, litres beyond 10,000, a cost
//   outside 32 bits, neither fuel nor cost, a kind or flag Tarvo does not know, a quoted field
//   that is never closed.
// - Rows the same (time to the second, odometer and fuel as the file keeps them, and cost) are
//   each an entry: a file that holds a row twice adds two entries, and names the second as a
//   repeat of the first, unless the file's own ids (Fuelio's UniqueId, Car Report's _id) tell
//   them apart. An entry the log already holds is not added again, copy for copy: two equal rows
//   imported into a log that holds one add one, and an import made again adds nothing.

// How to read numbers such as "1.234" in a file whose cells show both marks as decimal marks.
enum class DecimalMark { FromFile, Point, Comma };

struct ImportOptions {
    DateOrder dateOrder = DateOrder::FromFile;
    DecimalMark decimalMark = DecimalMark::FromFile;
    // What a gallon of unknown kind is: UsGallons or ImperialGallons; None leaves it a question.
    Unit gallon = Unit::None;
    // Answers to units the file names that Tarvo does not know, keyed by the question's subject.
    std::map<std::string, Unit> unitAnswers;
    // The currency of costs a file does not name, for a new log; nothing leaves it a question.
    std::optional<Currency> currency;
    // Which of two tanks the log follows, 1 or 2, when the fill-ups fill both (a car on gas and
    // petrol); 0 leaves it a question.
    int tank = 0;
    // The time now, to name rows dated after it; nothing names none.
    std::optional<SYSTEMTIME> now;
    // Leaves out the rows that look wrong (ImportPlan::suspect) instead of adding them.
    bool skipSuspect = false;
    // Leaves out the rows that repeat an earlier row (ImportPlan::repeats) instead of adding them.
    bool skipRepeats = false;
    // Which of the file's vehicles to take the rows of, by the name the file gives it, when the
    // file holds several (aCar, Car Report); empty leaves it a question.
    std::string vehicle;
    // Columns named by hand: a role's word (date, odometer, quantity, cost... as RoleOfWord reads
    // them) to the header of the column that holds it, over what the names say; an empty header
    // says that no column holds it.
    std::map<std::string, std::string> columns;
};

enum class QuestionKind {
    DateOrder,
    GallonKind,
    UnknownUnit,
    Currency,
    Tank,
    Vehicle,
    DecimalMark
};

struct ImportQuestion {
    QuestionKind kind = QuestionKind::DateOrder;
    std::string subject;               // for UnknownUnit, the unit's words: the key of unitAnswers
    std::string text;                  // the question, in plain words
    std::vector<std::string> choices;  // Vehicle: the file's vehicles, by name, the answers
};

struct UnplacedRow {
    int line = 0;
    std::string reason;
};

struct ImportPlan {
    std::string format;              // "Fuelio backup", "Spritmonitor export", "Tarvo export", ...
    std::string unusable;            // why nothing in the file can be imported; empty when it can
    std::vector<LogRecord> entries;  // to add, oldest first; derived fields 0
    std::vector<int> entryLines;     // the line of each entry to add
    LogUnits units;                  // of the entries: the log's, or the file's for a new log
    // The rows the log holds already, one for each copy it holds, oldest first, and their lines.
    std::vector<LogRecord> inLog;
    std::vector<int> inLogLines;
    // Rows the same as an earlier row of the file, to add as often as the file holds them unless
    // ImportOptions::skipRepeats leaves them out (then they are not placed, and named there).
    std::vector<UnplacedRow> repeats;  // "repeats line 11"
    std::vector<UnplacedRow> unplaced;
    // Rows placed that look wrong: an odometer below the entry before, a date after now, a cost
    // below zero, fuel far beyond the file's usual. Added as they are, nothing mended, unless
    // ImportOptions::skipSuspect leaves them out (then they are not placed, and named there).
    std::vector<UnplacedRow> suspect;
    std::vector<std::string> notes;  // columns read, conversions, rounding, assumptions
    // The vehicle the rows are of, as the file names it (Fuelio's Vehicle table, the vehicle
    // chosen); empty when it names none.
    std::string vehicle;
    // The table of fill-ups, for placing its columns by hand: its header, and for each word of
    // kHandRoles the header of the column read for it (empty for none).
    std::vector<std::string> header;
    std::map<std::string, std::string> columnsRead;
    // Open questions. While any is open nothing is planned: no entries, rows in the log or unplaced
    // rows; answer them in the options and plan again.
    std::vector<ImportQuestion> questions;

    bool CanProceed() const { return unusable.empty() && questions.empty(); }
};

ImportPlan PlanImport(std::string_view bytes, const LogBook& current, const ImportOptions& options);
