#pragma once

#include <string>

#include "atomic_file.h"
#include "file_descriptor.h"
#include "file_snapshot.h"
#include "log_error.h"

// How a checked replacement went.
struct CheckedReplace {
    enum class Outcome {
        Replaced,       // the staged file took the place of the file expected
        ChangedBefore,  // the file was not the one expected: nothing was replaced
        // The staged file took the place of a file that was not the one expected (another program
        // replaced or wrote the file after the check): that file, taken out, is `displaced`.
        ChangedAfter,
        Failed,  // `error` says why; nothing was replaced
    };
    Outcome outcome = Outcome::Failed;
    LogError error;
    FileDescriptor displaced{-1};  // ChangedAfter: open for reading, whether or not it has a name
    std::string displacedName;     // ChangedAfter: its temporary name, where it still has one
};

// Puts `staged` in the place of the file it was staged for, only while that file is the one
// `expected` was taken of, and tells what it replaced. Another program may write the file at any
// moment, so the check is the last step before the swap and its result is verified after it:
// - Where the file system can exchange two names at once (renameat2 RENAME_EXCHANGE), the staged
//   file and the file are swapped, and what comes out, now at the staged file's temporary name,
//   is compared with `expected`, content and all: the same file unchanged is removed; any other
//   is swapped straight back (ChangedBefore). Only when that fails is it ChangedAfter, and the
//   caller carries its content forward.
// - Elsewhere (vfat, network file systems), the file is compared with `expected`, content and
//   all, and named once more just before the rename; after it, the file replaced, still open since
//   the check, shows whether a write landed in between (ChangedAfter, with no name left).
// The rename is made durable by syncing the folder. Failures name the staged file's path.
CheckedReplace ReplaceIfUnchanged(StagedFile& staged, const FileSnapshot& expected);
