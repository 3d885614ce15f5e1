#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` by `bytes` so that the path holds either its old content or the
// whole new content, never a mix and never nothing, even when the medium is full or the power
// fails: the bytes go to a temporary file in the same folder, which is flushed to the medium and
// renamed over `path`. The file keeps the old file's permission bits; a new one gets
// 0644 less the umask. Returns 0, or the errno value of the step that failed. Up to the rename,
// a failure leaves no temporary file behind and `path` as it was; only the last step, making the
// rename durable by syncing the folder, can fail after the new content is in place, and that too
// is reported, since the new content might not survive a power loss.
int ReplaceFileAtomically(const std::string& path, std::string_view bytes);
