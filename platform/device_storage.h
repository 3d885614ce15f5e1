#pragma once

#include <string>
#include <string_view>

// The device's file system on this host. The folder "\SD Storage" (the storage card) is the
// folder named by TARVO_STORAGE when that is set, else "$XDG_DATA_HOME/tarvo/SD Storage"
// (XDG_DATA_HOME defaulting to ~/.local/share). Device paths use backslashes; the result is a
// host path in UTF-8. A path outside "\SD Storage" maps below "$XDG_DATA_HOME/tarvo".
std::string MapDevicePath(std::u16string_view devicePath);
