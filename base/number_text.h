#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// printf-style number formatting pinned to the C locale whatever the process locale is, so that
// files and screens always show "12.5", never "12,5".

// "%*.*f": fixed notation, `precision` decimals, right-aligned in `width` (non-finite values as
// printf shows them: "inf", "-inf", "nan").
std::string FormatFixed(double value, int precision, int width = 0);
// The same, appended to `out` (no temporary string: the log writer formats millions of numbers).
void AppendFixed(std::string& out, double value, int precision, int width = 0);

// "%*d" / "%*ld".
std::string FormatInt(int64_t value, int width = 0);
void AppendInt(std::string& out, int64_t value, int width = 0);

// The same two appended to UTF-16 text (a number's characters are all ASCII), so that text
// shown on screen needs no narrow copy first.
void AppendFixed(std::u16string& out, double value, int precision, int width = 0);
void AppendInt(std::u16string& out, int64_t value, int width = 0);
// A whole amount with a comma between groups of three digits: "11,394", "-1,234,567".
std::string FormatGroupedInt(int64_t value);

// A count and what it counts: "1 row", "2 rows", "1 entry was", "0 entries were".
std::string Plural(int64_t count, const char* one, const char* many);

// "%.15g": the shortest form a double takes in an edit (0.0 as "0", 12.05 as "12.05").
std::string FormatShortest(double value);

// scanf-style "%lf": optional leading white space and sign, then a decimal number (exponent
// allowed); whatever follows is left unread and its length is not counted in `consumed`.
// Returns false when no number starts the text, or when it is not finite (inf, nan, overflow).
bool ScanDouble(std::string_view text, double& value, std::size_t* consumed = nullptr);

// scanf-style "%d"/"%ld" into 64 bits: optional white space and sign, then decimal digits.
// Returns false when no digits start the text or the number does not fit in 64 bits.
bool ScanInt(std::string_view text, int64_t& value, std::size_t* consumed = nullptr);

// The same two scans, telling why no value came out, so that a damage report can say it.
// `value` and `consumed` are set only for Number.
enum class ScanOutcome {
    Number,
    NoNumber,    // the text does not start with a number
    OutOfRange,  // a number, but not finite (inf, nan, too large) or too large for 64 bits
};
ScanOutcome ScanDoubleChecked(std::string_view text, double& value,
                              std::size_t* consumed = nullptr);
ScanOutcome ScanIntChecked(std::string_view text, int64_t& value, std::size_t* consumed = nullptr);
