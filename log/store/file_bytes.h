#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

#include "file_descriptor.h"

// Opens `path` for reading without blocking, so that a pipe or device in the file's place cannot
// hang the program, and accepts only a regular file; `info` describes what was opened. Returns
// 0, the errno value of the failure, EISDIR, or kNotARegularFile.
int OpenRegularFile(const std::string& path, FileDescriptor& file, struct stat& info);

// read(2), continued after a signal; returns the bytes read, 0 at the end, or -1 with errno set.
ssize_t ReadSome(int fd, char* into, std::size_t size);

// pread(2) at `offset`, continued after a signal.
ssize_t ReadSomeAt(int fd, char* into, std::size_t size, std::size_t offset);

// Reads every byte of `path` into `bytes` in one go: the log is parsed from memory, whatever the
// length of its lines. Returns 0 or an error as OpenRegularFile does, ENOMEM for a file too large
// for memory (what `bytes` then holds means nothing). `info`, when given, describes the file as
// it was opened.
int ReadWholeFile(const std::string& path, std::string& bytes, struct stat* info = nullptr);

// The same for the regular file open at `fd`, from its first byte whatever its offset, so that
// it can be read again; `info` describes it as it was read.
int ReadWholeDescriptor(int fd, std::string& bytes, struct stat* info = nullptr);

// What a file error means, in words: the system's text for an errno value, or ours for
// kNotARegularFile, kKeepsChanging and for running out of memory.
std::string ErrnoText(int error);

// Returned for a pipe, device or socket in the file's place.
inline constexpr int kNotARegularFile = -1;

// Returned for a file that read as damaged and went on changing while it was read again.
inline constexpr int kKeepsChanging = -2;
