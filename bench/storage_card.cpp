#include "storage_card.h"

#include <stdlib.h>

#include <filesystem>

#include "sample_log.h"

namespace fs = std::filesystem;

StorageCard::StorageCard(int entries, Medium medium) {
    const fs::path root =
        medium == Medium::Tmpfs ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (root / "tarvo-card-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    folder_ = pattern;
    std::error_code error;
    fs::create_directory(folder_ + "/Tarvo", error);
    log_ = folder_ + "/Tarvo/Tarvo.csv";
    ok_ = !error && WriteSampleLog(log_, entries) &&
          ::setenv("TARVO_STORAGE", folder_.c_str(), 1) == 0;
}

StorageCard::~StorageCard() {
    ::unsetenv("TARVO_STORAGE");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}
