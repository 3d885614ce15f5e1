#include "export_target.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
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
    const char* destination;  // beside the log "Tarvo.csv"
    const char* what;         // made there first (MakeAt); empty for nothing
    const char* refusal;      // empty when the export is written
};

void PrintTo(const Target& row, std::ostream* out) {
    *out << row.name;
}

// What stands at `path`: its type and mode, and a regular file's bytes.
std::string Look(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return "nothing";
    }
    return std::to_string(info.st_mode) + (S_ISREG(info.st_mode) ? " " + ReadBytes(path) : "");
}

class ExportTarget : public testing::TestWithParam<Target> {};

TEST_P(ExportTarget, IsWrittenOnlyWhenItIsANewOrWritableFileOfItsOwn) {
    const Target& row = GetParam();
    TempFolder folder;
    LogBook book = WorkedExample();
    RecomputeLog(book);
    WriteBytes(folder / "Tarvo.csv", FormatLogFile(book));
    const std::string destination = folder / row.destination;
    if (*row.what != '\0' && !MakeAt(destination, row.what)) {
        GTEST_SKIP() << "this system cannot make " << row.what;
    }
    const std::string before = Look(destination);

    LogBook read;
    LogSession session(folder / "Tarvo.csv", read);
    ASSERT_TRUE(session.Open({LockUse::None, MissingLog::Fail}).read.ok());
    const Failure refused = ExportTo(session, destination);
    const std::string refusal = row.refusal;
    EXPECT_EQ(refused ? refused->Text() : "",
              refusal.empty() ? "" : "Cannot export to \"" + destination + "\": " + refusal);
    EXPECT_EQ(refusal.empty() ? ReadBytes(destination) : Look(destination),
              refusal.empty() ? ExportLog(book) : before);
    EXPECT_EQ(ReadBytes(folder / "Tarvo.csv"), FormatLogFile(book));
}

const Target kTargets[] = {
    {"ANewName", "out.csv", "", ""},
    {"AnEarlierExport", "out.csv", "file:earlier", ""},
    {"TheLog", "Tarvo.csv", "", "it is the log itself"},
    {"ALinkToTheLog", "link.csv", "link:Tarvo.csv", "it is the log itself"},
    {"AHardLinkOfTheLog", "other.csv", "hard link:Tarvo.csv", "it is the log itself"},
    {"TheLockFile", "Tarvo.csv.lock", "file:1234 carbox\n", "it is the log's lock file"},
    {"ABackup", "Tarvo.csv.bak2", "file:kept", "it is a backup of the log"},
    {"AFolder", "sub", "folder", "it is a folder"},
    {"ADevice", "null", "device", "it is a device, not a file"},
    {"APipe", "fifo", "pipe", "it is a pipe, not a file"},
    {"AReadOnlyFile", "out.csv", "read-only:keep", "it is read-only"},
};

INSTANTIATE_TEST_SUITE_P(Log, ExportTarget, testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
