#include "log_change.h"

#include <algorithm>
#include <utility>

#include "date_order.h"
#include "entry_key.h"
#include "number_text.h"
#include "recompute.h"

namespace {

// The text the file holds for a value written with one decimal.
std::string Stored(double value) {
    return FormatFixed(value, 1);
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

LogChange LogChange::Import(std::vector<LogRecord> entries) {
    LogChange change;
    change.entry = Entry::Import;
    change.imported = std::move(entries);
    return change;
}

bool SameStoredEntry(const LogRecord& a, const LogRecord& b) {
    return a.time.wYear == b.time.wYear && a.time.wMonth == b.time.wMonth &&
           a.time.wDay == b.time.wDay && a.time.wHour == b.time.wHour &&
           a.time.wMinute == b.time.wMinute && a.time.wSecond == b.time.wSecond &&
           a.kind == b.kind && a.cost == b.cost && Stored(a.odo) == Stored(b.odo) &&
           Stored(a.fuel) == Stored(b.fuel);
}

ApplyOutcome ApplyChange(LogBook& book, const LogChange& change) {
    const std::size_t used = UsedCount(book);
    std::size_t found = 0;
    if (change.entry == LogChange::Entry::Replace || change.entry == LogChange::Entry::Remove) {
        while (found < used && !SameStoredEntry(book.records[found], change.before)) {
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
            AddPlannedEntries(book, change.imported);
            break;
    }
    book.records.resize(static_cast<std::size_t>(book.count) + 1);
    SetReminders(book.reminders, change.reminders);
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
