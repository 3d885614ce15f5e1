// Screenshots of every dialog as a person meets them, taken from the real windows: the main
// dialog with a four-entry log and each dialog it opens, and the charts window, one shot per tab,
// with two years of driving. Each shot is checked for what a person would notice first: a window
// of its template's size in dialog units (the charts window: of the size it was given), drawn
// (not one flat colour), with every control inside its edges; at a device pixel ratio of 2 the
// same windows come out twice as large in device pixels.
//
// The shots go to $TARVO_SCREENSHOT_DIR when it is set (the README's pictures are made so), to a
// temporary folder otherwise.

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>

#include "app_fixture.h"
#include "chart_data.h"
#include "charts_window.h"
#include "dialog_window.h"
#include "key_tables.h"
#include "ole_date_time.h"
#include "resource.h"
#include "two_year_log.h"
#include "ui.h"

namespace {

// The names of the shots, one per dialog, in the order the tour below opens them.
const std::vector<QString> kShotNames = {"main",     "entry",           "keypad",
                                         "keyboard", "stats",           "confirm",
                                         "charts",   "charts-spending", "charts-price"};

// The device pixel ratio this process was started with (the offscreen screen takes it from
// QT_SCALE_FACTOR), as the screenshots must show it.
qreal RequestedRatio() {
    bool ok = false;
    const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

// Grabs `window` as the screen shows it, checks that it was drawn, and saves it as
// `folder`/`name`.png.
void SaveShot(QWidget& window, const QString& folder, const QString& name) {
    const QPixmap pixmap = window.grab();
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), RequestedRatio());
    const QImage shot = pixmap.toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), window.size() * RequestedRatio());

    // Not one flat colour: frames, controls and their texts were drawn. A tenth of the pixels
    // differ from the corner's at least (an empty window would have none).
    qint64 differing = 0;
    const QRgb corner = shot.pixel(0, 0);
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            differing += shot.pixel(x, y) != corner;
        }
    }
    EXPECT_GT(differing * 10, qint64(shot.width()) * shot.height());

    const QString file = QDir(folder).filePath(name + ".png");
    ASSERT_TRUE(shot.save(file, "PNG")) << file.toStdString();
}

// What every shot must be, checked on the open dialog, then saved as `folder`/`name`.png.
void TakeShot(CDialog& dlg, const QString& folder, const QString& name) {
    SCOPED_TRACE(name.toStdString());
    QWidget* window = dlg.GetWindowWidget();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());

    // The window's area below its menu bar (if it has one) is its template's rectangle in dialog
    // units of its own font, at any ratio: Qt lays out in device-independent pixels, so a
    // high-DPI screen scales the whole dialog.
    const DialogTemplate& tmpl = *dlg.GetTemplate();
    const DialogUnits units(window->font());
    // Only a window widened to show a text whole is wider, its right-anchored controls with it.
    const QWidget* client = static_cast<DialogWindow*>(window)->Client();
    const QSize grown = client->size() - QSize(units.X(tmpl.cx), units.Y(tmpl.cy));
    EXPECT_EQ(grown.height(), 0);
    EXPECT_GE(grown.width(), 0);
    const QMenuBar* menu = window->findChild<QMenuBar*>();
    EXPECT_EQ(window->size(), client->size() + QSize(0, menu != nullptr ? menu->height() : 0));

    // Every control lies inside the window in its template, and sits where the template puts
    // it; its edges are mapped to pixels, so one that reaches an edge ends exactly there.
    const QRect inside = client->rect();
    for (const ControlTemplate& item : tmpl.controls) {
        EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.x + item.cx <= tmpl.cx &&
                    item.y + item.cy <= tmpl.cy)
            << "control " << item.id << " crosses an edge of the template";
        if (item.id == IDC_STATIC) {
            continue;
        }
        const QWidget* control = dlg.GetControlWidget(item.id);
        ASSERT_NE(control, nullptr) << "control " << item.id;
        const QRect at = control->geometry();
        QRect placed = units.Rect(item.x, item.y, item.cx, item.cy);
        if ((item.anchors & AnchorRight) != 0) {
            placed.setRight(placed.right() + grown.width());
            placed.setLeft(placed.left() + ((item.anchors & AnchorLeft) != 0 ? 0 : grown.width()));
        }
        EXPECT_EQ(at, placed) << "control " << item.id;
        EXPECT_TRUE(inside.contains(at)) << "control " << item.id << " crosses an edge";
        EXPECT_TRUE(control->isVisible()) << "control " << item.id;
        EXPECT_GT(at.width(), 0) << "control " << item.id;
        EXPECT_GT(at.height(), 0) << "control " << item.id;
    }

    SaveShot(*window, folder, name);
}

