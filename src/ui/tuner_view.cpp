#include "ui/tuner_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tuner/tuner_window.h"
#include "ui/bind.h"

namespace qlx::ui {

namespace {

void Row(QGridLayout* grid, QWidget* parent, form::Label& label, form::TextField& field) {
    const int r = grid->rowCount();
    auto* l = MakeNamed<QLabel>(parent, label.name());
    Bind(l, label);
    auto* e = MakeNamed<QLineEdit>(parent, field.name());
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10 + 12);
    Bind(e, field);
    grid->addWidget(l, r, 0);
    grid->addWidget(e, r, 1);
}

}  // namespace

TunerView::TunerView(TunerWindow& m, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmTuner");
    setFont(QFont("Arial", 9));
    auto* root = new QVBoxLayout(this);

    auto* type = MakeNamed<QGroupBox>(this, m.frmTunerType.name());
    Bind(type, m.frmTunerType);
    auto* types = new QVBoxLayout(type);
    for (form::Option* o : {&m.optLNet1, &m.optLNet2, &m.optPiNet, &m.optTeeNet}) {
        auto* radio = MakeNamed<QRadioButton>(type, o->name());
        radio->setAutoExclusive(false);  // none is chosen until the user chooses
        Bind(radio, *o);
        types->addWidget(radio, 0, Qt::AlignLeft);  // as wide as its caption: a click beside it is no choice
    }
    root->addWidget(type);

    auto* defaults = MakeNamed<QGroupBox>(this, m.frmDefaults.name());
    Bind(defaults, m.frmDefaults);
    auto* grid = new QGridLayout(defaults);
    Row(grid, defaults, m.lblPhase, m.txtPhase);
    Row(grid, defaults, m.lblStrayC, m.txtStrayC);
    Row(grid, defaults, m.lblTunerR, m.txtTunerR);
    Row(grid, defaults, m.lblTxPwr, m.txtTxPwr);
    Row(grid, defaults, m.lblQCap, m.txtCapQ);
    Row(grid, defaults, m.lblQCoil, m.txtCoilQ);
    root->addWidget(defaults);

    // The Pi and Tee rows share one place in their frame.
    auto* caps = MakeNamed<QGroupBox>(this, m.frmCaps.name());
    Bind(caps, m.frmCaps);
    auto* capgrid = new QGridLayout(caps);
    Row(capgrid, caps, m.lblPiCap, m.txtPiCap);
    Row(capgrid, caps, m.lblTeeCap, m.txtTeeCap);
    caps->setMinimumHeight(48);
    root->addWidget(caps);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (form::Button* b : {&m.cmdCompare, &m.cmdPlan, &m.cmdDrawTuner, &m.cmdBack}) {
        auto* button = MakeNamed<QPushButton>(this, b->name());
        Bind(button, *b);
        buttons->addWidget(button);
    }
    root->addLayout(buttons);
    BindWindow(this, m.window, false, true);
}

CompareView::CompareView(tuner::CompareWindow& m, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QString::fromStdString(m.window.name()));
    setFont(QFont("Arial", 9));
    auto* root = new QVBoxLayout(this);
    root->addWidget(MakeResultBox(this, m.txtLine));
    setMaximumWidth(720);
    QLineEdit* summary = MakeResultBox(this, m.txtSummary);
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);
    root->addWidget(summary);
    // One row a network, lowest loss first: its button draws its page.
    auto* grid = new QGridLayout;
    for (std::size_t k = 0; k < tuner::CompareWindow::kRows; ++k) {
        auto* button = MakeNamed<QPushButton>(this, m.cmdRow[k].name());
        Bind(button, m.cmdRow[k]);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance("High-Pass L-Network, coil across the line") + 16);
        auto* row = MakeNamed<QLabel>(this, m.lblRow[k].name());
        Bind(row, m.lblRow[k]);
        row->setWordWrap(true);
        row->setMinimumWidth(row->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 60);
        grid->addWidget(button, static_cast<int>(k), 0, Qt::AlignTop);
        grid->addWidget(row, static_cast<int>(k), 1);
    }
    root->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = MakeNamed<QPushButton>(this, m.cmdClose.name());
    Bind(close, m.cmdClose);
    buttons->addWidget(close);
    root->addLayout(buttons);
    BindWindow(this, m.window, false, true);
}

}  // namespace qlx::ui
