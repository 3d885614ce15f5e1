// Whole sessions: a fresh start through a complete log, the statistics report, and a medium that
// stops taking writes in the middle of a session.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "app_fixture.h"
#include "entry_script.h"
#include "resource.h"
#include "ui.h"

namespace {

QDateTime At(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// The worked example's log as its statistics report shows it.
const char16_t kWorkedExampleReport[] =
    u"  1. RECORD START:  4 Aug 2007 09:05:00\r\n\r\n"
    u"  2. REFUEL:  3 times,  Total 80.7 L\r\n\r\n"
    u"     Max. Refuel 38.5 L,  Min. Refuel 12.0 L\r\n"
    u"     Av. 141.2 \\/L  Highest / Lowest  143.0 / 140.0 \\/L\r\n\r\n"
    u"  3. COST:  Fuel \\11394,  Other \\8400\r\n\r\n"
    u"     Total \\19794\r\n\r\n"
    u"  4. MILEAGE:  Drive 660.0 km,  Av. 15.6 km/L\r\n\r\n"
    u"     Highest / Lowest  15.6 / 15.6 km/L\r\n";

// Makes every write past `bytes` fail, as a full medium does, for one scope.
class FullMedium {
public:
    explicit FullMedium(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed program
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullMedium() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    sighandler_t m_oldHandler;
};

}  // namespace

TEST_F(AppTest, AFreshStartThroughTheWholeWorkedExample) {
    m_driver.OnMessageBox();  // "New "Tarvo.csv" is Created."
    RunProgram([&](CLogDlg& dlg) {
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 8, 4, 9, 5, 0))
                            .Number(IDC_FUEL, "38.5")
                            .Number(IDC_ODO, "41230")
                            .Number(IDC_PRICE, "5390")
                            .Number(IDC_ENTRY_VALUE1, "45000")
                            .Number(IDC_ENTRY_VALUE2, "50000"));
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 8, 15, 18, 40, 12))
                            .Number(IDC_FUEL, "12")
                            .Number(IDC_ODO, "41502.5")
                            .Number(IDC_PRICE, "1716")
                            .Kind(IDC_KIND_NOTFILLUP));
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 8, 26, 7, 30, 45))
                            .Number(IDC_FUEL, "30.2")
                            .Number(IDC_ODO, "41890")
                            .Number(IDC_PRICE, "4288"));
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 9, 1, 12, 0, 0))
                            .Number(IDC_ODO, "41950")
                            .Number(IDC_PRICE, "8400")
                            .Kind(IDC_KIND_MAINTENANCE));

        const QStringList rows[] = {
            {"1 Sep 2007 12:00:00", "----", "----", "----", "----", "M", " 8400", " 41950.0", "0"},
            {"26 Aug 2007 07:30:45", "15.6", "660.0", " 30.2", "142.0", "F", " 4288", " 41890.0",
             "1"},
            {"15 Aug 2007 18:40:12", "----", "----", " 12.0", "143.0", "N", " 1716", " 41502.5",
             "2"},
            {"4 Aug 2007 09:05:00", "----", "----", " 38.5", "140.0", "F", " 5390", " 41230.0",
             "3"},
        };
        ASSERT_EQ(ListView(dlg)->model()->rowCount(), 4);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 9; ++c) {
                EXPECT_EQ(Cell(dlg, r, c), rows[r][c]) << "row " << r << " column " << c;
            }
        }
        EXPECT_EQ(ui::QText(dlg, IDC_SUMMARY), "Av:15.6km/L, Fuel \\11394, All \\19794");
        EXPECT_EQ(ui::QText(dlg, IDC_REMINDER_VALUE1), "45000");

        m_driver.OnDialog(IDD_STATS, [](CDialog& stats) {
            EXPECT_EQ(ui::Text(stats, IDC_REPORT), kWorkedExampleReport);
            ui::Click(stats, IDOK);
        });
        ui::Click(dlg, IDC_ANALYZE);
    });
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
}

TEST_F(AppTest, AnalyzeShowsTheReportAndOkClosesIt) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnDialog(IDD_STATS, [](CDialog& stats) {
            auto* edit = qobject_cast<QPlainTextEdit*>(ui::Control(stats, IDC_REPORT));
            ASSERT_NE(edit, nullptr);
            // Eight report lines with their blank separators, readable as lines on screen: 14
            // line ends, the last one followed by an empty line.
            EXPECT_EQ(edit->document()->blockCount(), 15);
            EXPECT_EQ(edit->document()->findBlockByNumber(0).text(),
                      "  1. RECORD START:  4 Aug 2007 09:05:00");
            ui::Click(stats, IDOK);
        });
        ui::Click(dlg, IDC_ANALYZE);
        EXPECT_TRUE(dlg.IsOpen());
    });
    EXPECT_EQ(m_driver.DialogsRun(), (std::vector<UINT>{IDD_TARVO_DIALOG, IDD_STATS}));
}

