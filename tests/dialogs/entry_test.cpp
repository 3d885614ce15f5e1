// The entry dialog's own fields: what it shows when it opens, the record's date-time as the
// pickers and "Today Now" change it, and the kind buttons. The pads are in entry_pads_test.cpp.

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLocale>
#include <QTest>

#include "controls.h"
#include "entry_dlg.h"
#include "modal_driver.h"
#include "resource.h"
#include "ui.h"

namespace {

SYSTEMTIME Moment(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME t{};
    t.wYear = static_cast<uint16_t>(year);
    t.wMonth = static_cast<uint16_t>(month);
    t.wDay = static_cast<uint16_t>(day);
    t.wHour = static_cast<uint16_t>(hour);
    t.wMinute = static_cast<uint16_t>(minute);
    t.wSecond = static_cast<uint16_t>(second);
    return t;
}

// All eight fields, so that a failing comparison says which one moved.
std::string Show(const SYSTEMTIME& t) {
    char text[80];
    std::snprintf(text, sizeof text, "%u/%u/%u %u:%02u:%02u dow %u ms %u", t.wYear, t.wMonth,
                  t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek, t.wMilliseconds);
    return text;
}

QDateTimeEdit* Picker(CDialog& d, int id) {
    return qobject_cast<QDateTimeEdit*>(ui::Control(d, id));
}

// What a control shows, as text that a failing comparison prints readably.
std::string Shown(CDialog& d, int id) {
    if (const QDateTimeEdit* picker = Picker(d, id)) {
        return picker->text().toStdString();
    }
    return ui::QText(d, id).toStdString();
}

bool Checked(CDialog& d, int id) {
    const auto* button = qobject_cast<QAbstractButton*>(ui::Control(d, id));
    return button != nullptr && button->isChecked();
}

// A fill-up of 2007/8/15 18:40:12 (a Wednesday), as the log would hand it over for correction.
LogRecord StoredRecord() {
    LogRecord r;
    r.time = Moment(2007, 8, 15, 18, 40, 12);
    r.time.wDayOfWeek = 3;
    r.time.wMilliseconds = 250;
    r.fuel = 12.0;
    r.kind = NotFillUp;
    r.odo = 41502.5;
    r.cost = 1716;
    return r;
}

ReminderBlock Reminders() {
    ReminderBlock block;
    block.label = {u"CHANGE OIL BEFORE", u"CHANGE AIR-F BEFORE", u""};
    block.value = {52000.0, 60000.5, 0.0};
    return block;
}

// "Now" is injected: every test sees the same clock, and reading it is counted.
// The pickers write dates and times as the desktop does; these tests run on a Japanese
// desktop's, "2026/03/14" and "9:26:53", year first as the handheld wrote them.
class EntryDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
        SetPlatformClock([this] {
            ++m_clockReads;
            return m_now;
        });
    }
    void TearDown() override {
        SetPlatformClock(nullptr);
        QLocale::setDefault(m_desktop);
    }

    QDateTime m_now{QDate(2026, 3, 14), QTime(9, 26, 53, 700)};
    int m_clockReads = 0;
    const QLocale m_desktop;
};