int KeyboardKeyId(char16_t ch) {
    for (const PadKey& key : kKeyboardKeys) {
        if (key.ch == ch) {
            return key.id;
        }
    }
    ADD_FAILURE() << "no key types " << static_cast<int>(ch);
    return 0;
}

class Screenshots : public AppTest {
protected:
    void TearDown() override { SetPlatformClock(nullptr); }

    // Takes the six shots into `folder`, the way a person goes through the program: the main
    // dialog; Correct on a fill-up opens the entry dialog; its Fuel field the keypad (30.2 keyed
    // in); its first reminder label the keyboard ("TIRES" typed); every one cancelled; Analyze
    // shows the statistics; Delete on a newer entry asks for confirmation, also cancelled. The
    // log is left as it was.
    void TakeAllShots(const QString& folder) {
        // The entry dialog never shows the clock here (it edits a stored entry), but nothing
        // in a shot may depend on the day it was taken.
        SetPlatformClock([] { return QDateTime(QDate(2007, 9, 8), QTime(10, 15, 0)); });
        WriteLog(kWorkedExampleFile);

        m_driver.OnDialog(IDD_ENTRY, [&](CDialog& entry) {
            TakeShot(entry, folder, "entry");
            ui::ClickFocus(entry, IDC_FUEL);
            ui::ClickFocus(entry, IDC_ENTRY_LABEL1);
            ui::Click(entry, IDCANCEL);
        });
        m_driver.OnDialog(IDD_KEYPAD, [&](CDialog& keypad) {
            for (int digit : {3, 0}) {
                ui::Click(keypad, kKeypadKeys[static_cast<size_t>(digit)].id);
            }
            ui::Click(keypad, IDC_KEY_POINT);
            ui::Click(keypad, kKeypadKeys[2].id);
            EXPECT_EQ(ui::QText(keypad, IDC_KEYPAD_DISPLAY), "30.2");
            TakeShot(keypad, folder, "keypad");
            ui::Click(keypad, IDCANCEL);
        });
        m_driver.OnDialog(IDD_KEYBOARD, [&](CDialog& keyboard) {
            for (char16_t ch : std::u16string(u"TIRES")) {
                ui::Click(keyboard, KeyboardKeyId(ch));
            }
            EXPECT_EQ(ui::QText(keyboard, IDC_KEYBOARD_DISPLAY), "TIRES");
            TakeShot(keyboard, folder, "keyboard");
            ui::Click(keyboard, IDCANCEL);
        });
        m_driver.OnDialog(IDD_STATS, [&](CDialog& stats) {
            EXPECT_FALSE(ui::QText(stats, IDC_REPORT).isEmpty());
            TakeShot(stats, folder, "stats");
            ui::Click(stats, IDOK);
        });
        m_driver.OnDialog(IDD_CONFIRM, [&](CDialog& confirm) {
            TakeShot(confirm, folder, "confirm");
            ui::Click(confirm, IDCANCEL);
        });

        RunProgram([&](CLogDlg& dlg) {
            // At its least size, the template's (it opens larger, to show its whole list).
            dlg.GetWindowWidget()->resize(dlg.GetWindowWidget()->minimumSize());
            TakeShot(dlg, folder, "main");
            ClickRow(dlg, 1);  // the fill-up of 26 August
            ui::Click(dlg, IDC_CORRECT);
            ui::Click(dlg, IDC_ANALYZE);
            ClickRow(dlg, 1);
            ui::Click(dlg, IDC_DELETE);
        });

        const std::vector<UINT> tour = {IDD_TARVO_DIALOG, IDD_ENTRY, IDD_KEYPAD,
                                        IDD_KEYBOARD,     IDD_STATS, IDD_CONFIRM};
        EXPECT_EQ(m_driver.DialogsRun(), tour);
        EXPECT_EQ(ReadLog(), kWorkedExampleFile);

        TakeChartsShots(folder);
    }

