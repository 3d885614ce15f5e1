#pragma once

#include <vector>

#include <QtCharts/QChartView>

#include "chart_data.h"
#include "log_units.h"

class QBarSeries;
class QBarSet;
class QCategoryAxis;
class QValueAxis;

// The money spent per month (yen, or the log's currency) as a pair of bars, fuel and everything
// else, one pair per month, oldest month first. Under the bars stand as many month names as the
// width has room for, on months that repeat every year (every month, or January, April, July and
// October, ...). Resting the pointer on a bar shows its month and amount in a tooltip.
class SpendingChartView : public QChartView {
public:
    explicit SpendingChartView(QWidget* parent = nullptr);

    // The months' spending, in the minor unit of `currency`; the bars and the axis show it in the
    // major unit.
    void SetMonths(std::vector<MonthSpending> months, const Currency& currency = Currency{});

private:
    // Names every `step`-th month under its bars for a plot `plotWidth` pixels wide (0: not
    // laid out yet, every month).
    void NameMonths(qreal plotWidth);
    void ShowTip(QBarSet* set, bool fuel, bool entered, int month);

    QBarSeries* m_bars;
    QBarSet* m_fuel;
    QBarSet* m_other;
    QCategoryAxis* m_monthAxis;
    QValueAxis* m_yenAxis;
    std::vector<MonthSpending> m_months;
    Currency m_currency;
    int m_step = 0;  // months from one name to the next, as last named
};
