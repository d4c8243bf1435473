// The main window's controls an instrument dialog reads and writes: the frequency it converts
// at, and the impedance at the line input it hands over.
#pragma once

#include "core/format.h"
#include "form/form.h"

namespace qlx {

struct LineInputFields {
    form::TextField& freq;
    form::TextField& resistance;
    form::TextField& reactance;
    form::Option& at_input;
    form::Option& at_load;
    form::Option& normal;
    form::Option& source;  // the dialog's own source option on the main window
    char mark;             // the user's decimal mark

    // An instrument's impedance handed to the main window: R and X to two decimals, given at the
    // line input, and the dialog's own source chosen.
    void HandOver(double r, double x) {
        resistance.SetText(Format(r, "###0.00", mark));
        reactance.SetText(Format(x, "###0.00", mark));
        at_input.Select();
        source.Select();
    }
};

}  // namespace qlx
