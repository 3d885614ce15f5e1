#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What a log's numbers are counted in: the odometer's distance, the quantity of fuel or energy
// put in, and the currency of the costs. A log declares them in its own file, so that a copied
// log means the same on every machine; a log that declares nothing is in km, litres and yen.

enum class DistanceUnit { Km, Mi };

enum class QuantityUnit { Litres, UsGallons, ImperialGallons, Kg, Kwh };

// An ISO 4217 currency: its code and the decimals of its minor unit (JPY 0, EUR 2, KWD 3). Costs
// are whole numbers of the minor unit, so that totals are exact.
struct Currency {
    std::string code = "JPY";
    int digits = 0;

    bool IsYen() const { return code == "JPY"; }
};

struct LogUnits {
    DistanceUnit distance = DistanceUnit::Km;
    QuantityUnit quantity = QuantityUnit::Litres;
    Currency currency;

    bool IsDefault() const;  // km, litres and yen: what a log that declares nothing holds
};

bool operator==(const Currency& a, const Currency& b);
bool operator!=(const Currency& a, const Currency& b);
bool operator==(const LogUnits& a, const LogUnits& b);
bool operator!=(const LogUnits& a, const LogUnits& b);

// The currency of an ISO 4217 code, in any case ("eur" is EUR); nothing for a code that is not
// one of the currencies in use.
std::optional<Currency> CurrencyOfCode(std::string_view code);

// The words that name the units in the file's header and on the command line: "km", "mi"; "l",
// "us-gal", "imp-gal", "kg", "kwh". Reading takes any case.
std::string_view DistanceWord(DistanceUnit unit);
std::string_view QuantityWord(QuantityUnit unit);
std::optional<DistanceUnit> DistanceOfWord(std::string_view word);
std::optional<QuantityUnit> QuantityOfWord(std::string_view word);

// What a screen shows after a number: "km", "mi"; "L", "gal", "kg", "kWh".
std::string_view DistanceSymbol(DistanceUnit unit);
std::string_view QuantitySymbol(QuantityUnit unit);
// In words, for messages and menus: "miles", "US gallons", "kWh"...
std::string_view DistanceName(DistanceUnit unit);
std::string_view QuantityName(QuantityUnit unit);

// Decimals kept in the file: the odometer and litres keep one; gallons, kg and kWh up to three,
// as the user gave them (a pump shows gallons to the thousandth).
inline constexpr int kOdometerDecimals = 1;
int QuantityDecimals(QuantityUnit unit);

// A quantity as the file and the export write it, with the decimals its unit keeps: litres
// "%.1lf"; gallons, kg and kWh up to three, as given: "12.5", not "12.500".
void AppendQuantity(std::string& out, double value, QuantityUnit unit);

// Conversions. Km and miles convert always; litres and the two gallons into one another; kg and
// kWh only into themselves, since a mass or an energy is no volume.
double ConvertDistance(double value, DistanceUnit from, DistanceUnit to);
bool QuantitiesConvert(QuantityUnit from, QuantityUnit to);
double ConvertQuantity(double value, QuantityUnit from, QuantityUnit to);

// `value` as the file writes it with `decimals`, read back: what a save keeps of it.
double AsFileKeeps(double value, int decimals);

// How the economy is shown, a preference of the person, not of the log: distance per quantity
// (km/L, mpg, km/kg, mi/kWh) or quantity per 100 of the distance (L/100 km, kWh/100 km).
enum class Economy { DistancePerQuantity, QuantityPer100Distance };

// The economy's unit: "km/L", "mpg", "mi/kWh", "L/100 km", "gal/100 mi"...
std::string EconomyUnit(const LogUnits& units, Economy economy);

// A distance per quantity as shown: itself, or 100 divided by it (infinite for 0.0, which the
// callers never show).
double EconomyValue(double distancePerQuantity, Economy economy);
