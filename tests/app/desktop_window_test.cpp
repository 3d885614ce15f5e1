// The main window on a desktop: it grows, its columns fit their texts and mark the sort, the
// keyboard reaches every command, and the currency mark shows as the yen sign while the file
// keeps the backslash.

#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "app_fixture.h"
#include "entry_script.h"
#include "key_tables.h"
#include "list_columns.h"
#include "ole_date_time.h"
#include "pad_keys.h"
#include "resource.h"
#include "ui.h"

namespace {

void SelectRowByKeyboard(CDialog& dlg, int row) {
    QTreeView* view = ListView(dlg);
    view->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view, Qt::Key_Home);
    for (int r = 0; r < row; ++r) {
        QTest::keyClick(view, Qt::Key_Down);
    }
}

// A log whose values are wider than the device's columns: a six-digit odometer, a five-digit
// price, a long trip.
const char kWideLog[] =
    "OIL\n0.000000\n\n0.000000\n\n0.000000\n3\nheader\n"
    "2024,12,31,23,59,59,123456.7,88.8,0,12345,0.0,0.0,0.0\n"
    "2024,11,30,22,58,58,121234.5,77.7,0,98765,0.0,0.0,0.0\n"
    "2024,10,1,1,1,1,100000.0,66.6,1,11111,0.0,0.0,0.0\n";

}  // namespace

TEST_F(AppTest, ResizingGrowsTheListAndKeepsTheButtonsByTheirEdge) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        // From the least size, the template's, whatever size the window opened at.
        QWidget* window = dlg.GetWindowWidget();
        window->resize(window->minimumSize());
        const QSize opened = window->size();
        const QRect list = ListView(dlg)->geometry();
        const QRect input = ui::Control(dlg, IDC_INPUT)->geometry();
        const QRect remove = ui::Control(dlg, IDC_DELETE)->geometry();
        const QRect summary = ui::Control(dlg, IDC_SUMMARY)->geometry();
        const QRect label = ui::Control(dlg, IDC_REMINDER_LABEL1)->geometry();

        window->resize(opened + QSize(700, 400));
        EXPECT_EQ(ListView(dlg)->geometry(), list.adjusted(0, 0, 700, 400));
        EXPECT_EQ(ui::Control(dlg, IDC_INPUT)->geometry(), input.translated(700, 0));
        EXPECT_EQ(ui::Control(dlg, IDC_DELETE)->geometry(), remove.translated(700, 0));
        EXPECT_EQ(ui::Control(dlg, IDC_SUMMARY)->geometry(), summary.adjusted(0, 0, 700, 0));
        EXPECT_EQ(ui::Control(dlg, IDC_REMINDER_LABEL1)->geometry(), label);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);

        window->resize(opened);
        EXPECT_EQ(ListView(dlg)->geometry(), list);
    });
}

