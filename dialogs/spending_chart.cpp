#include "spending_chart.h"

#include <algorithm>
#include <cmath>

#include <QToolTip>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QValueAxis>

#include "chart_look.h"
#include "money_text.h"
#include "qt_text.h"

namespace {

// Steps that divide the year, so that the named months are the same ones every year.
constexpr int kYearSteps[] = {1, 2, 3, 4, 6, 12};

// The fewest months from one name to the next that leave `nameWidth` pixels per name.
int MonthStep(qreal plotWidth, std::size_t months, qreal nameWidth) {
    if (plotWidth <= 0.0 || months == 0) {
        return 1;
    }
    const qreal perMonth = plotWidth / static_cast<qreal>(months);
    for (int step : kYearSteps) {
        if (step * perMonth >= nameWidth) {
            return step;
        }
    }
    return 12 * static_cast<int>(std::ceil(nameWidth / (12 * perMonth)));
}

}  // namespace

SpendingChartView::SpendingChartView(QWidget* parent)
    : QChartView(parent),
      m_bars(new QBarSeries),
      m_fuel(new QBarSet(ToQString(u"Fuel"))),
      m_other(new QBarSet(ToQString(u"Other"))),
      m_monthAxis(new QCategoryAxis),
      m_yenAxis(new QValueAxis) {
    SetChartLook(*this);
    m_bars->append(m_fuel);
    m_bars->append(m_other);
    chart()->addSeries(m_bars);
    // A name stands under its month's pair of bars, which sits at the month's index.
    m_monthAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_monthAxis->setGridLineVisible(false);
    m_yenAxis->setTitleText(ToQString(u"\\ per month"));
    chart()->addAxis(m_monthAxis, Qt::AlignBottom);
    chart()->addAxis(m_yenAxis, Qt::AlignLeft);
    m_bars->attachAxis(m_monthAxis);
    m_bars->attachAxis(m_yenAxis);
    connect(chart(), &QChart::plotAreaChanged, this,
            [this](const QRectF& plot) { NameMonths(plot.width()); });
    connect(m_fuel, &QBarSet::hovered, this,
            [this](bool entered, int month) { ShowTip(m_fuel, true, entered, month); });
    connect(m_other, &QBarSet::hovered, this,
            [this](bool entered, int month) { ShowTip(m_other, false, entered, month); });
}

void SpendingChartView::SetMonths(std::vector<MonthSpending> months, const Currency& currency) {
    m_currency = currency;
    m_yenAxis->setTitleText(ToQString(CurrencyMark(currency) + u" per month"));
    // Whole yen stay as they are; cents and the like become euros and the like.
    const auto major = [&currency](int64_t minor) {
        return static_cast<qreal>(PriceInMajorUnits(static_cast<double>(minor), currency));
    };
    m_fuel->remove(0, m_fuel->count());
    m_other->remove(0, m_other->count());
    QList<qreal> fuel;
    QList<qreal> other;
    int64_t low = 0;
    int64_t high = 0;
    for (const MonthSpending& month : months) {
        fuel.append(major(month.fuel));
        other.append(major(month.other));
        low = std::min({low, month.fuel, month.other});
        high = std::max({high, month.fuel, month.other});
    }
    m_fuel->append(fuel);
    m_other->append(other);
    m_yenAxis->setRange(major(low), std::max(major(high), major(low) + 1));
    m_yenAxis->applyNiceNumbers();
    LabelValueAxis(*m_yenAxis);
    m_months = std::move(months);
    // One month's room at least: a log whose every date is mistyped has no months to show.
    m_monthAxis->setRange(-0.5,
                          static_cast<qreal>(std::max<std::size_t>(m_months.size(), 1)) - 0.5);
    m_step = 0;
    NameMonths(chart()->plotArea().width());
}

void SpendingChartView::NameMonths(qreal plotWidth) {
    // Month names are as long as the desktop writes them: the widest one counts.
    const QFontMetricsF metrics(m_monthAxis->labelsFont());
    qreal nameWidth = 0;
    for (const MonthSpending& month : m_months) {
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(ToQString(MonthName(month))));
    }
    // A name and half as much again: neighbours never crowd each other.
    const int step = MonthStep(plotWidth, m_months.size(), 1.5 * nameWidth);
    if (step == m_step) {
        return;
    }
    m_step = step;
    for (const QString& name : m_monthAxis->categoriesLabels()) {
        m_monthAxis->remove(name);
    }
    m_monthAxis->setStartValue(-0.5);
    for (std::size_t i = 0; i < m_months.size(); ++i) {
        if ((m_months[i].month - 1) % step == 0) {
            m_monthAxis->append(ToQString(MonthName(m_months[i])), static_cast<qreal>(i));
        }
    }
}

void SpendingChartView::ShowTip(QBarSet* set, bool fuel, bool entered, int month) {
    if (!entered || month < 0 || static_cast<std::size_t>(month) >= m_months.size()) {
        QToolTip::hideText();
        return;
    }
    const QPointF top = chart()->mapToPosition(QPointF(month, set->at(month)), m_bars);
    const QPoint onScreen = viewport()->mapToGlobal(mapFromScene(chart()->mapToScene(top)));
    QToolTip::showText(
        onScreen,
        ToQString(SpendingLabel(m_months[static_cast<std::size_t>(month)], fuel, m_currency)),
        this);
}
