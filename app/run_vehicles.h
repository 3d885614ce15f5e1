#pragma once

#include <optional>
#include <string>

// The command line's vehicles: which log --vehicle names, and --list-vehicles.

// The log of the vehicle named `vehicle`, or the first vehicle's log when `vehicle` is empty;
// nothing when no vehicle has that name, and `error` then says so and names those there are.
std::optional<std::string> VehicleLogPath(const std::string& vehicle, std::string& error);

// tarvo --list-vehicles: one vehicle a line, "NAME<tab>UNITS<tab>N entries", the first vehicle
// first; a log that cannot be read says why in place of its units. Returns the exit status: 0,
// or 1 when a log could not be read.
int RunListVehicles();
