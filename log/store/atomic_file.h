#pragma once

#include <string>
#include <string_view>

#include "file_snapshot.h"
#include "log_error.h"

// New content for a file, waiting beside it to take its place: written whole to a temporary file
// in the same folder and flushed to the medium, with the old file's permission bits, and its
// owner and group where the system allows it (a new file gets 0644 less the umask). When the
// path is a symbolic link, the file it leads to is the one to replace, and the temporary file
// lies beside that file. The temporary file is removed when the object goes, unless it has
// taken the file's place.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile() { Discard(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes `bytes` for the file at `path`, discarding what was staged before. On failure no
    // temporary file is left; the error names `path`.
    Failure Stage(const std::string& path, std::string_view bytes);

    const std::string& path() const { return path_; }      // as given
    const std::string& target() const { return target_; }  // its links followed
    const std::string& temporary() const { return temporary_; }
    const FileSnapshot& written() const { return written_; }  // of the temporary file

    // The temporary name no longer holds the staged file: it was renamed into place.
    void Placed() { temporary_.clear(); }

private:
    void Discard();

    std::string path_;
    std::string target_;
    std::string temporary_;
    FileSnapshot written_;
};

// Replaces the file at `path` by `bytes` so that the path holds either its old content or the
// whole new content, never a mix and never nothing, even when the medium is full or the power
// fails: the bytes are staged (StagedFile) and renamed over the file. Other hard links to the
// old file keep the old content: the file gets a name of its own.
//
// Returns the failure of the step that failed, naming `path` ("Cannot write"). Up to the rename,
// a failure leaves no temporary file behind and `path` as it was; only the last step, making the
// rename durable by syncing the folder, can fail after the new content is in place, and that too
// is reported, since the new content might not survive a power loss. `written`, when given,
// receives the snapshot of the new file once it is in place.
Failure ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                              FileSnapshot* written = nullptr);

// Makes a rename into the folder of `file` durable; the failure names `path`.
Failure SyncFolderOf(const std::string& file, const std::string& path);

// The temporary file of a save is named "<file name>.tmp" followed by six letters and digits.
inline constexpr char kTemporaryInfix[] = ".tmp";
