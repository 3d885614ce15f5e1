#include "run_new_log.h"

#include <cstdio>
#include <string>

#include "log_create.h"
#include "log_location.h"
#include "log_lock.h"
#include "vehicle_logs.h"

namespace {

void Say(std::FILE* to, const std::string& text) {
    std::fputs((text + "\n").c_str(), to);
}

std::string Made(const std::string& log, const LogUnits& units, const std::string& vehicle) {
    return "Made \"" + log + "\": a log in " + std::string(DistanceName(units.distance)) + ", " +
           std::string(QuantityName(units.quantity)) + " and " + units.currency.code +
           (vehicle.empty() ? "" : " for the vehicle \"" + vehicle + "\"") + ".";
}

std::string Exists(const std::string& log) {
    return "\"" + log +
           "\" exists already; --new-log makes a log only where there is none. It was left as it "
           "is.";
}

int NewFirstLog(const LogUnits& units) {
    const std::string log = LogPath();
    if (const Failure noFolder = MissingLogFolder(log)) {
        Say(stderr, noFolder->Text() + " No log was made.");
        return 1;
    }
    LogLock lock;
    const LockAttempt attempt = lock.TryTake(log);
    if (attempt.outcome != LockOutcome::Taken) {
        Say(stderr, (attempt.outcome == LockOutcome::Failed ? attempt.error.Text()
                                                            : OpenElsewhere(log, attempt.holder)) +
                        " No log was made.");
        return 1;
    }
    const CreateResult created = CreateLogIfMissing(log, units);
    switch (created.outcome) {
        case CreateOutcome::Created:
            Say(stdout, Made(log, units, {}));
            return 0;
        case CreateOutcome::Existed:
            Say(stderr, Exists(log));
            return 1;
        case CreateOutcome::Failed:
            break;
    }
    Say(stderr, created.error->Text() + " No log was made.");
    return 1;
}

int NewVehicleLog(const LogUnits& units, const std::string& vehicle) {
    const std::string first = LogPath();
    if (const auto found = FindVehicle(ListVehicleLogs(first), vehicle)) {
        // The first vehicle is listed before its log is made: naming it makes that log.
        if (found->first) {
            return NewFirstLog(units);
        }
        Say(stderr, Exists(found->path));
        return 1;
    }
    const VehicleAddition added = AddVehicleLog(first, vehicle, units);
    if (!added.Made()) {
        Say(stderr,
            (added.heldBy ? OpenElsewhere(added.path, *added.heldBy) : added.error->Text()) +
                " No log was made.");
        return 1;
    }
    Say(stdout, Made(added.path, units, vehicle));
    return 0;
}

}  // namespace

int RunNewLog(const LogUnits& units, const std::string& vehicle) {
    return vehicle.empty() ? NewFirstLog(units) : NewVehicleLog(units, vehicle);
}
