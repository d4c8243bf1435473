#include "ui/sweep_view.h"

#include <QChart>
#include <QChartView>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "sweepwin/sweep_window.h"
#include "ui/bind.h"
#include "ui/chart_parts.h"
#include "ui/export.h"
#include "ui/smith_chart.h"

namespace qlx::ui {

namespace {

// Points solved between two looks at the event loop: a few milliseconds of work.
constexpr std::size_t kStepPoints = 4000;
// A chart draws at most about this many points a curve; the tips read the whole data.
constexpr std::size_t kDrawnBuckets = 1500;

}  // namespace

SweepView::SweepView(sweep::SweepWindow& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("frmSweep");
    setFont(QFont("Arial", 9));
    setAutoFillBackground(true);
    setAcceptDrops(true);  // a Touchstone file dropped on the window is read

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(4);
    QPushButton* exports = AddControls(root);

    // The Smith chart beside the plots against frequency.
    auto* split = new QSplitter(Qt::Horizontal, this);
    smith_ = new SmithChart(split);
    smith_->tip = [this](std::size_t index, std::size_t trace) {
        return model_.TraceTipText(index, trace);
    };
    split->addWidget(smith_);
    split->addWidget(MakePlots(split));
    // The chart as a square beside plots a little wider than it.
    split->setSizes({520, 640});
    root->addWidget(split, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(MakeResultBox(this, model.txtSummary), 1);
    // A run goes in steps from the event loop, so the window answers while it works.
    run_ = new SteppedRun(this, "Sweeping %p %", [this] { return model_.Step(kStepPoints) || !model_.running(); },
                          [this] { return model_.progress(); });
    bottom->addWidget(run_->bar());
    root->addLayout(bottom);

    AddExports(exports);
    WireModel();
    resize(1180, 760);
    setMinimumSize(900, 600);
    BindWindow(this, model.window, true, true);
    CloseOnEscape(this, model.cmdClose);
    Reload();
}

QPushButton* SweepView::AddControls(QVBoxLayout* root) {
    sweep::SweepWindow& model = model_;
    // The line, the band and where the impedance comes from, in three rows that fit a window of
    // 900 pixels: the line and the buttons; the band, its spacing and the end; where the
    // impedance comes from and the chart's reference.
    auto* line = new QHBoxLayout;
    line->addWidget(MakeBound<QLabel>(this, model.lblLine));
    line->addWidget(MakeResultBox(this, model.txtLine), 1);
    QPushButton* run = MakeBound<QPushButton>(this, model.cmdSweep);
    run->setDefault(true);  // shown as what Enter in the band's entries does
    line->addWidget(run);
    // A push button with a menu: the style leaves room for the menu's arrow beside the text.
    auto* exports = new QPushButton("&Export", this);
    exports->setObjectName("cmdExport");
    line->addWidget(exports);
    line->addWidget(MakeBound<QPushButton>(this, model.cmdClose));
    root->addLayout(line);

    auto* band = new QHBoxLayout;
    band->addWidget(MakeBound<QLabel>(this, model.lblFrom));
    QLineEdit* entries[] = {MakeEntry(this, model.txtFrom, 9), MakeEntry(this, model.txtTo, 9), MakeEntry(this, model.txtPoints, 7)};
    band->addWidget(entries[0]);
    band->addWidget(MakeBound<QLabel>(this, model.lblTo));
    band->addWidget(entries[1]);
    band->addWidget(MakeBound<QLabel>(this, model.lblPoints));
    band->addWidget(entries[2]);
    // Enter in an entry sweeps the band as typed.
    for (QLineEdit* e : entries) QObject::connect(e, &QLineEdit::returnPressed, this, [this] { model_.cmdSweep.Click(); });
    band->addWidget(MakeGroup(this, model.fraSpacing, {MakeBound<QRadioButton>(this, model.optLinear), MakeBound<QRadioButton>(this, model.optLog)}));
    band->addWidget(MakeGroup(this, model.fraGiven, {MakeBound<QRadioButton>(this, model.optAtLoad), MakeBound<QRadioButton>(this, model.optAtInput)}));
    band->addStretch();
    root->addLayout(band);

    auto* source = new QHBoxLayout;
    QLineEdit* file = MakeResultBox(this, model.txtFile);
    file->setPlaceholderText("no file: open one, or drop it on this window");
    file->setMinimumWidth(120);
    source->addWidget(MakeGroup(this, model.fraSource, {MakeBound<QRadioButton>(this, model.optMainZ), MakeBound<QRadioButton>(this, model.optFile), file,
                                                MakeBound<QPushButton>(this, model.cmdOpen)}),
                      1);
    source->addWidget(MakeGroup(this, model.fraReference, {MakeBound<QRadioButton>(this, model.optRef50), MakeBound<QRadioButton>(this, model.optRefZ0)}));
    root->addLayout(source);
    return exports;
}

QWidget* SweepView::MakePlots(QWidget* parent) {
    auto* plots = new QWidget(parent);
    auto* column = new QVBoxLayout(plots);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    // Names, colours and pictures of the plots are the model's; the view only draws them.
    const std::vector<sweep::SweepPlot> shapes = model_.Plots();
    for (std::size_t k = 0; k < plots_.size(); ++k) {
        MakePlot(k, shapes[k], plots);
        column->addWidget(plots_[k].view, 1);
    }
    // The lowest SWR at the load, marked on its curve and named in the plot's title.
    lowest_ = new QScatterSeries;
    lowest_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    lowest_->setMarkerSize(11);
    lowest_->setColor(Qt::black);
    plots_[0].chart->addSeries(lowest_);
    lowest_->attachAxis(plots_[0].x);
    lowest_->attachAxis(plots_[0].y);
    plots_[0].chart->legend()->markers(lowest_).front()->setVisible(false);
    return plots;
}

void SweepView::MakePlot(std::size_t k, const sweep::SweepPlot& shape, QWidget* parent) {
    Plot& p = plots_[k];
    p.picture = shape.picture;
    p.chart = new QChart;
    p.chart->setTitle(QString::fromStdString(shape.title));
    p.chart->setTitleFont(ChartFont(12, true));
    p.chart->setMargins(QMargins(2, 2, 2, 2));
    p.chart->layout()->setContentsMargins(0, 0, 0, 0);
    p.chart->setBackgroundRoundness(0);
    p.chart->legend()->setAlignment(Qt::AlignTop);
    p.chart->legend()->setFont(ChartFont(10));
    p.x = TitledAxis(k + 1 == plots_.size() ? "Frequency, MHz" : "");
    p.y = TitledAxis(shape.y_title);
    p.chart->addAxis(p.x, Qt::AlignBottom);
    p.chart->addAxis(p.y, Qt::AlignLeft);
    for (std::size_t c = 0; c < shape.curves.size(); ++c) {
        auto* s = new QLineSeries;
        s->setName(shape.curves[c].name);
        QPen pen(ToQColor(shape.curves[c].colour, this, false), 2);
        if (form::DashedCurve(c)) pen.setStyle(Qt::DashLine);
        s->setPen(pen);
        p.chart->addSeries(s);
        s->attachAxis(p.x);
        s->attachAxis(p.y);
        p.series.push_back(s);
        QObject::connect(s, &QLineSeries::hovered, this, [this, k, c](const QPointF& at, bool state) {
            if (state)
                ShowPlotTip(k, c, at.x());
            else
                plots_[k].tip->Hide();
        });
    }
    p.data.resize(p.series.size());
    p.tip = std::make_unique<ChartTip>(p.chart, 11, 8.0);
    p.view = new QChartView(p.chart, parent);
    p.view->setObjectName(QString("Plot") + QString::number(k));
    p.view->setRenderHint(QPainter::Antialiasing);
    p.view->setMinimumHeight(150);
}

// Exports: the window's context menu and shortcuts, gathered under "Export" too; each chart saves
// its own picture from its own menu.
void SweepView::AddExports(QPushButton* exports) {
    const auto csv = [this] { return model_.Csv(); };
    AddExport(this, "QLX sweep", csv);
    AddSaveText(this, "Save Other End as Touchstone...", "QLX sweep.s1p", "Touchstone one-port (*.s1p)",
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), [this] { return model_.Touchstone(); });
    auto* menu = new QMenu(exports);
    menu->addActions(actions());
    exports->setMenu(menu);
    AddExport(smith_, "QLX Smith chart", csv, false);
    for (Plot& p : plots_) AddExport(p.view, "QLX sweep chart", csv, false);
}

void SweepView::WireModel() {
    model_.on_open_requested = WhileAlive(this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, "Open a Touchstone File", QString(),
                                                          "Touchstone one-port (*.s1p *.S1P *.ts);;All files (*)");
        if (!path.isEmpty()) model_.OpenFile(path.toStdString());
    });
    model_.on_started = WhileAlive(this, [this] { run_->Start(); });
    model_.on_result_changed = WhileAlive(this, [this] { Reload(); });
}

