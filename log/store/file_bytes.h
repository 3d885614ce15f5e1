#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

#include "file_descriptor.h"
#include "log_error.h"

// Opens `path` for reading without blocking, so that a pipe or device in the file's place cannot
// hang the program, and accepts only a regular file; `info` describes what was opened. Fails with
// "Cannot read" and the path: the system's reason, "Is a directory" or "Not a regular file".
Failure OpenRegularFile(const std::string& path, FileDescriptor& file, struct stat& info);

// read(2), continued after a signal; returns the bytes read, 0 at the end, or -1 with errno set.
ssize_t ReadSome(int fd, char* into, std::size_t size);

// pread(2) at `offset`, continued after a signal.
ssize_t ReadSomeAt(int fd, char* into, std::size_t size, std::size_t offset);

// Reads every byte of `path` into `bytes` in one go: the log is parsed from memory, whatever the
// length of its lines. Fails as OpenRegularFile does, or with "Not enough memory" for a file too
// large for memory (what `bytes` then holds means nothing). `info`, when given, describes the
// file as it was opened.
Failure ReadWholeFile(const std::string& path, std::string& bytes, struct stat* info = nullptr);

// The same for the regular file open at `fd`, from its first byte whatever its offset, so that
// it can be read again; `info` describes it as it was read, and `name` names it in a failure.
Failure ReadWholeDescriptor(int fd, const std::string& name, std::string& bytes,
                            struct stat* info = nullptr);
