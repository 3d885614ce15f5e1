#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

// std::to_chars and std::from_chars never consult the locale, unlike printf and strtod, whose
// decimal point follows LC_NUMERIC once a Qt application has called setlocale(LC_ALL, "").

namespace {

// The most decimals the exact fast route of fixed notation serves: a mantissa below 2^53 times
// 10^3 stays below 2^63.
constexpr int kMostDecimals = 3;

// Appends `text` padded to `width` characters: on the left, or on the right for a negative
// width, as printf's "*" does.
template <typename Char>
void AppendPadded(std::basic_string<Char>& out, std::basic_string_view<Char> text, int width) {
    const std::size_t wanted =
        width < 0 ? 0u - static_cast<std::size_t>(width) : static_cast<std::size_t>(width);
    const std::size_t padding = text.size() < wanted ? wanted - text.size() : 0;
    if (width > 0 && padding > 0) {
        out.append(padding, Char(' '));
    }
    out.append(text);
    if (width < 0 && padding > 0) {
        out.append(padding, Char(' '));
    }
}

// A number's text, built from its last character backwards in a buffer of its own, so that the
// spaces a width puts in front of it cost no move, and appended in one go: a list fill formats
// close to a million numbers. Made of the characters of the text it goes to (all ASCII).
template <typename Char>
class NumberText {
public:
    // `magnitude` in decimal, with a point before its last `decimals` digits (at most
    // kMostDecimals) and at least one digit before the point; then a minus sign when `negative`.
    NumberText(uint64_t magnitude, int decimals, bool negative) {
        Char* first = text_ + kRoom;
        for (int i = 0; i < decimals; ++i) {
            *--first = static_cast<Char>('0' + magnitude % 10);
            magnitude /= 10;
        }
        if (decimals > 0) {
            *--first = Char('.');
        }
        // Two digits at a time while there are more than two left.
        for (; magnitude >= 100; magnitude /= 100) {
            const auto pair = static_cast<unsigned>(magnitude % 100);
            *--first = static_cast<Char>('0' + pair % 10);
            *--first = static_cast<Char>('0' + pair / 10);
        }
        do {
            *--first = static_cast<Char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative) {
            *--first = Char('-');
        }
        first_ = first;
    }

