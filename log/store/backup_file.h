#pragma once

#include <string>
#include <string_view>

#include "log_error.h"

struct Backup {
    std::string path;  // where the bytes are kept, when they are
    Failure error;     // why they could not be kept, otherwise
};

// Keeps `bytes`, the original content of the damaged file `path`, beside it: in "<path>.bak",
// or when that holds something else, in the first free one of "<path>.bak1", "<path>.bak2", ...
// A backup that already holds exactly these bytes is reused, so reading the same damaged file
// again and again does not pile up copies.
Backup KeepBackup(const std::string& path, std::string_view bytes);
