#include <cstdlib>

#include <gtest/gtest.h>

#include "device_storage.h"

namespace {

const DeviceStorage kStorage{"TARVO_STORAGE", "tarvo"};

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        value == nullptr ? unsetenv(name) : setenv(name, value, 1);
    }
    ~ScopedEnv() { m_had ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

}  // namespace

TEST(DeviceStorage, StorageCardIsTheFolderNamedByTarvoStorage) {
    ScopedEnv storage("TARVO_STORAGE", "/media/card");
    EXPECT_EQ(MapDevicePath(u"\\SD Storage\\Tarvo\\Tarvo.csv", kStorage),
              "/media/card/Tarvo/Tarvo.csv");
    ScopedEnv trailing("TARVO_STORAGE", "/media/card/");
    EXPECT_EQ(MapDevicePath(u"\\SD Storage\\Tarvo\\Tarvo.csv", kStorage),
              "/media/card/Tarvo/Tarvo.csv");
}

TEST(DeviceStorage, WithoutTarvoStorageTheCardLivesInTheUsersDataFolder) {
    ScopedEnv storage("TARVO_STORAGE", nullptr);
    {
        ScopedEnv data("XDG_DATA_HOME", "/home/u/data");
        EXPECT_EQ(MapDevicePath(u"\\SD Storage\\Tarvo\\Tarvo.csv", kStorage),
                  "/home/u/data/tarvo/SD Storage/Tarvo/Tarvo.csv");
    }
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(MapDevicePath(u"\\SD Storage\\Tarvo\\Tarvo.csv", kStorage),
              "/home/u/.local/share/tarvo/SD Storage/Tarvo/Tarvo.csv");
}

TEST(DeviceStorage, OnlyTheCardFolderItselfIsRedirected) {
    ScopedEnv storage("TARVO_STORAGE", "/media/card");
    ScopedEnv data("XDG_DATA_HOME", "/d");
    EXPECT_EQ(MapDevicePath(u"\\SD StorageX\\a.csv", kStorage), "/d/tarvo/SD StorageX/a.csv");
    EXPECT_EQ(MapDevicePath(u"\\Windows\\a.txt", kStorage), "/d/tarvo/Windows/a.txt");
}
