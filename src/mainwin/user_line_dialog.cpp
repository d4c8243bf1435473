#include "mainwin/user_line_dialog.h"

namespace qlx {

UserLineDialog::UserLineDialog() {
    const char* from_file = "This value is from TL.DEF. Override if you like.";
    lblR0.SetCaption("Enter R0, resistive part of characteristic Z0: ");
    txtR0.SetToolTip(from_file);
    lblX0.SetCaption("Enter X0, reactive part of characteristic Z0:");
    txtX0.SetText("0.0");
    txtX0.SetToolTip(
        "This value is what is stored in TL.DEF. See suggested value computed for X0 below.");
    lblVelFactor.SetCaption("Enter Velocity Factor:");
    txtVF.SetToolTip(from_file);
    lblAtten100.SetCaption("Enter ");
    txtAtten100.SetToolTip(
        "This value is derived from TL.DEF and the frequency chosen. Override if you like.");
    lblVMax.SetCaption("Enter Maximum Voltage: ");
    txtVMax.SetToolTip(from_file);
    lblOldFreq.SetCaption("Original Frequency, MHz, from TL.DEF:");
    lblNewFreq.SetCaption("New Frequency, MHz:");
    lblSuggestX0.SetCaption("Suggested value for X0:");
    lblSX0.SetCaption("0.0");
    lblWarning.SetVisible(false);
    cmdCompute.SetCaption("Compute X0");
    cmdOK.SetCaption("&OK");
}

}  // namespace qlx
