#include "export_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "link_target.h"

namespace {

constexpr char kCannotExport[] = "Cannot export to";

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool SameFolder(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    return ::stat(FolderOf(a).c_str(), &infoA) == 0 && ::stat(FolderOf(b).c_str(), &infoB) == 0 &&
           SameFile(infoA, infoB);
}

// "<log>.bak", "<log>.bak1", "<log>.bak2", ...: the names KeepBackup gives.
bool IsBackupName(const std::string& name, const std::string& logName) {
    const std::string prefix = logName + ".bak";
    return name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// Why the log's own file named `name` may not be exported over; empty for another name.
std::string LogsOwnName(const std::string& name, const std::string& logName) {
    if (name == logName) {
        return "it is the log itself";
    }
    if (name == logName + ".lock") {
        return "it is the log's lock file";
    }
    return IsBackupName(name, logName) ? "it is a backup of the log" : "";
}

std::string NotAFile(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return "it is a folder";
    }
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        return "it is a device, not a file";
    }
    if (S_ISFIFO(info.st_mode)) {
        return "it is a pipe, not a file";
    }
    return S_ISREG(info.st_mode) ? "" : "it is not a regular file";
}

// Root may write any file; the mode still tells what its owner meant to be read-only.
bool MayBeWritten(const std::string& path, const struct stat& info) {
    return (info.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

Failure CheckExportTarget(const std::string& logPath, const std::string& destination) {
    const LinkTarget target = FollowLinks(destination);
    if (target.error != 0) {
        return SystemError(kCannotExport, destination, target.error);
    }
    const std::string log = FollowLinks(logPath).path;
    std::string why;
    if (SameFolder(target.path, log)) {
        why = LogsOwnName(NameOf(target.path), NameOf(log));
    }
    struct stat info {};
    struct stat logInfo {};
    if (why.empty() && target.exists && ::stat(target.path.c_str(), &info) == 0) {
        why = NotAFile(info);
        if (why.empty() && ::stat(log.c_str(), &logInfo) == 0 && SameFile(info, logInfo)) {
            why = "it is the log itself";  // another name of it (a hard link)
        }
        if (why.empty() && !MayBeWritten(target.path, info)) {
            why = "it is read-only";
        }
    }
    if (why.empty()) {
        return {};
    }
    return LogError{kCannotExport, destination, why};
}