    void AppendTo(std::basic_string<Char>& out, int width) {
        Char* first = first_;
        if (width > 0 && static_cast<std::size_t>(width) <= kRoom) {
            Char* const padded = text_ + kRoom - width;
            while (first > padded) {
                *--first = Char(' ');
            }
        }
        AppendPadded(
            out,
            std::basic_string_view<Char>(first, static_cast<std::size_t>(text_ + kRoom - first)),
            width);
    }

private:
    // A sign, 20 digits, a point and kMostDecimals decimals, with room for the usual widths.
    static constexpr std::size_t kRoom = 48;
    Char text_[kRoom];
    Char* first_;
};

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips scanf's leading white space and one sign; returns the position of what follows.
std::size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

// from_chars reports a number too small for a double as out of range, where scanf gives zero.
// Tells the two apart by the decimal exponent of the first significant digit.
bool IsTooSmall(std::string_view number) {
    std::size_t i = 0;
    int64_t leadExponent = 0;  // exponent of the first significant digit, before "e..."
    bool sawSignificant = false;
    bool afterPoint = false;
    for (; i < number.size() && (IsDigit(number[i]) || number[i] == '.'); ++i) {
        if (number[i] == '.') {
            afterPoint = true;
        } else if (!sawSignificant && number[i] != '0') {
            sawSignificant = true;
            if (afterPoint) {
                --leadExponent;
            }
        } else if (!sawSignificant && afterPoint) {
            --leadExponent;
        } else if (sawSignificant && !afterPoint) {
            ++leadExponent;
        }
    }
    int64_t exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        bool negative = false;
        std::size_t j = i + 1;
        if (j < number.size() && (number[j] == '+' || number[j] == '-')) {
            negative = number[j] == '-';
            ++j;
        }
        for (; j < number.size() && IsDigit(number[j]); ++j) {
            exponent = std::min<int64_t>(exponent * 10 + (number[j] - '0'), 1'000'000'000);
        }
        exponent = negative ? -exponent : exponent;
    }
    return leadExponent + exponent < 0;
}

// printf's rounding of |value| to `precision` decimals, as the integer |value| * 10^precision, for
// the values a log holds (below 2^53, up to three decimals): exact integer arithmetic on the
// double's binary mantissa, a few times faster than the general conversion, which matters when
// a save writes five such numbers per entry. Returns false where it does not apply.
bool ScaledAndRounded(double value, int precision, uint64_t& scaled) {
    if (precision > kMostDecimals) {
        return false;
    }
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    constexpr int kBelow2To53 = 1076;  // biased exponent of 2^53
    if (biased >= kBelow2To53) {
        return false;  // too large, or not finite
    }
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    // value = mantissa * 2^exponent, with exponent <= 0 below 2^53.
    const uint64_t mantissa = biased == 0 ? fraction : fraction | uint64_t{1} << 52;
    const int shift = biased == 0 ? 1074 : 1075 - biased;
    uint64_t power = 1;
    for (int i = 0; i < precision; ++i) {
        power *= 10;
    }
    const uint64_t numerator = mantissa * power;
    if (shift >= 64) {
        scaled = 0;  // numerator < 2^63 <= half of 2^shift: rounds to zero
        return true;
    }
    if (shift == 0) {
        scaled = numerator;
        return true;
    }
    const uint64_t quotient = numerator >> shift;
    const uint64_t remainder = numerator & ((uint64_t{1} << shift) - 1);
    const uint64_t half = uint64_t{1} << (shift - 1);
    // Ties go to the even neighbour, as printf rounds an exact half.
    const bool up = remainder > half || (remainder == half && (quotient & 1) != 0);
    scaled = quotient + (up ? 1 : 0);
    return true;
}

// The numbers of a log read the quick way: decimal digits with at most one point and no exponent,
// few enough that the digits as a whole number stay below 2^53 and the point has at most 22
// digits after it. Both that number and the power of ten are then exact doubles, and the one
// division rounds as from_chars does: to the double nearest the decimal. Sets `magnitude` and the
// position after the number; false where the general conversion is needed.
bool ScanPlainDecimal(std::string_view text, std::size_t start, double& magnitude,
                      std::size_t& end) {
    constexpr int kMostDigits = 19;  // below 2^64 whatever they are
    constexpr int kMostFractionDigits = 22;
    static constexpr double kPowersOfTen[kMostFractionDigits + 1] = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    std::size_t i = start;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            if (count == kMostDigits) {
                return false;
            }
            digits = digits * 10 + static_cast<uint64_t>(text[i] - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    const bool exponentMayFollow = i < text.size() && (text[i] == 'e' || text[i] == 'E');
    if (count == 0 || exponentMayFollow || digits > uint64_t{1} << 53 ||
        decimals > kMostFractionDigits) {
        return false;
    }
    magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    end = i;
    return true;
}

template <typename Char>
void AppendFixedTo(std::basic_string<Char>& out, double value, int precision, int width) {
    if (precision < 0) {
        precision = 6;  // printf treats a negative precision as if none was given
    }
    uint64_t scaled = 0;
    if (ScaledAndRounded(value, precision, scaled)) {
        NumberText<Char>(scaled, precision, std::signbit(value)).AppendTo(out, width);
        return;
    }
    // The longest fixed text of a double: sign, 309 integer digits, point, decimals.
    constexpr std::size_t kIntegerRoom = 2 + std::numeric_limits<double>::max_exponent10 + 1;
    std::string text(kIntegerRoom + 1 + static_cast<std::size_t>(precision), '\0');
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, precision);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    // Each character of the text, widened where it goes to UTF-16.
    const std::basic_string<Char> widened(text.begin(), text.end());
    AppendPadded(out, std::basic_string_view<Char>(widened), width);
}

template <typename Char>
void AppendIntTo(std::basic_string<Char>& out, int64_t value, int width) {
    // Negating in unsigned arithmetic takes INT64_MIN to its magnitude without overflow.
    const auto magnitude = static_cast<uint64_t>(value);
    NumberText<Char>(value < 0 ? 0 - magnitude : magnitude, 0, value < 0).AppendTo(out, width);
}

}  // namespace

void AppendFixed(std::string& out, double value, int precision, int width) {
    AppendFixedTo(out, value, precision, width);
}

