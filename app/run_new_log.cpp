#include "run_new_log.h"

#include <cstdio>
#include <string>

#include "log_create.h"
#include "log_location.h"
#include "log_lock.h"

namespace {

void Say(std::FILE* to, const std::string& text) {
    std::fputs((text + "\n").c_str(), to);
}

}  // namespace

int RunNewLog(const LogUnits& units) {
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
            Say(stdout, "Made \"" + log + "\": a log in " +
                            std::string(DistanceName(units.distance)) + ", " +
                            std::string(QuantityName(units.quantity)) + " and " +
                            units.currency.code + ".");
            return 0;
        case CreateOutcome::Existed:
            Say(stderr, "\"" + log +
                            "\" exists already; --new-log makes a log only where there is none. "
                            "It was left as it is.");
            return 1;
        case CreateOutcome::Failed:
            break;
    }
    Say(stderr, created.error->Text() + " No log was made.");
    return 1;
}
