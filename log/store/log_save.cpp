#include "log_save.h"

#include <cerrno>
#include <new>

#include "atomic_file.h"
#include "log_format.h"

SaveResult SaveLog(const LogBook& book, const std::string& path) {
    SaveResult result;
    Failure failed;
    try {
        failed = ReplaceFileAtomically(path, FormatLogFile(book), &result.written);
    } catch (const std::bad_alloc&) {
        // The file's text did not fit in memory; the old file is untouched.
        failed = SystemError({}, path, ENOMEM);
    }
    if (failed) {
        return {LogError{"Cannot save", path, failed->why}, {}};
    }
    return result;
}
