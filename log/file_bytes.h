#pragma once

#include <string>

// Reads every byte of `path` into `bytes` in one go: the log is parsed from memory, whatever the
// length of its lines. Returns 0, the errno value that stopped the read, or kNotARegularFile
// (what `bytes` then holds means nothing).
int ReadWholeFile(const std::string& path, std::string& bytes);

// What a file error means, in words: the system's text for an errno value, or ours for
// kNotARegularFile.
std::string ErrnoText(int error);

// Returned by ReadWholeFile for a pipe, device or socket in the file's place.
inline constexpr int kNotARegularFile = -1;
