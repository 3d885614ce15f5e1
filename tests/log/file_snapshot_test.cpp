#include "file_snapshot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "log_format.h"
#include "log_load.h"
#include "log_save.h"
#include "log_test_support.h"

// Before a save the program asks whether the log is still what it read. Every way another
// program can write the file must be seen, the coarse timestamps of a storage card included, and
// the program's own save must not be taken for someone else's.

namespace {

// A log larger than one piece of the check's reading, so that a change at its very end is only
// seen if every piece is compared.
std::string LargeLog() {
    std::vector<LogRecord> entries;
    for (uint16_t day = 1; day <= 28; ++day) {
        for (uint16_t hour = 0; hour < 80; ++hour) {
            entries.push_back(Entry(2007, 8, day, hour, 0, 0, 1000.0 + day, 10.0, FillUp, 1000));
        }
    }
    return FormatLogFile(BookOf(entries));
}

void SetModified(const std::string& path, const timespec& when) {
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

timespec ModifiedTime(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mtim;
}

struct OutsideChange {
    const char* name;
    void (*change)(const std::string& path, const std::string& bytes);
    ChangeCheck::State expected;
};

void PrintTo(const OutsideChange& row, std::ostream* out) {
    *out << row.name;
}

class LogFileChange : public testing::TestWithParam<OutsideChange> {};

TEST_P(LogFileChange, IsSeenBeforeTheNextSave) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    const std::string bytes = LargeLog();
    WriteBytes(path, bytes);
    LogBook book;
    const LoadResult loaded = LoadLog(book, path);
    ASSERT_TRUE(loaded.ok());

    GetParam().change(path, bytes);

    const ChangeCheck check = FileChangedSince(path, loaded.snapshot);
    EXPECT_EQ(check.state, GetParam().expected);
    if (check.state == ChangeCheck::State::Changed) {
        EXPECT_EQ(check.reason, "\"" + path + "\" was changed elsewhere since it was read.");
    }
    if (check.state == ChangeCheck::State::Unreadable) {
        EXPECT_EQ(check.reason.rfind("Cannot read \"" + path + "\": ", 0), 0u) << check.reason;
    }
}

const OutsideChange kOutsideChanges[] = {
    {"NothingHappened", [](const std::string&, const std::string&) {},
     ChangeCheck::State::Unchanged},
    {"SameSizeAndTimeAsAfterAFastRewriteOnACard",
     [](const std::string& path, const std::string& bytes) {
         const timespec before = ModifiedTime(path);
         WriteBytes(path, bytes.substr(0, bytes.size() - 2) + "9\n");
         SetModified(path, before);
     },
     ChangeCheck::State::Changed},
    {"ReplacedByACopyOfItself",
     [](const std::string& path, const std::string& bytes) {
         WriteBytes(path + ".new", bytes);
         ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
     },
     ChangeCheck::State::Changed},
    {"LineAdded",
     [](const std::string& path, const std::string& bytes) {
         WriteBytes(path, bytes + "2008,1,1,0,0,0,5000.0,0.0,2,100\n");
     },
     ChangeCheck::State::Changed},
    {"OnlyTouched",
     [](const std::string& path, const std::string&) {
         SetModified(path, {1234567890, 5});
     },
     ChangeCheck::State::Changed},
    {"Removed", [](const std::string& path, const std::string&) { ::unlink(path.c_str()); },
     ChangeCheck::State::Unreadable},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileChange, testing::ValuesIn(kOutsideChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFileChangeDetail, TheProgramsOwnSaveIsNoOutsideChange) {
    TempFolder folder;
    ::mkdir((folder / "card").c_str(), 0755);
    const std::string path = folder / "Tarvo.csv";
    ASSERT_EQ(::symlink("card/Tarvo.csv", path.c_str()), 0);
    WriteBytes(folder / "card/Tarvo.csv", LargeLog());

    LogBook book;
    const LoadResult loaded = LoadLog(book, path);
    const SaveResult saved = SaveLog(WorkedExample(), path);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(FileChangedSince(path, loaded.snapshot).state, ChangeCheck::State::Changed);
    EXPECT_EQ(FileChangedSince(path, saved.written).state, ChangeCheck::State::Unchanged);
    EXPECT_EQ(LoadLog(book, path).snapshot, saved.written) << "what was read is what was written";
}

}  // namespace
