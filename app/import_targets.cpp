#include "import_targets.h"

#include "file_bytes.h"
#include "log_create.h"
#include "log_parse.h"
#include "utf8.h"
#include "vehicle_logs.h"

std::vector<ImportTarget> ImportTargets(const std::string& firstLog, const std::string& shown) {
    std::vector<ImportTarget> targets{{u"", shown}};
    for (const VehicleLog& vehicle : ListVehicleLogs(firstLog)) {
        if (vehicle.path == shown) {
            targets.front().label = Utf8ToUtf16(vehicle.name) + u" (shown)";
        } else {
            targets.push_back({Utf8ToUtf16(vehicle.name), vehicle.path});
        }
    }
    if (targets.front().label.empty()) {
        targets.front().label = u"The vehicle shown";
    }
    targets.push_back({u"A new vehicle", {}});
    return targets;
}

LogBook TargetBook(const ImportTarget& target) {
    LogBook book = FreshLog();
    std::string bytes;
    if (!target.path.empty() && !ReadWholeFile(target.path, bytes)) {
        std::vector<std::string> problems;
        ParseLog(bytes, book, problems);
    }
    return book;
}
