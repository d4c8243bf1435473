#include "mainwin/user_line_dialog.h"

#include <cmath>
#include <limits>

namespace qlx {

std::optional<std::string> UserLineProblem(const UserLineRecord& r) {
    const auto finite = [](double v) {
        return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
    };
    const std::pair<double, const char*> values[] = {
        {r.r0, "R0"}, {r.x0, "X0"}, {r.atten100, "the attenuation"}, {r.vel_factor, "the velocity factor"},
        {r.vmax, "the maximum voltage"}};
    for (const auto& [v, name] : values)
        if (!finite(v)) return std::string("Enter a number for ") + name + ".";
    if (!(r.r0 > 0.0)) return std::string("Enter R0 above 0 ohms.");
    if (!(r.vel_factor > 0.0 && r.vel_factor <= 1.0)) return std::string("Enter a velocity factor above 0 and at most 1.");
    // A loss below 0 would make the line gain power; a negative rating rates nothing.
    if (r.atten100 < 0.0) return std::string("Enter an attenuation of 0 dB or more.");
    if (r.vmax < 0.0) return std::string("Enter a maximum voltage of 0 V or more.");
    return std::nullopt;
}

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
    // Entries look like entries, white as on the main window.
    for (form::TextField* t : {&txtR0, &txtX0, &txtVF, &txtAtten100, &txtVMax}) t->SetBack(form::kWhite);
    cmdCompute.SetCaption("Compute X0");
    cmdOK.SetCaption("&OK");
    cmdFit.SetCaption("&Fit…");
    cmdFit.SetToolTip("A cable of your own from its maker's loss table, kept in the cable list");
    cmdMeasure.SetCaption("&Measure…");
    cmdMeasure.SetToolTip("A cable of your own from a sample measured open and shorted, kept in the cable list");
}

}  // namespace qlx
