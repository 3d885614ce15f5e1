#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "file_descriptor.h"

namespace {

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

mode_t ModeFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    return 0644 & ~CurrentUmask();
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
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

// Makes the rename itself durable. Some file systems cannot sync a folder and say EINVAL; there
// the rename is as durable as that file system makes it.
int SyncFolder(const std::string& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        return errno;
    }
    const int error = Sync(dir.get());
    return error == EINVAL ? 0 : error;
}

// Writes, flushes and closes the temporary file; returns 0 or the errno value of the failure.
int FillTemporary(FileDescriptor& file, std::string_view bytes, mode_t mode) {
    int error = WriteAll(file.get(), bytes);
    if (error == 0 && ::fchmod(file.get(), mode) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = Sync(file.get());
    }
    const int closeError = file.Close();
    return error != 0 ? error : closeError;
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const mode_t mode = ModeFor(path);
    std::string temporary = path + ".tmpXXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return errno;
    }
    int error = FillTemporary(file, bytes, mode);
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    return SyncFolder(FolderOf(path));
}
