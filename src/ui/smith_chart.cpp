#include "ui/smith_chart.h"
#include "core/entry_rules.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "sweep/smith.h"

namespace qlx::ui {

namespace {

// The grid's circles, in multiples of the reference: the usual ones of a printed chart.
constexpr double kGridValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};
constexpr int kMargin = 34;  // room for the reactance labels around the circle

QString Ohms(double v) { return QString::number(v, 'g', 3); }

}  // namespace

SmithChart::SmithChart(QWidget* parent) : QWidget(parent) {
    setObjectName("SmithChart");
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(minimumSizeHint());
}

void SmithChart::SetData(std::vector<Trace> traces, double zref, QString first, QString last, long mark) {
    traces_ = std::move(traces);
    zref_ = zref > 0.0 ? zref : kReferenceOhms;
    first_ = std::move(first);
    last_ = std::move(last);
    mark_ = mark;
    tip_shown_ = false;
    tip_text_.clear();
    Rebuild();
    update();
}

QPointF SmithChart::ToWidget(std::complex<double> g) const {
    return {centre_.x() + radius_ * g.real(), centre_.y() - radius_ * g.imag()};
}

std::complex<double> SmithChart::ToGamma(QPointF p) const {
    return {(p.x() - centre_.x()) / radius_, (centre_.y() - p.y()) / radius_};
}

QPointF SmithChart::PointOf(std::complex<double> z) const { return ToWidget(sweep::Gamma(z, zref_)); }

void SmithChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The traces move with the chart's size; the tip would mark where a point was.
    tip_shown_ = false;
    tip_text_.clear();
    Rebuild();
}

void SmithChart::Rebuild() {
    centre_ = QPointF(width() / 2.0, height() / 2.0);
    radius_ = std::max(std::min(width(), height()) / 2.0 - kMargin, 10.0);
    drawn_.clear();
    for (const Trace& t : traces_) {
        // Points closer than a pixel to the last one drawn add nothing to the picture; a
        // 100,001-point trace is drawn with the few thousand that show.
        QPolygonF poly;
        for (std::size_t k = 0; k < t.z.size(); ++k) {
            const QPointF p = PointOf(t.z[k]);
            if (poly.isEmpty() || k + 1 == t.z.size() || std::abs(p.x() - poly.back().x()) + std::abs(p.y() - poly.back().y()) >= 0.7)
                poly.append(p);
        }
        drawn_.push_back(std::move(poly));
    }
}

void SmithChart::DrawGrid(QPainter& p) const {
    const QPointF c = centre_;
    p.save();
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(Qt::NoBrush);
    for (double r : kGridValues) {
        // Constant resistance r: centre r/(1+r) on the real axis, radius 1/(1+r).
        const QPointF at = ToWidget({r / (1.0 + r), 0.0});
        const double rad = radius_ / (1.0 + r);
        p.drawEllipse(at, rad, rad);
    }
    // Constant reactance: only the arcs on the chart are drawn, so that no picture format needs
    // to clip them at the rim.
    for (double x : kGridValues)
        for (double sign : {1.0, -1.0}) {
            QPolygonF arc;
            for (const std::complex<double>& g : sweep::ReactanceArc(sign * x, 96)) arc.append(ToWidget(g));
            p.drawPolyline(arc);
        }
    p.drawLine(QPointF(c.x() - radius_, c.y()), QPointF(c.x() + radius_, c.y()));
    p.restore();
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawEllipse(c, radius_, radius_);

    // The labels, in ohms of the reference: resistances along the real axis, reactances
    // around the rim.
    QFont f = font();
    f.setPointSizeF(7.5);
    p.setFont(f);
    p.setPen(QColor(90, 90, 90));
    const QFontMetricsF fm(f);
    for (double r : kGridValues) {
        const QPointF at = ToWidget(sweep::Gamma(r * zref_, zref_));
        const QString text = Ohms(r * zref_);
        p.drawText(QPointF(at.x() - fm.horizontalAdvance(text) - 2, at.y() - 3), text);
    }
    p.drawText(QPointF(c.x() - radius_ - fm.horizontalAdvance("0") - 4, c.y() + fm.ascent() / 2 - 1), "0");
    p.drawText(QPointF(c.x() + radius_ + 4, c.y() + fm.ascent() / 2 - 1), QString::fromUtf8("\u221e"));
    for (double x : kGridValues)
        for (double sign : {1.0, -1.0}) {
            const std::complex<double> g = sweep::Gamma({0.0, sign * x * zref_}, zref_);
            const QPointF rim = ToWidget(g);
            const QString text = (sign > 0 ? "+j" : QString::fromUtf8("\u2212j")) + Ohms(x * zref_);
            // Outside the rim, centred on the line from the centre through the point.
            const double w = fm.horizontalAdvance(text), h = fm.ascent();
            const QPointF out = rim + QPointF(g.real(), -g.imag()) * (w / 2 + 6);
            p.drawText(QPointF(out.x() - w / 2, out.y() + h / 2 - 1), text);
        }
}

void SmithChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    DrawGrid(p);

    QFont f = font();
    f.setPointSizeF(8);
    p.setFont(f);
    const QFontMetricsF fm(f);
    for (std::size_t t = 0; t < drawn_.size(); ++t) {
        const QPolygonF& poly = drawn_[t];
        if (poly.isEmpty()) continue;
        const QColor colour = traces_[t].colour;
        p.setPen(QPen(colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly);
        // The first frequency an open circle, the last a filled square, each with its name.
        p.setBrush(Qt::white);
        p.drawEllipse(poly.front(), 4.5, 4.5);
        p.setBrush(colour);
        p.drawRect(QRectF(poly.back() - QPointF(4, 4), QSizeF(8, 8)));
        p.setPen(colour.darker(130));
        // First to the right, last to the left: a trace that nearly closes keeps both readable.
        p.drawText(poly.front() + QPointF(7, -6), first_);
        p.drawText(poly.back() + QPointF(-7 - fm.horizontalAdvance(last_), 13), last_);
    }
    if (!traces_.empty() && mark_ >= 0 && static_cast<std::size_t>(mark_) < traces_[0].z.size()) {
        // The lowest SWR at the load: a black diamond.
        const QPointF m = PointOf(traces_[0].z[static_cast<std::size_t>(mark_)]);
        QPolygonF diamond({m + QPointF(0, -6), m + QPointF(6, 0), m + QPointF(0, 6), m + QPointF(-6, 0)});
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black);
        p.drawPolygon(diamond);
    }

    // The key: what each colour is, the ends' marks, the reference.
    double y = 6 + fm.ascent();
    for (const Trace& t : traces_) {
        p.setPen(QPen(t.colour, 3));
        p.drawLine(QPointF(6, y - fm.ascent() / 3), QPointF(24, y - fm.ascent() / 3));
        p.setPen(Qt::black);
        p.drawText(QPointF(30, y), t.name);
        y += fm.height() + 2;
    }
    if (!traces_.empty()) {
        p.drawText(QPointF(6, y), QString::fromUtf8("\u25cb ") + first_ + QString::fromUtf8("   \u25a0 ") + last_ +
                                      (mark_ >= 0 ? QString::fromUtf8("   \u25c6 lowest SWR at the load") : QString()));
    }
    p.drawText(QPointF(6, height() - 6), "Reference " + QString::number(zref_, 'f', 1) + " ohms");

    if (tip_shown_) {
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::yellow);
        p.drawEllipse(tip_point_, 5, 5);
        const QString text = QString::fromStdString(tip_text_);
        QRectF box = fm.boundingRect(QRectF(0, 0, 400, 200), Qt::AlignLeft | Qt::TextWordWrap, text).adjusted(-5, -3, 5, 3);
        // Beside the point, inside the widget.
        QPointF at = tip_point_ + QPointF(12, 12);
        at.setX(std::clamp(at.x(), 2.0, width() - box.width() - 2));
        at.setY(std::clamp(at.y(), 2.0, height() - box.height() - 2));
        box.moveTopLeft(at);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(255, 255, 225));
        p.drawRect(box);
        p.setPen(Qt::black);
        p.drawText(box.adjusted(5, 3, -5, -3), Qt::AlignLeft, text);
    }
}

void SmithChart::ShowTipAt(QPointF at) {
    const std::complex<double> g = ToGamma(at);
    std::vector<const std::vector<std::complex<double>>*> zs;
    for (const Trace& t : traces_) zs.push_back(&t.z);
    const auto nearest = sweep::NearestOfTraces(zs, zref_, g);
    tip_shown_ = nearest.has_value();
    if (nearest) {
        tip_point_ = PointOf(traces_[nearest->trace].z[nearest->index]);
        tip_text_ = tip ? tip(nearest->index, nearest->trace) : std::string();
    }
    if (!tip_shown_) tip_text_.clear();
    update();
}

void SmithChart::mouseMoveEvent(QMouseEvent* event) { ShowTipAt(event->position()); }

void SmithChart::leaveEvent(QEvent*) { HideTip(); }

void SmithChart::HideTip() {
    tip_shown_ = false;
    tip_text_.clear();
    update();
}

}  // namespace qlx::ui
