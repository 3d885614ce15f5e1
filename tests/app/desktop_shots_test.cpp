// The program on a 1920 x 1080 desktop, as the README shows it: the main window as it opens at a
// first start and maximized, over two years of driving, every column readable; the entry dialog
// with its keypad open over it; the statistics; the same driving in a log kept in miles, US
// gallons and euros. Each shot is taken in a process of its own whose offscreen screen is that
// desktop, at scale 1 and at scale 2 (the same screen with twice the pixels per point). With
// TARVO_SCREENSHOT_DIR set, the shots are written there.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <fstream>

#include "app_fixture.h"
#include "log_conversion.h"
#include "log_format.h"
#include "ole_date_time.h"
#include "recompute.h"
#include "resource.h"
#include "two_year_log.h"
#include "ui.h"

namespace {

constexpr QSize kDesktop(1920, 1080);

// The desktop the shots are taken on, if this process runs on it.
bool OnTheDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen->geometry().size() * screen->devicePixelRatio() == kDesktop;
}

// What the screen shows: the windows, bottom first, each where it stands. A window manager
// draws a dialog's title above it; here a strip with the title stands for it, so the shot
// shows which field a pad is for.
QImage Screen(const std::vector<QWidget*>& windows) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen->devicePixelRatio();
    QImage image(screen->geometry().size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0x3c, 0x4a, 0x5a));
    QPainter painter(&image);
    for (QWidget* window : windows) {
        const QRect at = window->geometry();
        if (!window->isMaximized()) {
            const int strip = window->fontMetrics().height() + 8;
            const QRect title(at.left(), at.top() - strip, at.width(), strip);
            painter.fillRect(title, QColor(0x2b, 0x57, 0x97));
            painter.setPen(Qt::white);
            painter.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                             window->windowTitle());
        }
        painter.drawPixmap(at.topLeft(), window->grab());
    }
    return image;
}

// A first start (no settings kept) opens ready to use: every column and the whole summary line
// show, and at least 15 rows, on a window centred on the screen and wholly on it.
void ExpectAReadyFirstStart(CDialog& dlg) {
    const QWidget* window = dlg.GetWindowWidget();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window->frameGeometry()));
    EXPECT_LE((window->frameGeometry().center() - screen.center()).manhattanLength(), 2);
    const QTreeView* list = ListView(dlg);
    EXPECT_GE(list->viewport()->width(), list->header()->length()) << "every column shows";
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << "no scrolling sideways";
    EXPECT_GE(list->viewport()->height() / list->sizeHintForRow(0), 15) << "rows shown";
    const auto* summary = static_cast<const QLineEdit*>(ui::Control(dlg, IDC_SUMMARY));
    EXPECT_GE(summary->contentsRect().width(),
              summary->fontMetrics().horizontalAdvance(summary->text()))
        << "the whole summary line shows";
}

void Save(const QImage& shot, const QString& name) {
    EXPECT_EQ(shot.size(), kDesktop) << name.toStdString();
    const QString folder = qEnvironmentVariable("TARVO_DESKTOP_SHOTS");
    ASSERT_FALSE(folder.isEmpty());
    ASSERT_TRUE(shot.save(QDir(folder).filePath(name + ".png"), "PNG")) << name.toStdString();
}

// Runs the tour below in a child process on the desktop at `scale`, saving into `folder`.
void RunTour(qreal scale, const QString& folder) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString config = scratch.filePath("desktop.json");
    QFile json(config);
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(QStringLiteral(R"({"screens":[{"name":"desktop","x":0,"y":0,"width":%1,)"
                              R"("height":%2,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                   .arg(kDesktop.width())
                   .arg(kDesktop.height())
                   .toUtf8());
    json.close();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
    env.insert("QT_SCALE_FACTOR", QString::number(scale));
    env.insert("TARVO_DESKTOP_SHOTS", folder);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=DesktopShots.TourOfTheDesktop"});
    ASSERT_TRUE(child.waitForStarted());
    // A generous bound only against a hang.
    ASSERT_TRUE(child.waitForFinished(300000));
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(child.exitCode(), 0) << "the tour at scale " << scale << " failed; see above";
}

class DesktopShots : public AppTest {};

}  // namespace

