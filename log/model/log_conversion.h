#pragma once

#include "log_record.h"

// Giving a log other units. Distance and quantity convert; money never does, since no rate of
// exchange of the day each entry was paid is known, so a log that holds entries keeps its
// currency.

enum class UnitsChange {
    Allowed,
    CurrencyWithEntries,  // another currency for a log that holds entries
    QuantityKinds,        // a quantity that is no other's: litres to kWh, kg to gallons
};

// Whether `book` may take the units `to`. A log without entries may take any units.
UnitsChange CheckUnitsChange(const LogBook& book, const LogUnits& to);

// `book` in the units `to`, which CheckUnitsChange allows: every entry's odometer and quantity
// converted and kept as the file keeps them, and the reminder numbers, which the program reads as
// odometer readings, converted with the odometer. Costs, dates and kinds stay; the derived values
// are the caller's to recompute, after its sort, as after every change.
LogBook ConvertBook(const LogBook& book, const LogUnits& to);

// The same for entries alone (planned by an import in `from`), into `to`.
void ConvertEntries(std::vector<LogRecord>& entries, const LogUnits& from, const LogUnits& to);
