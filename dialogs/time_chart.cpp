#include "time_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QDateTime>
#include <QToolTip>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include "chart_look.h"
#include "desktop_locale.h"
#include "qt_text.h"

namespace {

constexpr qint64 kMsPerDay = 24 * 60 * 60 * 1000;

// A point's place on the time axis, which shows local time.
double AxisTime(const SYSTEMTIME& t) {
    const QDateTime at(QDate(t.wYear, t.wMonth, t.wDay), QTime(t.wHour, t.wMinute, t.wSecond));
    return static_cast<double>(at.toMSecsSinceEpoch());
}

// The index of the point nearest to `at`: by time first, then by value.
std::size_t NearestPoint(const QXYSeries* series, const QPointF& at) {
    std::size_t nearest = 0;
    double bestTime = std::numeric_limits<double>::infinity();
    double bestValue = bestTime;
    for (int i = 0; i < series->count(); ++i) {
        const double time = std::abs(series->at(i).x() - at.x());
        const double value = std::abs(series->at(i).y() - at.y());
        if (time < bestTime || (time == bestTime && value < bestValue)) {
            nearest = static_cast<std::size_t>(i);
            bestTime = time;
            bestValue = value;
        }
    }
    return nearest;
}

}  // namespace

TimeChartView::TimeChartView(std::u16string_view valueTitle, QWidget* parent)
    : QChartView(parent), m_timeAxis(new QDateTimeAxis), m_valueAxis(new QValueAxis) {
    SetChartLook(*this);
    m_timeAxis->setFormat(DesktopMonthFormat(QLocale()));
    m_valueAxis->setTitleText(ToQString(valueTitle));
    chart()->addAxis(m_timeAxis, Qt::AlignBottom);
    chart()->addAxis(m_valueAxis, Qt::AlignLeft);
}

std::size_t TimeChartView::AddLine(std::u16string_view name, std::u16string_view unit,
                                   bool marked) {
    const std::size_t number = m_lines.size();
    Line line{new QLineSeries, nullptr, std::u16string(unit), {}};
    line.series->setName(ToQString(name));
    Attach(line.series);
    if (!marked) {
        // A line without dots is a trend over the others: thicker, so that it reads as one.
        QPen pen = line.series->pen();
        pen.setWidthF(3.0);
        line.series->setPen(pen);
    } else {
        line.dots = new QScatterSeries;
        line.dots->setName(line.series->name());
        line.dots->setMarkerSize(7.0);
        line.dots->setColor(line.series->color());
        line.dots->setBorderColor(line.series->color());
        Attach(line.dots);
        // The legend names the line once; its dots need no entry of their own.
        for (QLegendMarker* marker : chart()->legend()->markers(line.dots)) {
            marker->setVisible(false);
        }
    }
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(line.series), static_cast<QXYSeries*>(line.dots)}) {
        if (series != nullptr) {
            connect(series, &QXYSeries::hovered, this,
                    [this, number, series](const QPointF& at, bool entered) {
                        ShowTip(number, series, at, entered);
                    });
        }
    }
    m_lines.push_back(std::move(line));
    return number;
}

void TimeChartView::SetValueTitle(std::u16string_view valueTitle) {
    m_valueAxis->setTitleText(ToQString(valueTitle));
}

void TimeChartView::NameLine(std::size_t line, std::u16string_view name, std::u16string_view unit) {
    Line& named = m_lines.at(line);
    named.series->setName(ToQString(name));
    if (named.dots != nullptr) {
        named.dots->setName(named.series->name());
    }
    named.unit = std::u16string(unit);
}

void TimeChartView::Attach(QXYSeries* series) {
    chart()->addSeries(series);
    series->attachAxis(m_timeAxis);
    series->attachAxis(m_valueAxis);
}

void TimeChartView::SetPoints(std::size_t line, std::vector<ChartPoint> points) {
    Line& target = m_lines.at(line);
    QList<QPointF> onAxes;
    onAxes.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& point : points) {
        onAxes.append(QPointF(AxisTime(point.time), point.value));
    }
    target.series->replace(onAxes);
    if (target.dots != nullptr) {
        target.dots->replace(onAxes);
    }
    target.points = std::move(points);
    FitAxes();
}

void TimeChartView::FitAxes() {
    double first = std::numeric_limits<double>::infinity();
    double last = -first;
    double low = first;
    double high = -first;
    for (const Line& line : m_lines) {
        for (const QPointF& p : line.series->points()) {
            first = std::min(first, p.x());
            last = std::max(last, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    if (first > last) {
        return;  // no points: the axes keep their range
    }
    // A day on either side at least, so that a single point or a single day has room.
    const double margin = std::max((last - first) / 40.0, double{kMsPerDay});
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first - margin)),
                         QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last + margin)));
    // Days under the ticks once the points span less than two months.
    m_timeAxis->setFormat(last - first < 60.0 * kMsPerDay ? DesktopDateFormat(QLocale())
                                                          : DesktopMonthFormat(QLocale()));
    const double pad = high > low ? (high - low) / 10.0 : std::max(std::abs(high) / 10.0, 1.0);
    m_valueAxis->setRange(low - pad, high + pad);
    m_valueAxis->applyNiceNumbers();
    LabelValueAxis(*m_valueAxis);
}

void TimeChartView::ShowTip(std::size_t line, QXYSeries* series, const QPointF& at, bool entered) {
    const Line& shown = m_lines[line];
    if (!entered || shown.points.empty()) {
        QToolTip::hideText();
        return;
    }
    const std::size_t nearest = NearestPoint(series, at);
    const QPointF onChart = chart()->mapToPosition(series->at(static_cast<int>(nearest)), series);
    const QPoint onScreen = viewport()->mapToGlobal(mapFromScene(chart()->mapToScene(onChart)));
    QToolTip::showText(onScreen, ToQString(PointLabel(shown.points[nearest], shown.unit)), this);
}