// What a start takes from the settings kept at the last: a place on a screen that is there, and
// widths a person could have dragged. A place on no screen (a monitor gone, a damaged setting) or
// larger than the screen lands wholly on the screen, and is saved back from there; a width that
// is no width leaves its column fitting its texts.
TEST_F(AppTest, KeptSettingsOpenOnTheScreenAndNeverHideAColumn) {
    struct PlaceRow {
        const char* name;
        QRect saved;
        bool kept;  // the place is on the screen and stays as it was
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const PlaceRow rows[] = {
        {"on the screen", QRect(40, 30, 560, 420), true},
        {"far right and below", QRect(100000, 100000, 560, 420), false},
        {"far left and above", QRect(-100000, -100000, 560, 420), false},
        {"larger than the screen", QRect(0, 0, 5000, 5000), false},
    };
    for (const PlaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget placed;
        placed.setGeometry(row.saved);
        QSettings settings(QStringLiteral("Tarvo"), QStringLiteral("Tarvo"));
        settings.setValue(QStringLiteral("window/geometry"), placed.saveGeometry());
        settings.setValue(QStringLiteral("list/columnWidths"),
                          QVariantList{0, "wide", 120, -5, 99999, 80, -1, -1, 500});
        WriteLog(kWorkedExampleFile);
        RunProgram([&](CLogDlg& dlg) {
            const QRect frame = dlg.GetWindowWidget()->frameGeometry();
            EXPECT_TRUE(screen.contains(frame))
                << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
            if (row.kept) {
                EXPECT_EQ(dlg.GetWindowWidget()->geometry().topLeft(), row.saved.topLeft());
                EXPECT_EQ(dlg.GetWindowWidget()->size(), row.saved.size());
            }
            const QHeaderView* header = ListView(dlg)->header();
            EXPECT_EQ(header->sectionSize(2), 120);
            EXPECT_EQ(header->sectionSize(5), 80);
            ExpectColumnsFitTheirTexts(dlg);  // columns 0, 1, 3 and 4 fit; 8 stays hidden
        });
        QWidget reopened;
        reopened.restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
        EXPECT_TRUE(screen.contains(reopened.geometry().center())) << "the place saved back";
    }
}

TEST_F(AppTest, ColumnsFitTextsWiderThanTheDevicesColumns) {
    WriteLog(kWideLog);
    RunProgram([&](CLogDlg& dlg) { ExpectColumnsFitTheirTexts(dlg); });
}

TEST_F(AppTest, TheSortMarkFollowsTheSortAndGoesWithARefill) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        const QHeaderView* header = ListView(dlg)->header();
        EXPECT_EQ(header->sortIndicatorSection(), -1);
        ClickHeader(dlg, 2);
        EXPECT_EQ(header->sortIndicatorSection(), 2);
        EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
        ClickHeader(dlg, 3);
        EXPECT_EQ(header->sortIndicatorSection(), 3);
        EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
        // A command fills the list again, in the order of the log: no column is sorted.
        QueueEntry(
            m_driver,
            EntryScript(QDateTime(QDate(2007, 9, 2), QTime(8, 0, 0))).Number(IDC_PRICE, "500"));
        ui::Click(dlg, IDC_INPUT);
        EXPECT_EQ(header->sortIndicatorSection(), -1);
        ExpectColumnsFitTheirTexts(dlg);
    });
}

TEST_F(AppTest, EnterOrADoubleClickOnARowCorrectsItAndDeleteDeletesIt) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        // Enter in the list: Correct on the selected row, never the statistics.
        SelectRowByKeyboard(dlg, 1);
        m_driver.OnDialog(IDD_ENTRY, [](CDialog& entry) {
            EXPECT_EQ(ui::QText(entry, IDC_FUEL), "30.2");
            ui::Click(entry, IDCANCEL);
        });
        QTest::keyClick(ListView(dlg), Qt::Key_Return);
        // Enter with nothing selected does nothing at all.
        ClickEmptyListSpace(dlg);
        QTest::keyClick(ListView(dlg), Qt::Key_Return);

        // A double click on a row corrects it.
        m_driver.OnDialog(IDD_ENTRY, [](CDialog& entry) {
            EXPECT_EQ(ui::QText(entry, IDC_FUEL), "12");
            ui::Click(entry, IDCANCEL);
        });
        // As a person double-clicks: a click, then the second press that makes it double.
        QTreeView* view = ListView(dlg);
        const QPoint row2 = view->visualRect(view->model()->index(2, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row2);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row2);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, row2);

        // The Delete key deletes the selected row, after the usual question; on the oldest
        // entry it does nothing, as the Delete button.
        SelectRowByKeyboard(dlg, 3);
        QTest::keyClick(ListView(dlg), Qt::Key_Delete);
        SelectRowByKeyboard(dlg, 0);
        m_driver.OnDialog(IDD_CONFIRM, [](CDialog& d) { ui::Click(d, IDOK); });
        QTest::keyClick(ListView(dlg), Qt::Key_Delete);
        EXPECT_EQ(view->model()->rowCount(), 3);
    });
    EXPECT_EQ(m_driver.DialogsRun(),
              (std::vector<UINT>{IDD_TARVO_DIALOG, IDD_ENTRY, IDD_ENTRY, IDD_CONFIRM}));
}

