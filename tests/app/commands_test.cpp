// The record commands end to end: the main dialog's buttons, the entry dialog and its pads, the
// confirmation box, checked on the screen and in the file.

#include <gtest/gtest.h>
#include <QItemSelectionModel>

#include "app_fixture.h"
#include "entry_script.h"
#include "list_columns.h"
#include "resource.h"
#include "ui.h"

namespace {

QDateTime At(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

int Rows(CDialog& dlg) {
    return ListView(dlg)->model()->rowCount();
}

bool AnyRowSelected(CDialog& dlg) {
    return ListView(dlg)->selectionModel()->hasSelection();
}

const std::string kHeader =
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\\/L";

}  // namespace

TEST_F(AppTest, InputOnAnEmptyLogAddsTheFirstEntry) {
    m_driver.OnMessageBox();
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 8, 4, 9, 5, 0))
                            .Number(IDC_FUEL, "38.5")
                            .Number(IDC_ODO, "41230")
                            .Number(IDC_PRICE, "5390"));
        ASSERT_EQ(Rows(dlg), 1);
        EXPECT_EQ(Cell(dlg, 0, 0), "4 Aug 2007 09:05:00");
        EXPECT_EQ(Cell(dlg, 0, 5), "F");
        EXPECT_FALSE(AnyRowSelected(dlg));
        EXPECT_FALSE(ui::Enabled(dlg, IDC_CORRECT));
    });
    const auto lines = Lines(ReadLog());
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[6], "1");
    EXPECT_EQ(lines[7], kHeader);
    EXPECT_EQ(lines[8], "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0");
}

TEST_F(AppTest, ZeroLitresMakeAMaintenanceEntryWhateverKindWasChecked) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 9, 2, 8, 0, 0))
                            .Number(IDC_ODO, "42000")
                            .Number(IDC_PRICE, "3000")
                            .Kind(IDC_KIND_NOTFILLUP));
        ASSERT_EQ(Rows(dlg), 5);
        EXPECT_EQ(Cell(dlg, 0, 5), "M");
        EXPECT_EQ(Cell(dlg, 0, 3), "----");
    });
    EXPECT_EQ(Lines(ReadLog())[8], "2007,9,2,8,0,0,42000.0,0.0,2,3000,0.0,0.0,0.0");
}

TEST_F(AppTest, ZeroLitresAndZeroPriceAddNothingButSaveTheReminders) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 9, 2, 8, 0, 0))
                            .Number(IDC_ENTRY_VALUE3, "60000")
                            .Label(IDC_ENTRY_LABEL3, u"TIRES"));
        EXPECT_EQ(Rows(dlg), 4);
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_LABEL3), "TIRES");
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_VALUE3), "60000");
    });
    const auto lines = Lines(ReadLog());
    EXPECT_EQ(lines[4], "TIRES");
    EXPECT_EQ(lines[5], "60000.000000");
    EXPECT_EQ(lines[6], "4");
}

TEST_F(AppTest, NotFuelWithLitresKeepsItsLitres) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 9, 3, 10, 0, 0))
                            .Number(IDC_FUEL, "10")
                            .Number(IDC_ODO, "42100")
                            .Number(IDC_PRICE, "1500")
                            .Kind(IDC_KIND_MAINTENANCE));
        EXPECT_EQ(Cell(dlg, 0, 3), " 10.0");
        EXPECT_EQ(Cell(dlg, 0, 4), "150.0");
        EXPECT_EQ(Cell(dlg, 0, 5), "M");
    });
    EXPECT_EQ(Lines(ReadLog())[8], "2007,9,3,10,0,0,42100.0,10.0,2,1500,0.0,0.0,150.0");
}

TEST_F(AppTest, AnOlderDateLandsAtItsPlaceNotAtTheFront) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 8, 10, 12, 0, 0))
                            .Number(IDC_FUEL, "5")
                            .Number(IDC_ODO, "41400")
                            .Number(IDC_PRICE, "700")
                            .Kind(IDC_KIND_NOTFILLUP));
        ASSERT_EQ(Rows(dlg), 5);
        EXPECT_EQ(Cell(dlg, 3, 0), "10 Aug 2007 12:00:00");
        EXPECT_EQ(Cell(dlg, 3, kIndexColumn), "3");
        // Its litres are carried into the next fill-up: 660 km over 12 + 5 + 30.2 litres.
        EXPECT_EQ(Cell(dlg, 1, 1), "14.0");
    });
    EXPECT_EQ(Lines(ReadLog())[11], "2007,8,10,12,0,0,41400.0,5.0,1,700,0.0,0.0,140.0");
}

