#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "log_test_support.h"
#include "temporary_cleanup.h"

// A save that was killed leaves its temporary file beside the log; the next start removes
// exactly those files and nothing a user or another program put there.

namespace {

enum class Made { File, Folder, Link };

struct LeftoverRow {
    const char* name;
    const char* entry;  // what lies beside "Tarvo.csv"
    Made made;
    bool removed;
};

void PrintTo(const LeftoverRow& row, std::ostream* out) {
    *out << row.name;
}

class LeftoverTemporaries : public testing::TestWithParam<LeftoverRow> {};

TEST_P(LeftoverTemporaries, OnlyTheSavesOwnAreRemoved) {
    const LeftoverRow& row = GetParam();
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "log");
    const std::string entry = folder / row.entry;
    switch (row.made) {
        case Made::File:
            WriteBytes(entry, "half a log");
            break;
        case Made::Folder:
            ASSERT_EQ(::mkdir(entry.c_str(), 0755), 0);
            break;
        case Made::Link:
            ASSERT_EQ(::symlink("Tarvo.csv", entry.c_str()), 0);
            break;
    }

    const LeftoverCleanup cleanup = RemoveLeftoverTemporaries(path);

    EXPECT_TRUE(cleanup.errors.empty());
    EXPECT_EQ(cleanup.removed,
              row.removed ? std::vector<std::string>{entry} : std::vector<std::string>{});
    EXPECT_EQ(::access(entry.c_str(), F_OK) == 0, !row.removed);
    EXPECT_EQ(ReadBytes(path), "log");
}

const LeftoverRow kLeftoverRows[] = {
    {"TheSavesOwnTemporary", "Tarvo.csv.tmpAb12Cz", Made::File, true},
    {"FiveLettersAfterTmp", "Tarvo.csv.tmpAb12C", Made::File, false},
    {"SevenLettersAfterTmp", "Tarvo.csv.tmpAb12Cz7", Made::File, false},
    {"TheBackupsTemporary", "Tarvo.csv.bak.tmpAb12Cz", Made::File, false},
    {"AFolderNamedLikeATemporary", "Tarvo.csv.tmpAb12Cz", Made::Folder, false},
    {"ALinkNamedLikeATemporary", "Tarvo.csv.tmpAb12Cz", Made::Link, false},
};

INSTANTIATE_TEST_SUITE_P(Log, LeftoverTemporaries, testing::ValuesIn(kLeftoverRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeftoverTemporariesDetail, ThroughALinkTheyAreBesideTheFileItLeadsTo) {
    TempFolder folder;
    ASSERT_EQ(::mkdir((folder / "card").c_str(), 0755), 0);
    WriteBytes(folder / "card/log.csv", "log");
    ASSERT_EQ(::symlink("card/log.csv", (folder / "Tarvo.csv").c_str()), 0);
    WriteBytes(folder / "card/log.csv.tmpAAAAAA", "");
    WriteBytes(folder / "Tarvo.csv.tmpBBBBBB", "");

    const LeftoverCleanup cleanup = RemoveLeftoverTemporaries(folder / "Tarvo.csv");

    EXPECT_EQ(cleanup.removed, std::vector<std::string>{folder / "card/log.csv.tmpAAAAAA"});
    EXPECT_EQ(folder.Names("card"), std::vector<std::string>{"log.csv"});
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"Tarvo.csv", "Tarvo.csv.tmpBBBBBB", "card"}));
}

TEST(LeftoverTemporariesDetail, AFolderThatCannotBeListedIsNamed) {
    TempFolder folder;
    const std::string path = folder / "Tarvo/Tarvo.csv";
    const LeftoverCleanup cleanup = RemoveLeftoverTemporaries(path);
    ASSERT_EQ(cleanup.errors.size(), 1u);
    EXPECT_EQ(cleanup.errors[0].Text(), "Cannot look for leftover temporary files in \"" +
                                            folder / "Tarvo" + "\": No such file or directory");
}

}  // namespace
