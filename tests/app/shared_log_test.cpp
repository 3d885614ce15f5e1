// The log shared with other programs, through the real commands: a file changed on disk between
// the read and the command gets the command's one change made to what it holds now (or the
// command is refused, saying why), the screen follows changes made while the window is idle, and
// the screen never shows records the file does not hold.

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <QSignalSpy>

#include "app_fixture.h"
#include "entry_script.h"
#include "log_watcher.h"
#include "ole_date_time.h"
#include "pads.h"
#include "resource.h"
#include "ui.h"

namespace {

QDateTime At(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

const std::string kHead =
    "CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n";
const std::string kHeader =
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\\/L\n";
const std::string kSep1 = "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n";
const std::string kAug26 = "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n";
const std::string kAug15 = "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n";
const std::string kAug4 = "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n";
// An entry another program added: a fill-up of 10 September.
const std::string kSep10 = "2007,9,10,18,0,0,42300.0,28.0,0,3920,0.0,0.0,0.0\n";

std::string Log(const std::string& head, const std::vector<std::string>& entries) {
    std::string text = head + std::to_string(entries.size()) + "\n" + kHeader;
    for (const std::string& e : entries) {
        text += e;
    }
    return text;
}

LogWatcher* Watcher(CDialog& dlg) {
    return dlg.GetWindowWidget()->findChild<LogWatcher*>();
}

}  // namespace

// The file is changed by another program while the entry dialog or the confirmation is open;
// the command then goes on. Each row: what the other program wrote, the command, and the file
// (or the refusal) that results.
TEST_F(AppTest, ACommandOnAFileChangedSinceItWasReadLosesNeitherChange) {
    const std::string worked = kWorkedExampleFile;
    struct Row {
        const char* name;
        std::string outside;                                  // what the other program wrote
        std::function<void(ModalDriver&, CLogDlg&)> command;  // queues its dialogs and clicks it
        std::string file;                                     // the file afterwards
        const char* message;                                  // part of the message the user reads
    };
    auto input = [](ModalDriver& driver, CLogDlg& dlg) {
        QueueEntry(driver, EntryScript(At(2007, 9, 5, 17, 45, 30))
                               .Number(IDC_FUEL, "20")
                               .Number(IDC_ODO, "42100")
                               .Number(IDC_PRICE, "2800"));
        ui::Click(dlg, IDC_INPUT);
    };
    auto reminder = [](ModalDriver& driver, CLogDlg& dlg) {
        QueueEntry(driver,
                   EntryScript(At(2007, 9, 5, 17, 45, 30)).Number(IDC_ENTRY_VALUE2, "52000"));
        ui::Click(dlg, IDC_INPUT);
    };
    auto correct = [](ModalDriver& driver, CLogDlg& dlg) {  // the fill-up of 26 August: 31.0 litres
        ClickRow(dlg, 1);
        QueueEntry(driver, EntryScript(At(2007, 9, 5, 17, 45, 30)).Number(IDC_FUEL, "31"));
        ui::Click(dlg, IDC_CORRECT);
    };
    auto remove = [](ModalDriver& driver, CLogDlg& dlg) {  // the partial fill of 15 August
        ClickRow(dlg, 2);
        driver.OnDialog(IDD_CONFIRM, [](CDialog& d) { ui::Click(d, IDOK); });
        ui::Click(dlg, IDC_DELETE);
    };
    const std::string later = "was changed elsewhere since it was read.";
    const Row rows[] = {
        {"input, an entry added", Log(kHead, {kSep10, kSep1, kAug26, kAug15, kAug4}), input,
         Log(kHead, {"2007,9,10,18,0,0,42300.0,28.0,0,3920,7.1,200.0,140.0\n",
                     "2007,9,5,17,45,30,42100.0,20.0,0,2800,10.5,210.0,140.0\n", kSep1, kAug26,
                     kAug15, kAug4}),
         "Your change was made to what it holds now."},
        {"input, a reminder changed",
         Log("OIL AT\n46000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n",
             {kSep1, kAug26, kAug15, kAug4}),
         input,
         Log("OIL AT\n46000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n",
             {"2007,9,5,17,45,30,42100.0,20.0,0,2800,10.5,210.0,140.0\n", kSep1, kAug26, kAug15,
              kAug4}),
         "Your change was made to what it holds now."},
        {"reminder changed here, another one there",
         Log("OIL AT\n46000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n",
             {kSep1, kAug26, kAug15, kAug4}),
         reminder,
         Log("OIL AT\n46000.000000\nCHANGE AIR-F BEFORE\n52000.000000\n\n0.000000\n",
             {kSep1, kAug26, kAug15, kAug4}),
         "Your change was made to what it holds now."},
        {"correct, an entry added", Log(kHead, {kSep10, kSep1, kAug26, kAug15, kAug4}), correct,
         Log(kHead, {"2007,9,10,18,0,0,42300.0,28.0,0,3920,14.6,410.0,140.0\n", kSep1,
                     "2007,8,26,7,30,45,41890.0,31.0,0,4288,15.3,660.0,138.3\n", kAug15, kAug4}),
         "Your change was made to what it holds now."},
        {"correct, the entry removed there", Log(kHead, {kSep1, kAug15, kAug4}), correct,
         Log(kHead, {kSep1, kAug15, kAug4}), "The entry is no longer in it."},
        {"delete, an entry added", Log(kHead, {kSep10, kSep1, kAug26, kAug15, kAug4}), remove,
         Log(kHead, {"2007,9,10,18,0,0,42300.0,28.0,0,3920,14.6,410.0,140.0\n", kSep1,
                     "2007,8,26,7,30,45,41890.0,30.2,0,4288,21.9,660.0,142.0\n", kAug4}),
         "Your change was made to what it holds now."},
        {"delete, the entry removed there", Log(kHead, {kSep1, kAug26, kAug4}), remove,
         Log(kHead, {kSep1, kAug26, kAug4}), "The entry is no longer in it."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteLog(worked);
        std::u16string shown;
        m_driver.OnMessageBox([&](const std::u16string& text) {
            shown = text;
            return IDOK;
        });
        RunProgram([&](CLogDlg& dlg) {
            // The other program writes while this window's command is under way.
            WriteLog(row.outside);
            row.command(m_driver, dlg);
            EXPECT_EQ(ListView(dlg)->model()->rowCount() + 7 + 1,
                      static_cast<int>(std::count(row.file.begin(), row.file.end(), '\n')))
                << "the screen shows the file";
        });
        EXPECT_EQ(ReadLog(), row.file);
        EXPECT_NE(QString::fromStdU16String(shown).indexOf(row.message), -1)
            << QString::fromStdU16String(shown).toStdString();
        EXPECT_NE(QString::fromStdU16String(shown).indexOf(later.c_str()), -1);
    }
}

TEST_F(AppTest, TheScreenFollowsTheFileWhileIdleButNotTheWindowsOwnSaves) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        QSignalSpy changed(Watcher(dlg), &LogWatcher::changed);
        // The window's own save: the list sorted afterwards stays sorted, so nothing was read
        // again when the watcher saw the save.
        QueueEntry(m_driver, EntryScript(At(2007, 9, 2, 8, 0, 0)).Number(IDC_PRICE, "500"));
        ui::Click(dlg, IDC_INPUT);
        ClickHeader(dlg, 6);
        const QString sortedFirst = Cell(dlg, 0, 6);
        ASSERT_TRUE(changed.wait(10000)) << "the watcher saw the save";
        EXPECT_EQ(Cell(dlg, 0, 6), sortedFirst);
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 5);

