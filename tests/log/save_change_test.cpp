#include "save_change.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

#include "date_order.h"
#include "log_format.h"
#include "log_load.h"
#include "log_save.h"
#include "log_test_support.h"
#include "recompute.h"

// A window read the log; meanwhile something else may have written it. Its next command never
// writes its stale copy over the newer file: the change is made to what the file holds now, or,
// when the entry it was made on is gone, nothing is saved and the message says why.

namespace {

const LogBook kRead = WorkedExample();  // newest first: 41950 (M), 41890 (F), 41502.5 (N), 41230

LogRecord Corrected(std::size_t index, int32_t cost) {
    LogRecord r = kRead.records[index];
    r.cost = cost;
    return r;
}

ReminderChange Label(std::size_t row, const std::u16string& text) {
    ReminderChange change;
    change.label[row] = text;
    return change;
}

// Another window or program that reads the log, makes `change` and saves it.
void Elsewhere(const std::string& path, const LogChange& change) {
    LogBook book;
    ASSERT_TRUE(LoadLog(book, path).ok());
    ASSERT_EQ(ApplyChange(book, change), ApplyOutcome::Applied);
    SortNewestFirst(book);
    RecomputeLog(book);
    ASSERT_TRUE(SaveLog(book, path).ok());
}

struct SharedRow {
    const char* name;
    void (*outside)(const std::string& path);
    LogChange command;              // the window's own
    std::string message;            // "{}" stands for the path
    std::vector<double> odometers;  // of the file afterwards
    std::array<std::u16string, 3> labels;
};

void PrintTo(const SharedRow& row, std::ostream* out) {
    *out << row.name;
}

class SaveChangeShared : public testing::TestWithParam<SharedRow> {};

std::string WithPath(std::string text, const std::string& path) {
    for (std::size_t at; (at = text.find("{}")) != std::string::npos;) {
        text.replace(at, 2, path);
    }
    return text;
}

TEST_P(SaveChangeShared, NeverWritesAStaleCopyOverANewerFile) {
    const SharedRow& row = GetParam();
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    LogBook window = kRead;
    RecomputeLog(window);
    WriteBytes(path, FormatLogFile(window));
    const LoadResult read = LoadLog(window, path);

    row.outside(path);
    ASSERT_EQ(ApplyChange(window, row.command), ApplyOutcome::Applied);
    SortNewestFirst(window);
    RecomputeLog(window);
    const std::string before = ::access(path.c_str(), F_OK) == 0 ? ReadBytes(path) : "";
    const ChangeSaveResult result = SaveChange(window, path, read.snapshot, row.command);

    EXPECT_EQ(result.message, WithPath(row.message, path));
    const bool saved = result.message.find("not saved") == std::string::npos;
    EXPECT_EQ(result.saved, saved);
    EXPECT_EQ(result.fileHadChanged, saved && !result.message.empty());
    if (saved) {
        EXPECT_EQ(FileChangedSince(path, result.written).state, ChangeCheck::State::Unchanged);
    } else {
        EXPECT_EQ(::access(path.c_str(), F_OK) == 0 ? ReadBytes(path) : "", before);
    }
    LogBook after;
    LoadLog(after, path);
    std::vector<double> odometers;
    for (int32_t i = 0; i < after.count; ++i) {
        odometers.push_back(after.records[static_cast<std::size_t>(i)].odo);
    }
    EXPECT_EQ(odometers, row.odometers);
    EXPECT_EQ(after.reminders.label, row.labels);
}

constexpr char kMerged[] =
    "\"{}\" was changed elsewhere since it was read. Your change was made to what it holds now.";
constexpr char kGone[] =
    "\"{}\" was changed elsewhere since it was read. The entry is no longer in it.\n"
    "The change was not saved.";
const LogRecord kNew = Entry(2007, 9, 10, 8, 0, 0, 42300.0, 20.0, FillUp, 3000);
const LogRecord kOther = Entry(2007, 9, 5, 8, 0, 0, 42100.0, 0.0, Maintenance, 500);
const std::array<std::u16string, 3> kLabels = kRead.reminders.label;

const SharedRow kSharedRows[] = {
    {"NothingElseWroteItSoTheWindowsBookIsSaved",
     [](const std::string&) {},
     LogChange::Add(kNew, {}),
     "",
     {42300.0, 41950.0, 41890.0, 41502.5, 41230.0},
     kLabels},
    {"AnInputGoesIntoTheNewerFile",
     [](const std::string& path) { Elsewhere(path, LogChange::Add(kOther, {})); },
     LogChange::Add(kNew, {}),
     kMerged,
     {42300.0, 42100.0, 41950.0, 41890.0, 41502.5, 41230.0},
     kLabels},
    {"AnImportIntoTheNewerFileAddsOnlyWhatItLacks",
     [](const std::string& path) { Elsewhere(path, LogChange::Add(kOther, {})); },
     LogChange::Import({kOther, kNew}),
     kMerged,
     {42300.0, 42100.0, 41950.0, 41890.0, 41502.5, 41230.0},
     kLabels},
    {"ACorrectionBesideADeletionElsewhere",
     [](const std::string& path) { Elsewhere(path, LogChange::Remove(kRead.records[2])); },
     LogChange::Replace(kRead.records[1], Corrected(1, 4300), {}),
     kMerged,
     {41950.0, 41890.0, 41230.0},
     kLabels},
    {"AnEntryCorrectedElsewhereIsNotCorrectedAgain",
     [](const std::string& path) {
         Elsewhere(path, LogChange::Replace(kRead.records[1], Corrected(1, 4300), {}));
     },
     LogChange::Replace(kRead.records[1], Corrected(1, 9999), {}),
     kGone,
     {41950.0, 41890.0, 41502.5, 41230.0},
     kLabels},
    {"AnEntryDeletedElsewhereIsNotDeletedAgain",
     [](const std::string& path) { Elsewhere(path, LogChange::Remove(kRead.records[2])); },
     LogChange::Remove(kRead.records[2]),
     kGone,
     {41950.0, 41890.0, 41230.0},
     kLabels},
    {"EachSideKeepsTheReminderItChanged",
     [](const std::string& path) {
         Elsewhere(path, LogChange::RemindersOnly(Label(1, u"AIR FILTER")));
     },
     LogChange::RemindersOnly(Label(0, u"OIL FILTER")),
     kMerged,
     {41950.0, 41890.0, 41502.5, 41230.0},
     {u"OIL FILTER", u"AIR FILTER", u""}},
    {"AChangedFileThatReadsAsDamagedIsNotSavedOver",
     [](const std::string& path) {
         WriteBytes(path, ReadBytes(path) + "2007,9,5,8,0,0,42100.0,0.0,2,500\n");
     },
     LogChange::Add(kNew, {}),
     "\"{}\" was changed elsewhere since it was read. It now reads as damaged: another program "
     "may still be writing it.\nThe change was not saved.",
     {42100.0, 41950.0, 41890.0, 41502.5, 41230.0},
     kLabels},
    {"AFileThatIsGoneIsNotMadeAgain",
     [](const std::string& path) { ::unlink(path.c_str()); },
     LogChange::Add(kNew, {}),
     "Cannot read \"{}\": No such file or directory\nThe change was not saved.",
     {},
     {u"", u"", u""}},
};

INSTANTIATE_TEST_SUITE_P(Log, SaveChangeShared, testing::ValuesIn(kSharedRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
