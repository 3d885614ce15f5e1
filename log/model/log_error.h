#pragma once

#include <optional>
#include <string>

// Why something in the log core failed: what was being done, to which file, and why. The core
// reports it and its callers word it for their user; Text() is the plain sentence.
struct LogError {
    std::string what;  // what failed ("Cannot read"), or the whole sentence when there is no path
    std::string path;  // the file it failed on; empty when no one file is concerned
    std::string why;   // the reason: the system's words for an errno value, or ours

    // "<what> \"<path>\": <why>", leaving out the parts that are empty.
    std::string Text() const;
};

// The outcome of a step that gives back nothing else: empty when it succeeded.
using Failure = std::optional<LogError>;

// What an errno value means, in words: the system's text, or ours for running out of memory (the
// system's "Cannot allocate memory" reads oddly after "Cannot read ...:").
std::string ErrnoText(int error);

// An error whose reason is the errno value `error`, in ErrnoText's words.
LogError SystemError(std::string what, std::string path, int error);
