#include "money_text.h"

#include <algorithm>
#include <cmath>

#include "number_text.h"
#include "utf8.h"

namespace {

MoneyStyle& Style() {
    static MoneyStyle style;
    return style;
}

double PowerOfTen(int digits) {
    double power = 1.0;
    for (int i = 0; i < digits; ++i) {
        power *= 10.0;
    }
    return power;
}

}  // namespace

void SetMoneyStyle(const MoneyStyle& style) {
    Style() = style;
}

std::u16string MoneyText(int64_t minorUnits, const Currency& currency, bool grouped) {
    if (currency.IsYen()) {
        return u"\\" + Utf8ToUtf16(grouped ? FormatGroupedInt(minorUnits) : FormatInt(minorUnits));
    }
    if (Style().amount != nullptr) {
        return Style().amount(static_cast<double>(minorUnits) / PowerOfTen(currency.digits),
                              currency);
    }
    return Utf8ToUtf16(currency.code + " " + MajorUnitsText(minorUnits, currency.digits));
}

std::u16string CurrencyMark(const Currency& currency) {
    if (currency.IsYen()) {
        return u"\\";
    }
    return Style().symbol != nullptr ? Style().symbol(currency) : Utf8ToUtf16(currency.code);
}

std::string MajorUnitsText(int64_t minorUnits, int digits) {
    // In integers, so that no amount is ever a cent off.
    const bool negative = minorUnits < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(minorUnits) : static_cast<uint64_t>(minorUnits);
    uint64_t scale = 1;
    for (int i = 0; i < digits; ++i) {
        scale *= 10;
    }
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / scale);
    if (digits > 0) {
        const std::string fraction = std::to_string(magnitude % scale);
        text +=
            "." + std::string(static_cast<std::size_t>(digits) - fraction.size(), '0') + fraction;
    }
    return text;
}

double PriceInMajorUnits(double minorPerQuantity, const Currency& currency) {
    return minorPerQuantity / PowerOfTen(currency.digits);
}

int PriceDecimals(const Currency& currency) {
    return currency.digits + 1;
}

namespace {

// Whether `scaled` is `nearest` but for the error of a double that holds a decimal fraction.
bool OnlyRepresentationError(double scaled, double nearest) {
    constexpr double kRepresentationError = 1e-9;
    return std::abs(scaled - nearest) <= kRepresentationError * std::max(1.0, std::abs(scaled));
}

}  // namespace

double TruncatedMinorUnits(double value, int digits) {
    const double scaled = value * PowerOfTen(digits);
    if (digits > 0 && OnlyRepresentationError(scaled, std::round(scaled))) {
        return std::round(scaled);
    }
    return std::trunc(scaled);
}

double RoundedMinorUnits(double value, int digits, bool* rounded) {
    const double scaled = value * PowerOfTen(digits);
    const double nearest = std::round(scaled);
    if (rounded != nullptr) {
        *rounded = !OnlyRepresentationError(scaled, nearest);
    }
    return nearest;
}