TEST_F(EntryDlgTest, NewEntryShowsNowZerosFillUpAndTheRemindersGiven) {
    ModalDriver driver;
    CEntryDlg dlg;
    dlg.SetReminders(Reminders());
    driver.OnDialog(IDD_ENTRY, [](CDialog& d) {
        // The focus starts on the date, where the eye starts; opening the dialog opens no pad.
        EXPECT_EQ(QApplication::focusWidget(), ui::Control(d, IDC_DATE));
        EXPECT_EQ(d.GetWindowWidget()->windowTitle(), "New entry");
        EXPECT_EQ(Shown(d, IDC_DATE), "2026/03/14");
        EXPECT_EQ(Shown(d, IDC_TIME), "9:26:53");
        EXPECT_EQ(Shown(d, IDC_FUEL), "0");
        EXPECT_EQ(Shown(d, IDC_ODO), "0");
        EXPECT_EQ(Shown(d, IDC_PRICE), "0");
        EXPECT_TRUE(Checked(d, IDC_KIND_FILLUP));
        EXPECT_FALSE(Checked(d, IDC_KIND_NOTFILLUP));
        EXPECT_FALSE(Checked(d, IDC_KIND_MAINTENANCE));
        EXPECT_EQ(Shown(d, IDC_ENTRY_LABEL1), "CHANGE OIL BEFORE");
        EXPECT_EQ(Shown(d, IDC_ENTRY_LABEL2), "CHANGE AIR-F BEFORE");
        EXPECT_EQ(Shown(d, IDC_ENTRY_LABEL3), "");
        EXPECT_EQ(Shown(d, IDC_ENTRY_VALUE1), "52000");
        EXPECT_EQ(Shown(d, IDC_ENTRY_VALUE2), "60000.5");
        EXPECT_EQ(Shown(d, IDC_ENTRY_VALUE3), "0");
        ui::Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(driver.DialogsRun(), std::vector<UINT>{IDD_ENTRY});

    const LogRecord r = dlg.GetRecord();
    SYSTEMTIME expected = Moment(2026, 3, 14, 9, 26, 53);
    expected.wDayOfWeek = 6;  // a Saturday; the milliseconds of "now" are not kept
    EXPECT_EQ(Show(r.time), Show(expected));
    EXPECT_EQ(r.fuel, 0.0);
    EXPECT_EQ(r.odo, 0.0);
    EXPECT_EQ(r.cost, 0);
    EXPECT_EQ(r.kind, FillUp);
    const ReminderBlock back = dlg.GetReminders();
    EXPECT_EQ(back.label, Reminders().label);
    EXPECT_EQ(back.value, Reminders().value);
}

TEST_F(EntryDlgTest, NowIsReadOncePerPickerAndTheRecordTakesTheFirstReading) {
    // The clock ticks over midnight between the two readings.
    int reads = 0;
    SetPlatformClock([&reads] {
        return ++reads == 1 ? QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
                            : QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0));
    });
    ModalDriver driver;
    CEntryDlg dlg;
    EXPECT_EQ(reads, 2);
    driver.OnDialog(IDD_ENTRY, [](CDialog& d) {
        EXPECT_EQ(Shown(d, IDC_DATE), "2026/12/31");
        EXPECT_EQ(Shown(d, IDC_TIME), "0:00:00");
        ui::Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Show(dlg.GetRecord().time).substr(0, 19), "2026/12/31 23:59:59");
}

TEST_F(EntryDlgTest, RecordSetBeforeTheRunIsShownAndComesBackUnchanged) {
    ModalDriver driver;
    CEntryDlg dlg;
    dlg.SetReminders(Reminders());
    dlg.SetRecord(StoredRecord());
    driver.OnDialog(IDD_ENTRY, [](CDialog& d) {
        EXPECT_EQ(d.GetWindowWidget()->windowTitle(), "Correct entry");
        EXPECT_EQ(Shown(d, IDC_DATE), "2007/08/15");
        EXPECT_EQ(Shown(d, IDC_TIME), "18:40:12");
        EXPECT_EQ(Shown(d, IDC_FUEL), "12");
        EXPECT_EQ(Shown(d, IDC_ODO), "41502.5");
        EXPECT_EQ(Shown(d, IDC_PRICE), "1716");
        EXPECT_TRUE(Checked(d, IDC_KIND_NOTFILLUP));
        ui::Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const LogRecord r = dlg.GetRecord();
    // All eight fields as they came, day of week and milliseconds included.
    EXPECT_EQ(Show(r.time), Show(StoredRecord().time));
    EXPECT_EQ(r.fuel, 12.0);
    EXPECT_EQ(r.odo, 41502.5);
    EXPECT_EQ(r.cost, 1716);
    EXPECT_EQ(r.kind, NotFillUp);
}

TEST_F(EntryDlgTest, RecordComesBackWithoutDerivedValues) {
    LogRecord stored = StoredRecord();
    stored.carriedFuel = 4.0;
    stored.trip = 272.5;
    stored.kmPerL = 22.7;
    stored.yenPerL = 143.0;
    ModalDriver driver;
    CEntryDlg dlg;
    dlg.SetRecord(stored);
    driver.OnDialog(IDD_ENTRY, [](CDialog& d) { ui::Click(d, IDOK); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const LogRecord r = dlg.GetRecord();
    EXPECT_EQ(r.carriedFuel, 0.0);
    EXPECT_EQ(r.trip, 0.0);
    EXPECT_EQ(r.kmPerL, 0.0);
    EXPECT_EQ(r.yenPerL, 0.0);
}

TEST_F(EntryDlgTest, CancelEndsTheRunWithCancel) {
    ModalDriver driver;
    CEntryDlg dlg;
    driver.OnDialog(IDD_ENTRY, [](CDialog& d) { ui::Click(d, IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// What the user does to the date picker, each a different road to a new date.
void OpenCalendarAndPickTheNextWeek(CDialog& d) {
    QDateTimeEdit* picker = Picker(d, IDC_DATE);
    // A tap on the drop-down arrow at the right end of the picker opens the calendar.
    QTest::mouseClick(picker, Qt::LeftButton, {},
                      QPoint(picker->width() - 4, picker->height() / 2));
    ASSERT_TRUE(picker->calendarWidget()->isVisible());
    ui::Key(d, Qt::Key_Down);  // the same weekday a week later
    ui::Key(d, Qt::Key_Return);
    EXPECT_FALSE(picker->calendarWidget()->isVisible());
}

TEST_F(EntryDlgTest, DatePickedTypedOrSteppedInTheDatePickerChangesOnlyTheRecordsDate) {
    struct Row {
        const char* name;
        void (*act)(CDialog&);
        const char* shown;
        SYSTEMTIME expected;
    };
    const Row rows[] = {
        {"picked in the calendar", &OpenCalendarAndPickTheNextWeek, "2007/08/22",
         Moment(2007, 8, 22, 18, 40, 12)},
        {"year typed",
         [](CDialog& d) {
             Picker(d, IDC_DATE)->setFocus(Qt::TabFocusReason);  // the year is selected
             ui::Type(d, "2008");
         },
         "2008/08/15", Moment(2008, 8, 15, 18, 40, 12)},
        {"day stepped with the arrow keys",
         [](CDialog& d) {
             Picker(d, IDC_DATE)->setFocus(Qt::TabFocusReason);
             ui::Key(d, Qt::Key_Tab);  // to the month
             ui::Key(d, Qt::Key_Tab);  // to the day
             ui::Key(d, Qt::Key_Down);
             ui::Key(d, Qt::Key_Down);
         },
         "2007/08/13", Moment(2007, 8, 13, 18, 40, 12)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetRecord(StoredRecord());
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            row.act(d);
            EXPECT_EQ(Shown(d, IDC_DATE), row.shown);
            EXPECT_EQ(Shown(d, IDC_TIME), "18:40:12");
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        SYSTEMTIME expected = row.expected;
        expected.wDayOfWeek = 3;  // as the stored record held them
        expected.wMilliseconds = 250;
        EXPECT_EQ(Show(dlg.GetRecord().time), Show(expected));
    }
}

TEST_F(EntryDlgTest, TimeTypedOrSteppedInTheTimePickerChangesOnlyTheRecordsTime) {
    struct Row {
        const char* name;
        void (*act)(CDialog&);
        const char* shown;
        SYSTEMTIME expected;
    };
    const Row rows[] = {
        {"hour stepped up",
         [](CDialog& d) {
             Picker(d, IDC_TIME)->setFocus(Qt::TabFocusReason);  // the hour is selected
             ui::Key(d, Qt::Key_Up);
         },
         "19:40:12", Moment(2007, 8, 15, 19, 40, 12)},
        {"minutes typed",
         [](CDialog& d) {
             Picker(d, IDC_TIME)->setFocus(Qt::TabFocusReason);
             ui::Key(d, Qt::Key_Tab);  // to the minutes
             ui::Type(d, "05");
         },
         "18:05:12", Moment(2007, 8, 15, 18, 5, 12)},
        {"seconds stepped down",
         [](CDialog& d) {
             Picker(d, IDC_TIME)->setFocus(Qt::BacktabFocusReason);  // the seconds are selected
             ui::Key(d, Qt::Key_Down);
             ui::Key(d, Qt::Key_Down);
         },
         "18:40:10", Moment(2007, 8, 15, 18, 40, 10)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetRecord(StoredRecord());
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            row.act(d);
            EXPECT_EQ(Shown(d, IDC_TIME), row.shown);
            EXPECT_EQ(Shown(d, IDC_DATE), "2007/08/15");
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        SYSTEMTIME expected = row.expected;
        expected.wDayOfWeek = 3;
        expected.wMilliseconds = 250;
        EXPECT_EQ(Show(dlg.GetRecord().time), Show(expected));
    }
}

// Each picker holds a whole date and time, though it shows only a part; each notification must
// take only the part its picker shows. The values are set as the program would set them (no
// notification), then exactly one notification is sent.
TEST_F(EntryDlgTest, EachPickerNotificationTakesOnlyThePartItsPickerShows) {
    struct Row {
        const char* name;
        int code;
        int id;
        SYSTEMTIME expected;
    };
    const Row rows[] = {
        {"date close-up", DTN_CLOSEUP, IDC_DATE, Moment(2030, 1, 2, 18, 40, 12)},
        {"date change", DTN_DATETIMECHANGE, IDC_DATE, Moment(2030, 1, 2, 18, 40, 12)},
        {"time change", DTN_DATETIMECHANGE, IDC_TIME, Moment(2007, 8, 15, 8, 9, 10)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetRecord(StoredRecord());
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            auto* date = dynamic_cast<DateTimePickerControl*>(Picker(d, IDC_DATE));
            auto* time = dynamic_cast<DateTimePickerControl*>(Picker(d, IDC_TIME));
            ASSERT_NE(date, nullptr);
            ASSERT_NE(time, nullptr);
            date->SetValue(QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5)));
            time->SetValue(QDateTime(QDate(2031, 6, 7), QTime(8, 9, 10)));
            NMHDR nm;
            nm.idFrom = static_cast<UINT_PTR>(row.id);
            nm.code = row.code;
            EXPECT_TRUE(d.SendNotify(WM_NOTIFY, row.code, row.id, &nm));
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        SYSTEMTIME expected = row.expected;
        expected.wDayOfWeek = 3;
        expected.wMilliseconds = 250;
        EXPECT_EQ(Show(dlg.GetRecord().time), Show(expected));
    }
}

TEST_F(EntryDlgTest, TodayNowSetsBothPickersAndTheRecordToOneMoment) {
    ModalDriver driver;
    CEntryDlg dlg;
    dlg.SetRecord(StoredRecord());
    driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
        m_now = QDateTime(QDate(2026, 12, 7), QTime(5, 20, 1, 900));
        m_clockReads = 0;
        ui::Click(d, IDC_TODAY_NOW);
        EXPECT_EQ(m_clockReads, 1);
        EXPECT_EQ(Shown(d, IDC_DATE), "2026/12/07");
        EXPECT_EQ(Shown(d, IDC_TIME), "5:20:01");
        // The other fields are shown as they were.
        EXPECT_EQ(Shown(d, IDC_FUEL), "12");
        EXPECT_TRUE(Checked(d, IDC_KIND_NOTFILLUP));
        ui::Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    SYSTEMTIME expected = Moment(2026, 12, 7, 5, 20, 1);
    expected.wDayOfWeek = 3;  // day of week and milliseconds are the record's, untouched
    expected.wMilliseconds = 250;
    EXPECT_EQ(Show(dlg.GetRecord().time), Show(expected));
}

TEST_F(EntryDlgTest, KindFollowsTheLastRadioButtonClicked) {
    struct Row {
        const char* name;
        std::vector<int> clicks;
        int32_t expected;
    };
    const Row rows[] = {
        {"none", {}, NotFillUp},
        {"not fuel, whatever the litres", {IDC_KIND_MAINTENANCE}, Maintenance},
        {"not fuel then F", {IDC_KIND_MAINTENANCE, IDC_KIND_FILLUP}, FillUp},
        {"F then N", {IDC_KIND_FILLUP, IDC_KIND_NOTFILLUP}, NotFillUp},
        {"N then not fuel", {IDC_KIND_NOTFILLUP, IDC_KIND_MAINTENANCE}, Maintenance},
        {"the same twice", {IDC_KIND_FILLUP, IDC_KIND_FILLUP}, FillUp},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModalDriver driver;
        CEntryDlg dlg;
        dlg.SetRecord(StoredRecord());  // 12 litres, kind N
        driver.OnDialog(IDD_ENTRY, [&](CDialog& d) {
            for (int id : row.clicks) {
                ui::Click(d, id);
                EXPECT_TRUE(Checked(d, id));
            }
            ui::Click(d, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetRecord().kind, row.expected);
        EXPECT_EQ(dlg.GetRecord().fuel, 12.0);
    }
}

}  // namespace