        // Another program's change appears on screen.
        WriteLog(Log(kHead, {kSep10, kSep1, kAug26, kAug15, kAug4}));
        ASSERT_TRUE(changed.wait(10000));
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 5);
        EXPECT_EQ(Cell(dlg, 0, 0), "10 Sep 2007 18:00:00");

        // A damaged file read this way is reported as at start-up.
        m_driver.OnMessageBox();
        WriteLog(Log(kHead, {kSep10, "2007,9,1,x\n", kAug26, kAug15, kAug4}));
        ASSERT_TRUE(changed.wait(10000));
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 4);
    });
    ASSERT_EQ(m_driver.MessageBoxTexts().size(), 1u);
    EXPECT_NE(QString::fromStdU16String(m_driver.MessageBoxTexts()[0]).indexOf("is damaged"), -1);
}

// A storage folder whose name is not UTF-8 (an old card's "caf\xE9") is watched by its bytes.
TEST_F(AppTest, TheWatcherFollowsALogInAFolderWhoseNameIsNotUtf8) {
    const std::string folder = Card() + "/caf\xE9";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    std::ofstream(folder + "/Tarvo.csv") << kWorkedExampleFile;
    LogWatcher watcher(folder + "/Tarvo.csv", nullptr);
    QSignalSpy changed(&watcher, &LogWatcher::changed);
    std::ofstream(folder + "/Tarvo.csv", std::ios::app) << kSep10;
    EXPECT_TRUE(changed.wait(10000));
}

