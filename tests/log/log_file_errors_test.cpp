#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "log_create.h"
#include "log_format.h"
#include "log_load.h"
#include "log_save.h"
#include "log_test_support.h"
#include "log_transfer.h"
#include "recompute.h"

// AddressSanitizer reserves terabytes of address space, so it cannot run under a limit on it.
#if defined(__SANITIZE_ADDRESS__)
#define TARVO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVO_ADDRESS_SANITIZER 1
#endif
#endif

// Files and folders that cannot be used: a clear error naming the path and the reason, never a
// crash, never a lost log, never a book half replaced.

namespace {

LogBook SomeBook() {
    LogBook book = WorkedExample();
    RecomputeLog(book);
    return book;
}

void ExpectSameBook(const LogBook& actual, const LogBook& expected) {
    EXPECT_EQ(actual.count, expected.count);
    EXPECT_EQ(actual.records.size(), expected.records.size());
    EXPECT_EQ(EnteredFields(actual), EnteredFields(expected));
    EXPECT_EQ(actual.totalCost, expected.totalCost);
    EXPECT_EQ(actual.fuelCost, expected.fuelCost);
    EXPECT_EQ(actual.reminders.label, expected.reminders.label);
    EXPECT_EQ(actual.reminders.value, expected.reminders.value);
    EXPECT_EQ(actual.summary, expected.summary);
}

TEST(LogFileErrors, LoadOfAMissingFileNamesItAndLeavesTheBook) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook book = SomeBook();
    const LoadResult result = LoadLog(book, path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(Said(result.error), "Cannot read \"" + path + "\": No such file or directory");
    EXPECT_EQ(result.Message(path), Said(result.error));
    ExpectSameBook(book, SomeBook());
}

TEST(LogFileErrors, LoadFromAMissingFolder) {
    TempFolder folder;
    const std::string path = folder / "Tarvo/Tarvo.csv";
    LogBook book = SomeBook();
    const LoadResult result = LoadLog(book, path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(Said(result.error), "Cannot read \"" + path + "\": No such file or directory");
    ExpectSameBook(book, SomeBook());
}

TEST(LogFileErrors, LoadOfAFolderInsteadOfAFile) {
    TempFolder folder;
    LogBook book = SomeBook();
    const LoadResult result = LoadLog(book, folder.path());
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(Said(result.error), "Cannot read \"" + folder.path() + "\": Is a directory");
    ExpectSameBook(book, SomeBook());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{}) << "no backup of a folder";
}

TEST(LogFileErrors, LoadOfAPipeInsteadOfAFileNeitherHangsNorReadsIt) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    LogBook book = SomeBook();
    const LoadResult result = LoadLog(book, path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(Said(result.error), "Cannot read \"" + path + "\": Not a regular file");
    ExpectSameBook(book, SomeBook());
}

// Runs as an ordinary user (see AsOrdinaryUser), since root reads any file.
TEST(LogFileErrors, LoadOfAFileThatMayNotBeRead) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, FormatLogFile(SomeBook()));
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const std::string answer = AsOrdinaryUser([&] {
        LogBook book;
        const LoadResult result = LoadLog(book, path);
        return result.ok() ? std::string("read") : Said(result.error);
    });
    EXPECT_EQ(answer, "Cannot read \"" + path + "\": Permission denied");
}

TEST(LogFileErrors, CreateInAMissingFolder) {
    TempFolder folder;
    const std::string path = folder / "Tarvo/Tarvo.csv";
    const CreateResult result = CreateLogIfMissing(path);
    EXPECT_EQ(result.outcome, CreateOutcome::Failed);
    EXPECT_EQ(Said(result.error), "Cannot create \"" + path + "\": No such file or directory");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{}) << "no folder made";
}

