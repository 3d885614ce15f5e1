#include "checked_replace.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_bytes.h"

namespace {

using Outcome = CheckedReplace::Outcome;

CheckedReplace Failed(const std::string& what, const std::string& path, int error) {
    CheckedReplace result;
    result.error = LogError{what, path, ErrnoText(error)};
    return result;
}

CheckedReplace With(Outcome outcome) {
    CheckedReplace result;
    result.outcome = outcome;
    return result;
}

// Whether the file open at `fd` is the one `expected` was taken of, unchanged, content and all.
// Returns 0 or the errno value of a failed look.
int IsExpected(int fd, const FileSnapshot& expected, bool& same) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return errno;
    }
    same = SameIdentity(info, expected);
    return same ? HoldsSnapshotContent(fd, expected, same) : 0;
}

// Once the rename is done, the file is new content in place: the folder is synced.
CheckedReplace Done(StagedFile& staged, CheckedReplace result) {
    if (const Failure failed = SyncFolderOf(staged.target(), staged.path())) {
        result.outcome = Outcome::Failed;
        result.error = LogError{"Cannot save", staged.path(), failed->why};
    }
    return result;
}

// Whether the file named `path` is the one `expected` was taken of, unchanged; it is left open in
// `file`. Returns 0 or the errno value of a failed look.
int NamedIsExpected(const std::string& path, const FileSnapshot& expected, FileDescriptor& file,
                    bool& same) {
    file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    return file.get() < 0 ? errno : IsExpected(file.get(), expected, same);
}

int Exchange(const std::string& a, const std::string& b) {
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
}

CheckedReplace Exchanged(StagedFile& staged, const FileSnapshot& expected) {
    const std::string out = staged.temporary();
    staged.Placed();
    FileDescriptor displaced(-1);
    bool same = false;
    if (const int error = NamedIsExpected(out, expected, displaced, same); error != 0) {
        // The new content is in place, but what it replaced cannot be looked at; it stays under
        // the temporary name.
        return Done(staged, Failed("Cannot read", out, error));
    }
    if (same) {
        ::unlink(out.c_str());
        return Done(staged, With(Outcome::Replaced));
    }
    // Another program wrote the file between the check and the swap. Its file goes straight back,
    // before anyone reads the one built on an older file, so that a program writing it in place
    // goes on writing the log; the caller reads it again as a change seen before the swap.
    if (Exchange(out, staged.target()) == 0) {
        FileDescriptor ours(-1);
        bool untouched = false;
        if (NamedIsExpected(out, staged.written(), ours, untouched) == 0 && untouched) {
            ::unlink(out.c_str());
        } else {
            // Written in the moment it stood in the log's place: that is the newest content.
            std::rename(out.c_str(), staged.target().c_str());
        }
        return With(Outcome::ChangedBefore);
    }
    CheckedReplace result = With(Outcome::ChangedAfter);
    result.displaced = std::move(displaced);
    result.displacedName = out;
    return Done(staged, std::move(result));
}

CheckedReplace Renamed(StagedFile& staged, const FileSnapshot& expected, FileDescriptor checked) {
    bool same = false;
    if (const int error = IsExpected(checked.get(), expected, same); error != 0) {
        return Failed("Cannot read", staged.path(), error);
    }
    struct stat named {};
    struct stat opened {};
    if (!same || ::stat(staged.target().c_str(), &named) != 0 ||
        ::fstat(checked.get(), &opened) != 0 || named.st_dev != opened.st_dev ||
        named.st_ino != opened.st_ino) {
        return With(Outcome::ChangedBefore);
    }
    if (std::rename(staged.temporary().c_str(), staged.target().c_str()) != 0) {
        return Failed("Cannot save", staged.path(), errno);
    }
    staged.Placed();
    if (::fstat(checked.get(), &opened) == 0 && SameIdentity(opened, expected)) {
        return Done(staged, With(Outcome::Replaced));
    }
    CheckedReplace result = With(Outcome::ChangedAfter);
    result.displaced = std::move(checked);
    return Done(staged, std::move(result));
}

}  // namespace

CheckedReplace ReplaceIfUnchanged(StagedFile& staged, const FileSnapshot& expected) {
    FileDescriptor checked(-1);
    struct stat info {};
    if (const Failure failed = OpenRegularFile(staged.target(), checked, info)) {
        CheckedReplace result;
        result.error = LogError{failed->what, staged.path(), failed->why};
        return result;
    }
    if (!SameIdentity(info, expected)) {
        return With(Outcome::ChangedBefore);
    }
    if (Exchange(staged.temporary(), staged.target()) == 0) {
        return Exchanged(staged, expected);
    }
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
        return Renamed(staged, expected, std::move(checked));
    }
    return Failed("Cannot save", staged.path(), errno);
}