TEST_F(AppTest, AfterAFailedReadBackTheScreenShowsWhatTheFileHeldAtTheLastRead) {
    WriteLog(kWorkedExampleFile);
    m_driver.OnMessageBox();  // nothing saved: the file is gone
    m_driver.OnMessageBox();  // and it cannot be read back
    m_driver.OnMessageBox();  // Correct refused: the log cannot be read
    RunProgram([&](CLogDlg& dlg) {
        const QString summary = ui::QText(dlg, IDC_SUMMARY);
        SetPlatformClock([] { return At(2007, 9, 2, 8, 0, 0); });
        m_driver.OnDialog(IDD_ENTRY, [&](CDialog& entry) {
            pads::QueueKeypad(m_driver, "500");
            ui::ClickFocus(entry, IDC_PRICE);
            std::filesystem::remove_all(Card() + "/Tarvo");  // the card is taken out
            ui::Click(entry, IDOK);
        });
        ui::Click(dlg, IDC_INPUT);
        SetPlatformClock(nullptr);
        // The four entries as last read, not the five the command made in memory.
        ASSERT_EQ(ListView(dlg)->model()->rowCount(), 4);
        EXPECT_EQ(Cell(dlg, 0, 6), " 8400");
        EXPECT_EQ(ui::QText(dlg, IDC_SUMMARY), summary);
        EXPECT_FALSE(ui::Enabled(dlg, IDC_CORRECT));
        ClickRow(dlg, 0);
        ui::Click(dlg, IDC_CORRECT);
    });
    const std::vector<std::u16string>& texts = m_driver.MessageBoxTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(QString::fromStdU16String(texts[0]).indexOf("The change was not saved."), -1);
    EXPECT_NE(QString::fromStdU16String(texts[1]).indexOf("Cannot read"), -1);
    EXPECT_NE(QString::fromStdU16String(texts[2]).indexOf("could not be read"), -1);
    EXPECT_EQ(m_driver.DialogsRun(), (std::vector<UINT>{IDD_TARVO_DIALOG, IDD_ENTRY, IDD_KEYPAD}));
}

TEST_F(AppTest, ALabelLongerThanAnEditHeldSurvivesAnInputThatDidNotTouchIt) {
    const std::string label(40000, 'A');
    WriteLog(label + "\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n0\n");
    RunProgram([&](CLogDlg& dlg) {
        QueueEntry(
            m_driver,
            EntryScript(At(2007, 9, 2, 8, 0, 0)).Number(IDC_FUEL, "20").Number(IDC_PRICE, "2800"));
        ui::Click(dlg, IDC_INPUT);
    });
    const std::string file = ReadLog();
    EXPECT_EQ(file.substr(0, file.find('\n')), label);
}
