#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "charts_window.h"
#include "log_record.h"
#include "log_test_support.h"
#include "two_year_log.h"

namespace {

LogBook Recomputed(LogBook book) {
    SortNewestFirst(book);
    RecomputeLog(book);
    return book;
}

// A point of a series as "2007-08-26 07:30:45 15.64": the time as the date axis shows it.
std::vector<std::string> Points(const QXYSeries* series) {
    std::vector<std::string> texts;
    if (series == nullptr) {
        return {"no such series"};
    }
    for (const QPointF& p : series->points()) {
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(p.x()));
        texts.push_back(at.toString("yyyy-MM-dd HH:mm:ss").toStdString() + " " +
                        QString::number(p.y(), 'f', 2).toStdString());
    }
    return texts;
}

std::vector<double> Values(const QBarSet* set) {
    std::vector<double> values;
    for (int i = 0; i < set->count(); ++i) {
        values.push_back(set->at(i));
    }
    return values;
}

// The open charts window and its parts, as a person sees them.
class ChartsWindowTest : public testing::Test {
protected:
    ChartsWindowTest() : m_charts(&m_owner) {}

    void Show(const LogBook& book) {
        m_charts.ShowLog(book);
        m_charts.show();
        // Lays the charts out, so that their points have their places on the screen.
        QCoreApplication::processEvents();
        ASSERT_TRUE(m_charts.isVisible());
    }

    QChartView* View(const char* name) { return m_charts.findChild<QChartView*>(name); }
    QChart* Chart(const char* name) {
        QChartView* view = View(name);
        return view != nullptr ? view->chart() : nullptr;
    }
    // The series of `chart` named `name`; the dots of a line share its name.
    template <class Series>
    Series* Find(const char* chart, const QString& name) {
        for (QAbstractSeries* series : Chart(chart)->series()) {
            if (auto* wanted = qobject_cast<Series*>(series); wanted && series->name() == name) {
                return wanted;
            }
        }
        ADD_FAILURE() << "no series " << name.toStdString() << " in " << chart;
        return nullptr;
    }
    QString ValueTitle(const char* chart) {
        return Chart(chart)->axes(Qt::Vertical).at(0)->titleText();
    }
    // The month names under the bars, with the spending tab in front (a tab laid out in the
    // background has not got its width yet).
    QStringList MonthNames() {
        Tabs()->setCurrentWidget(View("spendingChart"));
        QCoreApplication::processEvents();
        auto* axis =
            qobject_cast<QCategoryAxis*>(Chart("spendingChart")->axes(Qt::Horizontal).at(0));
        return axis != nullptr ? axis->categoriesLabels() : QStringList{"no month axis"};
    }
    QLabel* Label(const char* name) { return m_charts.findChild<QLabel*>(name); }
    QTabWidget* Tabs() { return m_charts.findChild<QTabWidget*>(); }

    QWidget m_owner;
    ChartsWindow m_charts;
};

const QString kKmPerL = "km/L of each fill-up";
const QString kAverage = "Average of the last 5 fill-ups";
const QString kPrice = "Price per litre of each entry with fuel";