    // The charts window over two years of driving, at the size it opens with on a screen large
    // enough for it (a smaller one, as at ratio 2 here, makes it smaller), one shot per tab.
    static void TakeChartsShots(const QString& folder) {
        QWidget owner;
        ChartsWindow charts(&owner);
        charts.resize(900, 600);
        const LogBook log = TwoYearLog();
        const ChartData data = BuildChartData(log);
        // Two full years, every entry dated, a km/L for most stops: a picture worth showing.
        EXPECT_EQ(data.months.size(), 24u);
        EXPECT_GE(data.kmPerL.size(), 40u);
        EXPECT_EQ(LeftOutNote(data), u"");
        charts.ShowLog(log);
        const QSize opened = charts.size();
        charts.show();
        QCoreApplication::processEvents();  // lays the charts out
        ASSERT_TRUE(charts.isVisible());
        EXPECT_EQ(charts.size(), opened);
        auto* tabs = charts.findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        const QString names[] = {"charts", "charts-spending", "charts-price"};
        ASSERT_EQ(tabs->count(), static_cast<int>(std::size(names)));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            SCOPED_TRACE(names[tab].toStdString());
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            SaveShot(charts, folder, names[tab]);
        }
    }
};

}  // namespace

TEST_F(Screenshots, EveryDialogIsDrawnInsideItsTemplateRectangle) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString folder = qEnvironmentVariable("TARVO_SCREENSHOT_DIR", scratch.path());
    ASSERT_TRUE(QDir().mkpath(folder));
    TakeAllShots(folder);
    for (const QString& name : kShotNames) {
        const QImage saved(QDir(folder).filePath(name + ".png"));
        EXPECT_FALSE(saved.isNull()) << name.toStdString();
    }
}

// The same tour in a second process whose screen has a device pixel ratio of 2 (as a high-DPI
// desktop gives it): every window keeps its layout and comes out twice as wide and twice as high
// in device pixels as here.
TEST_F(Screenshots, AtDevicePixelRatioTwoEveryDialogIsTwiceAsLarge) {
    if (RequestedRatio() != 1.0) {
        GTEST_SKIP() << "compares against ratio 1; this process runs at " << RequestedRatio();
    }
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString normal = scratch.filePath("ratio1");
    const QString high = scratch.filePath("ratio2");
    ASSERT_TRUE(QDir().mkpath(normal));
    ASSERT_TRUE(QDir().mkpath(high));
    TakeAllShots(normal);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    env.insert("TARVO_SCREENSHOT_DIR", high);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=Screenshots.EveryDialogIsDrawnInsideItsTemplateRectangle"});
    ASSERT_TRUE(child.waitForStarted());
    // A generous bound only against a hang: the run takes a second or two, longer under the
    // sanitizers.
    ASSERT_TRUE(child.waitForFinished(300000));
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(child.exitCode(), 0) << "the tour at ratio 2 failed; its output is above";

    for (const QString& name : kShotNames) {
        SCOPED_TRACE(name.toStdString());
        const QImage one(QDir(normal).filePath(name + ".png"));
        const QImage two(QDir(high).filePath(name + ".png"));
        ASSERT_FALSE(one.isNull());
        ASSERT_FALSE(two.isNull());
        EXPECT_EQ(two.size(), one.size() * 2);
    }
}
