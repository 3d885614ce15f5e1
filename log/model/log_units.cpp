#include "log_units.h"

#include <array>
#include <cmath>

#include "ascii_text.h"
#include "number_text.h"

namespace {

constexpr double kKmPerMile = 1.609344;
constexpr double kLitresPerUsGallon = 3.785411784;
constexpr double kLitresPerImperialGallon = 4.54609;

struct UnitNames {
    std::string_view word;    // in the file and on the command line
    std::string_view symbol;  // after a number on screen
    std::string_view name;    // in a sentence
};

constexpr std::array<UnitNames, 2> kDistances = {{
    {"km", "km", "km"},
    {"mi", "mi", "miles"},
}};

constexpr std::array<UnitNames, 5> kQuantities = {{
    {"l", "L", "litres"},
    {"us-gal", "gal", "US gallons"},
    {"imp-gal", "gal", "imperial gallons"},
    {"kg", "kg", "kg"},
    {"kwh", "kWh", "kWh"},
}};

const UnitNames& Names(DistanceUnit unit) {
    return kDistances[static_cast<std::size_t>(unit)];
}

const UnitNames& Names(QuantityUnit unit) {
    return kQuantities[static_cast<std::size_t>(unit)];
}

// The ISO 4217 currencies in use whose minor unit is not the usual hundredth, and those with two
// decimals. A code outside both lists is no currency Tarvo can count in.
struct CurrencyDigits {
    std::string_view code;
    int digits;
};

constexpr std::array<CurrencyDigits, 26> kUnusualDigits = {{
    {"BHD", 3}, {"BIF", 0}, {"CLF", 4}, {"CLP", 0}, {"DJF", 0}, {"GNF", 0}, {"IQD", 3},
    {"ISK", 0}, {"JOD", 3}, {"JPY", 0}, {"KMF", 0}, {"KRW", 0}, {"KWD", 3}, {"LYD", 3},
    {"OMR", 3}, {"PYG", 0}, {"RWF", 0}, {"TND", 3}, {"UGX", 0}, {"UYI", 0}, {"UYW", 4},
    {"VND", 0}, {"VUV", 0}, {"XAF", 0}, {"XOF", 0}, {"XPF", 0},
}};

constexpr std::string_view kTwoDigitCodes =
    "AED AFN ALL AMD ANG AOA ARS AUD AWG AZN BAM BBD BDT BGN BMD BND BOB BOV BRL BSD BTN BWP BYN "
    "BZD CAD CDF CHE CHF CHW CNY COP COU CRC CUC CUP CVE CZK DKK DOP DZD EGP ERN ETB EUR FJD FKP "
    "GBP GEL GHS GIP GMD GTQ GYD HKD HNL HTG HUF IDR ILS INR IRR JMD KES KGS KHR KPW KYD KZT LAK "
    "LBP LKR LRD LSL MAD MDL MGA MKD MMK MNT MOP MRU MUR MVR MWK MXN MXV MYR MZN NAD NGN NIO NOK "
    "NPR NZD PAB PEN PGK PHP PKR PLN QAR RON RSD RUB SAR SBD SCR SDG SEK SGD SHP SLE SLL SOS SRD "
    "SSP STN SVC SYP SZL THB TJS TMT TOP TRY TTD TWD TZS UAH USD USN UYU UZS VED VES WST XCD YER "
    "ZAR ZMW ZWL";

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return upper;
}

template <typename Unit, std::size_t N>
std::optional<Unit> OfWord(const std::array<UnitNames, N>& table, std::string_view word) {
    const std::string lower = LowerAscii(word);
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].word == lower) {
            return static_cast<Unit>(i);
        }
    }
    return std::nullopt;
}

// Litres in one of the unit; 0.0 for kg and kWh, which hold no volume.
double LitresIn(QuantityUnit unit) {
    switch (unit) {
        case QuantityUnit::Litres:
            return 1.0;
        case QuantityUnit::UsGallons:
            return kLitresPerUsGallon;
        case QuantityUnit::ImperialGallons:
            return kLitresPerImperialGallon;
        case QuantityUnit::Kg:
        case QuantityUnit::Kwh:
            break;
    }
    return 0.0;
}

}  // namespace

