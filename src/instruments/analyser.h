// frmAutek: an analyser's SWR against 50 ohms and |Z| turned into R and X, the sign of X chosen
// by the user, as the impedance at the line input.
#pragma once

#include "form/form.h"
#include "instruments/line_input.h"

namespace qlx {

class AnalyserDialog {
public:
    AnalyserDialog(form::Host& host, LineInputFields main);
    AnalyserDialog(const AnalyserDialog&) = delete;
    AnalyserDialog& operator=(const AnalyserDialog&) = delete;

    double AutekR = 0.0;  // ohms
    float AutekX = 0.0f;  // ohms, with the chosen sign
    // Whether the readings shown have given an impedance.
    bool calculated() const { return calculated_; }

    form::Window window{"frmAutek", "Calculation of Impedance from Autek ", form::Window::Kind::Dialog};
    form::Label lblAutekZ{window, "lblAutekZ"};
    form::TextField txtAutekZ{window, "txtAutekZ"};
    form::Label lblAutekSWR{window, "lblAutekSWR"};
    form::TextField txtAutekSWR{window, "txtAutekSWR"};
    form::Label lblMinSWR{window, "lblMinSWR"};
    form::ResultField txtMinSWR{window, "txtMinSWR"};
    form::Label lblSign{window, "lblSign"};
    form::Label fraSign{window, "fraSign"};
    form::Option OptPositive{window, "OptPositive"};
    form::Option optNegative{window, "optNegative"};
    form::Label lblCalcZ{window, "lblCalcZ"};
    form::ResultField txtCalcZ{window, "txtCalcZ"};
    form::Button cmdOK{window, "cmdOK"};
    form::Button cmdCancel{window, "cmdCancel"};

private:
    void MinimumSwr();
    void Impedance();
    void Ok();
    void Cancel();
    form::Host& host_;
    LineInputFields main_;
    form::OptionGroup sign_;
    bool calculated_ = false;
};

}  // namespace qlx
