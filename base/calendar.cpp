#include "calendar.h"

#include <array>
#include <cstddef>

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

bool IsCalendarDay(int year, int month, int day) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const int days =
        kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= days;
}

bool IsCalendarDate(const SYSTEMTIME& t) {
    return IsCalendarDay(t.wYear, t.wMonth, t.wDay) && t.wHour < 24 && t.wMinute < 60 &&
           t.wSecond < 60;
}
