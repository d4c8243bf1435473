#include "ui/chart_parts.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QScatterSeries>
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

QFont ChartFont(int pixels, bool bold) {
    QFont f("Arial");
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QGraphicsSimpleTextItem* MakeChartTip(QChart* chart, int pixels) {
    auto* tip = new QGraphicsSimpleTextItem(chart);
    tip->setFont(ChartFont(pixels, true));
    tip->setBrush(Qt::black);
    tip->setZValue(20);
    tip->hide();
    return tip;
}

void ShowChartTip(QChart* chart, QGraphicsSimpleTextItem* tip, QScatterSeries* marker, QPointF point,
                  const std::string& text) {
    marker->replace(QList<QPointF>{point});
    tip->setText(QString::fromStdString(text));
    // Above and to the right of the point, kept inside the plot.
    const QPointF at = chart->mapToPosition(point, marker);
    const QRectF plot = chart->plotArea();
    const QRectF box = tip->boundingRect();
    tip->setPos(std::clamp(at.x() + 8, plot.left(), std::max(plot.left(), plot.right() - box.width())),
                std::max(at.y() - box.height() - 8, plot.top()));
    tip->show();
}

}  // namespace qlx::ui
