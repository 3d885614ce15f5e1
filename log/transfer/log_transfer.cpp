#include "log_transfer.h"

#include <cerrno>
#include <new>
#include <utility>

#include "atomic_file.h"
#include "date_order.h"
#include "entry_key.h"
#include "export_target.h"
#include "import_preview.h"
#include "log_change.h"
#include "log_create.h"
#include "log_export.h"
#include "log_load.h"
#include "recompute.h"
#include "save_change.h"

namespace {

constexpr char kNothingImported[] = "\nNothing was imported.";

std::string LockRefusal(const std::string& logPath, const LockAttempt& attempt) {
    if (attempt.outcome == LockOutcome::Failed) {
        return attempt.error.Text() + kNothingImported;
    }
    return OpenElsewhere(logPath, attempt.holder) +
           " Import from that window's File menu, or close it first." + kNothingImported;
}

void AddLine(std::string& text, const std::string& line) {
    if (!line.empty()) {
        text += (text.empty() ? "" : "\n") + line;
    }
}

// How many of `entries` the book holds, by the import's rule of what makes two entries the same.
int32_t HeldCount(const LogBook& book, const std::vector<LogRecord>& entries) {
    EntrySet held(UsedCount(book));
    for (std::size_t i = 0; i < UsedCount(book); ++i) {
        held.Insert(book.records[i]);
    }
    int32_t count = 0;
    for (const LogRecord& r : entries) {
        count += held.Contains(r) ? 1 : 0;
    }
    return count;
}

}  // namespace

ExportOutcome ExportLogTable(const std::string& logPath) {
    ExportOutcome outcome;
    LogBook book;
    const LoadResult loaded = LoadLog(book, logPath);
    outcome.message = loaded.Message(logPath);
    if (!loaded.ok) {
        return outcome;
    }
    outcome.exported = true;
    outcome.damaged = !loaded.problems.empty();
    outcome.entries = static_cast<int32_t>(UsedCount(book));
    outcome.table = ExportLog(book);
    return outcome;
}

ExportOutcome ExportLogTo(const std::string& logPath, const std::string& destination) {
    ExportOutcome outcome = ExportLogTable(logPath);
    if (!outcome.exported) {
        return outcome;
    }
    Failure refusal = CheckExportTarget(logPath, destination);
    if (!refusal) {
        refusal = ReplaceFileAtomically(destination, outcome.table);
    }
    if (refusal) {
        outcome.exported = false;
        AddLine(outcome.message, refusal->Text());
    }
    return outcome;
}

ImportOutcome ImportIntoLog(LogLock& lock, const std::string& logPath, std::string_view bytes,
                            const ImportOptions& options, bool dryRun) try {
    ImportOutcome outcome;
    if (const std::string noFolder = MissingLogFolder(logPath); !noFolder.empty()) {
        outcome.message = noFolder + kNothingImported;
        return outcome;
    }
    if (!dryRun) {
        const LockAttempt attempt = lock.TryTake(logPath);
        if (attempt.outcome != LockOutcome::Taken) {
            outcome.message = LockRefusal(logPath, attempt);
            return outcome;
        }
    }
    // A driver's first step may be to bring their old log: a log that does not exist yet is
    // made, as the window makes it at its first start; a dry run plans against what it would
    // hold.
    LogBook book;
    LoadResult loaded;
    if (dryRun && LogWouldBeCreated(logPath)) {
        book = FreshLog();
        outcome.message = "\"" + logPath + "\" does not exist yet; the import will make it.";
    } else {
        if (!dryRun) {
            const CreateResult created = CreateLogIfMissing(logPath);
            if (created.outcome == CreateOutcome::Failed) {
                outcome.message = created.error + kNothingImported;
                return outcome;
            }
            outcome.logMade = created.outcome == CreateOutcome::Created;
        }
        loaded = LoadLog(book, logPath);
        outcome.message = loaded.Message(logPath);
        if (!loaded.SafeToReplace()) {
            outcome.message += kNothingImported;
            return outcome;
        }
    }
    outcome.plan = PlanImport(bytes, book, options);
    outcome.preview = ImportPreview(outcome.plan);
    outcome.alreadyThere = outcome.plan.duplicates;
    if (!outcome.plan.unusable.empty()) {
        outcome.status = ImportStatus::Unusable;
        return outcome;
    }
    if (!outcome.plan.questions.empty()) {
        outcome.status = ImportStatus::Questions;
        return outcome;
    }
    if (dryRun) {
        outcome.status = ImportStatus::Previewed;
        return outcome;
    }
    if (outcome.plan.entries.empty()) {
        outcome.status = ImportStatus::Imported;
        return outcome;
    }
    // Moved, not copied, and the book read back in its own place: a large import is held once.
    LogChange change = LogChange::Import(std::move(outcome.plan.entries));
    ApplyChange(book, change);
    SortNewestFirst(book);
    RecomputeLog(book);
    const ChangeSaveResult saved = SaveChange(book, logPath, loaded.snapshot, change);
    outcome.plan.entries = std::move(change.imported);
    AddLine(outcome.message, saved.message);
    if (!saved.saved) {
        outcome.status = ImportStatus::NotSaved;
        return outcome;
    }
    // Read back, as every command does: the count tells what the file really holds.
    outcome.status = ImportStatus::Imported;
    const LoadResult readBack = LoadLog(book, logPath);
    AddLine(outcome.message, readBack.Message(logPath));
    outcome.added = readBack.ok ? HeldCount(book, outcome.plan.entries) : 0;
    return outcome;
} catch (const std::bad_alloc&) {
    // Planning a file too large for the memory left: nothing was written (the save reports its
    // own failures), and the program goes on.
    ImportOutcome outcome;
    outcome.message = SystemError("Cannot import into", logPath, ENOMEM).Text() + kNothingImported;
    return outcome;
}
