#include "log_transfer.h"

#include <sys/stat.h>

#include <unordered_set>

#include "atomic_file.h"
#include "entry_key.h"
#include "file_bytes.h"
#include "link_target.h"
#include "log_change.h"
#include "log_export.h"

namespace {

// Whether both paths lead to one file; false when either does not exist.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    return ::stat(a.c_str(), &infoA) == 0 && ::stat(b.c_str(), &infoB) == 0 &&
           infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

// What `destination` is of the log's own files, by its own name or the file it leads to: the
// log, its lock file or one of its backups ("<log>.bak", "<log>.bak1", ...), wherever the log's
// links lead; null when it is none of them.
const char* LogsOwnFile(const std::string& destination, const std::string& logPath) {
    const std::string log = FollowLinks(logPath).path;
    const std::string target = FollowLinks(destination).path;
    if (SameFile(logPath, destination) || target == log) {
        return "the log itself";
    }
    if (target == log + ".lock") {
        return "the log's lock file";
    }
    const std::string backup = log + ".bak";
    if (target.compare(0, backup.size(), backup) == 0 &&
        target.find_first_not_of("0123456789", backup.size()) == std::string::npos) {
        return "a backup of the log";
    }
    return nullptr;
}

// How many of `entries` the book holds, by the import's rule of what makes two entries the same.
int32_t HeldCount(const LogBook& book, const std::vector<LogRecord>& entries) {
    std::unordered_set<std::string> held;
    for (std::size_t i = 0; i < UsedCount(book); ++i) {
        held.insert(EntryKey(book.records[i], book.units));
    }
    int32_t count = 0;
    for (const LogRecord& r : entries) {
        count += held.count(EntryKey(r, book.units)) != 0 ? 1 : 0;
    }
    return count;
}

}  // namespace

Failure ExportTo(const LogSession& session, const std::string& destination) {
    if (const char* own = LogsOwnFile(destination, session.Path())) {
        return LogError{"Cannot export to", destination,
                        std::string("it is ") + own + "; export to another file"};
    }
    if (const int error = ReplaceFileAtomically(destination, ExportLog(session.Book()));
        error != 0) {
        return LogError{"Cannot write", destination, ErrnoText(error)};
    }
    return {};
}

ImportResult ImportPlanned(LogSession& session, const ImportPlan& plan) {
    ImportResult result;
    result.change = session.Make(LogChange::Import(plan.entries, plan.units));
    if (result.change.readBack.ok) {
        result.added = HeldCount(session.Book(), plan.entries);
    }
    return result;
}
