#include <fcntl.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "date_order.h"
#include "file_descriptor.h"
#include "log_export.h"
#include "log_format.h"
#include "log_load.h"
#include "log_test_support.h"
#include "log_transfer.h"
#include "recompute.h"
#include "save_change.h"

// Another program writes the log at the worst moment of a save: after the last check, just before
// the swap or the rename, or in place and in pieces while the save reads it. Nothing it wrote is
// lost: the save's one change is made to what it wrote, or, when it cannot be, the log is left as
// that program left it. The program meets the save at its steps, not on a timer: this test is
// linked with the core's calls at those steps wrapped (ld --wrap, see CMakeLists.txt), as the
// crash test is, so the product carries no hooks.

enum class SaveStep {
    Swap,    // renameat2: the exchange of the staged file and the log
    Rename,  // rename: putting a staged file in place where names cannot be exchanged
    Settle,  // nanosleep: the pause before a damaged file is read again (never slept here)
};

namespace {

// What the other program does to the log at `path`.
using Action = void (*)(const std::string& path);

std::string g_path;
std::map<SaveStep, Action> g_actions;  // each run once, just before its step
bool g_exchange = true;  // else renameat2 with RENAME_EXCHANGE fails with EINVAL, as on vfat

void Reach(SaveStep step) {
    const Action action = g_actions[step];
    g_actions.erase(step);  // taken first: the action may reach the step itself
    if (action != nullptr) {
        action(g_path);
    }
}

}  // namespace

extern "C" {

int __real_renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                     unsigned int flags);
int __real_rename(const char* from, const char* to);

int __wrap_renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                     unsigned int flags) {
    Reach(SaveStep::Swap);
    if (!g_exchange && (flags & RENAME_EXCHANGE) != 0) {
        errno = EINVAL;
        return -1;
    }
    return __real_renameat2(fromFolder, from, toFolder, to, flags);
}

int __wrap_rename(const char* from, const char* to) {
    Reach(SaveStep::Rename);
    return __real_rename(from, to);
}

int __wrap_nanosleep(const timespec*, timespec*) {
    Reach(SaveStep::Settle);
    return 0;
}

}  // extern "C"

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

// What the other program writes: the log read with its own entry added, or with the entry the
// window's command removes removed.
const std::string kTheirs = Formatted(kRead, LogChange::Add(kOther, {}));
const std::string kRemoved = Formatted(kRead, LogChange::Remove(kRead.records[2]));
const std::string kBoth = Formatted(kRead, LogChange::Import({kOther, kNew}));

// In place, in two pieces, through a descriptor it keeps between them.
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

void RemoveInPlace(const std::string& path) {
    WriteBytes(path, kRemoved);
}

void AllByRename(const std::string& path) {
    WriteBytes(path + ".new", kTheirs);
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
}

struct Race {
    const char* name;
    bool exchange;    // whether the file system exchanges names
    SaveStep step;    // the step of the save at which the other program
    Action atStep;    // does what
    Action atSettle;  // and what once the save waits for a damaged file to settle
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
    g_exchange = row.exchange;
    g_path = path;
    g_actions = {{row.step, row.atStep}, {SaveStep::Settle, row.atSettle}};
    ApplyChange(window, row.command);
    SortNewestFirst(window);
    RecomputeLog(window);
    std::string message = SaveChange(window, path, read.snapshot, row.command).message;
    g_exchange = true;
    g_writer.Close();

    for (std::size_t at; (at = message.find(path)) != std::string::npos;) {
        message.replace(at, path.size(), "{}");
    }
    EXPECT_EQ(message, row.message);
    EXPECT_EQ(ReadBytes(path), row.after);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"}) << "no temporary, no backup";
}

constexpr char kMerged[] =
    "\"{}\" was changed elsewhere since it was read. Your change was made to what it holds now.";
constexpr char kGone[] =
    "\"{}\" was changed elsewhere since it was read. The entry is no longer in it.\n"
    "The change was not saved.";
const LogChange kAdd = LogChange::Add(kNew, {});
const LogChange kRemove = LogChange::Remove(kRead.records[2]);
constexpr SaveStep kSwap = SaveStep::Swap;
constexpr SaveStep kRename = SaveStep::Rename;
constexpr char kDamaged[] =
    "\"{}\" was changed elsewhere since it was read. It now reads as damaged: another program "
    "may still be writing it.\nThe change was not saved.";
const std::string kHalf = kTheirs.substr(0, kTheirs.size() / 2);

const Race kRaces[] = {
    {"AReplaceBetweenTheCheckAndTheSwap", true, kSwap, AllByRename, nullptr, kAdd, kMerged, kBoth},
    {"AnInPlaceWriteBetweenTheCheckAndTheSwap", true, kSwap, AllInPlace, nullptr, kAdd, kMerged,
     kBoth},
    {"AnInPlaceWriteBeforeTheRenameWithoutExchange", false, kRename, AllInPlace, nullptr, kAdd,
     kMerged, kBoth},
    {"AHalfWriteFinishedWhileItSettles", true, kSwap, FirstHalf, SecondHalf, kAdd, kMerged, kBoth},
    {"AHalfWriteNeverFinishedIsNotSavedOver", true, kSwap, FirstHalf, nullptr, kAdd, kDamaged,
     kHalf},
    {"AnEntryRemovedBetweenTheCheckAndTheSwap", true, kSwap, RemoveInPlace, nullptr, kRemove, kGone,
     kRemoved},
    {"AnEntryRemovedBeforeTheRenameWithoutExchangeIsPutBack", false, kRename, RemoveInPlace,
     nullptr, kRemove, kGone, kRemoved},
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
    g_path = path;
    g_actions = {{SaveStep::Settle, SecondHalf}};
    LogBook book;
    LogSession session(path, book);
    const LogOpening opening = session.Open({LockUse::Take, MissingLog::MakeWhenFirst});
    EXPECT_TRUE(opening.read.problems.empty());
    const ImportResult imported =
        ImportPlanned(session, PlanImportInto(session, ExportLog(BookOf({kNew})), {}));
    EXPECT_EQ(imported.change.result, ChangeResult::Saved);
    EXPECT_EQ(imported.change.message, "");
    EXPECT_EQ(ReadBytes(path), kBoth);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Tarvo.csv", "Tarvo.csv.lock"}));
}

}  // namespace
