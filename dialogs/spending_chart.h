#pragma once

#include <vector>

#include <QtCharts/QChartView>

#include "chart_data.h"

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

// The yen spent per month as a pair of bars, fuel and everything else, one pair per month,
// oldest month first. Resting the pointer on a bar shows its month and amount in a tooltip.
class SpendingChartView : public QChartView {
public:
    explicit SpendingChartView(QWidget* parent = nullptr);

    void SetMonths(std::vector<MonthSpending> months);

private:
    void ShowTip(QBarSet* set, bool fuel, bool entered, int month);

    QBarSeries* m_bars;
    QBarSet* m_fuel;
    QBarSet* m_other;
    QBarCategoryAxis* m_monthAxis;
    QValueAxis* m_yenAxis;
    std::vector<MonthSpending> m_months;
};
