#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "log_units.h"

// The column header, line 8 of the log file, which says in its column titles what the log's
// numbers are counted in. A log in km, litres and yen writes the header it always wrote, which
// declares nothing:
//
//   Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup
//   2:Maintenance,Cost,km/L,Trip,\/L
//
// Any other log declares all three in brackets after the titles of the odometer, fuel and cost
// columns, and names the derived columns after them:
//
//   Year,Month,Day,Hour,Minute,Second,Odo(mi),Fuel(us-gal),0:fillup 1:notFillup 2:Maintenance,
//   Cost(EUR),mi/us-gal,Trip(mi),EUR/us-gal
//
// The distance is km or mi; the quantity l, us-gal, imp-gal, kg or kwh; the currency an ISO 4217
// code. A title without brackets, or a header that is not Tarvo's at all, declares the usual unit
// of its column, so a log written before units existed reads as it always did.

// A log of one of several vehicles may name its vehicle in one more field at the end of the header,
// which a reader of the columns above takes for a title it does not know:
//
//   Year,...,Trip,\/L,Vehicle(Van)
//
// A log that names no vehicle writes no such field, so its header is what it always was.

// The header line for `units` and the vehicle named `vehicle` (none when empty), without its line
// end.
std::string LogHeaderLine(const LogUnits& units, const std::string& vehicle = {});

// The vehicle the header line `line` names; empty when it names none.
std::string ReadVehicleName(std::string_view line);

// The units the header line `line` declares. A declaration Tarvo cannot read is named in
// `problems` as "line N: ..." and its column keeps the usual unit.
LogUnits ReadLogHeader(std::string_view line, int lineNumber, std::vector<std::string>& problems);
