#include "chart_look.h"

#include <QGraphicsLayout>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>

void SetChartLook(QChartView& view) {
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    QChart* chart = view.chart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(4, 10, 10, 0));
    chart->setBackgroundRoundness(0);
}