TEST_F(AppTest, AnalyzeOfAnEmptyLogShowsAnEmptyReport) {
    m_driver.OnMessageBox();
    RunProgram([&](CLogDlg& dlg) {
        m_driver.OnDialog(IDD_STATS, [](CDialog& stats) {
            EXPECT_EQ(ui::Text(stats, IDC_REPORT), u"");
            ui::Click(stats, IDOK);
        });
        ui::Click(dlg, IDC_ANALYZE);
    });
}

TEST_F(AppTest, AFullMediumMidSessionLosesNothingAndTheProgramGoesOn) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        {
            FullMedium full(64);  // far less than the log needs
            m_driver.OnMessageBox([&](const std::u16string& text) {
                const QString message = QString::fromStdU16String(text);
                EXPECT_NE(message.indexOf(QString::fromStdString(LogPath())), -1)
                    << message.toStdString();
                EXPECT_NE(message.indexOf("not saved"), -1) << message.toStdString();
                return IDOK;
            });
            RunEntryCommand(m_driver, dlg, IDC_INPUT,
                            EntryScript(At(2007, 9, 2, 8, 0, 0))
                                .Number(IDC_FUEL, "20")
                                .Number(IDC_ODO, "42000")
                                .Number(IDC_PRICE, "2800"));
            // The screen shows what the file holds: the four entries, not the lost fifth.
            EXPECT_EQ(ListView(dlg)->model()->rowCount(), 4);
            EXPECT_EQ(ReadLog(), kWorkedExampleFile);
        }
        // With room again the same command works.
        RunEntryCommand(m_driver, dlg, IDC_INPUT,
                        EntryScript(At(2007, 9, 2, 8, 0, 0))
                            .Number(IDC_FUEL, "20")
                            .Number(IDC_ODO, "42000")
                            .Number(IDC_PRICE, "2800"));
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 5);
    });
    EXPECT_NE(ReadLog().find("2007,9,2,8,0,0,42000.0,20.0,0,2800"), std::string::npos);
}

TEST_F(AppTest, ALogThatCouldNotBeReadIsNeverSavedOver) {
    // A pipe where the log should be: it exists, so nothing is created, and it is not read.
    ASSERT_EQ(mkfifo(LogPath().c_str(), 0644), 0);
    auto expectNamesTheLog = [&](const std::u16string& text) {
        EXPECT_NE(QString::fromStdU16String(text).indexOf(QString::fromStdString(LogPath())), -1);
        return IDOK;
    };
    m_driver.OnMessageBox(expectNamesTheLog);  // at start-up: cannot read
    RunProgram([&](CLogDlg& dlg) {
        // Refused at once, before anything is typed, naming the real reason.
        m_driver.OnMessageBox([&](const std::u16string& text) {
            EXPECT_NE(QString::fromStdU16String(text).indexOf("could not be read, so it is not "
                                                              "replaced"),
                      -1);
            return IDOK;
        });
        ui::Click(dlg, IDC_INPUT);
    });
    EXPECT_EQ(m_driver.DialogsRun(), std::vector<UINT>{IDD_TARVO_DIALOG});
    struct stat info {};
    ASSERT_EQ(stat(LogPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(AppTest, ADamagedLogWhoseOriginalCouldNotBeKeptIsNeverSavedOver) {
    const std::string damaged = std::string(kWorkedExampleFile) + "2007,7,1,8,0,0,x\n";
    std::string withCount = damaged;
    withCount.replace(withCount.find("\n4\n"), 3, "\n5\n");
    WriteLog(withCount);
    {
        FullMedium full(16);  // the backup cannot be written
        m_driver.OnMessageBox([](const std::u16string& text) {
            EXPECT_NE(QString::fromStdU16String(text).indexOf("could not be kept"), -1);
            return IDOK;
        });
        RunProgram([&](CLogDlg& dlg) {
            m_driver.OnMessageBox([](const std::u16string& text) {
                EXPECT_NE(QString::fromStdU16String(text).indexOf(
                              "is damaged and its original could not be kept, so it is not "
                              "replaced"),
                          -1);
                return IDOK;
            });
            ui::Click(dlg, IDC_INPUT);
        });
    }
    EXPECT_EQ(ReadLog(), withCount);
}
