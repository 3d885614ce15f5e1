#pragma once

#include <optional>
#include <string>
#include <string_view>

// The marks a locale writes numbers with: "30,5" and "4.000" in German, "30.5" and "4,000" in
// English.
struct NumberMarks {
    char16_t decimal = u'.';
    char16_t group = u',';
};

// A number the user typed with `marks`, in the form ScanDouble reads ("1234.5"): the decimal mark
// becomes a point, and group separators are dropped where they stand between groups of three
// digits in the whole part. Anywhere else a group separator makes the text no number (nullopt):
// it is never taken for a decimal point, nor the decimal point for it. Every other character is
// left for the parse to judge.
std::optional<std::string> ReadTypedNumber(std::u16string_view typed, NumberMarks marks);

// A number as FormatShortest writes it ("30.5"), with the locale's decimal mark ("30,5").
std::u16string WithDecimalMark(std::string_view number, NumberMarks marks);
