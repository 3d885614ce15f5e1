#include <sys/stat.h>

#include <cerrno>

#include "atomic_file.h"
#include "file_bytes.h"
#include "log_file.h"

namespace {

// A fresh log: the two usual reminders, an empty third row, no entries and no header line yet
// (the first save writes it).
constexpr char kFreshLog[] =
    "CHANGE OIL BEFORE\n0.000000\nCHANGE AIR-F BEFORE\n0.000000\n\n0.000000\n0\n";

}  // namespace

CreateResult CreateLogIfMissing(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return {CreateOutcome::Existed, {}};
    }
    int error = errno;
    if (error == ENOENT) {
        error = ReplaceFileAtomically(path, kFreshLog);
    }
    if (error == 0) {
        return {CreateOutcome::Created, {}};
    }
    return {CreateOutcome::Failed, "Cannot create \"" + path + "\": " + ErrnoText(error)};
}

SaveResult SaveLog(const LogBook& book, const std::string& path) {
    const int error = ReplaceFileAtomically(path, FormatLogFile(book));
    if (error != 0) {
        return {false, "Cannot save \"" + path + "\": " + ErrnoText(error)};
    }
    return {};
}
