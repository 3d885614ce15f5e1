#include "temporary_cleanup.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "atomic_file.h"
#include "file_bytes.h"
#include "link_target.h"

namespace {

// mkostemp replaces "XXXXXX" by letters and digits.
constexpr std::size_t kRandomLetters = 6;

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
    return name.size() == prefix.size() + kRandomLetters &&
           name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       IsLetterOrDigit);
}

LogError CannotList(const std::string& folder, int error) {
    return SystemError("Cannot look for leftover temporary files in", folder, error);
}

}  // namespace

LeftoverCleanup RemoveLeftoverTemporaries(const std::string& path) {
    LeftoverCleanup cleanup;
    const LinkTarget target = FollowLinks(path);
    const std::string folder = FolderOf(target.path);
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(
        target.error == 0 ? ::opendir(folder.c_str()) : nullptr, ::closedir);
    if (listing == nullptr) {
        cleanup.errors.push_back(CannotList(folder, target.error != 0 ? target.error : errno));
        return cleanup;
    }
    const std::string prefix = NameOf(target.path) + kTemporaryInfix;
    for (;;) {
        errno = 0;  // readdir tells the end from a failure only by errno
        const dirent* entry = ::readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0) {
                cleanup.errors.push_back(CannotList(folder, errno));
            }
            return cleanup;
        }
        const std::string name = entry->d_name;
        const std::string leftover = folder + "/" + name;
        struct stat info {};
        if (!IsTemporaryName(name, prefix) || ::lstat(leftover.c_str(), &info) != 0 ||
            !S_ISREG(info.st_mode)) {
            continue;
        }
        if (::unlink(leftover.c_str()) == 0) {
            cleanup.removed.push_back(leftover);
        } else {
            cleanup.errors.push_back(
                SystemError("Cannot remove the leftover temporary file", leftover, errno));
        }
    }
}
