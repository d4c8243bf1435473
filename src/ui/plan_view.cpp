#include "ui/plan_view.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "plan/plan_window.h"
#include "ui/bind.h"
#include "ui/export.h"

namespace qlx::ui {

namespace {

// Lengths designed between two looks at the event loop: a few milliseconds of work.
constexpr int kStepLengths = 2;

// The table's colours: a failure greyed (still 4.5:1 on its light grey), a part out of range in
// dark red, and the best design in bold.
const QColor kGreyText(0x5A, 0x5A, 0x5A);
const QColor kGreyBack(0xEE, 0xEE, 0xEE);

std::size_t Nearest(const std::vector<std::pair<double, double>>& data, double x) {
    std::size_t best = 0;
    for (std::size_t k = 1; k < data.size(); ++k)
        if (std::fabs(data[k].first - x) < std::fabs(data[best].first - x)) best = k;
    return best;
}

}  // namespace

PlanView::PlanView(plan::PlanWindow& model, QWidget* parent) : QWidget(parent, Qt::Window), model_(model) {
    setObjectName("frmPlan");
    setFont(QFont("Arial", 9));
    setAutoFillBackground(true);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(4);
    AddControls(root);

    // The table beside the charts.
    auto* split = new QSplitter(Qt::Horizontal, this);
    table_ = new QTableWidget(split);
    table_->setObjectName("tblPlan");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->setToolTip("Click a design to draw its tuner");
    // A click or Enter on a design draws its tuner page.
    const auto draw = [this](int row, int column) {
        if (row >= 0 && column >= 2) model_.ClickCell(static_cast<std::size_t>(row), static_cast<std::size_t>(column - 2));
    };
    QObject::connect(table_, &QTableWidget::cellClicked, this, draw);
    QObject::connect(table_, &QTableWidget::cellActivated, this, draw);
    // Under the table, what each network needs, scrolled when the window is short.
    auto* left = new QSplitter(Qt::Vertical, split);
    left->addWidget(table_);
    auto* needs = new QScrollArea(left);
    needs->setObjectName("scrNetworks");
    needs->setWidgetResizable(true);
    needs->setFrameShape(QFrame::NoFrame);
    auto* lines = new QWidget(needs);
    auto* column = new QVBoxLayout(lines);
    column->setContentsMargins(2, 2, 2, 2);
    for (form::Label* l : {&model.lblNet0, &model.lblNet1, &model.lblNet2, &model.lblNet3, &model.lblNet4}) {
        auto* label = MakeBound<QLabel>(lines, *l);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(label);
    }
    column->addStretch();
    needs->setWidget(lines);
    left->addWidget(needs);
    left->setSizes({330, 150});
    split->addWidget(left);
    split->addWidget(MakeCharts(split));
    split->setSizes({760, 480});
    root->addWidget(split, 1);

    QLineEdit* summary = MakeResultBox(this, model.txtSummary);
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);
    root->addWidget(summary);
    root->addWidget(MakeResultBox(this, model.txtHaveResult));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(MakeResultBox(this, model.txtScanResult), 1);
    // A scan goes in steps from the event loop, so the window answers while it works.
    run_ = new SteppedRun(this, "Scanning %p %", [this] { return model_.StepScan(kStepLengths) || !model_.scanning(); },
                          [this] { return model_.progress(); });
    bottom->addWidget(run_->bar());
    root->addLayout(bottom);

    WireModel();
    resize(1280, 660);
    setMinimumSize(900, 560);
    BindWindow(this, model.window, true, true);
    CloseOnEscape(this, model.cmdClose);  // which ends a scan under way too
    Reload();
}

