#include "file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

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

int OpenRegularFile(const std::string& path, FileDescriptor& file, struct stat& info) {
    file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return errno;
    }
    if (::fstat(file.get(), &info) != 0) {
        return errno;
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    return S_ISREG(info.st_mode) ? 0 : kNotARegularFile;
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

int ReadWholeFile(const std::string& path, std::string& bytes, struct stat* info) {
    FileDescriptor file(-1);
    struct stat opened {};
    if (const int error = OpenRegularFile(path, file, opened); error != 0) {
        return error;
    }
    return ReadWholeDescriptor(file.get(), bytes, info);
}

int ReadWholeDescriptor(int fd, std::string& bytes, struct stat* info) {
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        return errno;
    }
    if (info != nullptr) {
        *info = opened;
    }
    // One byte more than the size, so that the end of the file is seen without growing; a file
    // that grows meanwhile (or reports no size) is read on until its real end all the same.
    if (!Grow(bytes, opened.st_size > 0 ? static_cast<std::size_t>(opened.st_size) + 1 : 4096)) {
        return ENOMEM;
    }
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size() && !Grow(bytes, bytes.size() * 2)) {
            return ENOMEM;
        }
        const ssize_t got = ReadSomeAt(fd, bytes.data() + filled, bytes.size() - filled, filled);
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return 0;
}

std::string ErrnoText(int error) {
    if (error == kNotARegularFile) {
        return "Not a regular file";
    }
    if (error == kKeepsChanging) {
        return "It keeps changing: another program is writing it";
    }
    // The system says "Cannot allocate memory", which reads oddly after "Cannot read ...:".
    if (error == ENOMEM) {
        return "Not enough memory";
    }
    return std::strerror(error);
}
