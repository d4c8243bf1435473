#include "ui/dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "instruments/analyser.h"
#include "instruments/noise_bridge.h"
#include "mainwin/user_line_dialog.h"
#include "ui/bind.h"

namespace qlx::ui {

namespace {

// One "label  [field]" row of a dialog.
QLineEdit* Row(QGridLayout* grid, QWidget* parent, form::Label& label, form::TextField& field) {
    const int r = grid->rowCount();
    auto* l = MakeNamed<QLabel>(parent, label.name());
    Bind(l, label);
    auto* e = MakeNamed<QLineEdit>(parent, field.name());
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (field.read_only() ? 18 : 10));
    Bind(e, field);
    grid->addWidget(l, r, 0);
    grid->addWidget(e, r, 1);
    return e;
}

QHBoxLayout* Buttons(QWidget* parent, std::initializer_list<form::Button*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (form::Button* b : buttons) {
        auto* button = MakeNamed<QPushButton>(parent, b->name());
        button->setAutoDefault(false);
        // Enter in any entry presses OK, as in every dialog.
        button->setDefault(b->caption() == "&OK");
        Bind(button, *b);
        row->addWidget(button);
    }
    return row;
}

}  // namespace

ModelDialog::ModelDialog(form::Window& window, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromStdString(window.name()));
    setWindowTitle(QString::fromStdString(window.caption()));
    setModal(true);
    setFont(QFont("Arial", 9));
    window.SetObserver(WhileAlive(this, [this, &window] {
        if (!window.visible() && isVisible()) done(QDialog::Accepted);
    }));
}

void ModelDialog::reject() {
    // Leaving an instrument dialog by Escape or its close control is a Cancel: the impedance
    // returns to the load end as the button returns it, not left at the input.
    if (cancel_) cancel_->Click();
    if (isVisible()) QDialog::reject();
}

NoiseBridgeView::NoiseBridgeView(NoiseBridgeDialog& m, QWidget* parent) : ModelDialog(m.window, parent) {
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Row(grid, this, m.lblResist, m.txtResist);
    Row(grid, this, m.Label1, m.txtReact);
    Row(grid, this, m.lblExtender, m.txtExtender);
    Row(grid, this, m.lblCompZ, m.txtCompZ);
    root->addLayout(grid);
    root->addLayout(Buttons(this, {&m.cmdOK, &m.cmdCancel}));
    cancel_ = &m.cmdCancel;
}

AnalyserView::AnalyserView(AnalyserDialog& m, QWidget* parent) : ModelDialog(m.window, parent) {
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Row(grid, this, m.lblAutekZ, m.txtAutekZ);
    Row(grid, this, m.lblAutekSWR, m.txtAutekSWR);
    Row(grid, this, m.lblMinSWR, m.txtMinSWR);
    const int r = grid->rowCount();
    auto* sign = MakeNamed<QLabel>(this, m.lblSign.name());
    Bind(sign, m.lblSign);
    grid->addWidget(sign, r, 0);
    auto* frame = MakeNamed<QGroupBox>(this, m.fraSign.name());
    Bind(frame, m.fraSign);
    auto* options = new QHBoxLayout(frame);
    for (form::Option* o : {&m.optNegative, &m.OptPositive}) {
        auto* radio = MakeNamed<QRadioButton>(frame, o->name());
        Bind(radio, *o);
        options->addWidget(radio);
    }
    grid->addWidget(frame, r, 1);
    Row(grid, this, m.lblCalcZ, m.txtCalcZ);
    root->addLayout(grid);
    root->addLayout(Buttons(this, {&m.cmdOK, &m.cmdCancel}));
    cancel_ = &m.cmdCancel;
}

UserLineView::UserLineView(UserLineDialog& m, QWidget* parent) : ModelDialog(m.window, parent) {
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Row(grid, this, m.lblR0, m.txtR0);
    Row(grid, this, m.lblX0, m.txtX0);
    const int r = grid->rowCount();
    auto* suggest = MakeNamed<QLabel>(this, m.lblSuggestX0.name());
    Bind(suggest, m.lblSuggestX0);
    auto* value = MakeNamed<QLabel>(this, m.lblSX0.name());
    Bind(value, m.lblSX0);
    grid->addWidget(suggest, r, 0);
    grid->addWidget(value, r, 1);
    Row(grid, this, m.lblVelFactor, m.txtVF);
    Row(grid, this, m.lblAtten100, m.txtAtten100);
    Row(grid, this, m.lblVMax, m.txtVMax);
    Row(grid, this, m.lblOldFreq, m.txtOldFreq);
    Row(grid, this, m.lblNewFreq, m.txtNewFreq);
    auto* warning = MakeNamed<QLabel>(this, m.lblWarning.name());
    Bind(warning, m.lblWarning);
    grid->addWidget(warning, grid->rowCount(), 0, 1, 2);
    root->addLayout(grid);
    root->addLayout(Buttons(this, {&m.cmdFit, &m.cmdMeasure, &m.cmdCompute, &m.cmdOK}));
}

}  // namespace qlx::ui
