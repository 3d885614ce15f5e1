#include "log_convert.h"

#include "backup_file.h"
#include "date_order.h"
#include "file_bytes.h"
#include "log_load.h"
#include "log_save.h"
#include "recompute.h"

UnitsConversion ConvertLogFile(const std::string& path, const LogUnits& to) {
    UnitsConversion result;
    LogBook book;
    const LoadResult loaded = LoadLog(book, path);
    if (!loaded.SafeToReplace()) {
        result.failure = LogError{loaded.Message(path), {}, {}};
        return result;
    }
    result.allowed = CheckUnitsChange(book, to);
    if (result.allowed != UnitsChange::Allowed) {
        return result;
    }
    if (UsedCount(book) > 0) {
        std::string bytes;
        if (const int error = ReadWholeFile(path, bytes); error != 0) {
            result.failure = SystemError("Cannot read", path, error);
            return result;
        }
        Backup backup = KeepBackup(path, bytes);
        if (backup.path.empty()) {
            result.failure = LogError{backup.error, {}, {}};
            return result;
        }
        result.backupPath = std::move(backup.path);
    }
    LogBook converted = ConvertBook(book, to);
    SortNewestFirst(converted);
    RecomputeLog(converted);
    const SaveResult saved = SaveLog(converted, path);
    if (!saved.ok) {
        result.failure = LogError{saved.error, {}, {}};
    }
    return result;
}