TEST_F(AppTest, EnterOnAFocusedButtonPressesThatButtonOnly) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(ui::FocusedId(dlg), IDC_INPUT);
        ui::Key(dlg, Qt::Key_Tab);
        ASSERT_EQ(ui::FocusedId(dlg), IDC_ANALYZE);
        m_driver.OnDialog(IDD_STATS, [](CDialog& stats) { ui::Key(stats, Qt::Key_Return); });
        ui::Key(dlg, Qt::Key_Return);
        // The focus is back on the button that opened the statistics.
        EXPECT_EQ(QApplication::activeWindow(), dlg.GetWindowWidget());
        EXPECT_EQ(ui::FocusedId(dlg), IDC_ANALYZE);
    });
    EXPECT_EQ(m_driver.DialogsRun(), (std::vector<UINT>{IDD_TARVO_DIALOG, IDD_STATS}));
}

TEST_F(AppTest, AWholeEntryTypedByKeyboardAloneLandsInTheFile) {
    WriteLog(kWorkedExampleFile);
    SetPlatformClock([] { return QDateTime(QDate(2007, 9, 5), QTime(17, 45, 30)); });
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnDialog(IDD_ENTRY, [](CDialog& entry) {
            const std::pair<int, const char*> typing[] = {
                {IDC_FUEL, "31.4"},  {IDC_ODO, "42380"},          {IDC_ENTRY_VALUE1, "46000"},
                {IDC_PRICE, "4500"}, {IDC_ENTRY_LABEL3, "tires"},
            };
            for (const auto& [field, text] : typing) {
                ui::TabTo(entry, field);
                ui::Type(entry, text);
            }
            ui::Key(entry, Qt::Key_Return);
        });
        ui::Key(dlg, Qt::Key_Return);  // Input has the focus
    });
    SetPlatformClock(nullptr);
    EXPECT_EQ(m_driver.DialogsRun(), (std::vector<UINT>{IDD_TARVO_DIALOG, IDD_ENTRY}));
    EXPECT_EQ(ReadLog(),
              "CHANGE OIL BEFORE\n46000.000000\nCHANGE AIR-F BEFORE\n50000.000000\nTIRES\n"
              "0.000000\n5\n"
              "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,"
              "Cost,km/L,Trip,\\/L\n"
              "2007,9,5,17,45,30,42380.0,31.4,0,4500,15.6,490.0,143.3\n"
              "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
              "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n"
              "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n"
              "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n");
}

TEST_F(AppTest, TheCurrencyMarkShowsAsTheYenSignAndStaysABackslashInTheFile) {
    WriteLog(kWorkedExampleFile);
    SetPlatformClock([] { return QDateTime(QDate(2007, 9, 5), QTime(17, 45, 30)); });
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(ui::Shown(dlg, IDC_SUMMARY), "Av:15.6km/L, Fuel \u00A511394, All \u00A519794");
        m_driver.OnDialog(IDD_KEYBOARD, [](CDialog& keyboard) {
            EXPECT_EQ(ui::Shown(keyboard, kKeyboardKeys[11].id), "\u00A5") << "the yen key";
            for (char16_t ch : std::u16string(u"TAX")) {
                ui::Click(keyboard, KeyboardPadKeys().ByChar(ch)->id);
            }
            ui::Click(keyboard, kKeyboardKeys[11].id);
            ui::Type(keyboard, QString::fromUtf8("\u00A5"));  // a yen sign typed on a keyboard
            EXPECT_EQ(ui::Shown(keyboard, IDC_KEYBOARD_DISPLAY), "TAX\u00A5\u00A5");
            ui::Click(keyboard, IDOK);
        });
        m_driver.OnDialog(IDD_ENTRY, [](CDialog& entry) {
            ui::Click(entry, IDC_ENTRY_LABEL3);
            EXPECT_EQ(ui::Shown(entry, IDC_ENTRY_LABEL3), "TAX\u00A5\u00A5");
            ui::Click(entry, IDOK);
        });
        ui::Click(dlg, IDC_INPUT);
        EXPECT_EQ(ui::Shown(dlg, IDC_REMINDER_LABEL3), "TAX\u00A5\u00A5");
    });
    SetPlatformClock(nullptr);
    // The bytes the file held before the yen sign was shown: the label's two currency marks are
    // two backslashes.
    EXPECT_EQ(ReadLog(),
              "CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\nTAX\\\\\n"
              "0.000000\n4\n"
              "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,"
              "Cost,km/L,Trip,\\/L\n"
              "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
              "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n"
              "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n"
              "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n");
}
