#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include <string>
#include <vector>

#include "chart_look.h"
#include "charts_window.h"
#include "date_order.h"
#include "log_test_support.h"
#include "recompute.h"
#include "two_year_log.h"

namespace {

LogBook Recomputed(LogBook book) {
    SortNewestFirst(book);
    RecomputeLog(book);
    return book;
}

double AxisTime(int year, int month, int day, int hour, int minute, int second) {
    return static_cast<double>(
        QDateTime(QDate(year, month, day), QTime(hour, minute, second)).toMSecsSinceEpoch());
}

// The open charts window, found by what a person sees: charts, labels, tabs, series.
class ChartsWindowTest : public testing::Test {
protected:
    ChartsWindowTest() : m_charts(&m_owner) {}

    void Show(const LogBook& book) {
        m_charts.ShowLog(book);
        m_charts.show();
        QCoreApplication::processEvents();  // lays the charts out
        ASSERT_TRUE(m_charts.isVisible());
    }
    QChart* Chart(const char* name) { return m_charts.findChild<QChartView*>(name)->chart(); }
    // The points of series `index` of `chart` as "2007-08-26 07:30:45 15.64", the time as the
    // date axis shows it. Each line comes first, then its dots.
    std::vector<std::string> Points(const char* chart, int index) {
        std::vector<std::string> texts;
        for (const QPointF& p :
             qobject_cast<QXYSeries*>(Chart(chart)->series().at(index))->points()) {
            const QDateTime at = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(p.x()));
            texts.push_back((at.toString("yyyy-MM-dd HH:mm:ss ") + QString::number(p.y(), 'f', 2))
                                .toStdString());
        }
        return texts;
    }
    QBarSet* Bars(int index) {
        return qobject_cast<QBarSeries*>(Chart("spendingChart")->series().at(0))
            ->barSets()
            .at(index);
    }
    QString ValueTitle(const char* chart) {
        return Chart(chart)->axes(Qt::Vertical).at(0)->titleText();
    }
    // The month names under the bars, with their tab in front: a tab in the background has not
    // got its width yet.
    QStringList MonthNames() {
        Tabs()->setCurrentWidget(m_charts.findChild<QChartView*>("spendingChart"));
        QCoreApplication::processEvents();
        return qobject_cast<QCategoryAxis*>(Chart("spendingChart")->axes(Qt::Horizontal).at(0))
            ->categoriesLabels();
    }
    QLabel* Label(const char* name) { return m_charts.findChild<QLabel*>(name); }
    QTabWidget* Tabs() { return m_charts.findChild<QTabWidget*>(); }

    QWidget m_owner;
    ChartsWindow m_charts;
};

