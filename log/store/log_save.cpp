#include "log_save.h"

#include <cerrno>
#include <new>

#include "atomic_file.h"
#include "file_bytes.h"
#include "log_format.h"

SaveResult SaveLog(const LogBook& book, const std::string& path) {
    SaveResult result;
    int error = ENOMEM;
    try {
        error = ReplaceFileAtomically(path, FormatLogFile(book), &result.written);
    } catch (const std::bad_alloc&) {
        // The file's text did not fit in memory; the old file is untouched.
    }
    if (error != 0) {
        return {false, "Cannot save \"" + path + "\": " + ErrnoText(error), {}};
    }
    return result;
}
