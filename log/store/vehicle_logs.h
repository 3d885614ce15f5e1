#pragma once

#include <optional>
#include <string>
#include <vector>

#include "log_error.h"
#include "log_lock.h"
#include "log_units.h"

// Several vehicles, one log each, all in the first log's folder: the first vehicle's log is
// "Tarvo.csv" as it always was, each further one "Tarvo.<name>.csv", where <name> is the
// vehicle's name made safe for any file system. The name the user gave is kept in the log's own
// header (LogHeaderLine), so there is no second file to keep in step with the logs; a log that
// names none shows as the part of its file name that stands for it, the first as "Tarvo".
// Nothing else in the folder has that shape: "Tarvo-export.csv", "*.bak", "*.lock" and
// "*.removed" are never taken for a vehicle.

inline constexpr char kFirstVehicleName[] = "Tarvo";

struct VehicleLog {
    std::string name;  // as the user named it
    std::string path;
    bool first = false;    // the log at the first log's own path
    bool readable = true;  // false: the file could not be read; `problem` says why
    std::string problem;
    LogUnits units;           // as its header declares them
    std::size_t entries = 0;  // the entries it holds
};

// The vehicles whose logs lie beside `firstLog`: the first log first (even before it is made),
// then the others by name. Reads each log, and changes none.
std::vector<VehicleLog> ListVehicleLogs(const std::string& firstLog);

// The vehicle named `name` among `vehicles`, its letters' case aside.
std::optional<VehicleLog> FindVehicle(const std::vector<VehicleLog>& vehicles,
                                      const std::string& name);

// Why `name` cannot name a vehicle ("A vehicle's name ..."), or nothing when it can: it must not be
// empty, nor longer than kLongestVehicleName bytes, nor hold a control character, a comma or a
// bracket, which its place in the log's header could not keep; and no other vehicle among
// `vehicles` may have it.
inline constexpr std::size_t kLongestVehicleName = 40;
Failure VehicleNameProblem(const std::string& name, const std::vector<VehicleLog>& vehicles);

// The part of a further vehicle's file name that stands for `name`: its ASCII letters, digits,
// '-' and '_', every other character as '_', at most 32 of them.
std::string SafeFilePart(const std::string& name);

// Where a further vehicle named `name` gets its log beside `firstLog`: "Tarvo.<safe>.csv", or
// "Tarvo.<safe>-2.csv" and so on when that file is there already.
std::string NewVehicleLogPath(const std::string& firstLog, const std::string& name);

// Makes the log of a new vehicle named `name` in `units` beside `firstLog`, holding its lock
// while it does, so that no window or other run makes the same one at the same moment. Returns
// the new log's path, and why none was made there (`error`, or `heldBy` another process).
struct VehicleAddition {
    std::string path;
    Failure error;
    std::optional<LockHolder> heldBy;

    bool Made() const { return !path.empty() && !error && !heldBy; }
};
VehicleAddition AddVehicleLog(const std::string& firstLog, const std::string& name,
                              const LogUnits& units);

// Puts a further vehicle's log aside as "<log>.removed" (or "<log>.removed2" and so on, when an
// earlier removal took that name), holding its lock meanwhile, so that a log open in a window is
// never moved under it. The first vehicle's log is never removed: it is the log every start
// without a vehicle opens. Returns where the log went, or why it stayed (`error`, or `heldBy`
// another process, which has it open).
struct VehicleRemoval {
    std::string movedTo;
    Failure error;
    std::optional<LockHolder> heldBy;
};
VehicleRemoval RemoveVehicleLog(const std::string& firstLog, const std::string& path);
