#include "reminder_due.h"

#include <gtest/gtest.h>

#include "log_test_support.h"

TEST(ReminderDue, SoonWithin500KmOverdueOncePassed) {
    struct Row {
        const char* name;
        double due;
        double odometer;
        DueState state;
        const char16_t* note;
    };
    const Row rows[] = {
        {"501 km to go", 45000.0, 44499.0, DueState::NotDue, u""},
        {"500 km to go", 45000.0, 44500.0, DueState::DueSoon, u"due in 500 km"},
        {"at it", 45000.0, 45000.0, DueState::DueSoon, u"due now"},
        {"120 km past it", 45000.0, 45120.0, DueState::Overdue, u"passed 120 km ago"},
        {"a tenth of a km to go", 45000.0, 44700.5, DueState::DueSoon, u"due in 299.5 km"},
        {"0 is no reading", 0.0, 44700.0, DueState::NotDue, u""},
        {"below 0 is no reading", -100.0, -300.0, DueState::NotDue, u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ReminderDue due = ReminderDueAt(row.due, row.odometer);
        EXPECT_EQ(due.state, row.state);
        EXPECT_EQ(DueNote(due), row.note);
    }
}

TEST(ReminderDue, TheLatestReadingIsTheNewestEntryThatHasOne) {
    // The newest entry, a maintenance without a reading, is passed over.
    EXPECT_EQ(LatestOdometer(BookOf({Entry(2007, 9, 2, 8, 0, 0, 0.0, 0.0, Maintenance, 500),
                                     Entry(2007, 9, 1, 8, 0, 0, 41950.0, 0.0, Maintenance, 800),
                                     Entry(2007, 8, 1, 8, 0, 0, 41000.0, 30.0, FillUp, 4000)})),
              41950.0);
    EXPECT_FALSE(LatestOdometer(BookOf({})).has_value());
    EXPECT_FALSE(LatestOdometer(BookOf({Entry(2007, 9, 2, 8, 0, 0, 0.0, 0.0, Maintenance, 500)}))
                     .has_value());
}
