#include "file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

namespace {

constexpr char kCannotRead[] = "Cannot read";

// Grows `bytes` to `size`; a file too large for memory is an error like any other, not a crash.
bool Grow(std::string& bytes, std::size_t size) {
    try {
        bytes.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

}  // namespace

Failure OpenRegularFile(const std::string& path, FileDescriptor& file, struct stat& info) {
    file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
        return SystemError(kCannotRead, path, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return SystemError(kCannotRead, path, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return LogError{kCannotRead, path, "Not a regular file"};
    }
    return {};
}

ssize_t ReadSome(int fd, char* into, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

ssize_t ReadSomeAt(int fd, char* into, std::size_t size, std::size_t offset) {
    for (;;) {
        const ssize_t got = ::pread(fd, into, size, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

Failure ReadWholeFile(const std::string& path, std::string& bytes, struct stat* info) {
    FileDescriptor file(-1);
    struct stat opened {};
    if (Failure failed = OpenRegularFile(path, file, opened)) {
        return failed;
    }
    return ReadWholeDescriptor(file.get(), path, bytes, info);
}

Failure ReadWholeDescriptor(int fd, const std::string& name, std::string& bytes,
                            struct stat* info) {
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        return SystemError(kCannotRead, name, errno);
    }
    if (info != nullptr) {
        *info = opened;
    }
    // One byte more than the size, so that the end of the file is seen without growing; a file
    // that grows meanwhile (or reports no size) is read on until its real end all the same.
    if (!Grow(bytes, opened.st_size > 0 ? static_cast<std::size_t>(opened.st_size) + 1 : 4096)) {
        return SystemError(kCannotRead, name, ENOMEM);
    }
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size() && !Grow(bytes, bytes.size() * 2)) {
            return SystemError(kCannotRead, name, ENOMEM);
        }
        const ssize_t got = ReadSomeAt(fd, bytes.data() + filled, bytes.size() - filled, filled);
        if (got < 0) {
            return SystemError(kCannotRead, name, errno);
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return {};
}
