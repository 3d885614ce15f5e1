#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <vector>

#include "log_record.h"
#include "modal_driver.h"
#include "resource.h"
#include "stats_dlg.h"
#include "ui.h"

namespace {

LogRecord Record(uint16_t day, uint16_t hour, uint16_t minute, uint16_t second, double fuel,
                 double odo, int32_t cost, double kmPerL) {
    LogRecord r;
    r.time = {2008, 3, 0, day, hour, minute, second, 0};
    r.kind = FillUp;
    r.fuel = fuel;
    r.odo = odo;
    r.cost = cost;
    r.kmPerL = kmPerL;
    return r;
}

// Two fill-ups, newest first, 300 km apart with 20 L at the newer one.
const std::vector<LogRecord> kTwoFillUps = {Record(15, 18, 0, 0, 20.0, 1300.0, 2900, 15.0),
                                            Record(2, 7, 4, 9, 35.0, 1000.0, 5110, 0.0)};

// The report as the edit shows it: eight lines with blank lines between the sections, the
// currency mark shown as the yen sign.
const QString kShownReport =
    "  1. RECORD START:  2 Mar 2008 07:04:09\n\n"
    "  2. REFUEL:  2 times,  Total 55.0 L\n\n"
    "     Max. Refuel 35.0 L,  Min. Refuel 20.0 L\n"
    "     Av. 145.6 \u00A5/L  Highest / Lowest  146.0 / 145.0 \u00A5/L\n\n"
    "  3. COST:  Fuel \u00A58010,  Other \u00A50\n\n"
    "     Total \u00A58010\n\n"
    "  4. MILEAGE:  Drive 300.0 km,  Av. 15.0 km/L\n\n"
    "     Highest / Lowest  15.0 / 15.0 km/L\n";

QPlainTextEdit* ReportEdit(CDialog& d) {
    return qobject_cast<QPlainTextEdit*>(ui::Control(d, IDC_REPORT));
}

TEST(StatsDlg, ShowsTheReportAsEightLinesAndOkClosesIt) {
    CStatsDlg dlg;
    dlg.BuildReport(kTwoFillUps.data(), static_cast<int32_t>(kTwoFillUps.size()));
    const std::u16string report = dlg.GetReport();
    ModalDriver driver;
    driver.OnDialog(IDD_STATS, [&](CDialog& d) {
        EXPECT_EQ(d.GetWindowWidget()->windowTitle(), "Statistics");
        QPlainTextEdit* edit = ReportEdit(d);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->toPlainText(), kShownReport);
        EXPECT_EQ(edit->toPlainText().split('\n', Qt::SkipEmptyParts).size(), 8);
        EXPECT_EQ(ui::Text(d, IDC_REPORT), report) << "read back with the line ends it was given";
        ui::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetReport(), report) << "OK takes the unchanged edit back";
    EXPECT_EQ(dlg.GetStats().refuels, 2);
}

// Each figure ends where the others of its column end, whatever the words before it, and every
// line shows whole.
TEST(StatsDlg, FiguresLineUpInTheirColumns) {
    // Each figure found by the words before it: the figure ends where its needle ends.
    const std::vector<std::pair<const char*, std::vector<QString>>> columns = {
        {"first",
         {"REFUEL:  2", "Refuel 35.0", "Av. 145.6", "Fuel \u00A58010", "Total \u00A58010",
          "Drive 300.0"}},
        {"second",
         {"Total 55.0", "Refuel 20.0", "Lowest  146.0", "Other \u00A50", "Av. 15.0",
          "Lowest  15.0"}},
        {"lowest of a pair", {"/ 145.0", "/ 15.0"}},
    };
    CStatsDlg dlg;
    dlg.BuildReport(kTwoFillUps.data(), static_cast<int32_t>(kTwoFillUps.size()));
    ModalDriver driver;
    driver.OnDialog(IDD_STATS, [&](CDialog& d) {
        QPlainTextEdit* edit = ReportEdit(d);
        const auto endOf = [edit](const QString& needle) {
            QTextCursor found = edit->document()->find(needle);
            EXPECT_FALSE(found.isNull()) << needle.toStdString();
            found.clearSelection();
            return edit->cursorRect(found).x();
        };
        for (const auto& [name, needles] : columns) {
            SCOPED_TRACE(name);
            for (const QString& needle : needles) {
                EXPECT_NEAR(endOf(needle), endOf(needles.front()), 1) << needle.toStdString();
            }
        }
        for (QTextBlock line = edit->document()->begin(); line.isValid(); line = line.next()) {
            QTextCursor end(line);
            end.movePosition(QTextCursor::EndOfBlock);
            EXPECT_LT(edit->cursorRect(end).x(), edit->viewport()->width())
                << line.text().toStdString();
        }
        ui::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(StatsDlg, BelowTwoRecordsNothingIsComputed) {
    struct Row {
        const char* name;
        int32_t count;
    };
    for (const Row& row : {Row{"empty log", 0}, Row{"one record", 1}}) {
        SCOPED_TRACE(row.name);
        CStatsDlg dlg;
        dlg.BuildReport(kTwoFillUps.data(), row.count);
        EXPECT_EQ(dlg.GetReport(), u"");
        EXPECT_EQ(dlg.GetStats().refuels, 0) << "the pass did not run";
        EXPECT_EQ(dlg.GetStats().totalCost, 0);
        ModalDriver driver;
        driver.OnDialog(IDD_STATS, [](CDialog& d) {
            QPlainTextEdit* edit = ReportEdit(d);
            ASSERT_NE(edit, nullptr);
            EXPECT_TRUE(edit->toPlainText().isEmpty());
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
}

TEST(StatsDlg, AnEmptyLogWithNoArrayOpensAnEmptyEdit) {
    CStatsDlg dlg;
    dlg.BuildReport(nullptr, 0);
    ModalDriver driver;
    driver.OnDialog(IDD_STATS, [](CDialog& d) {
        EXPECT_EQ(ui::Text(d, IDC_REPORT), u"");
        ui::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

// The edit is not read-only: what the user types there is taken back on OK and goes with the
// dialog, the log untouched.
TEST(StatsDlg, TypedTextIsTakenBackOnOk) {
    CStatsDlg dlg;
    dlg.BuildReport(kTwoFillUps.data(), static_cast<int32_t>(kTwoFillUps.size()));
    const std::u16string report = dlg.GetReport();
    ModalDriver driver;
    driver.OnDialog(IDD_STATS, [](CDialog& d) {
        ui::ClickFocus(d, IDC_REPORT);
        ReportEdit(d)->moveCursor(QTextCursor::Start);
        ui::Type(d, "note ");
        ui::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetReport(), u"note " + report);
}

}  // namespace
