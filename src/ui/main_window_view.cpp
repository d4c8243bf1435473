#include "ui/main_window_view.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "mainwin/main_window.h"
#include "ui/bind.h"
#include "ui/export.h"

namespace qlx::ui {

namespace {

QLineEdit* Entry(QWidget* parent, form::TextField& field, int chars) {
    auto* e = MakeBound<QLineEdit>(parent, field);
    // Sized to its content, so the window stays close to its design width of 8484 twips.
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 12);
    // Enter finishes the entry as leaving it does (the frequency tidy-up runs) and moves on.
    QObject::connect(e, &QLineEdit::returnPressed, e, [e] {
        for (QWidget* next = e->nextInFocusChain(); next && next != e; next = next->nextInFocusChain())
            if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()) {
                next->setFocus(Qt::TabFocusReason);
                return;
            }
    });
    return e;
}

QLineEdit* Result(QWidget* parent, form::ResultField& field, int chars) {
    QLineEdit* e = Entry(parent, field, chars);
    e->setAlignment(Qt::AlignRight);
    FitTextToWidth(e);
    return e;
}


QLabel* Text(QWidget* parent, form::Label& label) { return MakeBound<QLabel>(parent, label); }

// A label whose caption the logic switches keeps the width of its widest caption, so the window
// does not change its width with the unit or the end.
QLabel* Switching(QWidget* parent, form::Label& label, std::initializer_list<const char*> captions) {
    QLabel* l = Text(parent, label);
    int widest = 0;
    for (const char* c : captions) widest = std::max(widest, l->fontMetrics().horizontalAdvance(QString(c)));
    l->setMinimumWidth(widest + 2);
    return l;
}

QGroupBox* Frame(QWidget* parent, form::Label& frame, std::initializer_list<form::Option*> options) {
    auto* box = MakeNamed<QGroupBox>(parent, frame.name());
    Bind(box, frame);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    for (form::Option* o : options) layout->addWidget(MakeBound<QRadioButton>(box, *o));
    return box;
}

