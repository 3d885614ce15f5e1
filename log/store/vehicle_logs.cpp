#include "vehicle_logs.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "ascii_text.h"
#include "file_bytes.h"
#include "link_target.h"
#include "log_create.h"
#include "log_lock.h"
#include "log_parse.h"
#include "number_text.h"

namespace {

constexpr char kPrefix[] = "Tarvo.";
constexpr char kSuffix[] = ".csv";
constexpr std::size_t kLongestFilePart = 32;

bool IsSafeChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// The <safe> of "Tarvo.<safe>.csv"; empty when `file` is no further vehicle's log.
std::string FilePartOf(const std::string& file) {
    const std::size_t prefix = sizeof kPrefix - 1;
    const std::size_t suffix = sizeof kSuffix - 1;
    if (file.size() <= prefix + suffix || file.compare(0, prefix, kPrefix) != 0 ||
        file.compare(file.size() - suffix, suffix, kSuffix) != 0) {
        return {};
    }
    const std::string part = file.substr(prefix, file.size() - prefix - suffix);
    return std::all_of(part.begin(), part.end(), IsSafeChar) ? part : std::string();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

VehicleLog ReadVehicle(const std::string& path, std::string fallbackName, bool first) {
    VehicleLog vehicle;
    vehicle.path = path;
    vehicle.first = first;
    vehicle.name = std::move(fallbackName);
    std::string bytes;
    if (first && !Exists(path)) {
        return vehicle;  // the first log not made yet is the first vehicle still, with nothing
    }
    if (const Failure failed = ReadWholeFile(path, bytes)) {
        vehicle.readable = false;
        vehicle.problem = failed->why;
        return vehicle;
    }
    LogBook book;
    std::vector<std::string> problems;
    ParseLog(bytes, book, problems);
    vehicle.name = book.vehicle.empty() ? vehicle.name : book.vehicle;
    vehicle.units = book.units;
    vehicle.entries = UsedCount(book);
    return vehicle;
}

}  // namespace

std::vector<VehicleLog> ListVehicleLogs(const std::string& firstLog) {
    std::vector<VehicleLog> vehicles{ReadVehicle(firstLog, kFirstVehicleName, true)};
    const std::string folder = FolderOf(firstLog);
    // A folder that cannot be read holds no further vehicle that could be shown.
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string part = FilePartOf(entry->d_name);
            if (!part.empty()) {
                vehicles.push_back(ReadVehicle(folder + "/" + entry->d_name, part, false));
            }
        }
        ::closedir(dir);
    }
    std::sort(vehicles.begin() + 1, vehicles.end(), [](const VehicleLog& a, const VehicleLog& b) {
        return LowerAscii(a.name) < LowerAscii(b.name);
    });
    return vehicles;
}

std::optional<VehicleLog> FindVehicle(const std::vector<VehicleLog>& vehicles,
                                      const std::string& name) {
    const std::string wanted = LowerAscii(name);
    for (const VehicleLog& vehicle : vehicles) {
        if (LowerAscii(vehicle.name) == wanted) {
            return vehicle;
        }
    }
    return std::nullopt;
}

Failure VehicleNameProblem(const std::string& name, const std::vector<VehicleLog>& vehicles) {
    if (TrimSpaces(name).empty()) {
        return LogError{"A vehicle's name cannot be empty.", {}, {}};
    }
    if (TrimSpaces(name).size() != name.size()) {
        return LogError{"A vehicle's name cannot begin or end with a space.", {}, {}};
    }
    if (name.size() > kLongestVehicleName) {
        return LogError{"A vehicle's name can be at most " +
                            FormatInt(static_cast<int64_t>(kLongestVehicleName)) + " bytes long.",
                        {},
                        {}};
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ',' || c == '(' || c == ')') {
            return LogError{
                "A vehicle's name cannot hold a control character, a comma or a bracket.", {}, {}};
        }
    }
    if (FindVehicle(vehicles, name)) {
        return LogError{"There is a vehicle named \"" + name + "\" already.", {}, {}};
    }
    return {};
}

std::string SafeFilePart(const std::string& name) {
    std::string part;
    for (const char c : name) {
        if (part.size() == kLongestFilePart) {
            break;
        }
        part += IsSafeChar(c) ? c : '_';
    }
    return part;
}

std::string NewVehicleLogPath(const std::string& firstLog, const std::string& name) {
    const std::string stem = FolderOf(firstLog) + "/" + kPrefix + SafeFilePart(name);
    std::string path = stem + kSuffix;
    for (int number = 2; Exists(path); ++number) {
        path = stem + "-" + FormatInt(number) + kSuffix;
    }
    return path;
}

VehicleAddition AddVehicleLog(const std::string& firstLog, const std::string& name,
                              const LogUnits& units) {
    if (Failure bad = VehicleNameProblem(name, ListVehicleLogs(firstLog))) {
        return {{}, std::move(bad), {}};
    }
    const std::string path = NewVehicleLogPath(firstLog, name);
    if (Failure noFolder = MissingLogFolder(path)) {
        return {{}, std::move(noFolder), {}};
    }
    LogLock lock;
    const LockAttempt attempt = lock.TryTake(path);
    if (attempt.outcome == LockOutcome::HeldByAnother) {
        return {path, {}, attempt.holder};
    }
    if (attempt.outcome == LockOutcome::Failed) {
        return {path, attempt.error, {}};
    }
    const CreateResult created = CreateLogIfMissing(path, units, name);
    switch (created.outcome) {
        case CreateOutcome::Created:
            return {path, {}, {}};
        case CreateOutcome::Existed:
            // Another run made a log of that file name between the look and the lock.
            return {
                {},
                LogError{"\"" + path + "\" was made meanwhile by another run; try again.", {}, {}},
                {}};
        case CreateOutcome::Failed:
            break;
    }
    return {path, created.error, {}};
}

VehicleRemoval RemoveVehicleLog(const std::string& firstLog, const std::string& path) {
    if (path == firstLog) {
        return {{},
                LogError{"The first vehicle's log \"" + path +
                             "\" is not removed: it is the log opened when no vehicle is named. "
                             "Rename it instead.",
                         {},
                         {}},
                {}};
    }
    LogLock lock;
    const LockAttempt attempt = lock.TryTake(path);
    if (attempt.outcome == LockOutcome::HeldByAnother) {
        return {{}, {}, attempt.holder};
    }
    if (attempt.outcome == LockOutcome::Failed) {
        return {{}, attempt.error, {}};
    }
    std::string movedTo = path + ".removed";
    for (int number = 2; Exists(movedTo); ++number) {
        movedTo = path + ".removed" + FormatInt(number);
    }
    if (std::rename(path.c_str(), movedTo.c_str()) != 0) {
        return {{}, SystemError("Cannot move", path, errno), {}};
    }
    return {movedTo, {}, {}};
}
