#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log_record.h"

// The log as a spreadsheet table: a header row, then one row per entry, oldest first, every value
// in a column of its own, numbers with a point whatever the locale.
//
//   date,kind,litres,odometer_km,cost_yen,trip_km,km_per_litre,yen_per_litre
//   2007-08-26T07:30:00,fill-up,30.2,41890.0,4288,660.0,15.64,141.99
//
// Litres and odometer carry the one decimal the log file keeps, so they read back as the log
// holds them; trip has one decimal, km/L and yen per litre two. A cell is empty where the list
// shows "----": litres and yen per litre without fuel, trip and km/L without a trip, the
// odometer at 0.0. Lines end with CRLF, the line end of RFC 4180 and of the spreadsheets that
// expect it; every reader, this program's import included, takes it. The text is all ASCII.
// `book` is sorted newest first and recomputed, as every read of the log leaves it.
std::string ExportLog(const LogBook& book);

// The header row of the export, without its line end.
inline constexpr std::string_view kExportHeader =
    "date,kind,litres,odometer_km,cost_yen,trip_km,km_per_litre,yen_per_litre";

// "fill-up", "partial", "maintenance"; a kind outside those three, which only an edited file
// holds, as "kind 7".
std::string KindWord(int32_t kind);

// The kind a word of KindWord stands for, case-insensitive; false for any other text.
bool KindFromWord(std::string_view word, int32_t& kind);
