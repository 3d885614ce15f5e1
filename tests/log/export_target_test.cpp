#include "export_target.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <ostream>
#include <string>

#include "log_export.h"
#include "log_format.h"
#include "log_test_support.h"
#include "log_transfer.h"
#include "recompute.h"

// An export writes only a new file or a regular one the user may write, never one of the log's
// own files: whatever it refuses stays exactly as it was.

namespace {

struct Target {
    const char* name;
    // Makes the destination in `folder`, beside the log "Tarvo.csv"; returns its path, or an
    // empty one when this system cannot make it.
    std::string (*make)(const TempFolder& folder);
    const char* refusal;  // empty when the export is written
};

void PrintTo(const Target& row, std::ostream* out) {
    *out << row.name;
}

// What stands at `path`: its type and bytes, its mode.
std::string Look(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return "nothing";
    }
    return std::to_string(info.st_mode) + (S_ISREG(info.st_mode) ? " " + ReadBytes(path) : "");
}

class ExportTarget : public testing::TestWithParam<Target> {};

TEST_P(ExportTarget, IsWrittenOnlyWhenItIsANewOrWritableFileOfItsOwn) {
    TempFolder folder;
    const std::string log = folder / "Tarvo.csv";
    LogBook book = WorkedExample();
    RecomputeLog(book);
    WriteBytes(log, FormatLogFile(book));
    const std::string destination = GetParam().make(folder);
    if (destination.empty()) {
        GTEST_SKIP() << "this system cannot make it";
    }
    const std::string before = Look(destination);

    const ExportOutcome outcome = ExportLogTo(log, destination);
    const std::string refusal = GetParam().refusal;
    EXPECT_EQ(outcome.exported, refusal.empty());
    EXPECT_EQ(outcome.message,
              refusal.empty() ? "" : "Cannot export to \"" + destination + "\": " + refusal);
    if (refusal.empty()) {
        EXPECT_EQ(ReadBytes(destination), ExportLog(book));
    } else {
        EXPECT_EQ(Look(destination), before);
    }
    EXPECT_EQ(ReadBytes(log), FormatLogFile(book));
}

std::string Made(const std::string& path, int result) {
    return result == 0 ? path : std::string();
}

const Target kTargets[] = {
    {"ANewName", [](const TempFolder& f) { return f / "out.csv"; }, ""},
    {"AnEarlierExport",
     [](const TempFolder& f) {
         WriteBytes(f / "out.csv", "earlier");
         return f / "out.csv";
     },
     ""},
    {"TheLog", [](const TempFolder& f) { return f / "Tarvo.csv"; }, "it is the log itself"},
    {"ALinkToTheLog",
     [](const TempFolder& f) {
         return Made(f / "link.csv", ::symlink("Tarvo.csv", (f / "link.csv").c_str()));
     },
     "it is the log itself"},
    {"AHardLinkOfTheLog",
     [](const TempFolder& f) {
         return Made(f / "other.csv", ::link((f / "Tarvo.csv").c_str(), (f / "other.csv").c_str()));
     },
     "it is the log itself"},
    {"TheLockFile",
     [](const TempFolder& f) {
         WriteBytes(f / "Tarvo.csv.lock", "1234 carbox\n");
         return f / "Tarvo.csv.lock";
     },
     "it is the log's lock file"},
    {"ABackup",
     [](const TempFolder& f) {
         WriteBytes(f / "Tarvo.csv.bak2", "kept");
         return f / "Tarvo.csv.bak2";
     },
     "it is a backup of the log"},
    {"AFolder",
     [](const TempFolder& f) { return Made(f / "sub", ::mkdir((f / "sub").c_str(), 0755)); },
     "it is a folder"},
    {"ADevice",
     [](const TempFolder& f) {
         return Made(f / "null", ::mknod((f / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)));
     },
     "it is a device, not a file"},
    {"APipe",
     [](const TempFolder& f) { return Made(f / "fifo", ::mkfifo((f / "fifo").c_str(), 0666)); },
     "it is a pipe, not a file"},
    {"AReadOnlyFile",
     [](const TempFolder& f) {
         WriteBytes(f / "out.csv", "keep");
         return Made(f / "out.csv", ::chmod((f / "out.csv").c_str(), 0444));
     },
     "it is read-only"},
};

INSTANTIATE_TEST_SUITE_P(Log, ExportTarget, testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
