#include "link_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

// As many links as the kernel follows in one path before it gives up with ELOOP.
constexpr int kMostLinks = 40;

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

LinkTarget FollowLinks(const std::string& path) {
    LinkTarget target{path};
    for (int followed = 0; followed <= kMostLinks; ++followed) {
        struct stat info {};
        if (::lstat(target.path.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                target.error = errno;
            }
            return target;
        }
        if (!S_ISLNK(info.st_mode)) {
            target.exists = true;
            return target;
        }
        char points[PATH_MAX];
        const ssize_t length = ::readlink(target.path.c_str(), points, sizeof points);
        if (length < 0 || length == static_cast<ssize_t>(sizeof points)) {
            target.error = length < 0 ? errno : ENAMETOOLONG;
            return target;
        }
        const std::string next(points, static_cast<std::size_t>(length));
        target.path = next.rfind('/', 0) == 0 ? next : FolderOf(target.path) + "/" + next;
        target.viaLink = true;
    }
    target.error = ELOOP;
    return target;
}