void PlanView::AddControls(QVBoxLayout* root) {
    plan::PlanWindow& m = model_;
    auto* line = new QHBoxLayout;
    line->addWidget(MakeBound<QLabel>(this, m.lblLine));
    line->addWidget(MakeResultBox(this, m.txtLine), 1);
    QPushButton* make = MakeBound<QPushButton>(this, m.cmdPlan);
    make->setDefault(true);  // what Enter in an entry does
    line->addWidget(make);
    auto* exports = new QPushButton("&Export", this);
    exports->setObjectName("cmdExport");
    line->addWidget(exports);
    line->addWidget(MakeBound<QPushButton>(this, m.cmdPrint));
    line->addWidget(MakeBound<QPushButton>(this, m.cmdClose));
    root->addLayout(line);

    auto* bands = new QHBoxLayout;
    bands->addWidget(MakeGroup(this, m.fraRegion, {MakeBound<QRadioButton>(this, m.optRegion1), MakeBound<QRadioButton>(this, m.optRegion2),
                                                    MakeBound<QRadioButton>(this, m.optRegion3)}));
    bands->addWidget(MakeBound<QLabel>(this, m.lblBands));
    QLineEdit* band_list = MakeBound<QLineEdit>(this, m.txtBands);
    band_list->setMinimumWidth(band_list->fontMetrics().horizontalAdvance("160m,80m,60m,40m,30m,20m,17m,15m,12m,10m") + 16);
    bands->addWidget(band_list, 1);
    bands->addWidget(MakeBound<QLabel>(this, m.lblPoints));
    QLineEdit* points = MakeEntry(this, m.txtPoints, 3);
    bands->addWidget(points);
    bands->addWidget(MakeGroup(this, m.fraAntenna, {MakeBound<QRadioButton>(this, m.optMainZ), MakeBound<QRadioButton>(this, m.optFile)}));
    root->addLayout(bands);

    auto* tuner = new QHBoxLayout;
    tuner->addWidget(MakeBound<QLabel>(this, m.lblHave));
    QLineEdit* have = MakeBound<QLineEdit>(this, m.txtHave);
    have->setPlaceholderText("none; such as tee:C1=10-250pF,L2=0.2-28uH,C3=10-250pF,V=3500,I=10");
    tuner->addWidget(have, 1);
    tuner->addWidget(MakeBound<QLabel>(this, m.lblLengths));
    QLineEdit* lengths = MakeEntry(this, m.txtLengths, 14);
    tuner->addWidget(lengths);
    tuner->addWidget(MakeBound<QPushButton>(this, m.cmdScan));
    root->addLayout(tuner);
    // Enter in an entry makes the plan (in the lengths, scans them).
    for (QLineEdit* e : {band_list, points, have})
        QObject::connect(e, &QLineEdit::returnPressed, this, [this] { model_.cmdPlan.Click(); });
    QObject::connect(lengths, &QLineEdit::returnPressed, this, [this] { model_.cmdScan.Click(); });
    AddExports(exports);
}

QWidget* PlanView::MakeCharts(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    MakeChart(charts_[0], true, box);
    MakeChart(charts_[1], false, box);
    charts_[0].view->setObjectName("chtLoss");
    charts_[1].view->setObjectName("chtLengths");
    column->addWidget(charts_[0].view, 3);
    column->addWidget(charts_[1].view, 2);
    return box;
}

void PlanView::MakeChart(Chart& c, bool log_x, QWidget* parent) {
    c.chart = new QChart;
    c.chart->setTitleFont(ChartFont(12, true));
    c.chart->setMargins(QMargins(2, 2, 2, 2));
    c.chart->layout()->setContentsMargins(0, 0, 0, 0);
    c.chart->setBackgroundRoundness(0);
    c.chart->legend()->setAlignment(Qt::AlignBottom);
    c.chart->legend()->setFont(ChartFont(10));
    if (log_x) {
        // The bands from 160 m to 6 m spread evenly: a frequency axis in decades.
        auto* x = new QLogValueAxis;
        x->setBase(10.0);
        x->setLabelFormat("%g");
        x->setMinorTickCount(8);
        x->setLabelsFont(ChartFont(10));
        x->setTitleFont(ChartFont(11, true));
        c.x = x;
    } else {
        c.x = TitledAxis("");
    }
    c.y = TitledAxis("");
    c.chart->addAxis(c.x, Qt::AlignBottom);
    c.chart->addAxis(c.y, Qt::AlignLeft);
    c.tip = std::make_unique<ChartTip>(c.chart, 11, 8.0);
    c.view = new QChartView(c.chart, parent);
    c.view->setRenderHint(QPainter::Antialiasing);
    c.view->setMinimumHeight(140);
    AddExport(c.view, "QLX plan chart", [this] { return model_.Csv(); }, false);
}

void PlanView::AddExports(QWidget* exports) {
    AddSaveText(this, "Save Plan as CSV...", "QLX plan.csv", "CSV (*.csv)", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
                [this] { return model_.Csv(); });
    AddSaveText(this, "Save Plan as JSON...", "QLX plan.json", "JSON (*.json)", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J),
                [this] { return model_.Json(); });
    AddExport(this, "QLX plan");
    auto* menu = new QMenu(exports);
    menu->addActions(actions());
    static_cast<QPushButton*>(exports)->setMenu(menu);
}

void PlanView::WireModel() {
    model_.on_started = WhileAlive(this, [this] { run_->Start(); });
    model_.on_result_changed = WhileAlive(this, [this] { Reload(); });
}

