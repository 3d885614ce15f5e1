#include "date_order.h"

#include <algorithm>

#include "date_time_text.h"

// The order of the log is defined by the text "%4d/%2d/%2d %2d:%2d:%2d": that is how the device
// has always sorted, including for dates no calendar has (year 10000, month 70). Formatting two
// texts per comparison would make sorting a large log slow, so the texts are formed only when
// a field is too wide for its column. While every field fits, both texts have the same layout,
// right-aligned numbers padded with spaces, and a space sorts below every digit: comparing the
// texts is then exactly comparing the numbers field by field.

namespace {

constexpr uint16_t kYearFits = 9999;
constexpr uint16_t kFieldFits = 99;

bool FitsColumns(const SYSTEMTIME& t) {
    return t.wYear <= kYearFits && t.wMonth <= kFieldFits && t.wDay <= kFieldFits &&
           t.wHour <= kFieldFits && t.wMinute <= kFieldFits && t.wSecond <= kFieldFits;
}

// The fields as one number with two decimal places per field below the year.
uint64_t NumericKey(const SYSTEMTIME& t) {
    uint64_t key = t.wYear;
    for (const uint16_t field : {t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}) {
        key = key * 100 + field;
    }
    return key;
}

}  // namespace

int CompareNewestFirst(const LogRecord& a, const LogRecord& b) {
    if (FitsColumns(a.time) && FitsColumns(b.time)) {
        const uint64_t keyA = NumericKey(a.time);
        const uint64_t keyB = NumericKey(b.time);
        return keyA > keyB ? -1 : (keyA < keyB ? 1 : 0);
    }
    // std::string compares its chars as unsigned, and a text that is a prefix of another is the
    // smaller, as with the terminating zero of C strings.
    const int order = FormatDateTimeText(a.time, DateTimeText::SortKey)
                          .compare(FormatDateTimeText(b.time, DateTimeText::SortKey));
    return order > 0 ? -1 : (order < 0 ? 1 : 0);
}

void SortNewestFirst(LogBook& book) {
    const auto used = static_cast<std::ptrdiff_t>(UsedCount(book));
    const auto first = book.records.begin();
    const auto later = [](const LogRecord& a, const LogRecord& b) {
        return CompareNewestFirst(a, b) < 0;
    };
    // A log read back from its file is already in order; checking first spares the sort's
    // buffer and its moves for the common case.
    if (!std::is_sorted(first, first + used, later)) {
        std::stable_sort(first, first + used, later);
    }
}
