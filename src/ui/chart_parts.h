// What the Qt Charts of every window share: round scales on the value axes, the charts' font,
// and the tip that marks a data point and writes its value beside it.
#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <string>

#include "graphs/graph_window.h"

class QChart;
class QGraphicsSimpleTextItem;
class QScatterSeries;
class QValueAxis;

namespace qlx::ui {

// Puts a chosen scale on an axis: ticks at round values counted from 0, labels with the decimals
// that tell them apart.
void ApplyScale(QValueAxis* axis, const AxisScale& a);
// A vertical axis fitted to the points' values (from 0 when they stay positive near it).
void FitAxis(QValueAxis* axis, const QList<QPointF>& points, bool include_zero = true);

// Arial at a size in pixels: the charts keep their proportions whatever the screen's dots per inch.
QFont ChartFont(int pixels, bool bold = false);

// A hidden tip over the chart's series, in bold at `pixels`.
QGraphicsSimpleTextItem* MakeChartTip(QChart* chart, int pixels);
// Marks `point` with `marker` (attached to the point's axes) and shows `text` beside it, inside
// the plot area.
void ShowChartTip(QChart* chart, QGraphicsSimpleTextItem* tip, QScatterSeries* marker, QPointF point,
                  const std::string& text);

}  // namespace qlx::ui
