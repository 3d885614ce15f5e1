#pragma once

#include <string>

// A storage card for one benchmark: a temporary folder with its Tarvo folder holding a sample log
// of `entries` entries, named by TARVO_STORAGE while the card exists; removed afterwards. On the
// machine's disk, where every save waits for the medium, or on tmpfs (/dev/shm), where flushing
// costs nothing, so that the two together tell the medium's share of a command.
class StorageCard {
public:
    enum class Medium { Disk, Tmpfs };
    StorageCard(int entries, Medium medium);
    ~StorageCard();
    StorageCard(const StorageCard&) = delete;
    StorageCard& operator=(const StorageCard&) = delete;

    bool ok() const { return ok_; }
    const std::string& LogPath() const { return log_; }

private:
    std::string folder_;
    std::string log_;
    bool ok_ = false;
};
