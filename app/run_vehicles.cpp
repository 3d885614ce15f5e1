#include "run_vehicles.h"

#include <cstdio>

#include "log_location.h"
#include "number_text.h"
#include "vehicle_logs.h"

std::optional<std::string> VehicleLogPath(const std::string& vehicle, std::string& error) {
    if (vehicle.empty()) {
        return LogPath();
    }
    const std::vector<VehicleLog> vehicles = ListVehicleLogs(LogPath());
    if (const std::optional<VehicleLog> found = FindVehicle(vehicles, vehicle)) {
        return found->path;
    }
    error = "There is no vehicle named \"" + vehicle + "\". The vehicles are:";
    for (const VehicleLog& known : vehicles) {
        error += " \"" + known.name + "\"";
    }
    error += ". Make one with --new-log --vehicle NAME.";
    return std::nullopt;
}

int RunListVehicles() {
    int status = 0;
    for (const VehicleLog& vehicle : ListVehicleLogs(LogPath())) {
        std::string line = vehicle.name + "\t";
        if (vehicle.readable) {
            line += std::string(DistanceWord(vehicle.units.distance)) + ", " +
                    std::string(QuantityWord(vehicle.units.quantity)) + ", " +
                    vehicle.units.currency.code + "\t" +
                    Plural(static_cast<int64_t>(vehicle.entries), "entry", "entries");
        } else {
            line += "\"" + vehicle.path + "\" cannot be read: " + vehicle.problem;
            status = 1;
        }
        std::fputs((line + "\n").c_str(), stdout);
    }
    return status;
}
