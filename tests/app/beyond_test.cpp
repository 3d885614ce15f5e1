// The main window beyond the handheld: its menu bar, the charts that follow the log, the export,
// reminders marked when they are due, and the look it keeps between starts.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <fstream>

#include "app_fixture.h"
#include "entry_script.h"
#include "list_columns.h"
#include "log_export.h"
#include "log_load.h"
#include "log_test_support.h"
#include "resource.h"
#include "ui.h"

namespace {

// Takes the place of the desktop's file manager: records the folders it is asked to open.
class FolderOpener : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;
    Q_INVOKABLE void Open(const QUrl& url) { opened.append(url); }
};

// The worked example with its first reminder at `due` km; the newest reading is 41950.0.
std::string LogWithReminderAt(double due) {
    std::string log = kWorkedExampleFile;
    log.replace(log.find("45000.000000"), 12, std::to_string(due));
    return log;
}

}  // namespace

TEST_F(AppTest, TheMenuBarHasFileViewAndHelpWithMnemonicsAndShortcuts) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        const QMenuBar* bar = dlg.GetWindowWidget()->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        QStringList menus;
        for (const QAction* menu : bar->actions()) {
            menus << menu->text();
        }
        EXPECT_EQ(menus, QStringList({"&File", "&View", "V&ehicle", "&Help"}));
        const struct {
            const char* name;
            const char* text;
            QKeySequence keys;
        } items[] = {
            {"exportAction", "&Export\u2026", QKeySequence("Ctrl+E")},
            {"importAction", "&Import\u2026", QKeySequence("Ctrl+I")},
            {"openFolderAction", "&Open the log's folder", QKeySequence()},
            {"quitAction", "&Quit", QKeySequence(QKeySequence::Quit)},
            {"chartsAction", "&Charts\u2026", QKeySequence("Ctrl+G")},
            {"markDueAction", "&Mark reminders that are due", QKeySequence()},
            {"aboutAction", "&About Tarvo", QKeySequence(QKeySequence::HelpContents)},
        };
        for (const auto& item : items) {
            QAction* action = ui::Action(dlg, item.name);
            ASSERT_NE(action, nullptr);
            EXPECT_EQ(action->text(), item.text);
            EXPECT_EQ(action->shortcut(), item.keys) << item.name;
        }
        EXPECT_TRUE(ui::Action(dlg, "markDueAction")->isChecked()) << "on by default";
    });
}

TEST_F(AppTest, QuitEndsTheProgramAndAboutSaysTheVersionAndWhereTheLogIs) {
    WriteLog(kWorkedExampleFile);
    m_driver.OnMessageBox();
    RunProgram([&](CLogDlg& dlg) {
        ui::Action(dlg, "aboutAction")->trigger();
        ui::Action(dlg, "quitAction")->trigger();
        EXPECT_FALSE(dlg.IsOpen());
    });
    ASSERT_EQ(m_driver.MessageBoxTexts().size(), 1u);
    const QString about = QString::fromStdU16String(m_driver.MessageBoxTexts()[0]);
    EXPECT_TRUE(about.startsWith("Tarvo 1.10\n")) << about.toStdString();
    EXPECT_TRUE(about.contains(QString::fromStdString(LogPath()))) << about.toStdString();
    EXPECT_EQ(ReadLog(), kWorkedExampleFile) << "quitting writes nothing";
}

TEST_F(AppTest, OpenTheLogsFolderShowsTheFolderTheLogIsIn) {
    WriteLog(kWorkedExampleFile);
    FolderOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "Open");
    RunProgram([&](CLogDlg& dlg) { ui::Action(dlg, "openFolderAction")->trigger(); });
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(opener.opened,
              QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(Card() + "/Tarvo"))});
}

TEST_F(AppTest, TheChartsOpenOverTheWindowAndFollowTheLog) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        ui::Action(dlg, "chartsAction")->trigger();
        QWidget* charts = dlg.GetWindowWidget()->findChild<QWidget*>("chartsWindow");
        ASSERT_NE(charts, nullptr);
        EXPECT_TRUE(charts->isVisible());
        auto kmPerL = [&] {
            const auto* view = charts->findChild<QChartView*>("economyChart");
            return static_cast<QLineSeries*>(view->chart()->series().front())->count();
        };
        EXPECT_EQ(kmPerL(), 1);
        // A fill-up added: the charts show its km/L too.
        QueueEntry(m_driver, EntryScript(QDateTime(QDate(2007, 9, 5), QTime(17, 45, 30)))
                                 .Number(IDC_FUEL, "20")
                                 .Number(IDC_ODO, "42100")
                                 .Number(IDC_PRICE, "2800"));
        ui::Click(dlg, IDC_INPUT);
        EXPECT_EQ(kmPerL(), 2);
    });
}

