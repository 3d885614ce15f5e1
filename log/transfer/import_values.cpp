#include "import_values.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ascii_text.h"
#include "calendar.h"
#include "number_text.h"
#include "utf8.h"

namespace {

// Walks a trimmed cell: digits, single characters, spaces.
class CellScanner {
public:
    explicit CellScanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    std::string_view Rest() const { return text_.substr(pos_); }

    bool Take(char c) {
        if (AtEnd() || text_[pos_] != c) {
            return false;
        }
        ++pos_;
        return true;
    }

    bool TakeSpaces() {
        const std::size_t start = pos_;
        while (!AtEnd() && text_[pos_] == ' ') {
            ++pos_;
        }
        return pos_ != start;
    }

    // A run of decimal digits; `digits` is its length. More than nine digits is no number here.
    bool Number(int& value, int& digits) {
        constexpr int kMostDigits = 9;
        value = 0;
        digits = 0;
        while (!AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (digits < kMostDigits) {
                value = value * 10 + (text_[pos_] - '0');
            }
            ++digits;
            ++pos_;
        }
        return digits > 0 && digits <= kMostDigits;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Three numbers joined by one separator, "-", "." or "/": the date part of a cell.
struct DateNumbers {
    int value[3] = {};
    int digits[3] = {};
    char separator = '\0';
};

bool ScanDateNumbers(CellScanner& scan, DateNumbers& date) {
    if (!scan.Number(date.value[0], date.digits[0])) {
        return false;
    }
    date.separator = scan.Peek();
    if (date.separator != '-' && date.separator != '.' && date.separator != '/') {
        return false;
    }
    return scan.Take(date.separator) && scan.Number(date.value[1], date.digits[1]) &&
           scan.Take(date.separator) && scan.Number(date.value[2], date.digits[2]);
}

bool YearLast(const DateNumbers& date) {
    return date.digits[0] <= 2 && date.digits[1] <= 2 && date.digits[2] == 4;
}

bool YearFirst(const DateNumbers& date) {
    return date.digits[0] == 4 && date.digits[1] <= 2 && date.digits[2] <= 2;
}

// "16:01", "16:01:05", "16:01:05.250" (the fraction is dropped), "4:01 PM"; false for anything
// that is not a time of day.
bool ScanTime(std::string_view text, SYSTEMTIME& time) {
    CellScanner scan(text);
    int hour = 0;
    int minute = 0;
    int second = 0;
    int digits = 0;
    if (!scan.Number(hour, digits) || digits > 2 || !scan.Take(':') ||
        !scan.Number(minute, digits) || digits != 2) {
        return false;
    }
    if (scan.Take(':') && (!scan.Number(second, digits) || digits != 2)) {
        return false;
    }
    int fraction = 0;
    if (scan.Take('.') && !scan.Number(fraction, digits)) {
        return false;
    }
    scan.TakeSpaces();
    const std::string meridiem = LowerAscii(scan.Rest());
    if (meridiem == "am" || meridiem == "pm") {
        if (hour < 1 || hour > 12) {
            return false;
        }
        hour = hour % 12 + (meridiem == "pm" ? 12 : 0);
    } else if (!meridiem.empty()) {
        return false;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    time.wHour = static_cast<uint16_t>(hour);
    time.wMinute = static_cast<uint16_t>(minute);
    time.wSecond = static_cast<uint16_t>(second);
    return true;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words(1);
    for (const char c : LowerAscii(text)) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (letterOrDigit) {
            words.back() += c;
        } else if (!words.back().empty()) {
            words.emplace_back();
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

template <std::size_t N>
bool AnyIn(const std::vector<std::string>& words, const std::array<std::string_view, N>& names) {
    return std::any_of(words.begin(), words.end(), [&names](const std::string& word) {
        return std::find(names.begin(), names.end(), word) != names.end();
    });
}

constexpr std::array<std::string_view, 7> kGallonWords = {"gal",   "gals",   "gallon", "gallons",
                                                          "usgal", "impgal", "ukgal"};
constexpr std::array<std::string_view, 3> kUsWords = {"us", "usa", "usgal"};
constexpr std::array<std::string_view, 5> kImperialWords = {"imp", "imperial", "uk", "impgal",
                                                            "ukgal"};

struct UnitWord {
    std::string_view word;
    Unit unit;
};

constexpr std::array<UnitWord, 20> kUnitWords = {{
    {"km", Unit::Kilometres},
    {"kms", Unit::Kilometres},
    {"kilometer", Unit::Kilometres},
    {"kilometers", Unit::Kilometres},
    {"kilometre", Unit::Kilometres},
    {"kilometres", Unit::Kilometres},
    {"mi", Unit::Miles},
    {"mile", Unit::Miles},
    {"miles", Unit::Miles},
    {"l", Unit::Litres},
    {"ltr", Unit::Litres},
    {"litre", Unit::Litres},
    {"litres", Unit::Litres},
    {"liter", Unit::Litres},
    {"liters", Unit::Litres},
    {"kg", Unit::Kilograms},
    {"kgs", Unit::Kilograms},
    {"kilogram", Unit::Kilograms},
    {"kilograms", Unit::Kilograms},
    {"kwh", Unit::KilowattHours},
}};

}  // namespace

std::string Quoted(std::string_view cell) {
    constexpr std::size_t kLongest = 40;
    std::u16string text = Utf8ToUtf16(cell);
    const bool cut = text.size() > kLongest;
    if (cut) {
        // Never between the two halves of a surrogate pair.
        const bool splitsPair = text[kLongest - 1] >= 0xD800 && text[kLongest - 1] <= 0xDBFF;
        text.resize(splitsPair ? kLongest - 1 : kLongest);
    }
    std::u16string shown;
    for (const char16_t c : text) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            // A control character could move the cursor or clear the terminal that shows it.
            constexpr char16_t kHex[] = u"0123456789ABCDEF";
            shown += u"\\u00";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        } else {
            shown += c;
        }
    }
    return "\"" + Utf16ToUtf8(shown) + (cut ? "...\"" : "\"");
}

namespace {

// Whether the whole part of `text` (before `decimal`) is digits in groups of three after the
// first, joined by `grouping`: "52.000", "1,234,567". A sign may lead.
bool GroupedThousands(std::string_view text, char grouping, char decimal) {
    const std::string_view whole = text.substr(0, text.find(decimal));
    const std::size_t start = !whole.empty() && (whole[0] == '-' || whole[0] == '+') ? 1 : 0;
    std::size_t digits = 0;
    bool grouped = false;
    for (std::size_t i = start; i < whole.size(); ++i) {
        if (whole[i] == grouping) {
            if (digits == 0 || (grouped ? digits != 3 : digits > 3)) {
                return false;
            }
            grouped = true;
            digits = 0;
        } else if (whole[i] >= '0' && whole[i] <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return grouped && digits == 3;
}

}  // namespace

CellNumber ReadNumberCell(std::string_view cell, bool decimalComma, double& value) {
    std::string text(TrimSpaces(cell));
    if (text.empty()) {
        return CellNumber::Empty;
    }
    // A currency mark before the amount ("$79.78", "€ 12,50") says nothing the number needs.
    for (const std::string_view mark : {"$", "\xE2\x82\xAC", "\xC2\xA3"}) {
        if (text.compare(0, mark.size(), mark) == 0) {
            text = std::string(TrimSpaces(std::string_view(text).substr(mark.size())));
            break;
        }
    }
    // A thousands separator is the mark that is not the file's decimal mark: "52.000" in a file
    // of decimal commas is fifty-two thousand, never 52.
    const char grouping = decimalComma ? '.' : ',';
    if (GroupedThousands(text, grouping, decimalComma ? ',' : '.')) {
        text.erase(std::remove(text.begin(), text.end(), grouping), text.end());
    }
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos) {
        if (text.find('.') != std::string::npos || text.find(',', comma + 1) != std::string::npos) {
            return CellNumber::NotANumber;
        }
        text[comma] = '.';
    }
    std::size_t consumed = 0;
    if (!ScanDouble(text, value, &consumed) || consumed != text.size()) {
        return CellNumber::NotANumber;
    }
    return CellNumber::Number;
}

MarkShown DecimalMarkShown(std::string_view cell) {
    std::string_view text = TrimSpaces(cell);
    while (!text.empty() && !(text.front() >= '0' && text.front() <= '9')) {
        text.remove_prefix(1);  // a sign or a currency mark
    }
    const std::size_t lastPoint = text.rfind('.');
    const std::size_t lastComma = text.rfind(',');
    if (lastPoint == std::string_view::npos && lastComma == std::string_view::npos) {
        return MarkShown::None;
    }
    if (lastPoint != std::string_view::npos && lastComma != std::string_view::npos) {
        return lastPoint > lastComma ? MarkShown::Point : MarkShown::Comma;  // "1,234.5"
    }
    const char mark = lastPoint != std::string_view::npos ? '.' : ',';
    const MarkShown decimal = mark == '.' ? MarkShown::Point : MarkShown::Comma;
    const MarkShown other = mark == '.' ? MarkShown::Comma : MarkShown::Point;
    if (text.find(mark) != text.rfind(mark)) {
        return GroupedThousands(text, mark, '\0') ? other : MarkShown::None;  // "1.234.567"
    }
    // One mark: thousands only where it parts three digits from one to three that do not
    // start with a 0 ("0.123" is a fraction).
    return GroupedThousands(text, mark, '\0') && text.front() != '0' ? MarkShown::Either : decimal;
}

bool ReadFlagCell(std::string_view cell, bool& yes) {
    const std::string text = LowerAscii(TrimSpaces(cell));
    if (text == "1" || text == "true" || text == "yes" || text == "y") {
        yes = true;
        return true;
    }
    if (text.empty() || text == "0" || text == "false" || text == "no" || text == "n") {
        yes = false;
        return true;
    }
    return false;
}

bool TwoWayDateParts(std::string_view cell, int& first, int& second) {
    CellScanner scan(TrimSpaces(cell));
    DateNumbers date;
    if (!ScanDateNumbers(scan, date) || date.separator == '.' || !YearLast(date)) {
        return false;
    }
    first = date.value[0];
    second = date.value[1];
    return true;
}

Failure ReadDateCell(std::string_view cell, DateOrder order, SYSTEMTIME& time, bool& hasTime) {
    const std::string_view text = TrimSpaces(cell);
    if (text.empty()) {
        return LogError{"there is no date", {}, {}};
    }
    const std::string notADate = "the date " + Quoted(cell) +
                                 " is not in a form Tarvo reads (such as 2024-03-10, "
                                 "10.03.2024 or 03/10/2024)";
    CellScanner scan(text);
    DateNumbers date;
    if (!ScanDateNumbers(scan, date)) {
        return LogError{notADate, {}, {}};
    }
    int year = 0;
    int month = 0;
    int day = 0;
    if (YearFirst(date)) {
        year = date.value[0];
        month = date.value[1];
        day = date.value[2];
    } else if (YearLast(date)) {
        year = date.value[2];
        const bool twoWay = date.separator != '.';
        if (twoWay && order == DateOrder::FromFile && date.value[0] != date.value[1]) {
            return LogError{
                "the date " + Quoted(cell) + " could put the day or the month first", {}, {}};
        }
        const bool monthFirst = twoWay && order == DateOrder::MonthFirst;
        day = date.value[monthFirst ? 1 : 0];
        month = date.value[monthFirst ? 0 : 1];
    } else {
        return LogError{notADate, {}, {}};
    }
    time = SYSTEMTIME();
    hasTime = !scan.AtEnd();
    if (hasTime && ((!scan.Take('T') && !scan.TakeSpaces()) || !ScanTime(scan.Rest(), time))) {
        return LogError{"the time in " + Quoted(cell) + " is not a time of day", {}, {}};
    }
    if (!IsCalendarDay(year, month, day)) {
        return LogError{"the date " + Quoted(cell) + " is not a calendar date", {}, {}};
    }
    time.wYear = static_cast<uint16_t>(year);
    time.wMonth = static_cast<uint16_t>(month);
    time.wDay = static_cast<uint16_t>(day);
    return {};
}

Failure ReadTimeCell(std::string_view cell, SYSTEMTIME& time) {
    if (!ScanTime(TrimSpaces(cell), time)) {
        return LogError{"the time " + Quoted(cell) + " is not a time of day", {}, {}};
    }
    return {};
}

Unit UnitFromWords(std::string_view text) {
    const std::vector<std::string> words = Words(text);
    if (words.empty() || (words.size() == 1 && words[0] == "optional")) {
        return Unit::None;
    }
    if (AnyIn(words, kGallonWords)) {
        const bool us = AnyIn(words, kUsWords);
        const bool imperial = AnyIn(words, kImperialWords);
        if (us == imperial) {
            return us ? Unit::Unknown : Unit::Gallons;
        }
        return us ? Unit::UsGallons : Unit::ImperialGallons;
    }
    if (words.size() == 1) {
        for (const UnitWord& known : kUnitWords) {
            if (known.word == words[0]) {
                return known.unit;
            }
        }
    }
    return Unit::Unknown;
}

bool IsDistance(Unit unit) {
    return unit == Unit::Kilometres || unit == Unit::Miles;
}

bool IsQuantity(Unit unit) {
    return unit == Unit::Gallons || QuantityOfUnit(unit).has_value();
}

std::optional<DistanceUnit> DistanceOfUnit(Unit unit) {
    if (unit == Unit::Kilometres || unit == Unit::Miles) {
        return unit == Unit::Miles ? DistanceUnit::Mi : DistanceUnit::Km;
    }
    return std::nullopt;
}

std::optional<QuantityUnit> QuantityOfUnit(Unit unit) {
    switch (unit) {
        case Unit::Litres:
            return QuantityUnit::Litres;
        case Unit::UsGallons:
            return QuantityUnit::UsGallons;
        case Unit::ImperialGallons:
            return QuantityUnit::ImperialGallons;
        case Unit::Kilograms:
            return QuantityUnit::Kg;
        case Unit::KilowattHours:
            return QuantityUnit::Kwh;
        default:
            return std::nullopt;
    }
}

Unit UnitOfDistance(DistanceUnit unit) {
    return unit == DistanceUnit::Mi ? Unit::Miles : Unit::Kilometres;
}

Unit UnitOfQuantity(QuantityUnit unit) {
    constexpr std::array<Unit, 5> kUnits = {Unit::Litres, Unit::UsGallons, Unit::ImperialGallons,
                                            Unit::Kilograms, Unit::KilowattHours};
    return kUnits[static_cast<std::size_t>(unit)];
}

std::optional<Currency> CurrencyOfWords(std::string_view words) {
    const std::string text = LowerAscii(TrimSpaces(words));
    if (text == "yen" || text == "\xC2\xA5" || text == "\xEF\xBF\xA5" || text == "\xE5\x86\x86") {
        return Currency{};  // "¥", its full-width form and "円"
    }
    if (text == "\xE2\x82\xAC") {
        return CurrencyOfCode("EUR");  // "€"
    }
    if (text == "\xC2\xA3") {
        return CurrencyOfCode("GBP");  // "£"
    }
    return CurrencyOfCode(text);
}

std::string_view UnitName(Unit unit) {
    switch (unit) {
        case Unit::None:
            return "no unit";
        case Unit::Kilometres:
            return "km";
        case Unit::Miles:
            return "miles";
        case Unit::Litres:
            return "litres";
        case Unit::Gallons:
            return "gallons";
        case Unit::UsGallons:
            return "US gallons";
        case Unit::ImperialGallons:
            return "imperial gallons";
        case Unit::Kilograms:
            return "kg";
        case Unit::KilowattHours:
            return "kWh";
        case Unit::Unknown:
            break;
    }
    return "an unknown unit";
}
