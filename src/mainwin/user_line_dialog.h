// The user-defined line dialog's controls. The opener that fills them is the main window's
// ShowUserDefinedLine; the solution reads R0, X0, the velocity factor and the maximum voltage
// from these fields while list position 32 is selected.
#pragma once

#include <optional>
#include <string>

#include "form/form.h"

namespace qlx {

// Why a record cannot describe a line, or nothing when it can: every value a finite number (in
// single precision, as the record keeps them), R0 above 0, the velocity factor above 0 and at
// most 1. The text names the value, for the dialog's message and qlx-cli's.
struct UserLineRecord {
    double r0, x0, atten100, vel_factor, vmax;
};
std::optional<std::string> UserLineProblem(const UserLineRecord& r);
inline constexpr const char* kUserLineTitle = "User-Defined Transmission Line";

struct UserLineDialog {
    UserLineDialog();

    form::Window window{"frmOtrCable", kUserLineTitle, form::Window::Kind::Dialog};
    form::TextField txtR0{window, "txtR0"};
    form::TextField txtX0{window, "txtX0"};
    form::TextField txtVF{window, "txtVF"};
    form::TextField txtAtten100{window, "txtAtten100"};
    form::TextField txtVMax{window, "txtVMax"};
    form::ResultField txtOldFreq{window, "txtOldFreq"};
    form::ResultField txtNewFreq{window, "txtNewFreq"};
    form::Label lblR0{window, "lblR0"};
    form::Label lblX0{window, "lblX0"};
    form::Label lblVelFactor{window, "lblVelFactor"};
    form::Label lblAtten100{window, "lblAtten100"};
    form::Label lblVMax{window, "lblVMax"};
    form::Label lblOldFreq{window, "lblOldFreq"};
    form::Label lblNewFreq{window, "lblNewFreq"};
    form::Label lblSuggestX0{window, "lblSuggestX0"};
    form::Label lblSX0{window, "lblSX0"};
    form::Label lblWarning{window, "lblWarning"};
    form::Button cmdCompute{window, "cmdCompute"};
    form::Button cmdOK{window, "cmdOK"};
    // A cable of one's own, from a maker's table or a measurement (the window that keeps it).
    form::Button cmdFit{window, "cmdFit"};
    form::Button cmdMeasure{window, "cmdMeasure"};
};

}  // namespace qlx
