#include "tuner/tuner_window.h"

#include "core/numbers.h"

namespace qlx {

TunerWindow::TunerWindow() {
    frmTunerType.SetCaption("Tuner Network Type");
    struct OptionText {
        form::Option& option;
        const char* caption;
        const char* tip;
    };
    // In tab order; none is selected until the user picks one.
    for (const OptionText& o : std::initializer_list<OptionText>{
             {optLNet1, "High-Pass L-Network", "High-pass L network"},
             {optLNet2, "Low-Pass L-Network", "Low-pass L network"},
             {optPiNet, "Low-Pass Pi-Network", "Shunt-C/series-L/shunt-C Pi network"},
             {optTeeNet, "High-Pass Tee Network", "Series-C/shunt-L/series-C Tee network"}}) {
        o.option.SetCaption(o.caption);
        o.option.SetToolTip(o.tip);
        networks_.Add(o.option);
    }
    frmDefaults.SetCaption("Default Values");
    struct FieldText {
        form::Label& label;
        const char* caption;
        form::TextField& field;
        const char* text;
        const char* tip;
    };
    for (const FieldText& f : std::initializer_list<FieldText>{
             {lblPhase, "Output voltage phase, deg.:", txtPhase, "0 ", "Desired phase at output of network"},
             {lblStrayC, "Output Stray Capacitance, pF:", txtStrayC, "10", "Estimated stray output shunt capacitance"},
             {lblTunerR, "Tuner's Input Resistance:", txtTunerR, "50",
              "Desired input resistance seen by transmitter at antenna tuner's input"},
             {lblTxPwr, "Transmitter Power, W:", txtTxPwr, "1500", "Up to 5 MW"},
             {lblQCap, "Unloaded Capacitor Q:", txtCapQ, "1000",
              "Unloaded Q of capacitor(s) -- 1000 for typical air variable"},
             {lblQCoil, "Unloaded Inductor Q:", txtCoilQ, "200", "Unloaded Q of inductor"},
             {lblPiCap, "Pi Network Output Capacitor, pF:", txtPiCap, "500",
              "Enter value for output capacitor in Pi network"},
             {lblTeeCap, "Tee Network Series Capacitor, pF:", txtTeeCap, "100",
              "Enter value for output capacitor in Tee network"}}) {
        f.label.SetCaption(f.caption);
        f.field.SetText(f.text);
        f.field.SetToolTip(f.tip);
        f.field.SetBack(form::kWhite);
    }
    // The two capacitor rows share one place; the Pi or Tee choice shows its own.
    for (form::Control* c : std::initializer_list<form::Control*>{&lblPiCap, &txtPiCap, &lblTeeCap, &txtTeeCap})
        c->SetVisible(false);
    cmdDrawTuner.SetCaption("&Draw Tuner");
    cmdDrawTuner.SetToolTip("Draw the tuner schematic");
    cmdBack.SetCaption("&Cancel");
    cmdBack.SetToolTip("Cancel and return to Main Tuner screen");

    optPiNet.on_click = [this] { ShowCapacitorRow(true); };
    optTeeNet.on_click = [this] {
        ShowCapacitorRow(false);
        if (LeadingNumber(txtTeeCap.text()) == 0.0) txtTeeCap.SetText("100");
    };
    // A capacitor the network needs can never be empty or zero.
    txtPiCap.on_change = [this] {
        if (LeadingNumber(txtPiCap.text()) <= 0.0) txtPiCap.SetText("500");
    };
    txtTeeCap.on_change = [this] {
        if (LeadingNumber(txtTeeCap.text()) <= 0.0) txtTeeCap.SetText("100");
    };
    cmdBack.on_click = [this] { window.SetVisible(false); };
}

void TunerWindow::ShowCapacitorRow(bool pi) {
    lblPiCap.SetVisible(pi);
    txtPiCap.SetVisible(pi);
    lblTeeCap.SetVisible(!pi);
    txtTeeCap.SetVisible(!pi);
}

}  // namespace qlx
