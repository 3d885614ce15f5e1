#include "kill_points.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

// The real functions, as the linker names them for --wrap.
extern "C" {
int __real_lstat(const char* path, struct stat* info);
ssize_t __real_readlink(const char* path, char* text, size_t size);
int __real_stat(const char* path, struct stat* info);
int __real_mkostemp(char* pattern, int flags);
int __real_open(const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* bytes, size_t size);
int __real_fchown(int fd, uid_t owner, gid_t group);
int __real_fchmod(int fd, mode_t mode);
int __real_fsync(int fd);
int __real_fstat(int fd, struct stat* info);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                     unsigned int flags);
int __real_unlink(const char* path);
}

namespace {

int g_target = 0;  // 0: unarmed
int g_passed = 0;
int g_reportFd = -1;

// Counts one point; true when it is the armed one, after its name has been told.
bool Reaching(const char* when, const char* call) {
    if (g_target == 0 || ++g_passed != g_target) {
        return false;
    }
    char name[64];
    const int length = std::snprintf(name, sizeof name, "%s %s\n", when, call);
    if (length > 0) {
        static_cast<void>(__real_write(g_reportFd, name, static_cast<size_t>(length)));
    }
    return true;
}

[[noreturn]] void Die() {
    ::kill(::getpid(), SIGKILL);
    std::abort();  // not reached: SIGKILL cannot be caught
}

void Pass(const char* when, const char* call) {
    if (Reaching(when, call)) {
        Die();
    }
}

// Runs `real` between the points before and after `call`.
template <typename Real>
auto Around(const char* call, Real real) {
    Pass("before", call);
    const auto result = real();
    Pass("after", call);
    return result;
}

}  // namespace

void ArmKillPoint(int point, int reportFd) {
    g_target = point;
    g_passed = 0;
    g_reportFd = reportFd;
}

extern "C" {

int __wrap_lstat(const char* path, struct stat* info) {
    return Around("lstat", [&] { return __real_lstat(path, info); });
}

ssize_t __wrap_readlink(const char* path, char* text, size_t size) {
    return Around("readlink", [&] { return __real_readlink(path, text, size); });
}

int __wrap_stat(const char* path, struct stat* info) {
    return Around("stat", [&] { return __real_stat(path, info); });
}

int __wrap_mkostemp(char* pattern, int flags) {
    return Around("mkostemp", [&] { return __real_mkostemp(pattern, flags); });
}

int __wrap_open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list rest;
        va_start(rest, flags);
        mode = static_cast<mode_t>(va_arg(rest, int));
        va_end(rest);
    }
    return Around("open", [&] { return __real_open(path, flags, mode); });
}

// A crash in the middle of writing the file leaves part of the bytes written.
ssize_t __wrap_write(int fd, const void* bytes, size_t size) {
    Pass("before", "write");
    if (size > 1 && Reaching("halfway through", "write")) {
        static_cast<void>(__real_write(fd, bytes, size / 2));
        Die();
    }
    const ssize_t written = __real_write(fd, bytes, size);
    Pass("after", "write");
    return written;
}

int __wrap_fchown(int fd, uid_t owner, gid_t group) {
    return Around("fchown", [&] { return __real_fchown(fd, owner, group); });
}

int __wrap_fchmod(int fd, mode_t mode) {
    return Around("fchmod", [&] { return __real_fchmod(fd, mode); });
}

int __wrap_fsync(int fd) {
    return Around("fsync", [&] { return __real_fsync(fd); });
}

int __wrap_fstat(int fd, struct stat* info) {
    return Around("fstat", [&] { return __real_fstat(fd, info); });
}

int __wrap_close(int fd) {
    return Around("close", [&] { return __real_close(fd); });
}

int __wrap_rename(const char* from, const char* to) {
    return Around("rename", [&] { return __real_rename(from, to); });
}

int __wrap_renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                     unsigned int flags) {
    return Around("renameat2",
                  [&] { return __real_renameat2(fromFolder, from, toFolder, to, flags); });
}

int __wrap_unlink(const char* path) {
    return Around("unlink", [&] { return __real_unlink(path); });
}

}  // extern "C"
