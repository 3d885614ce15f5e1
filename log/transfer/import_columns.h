#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import_values.h"
#include "log_error.h"
#include "log_units.h"

// Which column of another program's CSV table holds what, recognised by the header's name in any
// case, with "_" read as a space and camel case as words ("FuelAmount", "IsFillToFull"). A unit may
// stand in the header, in brackets ("Odo (mi)", "Fuel (litres)", "gallons (US)") or as its last
// word ("odometer_km"). The names each role answers to, best first, when a table has more than one
// of them:
//
//   date      date, data, datetime, date time, date/time, date and time, timestamp,
//             fuelup date, datum
//   time      time, time of day
//   odometer  odometer, odo, mileage, odometer reading, odo reading, km-stand, kilometerstand
//   litres    litres, liters, litre, liter, quantity, volume, fuel quantity, fuel volume,
//             fuel amount, amount of fuel, fuel consumed, fuelconsumed, gallons, gallon, fuel,
//             spritmenge, menge
//   cost      total price, total cost, price paid, amount paid, totalprice, totalcost, cost,
//             total, paid, price, kosten, gesamtpreis
//   kind      kind (Tarvo's own: fill-up, partial, maintenance)
//   type      type, tankart (1 full, 2 partial, 3 first fueling, 0 invalid)
//   full      full, isfilltofull, is fill to full, full tank, fulltank, full fill,
//             fill to full, filled up, filled, tank full, isfull, is full,
//             filled tank completely
//   partial   partial, partial fill, partial fillup, partial fill up, partial refuel,
//             partial tank, ispartial, partial fuelup, partial fill-up?
//   distance unit   distance unit, odometer unit, mileage unit, dist unit
//   volume unit     fuel unit, volume unit, quantity unit
//   unit            unit, units (distance or volume, as each cell's word says)
//   currency        currency, währung
//
// "Price per litre", "Unit price", "Trip", "km/L" and the like are none of these: a price per
// litre and the derived values are not entered, Tarvo works them out.

enum class Role {
    Date,
    Time,
    Odometer,
    Fuel,
    Cost,
    Kind,
    Type,
    Full,
    Partial,
    DistanceUnit,
    VolumeUnit,
    AnyUnit,
    Currency,
};
inline constexpr std::size_t kRoleCount = 13;

struct Column {
    int index = -1;          // -1: the table has no such column
    std::string header;      // as the file writes it
    Unit unit = Unit::None;  // the unit the header names, for the odometer and litres
    // The header's words for that unit, naming an unknown one; for the cost, its currency's.
    std::string unitWords;
};

struct ColumnLayout {
    std::array<Column, kRoleCount> columns;
    bool tarvoExport = false;  // the header is exactly one that Tarvo's export writes
    LogUnits exportUnits;      // when it is: the units its column names give

    const Column& operator[](Role role) const { return columns[static_cast<std::size_t>(role)]; }
    bool Has(Role role) const { return (*this)[role].index >= 0; }
};

ColumnLayout RecogniseColumns(const std::vector<std::string>& header);

// The role a user names by hand: date, time, odometer, quantity, cost, full, partial, type or
// currency; nothing for any other word.
std::optional<Role> RoleOfWord(std::string_view word);
// The same words, in the order a form asks for them.
inline constexpr std::string_view kHandRoles[] = {"date", "time",    "odometer", "quantity", "cost",
                                                  "full", "partial", "type",     "currency"};
inline constexpr std::string_view kRoleWords =
    "date, time, odometer, quantity, cost, full, partial, type or currency";

// Puts the column `index` of `header` in `role`, as the user says, taking it from any other role
// that read it; its unit is the one its name gives ("Odo (mi)").
void PlaceColumn(ColumnLayout& layout, Role role, const std::vector<std::string>& header,
                 std::size_t index);

// What the layout lacks of what an import needs (a date, an odometer, and litres or a cost), as
// "no date column (such as Date, Data or Datetime) and no ..."; nothing when it lacks nothing.
Failure MissingColumns(const ColumnLayout& layout);
