#include <gtest/gtest.h>
#include <QApplication>
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

// Five entries whose texts sort differently from their numbers: a trip of 1000.0 km is wider
// than its five-character field, and "----" sits between blanks and digits.
const char kSortLog[] =
    "A\n0\nB\n0\n\n0\n5\nheader\n"
    "2008,1,5,8,0,0,2099.8,20.0,0,2800\n"
    "2007,12,20,8,0,0,1999.9,10.0,0,1400\n"
    "2007,11,2,8,0,0,999.9,30.0,0,4200\n"
    "2007,10,1,8,0,0,900.0,5.0,1,700\n"
    "2007,9,1,8,0,0,0.0,40.0,0,5600\n";

}  // namespace

TEST(ListColumns, TextOrderIsByCodeUnitWithPrefixesFirst) {
    EXPECT_EQ(CompareCellText(u"", u""), 0);
    EXPECT_EQ(CompareCellText(u"", u" "), -1);
    EXPECT_EQ(CompareCellText(u"ab", u"a"), 1);
    EXPECT_EQ(CompareCellText(u" 9.9", u"----"), -1);
    EXPECT_EQ(CompareCellText(u"----", u"100.0"), -1);
    EXPECT_EQ(CompareCellText(u"1000.0", u"999.9"), -1);
    EXPECT_EQ(CompareCellText(u"\uFFFF", u"a"), 1);  // units compare unsigned
}

TEST(ListColumns, CellsBlankWhatMeansNothingAndPadToTheirWidths) {
    LogRecord r;
    r.time = SYSTEMTIME{2007, 1, 0, 2, 3, 4, 5, 0};
    r.kind = NotFillUp;
    std::u16string cell;
    const std::u16string expected[] = {
        u" 1/ 2/2007  3: 4: 5", u"----", u"----", u"----", u"----", u"N", u"    0", u"----", u"17"};
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
    EXPECT_EQ(FormatListCell(r, 0, 0, cell), u" 1/ 2/12345  3: 4: 5");
}

TEST_F(AppTest, HeaderClicksSortByTextAlternatingDirectionAcrossColumns) {
    WriteLog(kSortLog);
    RunProgram([&](CLogDlg& dlg) {
        // Trip km, ascending: a leading blank first, then "----", then digits, and 1000.0
        // (wider than its field) before 999.9.
        ClickHeader(dlg, 2);
        EXPECT_EQ(ColumnTexts(dlg, 2), (QStringList{" 99.9", "----", "----", "1000.0", "999.9"}));
        // Odo km, descending now: one flag serves every column, and "----" is the largest.
        ClickHeader(dlg, 7);
        EXPECT_EQ(ColumnTexts(dlg, 7),
                  (QStringList{"----", "  2099.8", "  1999.9", "   999.9", "   900.0"}));
        ClickHeader(dlg, 0);  // Date Time ascending: month first, so 1/5/2008 leads
        EXPECT_EQ(ColumnTexts(dlg, 0).first(), " 1/ 5/2008  8: 0: 0");
        EXPECT_EQ(ColumnTexts(dlg, 0).last(), "12/20/2007  8: 0: 0");
    });
}

TEST_F(AppTest, ARowClickAfterASortNamesTheRecordTheRowShows) {
    WriteLog(kSortLog);
    RunProgram([&](CLogDlg& dlg) {
        ClickHeader(dlg, 3);  // Fuel L ascending: " 5.0" (record 3) comes first
        ASSERT_EQ(Cell(dlg, 0, 3), "  5.0");
        ClickRow(dlg, 0);
        EXPECT_TRUE(ui::Enabled(dlg, IDC_CORRECT));
        EXPECT_TRUE(ui::Enabled(dlg, IDC_DELETE));
        EXPECT_EQ(Cell(dlg, 0, kIndexColumn), "3");
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
