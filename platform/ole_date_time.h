#pragma once

#include <functional>

#include <QDateTime>

#include "system_time.h"

// The device library's date-time value: a local date and time to the second, or invalid.
class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1 };

    COleDateTime() = default;  // invalid until set
    // Invalid when the fields do not name a real date and time (month 13, hour 24, ...).
    explicit COleDateTime(const SYSTEMTIME& time);
    explicit COleDateTime(const QDateTime& time);

    // The current local time of the platform's clock.
    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_value.isValid() ? valid : invalid; }
    // Fills all eight fields (day of week 0 for Sunday, milliseconds 0); false when invalid,
    // leaving `time` as it was.
    bool GetAsSystemTime(SYSTEMTIME& time) const;
    const QDateTime& ToQDateTime() const { return m_value; }

    bool operator==(const COleDateTime& other) const { return m_value == other.m_value; }

private:
    QDateTime m_value;
};

// The clock behind "now". Tests replace it; an empty function restores the system clock.
void SetPlatformClock(std::function<QDateTime()> clock);
