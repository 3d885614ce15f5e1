#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

// What the program saw of the log when it read or wrote it, so that before the next save it can
// tell whether anything else has written the file since: another Tarvo window, a sync tool, an
// editor.
struct FileSnapshot {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    uint64_t contentHash = 0;
};

bool operator==(const FileSnapshot& a, const FileSnapshot& b);

// The snapshot of a file that `info` describes and that holds exactly `bytes`.
FileSnapshot SnapshotOf(const struct stat& info, std::string_view bytes);

// Whether `info` shows the file `snapshot` was taken of, unchanged as far as its device, inode,
// size and modification time tell.
bool SameIdentity(const struct stat& info, const FileSnapshot& snapshot);

// Whether the file open at `fd` holds the content `snapshot` was taken of, read from its first
// byte in pieces; `same` says. Returns 0 or the errno value of a failed read.
int HoldsSnapshotContent(int fd, const FileSnapshot& snapshot, bool& same);

struct ChangeCheck {
    enum class State { Unchanged, Changed, Unreadable };
    State state = State::Unchanged;
    std::string reason;  // unless Unchanged: what happened to the file, naming it
};

// Has the file at `path` changed since `snapshot` was taken of it? A file that was replaced, has
// another size or another modification time has. Timestamps cannot be trusted alone (vfat keeps
// them to 2 s, and a fast rewrite can fall in the same tick), so when all of them match, the
// content is read and compared too. A file that is missing or cannot be read counts as changed
// (Unreadable), and the reason says why.
ChangeCheck FileChangedSince(const std::string& path, const FileSnapshot& snapshot);

// Whether the file at `path` no longer has the identity, size or modification time `snapshot`
// recorded, seen without reading it: enough to tell a program's own last save from a change
// made since, where a save still makes the full check before it writes. A file that is missing
// or cannot be looked at does not count: it may be in the middle of being replaced.
bool FileDiffersFrom(const std::string& path, const FileSnapshot& snapshot);
