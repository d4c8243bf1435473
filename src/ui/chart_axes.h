// Round scales on Qt Charts' value axes, shared by the charts of every window.
#pragma once

#include <QList>
#include <QPointF>

#include "graphs/graph_window.h"

class QValueAxis;

namespace qlx::ui {

// Puts a chosen scale on an axis: ticks at round values counted from 0, labels with the decimals
// that tell them apart.
void ApplyScale(QValueAxis* axis, const AxisScale& a);
// A vertical axis fitted to the points' values (from 0 when they stay positive near it).
void FitAxis(QValueAxis* axis, const QList<QPointF>& points, bool include_zero = true);

}  // namespace qlx::ui