void AppendFixed(std::u16string& out, double value, int precision, int width) {
    AppendFixedTo(out, value, precision, width);
}

std::string FormatFixed(double value, int precision, int width) {
    std::string text;
    AppendFixed(text, value, precision, width);
    return text;
}

void AppendInt(std::string& out, int64_t value, int width) {
    AppendIntTo(out, value, width);
}

void AppendInt(std::u16string& out, int64_t value, int width) {
    AppendIntTo(out, value, width);
}

std::string FormatInt(int64_t value, int width) {
    std::string text;
    AppendInt(text, value, width);
    return text;
}

std::string FormatGroupedInt(int64_t value) {
    std::string text = FormatInt(value);
    const std::size_t firstDigit = value < 0 ? 1 : 0;
    for (std::size_t at = text.size(); at > firstDigit + 3; at -= 3) {
        text.insert(at - 3, 1, ',');
    }
    return text;
}

std::string Plural(int64_t count, const char* one, const char* many) {
    return FormatInt(count) + " " + (count == 1 ? one : many);
}

std::string FormatShortest(double value) {
    char text[32];  // "-d.ddddddddddddddde-308" at most
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, result.ptr);
}

ScanOutcome ScanDoubleChecked(std::string_view text, double& value, std::size_t* consumed) {
    bool negative = false;
    const std::size_t start = SkipSpaceAndSign(text, negative);
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    // from_chars takes its own minus sign, which scanf would refuse after a sign ("+-1", "--1").
    if (first == last || *first == '-' || *first == '+') {
        return ScanOutcome::NoNumber;
    }
    double magnitude = 0.0;
    std::size_t end = 0;
    if (ScanPlainDecimal(text, start, magnitude, end)) {
        value = negative ? -magnitude : magnitude;
        if (consumed != nullptr) {
            *consumed = end;
        }
        return ScanOutcome::Number;
    }
    const auto result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) {
        return ScanOutcome::NoNumber;
    }
    if (result.ec == std::errc::result_out_of_range) {
        if (!IsTooSmall(std::string_view(first, static_cast<std::size_t>(result.ptr - first)))) {
            return ScanOutcome::OutOfRange;
        }
        magnitude = 0.0;
    } else if (!std::isfinite(magnitude)) {
        return ScanOutcome::OutOfRange;  // "inf", "infinity", "nan"
    }
    value = negative ? -magnitude : magnitude;
    if (consumed != nullptr) {
        *consumed = static_cast<std::size_t>(result.ptr - text.data());
    }
    return ScanOutcome::Number;
}

bool ScanDouble(std::string_view text, double& value, std::size_t* consumed) {
    return ScanDoubleChecked(text, value, consumed) == ScanOutcome::Number;
}

ScanOutcome ScanIntChecked(std::string_view text, int64_t& value, std::size_t* consumed) {
    bool negative = false;
    const std::size_t start = SkipSpaceAndSign(text, negative);
    // Up to 18 digits fit in 64 bits whatever they are, so they are read here directly; a longer
    // run goes to from_chars, which checks the range.
    constexpr std::size_t kSafeDigits = 18;
    const std::size_t safeEnd = std::min(text.size(), start + kSafeDigits);
    std::size_t end = start;
    uint64_t magnitude = 0;
    for (; end < safeEnd && IsDigit(text[end]); ++end) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[end] - '0');
    }
    if (end == start) {
        return ScanOutcome::NoNumber;
    }
    if (end == safeEnd && end < text.size() && IsDigit(text[end])) {
        const auto result =
            std::from_chars(text.data() + start, text.data() + text.size(), magnitude);
        constexpr uint64_t kLargest = std::numeric_limits<int64_t>::max();
        if (result.ec == std::errc::result_out_of_range ||
            magnitude > kLargest + (negative ? 1 : 0)) {
            return ScanOutcome::OutOfRange;
        }
        end = static_cast<std::size_t>(result.ptr - text.data());
    }
    // Negating in unsigned arithmetic reaches INT64_MIN without overflow.
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    if (consumed != nullptr) {
        *consumed = end;
    }
    return ScanOutcome::Number;
}

bool ScanInt(std::string_view text, int64_t& value, std::size_t* consumed) {
    return ScanIntChecked(text, value, consumed) == ScanOutcome::Number;
}
