#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log_import.h"
#include "log_lock.h"

// The export and the import as whole operations on the log file: the one road that the File
// menu and the command line both take. Messages name the file and the reason, ready to show.

struct ExportOutcome {
    bool exported = false;  // the table was made, and written where one was named
    // The log could be read only in part: the table holds every entry that could be read, and
    // `message` is the damage report.
    bool damaged = false;
    int32_t entries = 0;  // rows in the table
    std::string table;    // ExportLog's text
    std::string message;  // why nothing was exported, or the damage report; empty otherwise
};

// Reads the log at `logPath` and makes its export table. Reading needs no lock: it changes
// nothing but what every read may add, the backup of a damaged log.
ExportOutcome ExportLogTable(const std::string& logPath);

// The same, written to `destination` at once and whole (ReplaceFileAtomically), so that an
// earlier export there is never left half overwritten. Only a destination CheckExportTarget
// allows is written: never the log or its other files, a device, a pipe or a read-only file.
ExportOutcome ExportLogTo(const std::string& logPath, const std::string& destination);

enum class ImportStatus {
    Refused,    // the lock or the log stood in the way; nothing planned, `message` says why
    Unusable,   // nothing in the file can be imported; the preview says why
    Questions,  // the plan waits for answers (plan.questions); nothing written
    Previewed,  // a dry run: planned, nothing written
    Imported,   // the planned entries are in the log, saved and read back (none: nothing written)
    NotSaved,   // the save failed; the log is as it was and `message` says why
};

struct ImportOutcome {
    ImportStatus status = ImportStatus::Refused;
    ImportPlan plan;
    std::string preview;       // ImportPreview of the plan, once planned
    int32_t added = 0;         // Imported: planned entries the log holds when read back
    int32_t alreadyThere = 0;  // rows skipped as already in the log, or earlier in the file
    bool logMade = false;      // the log did not exist, and the import made it first
    // Beside the preview: why the import was refused or not saved, the damage report of the log
    // as read, or that the log had changed since it was read and what became of the import.
    std::string message;
};

// Imports the CSV text `bytes` into the log at `logPath` as one change, the way every command
// changes the log: takes `lock` (kept if it already holds this log, as a window's lock does;
// refused, naming the holder, while another process holds it), makes the log if it does not
// exist yet (CreateLogIfMissing), reads it, refusing one that could not be read or whose damaged
// original could not be kept, plans, and saves with SaveChange, so that a file written meanwhile
// gets the entries it lacks added to what it holds now. A dry run stops after the plan and takes
// no lock: it writes nothing, not even the lock file or a log that does not exist yet (it plans
// against FreshLog), and can be made beside an open window.
ImportOutcome ImportIntoLog(LogLock& lock, const std::string& logPath, std::string_view bytes,
                            const ImportOptions& options, bool dryRun);