TEST_F(ChartsWindowTest, TheWorkedExamplesSeriesHoldItsPoints) {
    Show(Recomputed(WorkedExample()));
    EXPECT_TRUE(m_charts.isWindow());
    EXPECT_EQ(m_charts.parentWidget(), &m_owner);
    EXPECT_EQ(m_charts.windowTitle(), "Tarvo - Charts");
    EXPECT_FALSE(Label("fewFillUps")->isVisible());
    EXPECT_FALSE(Label("leftOut")->isVisible());

    const std::vector<std::string> kmPerL = {"2007-08-26 07:30:45 15.64"};
    EXPECT_EQ(Points("economyChart", 0), kmPerL);
    EXPECT_EQ(Points("economyChart", 1), kmPerL) << "the dots";
    EXPECT_EQ(Points("economyChart", 2), kmPerL) << "the moving average";
    EXPECT_EQ(ValueTitle("economyChart"), "km/L");

    EXPECT_EQ(Bars(0)->label(), "Fuel");
    EXPECT_EQ(Bars(0)->at(0), 11394.0);
    EXPECT_EQ(Bars(0)->at(1), 0.0);
    EXPECT_EQ(Bars(1)->label(), "Other");
    EXPECT_EQ(Bars(1)->at(0), 0.0);
    EXPECT_EQ(Bars(1)->at(1), 8400.0);
    EXPECT_EQ(MonthNames(), QStringList({"Aug 2007", "Sep 2007"}));
    EXPECT_EQ(ValueTitle("spendingChart"), u"\u00A5 per month");

    const std::vector<std::string> prices = {
        "2007-08-04 09:05:00 140.00", "2007-08-15 18:40:12 143.00", "2007-08-26 07:30:45 141.99"};
    EXPECT_EQ(Points("priceChart", 0), prices);
    EXPECT_EQ(Points("priceChart", 1), prices) << "the dots";
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Show(Recomputed(BookOf(row.entries)));
        EXPECT_EQ(Label("fewFillUps")->text(), row.sentence);
        EXPECT_TRUE(Label("fewFillUps")->isVisible());
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

    Show(Recomputed(BookOf({Entry(2008, 1, 20, 8, 0, 0, 2000.0, 20.0, FillUp, 3000),
                            Entry(2007, 13, 5, 8, 0, 0, 1600.0, 20.0, FillUp, 3000),
                            Entry(2007, 12, 30, 8, 0, 0, 1500.0, 25.0, FillUp, 3500),
                            Entry(2007, 11, 30, 8, 0, 0, 1000.0, 40.0, FillUp, 6000)})));
    EXPECT_TRUE(Tabs()->isVisible());
    EXPECT_FALSE(Label("fewFillUps")->isVisible());
    EXPECT_EQ(Points("economyChart", 1),
              (std::vector<std::string>{"2007-12-30 08:00:00 20.00", "2008-01-20 08:00:00 20.00"}));
    EXPECT_EQ(Points("priceChart", 0).size(), 3u);
    EXPECT_EQ(MonthNames(), QStringList({"Nov 2007", "Dec 2007", "Jan 2008"}));
    EXPECT_EQ(Label("leftOut")->text(), "Left out: 1 entry whose date is no calendar date.");
    EXPECT_TRUE(Label("leftOut")->isVisible());

    // Two fill-ups, neither on a calendar date: empty charts that say why.
    Show(Recomputed(BookOf({Entry(2007, 13, 9, 8, 0, 0, 1500.0, 25.0, FillUp, 3500),
                            Entry(2007, 13, 1, 8, 0, 0, 1000.0, 40.0, FillUp, 6000)})));
    EXPECT_TRUE(Points("economyChart", 0).empty());
    EXPECT_TRUE(MonthNames().empty());
    EXPECT_EQ(Label("leftOut")->text(), "Left out: 2 entries whose date is no calendar date.");
}

// Month names thin out as the window narrows, on the same months of every year (every month, or
// January, April, July and October, ...), and come back as it widens.
TEST_F(ChartsWindowTest, MonthNamesFitTheWidthOnTheSameMonthsEveryYear) {
    Show(TwoYearLog());
    std::vector<int> namesAt;
    for (const QSize size : {QSize(1900, 1000), m_charts.minimumSize(), QSize(1900, 1000)}) {
        m_charts.resize(size);
        const QStringList names = MonthNames();
        ASSERT_GE(names.size(), 2);
        // The names as the desktop writes months (the C locale's "Aug 2007" here).
        const auto month = [](const QString& name) {
            const QDate date = QDate::fromString(name, QStringLiteral("MMM yyyy"));
            return date.year() * 12 + date.month() - 1;
        };
        const int step = month(names[1]) - month(names[0]);
        ASSERT_GT(step, 0) << names.join(' ').toStdString();
        EXPECT_EQ(12 % step, 0) << names.join(' ').toStdString();
        for (const QString& name : names) {
            EXPECT_EQ(month(name) % step, 0) << name.toStdString();
        }
        namesAt.push_back(static_cast<int>(names.size()));
    }
    EXPECT_LT(namesAt[1], namesAt[0]);
    EXPECT_EQ(namesAt[2], namesAt[0]);
}

