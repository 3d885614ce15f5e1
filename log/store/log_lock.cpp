#include "log_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <utility>

#include "file_bytes.h"
#include "link_target.h"
#include "number_text.h"

namespace {

// A lock file removed and made again between opening it and locking it sends the taker round
// once more; only a folder where that happens without end stops it.
constexpr int kMostAttempts = 100;

// Longer than any "<pid> <host>\n" a holder writes.
constexpr std::size_t kMostHolderBytes = 512;

constexpr char kCannotUse[] = "Cannot use the lock file";
constexpr char kRemoveIt[] = ". Remove it, and Tarvo makes a lock file of its own.";

// Whether `fd` is the file named `path` now; the name is not followed, as the lock file never is.
bool SameFileAt(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Why what `info` describes is no lock file this process may write; empty when it may be one.
// Writing through a link, or to a file with another name, would change another file: the log,
// say, reduced to "<pid> <host>".
std::string NotALockFile(const struct stat& info) {
    if (S_ISLNK(info.st_mode)) {
        return "it is a symbolic link";
    }
    if (S_ISDIR(info.st_mode)) {
        return "it is a folder";
    }
    if (!S_ISREG(info.st_mode)) {
        return "it is not a regular file";
    }
    if (info.st_nlink != 1) {
        return "it is one file with " + std::to_string(info.st_nlink) + " names (a hard link)";
    }
    return {};
}

// Opens the lock file that is there, never through a link nor blocking on a device; read-only
// when this user may not write it (`writable` says which). Looked at first, so that nothing but a
// regular file with one name is opened, and looked at again once open, in case it was replaced
// in between. Returns the open file, or -1 with `refusal` set, or -1 with errno set.
FileDescriptor OpenExisting(const std::string& path, bool& writable, struct stat& info,
                            std::string& refusal) {
    if (::lstat(path.c_str(), &info) != 0) {
        return FileDescriptor(-1);
    }
    refusal = NotALockFile(info);
    if (!refusal.empty()) {
        return FileDescriptor(-1);
    }
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    FileDescriptor file(::open(path.c_str(), O_RDWR | kFlags));
    writable = file.get() >= 0;
    if (!writable && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        file = FileDescriptor(::open(path.c_str(), O_RDONLY | kFlags));
    }
    if (file.get() >= 0 && ::fstat(file.get(), &info) == 0) {
        refusal = NotALockFile(info);
    }
    return refusal.empty() ? std::move(file) : FileDescriptor(-1);
}

std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    return name;
}

// Naming the holder is a courtesy to the next window: the lock holds whether or not it is written.
void TellHolder(int fd) {
    const std::string text = std::to_string(::getpid()) + " " + HostName() + "\n";
    const bool told = ::ftruncate(fd, 0) == 0 && ::pwrite(fd, text.data(), text.size(), 0) ==
                                                     static_cast<ssize_t>(text.size());
    static_cast<void>(told);
}

// "<pid> <host>" on the first line; anything else names no one.
LockHolder ReadHolder(int fd) {
    char bytes[kMostHolderBytes];
    const ssize_t got = ::pread(fd, bytes, sizeof bytes, 0);
    if (got <= 0) {
        return {};
    }
    std::string_view text(bytes, static_cast<std::size_t>(got));
    text = text.substr(0, text.find('\n'));
    LockHolder holder;
    std::size_t consumed = 0;
    if (text.empty() || text.front() < '1' || text.front() > '9' ||
        !ScanInt(text, holder.pid, &consumed)) {
        return {};
    }
    text.remove_prefix(consumed);
    if (!text.empty()) {
        if (text.front() != ' ' || text.size() == 1 ||
            text.find(' ', 1) != std::string_view::npos) {
            return {};
        }
        holder.host = std::string(text.substr(1));
    }
    return holder;
}

LockAttempt Failed(LogError error) {
    return {LockOutcome::Failed, {}, std::move(error)};
}

}  // namespace

std::string LockHolder::Text() const {
    if (pid <= 0) {
        return {};
    }
    return "process " + std::to_string(pid) + (host.empty() ? "" : " on host " + host);
}

LockAttempt LogLock::TryTake(const std::string& logPath) {
    const LinkTarget target = FollowLinks(logPath);
    if (target.error != 0) {
        return Failed(SystemError("Cannot lock", logPath, target.error));
    }
    const std::string lockPath = target.path + ".lock";
    if (IsHeld() && lockPath == lockPath_) {
        return {LockOutcome::Taken, {}, {}};
    }
    Release();
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        // A lock file made here is this process's own: a regular file with one name, whoever the
        // file system says owns it (a card mounted for another user).
        constexpr int kMake = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
        FileDescriptor file(::open(lockPath.c_str(), kMake, 0666));
        const bool made = file.get() >= 0;
        bool writable = made;
        struct stat info {};
        if (!made && errno != EEXIST) {
            return Failed(SystemError("Cannot create the lock file", lockPath, errno));
        }
        if (!made) {
            std::string refusal;
            file = OpenExisting(lockPath, writable, info, refusal);
            if (!refusal.empty()) {
                return Failed({kCannotUse, lockPath, refusal + kRemoveIt});
            }
            if (file.get() < 0 && errno == ENOENT) {
                continue;  // removed by its holder as it let go
            }
            if (file.get() < 0) {
                return Failed(SystemError(kCannotUse, lockPath, errno));
            }
        }
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                return {LockOutcome::HeldByAnother, ReadHolder(file.get()), {}};
            }
            return Failed(SystemError("Cannot lock", lockPath, errno));
        }
        // The previous holder removes the lock file as it lets go. If it did so after this process
        // opened the file, the lock is on a file no one else will open: start again.
        if (!SameFileAt(file.get(), lockPath)) {
            continue;
        }
        if (!made && (!writable || info.st_uid != ::geteuid())) {
            // Left by a process that has ended (no one holds its lock), of another user or with
            // rights that keep this one from writing it: removed, so that a lock file of this
            // process's own can be made in its place.
            if (::unlink(lockPath.c_str()) != 0) {
                const std::string whose = info.st_uid != ::geteuid() ? "it belongs to another user"
                                                                     : "it may not be written";
                return Failed({kCannotUse, lockPath,
                               whose + ", and the folder does not let Tarvo replace it (" +
                                   ErrnoText(errno) + "). Ask its owner to remove it."});
            }
            continue;
        }
        TellHolder(file.get());
        file_ = std::move(file);
        lockPath_ = lockPath;
        return {LockOutcome::Taken, {}, {}};
    }
    return Failed({"Cannot lock", lockPath, "it keeps being removed and made again"});
}

void LogLock::Release() {
    if (!IsHeld()) {
        return;
    }
    // Removed while still locked: a window that opened the file before sees, once it gets the
    // lock, that the file is gone, and takes a fresh one. A lock file that is no longer ours (put
    // back by hand) is left alone.
    if (SameFileAt(file_.get(), lockPath_)) {
        ::unlink(lockPath_.c_str());
    }
    file_.Close();
    lockPath_.clear();
}