// The window's picture: a feed line running from a transmitter to an antenna.
QPixmap LinePicture() {
    QPixmap pm(72, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(2, 26, 16, 16);                       // transmitter
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.drawLine(18, 31, 56, 31);                      // the two conductors of the line
    p.drawLine(18, 37, 56, 37);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawLine(56, 31, 56, 6);                       // antenna
    p.drawLine(46, 6, 66, 6);
    p.drawLine(56, 37, 66, 37);
    return pm;
}

// The title: the picture, the program's name and its version.
QLayout* TitleRow(QWidget* w, MainWindow& m) {
    auto* title = new QHBoxLayout;
    QLabel* picture = Text(w, m.Image1);
    picture->setPixmap(LinePicture());
    title->addWidget(picture);
    auto* names = new QVBoxLayout;
    QLabel* program = Text(w, m.lblProgram);
    program->setFont(QFont("Arial", 18, QFont::Bold));
    names->addWidget(program);
    names->addWidget(Text(w, m.lblVersion));
    title->addLayout(names);
    title->addStretch();
    return title;
}

// The left column: what the user types, and the option frames below it.
QLayout* EntriesColumn(QWidget* w, MainWindow& m) {
    auto* in = new QGridLayout;
    in->setVerticalSpacing(4);
    int r = 0;
    in->addWidget(Text(w, m.lblFreq), r, 0);
    in->addWidget(Entry(w, m.txtFreq, 8), r, 1);
    in->addWidget(Text(w, m.lblMHz), r++, 2);
    in->addWidget(Text(w, m.lblLength), r, 0);
    in->addWidget(Entry(w, m.txtLength, 8), r, 1);
    in->addWidget(Switching(w, m.lblUnit, {"Feet", "Meters"}), r++, 2);
    QLabel* note = Text(w, m.lblNoteLength);
    note->setWordWrap(true);
    in->addWidget(note, r++, 0, 1, 3);
    in->addWidget(Text(w, m.lblLambda), r, 0);
    in->addWidget(Result(w, m.txtWavelen, 7), r++, 1);
    in->addWidget(Text(w, m.lblResistance), r, 0);
    in->addWidget(Entry(w, m.txtResistance, 8), r, 1);
    in->addWidget(Text(w, m.lblResOhms), r++, 2);
    in->addWidget(Text(w, m.lblReactance), r, 0);
    in->addWidget(Entry(w, m.txtReactance, 8), r, 1);
    in->addWidget(Text(w, m.lblReacOhms), r++, 2);

    auto* frames = new QGridLayout;
    QGroupBox* units = Frame(w, m.fraFeetMeters, {&m.optFeet, &m.optMeters});
    units->setFont(QFont("MS Sans Serif", 8));
    frames->addWidget(units, 0, 0);
    frames->addWidget(Frame(w, m.frameZInput, {&m.optLoad, &m.optInput}), 0, 1);
    frames->addWidget(Frame(w, m.Frame2, {&m.optNormal, &m.optNoiseBridge, &m.optAutek}), 1, 0);
    frames->addWidget(Frame(w, m.fraGraph, {&m.optVoltCurr, &m.optResisReac}), 1, 1);
    in->addLayout(frames, r++, 0, 1, 3);
    in->setRowStretch(r, 1);
    return in;
}

// The right column: the line's results, each with its caption and unit.
QLayout* ResultsColumn(QWidget* w, MainWindow& m) {
    auto* out = new QGridLayout;
    out->setVerticalSpacing(4);
    int r = 0;
    auto row = [&](form::Label& label, form::ResultField& field, int chars, form::Label* unit) {
        QLabel* caption = &label == &m.lblRho ? Switching(w, label, {"Rho at Load: ", "Rho at Input: "})
                                              : Text(w, label);
        out->addWidget(caption, r, 0, Qt::AlignRight);
        out->addWidget(Result(w, field, chars), r, 1);
        if (unit == &m.lbldBPer)
            out->addWidget(Switching(w, *unit, {"dB/100 Feet", "dB/100 Meters"}), r, 2);
        else if (unit)
            out->addWidget(Text(w, *unit), r, 2);
        ++r;
    };
    row(m.lblZ0, m.txtZ0, 12, &m.lblOhms);
    row(m.lblMLLoss, m.txtMLPer, 7, &m.lbldBPer);
    row(m.lblVF, m.txtVF, 7, nullptr);
    row(m.lblRMSVolts, m.txtVoltage, 7, &m.lblV);
    row(m.lblMLTotal, m.txtMLTot, 7, &m.lbldB);
    row(m.lblLoadSWR, m.txtLoadSWR, 9, nullptr);
    row(m.lblRho, m.txtRho, 9, nullptr);
    row(m.lblInputSWR, m.txtInputSWR, 9, nullptr);
    row(m.lblAddLoss, m.txtAddLoss, 7, &m.lblLossdB);
    row(m.lblTotalLoss, m.txtTotalLoss, 7, &m.lblTotaldB);
    out->setRowStretch(r, 1);
    return out;
}

QLayout* CableRow(QWidget* w, MainWindow& m) {
    auto* cable = new QHBoxLayout;
    cable->addWidget(Text(w, m.lblCable));
    auto* list = MakeNamed<QComboBox>(w, m.cboPickCable.name());
    list->setMinimumContentsLength(34);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Bind(list, m.cboPickCable);
    cable->addWidget(list);
    cable->addWidget(Text(w, m.LblWarning));
    cable->addStretch();
    return cable;
}

// The impedance at the other end, rectangular and polar.
QLayout* ImpedanceRow(QWidget* w, MainWindow& m) {
    auto* z = new QHBoxLayout;
    z->addWidget(Switching(w, m.lblInputZ, {"Impedance at Input:", "Impedance at Load: "}));
    z->addWidget(Result(w, m.txtImpedIn, 16));
    z->addWidget(Text(w, m.lblImpedOhms));
    z->addWidget(Result(w, m.txtPolarZ, 8));
    z->addWidget(Text(w, m.lblOhmsAt));
    z->addWidget(Result(w, m.txtPolarDegree, 6));
    z->addWidget(Text(w, m.Label1));
    z->addStretch();
    return z;
}

}  // namespace

MainWindowView::MainWindowView(MainWindow& m, QWidget* parent) : QWidget(parent), model_(m) {
    setObjectName("frmQLX2");
    setFont(QFont("Arial", 9));
    setAutoFillBackground(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 8, 10, 8);
    root->setSpacing(6);
    root->addLayout(TitleRow(this, m));
    auto* columns = new QHBoxLayout;
    columns->setSpacing(10);
    columns->addLayout(EntriesColumn(this, m));
    columns->addLayout(ResultsColumn(this, m));
    root->addLayout(columns);
    root->addLayout(CableRow(this, m));
    root->addLayout(ImpedanceRow(this, m));
    root->addWidget(Text(this, m.lblRating));

    auto* buttons = new QHBoxLayout;
    for (form::Button* b : {&m.cmdGraph, &m.cmdSweep, &m.cmdTuner, &m.cmdPrint, &m.cmdHelp, &m.cmdQuit}) {
        buttons->addWidget(MakeBound<QPushButton>(this, *b));
    }
    root->addLayout(buttons);

    BindWindow(this, m.window, false);
    AddExport(this, "QLX");
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // Only the user's own close (the title bar) saves; a close made by the program does not.
    model_.CloseRequest(event->spontaneous());
    event->accept();
}

}  // namespace qlx::ui
