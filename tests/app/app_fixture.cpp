#include "app_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QHeaderView>
#include <QSettings>
#include <QTest>

#include "list_columns.h"
#include "resource.h"

namespace fs = std::filesystem;

const char kWorkedExampleFile[] =
    "CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n4\n"
    "Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,Cost,km/L,"
    "Trip,\\/L\n"
    "2007,9,1,12,0,0,41950.0,0.0,2,8400,0.0,0.0,0.0\n"
    "2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n"
    "2007,8,15,18,40,12,41502.5,12.0,1,1716,0.0,0.0,143.0\n"
    "2007,8,4,9,5,0,41230.0,38.5,0,5390,0.0,0.0,140.0\n";

AppTest::AppTest() {
    std::string pattern = (fs::temp_directory_path() / "tarvo-app-XXXXXX").string();
    m_card = mkdtemp(pattern.data());
    fs::create_directories(m_card + "/Tarvo");
    if (const char* old = std::getenv("TARVO_STORAGE")) {
        m_oldStorage = old;
        m_hadStorage = true;
    }
    setenv("TARVO_STORAGE", m_card.c_str(), 1);
    // Every test starts as a first start: nothing remembered of an earlier run's window.
    QSettings(QStringLiteral("Tarvo"), QStringLiteral("Tarvo")).clear();
}

AppTest::~AppTest() {
    m_hadStorage ? setenv("TARVO_STORAGE", m_oldStorage.c_str(), 1) : unsetenv("TARVO_STORAGE");
    std::error_code ignored;
    fs::permissions(m_card + "/Tarvo", fs::perms::owner_all, ignored);
    fs::remove_all(m_card, ignored);
}

void AppTest::WriteLog(const std::string& bytes) const {
    std::ofstream(LogPath(), std::ios::binary) << bytes;
}

std::string AppTest::ReadLog() const {
    std::ifstream in(LogPath(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void AppTest::RunProgram(const std::function<void(CLogDlg&)>& body) {
    CLogApp app;
    m_driver.OnDialog(IDD_TARVO_DIALOG, [&](CDialog& d) {
        body(static_cast<CLogDlg&>(d));
        if (d.IsOpen()) {
            d.GetWindowWidget()->close();
        }
    });
    EXPECT_EQ(app.InitInstance(), FALSE);
}

QTreeView* ListView(CDialog& dlg) {
    return static_cast<QTreeView*>(dlg.GetControlWidget(IDC_LOG_LIST));
}

QString Cell(CDialog& dlg, int row, int column) {
    QTreeView* view = ListView(dlg);
    return view->model()->index(row, column).data().toString();
}

void ClickRow(CDialog& dlg, int row) {
    QTreeView* view = ListView(dlg);
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void ClickHeader(CDialog& dlg, int column) {
    QHeaderView* header = ListView(dlg)->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

void ClickEmptyListSpace(CDialog& dlg) {
    QTreeView* view = ListView(dlg);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(5, view->viewport()->height() - 2));
}

void ExpectColumnsFitTheirTexts(CDialog& dlg) {
    QTreeView* view = ListView(dlg);
    const QFontMetrics metrics(view->font());
    const QAbstractItemModel* model = view->model();
    for (int c = 0; c < kIndexColumn; ++c) {
        const int width = view->header()->sectionSize(c);
        EXPECT_GE(width, kListColumns[static_cast<size_t>(c)].width) << "column " << c;
        EXPECT_GE(width, metrics.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()))
            << "title of column " << c;
        for (int r = 0; r < model->rowCount(); ++r) {
            EXPECT_GE(width, metrics.horizontalAdvance(Cell(dlg, r, c)))
                << "row " << r << " column " << c;
        }
    }
    EXPECT_EQ(view->header()->sectionSize(kIndexColumn), 0);
}
