#pragma once

#include <string>

#include "file_snapshot.h"
#include "log_change.h"
#include "log_record.h"

struct ChangeSaveResult {
    bool saved = false;
    bool fileHadChanged = false;  // the change was made to the file as it is now, not as read
    // For the user: why nothing was saved, or that the file had changed and what became of the
    // change (with the damage report of the newer file, if it had any); empty for a plain save.
    std::string message;
    FileSnapshot written;  // of the file as saved, when saved
};

// Saves one command's change without ever writing a stale copy over a newer file. `changed` is
// the book read from `path` (whose snapshot is `read`) with `change` made to it, sorted and
// recomputed. While the file is still what was read, `changed` is saved. If it changed since, it
// is read again and `change` is made to what it holds now, so that nothing written elsewhere is
// lost; if the entry to replace or remove is no longer there, nothing is saved. Nor is it when
// the newer file reads as damaged even once it stopped changing (ReadSettled): that may be
// another program's write, half done. A write that lands after the last check, however close to
// the save, is seen too (ReplaceIfUnchanged), and the change is made to it in the same way. Call
// it only while holding the log's lock (LogLock), so that no other Tarvo window saves in between.
// Running out of memory is a save that failed, with nothing written.
ChangeSaveResult SaveChange(const LogBook& changed, const std::string& path,
                            const FileSnapshot& read, const LogChange& change);
