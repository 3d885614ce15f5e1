#include "backup_file.h"
#include "file_bytes.h"
#include "log_file.h"
#include "log_parse.h"

LoadResult LoadLog(LogBook& book, const std::string& path) {
    LoadResult result;
    std::string bytes;
    const int error = ReadWholeFile(path, bytes);
    if (error != 0) {
        result.ok = false;
        result.error = "Cannot read \"" + path + "\": " + ErrnoText(error);
        return result;
    }
    // The file is in memory now, so the old records can go before the new ones are made: a large
    // log is never held twice.
    book.records = {};
    ParseLog(bytes, book, result.problems);
    if (!result.problems.empty()) {
        // Kept before returning, so that no save that follows can replace the only copy of what
        // the reader could not make sense of.
        Backup backup = KeepBackup(path, bytes);
        result.backupPath = std::move(backup.path);
        result.backupError = std::move(backup.error);
    }
    bytes = {};  // released before the sort needs its buffer
    SortNewestFirst(book);
    RecomputeLog(book);
    return result;
}
