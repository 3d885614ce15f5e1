#include "log_stats.h"

#include <utility>

#include "date_time_text.h"
#include "money_text.h"
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
std::string Fixed(double value, int decimals = 1) {
    return FormatFixed(value, decimals);
}

// An average over no litres has no value: it shows as "----" rather than "inf" or "nan".
std::string Average(double numerator, double divisor, int decimals = 1) {
    return divisor == 0.0 ? "----" : Fixed(numerator / divisor, decimals);
}

// The economy extremes as shown, highest then lowest: in distance per quantity the pass's own
// figures; in quantity per 100 distance the lowest economy is the highest figure, and with no
// stretch at all (no maximum) there is nothing to show.
std::pair<std::string, std::string> EconomyExtremes(const LogStats& s, Economy economy) {
    if (economy == Economy::DistancePerQuantity) {
        return {Fixed(s.maxKmPerL), Fixed(s.minKmPerL)};
    }
    if (s.maxKmPerL == 0.0) {
        return {"----", "----"};
    }
    return {Fixed(EconomyValue(s.minKmPerL, economy)), Fixed(EconomyValue(s.maxKmPerL, economy))};
}

TextPiece Words(const std::string& text) {
    return {Utf8ToUtf16(text), TextPiece::kWords};
}

// The report's figures stand in three columns: the first figure of a line, the second, and the
// lowest of a pair "highest / lowest", which the first two lines of such a pair share.
TextPiece Figure(int column, const std::string& text) {
    return {Utf8ToUtf16(text), column};
}

}  // namespace

ColumnText StatsReportColumns(const LogStats& s, const LogRecord& oldest, const LogUnits& units,
                              Economy economy) {
    const std::string quantity = " " + std::string(QuantitySymbol(units.quantity));
    const std::string distance = " " + std::string(DistanceSymbol(units.distance));
    const std::string price = " " + Utf16ToUtf8(CurrencyMark(units.currency)) + "/" +
                              std::string(QuantitySymbol(units.quantity));
    const int priceDecimals = PriceDecimals(units.currency);
    const auto pricePerQuantity = [&units, priceDecimals](double minorPerQuantity) {
        return Fixed(PriceInMajorUnits(minorPerQuantity, units.currency), priceDecimals);
    };
    const auto money = [&units](int64_t minorUnits) {
        return Utf16ToUtf8(MoneyText(minorUnits, units.currency));
    };
    // The oldest record's fuel was burnt before the log began, so it drove nothing.
    const double burnt = s.totalFuel - oldest.fuel;
    const std::string averageEconomy = economy == Economy::DistancePerQuantity
                                           ? Average(s.drive, burnt)
                                           : Average(burnt * 100.0, s.drive);
    const std::string economyUnit = " " + EconomyUnit(units, economy);
    const auto [highest, lowest] = EconomyExtremes(s, economy);
    return {
        {Words("  1. RECORD START:  " + FormatDateTimeText(oldest.time, DateTimeText::Display))},
        {},
        {Words("  2. REFUEL:  "), Figure(0, Int(s.refuels)), Words(" times,  Total "),
         Figure(1, Fixed(s.totalFuel)), Words(quantity)},
        {},
        {Words("     Max. Refuel "), Figure(0, Fixed(s.maxRefuel)),
         Words(quantity + ",  Min. Refuel "), Figure(1, Fixed(s.minRefuel)), Words(quantity)},
        {Words("     Av. "),
         Figure(0, Average(PriceInMajorUnits(static_cast<double>(s.fuelCost), units.currency),
                           s.totalFuel, priceDecimals)),
         Words(price + "  Highest / Lowest  "), Figure(1, pricePerQuantity(s.maxYenPerL)),
         Words(" / "), Figure(2, pricePerQuantity(s.minYenPerL)), Words(price)},
        {},
        {Words("  3. COST:  Fuel "), Figure(0, money(s.fuelCost)), Words(",  Other "),
         Figure(1, money(s.totalCost - s.fuelCost))},
        {},
        {Words("     Total "), Figure(0, money(s.totalCost))},
        {},
        {Words("  4. MILEAGE:  Drive "), Figure(0, Fixed(s.drive)), Words(distance + ",  Av. "),
         Figure(1, averageEconomy), Words(economyUnit)},
        {},
        {Words("     Highest / Lowest  "), Figure(1, highest), Words(" / "), Figure(2, lowest),
         Words(economyUnit)},
    };
}
