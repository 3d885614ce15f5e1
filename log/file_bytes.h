#pragma once

#include <string>

// Reads every byte of `path` into `bytes` in one go: the log is parsed from memory, whatever the
// length of its lines. Returns 0, or the errno value that stopped the read (what `bytes` then
// holds means nothing).
int ReadWholeFile(const std::string& path, std::string& bytes);

// The C library's words for an errno value ("No such file or directory").
std::string ErrnoText(int error);
