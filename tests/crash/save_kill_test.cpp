#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "atomic_file.h"
#include "kill_points.h"
#include "log_format.h"
#include "log_load.h"
#include "log_save.h"
#include "log_test_support.h"
#include "recompute.h"
#include "save_change.h"
#include "temporary_cleanup.h"

// A save killed at any moment never costs the log: whatever instant the process dies at, the
// file holds either the complete old log or the complete new one, byte for byte, and a
// temporary file left behind is never taken for the log and is cleared at the next start. Each
// case kills a child process at every point of the save in turn, from before the first call to
// after the last one.

namespace {

constexpr char kLogName[] = "Tarvo.csv";

struct SaveCase {
    const char* name;
    bool oldLogExists;
    std::vector<LogRecord> oldEntries;
    std::vector<LogRecord> newEntries;
    bool throughLink = false;  // the log is reached through a link into the folder "card"
    bool checked = false;  // saved as a command saves, checked against the file read (SaveChange)
};

void PrintTo(const SaveCase& c, std::ostream* out) {
    *out << c.name;
}

LogBook BookToSave(const std::vector<LogRecord>& entries) {
    LogBook book = BookOf(entries);
    book.reminders.label = {u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u""};
    book.reminders.value = {45000.0, 50000.0, 0.0};
    RecomputeLog(book);
    return book;
}

// How a child that saved `book` at `path` ended.
struct ChildEnd {
    bool killed = false;
    bool savedOk = false;
    std::string point;  // where it was killed
};

ChildEnd SaveInChild(const LogBook& book, const std::string& path, int killPoint,
                     const FileSnapshot* read) {
    int report[2];
    if (::pipe(report) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        ArmKillPoint(killPoint, report[1]);
        const bool ok =
            read != nullptr ? SaveChange(book, path, *read, {}).saved : SaveLog(book, path).ok();
        ArmKillPoint(0, -1);
        ::_exit(ok ? 0 : 1);
    }
    ::close(report[1]);
    ChildEnd end;
    char buffer[128];
    ssize_t got = 0;
    while ((got = ::read(report[0], buffer, sizeof buffer)) > 0) {
        end.point.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(report[0]);
    if (!end.point.empty() && end.point.back() == '\n') {
        end.point.pop_back();
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    end.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    end.savedOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return end;
}

// The next start clears what the killed save left beside the log: at most one temporary file,
// after which the folder holds the log alone (or nothing, when there was none).
void ExpectTheNextStartClearsAtMostOneTemporary(const TempFolder& folder, const std::string& path,
                                                const std::string& sub, const std::string& point) {
    const LeftoverCleanup cleanup = RemoveLeftoverTemporaries(path);
    EXPECT_TRUE(cleanup.errors.empty()) << "killed " << point;
    EXPECT_LE(cleanup.removed.size(), 1u) << "killed " << point;
    for (const std::string& name : folder.Names(sub)) {
        EXPECT_EQ(name, kLogName) << "left when killed " << point;
    }
}

class KilledSave : public testing::TestWithParam<SaveCase> {};

TEST_P(KilledSave, LeavesTheOldLogOrTheNewOneWhole) {
    const SaveCase& c = GetParam();
    TempFolder folder;
    const std::string sub = c.throughLink ? "card" : "";
    const std::string path = folder / kLogName;
    const std::string logFile = c.throughLink ? folder / "card/Tarvo.csv" : path;
    if (c.throughLink) {
        ASSERT_EQ(::mkdir((folder / sub).c_str(), 0755), 0);
        ASSERT_EQ(::symlink("card/Tarvo.csv", path.c_str()), 0);
    }
    const std::string oldText = FormatLogFile(BookToSave(c.oldEntries));
    const LogBook newBook = BookToSave(c.newEntries);
    const std::string newText = FormatLogFile(newBook);

    std::vector<std::string> points;
    for (int point = 1;; ++point) {
        ASSERT_LT(point, 1000) << "the save never ends";
        FileSnapshot read;
        if (c.oldLogExists) {
            WriteBytes(logFile, oldText);
            LogBook old;
            read = LoadLog(old, path).snapshot;
        }
        const ChildEnd end = SaveInChild(newBook, path, point, c.checked ? &read : nullptr);
        if (!end.killed) {
            ASSERT_TRUE(end.savedOk) << "the save failed with no kill";
            EXPECT_EQ(ReadBytes(logFile), newText) << "after the whole save";
            break;
        }
        points.push_back(end.point);
        const std::string onDisk = ReadBytes(logFile);
        if (onDisk != newText) {
            if (c.oldLogExists) {
                EXPECT_EQ(onDisk, oldText) << "killed " << end.point;
            } else {
                EXPECT_EQ(::access(logFile.c_str(), F_OK), -1)
                    << "killed " << end.point << ", there is a log, but not the new one";
            }
        }
        if (c.throughLink) {
            struct stat info {};
            EXPECT_TRUE(::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
                << "the link stays a link when killed " << end.point;
        }
        ExpectTheNextStartClearsAtMostOneTemporary(folder, path, sub, end.point);
        if (::access(logFile.c_str(), F_OK) == 0) {
            // The next start reads the log that is there, with no complaint.
            LogBook read;
            const LoadResult loaded = LoadLog(read, path);
            EXPECT_TRUE(loaded.ok() && loaded.problems.empty()) << "killed " << end.point;
            EXPECT_EQ(FormatLogFile(read), onDisk) << "killed " << end.point;
        }
        ::unlink(logFile.c_str());
    }

    // Every stage of the save was hit: the temporary file, its bytes, its owner (when it
    // replaces a file), its flush, the rename and the flush of the folder after it; the link,
    // when there is one.
    const std::string rename = c.checked ? "renameat2" : "rename";
    std::vector<std::string> stages = {
        "before mkostemp", "halfway through write", "after write",    "before fsync",
        "after fsync",     "before " + rename,      "after " + rename};
    if (c.oldLogExists) {
        stages.push_back("after fchown");
    }
    if (c.throughLink) {
        stages.push_back("after readlink");
    }
    for (const std::string& stage : stages) {
        EXPECT_NE(std::find(points.begin(), points.end(), stage), points.end()) << stage;
    }
    const auto renamed = std::find(points.begin(), points.end(), "after " + rename);
    EXPECT_NE(std::find(renamed, points.end(), "after fsync"), points.end())
        << "the folder is flushed after the rename";
}

const LogRecord kOldest = Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, FillUp, 5390);
const LogRecord kMiddle = Entry(2007, 8, 15, 18, 40, 12, 41502.5, 12.0, NotFillUp, 1716);
const LogRecord kNewest = Entry(2007, 8, 26, 7, 30, 45, 41890.0, 30.2, FillUp, 4288);

INSTANTIATE_TEST_SUITE_P(
    EveryPoint, KilledSave,
    testing::Values(
        SaveCase{"NewLogLonger", true, {kMiddle, kOldest}, {kNewest, kMiddle, kOldest}},
        SaveCase{"NewLogShorter", true, {kNewest, kMiddle, kOldest}, {kNewest, kOldest}},
        SaveCase{"FirstSave", false, {}, {kNewest, kMiddle, kOldest}},
        SaveCase{"ThroughALink", true, {kMiddle, kOldest}, {kNewest, kMiddle, kOldest}, true},
        SaveCase{"CheckedAgainstTheFileRead",
                 true,
                 {kMiddle, kOldest},
                 {kNewest, kMiddle, kOldest},
                 false,
                 true}),
    [](const testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

}  // namespace