void SweepView::Reload() {
    const std::vector<sweep::SweepPoint>& pts = model_.points();
    const std::vector<sweep::SweepPlot> shapes = model_.Plots();
    for (std::size_t k = 0; k < plots_.size(); ++k) {
        Plot& p = plots_[k];
        const sweep::SweepPlot& shape = shapes[k];
        p.chart->setTitle(QString::fromStdString(shape.title));
        std::vector<std::pair<double, double>> all;
        for (std::size_t c = 0; c < p.series.size(); ++c) {
            p.data[c] = shape.curves[c].data;
            const auto drawn = ThinForDrawing(p.data[c], kDrawnBuckets);
            p.series[c]->replace(ToPoints(drawn));
            p.series[c]->setVisible(shape.curves[c].shown);
            all.insert(all.end(), drawn.begin(), drawn.end());
        }
        // The band's ends as written (13.6, not the 13.6000004 solved at), so that they are ticks.
        if (!pts.empty())
            ApplyScale(p.x, TicksFor(sweep::ShownMHz(pts.front().f_mhz), sweep::ShownMHz(pts.back().f_mhz)));
        FitAxis(p.y, all, shape.y_from_zero);
        p.tip->Hide();
    }
    lowest_->clear();
    if (shapes[0].mark) lowest_->append(shapes[0].mark->first, shapes[0].mark->second);
    std::vector<SmithChart::Trace> traces;
    for (sweep::SmithTrace& t : model_.Traces())
        traces.push_back({std::move(t.z), ToQColor(t.colour, this, false), t.name});
    const auto best = model_.LowestSwrAtLoad();
    const sweep::SweepWindow::SmithTexts texts = model_.SmithTextsOfRun();
    smith_->SetData(std::move(traces), model_.reference(),
                    {QString::fromStdString(texts.first), QString::fromStdString(texts.last),
                     QString::fromStdString(texts.key), QString::fromStdString(texts.reference)},
                    best ? static_cast<long>(*best) : -1);
}

void SweepView::ShowPlotTip(std::size_t plot, std::size_t curve, double f) {
    Plot& p = plots_[plot];
    const auto& curve_data = p.data[curve];
    if (curve_data.empty()) return;
    const auto& [x, y] = curve_data[NearestPoint(curve_data, f)];
    p.tip->Show(p.series[curve], QPointF(x, y), model_.CurveTipText(p.series[curve]->name().toStdString(), x, y, p.picture));
}

void SweepView::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().front().isLocalFile()) event->acceptProposedAction();
}

void SweepView::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    model_.OpenFile(urls.front().toLocalFile().toStdString());
}

}  // namespace qlx::ui
