#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include "app_fixture.h"
#include "list_columns.h"
#include "resource.h"
#include "ui.h"

namespace {

QStringList ColumnTexts(CDialog& dlg, int column) {
    QStringList texts;
    for (int r = 0; r < ListView(dlg)->model()->rowCount(); ++r) {
        texts << Cell(dlg, r, column);
    }
    return texts;
}

// Five entries over two years whose texts sort differently from what they mean: dates of
// different years and months, a trip over 1,000 km beside one of 453.5 km, costs of ¥98,000 and
// ¥100,000, and blanks ("----") where an entry has no trip, no fuel or no odometer reading.
const char kSortLog[] =
    "A\n0\nB\n0\n\n0\n5\nheader\n"
    "2025,10,2,8,0,0,0.0,20.0,1,3000\n"
    "2025,1,7,2,24,34,2600.0,0.0,2,98000\n"
    "2024,12,24,14,14,0,2570.0,50.0,0,100000\n"
    "2024,10,5,9,0,0,1453.5,30.0,0,4500\n"
    "2024,1,14,10,40,0,1000.0,40.0,0,5000\n";

}  // namespace

TEST(ListColumns, CellsBlankWhatMeansNothingAndPadToTheirWidths) {
    LogRecord r;
    r.time = SYSTEMTIME{2007, 1, 0, 2, 3, 4, 5, 0};
    r.kind = NotFillUp;
    std::u16string cell;
    const std::u16string expected[] = {
        u"2 Jan 2007 03:04:05", u"----", u"----", u"----", u"----", u"N", u"    0", u"----", u"17"};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(FormatListCell(r, 17, c, cell), expected[c]) << c;
    }
    // km/L and price are blanked by the trip and the fuel, not by their own values.
    r.trip = 12.0;
    r.kmPerL = 0.0;
    r.fuel = 3.0;
    r.yenPerL = 0.0;
    EXPECT_EQ(FormatListCell(r, 0, 1, cell), u" 0.0");
    EXPECT_EQ(FormatListCell(r, 0, 4, cell), u"  0.0");
    r.time.wYear = 12345;
    EXPECT_EQ(FormatListCell(r, 0, 0, cell), u"2 Jan 12345 03:04:05");
}

// A click on a header sorts by what the cells mean: dates in time order, numbers by value, the
// kind by its letter; blanks come together after the values in either direction. The first
// click sorts ascending, the next one descending.
TEST_F(AppTest, HeaderClicksSortByTheValueBehindTheCell) {
    struct SortRow {
        const char* name;
        int column;
        bool ascending;
        QStringList texts;
    };
    const SortRow rows[] = {
        {"dates across years, ascending",
         0,
         true,
         {"14 Jan 2024 10:40:00", "5 Oct 2024 09:00:00", "24 Dec 2024 14:14:00",
          "7 Jan 2025 02:24:34", "2 Oct 2025 08:00:00"}},
        {"dates across years, descending",
         0,
         false,
         {"2 Oct 2025 08:00:00", "7 Jan 2025 02:24:34", "24 Dec 2024 14:14:00",
          "5 Oct 2024 09:00:00", "14 Jan 2024 10:40:00"}},
        {"trips over 1,000 km, ascending, blanks last",
         2,
         true,
         {"453.5", "1116.5", "----", "----", "----"}},
        {"trips, descending, blanks still last",
         2,
         false,
         {"1116.5", "453.5", "----", "----", "----"}},
        {"costs over 100,000 yen, ascending",
         6,
         true,
         {" 3000", " 4500", " 5000", "98000", "100000"}},
        {"costs, descending", 6, false, {"100000", "98000", " 5000", " 4500", " 3000"}},
        {"odometer, descending, its blank last",
         7,
         false,
         {"  2600.0", "  2570.0", "  1453.5", "  1000.0", "----"}},
        {"kind by its letter", 5, true, {"F", "F", "F", "M", "N"}},
    };
    for (const SortRow& row : rows) {
        SCOPED_TRACE(row.name);
        WriteLog(kSortLog);
        RunProgram([&](CLogDlg& dlg) {
            ClickHeader(dlg, row.column);
            if (!row.ascending) {
                ClickHeader(dlg, row.column);
            }
            EXPECT_EQ(ColumnTexts(dlg, row.column), row.texts);
            EXPECT_EQ(ListView(dlg)->header()->sortIndicatorOrder(),
                      row.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        });
    }
}

TEST_F(AppTest, ARowClickAfterASortNamesTheRecordTheRowShows) {
    WriteLog(kSortLog);
    RunProgram([&](CLogDlg& dlg) {
        ClickHeader(dlg, 7);  // Odo km ascending: the oldest entry (record 4) comes first
        ASSERT_EQ(Cell(dlg, 0, 7), "  1000.0");
        ClickRow(dlg, 0);
        EXPECT_TRUE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_TRUE(ui::Enabled(dlg, IDC_DELETE));
        EXPECT_EQ(Cell(dlg, 0, kIndexColumn), "4");
        ClickEmptyListSpace(dlg);
        EXPECT_FALSE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_FALSE(ui::Enabled(dlg, IDC_DELETE));
    });
}

TEST_F(AppTest, EmptyLogColumnClickStillTurnsTheDirection) {
    m_driver.OnMessageBox();
    RunProgram([&](CLogDlg& dlg) {
        ClickHeader(dlg, 1);
        EXPECT_EQ(ListView(dlg)->model()->rowCount(), 0);
    });
}
