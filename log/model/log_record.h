#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "log_units.h"
#include "system_time.h"

// Held as a plain integer: a kind read from a file outside 0..2 is kept as it is.
enum RecordKind : int32_t { FillUp = 0, NotFillUp = 1, Maintenance = 2 };

// One entry of the log. Entered fields come from the user or the file; derived fields are
// rebuilt by RecomputeLog after every change and every read. Every number is in the units the
// log declares (LogBook::units): the names say km, litres and yen, which a log that declares
// nothing holds.
struct LogRecord {
    SYSTEMTIME time{};
    double fuel = 0.0;         // quantity put in; 0.0 for an entry without fuel
    double carriedFuel = 0.0;  // derived: partial fills since the previous fill-up
    int32_t kind = FillUp;     // a RecordKind value
    double trip = 0.0;         // derived: distance since the previous fill-up
    double odo = 0.0;          // odometer reading
    int32_t cost = 0;          // paid, in the currency's minor unit
    double kmPerL = 0.0;       // derived: distance per quantity
    double yenPerL = 0.0;      // derived: minor units per quantity
};

// The three reminder rows kept at the head of the log file; row k pairs label[k] with value[k].
struct ReminderBlock {
    std::array<double, 3> value{};
    std::array<std::u16string, 3> label;
};

// The in-memory log. `records` holds `count` entries newest first plus one spare slot after a
// load, so that a new entry can be added without growing. SaveLog writes the book as it is; the
// load that follows every save replaces the whole array with what the file holds.
struct LogBook {
    std::vector<LogRecord> records;
    int32_t count = 0;
    // Summed in 64 bits: thousands of 32-bit costs must never wrap.
    int64_t totalCost = 0;
    int64_t fuelCost = 0;
    ReminderBlock reminders;
    std::u16string summary;
    LogUnits units;       // as the file's header declares them
    std::string vehicle;  // the vehicle's name as the header gives it; empty when it names none
};

// The number of records in use: `count`, but never below 0 nor beyond the array, so that a book
// whose count and array disagree is never read past its end.
inline std::size_t UsedCount(const LogBook& book) {
    return book.count <= 0 ? 0u
                           : std::min(static_cast<std::size_t>(book.count), book.records.size());
}
