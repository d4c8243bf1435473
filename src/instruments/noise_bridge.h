// frmNB: readings of a parallel-form noise bridge (shunt R and C, an optional series extender)
// turned into the series impedance at the line input.
#pragma once

#include "form/form.h"
#include "instruments/line_input.h"

namespace qlx {

class NoiseBridgeDialog {
public:
    NoiseBridgeDialog(form::Host& host, LineInputFields main);
    NoiseBridgeDialog(const NoiseBridgeDialog&) = delete;
    NoiseBridgeDialog& operator=(const NoiseBridgeDialog&) = delete;

    // Computes RaNB, XaNB and the result text from the readings.
    void CompNB();

    float RaNB = 0.0f;  // series resistance, ohms
    float XaNB = 0.0f;  // series reactance, ohms

    form::Window window{"frmNB", "Input from Parallel-Form Noise Bridge ", form::Window::Kind::Dialog};
    form::Label lblResist{window, "lblResist"};
    form::TextField txtResist{window, "txtResist"};
    form::Label Label1{window, "Label1"};
    form::TextField txtReact{window, "txtReact"};
    form::Label lblExtender{window, "lblExtender"};
    form::TextField txtExtender{window, "txtExtender"};
    form::Label lblCompZ{window, "lblCompZ"};
    form::ResultField txtCompZ{window, "txtCompZ"};
    form::Button cmdOK{window, "cmdOK"};
    form::Button cmdCancel{window, "cmdCancel"};

private:
    void Ok();
    void Cancel();
    form::Host& host_;
    LineInputFields main_;
};

}  // namespace qlx
