#include "calendar.h"

#include <gtest/gtest.h>

TEST(Calendar, DatesOtherProgramsCanTake) {
    struct Row {
        const char* name;
        SYSTEMTIME time;
        bool calendar;
    };
    const Row rows[] = {
        {"leap day", {2008, 2, 0, 29, 0, 0, 0, 0}, true},
        {"leap day of a year divisible by 400", {2000, 2, 0, 29, 0, 0, 0, 0}, true},
        {"no leap day in a common year", {2007, 2, 0, 29, 0, 0, 0, 0}, false},
        {"no leap day in a century year", {1900, 2, 0, 29, 0, 0, 0, 0}, false},
        {"31 April", {2007, 4, 0, 31, 0, 0, 0, 0}, false},
        {"last second of year 9999", {9999, 12, 0, 31, 23, 59, 59, 0}, true},
        {"year 0", {0, 1, 0, 1, 0, 0, 0, 0}, false},
        {"year 10000", {10000, 1, 0, 1, 0, 0, 0, 0}, false},
        {"month 13", {2007, 13, 0, 1, 0, 0, 0, 0}, false},
        {"hour 24", {2007, 1, 0, 1, 24, 0, 0, 0}, false},
        {"second 60", {2007, 1, 0, 1, 0, 0, 60, 0}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsCalendarDate(row.time), row.calendar) << row.name;
    }
}