TEST_F(AppTest, CorrectToZeroLitresKeepsTheEntryAsMaintenance) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ClickRow(dlg, 2);  // the partial fill of 8/15
        RunEntryCommand(
            m_driver, dlg, IDC_CORRECT,
            EntryScript(At(2020, 1, 1, 0, 0, 0)).Number(IDC_FUEL, "0").Number(IDC_PRICE, "0"));
        ASSERT_EQ(Rows(dlg), 4);
        // The record keeps its own date and time, not the clock's.
        EXPECT_EQ(Cell(dlg, 2, 0), "15 Aug 2007 18:40:12");
        EXPECT_EQ(Cell(dlg, 2, 5), "M");
        EXPECT_EQ(Cell(dlg, 2, 6), "    0");
        EXPECT_FALSE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_FALSE(ui::Enabled(dlg, IDC_DELETE));
    });
    EXPECT_EQ(Lines(ReadLog())[10], "2007,8,15,18,40,12,41502.5,0.0,2,0,0.0,0.0,0.0");
}

TEST_F(AppTest, CorrectCancelledChangesNothingButDisablesTheCommands) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ClickRow(dlg, 1);
        EXPECT_TRUE(ui::Enabled(dlg, IDC_CORRECT));
        RunEntryCommand(m_driver, dlg, IDC_CORRECT,
                        EntryScript(At(2020, 1, 1, 0, 0, 0)).Number(IDC_FUEL, "99").Cancel());
        EXPECT_EQ(Cell(dlg, 1, 3), " 30.2");
        EXPECT_FALSE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_FALSE(ui::Enabled(dlg, IDC_DELETE));
    });
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, CorrectAfterASortWorksOnTheRecordTheRowShows) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ClickHeader(dlg, 6);  // Cost ascending: " 1716" (the 8/15 partial fill) first
        ASSERT_EQ(Cell(dlg, 0, 6), " 1716");
        ClickRow(dlg, 0);
        RunEntryCommand(m_driver, dlg, IDC_CORRECT,
                        EntryScript(At(2020, 1, 1, 0, 0, 0)).Number(IDC_PRICE, "1800"));
    });
    EXPECT_EQ(Lines(ReadLog())[10], "2007,8,15,18,40,12,41502.5,12.0,1,1800,0.0,0.0,150.0");
}

TEST_F(AppTest, DeleteOfTheOldestIsIgnoredWithoutAQuestion) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ClickRow(dlg, 3);
        ui::Click(dlg, IDC_DELETE);  // the driver fails the test if any dialog opens
        EXPECT_EQ(Rows(dlg), 4);
        EXPECT_TRUE(ui::Enabled(dlg, IDC_DELETE));
    });
    EXPECT_TRUE(m_driver.DialogsRun() == std::vector<UINT>{IDD_TARVO_DIALOG});
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, DeleteConfirmedRemovesTheEntryAndMovesTheOlderOnesUp) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ClickRow(dlg, 1);
        m_driver.OnDialog(IDD_CONFIRM, [](CDialog& d) {
            EXPECT_EQ(d.GetWindowWidget()->windowTitle(), "Delete entry?");
            EXPECT_EQ(d.GetWindowWidget()->accessibleName(), "Delete entry?");
            ui::Click(d, IDOK);
        });
        ui::Click(dlg, IDC_DELETE);
        ASSERT_EQ(Rows(dlg), 3);
        EXPECT_EQ(Cell(dlg, 1, 0), "15 Aug 2007 18:40:12");
        EXPECT_EQ(Cell(dlg, 1, kIndexColumn), "1");
        EXPECT_FALSE(AnyRowSelected(dlg));
        EXPECT_FALSE(ui::Enabled(dlg, IDC_DELETE));
    });
    const auto lines = Lines(ReadLog());
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[6], "3");
    EXPECT_EQ(lines[8], "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0");
    // The partial fill's litres now carry into no later fill-up.
    EXPECT_EQ(lines[9], "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0");
    EXPECT_EQ(lines[10], "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0");
}

TEST_F(AppTest, DeleteCancelledChangesNothingAndKeepsTheCommands) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ClickRow(dlg, 0);
        m_driver.OnDialog(IDD_CONFIRM, [](CDialog& d) { ui::Click(d, IDCANCEL); });
        ui::Click(dlg, IDC_DELETE);
        EXPECT_EQ(Rows(dlg), 4);
        EXPECT_TRUE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_TRUE(ui::Enabled(dlg, IDC_DELETE));
        EXPECT_TRUE(AnyRowSelected(dlg));
    });
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, ValuesComeBackAsTheFileHoldsThem) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 9, 5, 7, 0, 0))
                            .Number(IDC_FUEL, "12.06")
                            .Number(IDC_ODO, "42010.04")
                            .Number(IDC_PRICE, "1700")
                            .Label(IDC_ENTRY_LABEL1, u"OIL, FILTER")
                            .Kind(IDC_KIND_NOTFILLUP));
        EXPECT_EQ(Cell(dlg, 0, 3), " 12.1");
        EXPECT_EQ(Cell(dlg, 0, 7), " 42010.0");
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_LABEL1), "OIL");
    });
    const auto lines = Lines(ReadLog());
    // The label is written as typed and cut at its comma when read back, so the next save
    // writes "OIL".
    EXPECT_EQ(lines[0], "OIL, FILTER");
    EXPECT_EQ(lines[8], "2007,9,5,7,0,0,42010.0,12.1,1,1700,0.0,0.0,141.0");
}
