#include "backup_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "atomic_file.h"
#include "file_bytes.h"

namespace {

// Far more than anyone keeps; a bound all the same, so a folder full of backups cannot make
// the reader loop for ever.
constexpr int kMostBackups = 1000;

std::string BackupName(const std::string& path, int index) {
    return path + ".bak" + (index == 0 ? std::string() : std::to_string(index));
}

bool Holds(const std::string& path, const struct stat& info, std::string_view bytes) {
    if (!S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) != bytes.size()) {
        return false;
    }
    std::string held;
    return !ReadWholeFile(path, held) && held == bytes;
}

LogError CannotKeep(const std::string& name, const std::string& why) {
    return LogError{
        "The original file could not be kept as \"" + name + "\": " + why + ".", {}, {}};
}

}  // namespace

Backup KeepBackup(const std::string& path, std::string_view bytes) {
    for (int index = 0; index < kMostBackups; ++index) {
        const std::string name = BackupName(path, index);
        struct stat info {};
        if (::lstat(name.c_str(), &info) == 0) {
            if (Holds(name, info, bytes)) {
                return {name, {}};
            }
            continue;
        }
        if (errno != ENOENT) {
            return {{}, CannotKeep(name, ErrnoText(errno))};
        }
        if (const Failure failed = ReplaceFileAtomically(name, bytes)) {
            return {{}, CannotKeep(name, failed->why)};
        }
        return {name, {}};
    }
    return {{},
            LogError{"The original file could not be kept: \"" + BackupName(path, 0) + "\" to \"" +
                         BackupName(path, kMostBackups - 1) + "\" are all taken.",
                     {},
                     {}}};
}
