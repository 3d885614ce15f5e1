// The list's columns are as wide as the device's pixels allow, which cuts the longer cells
// short on a desktop font; a person widens a column by dragging its header border, as on the
// device, without sorting the rows by the way.

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
        ASSERT_EQ(header->sectionSize(0), 52);
        const QString firstDate = Cell(dlg, 0, 0);

        DragSectionBorder(header, 0, 70);
        EXPECT_EQ(header->sectionSize(0), 52 + 70);
        // The other columns keep their widths; the index column stays hidden.
        EXPECT_EQ(header->sectionSize(1), 40);
        EXPECT_EQ(header->sectionSize(8), 0);
        // A drag is no click on the header: the rows keep their order.
        EXPECT_EQ(Cell(dlg, 0, 0), firstDate);
        EXPECT_EQ(Cell(dlg, 0, 8), "0");

        DragSectionBorder(header, 7, 25);
        EXPECT_EQ(header->sectionSize(7), 65 + 25);
        EXPECT_EQ(Cell(dlg, 0, 8), "0");
    });
}
