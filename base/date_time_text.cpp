#include "date_time_text.h"

#include <array>
#include <charconv>

namespace {

// How one form lays out the six fields: their order, the separator after each of the first
// five, and the width every field is padded to (the year's its own), with what.
struct Layout {
    bool monthFirst;  // month, day, year; else year, month, day
    std::array<const char*, 5> separators;
    int yearWidth;
    int fieldWidth;
    char pad;
};

constexpr std::array<Layout, 5> kLayouts = {{
    {false, {"/", "/", " ", ":", ":"}, 4, 2, ' '},  // SortKey
    {true, {"/", "/", " ", ":", ":"}, 4, 2, ' '},   // ListCell
    {true, {"/", "/", "  ", ":", ":"}, 0, 0, ' '},  // Report
    {false, {",", ",", ",", ",", ","}, 0, 0, ' '},  // LogFile
    {false, {"-", "-", "T", ":", ":"}, 4, 2, '0'},  // Iso8601
}};

void AppendField(std::string& out, uint16_t value, int width, char pad) {
    char digits[8];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    if (length < width) {
        out.append(static_cast<std::size_t>(width - length), pad);
    }
    out.append(digits, static_cast<std::size_t>(length));
}

}  // namespace

void AppendDateTimeText(std::string& out, const SYSTEMTIME& t, DateTimeText form) {
    const Layout& layout = kLayouts[static_cast<std::size_t>(form)];
    const std::array<uint16_t, 3> date = layout.monthFirst
                                             ? std::array<uint16_t, 3>{t.wMonth, t.wDay, t.wYear}
                                             : std::array<uint16_t, 3>{t.wYear, t.wMonth, t.wDay};
    const std::array<uint16_t, 6> fields = {date[0], date[1],   date[2],
                                            t.wHour, t.wMinute, t.wSecond};
    const std::size_t yearAt = layout.monthFirst ? 2 : 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        AppendField(out, fields[i], i == yearAt ? layout.yearWidth : layout.fieldWidth, layout.pad);
        if (i < layout.separators.size()) {
            out += layout.separators[i];
        }
    }
}

std::string FormatDateTimeText(const SYSTEMTIME& time, DateTimeText form) {
    std::string text;
    AppendDateTimeText(text, time, form);
    return text;
}
