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

    form::Window window{"frmNB", "Input from Parallel-Form Noise Bridge "};
    form::Label lblResist{"lblResist"};
    form::TextField txtResist{"txtResist"};
    form::Label Label1{"Label1"};
    form::TextField txtReact{"txtReact"};
    form::Label lblExtender{"lblExtender"};
    form::TextField txtExtender{"txtExtender"};
    form::Label lblCompZ{"lblCompZ"};
    form::TextField txtCompZ{"txtCompZ"};
    form::Button cmdOK{"cmdOK"};
    form::Button cmdCancel{"cmdCancel"};

private:
    void Ok();
    void Cancel();
    form::Host& host_;
    LineInputFields main_;
};

}  // namespace qlx
