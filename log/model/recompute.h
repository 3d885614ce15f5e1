#pragma once

#include <string>

#include "log_record.h"

// Rebuilds carriedFuel, trip, kmPerL and yenPerL of every record and the summary line, which
// shows the economy as `economy` asks.
void RecomputeLog(LogBook& book, Economy economy = Economy::DistancePerQuantity);

// The summary line of a recomputed book: the average economy from the oldest entry to the newest
// one with fuel, the money paid at entries with fuel and in all, in the book's units. For a log in
// km, litres and yen shown in km/L: "Av:15.6km/L, Fuel \11394, All \19794".
std::u16string SummaryLine(const LogBook& book, Economy economy);
