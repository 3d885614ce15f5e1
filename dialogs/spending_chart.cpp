#include "spending_chart.h"

#include <algorithm>

#include <QStringList>
#include <QToolTip>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QValueAxis>

#include "screen_text.h"

namespace {

// Beyond this many months their names stand upright under the bars, or they would overlap.
constexpr std::size_t kMonthsWithLevelNames = 8;

}  // namespace

SpendingChartView::SpendingChartView(QWidget* parent)
    : QChartView(parent),
      m_bars(new QBarSeries),
      m_fuel(new QBarSet(ToQString(u"Fuel"))),
      m_other(new QBarSet(ToQString(u"Other"))),
      m_monthAxis(new QBarCategoryAxis),
      m_yenAxis(new QValueAxis) {
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    m_bars->append(m_fuel);
    m_bars->append(m_other);
    chart()->addSeries(m_bars);
    m_yenAxis->setTitleText(ToQString(u"\\ per month"));
    m_yenAxis->setLabelFormat("%.0f");
    chart()->addAxis(m_monthAxis, Qt::AlignBottom);
    chart()->addAxis(m_yenAxis, Qt::AlignLeft);
    m_bars->attachAxis(m_monthAxis);
    m_bars->attachAxis(m_yenAxis);
    connect(m_fuel, &QBarSet::hovered, this,
            [this](bool entered, int month) { ShowTip(m_fuel, true, entered, month); });
    connect(m_other, &QBarSet::hovered, this,
            [this](bool entered, int month) { ShowTip(m_other, false, entered, month); });
}

void SpendingChartView::SetMonths(std::vector<MonthSpending> months) {
    m_fuel->remove(0, m_fuel->count());
    m_other->remove(0, m_other->count());
    QStringList names;
    QList<qreal> fuel;
    QList<qreal> other;
    int64_t low = 0;
    int64_t high = 0;
    for (const MonthSpending& month : months) {
        names.append(ToQString(MonthName(month)));
        fuel.append(static_cast<qreal>(month.fuel));
        other.append(static_cast<qreal>(month.other));
        low = std::min({low, month.fuel, month.other});
        high = std::max({high, month.fuel, month.other});
    }
    m_fuel->append(fuel);
    m_other->append(other);
    m_monthAxis->clear();
    m_monthAxis->append(names);
    m_monthAxis->setLabelsAngle(months.size() > kMonthsWithLevelNames ? -90 : 0);
    m_yenAxis->setRange(static_cast<qreal>(low), static_cast<qreal>(std::max(high, low + 1)));
    m_yenAxis->applyNiceNumbers();
    m_months = std::move(months);
}

void SpendingChartView::ShowTip(QBarSet* set, bool fuel, bool entered, int month) {
    if (!entered || month < 0 || static_cast<std::size_t>(month) >= m_months.size()) {
        QToolTip::hideText();
        return;
    }
    const QPointF top = chart()->mapToPosition(QPointF(month, set->at(month)), m_bars);
    const QPoint onScreen = viewport()->mapToGlobal(mapFromScene(chart()->mapToScene(top)));
    QToolTip::showText(
        onScreen, ToQString(SpendingLabel(m_months[static_cast<std::size_t>(month)], fuel)), this);
}
