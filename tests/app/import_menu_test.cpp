// File > Import... in the window: the file chosen, the preview shown as a table before anything is
// written, the questions answered and the columns placed in it, and the import saved as one change
// into the log chosen.

#include <fstream>

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTreeView>

#include "app_fixture.h"
#include "ole_date_time.h"
#include "resource.h"
#include "ui.h"

namespace {

std::string WriteScratch(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

bool IsDefault(CDialog& dlg, int id) {
    return qobject_cast<QPushButton*>(ui::Control(dlg, id))->isDefault();
}

// Every cell of the preview's table, a row a line, cells apart by " | ".
std::string Table(CDialog& dlg) {
    const auto* model = static_cast<QTreeView*>(ui::Control(dlg, IDC_IMPORT_TABLE))->model();
    QString text;
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            text += model->index(r, c).data().toString() + " | ";
        }
        text += "\n";
    }
    return text.toStdString();
}

struct ImportCase {
    const char* name;
    const char* file;
    std::function<void(CDialog&)> answer;  // with the preview open, before Import
    const char* log;                       // the log file the entry goes into
    const char* entry;                     // the one entry imported, as its log line starts
};

const ImportCase kCases[] = {
    {"date order asked inline", "Date,Odometer,Litres,Cost\n03/10/2019,99000,20,3000\n",
     [](CDialog& p) {
         // Open: Enter would cancel, never import.
         EXPECT_FALSE(ui::Enabled(p, IDOK));
         EXPECT_TRUE(IsDefault(p, IDCANCEL));
         // A screen reader names the list by its question.
         EXPECT_EQ(ui::Control(p, IDC_IMPORT_ANSWER1)->accessibleName(),
                   ui::QText(p, IDC_IMPORT_QUESTION1));
         ui::Choose(p, IDC_IMPORT_ANSWER1, "Month first: 03/10/2024 is 10 March 2024");
         EXPECT_TRUE(IsDefault(p, IDOK));
         EXPECT_NE(Table(p).find("10 Mar 2019 00:00:00"), std::string::npos) << Table(p);
     },
     "Tarvo.csv", "\n2019,3,10,0,0,0,99000.0,20.0,0,3000,"},
    {"unknown columns placed by hand", "When;Reading;Amount;Spent\n2019-05-01;99000;20,5;3000\n",
     [](CDialog& p) {
         EXPECT_FALSE(ui::QText(p, IDC_IMPORT_PROBLEM).isEmpty());
         ui::Choose(p, IDC_IMPORT_COLUMN1 + 0, "When");
         ui::Choose(p, IDC_IMPORT_COLUMN1 + 2, "Reading");
         ui::Choose(p, IDC_IMPORT_COLUMN1 + 3, "Amount");
         ui::Choose(p, IDC_IMPORT_COLUMN1 + 4, "Spent");
         EXPECT_TRUE(ui::QText(p, IDC_IMPORT_PROBLEM).isEmpty())
             << ui::Shown(p, IDC_IMPORT_PROBLEM).toStdString();
     },
     "Tarvo.csv", "\n2019,5,1,0,0,0,99000.0,20.5,0,3000,"},
    {"repeat and row in the future left out",
     "Date,Odometer,Litres,Cost\n2019-05-01,99000,20,3000\n2019-05-01,99000,20,3000\n"
     "2021-03-01,99500,20,3000\n",
     [](CDialog& p) {
         EXPECT_NE(Table(p).find("line 2"), std::string::npos) << Table(p);
         EXPECT_NE(Table(p).find("looks wrong"), std::string::npos) << Table(p);
         ui::Click(p, IDC_IMPORT_SKIP_REPEATS);
         ui::Click(p, IDC_IMPORT_SKIP_SUSPECT);
     },
     "Tarvo.csv", "\n2019,5,1,0,0,0,99000.0,20.0,0,3000,"},
    {"one of two vehicles into a new vehicle",
     "Vehicle,Date,Odometer,Litres,Cost\nVan,2019-05-01,1000,20,3000\nCar,2019-05-02,2000,30,"
     "4000\n",
     [](CDialog& p) {
         ui::Choose(p, IDC_IMPORT_ANSWER1, "Van");
         ui::Choose(p, IDC_IMPORT_INTO, "A new vehicle");
     },
     "Tarvo.Van.csv", "\n2019,5,1,0,0,0,1000.0,20.0,0,3000,"},
};

}  // namespace

TEST_F(AppTest, ImportPreviewLeavesNothingOpenBeforeItImportsIntoTheLogChosen) {
    // Now is before some rows of the files, which are marked for it.
    SetPlatformClock([] { return QDateTime(QDate(2020, 6, 1), QTime(12, 0)); });
    for (const ImportCase& c : kCases) {
        SCOPED_TRACE(c.name);
        WriteLog(kWorkedExampleFile);
        const std::string file = WriteScratch(Card() + "/in.csv", c.file);
        RunProgram([&](CLogDlg& dlg) {
            m_driver.OnFileDialog(file);
            m_driver.OnDialog(IDD_IMPORT_PREVIEW, [&](CDialog& preview) {
                EXPECT_EQ(preview.GetWindowWidget()->windowTitle(), "Import from file");
                c.answer(preview);
                ASSERT_TRUE(ui::Enabled(preview, IDOK))
                    << ui::Shown(preview, IDC_IMPORT_SUMMARY).toStdString();
                ui::Key(preview, Qt::Key_Return);
            });
            m_driver.OnMessageBox([](const std::u16string& text) {
                EXPECT_EQ(text, u"1 entry was imported.");
                return IDOK;
            });
            ui::Trigger(dlg, "importAction");
        });
        std::ifstream in(Card() + "/Tarvo/" + c.log, std::ios::binary);
        const std::string log{std::istreambuf_iterator<char>(in), {}};
        EXPECT_NE(log.find(c.entry), std::string::npos) << log;
        if (std::string(c.log) != "Tarvo.csv") {
            EXPECT_EQ(ReadLog(), kWorkedExampleFile);
        }
    }
    SetPlatformClock(nullptr);
}

TEST_F(AppTest, ImportTwiceAddsNothingAndCancelWritesNothing) {
    WriteLog(kWorkedExampleFile);
    const std::string file =
        WriteScratch(Card() + "/in.csv", "Date,Odometer,Litres,Cost\n2019-05-01,99000,20,3000\n");
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnFileDialog(file);
        m_driver.OnDialog(IDD_IMPORT_PREVIEW, [](CDialog& preview) { ui::Click(preview, IDOK); });
        m_driver.OnMessageBox();
        ui::Trigger(dlg, "importAction");
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 5);
        const std::string imported = ReadLog();
        // The same file again: the row is in the log, so only Cancel is offered.
        m_driver.OnFileDialog(file);
        m_driver.OnDialog(IDD_IMPORT_PREVIEW, [](CDialog& preview) {
            EXPECT_NE(Table(preview).find("in the log"), std::string::npos) << Table(preview);
            EXPECT_FALSE(ui::Enabled(preview, IDOK));
            ui::Key(preview, Qt::Key_Return);
        });
        ui::Trigger(dlg, "importAction");
        EXPECT_EQ(ReadLog(), imported);
    });
}
