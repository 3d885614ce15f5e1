#include "device_storage.h"

#include <cstdlib>

#include "utf8.h"

namespace {

constexpr std::u16string_view kStorageCard = u"\\SD Storage";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string DeviceRoot(const DeviceStorage& storage) {
    std::string data = Env("XDG_DATA_HOME");
    if (data.empty()) {
        data = Env("HOME") + "/.local/share";
    }
    return data + "/" + storage.dataFolder;
}

}  // namespace

std::string MapDevicePath(std::u16string_view devicePath, const DeviceStorage& storage) {
    std::string root;
    std::u16string_view rest = devicePath;
    const bool onCard =
        devicePath.substr(0, kStorageCard.size()) == kStorageCard &&
        (devicePath.size() == kStorageCard.size() || devicePath[kStorageCard.size()] == u'\\');
    if (const std::string card = Env(storage.cardVariable.c_str()); onCard && !card.empty()) {
        root = card;
        rest = devicePath.substr(kStorageCard.size());
    } else {
        root = DeviceRoot(storage);
    }
    std::string path = Utf16ToUtf8(rest);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    while (!root.empty() && root.back() == '/' && !path.empty() && path.front() == '/') {
        root.pop_back();
    }
    return root + path;
}
