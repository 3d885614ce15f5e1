#pragma once

#include <cstdint>
#include <string>

#include "log_error.h"
#include "log_import.h"
#include "log_session.h"

// The export and the import as operations on a log session: the one road that the File menu and
// the command line both take.

// Writes the export table of the session's book (ExportLog) to `destination` at once and whole
// (ReplaceFileAtomically), so that an earlier export there is never left half overwritten. The
// log itself, its lock file and its backups are never a destination, by whatever path or link
// they are named: an export written over one of them would leave a log that no longer reads as
// one, a lock that no longer locks, or a backup that no longer keeps what it kept.
Failure ExportTo(const LogSession& session, const std::string& destination);

struct ImportResult {
    ChangeOutcome change;
    int32_t added = 0;  // planned entries the log holds when read back
};

// Makes the planned entries one change of the log, on the session's road: applied to the log as
// read (entries it already holds are not added twice, also when the file changed meanwhile),
// saved and read back. Call it only after the session said a change may be made.
ImportResult ImportPlanned(LogSession& session, const ImportPlan& plan);
