#pragma once

class QChartView;
class QValueAxis;

// What every chart of the charts window shares: smooth lines, the legend under the plot, and no
// margins beyond the axes' own, so that a small window keeps room for the month names.
void SetChartLook(QChartView& view);

// The decimals the labels of a value axis from `min` to `max` with `ticks` ticks need so that
// each reads as its exact value: as many as the tick step and the first tick have (0.1 steps
// give one, 0.25 steps two), at most six. No two labels then read the same, as "1" did for every
// label of an axis from 0.9 to 1.3.
int AxisDecimals(double min, double max, int ticks);

// Labels `axis` with the decimals its range and ticks need, once its range is set.
void LabelValueAxis(QValueAxis& axis);