TEST_F(AppTest, ExportFromTheMenuWritesTheLogAsATable) {
    WriteLog(kWorkedExampleFile);
    const std::string exported = Card() + "/export.csv";
    m_driver.OnFileDialog(exported);
    m_driver.OnFileDialog("");  // a second export, cancelled
    RunProgram([&](CLogDlg& dlg) {
        ui::Action(dlg, "exportAction")->trigger();
        ui::Action(dlg, "exportAction")->trigger();
    });
    LogBook book;
    ASSERT_TRUE(LoadLog(book, LogPath()).ok());
    std::ifstream in(exported, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, ExportLog(book));
    EXPECT_EQ(written.substr(0, written.find('\r')), std::string(kExportHeader));
}

// The log's own files are never an export's destination, by whatever name the file dialog
// gives them: each is refused with a message and keeps its bytes.
TEST_F(AppTest, ExportFromTheMenuOntoTheLogsOwnFilesIsRefused) {
    WriteLog(kWorkedExampleFile);
    const std::string link = Card() + "/link-to-log.csv";
    ASSERT_EQ(::symlink(LogPath().c_str(), link.c_str()), 0);
    const std::string backup = LogPath() + ".bak1";
    WriteBytes(backup, "kept\n");
    const struct {
        std::string path;
        const char* what;
    } kTargets[] = {{LogPath(), "the log itself"},
                    {link, "the log itself"},
                    {backup, "a backup of the log"},
                    {LogPath() + ".lock", "the log's lock file"}};
    for (const auto& target : kTargets) {
        m_driver.OnFileDialog(target.path);
        m_driver.OnMessageBox();
    }
    RunProgram([&](CLogDlg& dlg) {
        const std::string lock = ReadBytes(LogPath() + ".lock");
        for (std::size_t i = 0; i < std::size(kTargets); ++i) {
            ui::Action(dlg, "exportAction")->trigger();
        }
        EXPECT_EQ(ReadBytes(LogPath() + ".lock"), lock);
    });
    ASSERT_EQ(m_driver.MessageBoxTexts().size(), std::size(kTargets));
    for (std::size_t i = 0; i < std::size(kTargets); ++i) {
        EXPECT_EQ(QString::fromStdU16String(m_driver.MessageBoxTexts()[i]).toStdString(),
                  "Cannot export to \"" + kTargets[i].path + "\": it is " + kTargets[i].what);
    }
    EXPECT_EQ(ReadLog(), kWorkedExampleFile);
    EXPECT_EQ(ReadBytes(backup), "kept\n");
}

// However many lines are damaged, the report fits a small screen with its OK button in sight,
// its headline first, and every damaged line in its scrolling list.
TEST_F(AppTest, AReportOfFiveHundredDamagedLinesFitsTheScreen) {
    std::string log = kWorkedExampleFile;
    for (int i = 0; i < 500; ++i) {
        log += "2007,7,1,8,0,0,x\n";
    }
    WriteLog(log);
    m_driver.OnMessageBox([](const std::u16string&) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        EXPECT_NE(box, nullptr);
        if (box != nullptr) {
            EXPECT_LE(box->frameGeometry().width(), 1024);
            EXPECT_LE(box->frameGeometry().height(), 768);
            const QAbstractButton* ok = box->button(QMessageBox::Ok);
            EXPECT_TRUE(ok->isVisible());
            EXPECT_TRUE(box->rect().contains(QRect(ok->mapTo(box, QPoint()), ok->size())));
            EXPECT_EQ(box->detailedText().count('\n'), 500);  // and the count's line
        }
        return IDOK;
    });
    RunProgram([](CLogDlg&) {});
    const std::string report =
        QString::fromStdU16String(m_driver.MessageBoxTexts().at(0)).toStdString();
    EXPECT_EQ(report.substr(0, report.find('\n')),
              "\"" + LogPath() + "\" is damaged; every entry that could be read was kept.");
}

