#include "typed_number.h"

#include "utf8.h"

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<std::string> ReadTypedNumber(std::u16string_view typed, NumberMarks marks) {
    std::u16string plain;
    plain.reserve(typed.size());
    bool inFraction = false;
    for (std::size_t at = 0; at < typed.size(); ++at) {
        const char16_t c = typed[at];
        if (c == marks.decimal) {
            inFraction = true;
            plain += u'.';
            continue;
        }
        if (c != marks.group) {
            // A point where the locale's decimal mark is another one is neither mark: left in
            // place, it makes the text no number rather than a wrong one.
            plain += c;
            continue;
        }
        // A separator stands after a digit of the whole part, before exactly three digits that
        // end at another separator, the decimal mark or the end of the digits.
        std::size_t digits = 0;
        while (at + 1 + digits < typed.size() && IsDigit(typed[at + 1 + digits])) {
            ++digits;
        }
        if (inFraction || plain.empty() || !IsDigit(plain.back()) || digits != 3) {
            return std::nullopt;
        }
    }
    return Utf16ToUtf8(plain);
}

std::u16string WithDecimalMark(std::string_view number, NumberMarks marks) {
    std::u16string text = Utf8ToUtf16(number);
    for (char16_t& c : text) {
        if (c == u'.') {
            c = marks.decimal;
        }
    }
    return text;
}
