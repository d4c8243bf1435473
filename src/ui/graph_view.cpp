#include "ui/graph_view.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/format.h"
#include "graphs/graph_window.h"
#include "ui/bind.h"
#include "ui/chart_parts.h"
#include "ui/export.h"

namespace qlx::ui {

namespace {

QLineEdit* Field(QWidget* parent, form::ResultField& f, int chars) {
    QLineEdit* e = MakeResultBox(parent, f);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars);
    FitTextToWidth(e);  // a long cable name or load shrinks its font rather than run out of its box
    return e;
}

QValueAxis* Axis(const QColor& title_colour) {
    QValueAxis* axis = MakeLabelledAxis();
    axis->setTitleFont(ChartFont(17, true));
    axis->setTitleBrush(title_colour);
    axis->setLabelFormat("%.1f");
    axis->setLabelsColor(QColor(64, 0, 64));
    QFont labels("Arial");
    labels.setPixelSize(11);
    axis->setLabelsFont(labels);
    axis->setMin(0);
    return axis;
}

}  // namespace

GraphView::GraphView(GraphWindow& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("frmVolt");
    setFont(QFont("Arial", 9));
    setAutoFillBackground(true);

    MakeChart();
    MakeFrames();

    model.on_chart_changed = WhileAlive(this, [this] { Reload(); });
    const auto points = [this] { return GraphCsv(model_.shown()); };
    AddExport(this, "QLX graph", points);
    AddExport(view_, "QLX chart", points, false);
    Reload();
    resize(565, 431);  // 8484 x 6468 twips at 96 dots per inch, until a position is applied
    // The design size is also the smallest at which the chart, the buttons, the readings and
    // both frames stand apart and readable.
    setMinimumSize(565, 431);
    BindWindow(this, model.window, true, true);
    CloseOnEscape(this, model.cmdBack);
}

void GraphView::MakeChart() {
    chart_ = new QChart;
    chart_->setTitle(QString::fromStdString(model_.chart().title));
    chart_->setTitleFont(ChartFont(20, false));
    chart_->setTitleBrush(Qt::black);
    chart_->setBackgroundBrush(Qt::white);
    chart_->legend()->hide();
    // The whole panel for the plot: the window is small and two axes carry titles.
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->setBackgroundRoundness(0);
    bottom_ = Axis(Qt::black);
    bottom_->setTitleFont(ChartFont(17, false));
    const auto& right_style = GraphWindow::Chart::kSeries0;
    const auto& left_style = GraphWindow::Chart::kSeries1;
    left_ = Axis(ToQColor(left_style.title, this, false));
    right_ = Axis(ToQColor(right_style.title, this, false));
    chart_->addAxis(bottom_, Qt::AlignBottom);
    chart_->addAxis(left_, Qt::AlignLeft);
    chart_->addAxis(right_, Qt::AlignRight);
    auto pen = [this](const GraphWindow::CurveStyle& s) {
        return QPen(ToQColor(s.line, this, false), s.width, s.dashed ? Qt::DashLine : Qt::SolidLine);
    };
    series0_ = new QLineSeries;
    series0_->setPen(pen(right_style));
    series1_ = new QLineSeries;
    series1_->setPen(pen(left_style));
    for (QLineSeries* s : {series0_, series1_}) {
        chart_->addSeries(s);
        s->attachAxis(bottom_);
    }
    series0_->attachAxis(right_);
    series1_->attachAxis(left_);
    // The marks tip: the nearest data point's position and value where the pointer rests on a
    // curve, the point itself marked.
    tip_ = std::make_unique<ChartTip>(chart_, 13, 9.0);
    auto tip = [this](bool first) {
        return [this, first](const QPointF& p, bool state) {
            if (!state) {
                tip_->Hide();
                return;
            }
            const auto& points = first ? model_.chart().series0 : model_.chart().series1;
            if (points.empty()) return;
            const auto& [x, y] = points[NearestPoint(points, p.x())];
            ShowTip(first, x, y);
        };
    };
    QObject::connect(series0_, &QLineSeries::hovered, this, tip(true));
    QObject::connect(series1_, &QLineSeries::hovered, this, tip(false));

    view_ = new QChartView(chart_, this);
    view_->setObjectName("TChart1");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::Panel);
    view_->setFrameShadow(QFrame::Sunken);
    view_->setBackgroundBrush(Qt::white);
}

