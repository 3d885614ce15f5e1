#pragma once

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "file_snapshot.h"
#include "log_error.h"
#include "log_record.h"

// Reads the whole file afresh from its first byte into `bytes`, as ReadWholeFile does, and
// describes it in `info`; fails as ReadWholeFile does.
using WholeFileReader = std::function<Failure(std::string& bytes, struct stat& info)>;

// A log read whole and parsed, as its bytes stood once they stopped changing.
struct SettledRead {
    Failure error;          // of the reader, for memory, or for a file that keeps changing
    std::string bytes;      // what was parsed: a damaged file's backup is made of it
    FileSnapshot snapshot;  // of exactly `bytes`
    std::vector<std::string> problems;  // the damage found, as ParseLog reports it
};

// Reads a log with `read` and parses it into `book` (in file order, as ParseLog leaves it). A log
// that reads as damaged may be another program's write caught half done (an editor or a sync
// tool writing the file in place, in pieces): it is read again after a short wait, for as long as
// it keeps changing, a few times at most. Damage that stays is the file's own; a file that never
// stops changing fails, saying so. A failure of the first read leaves `book` as it was;
// any later failure, running out of memory included, leaves it empty.
// `name` names the file in a failure.
SettledRead ReadSettled(const WholeFileReader& read, const std::string& name, LogBook& book);

// The reader of the file at `path`, opened anew at each read.
WholeFileReader ReaderOfPath(const std::string& path);

// The reader of the regular file open at `fd`, which may have no name left; `name` names it in a
// failure.
WholeFileReader ReaderOfDescriptor(int fd, const std::string& name);
