// The main window's controls an instrument dialog reads and writes: the frequency it converts
// at, and the impedance at the line input it hands over.
#pragma once

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
};

}  // namespace qlx