TEST_F(ChartsWindowTest, TheWorkedExamplesSeriesHoldItsPoints) {
    Show(Recomputed(WorkedExample()));
    EXPECT_TRUE(m_charts.isWindow());
    EXPECT_EQ(m_charts.parentWidget(), &m_owner);
    EXPECT_EQ(m_charts.windowTitle(), "Tarvo - Charts");
    EXPECT_TRUE(Tabs()->isVisible());
    EXPECT_FALSE(Label("fewFillUps")->isVisible());
    EXPECT_FALSE(Label("leftOut")->isVisible());

    const std::vector<std::string> kmPerL = {"2007-08-26 07:30:45 15.64"};
    EXPECT_EQ(Points(Find<QLineSeries>("economyChart", kKmPerL)), kmPerL);
    EXPECT_EQ(Points(Find<QScatterSeries>("economyChart", kKmPerL)), kmPerL);
    EXPECT_EQ(Points(Find<QLineSeries>("economyChart", kAverage)), kmPerL);
    EXPECT_EQ(ValueTitle("economyChart"), "km/L");

    auto* bars = qobject_cast<QBarSeries*>(Chart("spendingChart")->series().at(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 2);
    EXPECT_EQ(bars->barSets().at(0)->label(), "Fuel");
    EXPECT_EQ(Values(bars->barSets().at(0)), (std::vector<double>{11394.0, 0.0}));
    EXPECT_EQ(bars->barSets().at(1)->label(), "Other");
    EXPECT_EQ(Values(bars->barSets().at(1)), (std::vector<double>{0.0, 8400.0}));
    EXPECT_EQ(MonthNames(), QStringList({"2007-08", "2007-09"}));
    EXPECT_EQ(ValueTitle("spendingChart"), u"\u00A5 per month");

    const std::vector<std::string> prices = {
        "2007-08-04 09:05:00 140.00", "2007-08-15 18:40:12 143.00", "2007-08-26 07:30:45 141.99"};
    EXPECT_EQ(Points(Find<QLineSeries>("priceChart", kPrice)), prices);
    EXPECT_EQ(Points(Find<QScatterSeries>("priceChart", kPrice)), prices);
    EXPECT_EQ(ValueTitle("priceChart"), u"\u00A5/L");
}

TEST_F(ChartsWindowTest, FewerThanTwoFillUpsShowASentenceAndNoChart) {
    struct Row {
        const char* name;
        std::vector<LogRecord> entries;  // newest first
        const char* sentence;
    };
    const Row rows[] = {
        {"empty log", {}, "Charts need at least two fill-ups; this log has 0."},
        {"one fill-up, a partial fill and maintenance",
         {Entry(2007, 9, 1, 12, 0, 0, 41950.0, 0.0, Maintenance, 8400),
          Entry(2007, 8, 15, 18, 40, 12, 41502.5, 12.0, NotFillUp, 1716),
          Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, FillUp, 5390)},
         "Charts need at least two fill-ups; this log has 1."},
        {"partial fills only",
         {Entry(2007, 8, 15, 18, 40, 12, 41502.5, 12.0, NotFillUp, 1716),
          Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, NotFillUp, 5390)},
         "Charts need at least two fill-ups; this log has 0."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Show(Recomputed(BookOf(row.entries)));
        EXPECT_TRUE(Label("fewFillUps")->isVisible());
        EXPECT_EQ(Label("fewFillUps")->text(), row.sentence);
        for (QChartView* view : m_charts.findChildren<QChartView*>()) {
            EXPECT_FALSE(view->isVisible()) << view->objectName().toStdString();
        }
    }
}

// The owner shows each log it reads; the charts follow, both ways across two fill-ups.
TEST_F(ChartsWindowTest, FollowsEveryLogItIsGiven) {
    Show(Recomputed(WorkedExample()));
    Show(Recomputed(BookOf({Entry(2007, 8, 4, 9, 5, 0, 41230.0, 38.5, FillUp, 5390)})));
    EXPECT_FALSE(Tabs()->isVisible());
    EXPECT_EQ(Label("fewFillUps")->text(), "Charts need at least two fill-ups; this log has 1.");

    Show(Recomputed(BookOf({Entry(2008, 1, 20, 8, 0, 0, 2000.0, 20.0, FillUp, 3000),
                            Entry(2007, 13, 5, 8, 0, 0, 1600.0, 20.0, FillUp, 3000),
                            Entry(2007, 12, 30, 8, 0, 0, 1500.0, 25.0, FillUp, 3500),
                            Entry(2007, 11, 30, 8, 0, 0, 1000.0, 40.0, FillUp, 6000)})));
    EXPECT_TRUE(Tabs()->isVisible());
    EXPECT_FALSE(Label("fewFillUps")->isVisible());
    EXPECT_EQ(Points(Find<QScatterSeries>("economyChart", kKmPerL)),
              (std::vector<std::string>{"2007-12-30 08:00:00 20.00", "2008-01-20 08:00:00 20.00"}));
    EXPECT_EQ(Points(Find<QLineSeries>("priceChart", kPrice)).size(), 3u);
    EXPECT_EQ(MonthNames(), QStringList({"2007-11", "2007-12", "2008-01"}));
    EXPECT_TRUE(Label("leftOut")->isVisible());
    EXPECT_EQ(Label("leftOut")->text(), "Left out: 1 entry whose date is no calendar date.");
}

