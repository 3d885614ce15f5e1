#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "file_descriptor.h"

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

int ReadWholeFile(const std::string& path, std::string& bytes) {
    // Non-blocking, so that a pipe or device in the file's place cannot hang the program; only
    // a regular file is read.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return errno;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return errno;
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    if (!S_ISREG(info.st_mode)) {
        return kNotARegularFile;
    }
    // One byte more than the size, so that the end of the file is seen without growing; a file
    // that grows meanwhile (or reports no size) is read on until its real end all the same.
    if (!Grow(bytes, info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096)) {
        return ENOMEM;
    }
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size() && !Grow(bytes, bytes.size() * 2)) {
            return ENOMEM;
        }
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
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
    return std::strerror(error);
}