// What the pointer resting on a point or a bar shows, driven through the series' own signals. A
// line reports the place under the pointer, between points: the nearest point is told.
TEST_F(ChartsWindowTest, HoveringAPointOrABarShowsItsDateAndValue) {
    Show(Recomputed(WorkedExample()));
    struct PointRow {
        const char* name;
        const char* chart;
        int series;
        QPointF at;
        std::u16string tip;
    };
    const double lastFillUp = AxisTime(2007, 8, 26, 7, 30, 45);
    const double partialFill = AxisTime(2007, 8, 15, 18, 40, 12);
    const PointRow points[] = {
        {"km/L dot", "economyChart", 1, {lastFillUp, 15.64}, u"26 Aug 2007 07:30:45  15.6 km/L"},
        {"average line, an hour before its point",
         "economyChart",
         2,
         {lastFillUp - 3.6e6, 15.0},
         u"26 Aug 2007 07:30:45  15.6 km/L average"},
        {"price dot",
         "priceChart",
         1,
         {partialFill, 143.0},
         u"15 Aug 2007 18:40:12  143.0 \u00A5/L"},
        {"price line, nearer the partial fill",
         "priceChart",
         0,
         {partialFill - 3.6e6, 142.0},
         u"15 Aug 2007 18:40:12  143.0 \u00A5/L"},
    };
    for (const PointRow& row : points) {
        SCOPED_TRACE(row.name);
        emit qobject_cast<QXYSeries*>(Chart(row.chart)->series().at(row.series))
            ->hovered(row.at, true);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text().toStdU16String(), row.tip);
    }
    emit Bars(0)->hovered(true, 0);
    EXPECT_EQ(QToolTip::text().toStdU16String(), u"Aug 2007  fuel \u00A511,394");
    emit Bars(1)->hovered(true, 1);
    EXPECT_EQ(QToolTip::text().toStdU16String(), u"Sep 2007  other \u00A58,400");
}

TEST_F(ChartsWindowTest, EscapeClosesTheWindowAndLeavesItsOwner) {
    m_owner.show();
    Show(Recomputed(WorkedExample()));
    m_charts.activateWindow();
    QTest::keyClick(Tabs(), Qt::Key_Escape);
    EXPECT_FALSE(m_charts.isVisible());
    EXPECT_TRUE(m_owner.isVisible());
}

// The window opens over its owner and wholly on the screen, even where the owner stands in a
// corner of a screen smaller than the charts' size.
TEST(ChartsWindowPlace, OpensWhollyOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(screen.right() - 100, screen.bottom() - 80, 300, 200);
    ChartsWindow charts(&owner);
    EXPECT_TRUE(screen.contains(charts.frameGeometry())) << charts.frameGeometry().x();
}

// An axis's labels read as the values of its ticks: their decimals follow the tick step (and
// the first tick), so that no two labels read the same.
TEST(ChartAxis, LabelsHaveTheDecimalsTheirTicksNeed) {
    struct AxisRow {
        const char* name;
        double min;
        double max;
        int ticks;
        int decimals;
    };
    const AxisRow rows[] = {
        {"km/L between 0.9 and 1.3", 0.9, 1.3, 5, 1},
        {"quarter steps", 0.0, 1.0, 5, 2},
        {"whole km/L", 10.0, 20.0, 6, 0},
        {"yen by the ten thousand", 0.0, 50000.0, 6, 0},
        {"a first tick finer than the step", 0.05, 0.45, 5, 2},
    };
    for (const AxisRow& row : rows) {
        const int decimals = AxisDecimals(row.min, row.max, row.ticks);
        EXPECT_EQ(decimals, row.decimals) << row.name;
        QStringList labels;
        for (int k = 0; k < row.ticks; ++k) {
            const double tick = row.min + k * (row.max - row.min) / (row.ticks - 1);
            labels.append(QString::number(tick, 'f', decimals));
        }
        labels.removeDuplicates();
        EXPECT_EQ(labels.size(), row.ticks) << row.name;
    }
}

}  // namespace
