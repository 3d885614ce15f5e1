#include "log_change.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "log_test_support.h"

// A command's change, made to a book read afresh from the file: the entry to correct or delete
// is found by what the file stores of it, and only the reminder values the user changed are set.

namespace {

const LogBook kRead = WorkedExample();  // newest first: 41950 (M), 41890 (F), 41502.5 (N), 41230

LogRecord ReadEntry(std::size_t index) {
    return kRead.records[index];
}

LogRecord With(LogRecord r, void (*change)(LogRecord&)) {
    change(r);
    return r;
}

ReminderChange OilAt46000() {
    ReminderChange change;
    change.value[0] = 46000.0;
    change.label[1] = u"AIR FILTER";
    return change;
}

struct ApplyRow {
    const char* name;
    LogChange change;
    ApplyOutcome outcome;
    std::vector<double> odometers;  // in array order afterwards
    bool remindersSet;
};

void PrintTo(const ApplyRow& row, std::ostream* out) {
    *out << row.name;
}

class LogChangeApply : public testing::TestWithParam<ApplyRow> {};

TEST_P(LogChangeApply, ToAFreshlyReadBook) {
    LogBook book = kRead;
    EXPECT_EQ(ApplyChange(book, GetParam().change), GetParam().outcome);
    std::vector<double> odometers;
    for (int32_t i = 0; i < book.count; ++i) {
        odometers.push_back(book.records[static_cast<std::size_t>(i)].odo);
    }
    EXPECT_EQ(odometers, GetParam().odometers);
    EXPECT_EQ(book.records.size(), static_cast<std::size_t>(book.count) + 1) << "a spare slot";
    const ReminderBlock expected =
        GetParam().remindersSet
            ? ReminderBlock{{46000.0, 50000.0, 0.0}, {u"CHANGE OIL BEFORE", u"AIR FILTER", u""}}
            : kRead.reminders;
    EXPECT_EQ(book.reminders.value, expected.value);
    EXPECT_EQ(book.reminders.label, expected.label);
}

const ApplyRow kApplyRows[] = {
    {"AddPutsTheEntryInFront",
     LogChange::Add(Entry(2007, 9, 10, 8, 0, 0, 42300.0, 20.0, FillUp, 3000), OilAt46000()),
     ApplyOutcome::Applied,
     {42300.0, 41950.0, 41890.0, 41502.5, 41230.0},
     true},
    {"ReplaceFindsTheEntryAsTheFileStoresIt",
     LogChange::Replace(With(ReadEntry(1), [](LogRecord& r) { r.odo = 41890.04; }),
                        With(ReadEntry(1), [](LogRecord& r) { r.odo = 41891.0; }), {}),
     ApplyOutcome::Applied,
     {41950.0, 41891.0, 41502.5, 41230.0},
     false},
    {"ASecondLaterIsAnotherEntry",
     LogChange::Replace(With(ReadEntry(1), [](LogRecord& r) { ++r.time.wSecond; }), ReadEntry(0),
                        {}),
     ApplyOutcome::EntryGone,
     {41950.0, 41890.0, 41502.5, 41230.0},
     false},
    {"RemoveOfWhatIsNowTheOldestIsRefused",
     LogChange::Remove(ReadEntry(3)),
     ApplyOutcome::OldestKept,
     {41950.0, 41890.0, 41502.5, 41230.0},
     false},
    {"ImportAddsInFrontOnlyWhatTheBookLacks",
     LogChange::Import({Entry(2007, 9, 5, 8, 0, 0, 42100.0, 0.0, Maintenance, 500), ReadEntry(1),
                        Entry(2007, 9, 10, 8, 0, 0, 42300.0, 20.0, FillUp, 3000)}),
     ApplyOutcome::Applied,
     {42300.0, 42100.0, 41950.0, 41890.0, 41502.5, 41230.0},
     false},
    {"ImportOfWhatTheBookHoldsAddsNothing",
     LogChange::Import({ReadEntry(3), ReadEntry(0)}),
     ApplyOutcome::Applied,
     {41950.0, 41890.0, 41502.5, 41230.0},
     false},
    {"RemindersOnlyTheValuesTheUserChanged",
     LogChange::RemindersOnly(OilAt46000()),
     ApplyOutcome::Applied,
     {41950.0, 41890.0, 41502.5, 41230.0},
     true},
};

INSTANTIATE_TEST_SUITE_P(Log, LogChangeApply, testing::ValuesIn(kApplyRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogChangeReminders, AreTheValuesTheDialogReturnedChanged) {
    ReminderBlock returned = kRead.reminders;
    EXPECT_EQ(RemindersChanged(kRead.reminders, returned).label,
              (std::array<std::optional<std::u16string>, 3>{}));
    returned.label[2] = u"TYRES";
    returned.value[0] = 46000.0;
    const ReminderChange change = RemindersChanged(kRead.reminders, returned);
    EXPECT_EQ(change.label,
              (std::array<std::optional<std::u16string>, 3>{std::nullopt, std::nullopt, u"TYRES"}));
    EXPECT_EQ(change.value,
              (std::array<std::optional<double>, 3>{46000.0, std::nullopt, std::nullopt}));
}

}  // namespace
