#pragma once

#include <cstdint>
#include <string>

#include "column_text.h"
#include "log_record.h"

// The accumulators of one statistics pass over the log. A minimum starts at 1000.0 and a maximum
// at 0.0; when no record qualifies, the report shows those starting values.
struct LogStats {
    int32_t refuels = 0;  // records with fuel
    // Summed in 64 bits, as the log's own totals are: many 32-bit costs must never wrap.
    int64_t fuelCost = 0;    // yen paid at the records with fuel
    int64_t totalCost = 0;   // yen paid at all records
    double totalFuel = 0.0;  // litres
    double maxYenPerL = 0.0;
    double minYenPerL = 1000.0;
    double drive = 0.0;  // km from the oldest record to the newest fill-up
    double maxRefuel = 0.0;
    double minRefuel = 1000.0;
    double maxKmPerL = 0.0;  // among the fill-ups but the oldest record
    double minKmPerL = 1000.0;
};

// One pass over `count` records sorted newest first, whose kmPerL RecomputeLog has set. Every
// field starts from its initial value; a count below 1 leaves them so.
void ComputeStats(LogStats& stats, const LogRecord* records, int32_t count);

// The eight-line report on a finished pass in its columns, the blank lines between its sections
// included: the words, and the figures a screen lines up; JoinColumnText makes it the report's
// text, "\r\n" ending each line. `oldest` is the pass's oldest record. Quantities, money and the
// economy are in `units` and shown as `economy` asks; for km, litres and yen in km/L the
// backslash (the currency mark) stands for the yen.
ColumnText StatsReportColumns(const LogStats& stats, const LogRecord& oldest,
                              const LogUnits& units = LogUnits{},
                              Economy economy = Economy::DistancePerQuantity);
