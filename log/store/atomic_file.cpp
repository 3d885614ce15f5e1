#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "file_descriptor.h"
#include "link_target.h"

namespace {

constexpr char kCannotWrite[] = "Cannot write";

// The process umask, read without changing it (umask() can only be read by setting it, which
// would race with any other thread creating files).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Returns 0, or the errno value of the failed write; short writes are continued.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return errno;
        }
        if (written == 0) {
            return EIO;  // no progress and no reason: do not spin
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int Sync(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

// The new file keeps the owner and group of the old one where the system allows it. Only root may
// give a file to another user, and others may only choose a group of their own (EPERM); some file
// systems cannot hold the ids at all (EINVAL, EOPNOTSUPP). Then the group alone is kept if it can
// be, else the file belongs to whoever saves it, as any new file would.
int KeepOwner(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) == 0) {
        return 0;
    }
    const auto notAllowed = [] { return errno == EPERM || errno == EINVAL || errno == EOPNOTSUPP; };
    if (!notAllowed()) {
        return errno;
    }
    if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0 || notAllowed()) {
        return 0;
    }
    return errno;
}

// Writes, flushes and closes the temporary file, which takes the place of `old` (nullptr when
// there is none); returns 0 or the errno value of the failure. The owner goes before the mode,
// since changing the owner clears the set-user-id and set-group-id bits.
int FillTemporary(FileDescriptor& file, std::string_view bytes, const struct stat* old,
                  FileSnapshot& written) {
    int error = WriteAll(file.get(), bytes);
    if (error == 0 && old != nullptr) {
        error = KeepOwner(file.get(), *old);
    }
    const mode_t mode = old != nullptr ? old->st_mode & 07777 : 0644 & ~CurrentUmask();
    if (error == 0 && ::fchmod(file.get(), mode) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = Sync(file.get());
    }
    struct stat info {};
    if (error == 0) {
        error = ::fstat(file.get(), &info) == 0 ? 0 : errno;
    }
    const int closeError = file.Close();
    if (error == 0 && closeError == 0) {
        written = SnapshotOf(info, bytes);
    }
    return error != 0 ? error : closeError;
}

}  // namespace

Failure StagedFile::Stage(const std::string& path, std::string_view bytes) {
    Discard();
    path_ = path;
    const LinkTarget target = FollowLinks(path);
    if (target.error != 0) {
        return SystemError(kCannotWrite, path, target.error);
    }
    target_ = target.path;
    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0;
    std::string temporary = target_ + kTemporaryInfix + "XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return SystemError(kCannotWrite, path, errno);
    }
    temporary_ = std::move(temporary);
    if (const int error = FillTemporary(file, bytes, replacing ? &old : nullptr, written_)) {
        Discard();
        return SystemError(kCannotWrite, path, error);
    }
    return {};
}

void StagedFile::Discard() {
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

Failure SyncFolderOf(const std::string& file, const std::string& path) {
    FileDescriptor folder(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    int error = folder.get() < 0 ? errno : Sync(folder.get());
    // Some file systems cannot sync a folder and say EINVAL; there the rename is as durable as
    // that file system makes it.
    if (error == 0 || error == EINVAL) {
        return {};
    }
    return SystemError(kCannotWrite, path, error);
}

Failure ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                              FileSnapshot* written) {
    StagedFile staged;
    if (Failure failed = staged.Stage(path, bytes)) {
        return failed;
    }
    if (std::rename(staged.temporary().c_str(), staged.target().c_str()) != 0) {
        return SystemError(kCannotWrite, path, errno);
    }
    staged.Placed();
    if (written != nullptr) {
        *written = staged.written();  // a rename keeps the file's identity and times
    }
    return SyncFolderOf(staged.target(), path);
}
