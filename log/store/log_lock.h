#pragma once

#include <cstdint>
#include <string>

#include "file_descriptor.h"
#include "log_error.h"

// Who holds a log's lock, as the holder wrote it into the lock file.
struct LockHolder {
    int64_t pid = 0;   // 0 when the lock file does not say
    std::string host;  // the holder's host name, when it says

    // "process 1234 on host x", "process 1234" without a host, empty when the holder is unknown.
    std::string Text() const;
};

enum class LockOutcome { Taken, HeldByAnother, Failed };

struct LockAttempt {
    LockOutcome outcome = LockOutcome::Failed;
    LockHolder holder;  // when HeldByAnother
    LogError error;     // when Failed: names the lock file, the reason and how to mend it
};

// One writer at a time on a log: an exclusive advisory lock (flock) on "<log name>.lock" beside
// the file the log's links lead to. The lock belongs to this object's open file, so the system
// releases it when the process ends in any way (exit, crash, kill, power loss): a lock is never
// left stale. The lock is on a file of its own, not on the log, because every save replaces the
// log by another file. The holder writes "<pid> <host>" into it, so that a window that finds the
// log taken can name the process holding it; the lock file is removed on release.
//
// Anyone who may write the folder can put something else at the lock file's name: a symbolic or
// hard link to another file (the log itself, say), a device, a folder. None of them is ever
// followed, truncated or written: the lock file is written only when it is a regular file of
// this user with one name, and anything else fails with how to mend it. A lock file that another
// user's process left behind, and that no process holds, is taken over where the folder lets
// this user remove it.
class LogLock {
public:
    LogLock() = default;
    ~LogLock() { Release(); }
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;

    // Takes the lock for the log at `logPath` if no one holds it, without waiting. A lock this
    // object already holds for the same log is kept.
    LockAttempt TryTake(const std::string& logPath);

    bool IsHeld() const { return file_.get() >= 0; }

    // Lets the lock go; nothing when it is not held.
    void Release();

private:
    FileDescriptor file_{-1};
    std::string lockPath_;
};
