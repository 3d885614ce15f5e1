#include "log_session.h"

#include <cerrno>
#include <new>
#include <utility>

#include "file_bytes.h"
#include "log_create.h"
#include "save_change.h"
#include "temporary_cleanup.h"

LogSession::LogSession(std::string path, LogBook& book) : path_(std::move(path)), book_(book) {}

void LogSession::MoveTo(std::string path) {
    lock_.Release();
    path_ = std::move(path);
    read_ = FileSnapshot{};
    readOk_ = false;
    safeToReplace_ = false;
    absent_ = false;
    missing_ = Failure{};
    lastRead_ = LogBook{};
}

LogOpening LogSession::Open(const OpenOptions& options) {
    LogOpening opening;
    if (options.lock == LockUse::Take) {
        const LockAttempt lock = lock_.TryTake(path_);
        opening.readOnly = lock.outcome != LockOutcome::Taken;
        opening.holder = lock.holder;
        if (lock.outcome == LockOutcome::Failed) {
            opening.lockError = lock.error;
        }
        if (lock.outcome == LockOutcome::Taken) {
            // A save that was killed may have left its temporary file; no other process can be
            // saving now.
            RemoveLeftoverTemporaries(path_);
        }
    }
    if (options.missing == MissingLog::MakeWhenFirst && LogWouldBeCreated(path_)) {
        absent_ = true;
        opening.willBeMade = true;
        book_ = FreshLog();
        readOk_ = true;
        safeToReplace_ = true;
        return opening;
    }
    if (options.missing != MissingLog::Fail) {
        if (Failure noFolder = MissingLogFolder(path_)) {
            opening.folderMissing = true;
            missing_ = std::move(noFolder);
            opening.missing = missing_;
            return opening;
        }
        // Only the holder of the lock makes the log: a window that shows a log another one has
        // open finds it made.
        if (lock_.IsHeld()) {
            const CreateResult created = CreateLogIfMissing(path_);
            opening.created = created.outcome == CreateOutcome::Created;
            if (created.outcome == CreateOutcome::Failed) {
                missing_ = created.error;
                opening.missing = missing_;
                return opening;
            }
        }
    }
    opening.read = Read();
    return opening;
}

LoadResult LogSession::Read() {
    const LoadResult loaded = ::LoadLog(book_, path_);
    TakeRead(loaded);
    return loaded;
}

void LogSession::TakeRead(const LoadResult& loaded) {
    readOk_ = loaded.ok();
    if (!loaded.ok()) {
        safeToReplace_ = false;
        return;
    }
    absent_ = false;
    missing_.reset();
    read_ = loaded.snapshot;
    // A damaged log whose original could not be kept is not saved over: the next save would
    // lose the lines the reader skipped.
    safeToReplace_ = loaded.SafeToReplace();
}

ChangeBlocker LogSession::WhyNotReplaceable() const {
    if (missing_) {
        return ChangeBlocker::NoLog;
    }
    if (!readOk_) {
        return ChangeBlocker::Unreadable;
    }
    return safeToReplace_ ? ChangeBlocker::None : ChangeBlocker::DamagedUnkept;
}

ChangeReadiness LogSession::PrepareChange() {
    ChangeReadiness readiness;
    readiness.blocker = WhyNotReplaceable();
    if (!readiness.Ready()) {
        readiness.error = missing_;
        return readiness;
    }
    if (lock_.IsHeld()) {
        return readiness;
    }
    const LockAttempt lock = lock_.TryTake(path_);
    if (lock.outcome == LockOutcome::HeldByAnother) {
        readiness.blocker = ChangeBlocker::HeldElsewhere;
        readiness.holder = lock.holder;
        return readiness;
    }
    if (lock.outcome == LockOutcome::Failed) {
        readiness.blocker = ChangeBlocker::LockFailed;
        readiness.error = lock.error;
        return readiness;
    }
    // The process that had the lock has gone: what it wrote last is read before anything is
    // changed, and a save of it that was killed may have left a temporary file.
    RemoveLeftoverTemporaries(path_);
    if (!absent_ && FileChangedSince(path_, read_).state != ChangeCheck::State::Unchanged) {
        readiness.reread = true;
        readiness.read = Read();
        readiness.blocker = WhyNotReplaceable();
    }
    return readiness;
}

ChangeOutcome LogSession::Make(const LogChange& change) {
    ChangeOutcome outcome;
    if (absent_) {
        // The first change of a log that did not exist makes it, and is made to what it holds.
        const CreateResult created = CreateLogIfMissing(path_);
        if (created.outcome == CreateOutcome::Failed) {
            outcome.message = created.error->Text();
            return outcome;
        }
        outcome.readBack = Read();
        if (!outcome.readBack.ok()) {
            outcome.message = outcome.readBack.error->Text();
            return outcome;
        }
    }
    try {
        // Kept for the screen to go back to, should the save or the read-back fail. Assigned,
        // not made anew: the copy reuses the room of the previous change's.
        lastRead_ = book_;
        outcome.notApplied = ApplyAndRecompute(book_, change);
        if (outcome.notApplied != ApplyOutcome::Applied) {
            outcome.result = ChangeResult::NotApplied;
            return outcome;
        }
        // Never a stale copy over a newer file: if the file changed since it was read, the
        // change is made to what it holds now, or, when the entry it is about is gone, not
        // saved at all.
        const ChangeSaveResult saved = SaveChange(book_, path_, read_, change);
        outcome.message = saved.message;
        outcome.fileHadChanged = saved.fileHadChanged;
        outcome.result = saved.saved ? ChangeResult::Saved : ChangeResult::NotSaved;
    } catch (const std::bad_alloc&) {
        // Nothing was written; the book is made again from the file below.
        outcome.result = ChangeResult::NotSaved;
        outcome.message = SystemError("Cannot save", path_, ENOMEM).Text();
        lastRead_ = LogBook{};
    }
    // Read back in every case: the book holds what the file holds. When it cannot be read, the
    // book goes back to what the file held at the last read, so nothing names a record the file
    // does not hold.
    outcome.readBack = Read();
    if (!outcome.readBack.ok()) {
        book_ = lastRead_;
    }
    return outcome;
}

Backup LogSession::KeepCopy() const {
    std::string bytes;
    if (Failure failed = ReadWholeFile(path_, bytes)) {
        return {{}, std::move(failed)};
    }
    return KeepBackup(path_, bytes);
}

bool LogSession::ChangedOutside() const {
    return readOk_ && !absent_ && FileDiffersFrom(path_, read_);
}
