#include "ole_date_time.h"

namespace {

std::function<QDateTime()>& Clock() {
    static std::function<QDateTime()> clock;
    return clock;
}

// Whole seconds: the value type keeps no milliseconds.
QDateTime ToSeconds(const QDateTime& value) {
    if (!value.isValid()) {
        return {};
    }
    const QTime t = value.time();
    return QDateTime(value.date(), QTime(t.hour(), t.minute(), t.second()));
}

}  // namespace

void SetPlatformClock(std::function<QDateTime()> clock) {
    Clock() = std::move(clock);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time) {
    const QDate date(time.wYear, time.wMonth, time.wDay);
    const QTime clock(time.wHour, time.wMinute, time.wSecond);
    if (date.isValid() && clock.isValid()) {
        m_value = QDateTime(date, clock);
    }
}

COleDateTime::COleDateTime(const QDateTime& time) : m_value(ToSeconds(time)) {}

COleDateTime COleDateTime::GetCurrentTime() {
    return COleDateTime(Clock() ? Clock()() : QDateTime::currentDateTime());
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
    if (!m_value.isValid()) {
        return false;
    }
    const QDate d = m_value.date();
    const QTime t = m_value.time();
    time.wYear = static_cast<uint16_t>(d.year());
    time.wMonth = static_cast<uint16_t>(d.month());
    time.wDayOfWeek = static_cast<uint16_t>(d.dayOfWeek() % 7);
    time.wDay = static_cast<uint16_t>(d.day());
    time.wHour = static_cast<uint16_t>(t.hour());
    time.wMinute = static_cast<uint16_t>(t.minute());
    time.wSecond = static_cast<uint16_t>(t.second());
    time.wMilliseconds = 0;
    return true;
}
