#include "log_stats.h"

#include "date_time_text.h"
#include "number_text.h"
#include "utf8.h"

// Every test against zero is an exact comparison with 0.0 and every comparison is strict, as on
// the device, so that the report gives the same figures the device gave for the same log.

void ComputeStats(LogStats& stats, const LogRecord* records, int32_t count) {
    stats = LogStats{};
    if (count < 1) {
        return;
    }
    // The newest fill-up's odometer ends the drive. A fill-up read as 0.0 km carries no reading,
    // so the walk goes on to the next older one.
    double latestFillUpOdo = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const LogRecord& r = records[i];
        stats.totalCost += r.cost;
        if (r.fuel != 0.0) {
            ++stats.refuels;
            stats.totalFuel += r.fuel;
            stats.fuelCost += r.cost;
            const double yenPerL = static_cast<double>(r.cost) / r.fuel;
            if (yenPerL > stats.maxYenPerL) {
                stats.maxYenPerL = yenPerL;
            }
            if (yenPerL < stats.minYenPerL) {
                stats.minYenPerL = yenPerL;
            }
            if (stats.minRefuel > r.fuel) {
                stats.minRefuel = r.fuel;
            }
        }
        if (latestFillUpOdo == 0.0 && r.kind == FillUp) {
            latestFillUpOdo = r.odo;
        }
        if (stats.maxRefuel < r.fuel) {
            stats.maxRefuel = r.fuel;
        }
        // The oldest record opens the log: no stretch ends there, whatever its kind.
        if (r.kind == FillUp && i < count - 1) {
            if (stats.maxKmPerL < r.kmPerL) {
                stats.maxKmPerL = r.kmPerL;
            }
            if (stats.minKmPerL > r.kmPerL) {
                stats.minKmPerL = r.kmPerL;
            }
        }
    }
    stats.drive = latestFillUpOdo - records[count - 1].odo;
}

namespace {

std::string Int(int64_t value) {
    return FormatInt(value);
}

// "%.1lf".
std::string Fixed(double value) {
    return FormatFixed(value, 1);
}

// An average over no litres has no value: it shows as "----" rather than "inf" or "nan".
std::string Average(double numerator, double divisor) {
    return divisor == 0.0 ? "----" : Fixed(numerator / divisor);
}

}  // namespace

std::u16string FormatStatsReport(const LogStats& s, const LogRecord& oldest) {
    // The oldest record's litres were burnt before the log began, so they drove nothing.
    const double burnt = s.totalFuel - oldest.fuel;
    std::string text;
    text += "  1. RECORD START:  " + FormatDateTimeText(oldest.time, DateTimeText::Display) +
            "\r\n\r\n";
    text +=
        "  2. REFUEL:  " + Int(s.refuels) + " times,  Total " + Fixed(s.totalFuel) + " L\r\n\r\n";
    text += "     Max. Refuel " + Fixed(s.maxRefuel) + " L,  Min. Refuel " + Fixed(s.minRefuel) +
            " L\r\n";
    text += "     Av. " + Average(static_cast<double>(s.fuelCost), s.totalFuel) +
            " \\/L  Highest / Lowest  " + Fixed(s.maxYenPerL) + " / " + Fixed(s.minYenPerL) +
            " \\/L\r\n\r\n";
    text += "  3. COST:  Fuel \\" + Int(s.fuelCost) + ",  Other \\" +
            Int(s.totalCost - s.fuelCost) + "\r\n\r\n";
    text += "     Total \\" + Int(s.totalCost) + "\r\n\r\n";
    text += "  4. MILEAGE:  Drive " + Fixed(s.drive) + " km,  Av. " + Average(s.drive, burnt) +
            " km/L\r\n\r\n";
    text +=
        "     Highest / Lowest  " + Fixed(s.maxKmPerL) + " / " + Fixed(s.minKmPerL) + " km/L\r\n";
    return Utf8ToUtf16(text);
}
