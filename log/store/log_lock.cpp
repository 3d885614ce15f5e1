#include "log_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "file_bytes.h"
#include "link_target.h"
#include "number_text.h"

namespace {

// A lock file removed and made again between opening it and locking it sends the taker round
// once more; only a folder where that happens without end stops it.
constexpr int kMostAttempts = 100;

// Longer than any "<pid> <host>\n" a holder writes.
constexpr std::size_t kMostHolderBytes = 512;

bool SameFileAt(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
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

LockAttempt Failed(const std::string& error) {
    return {LockOutcome::Failed, {}, error};
}

}  // namespace

std::string LockHolder::Text() const {
    if (pid <= 0) {
        return {};
    }
    return "process " + std::to_string(pid) + (host.empty() ? "" : " on host " + host);
}

std::string OpenElsewhere(const std::string& logPath, const LockHolder& holder) {
    const std::string who = holder.Text();
    return "\"" + logPath + "\" is open in another Tarvo window" +
           (who.empty() ? std::string() : " (" + who + ")") + ".";
}

LockAttempt LogLock::TryTake(const std::string& logPath) {
    const LinkTarget target = FollowLinks(logPath);
    if (target.error != 0) {
        return Failed("Cannot lock \"" + logPath + "\": " + ErrnoText(target.error));
    }
    const std::string lockPath = target.path + ".lock";
    if (IsHeld() && lockPath == lockPath_) {
        return {LockOutcome::Taken, {}, {}};
    }
    Release();
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        FileDescriptor file(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (file.get() < 0) {
            return Failed("Cannot create the lock file \"" + lockPath + "\": " + ErrnoText(errno));
        }
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                return {LockOutcome::HeldByAnother, ReadHolder(file.get()), {}};
            }
            return Failed("Cannot lock \"" + lockPath + "\": " + ErrnoText(errno));
        }
        // The previous holder removes the lock file as it lets go. If it did so after this process
        // opened the file, the lock is on a file no one else will open: start again.
        if (SameFileAt(file.get(), lockPath)) {
            TellHolder(file.get());
            file_ = std::move(file);
            lockPath_ = lockPath;
            return {LockOutcome::Taken, {}, {}};
        }
    }
    return Failed("Cannot lock \"" + lockPath + "\": it keeps being removed and made again");
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
