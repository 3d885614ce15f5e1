// The list's columns fit their texts at the desktop's font; a person can still widen a column
// by dragging its header border, without sorting the rows by the way, and a column sized by
// hand keeps that size when the list is filled again.

#include <gtest/gtest.h>
#include <QHeaderView>
#include <QTest>

#include "app_fixture.h"
#include "resource.h"
#include "ui.h"

namespace {

// Presses the left button on the right border of `column`'s header section, moves `dx` pixels
// and releases there.
void DragSectionBorder(QHeaderView* header, int column, int dx) {
    QWidget* surface = header->viewport();
    const int border = header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
    const int y = header->height() / 2;
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(border, y));
    for (int step = 1; step <= 4; ++step) {
        QTest::mouseMove(surface, QPoint(border + dx * step / 4, y));
    }
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(border + dx, y));
}

}  // namespace

TEST_F(AppTest, DraggingAHeaderBorderWidensTheColumnAndSortsNothing) {
    WriteLog(kWorkedExampleFile);
    RunProgram([&](CLogDlg& dlg) {
        QHeaderView* header = ListView(dlg)->header();
        const int fitted0 = header->sectionSize(0);
        const int fitted1 = header->sectionSize(1);
        const QString firstDate = Cell(dlg, 0, 0);

        DragSectionBorder(header, 0, 70);
        EXPECT_EQ(header->sectionSize(0), fitted0 + 70);
        // The other columns keep their widths; the index column stays hidden.
        EXPECT_EQ(header->sectionSize(1), fitted1);
        EXPECT_EQ(header->sectionSize(8), 0);
        // A drag is no click on the header: the rows keep their order.
        EXPECT_EQ(Cell(dlg, 0, 0), firstDate);
        EXPECT_EQ(Cell(dlg, 0, 8), "0");

        // The list is filled again after a command: the dragged column keeps its width.
        ClickRow(dlg, 0);
        m_driver.OnDialog(IDD_CONFIRM, [](CDialog& d) { ui::Click(d, IDOK); });
        ui::Click(dlg, IDC_DELETE);
        ASSERT_EQ(ListView(dlg)->model()->rowCount(), 3);
        EXPECT_EQ(header->sectionSize(0), fitted0 + 70);
    });
}