TEST(LogFileErrors, OnlyAMissingLogInAFolderThatIsThereWouldBeCreated) {
    const struct {
        const char* name;
        std::function<void(const TempFolder&)> make;  // what lies at "Tarvo/Tarvo.csv"
        bool wouldBeCreated;
        bool folderMissing;
    } rows[] = {
        {"nothing", [](const TempFolder& f) { ::mkdir((f / "Tarvo").c_str(), 0755); }, true, false},
        {"a log",
         [](const TempFolder& f) {
             ::mkdir((f / "Tarvo").c_str(), 0755);
             WriteBytes(f / "Tarvo/Tarvo.csv", "");
         },
         false, false},
        {"a link leading nowhere",
         [](const TempFolder& f) {
             ::mkdir((f / "Tarvo").c_str(), 0755);
             ::symlink("card/Tarvo.csv", (f / "Tarvo/Tarvo.csv").c_str());
         },
         false, false},
        {"no folder", [](const TempFolder&) {}, false, true},
        {"a file for a folder", [](const TempFolder& f) { WriteBytes(f / "Tarvo", ""); }, false,
         true},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        row.make(folder);
        const std::string path = folder / "Tarvo/Tarvo.csv";
        EXPECT_EQ(LogWouldBeCreated(path), row.wouldBeCreated) << row.name;
        EXPECT_EQ(Said(MissingLogFolder(path)),
                  row.folderMissing
                      ? "There is no log: the folder \"" + (folder / "Tarvo") + "\" does not exist."
                      : "")
            << row.name;
    }
}

TEST(LogFileErrors, CreateWhereTheFolderIsAFile) {
    TempFolder folder;
    WriteBytes(folder / "Tarvo", "a file");
    const std::string path = folder / "Tarvo/Tarvo.csv";
    const CreateResult result = CreateLogIfMissing(path);
    EXPECT_EQ(result.outcome, CreateOutcome::Failed);
    EXPECT_EQ(Said(result.error), "Cannot create \"" + path + "\": Not a directory");
}

TEST(LogFileErrors, CreateLeavesAFileThatMayNotBeReadAlone) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "private");
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const std::string answer = AsOrdinaryUser([&] {
        return CreateLogIfMissing(path).outcome == CreateOutcome::Existed ? std::string("existed")
                                                                          : std::string("other");
    });
    EXPECT_EQ(answer, "existed");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);  // so that this test may look
    EXPECT_EQ(ReadBytes(path), "private");
}

TEST(LogFileErrors, SaveIntoAMissingFolder) {
    TempFolder folder;
    const std::string path = folder / "Tarvo/Tarvo.csv";
    const SaveResult result = SaveLog(SomeBook(), path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(Said(result.error), "Cannot save \"" + path + "\": No such file or directory");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

// Each way a save can fail with a log already in place: the old file stays byte for byte, no
// temporary file is left, and the error names the path and the reason.
struct FailingSave {
    const char* name;
    const char* reason;
    // Makes saving to `path` in `folder` fail, runs the save and returns its error ("saved"
    // when it did not fail).
    std::string (*run)(const TempFolder& folder, const std::string& path);
};

// Rows are named in test output by their name alone.
void PrintTo(const FailingSave& row, std::ostream* out) {
    *out << row.name;
}

std::string SaveError(const std::string& path) {
    const SaveResult result = SaveLog(SomeBook(), path);
    return result.ok() ? std::string("saved") : Said(result.error);
}

class LogFileSaveFails : public testing::TestWithParam<FailingSave> {};

TEST_P(LogFileSaveFails, KeepsTheOldFileAndSaysWhy) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    const std::string old = "CHANGE OIL BEFORE\n1.000000\n\n0.000000\n\n0.000000\n0\n";
    WriteBytes(path, old);

    const std::string error = GetParam().run(folder, path);

    EXPECT_EQ(error, "Cannot save \"" + path + "\": " + GetParam().reason);
    EXPECT_EQ(ReadBytes(path), old);
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"}) << "no temporary left";
}

const FailingSave kFailingSaves[] = {
    {"ReadOnlyFolder", "Permission denied",
     [](const TempFolder& folder, const std::string& path) {
         ::chmod(folder.path().c_str(), 0555);
         return AsOrdinaryUser([&] { return SaveError(path); });
     }},
    {"MediumFull", "File too large",
     [](const TempFolder&, const std::string& path) {
         const FileSizeLimit limit(100);  // the new content is several times that
         return SaveError(path);
     }},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileSaveFails, testing::ValuesIn(kFailingSaves),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFileErrors, SaveOverAFolderLeavesItAndNoTemporary) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    EXPECT_EQ(SaveError(path), "Cannot save \"" + path + "\": Is a directory");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"});
}

