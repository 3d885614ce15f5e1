#include "log_load.h"

#include <cerrno>
#include <new>
#include <utility>

#include "backup_file.h"
#include "date_order.h"
#include "file_bytes.h"
#include "recompute.h"
#include "settled_read.h"

namespace {

LoadResult CannotRead(Failure error) {
    LoadResult result;
    result.error = std::move(error);
    return result;
}

}  // namespace

LoadResult LoadLog(LogBook& book, const std::string& path) {
    SettledRead read = ReadSettled(ReaderOfPath(path), path, book);
    if (read.error) {
        return CannotRead(std::move(read.error));
    }
    LoadResult result;
    try {
        result.snapshot = read.snapshot;
        result.problems = std::move(read.problems);
        if (!result.problems.empty()) {
            // Kept before returning, so that no save that follows can replace the only copy of
            // what the reader could not make sense of.
            Backup backup = KeepBackup(path, read.bytes);
            result.backupPath = std::move(backup.path);
            result.backupError = std::move(backup.error);
        }
        read.bytes = {};  // released before the sort needs its buffer
        SortNewestFirst(book);
        RecomputeLog(book);
    } catch (const std::bad_alloc&) {
        // A log too large for memory is a file that cannot be read, not the end of the program.
        // The old records were given up for the new ones, so the book is left empty rather than
        // half filled.
        book = LogBook{};
        return CannotRead(SystemError("Cannot read", path, ENOMEM));
    }
    return result;
}

std::string LoadResult::Headline(const std::string& path) const {
    if (!ok() || problems.empty()) {
        return {};
    }
    std::string text = "\"" + path + "\" is damaged; every entry that could be read was kept.";
    if (!backupPath.empty()) {
        text += "\nThe original file was kept as \"" + backupPath + "\".";
    } else if (backupError) {
        text += "\n" + backupError->Text();
    }
    return text;
}

std::string LoadResult::Message(const std::string& path) const {
    if (error) {
        return error->Text();
    }
    std::string text = Headline(path);
    for (const std::string& problem : problems) {
        text += "\n" + problem;
    }
    return text;
}

bool LoadResult::SafeToReplace() const {
    return ok() && (problems.empty() || !backupPath.empty());
}
