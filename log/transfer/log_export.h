#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <optional>
#include <vector>

#include "log_record.h"

// The log as a spreadsheet table: a header row, then one row per entry, oldest first, every value
// in a column of its own, numbers with a point whatever the locale.
//
//   date,kind,litres,odometer_km,cost_yen,trip_km,km_per_litre,yen_per_litre
//   2007-08-26T07:30:00,fill-up,30.2,41890.0,4288,660.0,15.64,141.99
//
// The column names carry the log's units: a log in miles, US gallons and euros has
//
//   date,kind,us_gallons,odometer_mi,cost_EUR,trip_mi,mi_per_us_gallon,EUR_per_us_gallon
//   2024-03-10T16:01:00,fill-up,12.345,20350.0,65.43,301.2,24.40,5.300
//
// Quantity and odometer carry the decimals the log file keeps, so they read back as the log
// holds them; the cost is in the currency's major unit with its decimals, exactly; trip has one
// decimal, the economy two, the price per unit of fuel two more than the currency. A cell is
// empty where the list shows "----": quantity and price without fuel, trip and economy without
// a trip, the odometer at 0.0. Lines end with CRLF, the line end of RFC 4180 and of the
// spreadsheets that expect it; every reader, this program's import included, takes it. The text
// is all ASCII. `book` is sorted newest first and recomputed, as every read of the log leaves it.
std::string ExportLog(const LogBook& book);

// The header row of the export of a log in `units`, without its line end.
std::string ExportHeader(const LogUnits& units);

// The header row of a log in km, litres and yen.
inline constexpr std::string_view kExportHeader =
    "date,kind,litres,odometer_km,cost_yen,trip_km,km_per_litre,yen_per_litre";

// The units of the export whose header row holds `fields` (in any case); nothing when it is no
// header ExportHeader writes.
std::optional<LogUnits> ExportUnits(const std::vector<std::string>& fields);

// "fill-up", "partial", "maintenance"; a kind outside those three, which only an edited file
// holds, as "kind 7".
std::string KindWord(int32_t kind);

// The kind a word of KindWord stands for, case-insensitive; false for any other text.
bool KindFromWord(std::string_view word, int32_t& kind);
