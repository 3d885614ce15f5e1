#include "log_location.h"

#include "device_storage.h"

std::string LogPath() {
    return MapDevicePath(kLogDevicePath, DeviceStorage{"TARVO_STORAGE", "tarvo"});
}
