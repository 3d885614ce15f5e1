#pragma once

#include <string>
#include <string_view>

// Where a program keeps the device's file system on this host: the environment variable that
// names the storage card's folder, and the program's folder below the user's data folder.
struct DeviceStorage {
    std::string cardVariable;  // e.g. "MYPROGRAM_STORAGE"
    std::string dataFolder;    // e.g. "myprogram"
};

// The device's file system on this host. The folder "\SD Storage" (the storage card) is the
// folder named by the variable `storage.cardVariable` when that is set, else
// "$XDG_DATA_HOME/<dataFolder>/SD Storage" (XDG_DATA_HOME defaulting to ~/.local/share). Device
// paths use backslashes; the result is a host path in UTF-8. A path outside "\SD Storage" maps
// below "$XDG_DATA_HOME/<dataFolder>".
std::string MapDevicePath(std::u16string_view devicePath, const DeviceStorage& storage);