TEST_F(AppTest, RemindersThatAreDueAreMarkedAndTheMarkCanBeTurnedOff) {
    struct Row {
        const char* name;
        double due;
        const char* note;  // tooltip and accessible description; empty: not marked
        bool overdue;
    };
    const Row rows[] = {
        {"501 km to go", 41950.0 + 501, "", false},
        {"500 km to go", 41950.0 + 500, "due in 500 km", false},
        {"at it", 41950.0, "due now", false},
        {"120 km past it", 41950.0 - 120, "passed 120 km ago", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteLog(LogWithReminderAt(row.due));
        RunProgram([&](CLogDlg& dlg) {
            for (int id : {IDC_REMINDER_LABEL1, IDC_REMINDER_VALUE1}) {
                const QWidget* field = ui::Control(dlg, id);
                EXPECT_EQ(field->toolTip(), row.note);
                EXPECT_EQ(field->accessibleDescription(), row.note);
                EXPECT_EQ(field->styleSheet().isEmpty(), *row.note == '\0');
                EXPECT_EQ(field->styleSheet().contains("#f5a3a3"), row.overdue);
            }
            EXPECT_EQ(ui::Control(dlg, IDC_REMINDER_LABEL1)->accessibleName(), "Reminder label 1");
            EXPECT_EQ(ui::Control(dlg, IDC_REMINDER_LABEL2)->toolTip(), "") << "not a reading";
            ui::Action(dlg, "markDueAction")->setChecked(false);
            EXPECT_EQ(ui::Control(dlg, IDC_REMINDER_LABEL1)->toolTip(), "");
            EXPECT_TRUE(ui::Control(dlg, IDC_REMINDER_VALUE1)->styleSheet().isEmpty());
            ui::Action(dlg, "markDueAction")->setChecked(true);
        });
        EXPECT_EQ(ReadLog(), LogWithReminderAt(row.due)) << "nothing is written";
    }
}

TEST_F(AppTest, TheWindowsLookIsRememberedBetweenStarts) {
    WriteLog(kWorkedExampleFile);
    QSize size;
    int dragged = 0;
    RunProgram([&](CLogDlg& dlg) {
        ui::Action(dlg, "markDueAction")->setChecked(false);
        // A size that fits the screen: a larger one is made to fit at the next start.
        dlg.GetWindowWidget()->resize(dlg.GetWindowWidget()->minimumSize() + QSize(60, 40));
        size = dlg.GetWindowWidget()->size();
        QHeaderView* header = ListView(dlg)->header();
        header->resizeSection(2, header->sectionSize(2) + 40);  // as a drag of its border
        dragged = header->sectionSize(2);
    });
    RunProgram([&](CLogDlg& dlg) {
        EXPECT_FALSE(ui::Action(dlg, "markDueAction")->isChecked());
        EXPECT_EQ(dlg.GetWindowWidget()->size(), size);
        EXPECT_EQ(ListView(dlg)->header()->sectionSize(2), dragged);
        ExpectColumnsFitTheirTexts(dlg);
    });
}

TEST_F(AppTest, BlanksAndKmPerLitreSayWhyInTooltipsAndToScreenReaders) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        const struct {
            int row;
            int column;
            const char* note;
        } cells[] = {
            {0, 1, "no fuel bought"},  // the maintenance of 1 September
            {0, 3, "no fuel bought"},
            {0, 4, "no fuel bought"},
            {0, 6, ""},  // a cost says what it is
            {1, 1, "660.0 km \u00F7 42.2 L (30.2 L here, 12.0 L carried from partial fills)"},
            {1, 2, ""},
            {2, 1, "partial fill: its litres are carried into the next full fill"},
            {2, 2, "partial fill: its litres are carried into the next full fill"},
            {3, 1, "the oldest entry: the first trip starts here"},
        };
        const QAbstractItemModel* rows = ListView(dlg)->model();
        for (const auto& cell : cells) {
            SCOPED_TRACE(std::to_string(cell.row) + "," + std::to_string(cell.column));
            const QModelIndex index = rows->index(cell.row, cell.column);
            EXPECT_EQ(index.data(Qt::ToolTipRole).toString(), cell.note);
            EXPECT_EQ(index.data(Qt::AccessibleDescriptionRole).toString(), cell.note);
            EXPECT_EQ(index.data(Qt::AccessibleTextRole).toString(),
                      Cell(dlg, cell.row, cell.column))
                << "the name stays the text";
        }
        // Sorted by cost, the notes go with their rows.
        ClickHeader(dlg, 6);
        EXPECT_EQ(Cell(dlg, 0, 6), " 1716");
        EXPECT_EQ(rows->index(0, 1).data(Qt::ToolTipRole).toString(),
                  "partial fill: its litres are carried into the next full fill");
    });
}

TEST(ExplainListCell, ABlankSaysWhatItStandsFor) {
    LogRecord fillUp;
    fillUp.kind = FillUp;
    fillUp.fuel = 30.0;
    fillUp.odo = 41000.0;
    LogRecord noOdometer = fillUp;
    noOdometer.odo = 0.0;
    LogRecord notFuel = fillUp;
    notFuel.kind = Maintenance;
    EXPECT_EQ(ExplainListCell(fillUp, false, 2), u"no distance since the previous fill-up");
    EXPECT_EQ(ExplainListCell(noOdometer, false, 7), u"no odometer reading");
    EXPECT_EQ(ExplainListCell(notFuel, false, 1),
              u"not a fill-up: its litres are carried into the next full fill");
    fillUp.trip = 300.0;
    EXPECT_EQ(ExplainListCell(fillUp, false, 1), u"300.0 km \u00F7 30.0 L");
}

#include "beyond_test.moc"
