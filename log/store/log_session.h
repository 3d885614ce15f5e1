#pragma once

#include <optional>
#include <string>

#include "backup_file.h"
#include "file_snapshot.h"
#include "log_change.h"
#include "log_error.h"
#include "log_load.h"
#include "log_lock.h"
#include "log_record.h"

// Whether the session's user takes the lock: a window or an import does, a reader does not.
enum class LockUse { Take, None };
// What becomes of a log that does not exist yet.
enum class MissingLog {
    Create,         // made at once, as a window's first start makes it
    Fail,           // a log to read must be there
    MakeWhenFirst,  // read as a fresh log, and made only when a change is saved to it
};

struct OpenOptions {
    LockUse lock = LockUse::Take;
    MissingLog missing = MissingLog::Create;
};

// What opening found, for the caller to word.
struct LogOpening {
    bool created = false;     // the log did not exist and was made
    bool willBeMade = false;  // MakeWhenFirst: there is no log yet; the first change makes it
    bool readOnly = false;    // the lock was wanted but not taken; `holder` or `lockError` says why
    LockHolder holder;        // another process holds the lock
    Failure lockError;        // the lock could not be taken for another reason
    Failure missing;          // there is no log, and none could be made (its folder is missing, a
                              // link leads nowhere, the folder refuses a new file)
    bool folderMissing = false;  // `missing` is because the log's folder is not there
    LoadResult read;
};

// Why a change cannot be made now.
enum class ChangeBlocker {
    None,
    HeldElsewhere,  // another process holds the lock (see `holder`)
    LockFailed,     // the lock could not be taken (see `error`)
    NoLog,          // there is no log and none could be made (see `error`)
    Unreadable,     // the log could not be read, so it is not replaced
    DamagedUnkept,  // the log is damaged and its original could not be kept, so it is not replaced
};

struct ChangeReadiness {
    ChangeBlocker blocker = ChangeBlocker::None;
    LockHolder holder;
    Failure error;
    // The lock was just taken over from another process, whose last save was read first.
    bool reread = false;
    LoadResult read;  // that read's report, when reread

    bool Ready() const { return blocker == ChangeBlocker::None; }
};

// How a change ended.
enum class ChangeResult {
    Saved,       // saved and read back; the book holds what the file holds
    NotApplied,  // the entry it is about is not in the log (see `notApplied`); nothing written
    NotSaved,    // the save failed or was refused (see `message`); the file is as it was
};

struct ChangeOutcome {
    ChangeResult result = ChangeResult::NotSaved;
    ApplyOutcome notApplied = ApplyOutcome::Applied;  // why, when NotApplied
    bool fileHadChanged = false;  // Saved: the change was made to a newer file than was read
    std::string message;          // from the save: why not, or what became of the change
    // The read-back; when it failed, the book holds what it held before the change.
    LoadResult readBack;
};

// One log's life for the one user of it (a window, a command-line run): its lock, making it when
// missing, reading it with the damage report, whether a change may be made now, the one road
// every change takes (apply, sort, recompute, save with the change check, read back), and
// following changes made outside. The book is the caller's (a window shows it); the session
// reads into it and changes it only on that road.
class LogSession {
public:
    LogSession(std::string path, LogBook& book);
    LogSession(const LogSession&) = delete;
    LogSession& operator=(const LogSession&) = delete;

    const std::string& Path() const { return path_; }
    const LogBook& Book() const { return book_; }
    bool HoldsLock() const { return lock_.IsHeld(); }

    LogOpening Open(const OpenOptions& options);

    // Leaves the log it is on, letting its lock go, for the log at `path` (a window switching
    // vehicles); Open then opens that one as a start would.
    void MoveTo(std::string path);

    // Reads the log into the book; a log that cannot be read leaves the book as it was.
    LoadResult Read();

    // Whether a change may be made now, taking the lock if it is free. When another process had
    // it, what that process saved last is read first (`reread`).
    ChangeReadiness PrepareChange();

    // Makes `change` the one way every change is made: on the book as last read, applied
    // (ApplyChange), sorted newest first, recomputed, saved without ever writing over a newer
    // file (SaveChange), and read back. Call it only after PrepareChange said ready.
    ChangeOutcome Make(const LogChange& change);

    // Keeps a copy of the log's bytes as they are now beside it ("<log>.bak", or the first free
    // "<log>.bakN"), before a change the user may want to undo by hand, such as converting every
    // entry to other units.
    Backup KeepCopy() const;

    // Whether the file is no longer what the session read or wrote last: an outside change to
    // follow with Read(). A file gone for a moment (a sync tool replacing it) is not one yet.
    // Looks at the file's identity, size and time only, so a session's own save costs no read.
    bool ChangedOutside() const;

private:
    void TakeRead(const LoadResult& loaded);
    ChangeBlocker WhyNotReplaceable() const;

    std::string path_;
    LogBook& book_;
    LogLock lock_;
    FileSnapshot read_;           // what the last successful read saw of the file
    bool readOk_ = false;         // the last read succeeded
    bool safeToReplace_ = false;  // ... and the file may be replaced (its damage, if any, kept)
    bool absent_ = false;         // no log yet: the first change makes it
    Failure missing_;             // no log, and none can be made
    LogBook lastRead_;            // the book before the change under way
};
