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

    form::Window window{"frmAutek", "Calculation of Impedance from Autek "};
    form::Label lblAutekZ{"lblAutekZ"};
    form::TextField txtAutekZ{"txtAutekZ"};
    form::Label lblAutekSWR{"lblAutekSWR"};
    form::TextField txtAutekSWR{"txtAutekSWR"};
    form::Label lblMinSWR{"lblMinSWR"};
    form::TextField txtMinSWR{"txtMinSWR"};
    form::Label lblSign{"lblSign"};
    form::Label fraSign{"fraSign"};
    form::Option OptPositive{"OptPositive"};
    form::Option optNegative{"optNegative"};
    form::Label lblCalcZ{"lblCalcZ"};
    form::TextField txtCalcZ{"txtCalcZ"};
    form::Button cmdOK{"cmdOK"};
    form::Button cmdCancel{"cmdCancel"};

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