// The month names under the bars thin out as the window narrows, always on the same months of
// every year (every month, or January, April, July, October, ...), and come back as it widens.
TEST_F(ChartsWindowTest, MonthNamesFitTheWidthOnTheSameMonthsEveryYear) {
    Show(TwoYearLog());
    struct Row {
        const char* name;
        QSize size;
    };
    std::map<std::string, int> namesAt;
    for (const Row& row : {Row{"wide", {1900, 1000}}, Row{"smallest", m_charts.minimumSize()},
                           Row{"wide again", {1900, 1000}}}) {
        SCOPED_TRACE(row.name);
        m_charts.resize(row.size);
        const QStringList names = MonthNames();
        ASSERT_GE(names.size(), 2);
        const int step = names[1].mid(5).toInt() - names[0].mid(5).toInt() +
                         12 * (names[1].left(4).toInt() - names[0].left(4).toInt());
        EXPECT_EQ(12 % step, 0) << names.join(' ').toStdString();
        for (const QString& name : names) {
            EXPECT_EQ((name.mid(5).toInt() - 1) % step, 0) << name.toStdString();
        }
        namesAt[row.name] = static_cast<int>(names.size());
    }
    EXPECT_LT(namesAt["smallest"], namesAt["wide"]);
    EXPECT_EQ(namesAt["wide again"], namesAt["wide"]);
}

// What the pointer resting on a point or a bar shows, driven through the series' own signals.
TEST_F(ChartsWindowTest, HoveringAPointOrABarShowsItsDateAndValue) {
    Show(Recomputed(WorkedExample()));
    const double lastFillUp =
        static_cast<double>(QDateTime(QDate(2007, 8, 26), QTime(7, 30, 45)).toMSecsSinceEpoch());
    const double partialFill =
        static_cast<double>(QDateTime(QDate(2007, 8, 15), QTime(18, 40, 12)).toMSecsSinceEpoch());
    struct Row {
        const char* name;
        std::function<void()> hover;
        std::u16string tip;
    };
    const Row rows[] = {
        {"a km/L dot",
         [&] {
             emit Find<QScatterSeries>("economyChart", kKmPerL)->hovered({lastFillUp, 15.64}, true);
         },
         u"2007-08-26 07:30  15.6 km/L"},
        // A line reports the place on it under the pointer; the nearest point is told.
        {"the average line near its point",
         [&] {
             emit Find<QLineSeries>("economyChart", kAverage)
                 ->hovered({lastFillUp - 3.6e6, 15.0}, true);
         },
         u"2007-08-26 07:30  15.6 km/L average"},
        {"a price dot",
         [&] {
             emit Find<QScatterSeries>("priceChart", kPrice)->hovered({partialFill, 143.0}, true);
         },
         u"2007-08-15 18:40  143.0 \u00A5/L"},
        {"the price line between two points, nearer the later",
         [&] {
             emit Find<QLineSeries>("priceChart", kPrice)
                 ->hovered({partialFill - 3.6e6, 142.0}, true);
         },
         u"2007-08-15 18:40  143.0 \u00A5/L"},
        {"August's fuel bar",
         [&] {
             emit qobject_cast<QBarSeries*>(Chart("spendingChart")->series().at(0))
                 ->barSets()
                 .at(0)
                 ->hovered(true, 0);
         },
         u"2007-08  fuel \u00A511,394"},
        {"September's other bar",
         [&] {
             emit qobject_cast<QBarSeries*>(Chart("spendingChart")->series().at(0))
                 ->barSets()
                 .at(1)
                 ->hovered(true, 1);
         },
         u"2007-09  other \u00A58,400"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.hover();
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text().toStdU16String(), row.tip);
    }
}

// The pointer itself, moved onto the km/L dot of the last fill-up.
TEST_F(ChartsWindowTest, ThePointerOnADotShowsItsTooltip) {
    Show(Recomputed(WorkedExample()));
    Tabs()->setCurrentIndex(0);
    QChartView* view = View("economyChart");
    QScatterSeries* dots = Find<QScatterSeries>("economyChart", kKmPerL);
    const QPointF onChart = view->chart()->mapToPosition(dots->at(0), dots);
    const QPoint onView = view->mapFromScene(view->chart()->mapToScene(onChart));
    QTest::mouseMove(view->viewport(), onView);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "2007-08-26 07:30  15.6 km/L");
}

TEST_F(ChartsWindowTest, EscapeClosesTheWindowAndLeavesItsOwner) {
    m_owner.show();
    Show(Recomputed(WorkedExample()));
    m_charts.activateWindow();
    QTest::keyClick(Tabs(), Qt::Key_Escape);
    EXPECT_FALSE(m_charts.isVisible());
    EXPECT_TRUE(m_owner.isVisible());
}

}  // namespace
