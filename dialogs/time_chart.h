#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <QtCharts/QChartView>

#include "chart_data.h"

class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

// Values over time on a date axis: each line joins its points, oldest first; a marked line also
// draws each point as a dot, an unmarked one is a trend and drawn thicker. Resting the pointer on a
// line or a dot shows the nearest point's date, time and value in a tooltip.
class TimeChartView : public QChartView {
public:
    // `valueTitle` names the value axis with its unit, e.g. "km/L".
    explicit TimeChartView(std::u16string_view valueTitle, QWidget* parent = nullptr);

    // Adds a line, drawn over the ones added before; its tooltips end in `unit`. Returns the
    // line's number for SetPoints.
    std::size_t AddLine(std::u16string_view name, std::u16string_view unit, bool marked);

    // Replaces the points of line `line` and fits both axes to the points of every line.
    void SetPoints(std::size_t line, std::vector<ChartPoint> points);

    // Names the value axis, and a line and the unit its tooltips end in, anew: the log's units
    // or the way its economy is shown changed.
    void SetValueTitle(std::u16string_view valueTitle);
    void NameLine(std::size_t line, std::u16string_view name, std::u16string_view unit);

private:
    struct Line {
        QLineSeries* series;
        QScatterSeries* dots;  // null for a line without dots
        std::u16string unit;
        std::vector<ChartPoint> points;
    };

    void Attach(QXYSeries* series);
    void FitAxes();
    void ShowTip(std::size_t line, QXYSeries* series, const QPointF& at, bool entered);

    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_valueAxis;
    std::vector<Line> m_lines;
};
