#include <gtest/gtest.h>
#include <filesystem>

#include <QApplication>
#include <QHeaderView>

#include "app_fixture.h"
#include "resource.h"
#include "ui.h"

TEST_F(AppTest, FirstStartCreatesTheLogAndShowsAnEmptyPanel) {
    m_driver.OnMessageBox();
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_LABEL1), "CHANGE OIL BEFORE");
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_LABEL2), "CHANGE AIR-F BEFORE");
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_LABEL3), "");
        for (int id : {IDC_REMINDER_VALUE1, IDC_REMINDER_VALUE2, IDC_REMINDER_VALUE3}) {
            EXPECT_EQ(ui::QText(dlg, id), "0");
        }
        EXPECT_EQ(ui::QText(dlg, IDC_SUMMARY), "");
        QTreeView* view = ListView(dlg);
        EXPECT_EQ(view->model()->rowCount(), 0);
        ASSERT_EQ(view->model()->columnCount(), 9);
        EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "Date Time");
        EXPECT_FALSE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_FALSE(ui::Enabled(dlg, IDC_DELETE));
        EXPECT_TRUE(ui::Enabled(dlg, IDC_INPUT));
        EXPECT_TRUE(ui::Enabled(dlg, IDC_ANALYZE));
        EXPECT_EQ(QApplication::focusWidget(), ui::Control(dlg, IDC_INPUT));
        EXPECT_EQ(dlg.GetWindowWidget()->windowTitle(), "Tarvo V1.10");
        EXPECT_FALSE(dlg.GetWindowWidget()->windowIcon().isNull());
    });
    ASSERT_EQ(m_driver.MessageBoxTexts().size(), 1u);
    EXPECT_EQ(m_driver.MessageBoxTexts()[0], u"New \"Tarvo.csv\" is Created.");
    EXPECT_EQ(ReadLog(),
              "CHANGE OIL BEFORE\n0.000000\nCHANGE AIR-F BEFORE\n0.000000\n\n0.000000\n0\n");
}

TEST_F(AppTest, StartWithALogShowsItWithoutAMessageAndLeavesTheFileAlone) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_VALUE1), "45000");
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_VALUE2), "50000");
        EXPECT_EQ(ui::QText(dlg, IDC_SUMMARY), "Av:15.6km/L, Fuel \\11394, All \\19794");
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 4);
    });
    EXPECT_TRUE(m_driver.MessageBoxTexts().empty());
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, ListShowsTheWorkedExampleCellByCell) {
    WriteLog(kWorkedExampleFile);
    const QStringList expected[] = {
        {"1 Sep 2007 12:00:00", "----", "----", "----", "----", "M", " 8400", " 41950.0", "0"},
        {"26 Aug 2007 07:30:45", "15.6", "660.0", " 30.2", "142.0", "F", " 4288", " 41890.0", "1"},
        {"15 Aug 2007 18:40:12", "----", "----", " 12.0", "143.0", "N", " 1716", " 41502.5", "2"},
        {"4 Aug 2007 09:05:00", "----", "----", " 38.5", "140.0", "F", " 5390", " 41230.0", "3"},
    };
    RunProgram([&](CLogDlg& dlg) {
        QTreeView* view = ListView(dlg);
        // The currency mark of two titles shows as the yen sign.
        const char* titles[] = {"Date Time", "km/L",        "Trip km", "Fuel L", "\u00A5/L",
                                "F",         "Cost \u00A5", "Odo km",  "Dummy"};
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(view->model()->headerData(c, Qt::Horizontal).toString(), titles[c]) << c;
        }
        ExpectColumnsFitTheirTexts(dlg);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 9; ++c) {
                EXPECT_EQ(Cell(dlg, r, c), expected[r][c]) << "row " << r << " column " << c;
            }
        }
    });
}

TEST_F(AppTest, AKindNoCommandWritesShowsAQuestionMark) {
    WriteLog(
        "A\n0\nB\n0\n\n0\n1\nheader\n"
        "2007,9,1,12,0,0,41950.0,0.0,7,8400\n");
    RunProgram([&](CLogDlg& dlg) { EXPECT_EQ(Cell(dlg, 0, 5), "?"); });
}

TEST_F(AppTest, AnUnreadableLogIsReportedAndNeverOverwritten) {
    // A folder where the file should be: it exists, so nothing is created, but it cannot be read.
    std::filesystem::create_directory(LogPath());
    m_driver.OnMessageBox([&](const std::u16string& text) {
        EXPECT_NE(QString::fromStdU16String(text).indexOf(QString::fromStdString(LogPath())), -1);
        return IDOK;
    });
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 0);
        EXPECT_TRUE(ui::Enabled(dlg, IDC_INPUT));
    });
    EXPECT_TRUE(std::filesystem::is_directory(LogPath()));
}

TEST_F(AppTest, AMissingFolderIsSaidUpFrontAndTheCommandsSaySoAtOnce) {
    std::filesystem::remove_all(Card() + "/Tarvo");
    const std::string noLog =
        "There is no log: the folder \"" + Card() + "/Tarvo\" does not exist.";
    m_driver.OnMessageBox();
    m_driver.OnMessageBox();
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 0);
        // Refused before anything is typed: no entry dialog opens.
        ui::Click(dlg, IDC_INPUT);
    });
    EXPECT_EQ(
        m_driver.MessageBoxTexts(),
        (std::vector<std::u16string>{
            QString::fromStdString(noLog + "\nCreate that folder, or point TARVO_STORAGE at the "
                                           "storage card that holds the Tarvo folder.")
                .toStdU16String(),
            QString::fromStdString(noLog + "\nNothing can be changed until that is mended.")
                .toStdU16String()}));
    EXPECT_EQ(m_driver.DialogsRun(), std::vector<UINT>{IDD_TARVO_DIALOG});
    EXPECT_FALSE(std::filesystem::exists(Card() + "/Tarvo"));
}
