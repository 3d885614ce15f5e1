#include <fcntl.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "date_order.h"
#include "file_descriptor.h"
#include "log_export.h"
#include "log_format.h"
#include "log_load.h"
#include "log_save.h"
#include "log_test_support.h"
#include "log_transfer.h"
#include "recompute.h"
#include "save_change.h"
#include "step_actions.h"

// Another program writes the log at the worst moment of a save: after the last check, just before
// the swap or the rename, or in place and in pieces while the save reads it. Nothing it wrote is
// lost: the save's one change is made to what it wrote, or, when it cannot be, the log is left as
// that program left it.

namespace {

const LogBook kRead = WorkedExample();
const LogRecord kNew = Entry(2007, 9, 10, 8, 0, 0, 42300.0, 20.0, FillUp, 3000);
const LogRecord kOther = Entry(2007, 9, 5, 8, 0, 0, 42100.0, 0.0, Maintenance, 500);

std::string Formatted(LogBook book, const LogChange& change) {
    RecomputeLog(book);
    ApplyChange(book, change);
    SortNewestFirst(book);
    RecomputeLog(book);
    return FormatLogFile(book);
}

// The other program's log: what the window read, with its entry kOther added.
const std::string kTheirs = Formatted(kRead, LogChange::Add(kOther, {}));

// A program that writes the log in place through a descriptor it keeps, in two pieces.
FileDescriptor g_writer(-1);

void FirstHalf(const std::string& path) {
    g_writer = FileDescriptor(::open(path.c_str(), O_WRONLY | O_TRUNC));
    ASSERT_EQ(::write(g_writer.get(), kTheirs.data(), kTheirs.size() / 2),
              static_cast<ssize_t>(kTheirs.size() / 2));
}

void SecondHalf(const std::string&) {
    const std::string rest = kTheirs.substr(kTheirs.size() / 2);
    ASSERT_EQ(::write(g_writer.get(), rest.data(), rest.size()), static_cast<ssize_t>(rest.size()));
    g_writer.Close();
}

void AllInPlace(const std::string& path) {
    WriteBytes(path, kTheirs);
}

// The other program's log without the entry the window's command removes.
const std::string kRemoved = Formatted(kRead, LogChange::Remove(kRead.records[2]));

void RemoveInPlace(const std::string& path) {
    WriteBytes(path, kRemoved);
}

void AllByRename(const std::string& path) {
    LogBook book;
    ASSERT_TRUE(LoadLog(book, path).ok);
    ASSERT_EQ(ApplyChange(book, LogChange::Add(kOther, {})), ApplyOutcome::Applied);
    SortNewestFirst(book);
    RecomputeLog(book);
    ASSERT_TRUE(SaveLog(book, path).ok);
}

using Outside = std::pair<SaveStep, void (*)(const std::string&)>;

struct Race {
    const char* name;
    bool exchange;                            // whether the file system exchanges names
    void (*before)(const std::string& path);  // what the other program did since the read
    std::vector<Outside> outside;             // and what it does during the save
    LogChange command;
    const char* message;  // "{}" stands for the path
    std::string after;    // what the log holds once the save is over
};

void PrintTo(const Race& row, std::ostream* out) {
    *out << row.name;
}

class SaveRace : public testing::TestWithParam<Race> {};

TEST_P(SaveRace, LosesNothingTheOtherProgramWrote) {
    const Race& row = GetParam();
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, Formatted(kRead, {}));
    LogBook window;
    const LoadResult read = LoadLog(window, path);
    row.before(path);
    ExchangeNames(row.exchange);
    for (const auto& [step, action] : row.outside) {
        BeforeStep(step, [action, path] { action(path); });
    }
    ApplyChange(window, row.command);
    SortNewestFirst(window);
    RecomputeLog(window);

    const ChangeSaveResult result = SaveChange(window, path, read.snapshot, row.command);
    ExchangeNames(true);
    g_writer.Close();

    std::string message = row.message;
    for (std::size_t at; (at = message.find("{}")) != std::string::npos;) {
        message.replace(at, 2, path);
    }
    EXPECT_EQ(result.message, message);
    EXPECT_EQ(ReadBytes(path), row.after);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"}) << "no temporary, no backup";
}

constexpr char kMerged[] =
    "\"{}\" was changed elsewhere since it was read. Your change was made to what it holds now.";
constexpr char kGone[] =
    "\"{}\" was changed elsewhere since it was read. The entry is no longer in it.\n"
    "The change was not saved.";
const std::string kBoth = Formatted(kRead, LogChange::Import({kOther, kNew}));

const Race kRaces[] = {
    {"AReplaceBetweenTheCheckAndTheSwap",
     true,
     [](const std::string&) {},
     {{SaveStep::Swap, AllByRename}},
     LogChange::Add(kNew, {}),
     kMerged,
     kBoth},
    {"AnInPlaceWriteBetweenTheCheckAndTheSwap",
     true,
     [](const std::string&) {},
     {{SaveStep::Swap, AllInPlace}},
     LogChange::Add(kNew, {}),
     kMerged,
     kBoth},
    {"AnInPlaceWriteBetweenTheCheckAndTheRenameWithoutExchange",
     false,
     [](const std::string&) {},
     {{SaveStep::Rename, AllInPlace}},
     LogChange::Add(kNew, {}),
     kMerged,
     kBoth},
    {"AHalfWriteFinishedWhileTheChangedFileSettles",
     true,
     FirstHalf,
     {{SaveStep::Settle, SecondHalf}},
     LogChange::Add(kNew, {}),
     kMerged,
     kBoth},
    {"AHalfWriteAfterTheSwapFinishedBeforeItIsUsed",
     true,
     [](const std::string&) {},
     {{SaveStep::Swap, FirstHalf}, {SaveStep::Settle, SecondHalf}},
     LogChange::Add(kNew, {}),
     kMerged,
     kBoth},
    {"AHalfWriteNeverFinishedIsNotSavedOver",
     true,
     FirstHalf,
     {},
     LogChange::Add(kNew, {}),
     "\"{}\" was changed elsewhere since it was read. It now reads as damaged: another program "
     "may still be writing it.\nThe change was not saved.",
     kTheirs.substr(0, kTheirs.size() / 2)},
    {"AnEntryRemovedAfterTheCheckIsNotRemovedTwice",
     true,
     [](const std::string&) {},
     {{SaveStep::Swap, RemoveInPlace}},
     LogChange::Remove(kRead.records[2]),
     kGone,
     kRemoved},
    {"AnEntryRemovedInPlaceBeforeTheRenameWithoutExchangeIsPutBack",
     false,
     [](const std::string&) {},
     {{SaveStep::Rename, RemoveInPlace}},
     LogChange::Remove(kRead.records[2]),
     kGone,
     kRemoved},
};

INSTANTIATE_TEST_SUITE_P(Log, SaveRace, testing::ValuesIn(kRaces),
                         [](const auto& info) { return std::string(info.param.name); });

// The import reads the log just before it saves: a log caught half written is read again once it
// is whole, neither reported as damaged nor kept as a backup.
TEST(ImportRace, ReadsAHalfWrittenLogOnceItIsWhole) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "");
    FirstHalf(path);
    BeforeStep(SaveStep::Settle, [path] { SecondHalf(path); });
    LogLock lock;
    const ImportOutcome outcome =
        ImportIntoLog(lock, path, ExportLog(BookOf({kNew})), ImportOptions(), false);
    EXPECT_EQ(outcome.status, ImportStatus::Imported);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(ReadBytes(path), kBoth);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Tarvo.csv", "Tarvo.csv.lock"}));
}

}  // namespace
