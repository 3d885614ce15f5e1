#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "log_record.h"

// The reminder values one command changed; a row's label or number the user left alone stays
// empty here, so that a change made to it elsewhere in the meantime survives.
struct ReminderChange {
    std::array<std::optional<std::u16string>, 3> label;
    std::array<std::optional<double>, 3> value;
};

// The reminder values the entry dialog returned different from those it was given.
ReminderChange RemindersChanged(const ReminderBlock& given, const ReminderBlock& returned);

// What one command does to the log, kept apart from the book it did it to, so that the same
// change can be made to a newer copy of the file when the file changed since it was read.
struct LogChange {
    enum class Entry { None, Add, Replace, Remove, Import, ConvertUnits };

    Entry entry = Entry::None;
    LogRecord before;                      // Replace and Remove: the entry as it was read
    LogRecord after;                       // Add and Replace: the entry as the command made it
    std::vector<LogRecord> imported;       // Import: the planned entries, oldest first
    std::vector<LogRecord> importedInLog;  // Import: the file's rows the log held when planned
    // Import: the units the planned entries are in, when the plan says (a log that holds no
    // entries takes them). ConvertUnits: the units the log is converted to.
    std::optional<LogUnits> units;
    ReminderChange reminders;
    std::optional<std::string> vehicle;  // RenameVehicle: the vehicle's new name

    static LogChange Add(const LogRecord& added, const ReminderChange& reminders);
    static LogChange Replace(const LogRecord& before, const LogRecord& after,
                             const ReminderChange& reminders);
    static LogChange Remove(const LogRecord& removed);
    static LogChange RemindersOnly(const ReminderChange& reminders);
    static LogChange Import(std::vector<LogRecord> entries,
                            std::optional<LogUnits> units = std::nullopt,
                            std::vector<LogRecord> inLog = {});
    static LogChange ConvertUnits(const LogUnits& to);
    // Names the log's vehicle `name` in its header; its entries stay as they are.
    static LogChange RenameVehicle(const std::string& name);
};

// Whether two entries are one entry of the file: the same date and time to the second, and the
// same odometer, quantity, kind and cost as the file stores them in `units`.
bool SameStoredEntry(const LogRecord& a, const LogRecord& b, const LogUnits& units);

enum class ApplyOutcome {
    Applied,
    EntryGone,   // the entry to replace or remove is not in the book: nothing was changed
    OldestKept,  // the entry to remove is the book's oldest, which anchors the first trip
    // The log holds entries in units the change cannot bring them to or from: another currency,
    // or a quantity of another kind (CheckUnitsChange).
    UnitsDiffer,
};

// Makes `change` in `book`, a book as LoadLog leaves it (newest first, one spare slot): a new
// entry goes in front, a replaced one keeps its slot, a removed one closes its gap; imported
// entries go in front too, except the copies the book already holds (AddPlannedEntries), so that
// an import made to a newer file never doubles what was imported there meanwhile; the changed
// reminder values are set. `records` then holds `count` + 1 slots again. The caller sorts and
// recomputes before saving; the cost totals are the read's (with an import's costs added), as
// the commands leave them until the file is read back. An import in other units than the book's
// gives an empty book its units, and is converted into those of a book with entries; a conversion
// converts the whole book (ConvertBook). Nothing changes unless the outcome is Applied.
ApplyOutcome ApplyChange(LogBook& book, const LogChange& change);

// A change as every road makes it to a book before saving it: ApplyChange, then the sort newest
// first and the recompute pass (both only when it was applied).
ApplyOutcome ApplyAndRecompute(LogBook& book, const LogChange& change);
