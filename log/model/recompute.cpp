#include "recompute.h"

#include "money_text.h"
#include "number_text.h"
#include "utf8.h"

// The derived values are never stored for good: this pass rebuilds all of them after every sort,
// so what the list shows always follows from the entered values alone. Every test against zero
// is an exact comparison with 0.0, as the device does.

namespace {

// Carried fuel and trip, walking from the oldest entry to the newest. A fill-up closes a
// stretch: it takes the fuel of the partial fills since the previous fill-up and measures its
// trip from that fill-up's odometer (or from the oldest entry, whatever its kind).
void CarryFuelAndTrip(LogRecord* records, std::size_t used) {
    double carry = 0.0;
    double previousOdo = records[used - 1].odo;
    for (std::size_t i = used; i-- > 0;) {
        LogRecord& r = records[i];
        if (r.kind == FillUp) {
            r.carriedFuel = carry;
            carry = 0.0;
            r.trip = r.odo - previousOdo;
            previousOdo = r.odo;
        } else {
            r.trip = 0.0;
            carry += r.fuel;
            r.carriedFuel = 0.0;
        }
    }
}

// "Av:%4.1lfkm/L, Fuel \%ld, All \%ld" for km, litres and yen, the backslash being the currency
// mark (shown as yen); other units and the other economy take their own words in the same places.
// The average runs from the oldest entry to the newest one that took fuel. What that distance
// burnt is the fuel put back after the oldest entry, so the oldest entry's own fuel is left out.
std::u16string Summary(const LogBook& book, std::size_t used, Economy economy) {
    const LogRecord* records = book.records.data();
    double sumFuel = 0.0;
    for (std::size_t i = 0; i + 1 < used; ++i) {
        sumFuel += records[i].fuel;
    }
    std::size_t newestWithFuel = 0;
    while (newestWithFuel < used && records[newestWithFuel].fuel == 0.0) {
        ++newestWithFuel;
    }
    if (newestWithFuel == used) {
        return {};
    }
    const double distance = records[newestWithFuel].odo - records[used - 1].odo;
    if (distance == 0.0) {
        return {};
    }
    std::string text = "Av:";
    AppendFixed(text, EconomyValue(distance / sumFuel, economy), 1, 4);
    text += EconomyUnit(book.units, economy) + ", Fuel ";
    return Utf8ToUtf16(text) + MoneyText(book.fuelCost, book.units.currency) + u", All " +
           MoneyText(book.totalCost, book.units.currency);
}

void EconomyAndPrice(LogRecord* records, std::size_t used) {
    for (std::size_t i = 0; i < used; ++i) {
        LogRecord& r = records[i];
        const double burnt = r.carriedFuel + r.fuel;
        r.kmPerL = burnt == 0.0 ? 0.0 : r.trip / burnt;
        r.yenPerL = r.fuel == 0.0 ? 0.0 : static_cast<double>(r.cost) / r.fuel;
    }
}

}  // namespace

void RecomputeLog(LogBook& book, Economy economy) {
    const std::size_t used = UsedCount(book);
    book.summary.clear();
    if (used == 0) {
        return;
    }
    LogRecord* records = book.records.data();
    CarryFuelAndTrip(records, used);
    book.summary = Summary(book, used, economy);
    EconomyAndPrice(records, used);
}

std::u16string SummaryLine(const LogBook& book, Economy economy) {
    const std::size_t used = UsedCount(book);
    return used == 0 ? std::u16string() : Summary(book, used, economy);
}
