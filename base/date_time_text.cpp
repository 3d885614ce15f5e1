#include "date_time_text.h"

#include <array>
#include <charconv>
#include <utility>

#include "utf8.h"

namespace {

// How one fixed form lays out the six fields, year first: the separator after each of the first
// five, and the width every field is padded to (the year's its own), with what.
struct Layout {
    std::array<const char*, 5> separators;
    int yearWidth;
    int fieldWidth;
    char pad;
};

constexpr std::array<Layout, 3> kLayouts = {{
    {{"/", "/", " ", ":", ":"}, 4, 2, ' '},  // SortKey
    {{",", ",", ",", ",", ","}, 0, 0, ' '},  // LogFile
    {{"-", "-", "T", ":", ":"}, 4, 2, '0'},  // Iso8601
}};

struct DisplayFormats {
    DateTimeFormat dateTime{u"yyyy-MM-dd HH:mm:ss", DateTimeWords()};
    DateTimeFormat month{u"yyyy-MM", DateTimeWords()};
};

DisplayFormats& Display() {
    static DisplayFormats formats;
    return formats;
}

const DateTimeFormat* DisplayFormat(DateTimeText form) {
    switch (form) {
        case DateTimeText::Display:
            return &Display().dateTime;
        case DateTimeText::DisplayMonth:
            return &Display().month;
        default:
            return nullptr;
    }
}

// Six fields of at most five digits, padded to at most four, five separators of at most two.
constexpr std::size_t kLongest = 6 * 5 + 5 * 2;

char* WriteField(char* at, uint16_t value, int width, char pad) {
    char digits[8];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto length = static_cast<int>(end - digits); length < width; ++length) {
        *at++ = pad;
    }
    for (const char* d = digits; d != end; ++d) {
        *at++ = *d;
    }
    return at;
}

// The text of `t` in the fixed `form`, written once into `text`; returns its length. A save
// writes a date for every entry, so the text is built in place and handed over whole.
std::size_t Write(std::array<char, kLongest>& text, const SYSTEMTIME& t, DateTimeText form) {
    const Layout& layout = kLayouts[static_cast<std::size_t>(form)];
    const std::array<uint16_t, 6> fields = {t.wYear, t.wMonth,  t.wDay,
                                            t.wHour, t.wMinute, t.wSecond};
    char* at = text.data();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        at = WriteField(at, fields[i], i == 0 ? layout.yearWidth : layout.fieldWidth, layout.pad);
        if (i < layout.separators.size()) {
            for (const char* s = layout.separators[i]; *s != '\0'; ++s) {
                *at++ = *s;
            }
        }
    }
    return static_cast<std::size_t>(at - text.data());
}

}  // namespace

void SetDisplayFormats(DateTimeFormat dateTime, DateTimeFormat month) {
    Display() = DisplayFormats{std::move(dateTime), std::move(month)};
}

void AppendDateTimeText(std::string& out, const SYSTEMTIME& time, DateTimeText form) {
    if (const DateTimeFormat* format = DisplayFormat(form)) {
        std::u16string text;
        format->Append(text, time);
        out += Utf16ToUtf8(text);
        return;
    }
    std::array<char, kLongest> text;
    out.append(text.data(), Write(text, time, form));
}

void AppendDateTimeText(std::u16string& out, const SYSTEMTIME& time, DateTimeText form) {
    if (const DateTimeFormat* format = DisplayFormat(form)) {
        format->Append(out, time);
        return;
    }
    std::array<char, kLongest> text;
    const std::size_t length = Write(text, time, form);
    const std::size_t start = out.size();
    out.resize(start + length);
    for (std::size_t i = 0; i < length; ++i) {
        out[start + i] = static_cast<char16_t>(text[i]);
    }
}

std::string FormatDateTimeText(const SYSTEMTIME& time, DateTimeText form) {
    std::string text;
    AppendDateTimeText(text, time, form);
    return text;
}
