#include "ui/chart_parts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsEllipseItem>
#include <QGraphicsRectItem>
#include <QPen>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/smith_chart.h"

namespace qlx::ui {

void ApplyScale(QValueAxis* axis, const AxisScale& a) {
    if (auto* labelled = qobject_cast<QCategoryAxis*>(axis)) {
        // Every tick labelled by us, never by the chart's own arithmetic.
        for (const QString& label : labelled->categoriesLabels()) labelled->remove(label);
        labelled->setRange(a.lo, a.hi);
        for (const AxisTick& t : AxisTicks(a)) labelled->append(QString::fromStdString(t.label), t.value);
        return;
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(a.step);
    axis->setLabelFormat(QString("%.%1f").arg(a.decimals));
    axis->setRange(a.lo, a.hi);
}

QValueAxis* MakeLabelledAxis() {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    return axis;
}

void FitAxis(QValueAxis* axis, const std::vector<std::pair<double, double>>& points, bool include_zero) {
    ApplyScale(axis, FitScale(points, include_zero));
}

QFont ChartFont(int pixels, bool bold) {
    QFont f("Arial");
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

namespace {
// Marks the tip's items, so that an export finds them in any chart's scene.
constexpr int kTipKey = 0x514c58;  // "QLX"
}  // namespace

ChartTip::ChartTip(QChart* chart, int pixels, double marker_size) : chart_(chart) {
    back_ = new QGraphicsRectItem(chart);
    back_->setBrush(QColor(0xFF, 0xFF, 0xE1));
    back_->setPen(QPen(Qt::black, 1));
    label_ = new QGraphicsSimpleTextItem(chart);
    label_->setFont(ChartFont(pixels, true));
    label_->setBrush(Qt::black);
    dot_ = new QGraphicsEllipseItem(-marker_size / 2, -marker_size / 2, marker_size, marker_size, chart);
    dot_->setBrush(Qt::black);
    dot_->setPen(Qt::NoPen);
    for (QGraphicsItem* item : {static_cast<QGraphicsItem*>(back_), static_cast<QGraphicsItem*>(label_),
                                static_cast<QGraphicsItem*>(dot_)}) {
        item->setZValue(item == back_ ? 19 : 20);
        item->setAcceptHoverEvents(false);
        item->setAcceptedMouseButtons(Qt::NoButton);
        item->setData(kTipKey, true);
        item->hide();
    }
    // A new plot area (the window resized, the axes relabelled) moves the curve under the tip.
    follow_ = QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] {
        if (visible()) Place();
    });
}

// The items stay with the chart, which deletes them; only the link to it goes.
ChartTip::~ChartTip() { QObject::disconnect(follow_); }

void ChartTip::Show(QAbstractSeries* series, QPointF point, const std::string& text) {
    series_ = series;
    point_ = point;
    text_ = text;
    label_->setText(QString::fromStdString(text));
    Place();
    dot_->show();
    back_->show();
    label_->show();
}

void ChartTip::Hide() {
    dot_->hide();
    back_->hide();
    label_->hide();
}

bool ChartTip::visible() const { return label_->isVisible(); }

QPointF ChartTip::dot_position() const { return dot_->pos(); }

void ChartTip::Place() {
    // Above and to the right of the point, kept inside the plot.
    const QPointF at = chart_->mapToPosition(point_, series_);
    const QRectF plot = chart_->plotArea();
    const QRectF box = label_->boundingRect();
    constexpr double kPad = 3.0;
    dot_->setPos(at);
    label_->setPos(std::clamp(at.x() + 8 + kPad, plot.left() + kPad, std::max(plot.left(), plot.right() - box.width() - kPad)),
                   std::max(at.y() - box.height() - 8 - kPad, plot.top() + kPad));
    back_->setRect(box.translated(label_->pos()).adjusted(-kPad, -kPad, kPad, kPad));
}

void HideTips(QWidget* widget) {
    QList<QGraphicsView*> views = widget->findChildren<QGraphicsView*>();
    if (auto* self = qobject_cast<QGraphicsView*>(widget)) views.append(self);
    for (QGraphicsView* v : views)
        if (v->scene())
            for (QGraphicsItem* item : v->scene()->items())
                if (item->data(kTipKey).toBool()) item->hide();
    QList<QWidget*> widgets = widget->findChildren<QWidget*>();
    widgets.append(widget);
    for (QWidget* w : widgets)
        if (auto* smith = dynamic_cast<SmithChart*>(w)) smith->HideTip();
}

QValueAxis* TitledAxis(const QString& title) {
    QValueAxis* axis = MakeLabelledAxis();
    axis->setTitleText(title);
    axis->setTitleFont(ChartFont(11, true));
    axis->setLabelsFont(ChartFont(10));
    return axis;
}

QList<QPointF> ToPoints(const std::vector<std::pair<double, double>>& data) {
    QList<QPointF> out;
    out.reserve(static_cast<qsizetype>(data.size()));
    for (const auto& [x, y] : data) out.append(QPointF(x, y));
    return out;
}

}  // namespace qlx::ui