// A log too large for memory: the read says so like any unreadable file, leaves the book as it
// was or, once it gave it up for the new entries, empty (never half filled), and the program
// goes on (a log that fits reads afterwards). Each row runs in a child process whose address
// space is limited to what it uses now and a little more.
struct MemoryRow {
    const char* name;
    void (*make)(const std::string& path);
    const char* book;  // "kept" or "empty"
};

void PrintTo(const MemoryRow& row, std::ostream* out) {
    *out << row.name;
}

class LogFileOutOfMemory : public testing::TestWithParam<MemoryRow> {};

constexpr rlim_t kRoomBeyondUse = 24 << 20;

rlim_t AddressSpaceInUse() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

TEST_P(LogFileOutOfMemory, IsReportedAndTheProgramGoesOn) {
#ifdef TARVO_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer cannot run with a limited address space";
#endif
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    GetParam().make(path);
    WriteBytes(folder / "small.csv", FormatLogFile(WorkedExample()));

    const std::string answer = InChildProcess([&] {
        const rlimit limit{AddressSpaceInUse() + kRoomBeyondUse, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_AS, &limit) != 0) {
            return std::string("no limit");
        }
        LogBook book = SomeBook();
        const LoadResult result = LoadLog(book, path);
        const bool kept = EnteredFields(book) == EnteredFields(SomeBook()) &&
                          book.records.size() == SomeBook().records.size();
        const bool empty = book.count == 0 && book.records.empty() && book.totalCost == 0;
        const bool goesOn = LoadLog(book, folder / "small.csv").ok() && book.count == 4;
        return Said(result.error) +
               (kept    ? "; kept"
                : empty ? "; empty"
                        : "; half filled") +
               (goesOn ? "; goes on" : "; stuck");
    });

    EXPECT_EQ(answer,
              "Cannot read \"" + path + "\": Not enough memory; " + GetParam().book + "; goes on");
}

const MemoryRow kMemoryRows[] = {
    {"TheBytesDoNotFit",
     [](const std::string& path) {
         // Sparse: a gigabyte that takes no room on the disk.
         WriteBytes(path, "");
         ASSERT_EQ(::truncate(path.c_str(), off_t{1} << 30), 0);
     },
     "kept"},
    {"TheBytesFitButTheirEntriesDoNot",
     [](const std::string& path) {
         std::string text = "A\n0\nB\n0\nC\n0\n-1\nheader\n";
         while (text.size() < kRoomBeyondUse / 3) {
             text += "2007,1,1,0,0,0,1,1,0,1\n";  // 23 bytes become 88 in memory
         }
         WriteBytes(path, text);
     },
     "empty"},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileOutOfMemory, testing::ValuesIn(kMemoryRows),
                         [](const auto& info) { return std::string(info.param.name); });

// An import too large for the memory left is refused like any other, with nothing written.
TEST(LogFileOutOfMemoryDetail, AnImportTooLargeIsRefusedWithNothingWritten) {
#ifdef TARVO_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer cannot run with a limited address space";
#endif
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, FormatLogFile(SomeBook()));
    std::string bytes = "Date,Odometer,Litres,Cost\n";
    for (int day = 0; bytes.size() < kRoomBeyondUse; ++day) {
        bytes += "2024-01-01 00:00:" + std::to_string(day % 60) + "," + std::to_string(day) +
                 ",20,3000\n";  // 30 bytes become an entry of 80, and more
    }
    const std::string answer = InChildProcess([&] {
        const rlimit limit{AddressSpaceInUse() + kRoomBeyondUse, RLIM_INFINITY};
        LogBook book;
        LogSession session(path, book);
        if (!session.Open({}).read.ok() || ::setrlimit(RLIMIT_AS, &limit) != 0) {
            return std::string("no limit");
        }
        const ImportPlan plan = PlanImportInto(session, bytes, ImportOptions());
        return plan.unusable.empty() ? ImportPlanned(session, plan).change.message : plan.unusable;
    });
    EXPECT_EQ(answer, "Cannot import into \"" + path + "\": Not enough memory");
    EXPECT_EQ(ReadBytes(path), FormatLogFile(SomeBook()));
}

}  // namespace
