#include "list_columns.h"

#include <cmath>

#include "date_time_text.h"
#include "money_text.h"
#include "number_text.h"
#include "utf8.h"

namespace {

constexpr std::u16string_view kBlank = u"----";

// Where a value means nothing for the record, its cell shows "----": the economy and the trip
// where there is no trip to divide (nor, per 100 of the distance, fuel to divide by), the fuel
// and its price where none was bought, the odometer where there is no reading.
bool IsBlank(const LogRecord& r, int column, Economy economy) {
    switch (column) {
        case 1:
            return r.trip == 0.0 || (economy != Economy::DistancePerQuantity && r.kmPerL == 0.0);
        case 2:
            return r.trip == 0.0;
        case 3:
        case 4:
            return r.fuel == 0.0;
        case 7:
            return r.odo == 0.0;
        default:
            return false;
    }
}

// The number a numeric column shows, by the list's column order: the economy as the driver reads
// it, the price per unit of fuel and the cost in the currency's major unit.
double CellNumber(const LogRecord& r, int index, int column, const LogUnits& units,
                  Economy economy) {
    switch (column) {
        case 1:
            return EconomyValue(r.kmPerL, economy);
        case 2:
            return r.trip;
        case 3:
            return r.fuel;
        case 4:
            return PriceInMajorUnits(r.yenPerL, units.currency);
        case 6:
            return r.cost;
        case 7:
            return r.odo;
        case kIndexColumn:
            return index;
        default:
            return 0.0;
    }
}

char16_t KindMark(int32_t kind) {
    switch (kind) {
        case FillUp:
            return u'F';
        case NotFillUp:
            return u'N';
        case Maintenance:
            return u'M';
        default:
            return u'?';  // a kind no command writes, read from an edited file
    }
}

int Order(bool less, bool greater) {
    return less ? -1 : greater ? 1 : 0;
}

}  // namespace

std::u16string ListColumnTitle(int column, const LogUnits& units, Economy economy) {
    const std::u16string distance = Utf8ToUtf16(DistanceSymbol(units.distance));
    const std::u16string quantity = Utf8ToUtf16(QuantitySymbol(units.quantity));
    const std::u16string money = CurrencyMark(units.currency);
    switch (column) {
        case 1:
            return Utf8ToUtf16(EconomyUnit(units, economy));
        case 2:
            return u"Trip " + distance;
        case 3:
            return u"Fuel " + quantity;
        case 4:
            return money + u"/" + quantity;
        case 6:
            return u"Cost " + money;
        case 7:
            return u"Odo " + distance;
        default:
            return std::u16string(kListColumns.at(static_cast<size_t>(column)).title);
    }
}

std::u16string_view FormatListCell(const LogRecord& r, int index, int column, std::u16string& text,
                                   const LogUnits& units, Economy economy) {
    text.clear();
    if (column == 0) {
        AppendDateTimeText(text, r.time, DateTimeText::Display);
    } else if (column == 5) {
        text += KindMark(r.kind);
    } else if (column == kIndexColumn) {
        AppendInt(text, index);
    } else if (IsBlank(r, column, economy)) {
        text += kBlank;
    } else if (column == 6 && units.currency.digits > 0) {
        // Cents and the like after the point, right-aligned as whole yen are.
        const std::string amount = MajorUnitsText(r.cost, units.currency.digits);
        const std::size_t width = static_cast<std::size_t>(6 + units.currency.digits);
        text.append(amount.size() < width ? width - amount.size() : 0, u' ');
        text += Utf8ToUtf16(amount);
    } else if (column == 6) {
        AppendInt(text, r.cost, 5);
    } else {
        // "%*.1lf" in the handheld's widths; gallons, kg and kWh with their three decimals, a
        // price with one decimal more than the currency's.
        const int decimals = column == 3   ? QuantityDecimals(units.quantity)
                             : column == 4 ? PriceDecimals(units.currency)
                                           : 1;
        const int width = column == 1 ? 4 : column == 7 ? 8 : 4 + decimals;
        AppendFixed(text, CellNumber(r, index, column, units, economy), decimals, width);
    }
    return text;
}

CellSortKey ListCellSortKey(const LogRecord& r, int index, int column, const LogUnits& units,
                            Economy economy) {
    CellSortKey key;
    if (column == 0) {
        const SYSTEMTIME& t = r.time;
        key.date = uint64_t{t.wYear} << 32 | uint64_t{t.wMonth} << 16 | t.wDay;
        key.time = uint64_t{t.wHour} << 32 | uint64_t{t.wMinute} << 16 | t.wSecond;
    } else if (column == 5) {
        key.number = KindMark(r.kind);
    } else {
        key.number = CellNumber(r, index, column, units, economy);
        // A NaN has no place in an order; none can come from a recomputed log, but a blank
        // keeps the sort sound whatever the record holds.
        key.blank = IsBlank(r, column, economy) || std::isnan(key.number);
    }
    return key;
}

int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b, bool ascending) {
    if (a.blank || b.blank) {
        return Order(!a.blank, !b.blank);
    }
    const int order = a.number != b.number ? Order(a.number<b.number, a.number> b.number)
                      : a.date != b.date   ? Order(a.date<b.date, a.date> b.date)
                                           : Order(a.time<b.time, a.time> b.time);
    return ascending ? order : -order;
}

std::u16string ExplainListCell(const LogRecord& r, bool oldest, int column, const LogUnits& units,
                               Economy economy) {
    std::string note;
    const std::string quantity = " " + std::string(QuantitySymbol(units.quantity));
    const auto fuel = [&note, &quantity](double value) {
        AppendFixed(note, value, 1);
        note += quantity;
    };
    const auto distance = [&note, &units](double value) {
        AppendFixed(note, value, 1);
        note += " " + std::string(DistanceSymbol(units.distance));
    };
    switch (column) {
        case 1:
        case 2:
            if (r.trip != 0.0) {
                if (column == 1) {  // the division behind the figure
                    if (economy == Economy::DistancePerQuantity) {
                        distance(r.trip);
                        note += " \u00F7 ";
                        fuel(r.carriedFuel + r.fuel);
                    } else {
                        fuel(r.carriedFuel + r.fuel);
                        note += " \u00F7 ";
                        distance(r.trip);
                        note += " \u00D7 100";
                    }
                    if (r.carriedFuel != 0.0) {
                        note += " (";
                        fuel(r.fuel);
                        note += " here, ";
                        fuel(r.carriedFuel);
                        note += " carried from partial fills)";
                    }
                }
            } else if (oldest) {
                note = "the oldest entry: the first trip starts here";
            } else if (r.kind == FillUp) {
                note = "no distance since the previous fill-up";
            } else if (r.fuel != 0.0) {
                const std::string carried = units.quantity == QuantityUnit::Litres
                                                ? " its litres are carried into the next full fill"
                                                : " its fuel is carried into the next full fill";
                note = (r.kind == NotFillUp ? "partial fill:" : "not a fill-up:") + carried;
            } else {
                note = "no fuel bought";
            }
            break;
        case 3:
        case 4:
            if (r.fuel == 0.0) {
                note = "no fuel bought";
            }
            break;
        case 7:
            if (r.odo == 0.0) {
                note = "no odometer reading";
            }
            break;
        default:
            break;
    }
    return Utf8ToUtf16(note);
}
