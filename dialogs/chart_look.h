#pragma once

class QChartView;

// What every chart of the charts window shares: smooth lines, the legend under the plot, and no
// margins beyond the axes' own, so that a small window keeps room for the month names.
void SetChartLook(QChartView& view);
