#include "sample_log.h"

#include <random>

#include "log_save.h"
#include "recompute.h"

LogBook SampleLog(int entries) {
    std::mt19937 random(42);
    std::uniform_real_distribution<double> litres(15.0, 45.0);
    std::uniform_int_distribution<int> kindDraw(0, 9);
    std::uniform_int_distribution<int> gapMinutes(60, 4000);
    LogBook book;
    book.records.resize(static_cast<std::size_t>(entries) + 1);
    book.count = entries;
    book.reminders.label = {u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u""};
    book.reminders.value = {45000.0, 50000.0, 0.0};
    double odo = 1000.0;
    int64_t minutes = 0;
    // Filled oldest last: index 0 is the newest, as in the file.
    for (int i = entries - 1; i >= 0; --i) {
        LogRecord& r = book.records[static_cast<std::size_t>(i)];
        minutes += gapMinutes(random);
        const int64_t days = minutes / (24 * 60);
        r.time.wYear = static_cast<uint16_t>(2000 + days / 336);
        r.time.wMonth = static_cast<uint16_t>(1 + days / 28 % 12);
        r.time.wDay = static_cast<uint16_t>(1 + days % 28);
        r.time.wHour = static_cast<uint16_t>(minutes / 60 % 24);
        r.time.wMinute = static_cast<uint16_t>(minutes % 60);
        r.time.wSecond = static_cast<uint16_t>(minutes * 7 % 60);
        const int kind = kindDraw(random);
        r.kind = kind < 7 ? FillUp : (kind < 9 ? NotFillUp : Maintenance);
        odo += litres(random) * 14.0;
        r.odo = odo;
        r.fuel = r.kind == Maintenance ? 0.0 : litres(random);
        r.cost = r.kind == Maintenance ? 8400 : static_cast<int32_t>(r.fuel * 142.0);
        book.totalCost += r.cost;
        book.fuelCost += r.fuel != 0.0 ? r.cost : 0;
    }
    RecomputeLog(book);
    return book;
}

bool WriteSampleLog(const std::string& path, int entries) {
    return SaveLog(SampleLog(entries), path).ok();
}
