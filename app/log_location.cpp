#include "log_location.h"

#include "device_storage.h"
#include "log_lock.h"

std::string LogPath() {
    return MapDevicePath(kLogDevicePath, DeviceStorage{"TARVO_STORAGE", "tarvo"});
}

std::string OpenElsewhere(const std::string& logPath, const LockHolder& holder) {
    const std::string who = holder.Text();
    return "\"" + logPath + "\" is open in another Tarvo window" +
           (who.empty() ? std::string() : " (" + who + ")") + ".";
}
