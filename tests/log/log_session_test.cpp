#include <sys/stat.h>

#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

#include "log_format.h"
#include "log_session.h"
#include "log_test_support.h"

namespace {

// What opening does with a log that is there, one that is not, and one whose folder is not,
// for each way of opening.
TEST(LogSession, OpeningFollowsItsOptions) {
    enum class Place { Log, NoLog, NoFolder };
    const struct {
        const char* name;
        Place place;
        OpenOptions options;
        bool readOk;
        bool created;
        bool willBeMade;
        bool missing;
        bool fileAfter;
    } rows[] = {
        {"window, log there",
         Place::Log,
         {LockUse::Take, MissingLog::Create},
         true,
         false,
         false,
         false,
         true},
        {"window, no log: made",
         Place::NoLog,
         {LockUse::Take, MissingLog::Create},
         true,
         true,
         false,
         false,
         true},
        {"window, no folder",
         Place::NoFolder,
         {LockUse::Take, MissingLog::Create},
         true,
         false,
         false,
         true,
         false},
        {"reader, no log: an error",
         Place::NoLog,
         {LockUse::None, MissingLog::Fail},
         false,
         false,
         false,
         false,
         false},
        {"import, no log: made at the first change",
         Place::NoLog,
         {LockUse::Take, MissingLog::MakeWhenFirst},
         true,
         false,
         true,
         false,
         false},
        {"dry run, no folder",
         Place::NoFolder,
         {LockUse::None, MissingLog::MakeWhenFirst},
         true,
         false,
         false,
         true,
         false},
    };
    for (const auto& row : rows) {
        TempFolder card;
        const std::string folder = card / "Tarvo";
        if (row.place != Place::NoFolder) {
            ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        }
        const std::string path = folder + "/Tarvo.csv";
        if (row.place == Place::Log) {
            WriteBytes(path, FormatLogFile(WorkedExample()));
        }
        LogBook book;
        LogSession session(path, book);
        const LogOpening opening = session.Open(row.options);
        EXPECT_EQ(opening.read.ok(), row.readOk) << row.name;
        EXPECT_EQ(opening.created, row.created) << row.name;
        EXPECT_EQ(opening.willBeMade, row.willBeMade) << row.name;
        EXPECT_EQ(opening.missing.has_value(), row.missing) << row.name;
        EXPECT_EQ(::access(path.c_str(), F_OK) == 0, row.fileAfter) << row.name;
        EXPECT_EQ(session.HoldsLock(), row.options.lock == LockUse::Take && !row.missing)
            << row.name;
    }
}

// A log that did not exist is made by its first change, which is made to the fresh log; the
// session's own save is not taken for an outside change, another program's write is.
TEST(LogSession, TheFirstChangeMakesTheLogAndOnlyOutsideWritesCountAsChanges) {
    TempFolder card;
    const std::string path = card / "Tarvo.csv";
    LogBook book;
    LogSession session(path, book);
    ASSERT_TRUE(session.Open({LockUse::Take, MissingLog::MakeWhenFirst}).willBeMade);
    EXPECT_FALSE(session.ChangedOutside());
    ASSERT_TRUE(session.PrepareChange().Ready());
    const LogRecord added = Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, FillUp, 5390);
    const ChangeOutcome outcome = session.Make(LogChange::Add(added, {}));
    EXPECT_EQ(outcome.result, ChangeResult::Saved);
    EXPECT_EQ(book.count, 1);
    EXPECT_EQ(book.reminders.label[0], u"CHANGE OIL BEFORE");
    EXPECT_FALSE(session.ChangedOutside());

    WriteBytes(path, FormatLogFile(WorkedExample()));
    EXPECT_TRUE(session.ChangedOutside());
    EXPECT_TRUE(session.Read().ok());
    EXPECT_EQ(book.count, 4);
    EXPECT_FALSE(session.ChangedOutside());
}

// A second session on the same log reads it, but cannot change it while the first holds it.
TEST(LogSession, ASecondSessionWaitsForTheFirstToLetGo) {
    TempFolder card;
    const std::string path = card / "Tarvo.csv";
    WriteBytes(path, FormatLogFile(WorkedExample()));
    LogBook firstBook;
    LogBook secondBook;
    auto first = std::make_unique<LogSession>(path, firstBook);
    ASSERT_FALSE(first->Open({LockUse::Take, MissingLog::Create}).readOnly);
    LogSession second(path, secondBook);
    const LogOpening opening = second.Open({LockUse::Take, MissingLog::Create});
    EXPECT_TRUE(opening.readOnly);
    EXPECT_EQ(secondBook.count, 4);
    EXPECT_EQ(second.PrepareChange().blocker, ChangeBlocker::HeldElsewhere);

    const LogRecord added = Entry(2007, 9, 5, 8, 0, 0, 42100.0, 0.0, Maintenance, 500);
    ASSERT_EQ(first->Make(LogChange::Add(added, {})).result, ChangeResult::Saved);
    first.reset();
    const ChangeReadiness ready = second.PrepareChange();
    EXPECT_TRUE(ready.Ready());
    EXPECT_TRUE(ready.reread) << "what the first saved is read before a change";
    EXPECT_EQ(secondBook.count, 5);
}

}  // namespace
