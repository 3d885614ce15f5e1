#pragma once

#include <cstdint>

// The device's calendar time value: eight unsigned 16-bit fields. Day of week and
// milliseconds are carried along but take part in nothing the log does.
struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};
