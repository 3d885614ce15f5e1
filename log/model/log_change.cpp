#include "log_change.h"

#include <algorithm>
#include <utility>

#include "date_order.h"
#include "entry_key.h"
#include "log_conversion.h"
#include "number_text.h"
#include "recompute.h"

namespace {

// The text the file holds for a value kept with `decimals`.
std::string Stored(double value, int decimals) {
    return FormatFixed(value, decimals);
}

void SetReminders(ReminderBlock& block, const ReminderChange& change) {
    for (std::size_t row = 0; row < block.label.size(); ++row) {
        if (change.label[row]) {
            block.label[row] = *change.label[row];
        }
        if (change.value[row]) {
            block.value[row] = *change.value[row];
        }
    }
}

}  // namespace

ReminderChange RemindersChanged(const ReminderBlock& given, const ReminderBlock& returned) {
    ReminderChange change;
    for (std::size_t row = 0; row < given.label.size(); ++row) {
        if (returned.label[row] != given.label[row]) {
            change.label[row] = returned.label[row];
        }
        if (returned.value[row] != given.value[row]) {
            change.value[row] = returned.value[row];
        }
    }
    return change;
}

LogChange LogChange::Add(const LogRecord& added, const ReminderChange& reminders) {
    LogChange change;
    change.entry = Entry::Add;
    change.after = added;
    change.reminders = reminders;
    return change;
}

LogChange LogChange::Replace(const LogRecord& before, const LogRecord& after,
                             const ReminderChange& reminders) {
    LogChange change;
    change.entry = Entry::Replace;
    change.before = before;
    change.after = after;
    change.reminders = reminders;
    return change;
}

LogChange LogChange::Remove(const LogRecord& removed) {
    LogChange change;
    change.entry = Entry::Remove;
    change.before = removed;
    return change;
}

LogChange LogChange::RemindersOnly(const ReminderChange& reminders) {
    LogChange change;
    change.reminders = reminders;
    return change;
}

LogChange LogChange::Import(std::vector<LogRecord> entries, std::optional<LogUnits> units,
                            std::vector<LogRecord> inLog) {
    LogChange change;
    change.entry = Entry::Import;
    change.imported = std::move(entries);
    change.importedInLog = std::move(inLog);
    change.units = std::move(units);
    return change;
}

LogChange LogChange::ConvertUnits(const LogUnits& to) {
    LogChange change;
    change.entry = Entry::ConvertUnits;
    change.units = to;
    return change;
}

LogChange LogChange::RenameVehicle(const std::string& name) {
    LogChange change;
    change.vehicle = name;
    return change;
}

bool SameStoredEntry(const LogRecord& a, const LogRecord& b, const LogUnits& units) {
    return a.time.wYear == b.time.wYear && a.time.wMonth == b.time.wMonth &&
           a.time.wDay == b.time.wDay && a.time.wHour == b.time.wHour &&
           a.time.wMinute == b.time.wMinute && a.time.wSecond == b.time.wSecond &&
           a.kind == b.kind && a.cost == b.cost &&
           Stored(a.odo, kOdometerDecimals) == Stored(b.odo, kOdometerDecimals) &&
           Stored(a.fuel, QuantityDecimals(units.quantity)) ==
               Stored(b.fuel, QuantityDecimals(units.quantity));
}

namespace {

// An import's entries (and the rows the log held of them) in the book's units; false when they
// cannot be (another currency, or a quantity of another kind), and then nothing is changed.
bool BringIntoBookUnits(LogBook& book, const LogChange& change, std::vector<LogRecord>& entries,
                        std::vector<LogRecord>& inLog) {
    if (!change.units || *change.units == book.units) {
        return true;
    }
    if (UsedCount(book) == 0) {
        book.units = *change.units;  // the log is new: it takes the units of what it is given
        return true;
    }
    if (CheckUnitsChange(book, *change.units) != UnitsChange::Allowed) {
        return false;
    }
    ConvertEntries(entries, *change.units, book.units);
    ConvertEntries(inLog, *change.units, book.units);
    return true;
}

}  // namespace

ApplyOutcome ApplyChange(LogBook& book, const LogChange& change) {
    const std::size_t used = UsedCount(book);
    if (change.entry == LogChange::Entry::ConvertUnits) {
        if (!change.units || CheckUnitsChange(book, *change.units) != UnitsChange::Allowed) {
            return ApplyOutcome::UnitsDiffer;
        }
        book = ConvertBook(book, *change.units);
        book.records.resize(used + 1);
        book.count = static_cast<int32_t>(used);
        return ApplyOutcome::Applied;
    }
    std::vector<LogRecord> imported = change.imported;
    std::vector<LogRecord> inLog = change.importedInLog;
    if (change.entry == LogChange::Entry::Import &&
        !BringIntoBookUnits(book, change, imported, inLog)) {
        return ApplyOutcome::UnitsDiffer;
    }
    std::size_t found = 0;
    if (change.entry == LogChange::Entry::Replace || change.entry == LogChange::Entry::Remove) {
        while (found < used && !SameStoredEntry(book.records[found], change.before, book.units)) {
            ++found;
        }
        if (found == used) {
            return ApplyOutcome::EntryGone;
        }
        if (change.entry == LogChange::Entry::Remove && found + 1 == used) {
            return ApplyOutcome::OldestKept;
        }
    }
    book.records.resize(used + 1);  // the spare slot
    book.count = static_cast<int32_t>(used);
    const auto first = book.records.begin();
    switch (change.entry) {
        case LogChange::Entry::None:
            break;
        case LogChange::Entry::Add:
            // The new entry goes in slot 0, the older entries moving up one slot into the spare.
            std::move_backward(first, first + static_cast<std::ptrdiff_t>(used),
                               first + static_cast<std::ptrdiff_t>(used) + 1);
            book.records[0] = change.after;
            book.count = static_cast<int32_t>(used + 1);
            break;
        case LogChange::Entry::Replace:
            book.records[found] = change.after;
            break;
        case LogChange::Entry::Remove:
            // The later entries move down over the removed one.
            std::move(first + static_cast<std::ptrdiff_t>(found) + 1,
                      first + static_cast<std::ptrdiff_t>(used),
                      first + static_cast<std::ptrdiff_t>(found));
            book.count = static_cast<int32_t>(used - 1);
            break;
        case LogChange::Entry::Import:
            AddPlannedEntries(book, imported, inLog);
            break;
        case LogChange::Entry::ConvertUnits:
            break;
    }
    book.records.resize(static_cast<std::size_t>(book.count) + 1);
    SetReminders(book.reminders, change.reminders);
    if (change.vehicle) {
        book.vehicle = *change.vehicle;
    }
    return ApplyOutcome::Applied;
}

ApplyOutcome ApplyAndRecompute(LogBook& book, const LogChange& change) {
    const ApplyOutcome outcome = ApplyChange(book, change);
    if (outcome == ApplyOutcome::Applied) {
        SortNewestFirst(book);
        RecomputeLog(book);
    }
    return outcome;
}
