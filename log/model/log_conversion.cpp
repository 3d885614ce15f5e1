#include "log_conversion.h"

namespace {

void ConvertEntry(LogRecord& r, const LogUnits& from, const LogUnits& to) {
    r.odo = AsFileKeeps(ConvertDistance(r.odo, from.distance, to.distance), kOdometerDecimals);
    r.fuel = AsFileKeeps(ConvertQuantity(r.fuel, from.quantity, to.quantity),
                         QuantityDecimals(to.quantity));
}

}  // namespace

UnitsChange CheckUnitsChange(const LogBook& book, const LogUnits& to) {
    if (UsedCount(book) == 0) {
        return UnitsChange::Allowed;
    }
    if (to.currency != book.units.currency) {
        return UnitsChange::CurrencyWithEntries;
    }
    return QuantitiesConvert(book.units.quantity, to.quantity) ? UnitsChange::Allowed
                                                               : UnitsChange::QuantityKinds;
}

LogBook ConvertBook(const LogBook& book, const LogUnits& to) {
    LogBook converted = book;
    const std::size_t used = UsedCount(book);
    for (std::size_t i = 0; i < used; ++i) {
        ConvertEntry(converted.records[i], book.units, to);
    }
    for (double& value : converted.reminders.value) {
        value = AsFileKeeps(ConvertDistance(value, book.units.distance, to.distance),
                            kOdometerDecimals);
    }
    converted.units = to;
    return converted;
}

void ConvertEntries(std::vector<LogRecord>& entries, const LogUnits& from, const LogUnits& to) {
    for (LogRecord& r : entries) {
        ConvertEntry(r, from, to);
    }
}
