#pragma once

#include <string>
#include <string_view>

#include "file_snapshot.h"

// Replaces the file at `path` by `bytes` so that the path holds either its old content or the
// whole new content, never a mix and never nothing, even when the medium is full or the power
// fails: the bytes go to a temporary file in the same folder, which is flushed to the medium and
// renamed over `path`. When `path` is a symbolic link, the file it leads to is the one replaced
// (the temporary file lies beside that file) and the link stays a link. The file keeps the old
// file's permission bits, and its owner and group where the system allows it; a new one gets
// 0644 less the umask. Other hard links to the old file keep the old content: the log gets a
// name of its own.
//
// Returns 0, or the errno value of the step that failed. Up to the rename, a failure leaves no
// temporary file behind and `path` as it was; only the last step, making the rename durable by
// syncing the folder, can fail after the new content is in place, and that too is reported,
// since the new content might not survive a power loss. `written`, when given, receives the
// snapshot of the new file once it is in place.
int ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                          FileSnapshot* written = nullptr);

// The temporary file of a save is named "<file name>.tmp" followed by six letters and digits.
inline constexpr char kTemporaryInfix[] = ".tmp";
