#pragma once

#include <cstdint>
#include <string>

#include "log_units.h"

// Money on screen. A cost is a whole number of its currency's minor unit (yen, cents, fils).
//
// Yen are shown as they always were: the currency mark (the backslash, which the screen shows as
// the yen sign) before the whole amount, "\11394". Every other currency is shown as the user's
// locale writes it ("€65.43", "65,43 €"); the log core knows no locale, so the program hands it
// that way of writing at start (SetMoneyStyle). Without one, the core writes "EUR 65.43".

struct MoneyStyle {
    // The amount with its symbol, as the locale writes it: `major` is the amount in the
    // currency's major unit, to show with `currency.digits` decimals.
    std::u16string (*amount)(double major, const Currency& currency) = nullptr;
    // The symbol alone, for a column title or a unit ("€", "£").
    std::u16string (*symbol)(const Currency& currency) = nullptr;
};

void SetMoneyStyle(const MoneyStyle& style);

// "\11394" for yen (with `grouped`, "\11,394"); otherwise the style's text.
std::u16string MoneyText(int64_t minorUnits, const Currency& currency, bool grouped = false);

// "\" for yen, otherwise the style's symbol.
std::u16string CurrencyMark(const Currency& currency);

// The amount in the major unit with the currency's decimals, exactly: "65.43", "-0.05", "1234".
std::string MajorUnitsText(int64_t minorUnits, int digits);

// A price per unit of fuel, kept in minor units per unit, in the major unit: 142.0 yen per litre
// stays 142.0, 185.9 cents per litre is 1.859 euros.
double PriceInMajorUnits(double minorPerQuantity, const Currency& currency);

// The decimals a price per unit of fuel is shown with: one more than the currency's, so that a
// yen price shows one decimal as always and a euro price the thousandths the pumps show.
int PriceDecimals(const Currency& currency);

// A typed or keyed price in minor units, the handheld's way: truncated toward zero, so 1234.9 yen
// are 1234 and 65.439 euros 6543 cents. For a currency with decimals, a value that is a hair off
// a whole number of cents only because a double cannot hold 65.43 exactly counts as that number.
double TruncatedMinorUnits(double value, int digits);

// An amount read from another file in minor units, rounded to the nearest; `rounded`, when given,
// tells whether that dropped more than a double's own error (65.43 euros are 6543 cents exactly).
double RoundedMinorUnits(double value, int digits, bool* rounded = nullptr);
