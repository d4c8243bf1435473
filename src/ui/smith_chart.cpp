#include "ui/smith_chart.h"
#include "core/entry_rules.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "form/form.h"
#include "sweep/smith.h"

namespace qlx::ui {

namespace {

constexpr int kMargin = 34;  // room for the reactance labels around the circle

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

void SmithChart::SetData(std::vector<Trace> traces, double zref, Texts texts, long mark) {
    traces_ = std::move(traces);
    zref_ = zref > 0.0 ? zref : kReferenceOhms;
    texts_ = std::move(texts);
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
    const sweep::SmithGridLines grid = sweep::SmithGrid(zref_);
    p.save();
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(Qt::NoBrush);
    for (const sweep::SmithCircle& circle : grid.resistances)
        p.drawEllipse(ToWidget(circle.centre), radius_ * circle.radius, radius_ * circle.radius);
    // Only the arcs on the chart are drawn, so that no picture format needs to clip them at the rim.
    for (const auto& reactance : grid.reactances) {
        QPolygonF arc;
        for (const std::complex<double>& g : reactance) arc.append(ToWidget(g));
        p.drawPolyline(arc);
    }
    p.drawLine(QPointF(c.x() - radius_, c.y()), QPointF(c.x() + radius_, c.y()));
    p.restore();
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawEllipse(c, radius_, radius_);

    QFont f = font();
    f.setPointSizeF(7.5);
    p.setFont(f);
    p.setPen(QColor(90, 90, 90));
    const QFontMetricsF fm(f);
    using Place = sweep::SmithLabel::Place;
    for (const sweep::SmithLabel& label : grid.labels) {
        const QString text = QString::fromStdString(label.text);
        const QPointF at = ToWidget(label.at);
        const double w = fm.horizontalAdvance(text), h = fm.ascent();
        switch (label.place) {
        case Place::LeftAbove: p.drawText(QPointF(at.x() - w - 2, at.y() - 3), text); break;
        case Place::Left: p.drawText(QPointF(at.x() - w - 4, at.y() + h / 2 - 1), text); break;
        case Place::Right: p.drawText(QPointF(at.x() + 4, at.y() + h / 2 - 1), text); break;
        case Place::Outside: {
            // Centred on the line from the centre through the point.
            const QPointF out = at + QPointF(label.at.real(), -label.at.imag()) * (w / 2 + 6);
            p.drawText(QPointF(out.x() - w / 2, out.y() + h / 2 - 1), text);
            break;
        }
        }
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
        p.setPen(QPen(colour, 2, form::DashedCurve(t) ? Qt::DashLine : Qt::SolidLine));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly);
        // The first frequency an open circle, the last a filled square, each with its name.
        p.setBrush(Qt::white);
        p.drawEllipse(poly.front(), 4.5, 4.5);
        p.setBrush(colour);
        p.drawRect(QRectF(poly.back() - QPointF(4, 4), QSizeF(8, 8)));
        p.setPen(colour.darker(130));
        // First to the right, last to the left: a trace that nearly closes keeps both readable.
        p.drawText(poly.front() + QPointF(7, -6), texts_.first);
        p.drawText(poly.back() + QPointF(-7 - fm.horizontalAdvance(texts_.last), 13), texts_.last);
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
    for (std::size_t k = 0; k < traces_.size(); ++k) {
        const Trace& t = traces_[k];
        p.setPen(QPen(t.colour, 3, form::DashedCurve(k) ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(QPointF(6, y - fm.ascent() / 3), QPointF(24, y - fm.ascent() / 3));
        p.setPen(Qt::black);
        p.drawText(QPointF(30, y), t.name);
        y += fm.height() + 2;
    }
    if (!traces_.empty()) p.drawText(QPointF(6, y), texts_.key);
    p.drawText(QPointF(6, height() - 6), texts_.reference);

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
