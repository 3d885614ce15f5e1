#include "log_export.h"

#include <algorithm>
#include <array>
#include <limits>

#include "ascii_text.h"
#include "date_time_text.h"
#include "money_text.h"
#include "number_text.h"

namespace {

constexpr std::array<std::string_view, 3> kKindWords = {"fill-up", "partial", "maintenance"};
constexpr std::string_view kOtherKind = "kind ";

// A derived or blankable value: empty where the list shows "----".
void AppendUnlessBlank(std::string& out, bool blank, double value, int decimals) {
    if (!blank) {
        AppendFixed(out, value, decimals);
    }
}

// The quantity's name in the export: plural for its column, singular after "per".
struct QuantityColumn {
    std::string_view plural;
    std::string_view singular;
};

constexpr std::array<QuantityColumn, 5> kQuantityColumns = {{
    {"litres", "litre"},
    {"us_gallons", "us_gallon"},
    {"imperial_gallons", "imperial_gallon"},
    {"kg", "kg"},
    {"kwh", "kwh"},
}};

const QuantityColumn& QuantityColumnOf(QuantityUnit unit) {
    return kQuantityColumns[static_cast<std::size_t>(unit)];
}

// "yen" for yen, as the export always named it; the ISO code for every other currency.
std::string MoneyWord(const Currency& currency) {
    return currency.IsYen() ? "yen" : currency.code;
}

void AppendRow(std::string& out, const LogRecord& r, const LogUnits& units) {
    AppendDateTimeText(out, r.time, DateTimeText::Iso8601);
    out += ',';
    out += KindWord(r.kind);
    out += ',';
    if (r.fuel != 0.0) {
        AppendQuantity(out, r.fuel, units.quantity);
    }
    out += ',';
    AppendUnlessBlank(out, r.odo == 0.0, r.odo, kOdometerDecimals);
    out += ',';
    out += MajorUnitsText(r.cost, units.currency.digits);
    out += ',';
    AppendUnlessBlank(out, r.trip == 0.0, r.trip, 1);
    out += ',';
    AppendUnlessBlank(out, r.trip == 0.0, r.kmPerL, 2);
    out += ',';
    AppendUnlessBlank(out, r.fuel == 0.0, PriceInMajorUnits(r.yenPerL, units.currency),
                      units.currency.digits + 2);
    out += "\r\n";
}

}  // namespace

std::string KindWord(int32_t kind) {
    if (kind >= 0 && static_cast<std::size_t>(kind) < kKindWords.size()) {
        return std::string(kKindWords[static_cast<std::size_t>(kind)]);
    }
    return std::string(kOtherKind) + FormatInt(kind);
}

bool KindFromWord(std::string_view word, int32_t& kind) {
    const std::string lower = LowerAscii(word);
    for (std::size_t i = 0; i < kKindWords.size(); ++i) {
        if (lower == kKindWords[i]) {
            kind = static_cast<int32_t>(i);
            return true;
        }
    }
    if (lower.compare(0, kOtherKind.size(), kOtherKind) != 0) {
        return false;
    }
    const std::string_view number = std::string_view(lower).substr(kOtherKind.size());
    int64_t value = 0;
    std::size_t consumed = 0;
    if (number.empty() || number[0] == ' ' || !ScanInt(number, value, &consumed) ||
        consumed != number.size() || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    kind = static_cast<int32_t>(value);
    return true;
}

std::string ExportHeader(const LogUnits& units) {
    const std::string distance(DistanceWord(units.distance));
    const QuantityColumn& quantity = QuantityColumnOf(units.quantity);
    const std::string money = MoneyWord(units.currency);
    return "date,kind," + std::string(quantity.plural) + ",odometer_" + distance + ",cost_" +
           money + ",trip_" + distance + "," + distance + "_per_" + std::string(quantity.singular) +
           "," + money + "_per_" + std::string(quantity.singular);
}

std::optional<LogUnits> ExportUnits(const std::vector<std::string>& fields) {
    constexpr std::size_t kColumns = 8;
    constexpr std::string_view kOdometer = "odometer_";
    constexpr std::string_view kCost = "cost_";
    if (fields.size() != kColumns) {
        return std::nullopt;
    }
    const std::string odometer = LowerAscii(TrimSpaces(fields[3]));
    const std::string cost(TrimSpaces(fields[4]));
    if (odometer.compare(0, kOdometer.size(), kOdometer) != 0 ||
        LowerAscii(cost).compare(0, kCost.size(), kCost) != 0) {
        return std::nullopt;
    }
    LogUnits units;
    const auto distance = DistanceOfWord(std::string_view(odometer).substr(kOdometer.size()));
    const std::string money = cost.substr(kCost.size());
    const auto currency =
        LowerAscii(money) == "yen" ? std::optional<Currency>(Currency{}) : CurrencyOfCode(money);
    const std::string quantity = LowerAscii(TrimSpaces(fields[2]));
    const auto named = std::find_if(
        kQuantityColumns.begin(), kQuantityColumns.end(),
        [&quantity](const QuantityColumn& column) { return column.plural == quantity; });
    if (!distance || !currency || named == kQuantityColumns.end()) {
        return std::nullopt;
    }
    units.distance = *distance;
    units.currency = *currency;
    units.quantity = static_cast<QuantityUnit>(named - kQuantityColumns.begin());
    std::string header;
    for (const std::string& field : fields) {
        header += (header.empty() ? "" : ",") + LowerAscii(TrimSpaces(field));
    }
    return header == LowerAscii(ExportHeader(units)) ? std::optional<LogUnits>(units)
                                                     : std::nullopt;
}

std::string ExportLog(const LogBook& book) {
    const std::size_t used = UsedCount(book);
    std::string out = ExportHeader(book.units);
    out += "\r\n";
    constexpr std::size_t kTypicalRowBytes = 64;
    out.reserve(out.size() + used * kTypicalRowBytes);
    for (std::size_t i = used; i-- > 0;) {
        AppendRow(out, book.records[i], book.units);
    }
    return out;
}
