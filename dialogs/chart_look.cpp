#include "chart_look.h"

#include <algorithm>
#include <cmath>

#include <QGraphicsLayout>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>

namespace {

constexpr int kMostDecimals = 6;

// The fewest decimals that write `value` exactly, up to kMostDecimals.
int DecimalsOf(double value) {
    double scaled = std::abs(value);
    for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
        // Relative to the value: nice numbers come out of arithmetic on doubles.
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) {
            return decimals;
        }
        scaled *= 10.0;
    }
    return kMostDecimals;
}

}  // namespace

int AxisDecimals(double min, double max, int ticks) {
    if (ticks < 2 || !(max > min)) {
        return DecimalsOf(min);
    }
    return std::max(DecimalsOf((max - min) / (ticks - 1)), DecimalsOf(min));
}

void LabelValueAxis(QValueAxis& axis) {
    axis.setLabelFormat(
        QStringLiteral("%.%1f").arg(AxisDecimals(axis.min(), axis.max(), axis.tickCount())));
}

void SetChartLook(QChartView& view) {
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    QChart* chart = view.chart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(4, 10, 10, 0));
    chart->setBackgroundRoundness(0);
}
