#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log_error.h"
#include "log_import.h"
#include "log_session.h"

// The export and the import as operations on a log session: the one road that the File menu and
// the command line both take.

// Writes the export table of the session's book (ExportLog) to `destination` at once and whole
// (ReplaceFileAtomically), so that an earlier export there is never left half overwritten. Only a
// destination CheckExportTarget allows is written: never the log, its lock file or its backups,
// by whatever path or link they are named, nor a device, a pipe or a read-only file.
Failure ExportTo(const LogSession& session, const std::string& destination);

// Plans the import of `bytes` against the session's book (PlanImport), reading the file once.
// Memory running out on the way is no plan: `unusable` says so, and nothing is written.
ImportPlan PlanImportInto(const LogSession& session, std::string_view bytes,
                          const ImportOptions& options);

struct ImportResult {
    ChangeOutcome change;
    int32_t added = 0;  // planned entries the log holds when read back
};

// Makes the planned entries one change of the log, on the session's road: applied to the log as
// read (entries it already holds are not added twice, also when the file changed meanwhile),
// saved and read back. Call it only after the session said a change may be made. Memory running
// out on the way writes nothing.
ImportResult ImportPlanned(LogSession& session, const ImportPlan& plan);