bool LogUnits::IsDefault() const {
    return *this == LogUnits{};
}

bool operator==(const Currency& a, const Currency& b) {
    return a.code == b.code && a.digits == b.digits;
}

bool operator!=(const Currency& a, const Currency& b) {
    return !(a == b);
}

bool operator==(const LogUnits& a, const LogUnits& b) {
    return a.distance == b.distance && a.quantity == b.quantity && a.currency == b.currency;
}

bool operator!=(const LogUnits& a, const LogUnits& b) {
    return !(a == b);
}

std::optional<Currency> CurrencyOfCode(std::string_view code) {
    const std::string upper = UpperAscii(code);
    if (upper.size() != 3) {
        return std::nullopt;
    }
    for (const CurrencyDigits& known : kUnusualDigits) {
        if (known.code == upper) {
            return Currency{upper, known.digits};
        }
    }
    for (std::size_t at = 0; at < kTwoDigitCodes.size(); at += 4) {
        if (kTwoDigitCodes.substr(at, 3) == upper) {
            return Currency{upper, 2};
        }
    }
    return std::nullopt;
}

std::string_view DistanceWord(DistanceUnit unit) {
    return Names(unit).word;
}

std::string_view QuantityWord(QuantityUnit unit) {
    return Names(unit).word;
}

std::optional<DistanceUnit> DistanceOfWord(std::string_view word) {
    return OfWord<DistanceUnit>(kDistances, word);
}

std::optional<QuantityUnit> QuantityOfWord(std::string_view word) {
    return OfWord<QuantityUnit>(kQuantities, word);
}

std::string_view DistanceSymbol(DistanceUnit unit) {
    return Names(unit).symbol;
}

std::string_view QuantitySymbol(QuantityUnit unit) {
    return Names(unit).symbol;
}

std::string_view DistanceName(DistanceUnit unit) {
    return Names(unit).name;
}

std::string_view QuantityName(QuantityUnit unit) {
    return Names(unit).name;
}

int QuantityDecimals(QuantityUnit unit) {
    return unit == QuantityUnit::Litres ? 1 : 3;
}

void AppendQuantity(std::string& out, double value, QuantityUnit unit) {
    const int decimals = QuantityDecimals(unit);
    AppendFixed(out, value, decimals);
    if (decimals > 1 && std::isfinite(value)) {
        std::size_t end = out.size();
        while (out[end - 1] == '0' && out[end - 2] != '.') {
            --end;
        }
        out.resize(end);
    }
}

double ConvertDistance(double value, DistanceUnit from, DistanceUnit to) {
    if (from == to) {
        return value;
    }
    return to == DistanceUnit::Mi ? value / kKmPerMile : value * kKmPerMile;
}

bool QuantitiesConvert(QuantityUnit from, QuantityUnit to) {
    return from == to || (LitresIn(from) != 0.0 && LitresIn(to) != 0.0);
}

double ConvertQuantity(double value, QuantityUnit from, QuantityUnit to) {
    return from == to ? value : value * LitresIn(from) / LitresIn(to);
}

double AsFileKeeps(double value, int decimals) {
    double kept = 0.0;
    return ScanDouble(FormatFixed(value, decimals), kept) ? kept : value;
}

std::string EconomyUnit(const LogUnits& units, Economy economy) {
    const std::string distance(DistanceSymbol(units.distance));
    const std::string quantity(QuantitySymbol(units.quantity));
    if (economy == Economy::QuantityPer100Distance) {
        return quantity + "/100 " + distance;
    }
    if (units.distance == DistanceUnit::Mi && units.quantity == QuantityUnit::UsGallons) {
        return "mpg (US)";
    }
    if (units.distance == DistanceUnit::Mi && units.quantity == QuantityUnit::ImperialGallons) {
        return "mpg (UK)";
    }
    return distance + "/" + quantity;
}

double EconomyValue(double distancePerQuantity, Economy economy) {
    return economy == Economy::DistancePerQuantity ? distancePerQuantity
                                                   : 100.0 / distancePerQuantity;
}
