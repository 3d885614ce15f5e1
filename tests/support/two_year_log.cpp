#include "two_year_log.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include <QDateTime>

#include "date_order.h"
#include "log_test_support.h"
#include "recompute.h"

namespace {

// Uniform in [low, high) from mt19937's raw output, which the standard fixes; the library's
// distributions may differ between implementations.
class Draw {
public:
    double Between(double low, double high) {
        return low + (high - low) * (m_raw() / 4294967296.0);
    }
    int Whole(int low, int high) { return static_cast<int>(Between(low, high + 1)); }

private:
    std::mt19937 m_raw{20230402};
};

double Tenths(double value) {
    return std::round(value * 10.0) / 10.0;
}

LogRecord At(const QDateTime& when, double odo, double fuel, int32_t kind, int32_t cost) {
    const QDate d = when.date();
    const QTime t = when.time();
    return Entry(static_cast<uint16_t>(d.year()), static_cast<uint16_t>(d.month()),
                 static_cast<uint16_t>(d.day()), static_cast<uint16_t>(t.hour()),
                 static_cast<uint16_t>(t.minute()), static_cast<uint16_t>(t.second()), Tenths(odo),
                 fuel, kind, cost);
}

struct Expense {
    int atStop;  // after this many stops at the pump
    int32_t cost;
};

// Oil every ten stops or so, tyres before the first winter, the inspection after a year, and a
// car wash now and then.
const Expense kExpenses[] = {{4, 1200},   {9, 5500},  {15, 54000}, {19, 5500}, {23, 1200},
                             {27, 98000}, {29, 5500}, {35, 1200},  {40, 5500}, {46, 1200}};

}  // namespace

LogBook TwoYearLog() {
    Draw draw;
    // UTC only so that no change to or from summer time moves a clock: these are wall times.
    const QDate first(2023, 4, 2);
    const QDateTime end(QDate(2025, 3, 31), QTime(23, 59, 59), Qt::UTC);
    QDateTime when(first, QTime(8, 10, 0), Qt::UTC);
    double odo = 23400.0;
    double burnt = 0.0;  // litres burnt since the tank was last filled up, less partial fills
    int stops = 0;
    std::size_t nextExpense = 0;
    std::vector<LogRecord> oldestFirst;
    while (when <= end) {
        const double month = when.date().month() + when.date().day() / 31.0;
        // Best in spring and autumn, worst in deep winter (heater, cold starts).
        const double kmPerL = 15.5 + 1.2 * std::cos((month - 5.0) * M_PI / 3.0) -
                              (month < 3.0 ? 1.0 : 0.0) + draw.Between(-0.6, 0.6);
        const double yenPerL =
            172.0 + 9.0 * std::sin(first.daysTo(when.date()) / 110.0) + draw.Between(-2.0, 2.0);
        const double driven = draw.Between(380.0, 560.0);
        odo += driven;
        burnt += driven / kmPerL;
        double fuel = 0.0;
        int32_t kind = FillUp;
        if (draw.Between(0.0, 1.0) < 0.12) {
            fuel = Tenths(draw.Between(10.0, 18.0));
            kind = NotFillUp;
        } else {
            // A full tank is full to a litre or so.
            fuel = Tenths(std::max(5.0, burnt + draw.Between(-1.0, 1.0)));
        }
        burnt -= fuel;
        oldestFirst.push_back(At(when, odo, fuel, kind, static_cast<int32_t>(fuel * yenPerL)));
        ++stops;
        if (nextExpense < std::size(kExpenses) && kExpenses[nextExpense].atStop == stops) {
            const QDateTime later = when.addDays(draw.Whole(1, 4)).addSecs(draw.Whole(0, 3600));
            const double toTheGarage = draw.Between(20.0, 90.0);
            odo += toTheGarage;
            burnt += toTheGarage / kmPerL;
            oldestFirst.push_back(At(later, odo, 0.0, Maintenance, kExpenses[nextExpense].cost));
            ++nextExpense;
        }
        when = when.addDays(draw.Whole(10, 16))
                   .addSecs(draw.Whole(-4, 4) * 3600 + draw.Whole(0, 59) * 60 + draw.Whole(0, 59));
    }
    LogBook book = BookOf(std::vector<LogRecord>(oldestFirst.rbegin(), oldestFirst.rend()));
    book.reminders.label = {u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u""};
    book.reminders.value = {45000.0, 50000.0, 0.0};
    SortNewestFirst(book);
    RecomputeLog(book);
    return book;
}
