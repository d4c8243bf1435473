// The user-defined line dialog's controls. The opener that fills them is the main window's
// ShowUserDefinedLine; the solution reads R0, X0, the velocity factor and the maximum voltage
// from these fields while list position 32 is selected.
#pragma once

#include "form/form.h"

namespace qlx {

struct UserLineDialog {
    UserLineDialog();

    form::Window window{"frmOtrCable", "User-Defined Transmission Line"};
    form::TextField txtR0{"txtR0"};
    form::TextField txtX0{"txtX0"};
    form::TextField txtVF{"txtVF"};
    form::TextField txtAtten100{"txtAtten100"};
    form::TextField txtVMax{"txtVMax"};
    form::TextField txtOldFreq{"txtOldFreq"};
    form::TextField txtNewFreq{"txtNewFreq"};
    form::Label lblR0{"lblR0"};
    form::Label lblX0{"lblX0"};
    form::Label lblVelFactor{"lblVelFactor"};
    form::Label lblAtten100{"lblAtten100"};
    form::Label lblVMax{"lblVMax"};
    form::Label lblOldFreq{"lblOldFreq"};
    form::Label lblNewFreq{"lblNewFreq"};
    form::Label lblSuggestX0{"lblSuggestX0"};
    form::Label lblSX0{"lblSX0"};
    form::Label lblWarning{"lblWarning"};
    form::Button cmdCompute{"cmdCompute"};
    form::Button cmdOK{"cmdOK"};
};

}  // namespace qlx
