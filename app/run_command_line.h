#pragma once

#include <optional>

// Runs what the program's arguments ask for when it is not the window: --export, --import,
// --help, --version, or a usage error. These need no display and create no QApplication: they
// work on the log core alone, on the log the storage mapping names. Returns the exit status, or
// nothing when the arguments ask for the window (Qt's own options included).
//   0  done
//   1  failed, with a message naming the file and the reason; or an export of a damaged log,
//      which holds every entry that could be read while the damage report goes to standard error
//   2  a wrong command line: the usage text goes to standard error
std::optional<int> RunCommandLine(int argc, const char* const* argv);