void GraphView::MakeFrames() {
    frame3_ = new QGroupBox(this);
    frame3_->setObjectName("Frame3");
    auto* f3 = new QHBoxLayout(frame3_);
    f3->setContentsMargins(6, 4, 6, 4);
    f3->addWidget(Field(frame3_, model_.txtCableType, 16), 2);
    f3->addWidget(Field(frame3_, model_.txtZLoad, 28), 3);

    frame2_ = new QGroupBox(this);
    frame2_->setObjectName("Frame2");
    auto* f2 = new QHBoxLayout(frame2_);
    f2->setContentsMargins(6, 4, 6, 4);
    f2->addWidget(Field(frame2_, model_.txtFreq, 12));
    f2->addWidget(Field(frame2_, model_.txtTotalLoss, 18));

    frame1_ = new QGroupBox(this);
    frame1_->setObjectName("Frame1");
    auto* f1 = new QVBoxLayout(frame1_);
    f1->setContentsMargins(6, 4, 6, 4);
    for (form::Button* b : {&model_.cmdPrint, &model_.cmdBack}) {
        auto* button = new QPushButton(frame1_);
        button->setObjectName(QString::fromStdString(b->name()));
        Bind(button, *b);
        f1->addWidget(button);
    }

    readings_ = new QWidget(this);
    auto* r = new QVBoxLayout(readings_);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(Field(readings_, model_.txtPower, 10));
    for (auto [label, field] : {std::pair{&model_.lblMaxV, &model_.txtMaxV}, std::pair{&model_.lblMaxI, &model_.txtMaxI}}) {
        auto* l = new QLabel(readings_);
        l->setObjectName(QString::fromStdString(label->name()));
        Bind(l, *label);
        r->addWidget(l);
        r->addWidget(Field(readings_, *field, 10));
    }
}

void GraphView::ShowTip(bool first, double x, double y) {
    // The point stands in its own curve's axes.
    tip_->Show(first ? series0_ : series1_, QPointF(x, y), model_.TipText(first, x, y));
}

void GraphView::Reload() {
    const GraphWindow::Chart& c = model_.chart();
    bottom_->setTitleText(QString::fromStdString(c.bottom_title));
    left_->setTitleText(QString::fromStdString(c.left_title));
    right_->setTitleText(QString::fromStdString(c.right_title));
    QList<QPointF> p0, p1;
    for (const auto& [x, y] : c.series0) p0.append(QPointF(x, y));
    for (const auto& [x, y] : c.series1) p1.append(QPointF(x, y));
    series0_->replace(p0);
    series1_->replace(p1);
    tip_->Hide();
    // The bottom axis runs over the line, with round ticks; the others fit each run's data.
    ApplyScale(bottom_, LengthAxis(c.bottom_max));
    FitAxis(right_, c.series0);
    FitAxis(left_, c.series1);
}

void GraphView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void GraphView::Layout() {
    // The layout rule works in twips of the outer window.
    const double k = TwipsPerPixel(this);
    const QRect outer = frameGeometry();
    const GraphLayout g = GraphLayoutFor(outer.width() * k, outer.height() * k);
    auto px = [k](double twips) { return static_cast<int>(std::lround(twips / k)); };
    view_->setGeometry(px(g.chart_left), px(g.chart_top), px(g.chart_width), px(g.chart_height));
    frame1_->adjustSize();
    frame1_->move(px(g.buttons_left), px(g.buttons_top));
    frame1_->resize(px(1800), frame1_->height());
    frame3_->setGeometry(px(g.chart_left), 2, std::max(px(g.buttons_left - g.chart_left) - 8, 100),
                         px(g.chart_top) - 4);
    frame2_->adjustSize();
    frame2_->move(px(g.chart_left), px(g.bottom_frame_top));
    // The power and the largest readings stay beside the buttons, out of the growing chart.
    readings_->adjustSize();
    readings_->move(px(g.buttons_left), frame1_->geometry().bottom() + 12);
    readings_->resize(px(1800), readings_->height());
}

}  // namespace qlx::ui