TEST_F(DesktopShots, TourOfTheDesktop) {
    if (!OnTheDesktop()) {
        GTEST_SKIP() << "runs in the child processes of AtScaleOneAndTwo";
    }
    SetPlatformClock([] { return QDateTime(QDate(2025, 3, 30), QTime(10, 15, 0)); });
    LogBook log = TwoYearLog();
    log.reminders.value = {51200.0, 60000.0, 0.0};  // the oil change due soon, the filter not
    WriteLog(FormatLogFile(log));
    m_driver.OnDialog(IDD_ENTRY, [&](CDialog& entry) {
        ui::ClickFocus(entry, IDC_FUEL);
        ui::Click(entry, IDCANCEL);
    });
    m_driver.OnDialog(IDD_STATS, [&](CDialog& stats) {
        Save(Screen({AfxGetMainWnd()->GetSafeWidget(), stats.GetWindowWidget()}), "desktop-stats");
        ui::Click(stats, IDOK);
    });
    RunProgram([&](CLogDlg& dlg) {
        QWidget* main = dlg.GetWindowWidget();
        ExpectAReadyFirstStart(dlg);
        Save(Screen({main}), "desktop-opening");
        main->showMaximized();
        QCoreApplication::processEvents();
        EXPECT_TRUE(main->isMaximized());
        EXPECT_GT(main->width(), kDesktop.width() / main->devicePixelRatio() - 10);
        ExpectColumnsFitTheirTexts(dlg);
        Save(Screen({main}), "desktop-main");

        m_driver.OnDialog(IDD_KEYPAD, [&](CDialog& keypad) {
            ui::Type(keypad, "38.5");
            EXPECT_EQ(keypad.GetWindowWidget()->windowTitle(), "Fuel(L)");
            QWidget* entry = keypad.GetWindowWidget()->parentWidget();
            Save(Screen({main, entry, keypad.GetWindowWidget()}), "desktop-entry");
            ui::Click(keypad, IDCANCEL);
        });
        ui::Click(dlg, IDC_INPUT);
        ui::Click(dlg, IDC_ANALYZE);

        // Another tracker's export with a question open, a repeat, a row dated after now and
        // one it cannot place.
        const std::string other = Card() + "/other.csv";
        std::ofstream(other, std::ios::binary)
            << "Date,Odometer,Litres,Total cost,Full\n03/04/2025,51300,41.2,7020,1\n"
               "03/04/2025,51300,41.2,7020,1\n03/05/2025,51720,30.5,5190,1\n"
               "04/06/2025,52100,28.0,4820,1\n04/08/2025,,12.0,2100,0\n";
        m_driver.OnFileDialog(other);
        m_driver.OnDialog(IDD_IMPORT_PREVIEW, [&](CDialog& preview) {
            ui::Choose(preview, IDC_IMPORT_ANSWER1, "Month first: 03/10/2024 is 10 March 2024");
            Save(Screen({main, preview.GetWindowWidget()}), "desktop-import");
            ui::Click(preview, IDCANCEL);
        });
        ui::Trigger(dlg, "importAction");
    });

    // The same driving kept in miles, US gallons and euros: the costs' numbers taken as cents.
    LogBook euros = ConvertBook(log, {DistanceUnit::Mi, QuantityUnit::UsGallons, Currency{}});
    euros.units.currency = *CurrencyOfCode("EUR");
    RecomputeLog(euros);
    WriteLog(FormatLogFile(euros));
    RunProgram([&](CLogDlg& dlg) {
        QWidget* main = dlg.GetWindowWidget();
        main->showMaximized();
        QCoreApplication::processEvents();
        ExpectColumnsFitTheirTexts(dlg);
        Save(Screen({main}), "desktop-euro-mpg");
    });
}

TEST(DesktopShotsAt, ScaleOneAndTwo) {
    if (OnTheDesktop()) {
        GTEST_SKIP() << "the child of itself";
    }
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString wanted = qEnvironmentVariable("TARVO_SCREENSHOT_DIR");
    const QString one = wanted.isEmpty() ? scratch.filePath("scale1") : wanted;
    const QString two = scratch.filePath("scale2");
    ASSERT_TRUE(QDir().mkpath(one));
    ASSERT_TRUE(QDir().mkpath(two));
    RunTour(1, one);
    RunTour(2, two);
    for (const char* name : {"desktop-opening", "desktop-main", "desktop-entry", "desktop-stats",
                             "desktop-import", "desktop-euro-mpg"}) {
        SCOPED_TRACE(name);
        const QImage atOne(QDir(one).filePath(QString(name) + ".png"));
        const QImage atTwo(QDir(two).filePath(QString(name) + ".png"));
        EXPECT_EQ(atOne.size(), kDesktop);
        EXPECT_EQ(atTwo.size(), kDesktop);
        EXPECT_NE(atOne, atTwo) << "scale 2 draws the windows twice as large on the same pixels";
    }
    if (!wanted.isEmpty()) {
        QFile::copy(QDir(two).filePath("desktop-main.png"),
                    QDir(wanted).filePath("desktop-main@2x.png"));
    }
}
