#include "list_columns.h"

#include <algorithm>

#include "date_time_text.h"
#include "money_text.h"
#include "number_text.h"
#include "utf8.h"

namespace {

constexpr std::u16string_view kBlank = u"----";

// "%*.1lf", or "----" where the value means nothing for this record.
void AppendFixedOrBlank(std::u16string& text, bool blank, double value, int width) {
    if (blank) {
        text += kBlank;
    } else {
        AppendFixed(text, value, 1, width);
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
    const int quantityDecimals = QuantityDecimals(units.quantity);
    const int costDecimals = units.currency.digits;
    switch (column) {
        case 0:
            AppendDateTimeText(text, r.time, DateTimeText::ListCell);
            break;
        case 1:  // the economy is blank where there is no trip to divide (nor fuel to divide by)
            AppendFixedOrBlank(
                text, r.trip == 0.0 || (economy != Economy::DistancePerQuantity && r.kmPerL == 0.0),
                EconomyValue(r.kmPerL, economy), 4);
            break;
        case 2:
            AppendFixedOrBlank(text, r.trip == 0.0, r.trip, 5);
            break;
        case 3:  // litres with one decimal in five places; gallons, kg and kWh with three
            if (r.fuel == 0.0) {
                text += kBlank;
            } else {
                AppendFixed(text, r.fuel, quantityDecimals, 4 + quantityDecimals);
            }
            break;
        case 4:  // the price per unit of fuel is blank where no fuel was bought
            if (r.fuel == 0.0) {
                text += kBlank;
            } else {
                const int decimals = PriceDecimals(units.currency);
                AppendFixed(text, PriceInMajorUnits(r.yenPerL, units.currency), decimals,
                            4 + decimals);
            }
            break;
        case 5:
            text += KindMark(r.kind);
            break;
        case 6:  // whole yen in five places; cents and the like after the point
            if (costDecimals == 0) {
                AppendInt(text, r.cost, 5);
            } else {
                const std::string amount = MajorUnitsText(r.cost, costDecimals);
                const std::size_t width = static_cast<std::size_t>(6 + costDecimals);
                text.append(amount.size() < width ? width - amount.size() : 0, u' ');
                text += Utf8ToUtf16(amount);
            }
            break;
        case 7:
            AppendFixedOrBlank(text, r.odo == 0.0, r.odo, 8);
            break;
        case kIndexColumn:
            AppendInt(text, index);
            break;
        default:
            break;
    }
    return text;
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

int CompareCellText(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}
