#include "log_create.h"

#include <sys/stat.h>

#include "atomic_file.h"
#include "file_bytes.h"
#include "link_target.h"
#include "log_header.h"
#include "log_parse.h"

namespace {

// A fresh log: the two usual reminders, an empty third row, no entries and no header line yet
// (the first save writes it).
constexpr char kFreshLog[] =
    "CHANGE OIL BEFORE\n0.000000\nCHANGE AIR-F BEFORE\n0.000000\n\n0.000000\n0\n";

}  // namespace

CreateResult CreateLogIfMissing(const std::string& path, const LogUnits& units,
                                const std::string& vehicle) {
    const LinkTarget target = FollowLinks(path);
    if (target.exists) {
        return {CreateOutcome::Existed, {}};
    }
    if (target.viaLink && target.error == 0) {
        return {CreateOutcome::Failed,
                LogError{"\"" + path + "\" is a link to \"" + target.path +
                             "\", which does not exist. Is the card or drive it is on mounted?",
                         {},
                         {}}};
    }
    if (target.error != 0) {
        return {CreateOutcome::Failed, SystemError("Cannot create", path, target.error)};
    }
    // The usual log gets its header with its first save, as it always did; other units and a
    // vehicle's name must be declared from the start.
    const std::string fresh = units.IsDefault() && vehicle.empty()
                                  ? std::string(kFreshLog)
                                  : kFreshLog + LogHeaderLine(units, vehicle) + "\n";
    if (const Failure failed = ReplaceFileAtomically(path, fresh)) {
        return {CreateOutcome::Failed, LogError{"Cannot create", path, failed->why}};
    }
    return {CreateOutcome::Created, {}};
}

Failure MissingLogFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return {};
    }
    return LogError{"There is no log: the folder \"" + folder + "\" does not exist.", {}, {}};
}

bool LogWouldBeCreated(const std::string& path) {
    const LinkTarget target = FollowLinks(path);
    return !target.exists && !target.viaLink && target.error == 0 && !MissingLogFolder(target.path);
}

LogBook FreshLog() {
    LogBook book;
    std::vector<std::string> problems;
    ParseLog(kFreshLog, book, problems);
    return book;
}