void PlanView::Reload() {
    FillTable();
    FillChart(charts_[0], model_.LossChart());
    FillChart(charts_[1], model_.LengthChart());
}

void PlanView::FillTable() {
    const plan::PlanTable t = model_.Table();
    const bool have = !t.rows.empty() && t.rows.front().have.has_value();
    QStringList headers{"Band", "MHz"};
    for (const std::string& c : t.columns) headers << QString::fromStdString(c);
    if (have) headers << "My tuner";
    table_->clear();
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setRowCount(static_cast<int>(t.rows.size()));
    table_->setHorizontalHeaderLabels(headers);
    const auto put = [this](int row, int column, const plan::TableCell& cell) {
        auto* item = new QTableWidgetItem(QString::fromStdString(cell.text));
        item->setToolTip(QString::fromStdString(cell.tip));
        if (cell.state == plan::CellState::Failed || cell.state == plan::CellState::NotMeasured) {
            item->setForeground(kGreyText);
            item->setBackground(kGreyBack);
        } else if (cell.state == plan::CellState::OutOfRange) {
            item->setForeground(ToQColor(form::kDarkRed, table_, false));
        }
        QFont f = item->font();
        f.setBold(cell.best);
        f.setItalic(cell.state == plan::CellState::NotMeasured);
        item->setFont(f);
        table_->setItem(row, column, item);
    };
    for (int r = 0; r < static_cast<int>(t.rows.size()); ++r) {
        const plan::TableRow& row = t.rows[static_cast<std::size_t>(r)];
        table_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(row.band)));
        auto* f = new QTableWidgetItem(QString::fromStdString(row.freq));
        f->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, 1, f);
        for (std::size_t c = 0; c < row.cells.size(); ++c) put(r, static_cast<int>(c) + 2, row.cells[c]);
        if (row.have) put(r, static_cast<int>(row.cells.size()) + 2, *row.have);
    }
    table_->resizeColumnsToContents();
}

void PlanView::FillChart(Chart& c, const plan::PlanChart& shape) {
    c.tip->Hide();
    for (QLineSeries* s : c.series) {
        c.chart->removeSeries(s);
        delete s;
    }
    c.series.clear();
    c.data.clear();
    c.tips.clear();
    c.chart->setTitle(QString::fromStdString(shape.title));
    c.x->setTitleText(QString::fromStdString(shape.x_title));
    c.y->setTitleText(QString::fromStdString(shape.y_title));
    std::vector<std::pair<double, double>> all;
    for (std::size_t k = 0; k < shape.curves.size(); ++k) {
        const plan::PlanCurve& curve = shape.curves[k];
        auto* s = new QLineSeries;
        s->setName(QString::fromStdString(curve.name));
        QPen pen(ToQColor(curve.colour, this, false), 2);
        if (form::DashedCurve(k)) pen.setStyle(Qt::DashLine);
        s->setPen(pen);
        s->setPointsVisible(true);
        s->replace(ToPoints(curve.data));
        c.chart->addSeries(s);
        s->attachAxis(c.x);
        s->attachAxis(c.y);
        QObject::connect(s, &QLineSeries::hovered, this, [this, &c, k](const QPointF& at, bool state) {
            if (state)
                ShowTip(c, k, at.x());
            else
                c.tip->Hide();
        });
        c.series.push_back(s);
        c.data.push_back(curve.data);
        c.tips.push_back(curve.tips);
        all.insert(all.end(), curve.data.begin(), curve.data.end());
    }
    FitAxis(c.y, all, true);
    if (auto* log = qobject_cast<QLogValueAxis*>(c.x); log && !all.empty()) {
        const auto [lo, hi] = std::minmax_element(all.begin(), all.end());
        log->setRange(lo->first / 1.2, hi->first * 1.2);
    } else if (auto* lin = qobject_cast<QValueAxis*>(c.x)) {
        // Before a scan, an empty frame with its scale (an axis without one loses its title's place).
        const auto [lo, hi] = std::minmax_element(all.begin(), all.end());
        const double from = all.empty() ? 0.0 : lo->first, to = all.empty() ? 1.0 : hi->first;
        ApplyScale(lin, TicksFor(from, to > from ? to : from + 1.0));
    }
}

void PlanView::ShowTip(Chart& chart, std::size_t curve, double x) {
    if (curve >= chart.data.size() || chart.data[curve].empty()) return;
    const std::size_t k = Nearest(chart.data[curve], x);
    const auto& [px, py] = chart.data[curve][k];
    chart.tip->Show(chart.series[curve], QPointF(px, py), chart.tips[curve][k]);
}

}  // namespace qlx::ui
