#include "ui/chart_axes.h"

#include <QValueAxis>
#include <algorithm>

namespace qlx::ui {

void ApplyScale(QValueAxis* axis, const AxisScale& a) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(a.step);
    axis->setLabelFormat(QString("%.%1f").arg(a.decimals));
    axis->setRange(a.lo, a.hi);
}

void FitAxis(QValueAxis* axis, const QList<QPointF>& points, bool include_zero) {
    double lo = 0.0, hi = 0.0;
    if (!points.isEmpty()) {
        lo = hi = points.first().y();
        for (const QPointF& p : points) {
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
        }
    }
    ApplyScale(axis, ChooseAxis(lo, hi, include_zero));
}

}  // namespace qlx::ui
