#include "ui/own_cable_view.h"

#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "form/form.h"
#include "mainwin/own_cable_window.h"
#include "ui/bind.h"
#include "ui/chart_parts.h"

namespace qlx::ui {

namespace {

QLineEdit* Field(QGridLayout* grid, QWidget* parent, form::Label& label, form::TextField& field, int row, int column = 0) {
    auto* l = MakeNamed<QLabel>(parent, label.name());
    Bind(l, label);
    auto* e = MakeNamed<QLineEdit>(parent, field.name());
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    Bind(e, field);
    grid->addWidget(l, row, column);
    grid->addWidget(e, row, column + 1);
    return e;
}

QGroupBox* Options(QWidget* parent, form::Label& frame, std::initializer_list<form::Option*> options) {
    auto* box = MakeNamed<QGroupBox>(parent, frame.name());
    Bind(box, frame);
    auto* row = new QHBoxLayout(box);
    for (form::Option* o : options) {
        auto* radio = MakeNamed<QRadioButton>(box, o->name());
        Bind(radio, *o);
        row->addWidget(radio);
    }
    return box;
}

// A "Browse…" beside a file's field: the chosen path is typed into the field.
QPushButton* Browse(QWidget* parent, form::TextField& field, const char* name) {
    auto* b = MakeNamed<QPushButton>(parent, name);
    b->setText(QObject::tr("Browse…"));
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, parent, [parent, &field] {
        const QString path = QFileDialog::getOpenFileName(parent, QObject::tr("Touchstone file"), {},
                                                          QObject::tr("Touchstone files (*.s1p *.S1P);;All files (*)"));
        if (!path.isEmpty()) field.SetText(path.toStdString());
    });
    return b;
}

}  // namespace

OwnCableView::OwnCableView(OwnCableWindow& m, QWidget* parent) : ModelDialog(m.window, parent), m_(m) {
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(Options(this, m.fraHow, {&m.optFit, &m.optMeasure, &m.optStub}));
    auto* grid = new QGridLayout;
    int r = 0;
    Field(grid, this, m.lblName, m.txtName, r++);
    Field(grid, this, m.lblCableR0, m.txtCableR0, r++);
    Field(grid, this, m.lblCableVF, m.txtCableVF, r++);
    Field(grid, this, m.lblCableVMax, m.txtCableVMax, r++);
    Field(grid, this, m.lblSource, m.txtSource, r++);
    Field(grid, this, m.lblPoints, m.txtPoints, r++);
    grid->addWidget(Options(this, m.fraPer, {&m.optPer100ft, &m.optPer100m}), r++, 1);
    Field(grid, this, m.lblOpenFile, m.txtOpenFile, r);
    auto* browse_open = Browse(this, m.txtOpenFile, "cmdBrowseOpen");
    grid->addWidget(browse_open, r++, 2);
    Field(grid, this, m.lblShortFile, m.txtShortFile, r);
    auto* browse_short = Browse(this, m.txtShortFile, "cmdBrowseShort");
    grid->addWidget(browse_short, r++, 2);
    Field(grid, this, m.lblSampleLength, m.txtSampleLength, r++);
    Field(grid, this, m.lblQuarterWave, m.txtQuarterWave, r++);
    grid->addWidget(Options(this, m.fraSampleUnit, {&m.optSampleFeet, &m.optSampleMeters}), r++, 1);
    Field(grid, this, m.lblK1, m.txtK1, r++);
    Field(grid, this, m.lblK2, m.txtK2, r++);
    Field(grid, this, m.lblWorst, m.txtWorst, r++);
    // The browse buttons come and go with the files' fields.
    const auto follow = [this, browse_open, browse_short] {
        browse_open->setVisible(m_.txtOpenFile.visible());
        browse_short->setVisible(m_.txtShortFile.visible());
    };
    m.window.SetObserver(WhileAlive(this, [this, follow] {
        follow();
        if (!m_.window.visible() && isVisible()) done(QDialog::Accepted);
    }));
    follow();
    left->addLayout(grid);
    auto* status = MakeNamed<QLabel>(this, m.lblStatus.name());
    status->setWordWrap(true);
    Bind(status, m.lblStatus);
    left->addWidget(status);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (form::Button* b : {&m.cmdCalculate, &m.cmdSave, &m.cmdClose}) {
        auto* button = MakeNamed<QPushButton>(this, b->name());
        button->setAutoDefault(false);
        Bind(button, *b);
        buttons->addWidget(button);
    }
    left->addLayout(buttons);
    left->addStretch();
    root->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* view = new QChartView(this);
    chart_view_ = view;
    view->setObjectName("chtOwnCable");
    view->setAccessibleName(tr("Loss against frequency: the points and the fitted curve"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(380, 260);
    right->addWidget(view, 1);
    auto* table = MakeNamed<QLabel>(this, m.lblTable.name());
    table->setFont(QFont("Courier New", 9));
    table->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Bind(table, m.lblTable);
    table->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(table);
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(150);
    scroll->setMinimumWidth(table->fontMetrics().horizontalAdvance(QString(58, QLatin1Char('0'))));
    right->addWidget(scroll);
    root->addLayout(right, 1);
    m.on_chart_changed = [this] { Redraw(); };
    Redraw();
}

void OwnCableView::Redraw() {
    // A fresh chart each time: the axes' own labels go with the chart they were made for.
    QChart* old = chart_view_->chart();
    auto* chart = new QChart;
    chart->setTitle(tr("Loss, dB per 100 feet"));
    chart->setTitleFont(ChartFont(13, true));
    chart->legend()->setFont(ChartFont(11));
    chart_view_->setChart(chart);
    delete old;
    QChart* chart_ = chart;
    const OwnCableWindow::Chart& c = m_.chart();
    if (c.points.empty() && c.left_out.empty()) return;
    auto* x = new QLogValueAxis;
    x->setTitleText(tr("MHz"));
    x->setLabelFormat("%g");
    x->setBase(10.0);
    x->setMinorTickCount(8);
    x->setLabelsFont(ChartFont(11));
    x->setTitleFont(ChartFont(11));
    auto* y = TitledAxis(tr("dB/100 ft"));
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    std::vector<std::pair<double, double>> all;
    const auto add = [&](QXYSeries* s, const std::vector<LossPoint>& pts) {
        for (const LossPoint& p : pts) {
            s->append(p.f_mhz, p.db_per_100ft);
            all.emplace_back(p.f_mhz, p.db_per_100ft);
        }
        chart_->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    };
    auto* curve = new QLineSeries;
    curve->setName(tr("Fit"));
    curve->setPen(QPen(QColor(0, 0x3C, 0xDC), 2));
    add(curve, c.curve);
    auto* points = new QScatterSeries;
    points->setName(m_.optFit.selected() ? tr("Maker's table") : tr("Measured"));
    points->setColor(QColor(0xB0, 0, 0));
    points->setMarkerSize(8);
    add(points, c.points);
    if (!c.left_out.empty()) {
        auto* out = new QScatterSeries;
        out->setName(tr("Near a quarter wave (not fitted)"));
        out->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        out->setColor(QColor(0x78, 0x78, 0x78));
        out->setMarkerSize(7);
        add(out, c.left_out);
    }
    double lo = all.front().first, hi = lo;
    for (const auto& [f, db] : all) lo = std::min(lo, f), hi = std::max(hi, f);
    // Whole decades, so that the labels are 1, 10, 100…
    x->setRange(std::pow(10.0, std::floor(std::log10(lo))), std::pow(10.0, std::ceil(std::log10(hi * 1.0001))));
    FitAxis(y, all);
}

}  // namespace qlx::ui
