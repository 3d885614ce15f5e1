// File > Import... in the window: the file chosen, the questions the file raises asked, the
// preview shown before anything is written, and the import saved as one change and shown.

#include <fstream>

#include <gtest/gtest.h>
#include <QAction>

#include "app_fixture.h"
#include "resource.h"
#include "ui.h"

namespace {

void Trigger(CDialog& dlg, const char* action) {
    dlg.GetWindowWidget()->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

std::string WriteScratch(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

const char kDayFirst[] =
    "Date;Odometer;Litres;Total price;Full\n"
    "13/09/2007 08:15;42300;20,5;3000;yes\n"
    "01/10/2007;42700;25,0;3500;no\n"
    "26/08/2007 07:30:45;41890;30,2;4288;1\n"
    "31/09/2007;42800;10;1400;1\n";

}  // namespace

TEST_F(AppTest, ImportShowsWhatItWillDoAddsItAsOneChangeAndTwiceAddsNothing) {
    WriteLog(kWorkedExampleFile);
    const std::string file = WriteScratch(Card() + "/in.csv", kDayFirst);
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnFileDialog(file);
        m_driver.OnDialog(IDD_IMPORT_PREVIEW, [](CDialog& preview) {
            const QString text = ui::QText(preview, IDC_IMPORT_PREVIEW);
            EXPECT_TRUE(
                text.contains("2 entries to add, 1 row already in the log, 1 row not placed."))
                << text.toStdString();
            EXPECT_TRUE(text.contains("line 5: the date \"31/09/2007\" is not a calendar date"));
            EXPECT_TRUE(ui::Enabled(preview, IDOK));
            ui::Click(preview, IDOK);
        });
        m_driver.OnMessageBox();
        Trigger(dlg, "importAction");
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 6);
        EXPECT_EQ(Cell(dlg, 0, 0), "1 Oct 2007 00:00:00");

        // The same file again: nothing to add, so only Cancel is offered.
        const std::string imported = ReadLog();
        m_driver.OnFileDialog(file);
        m_driver.OnDialog(IDD_IMPORT_PREVIEW, [](CDialog& preview) {
            EXPECT_FALSE(ui::Enabled(preview, IDOK));
            ui::Click(preview, IDCANCEL);
        });
        Trigger(dlg, "importAction");
        EXPECT_EQ(ReadLog(), imported);
    });
    ASSERT_EQ(m_driver.MessageBoxTexts().size(), 1u);
    EXPECT_EQ(m_driver.MessageBoxTexts()[0], u"2 entries were imported.");
    const std::string log = ReadLog();
    EXPECT_NE(log.find("\n2007,9,13,8,15,0,42300.0,20.5,0,3000,"), std::string::npos);
    EXPECT_NE(log.find("\n2007,10,1,0,0,0,42700.0,25.0,1,3500,"), std::string::npos);
}

TEST_F(AppTest, ImportAsksWhatTheFileLeavesOpenAndCancelWritesNothing) {
    WriteLog(kWorkedExampleFile);
    const std::string file =
        WriteScratch(Card() + "/in.csv", "Date,Odometer,Litres,Cost\n03/10/2024,42300,20,3000\n");
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnFileDialog(file);
        m_driver.OnDialog(IDD_IMPORT_QUESTION, [](CDialog& question) {
            EXPECT_TRUE(ui::QText(question, IDC_IMPORT_QUESTION).contains("03/10/2024"));
            EXPECT_EQ(ui::QText(question, IDC_IMPORT_ANSWER1 + 1),
                      "Month first: 03/10/2024 is 10 March 2024");
            EXPECT_FALSE(ui::Control(question, IDC_IMPORT_ANSWER1 + 2)->isVisible());
            ui::Click(question, IDC_IMPORT_ANSWER1 + 1);
            ui::Click(question, IDOK);
        });
        m_driver.OnDialog(IDD_IMPORT_PREVIEW, [](CDialog& preview) {
            EXPECT_EQ(preview.GetWindowWidget()->windowTitle(), "Import from file");
            // The date as the window writes dates (the C locale's, here).
            EXPECT_TRUE(ui::QText(preview, IDC_IMPORT_PREVIEW).contains("10 Mar 2024 00:00:00"));
            ui::Click(preview, IDCANCEL);
        });
        Trigger(dlg, "importAction");
    });
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}
