#include "instruments/analyser.h"
#include "core/entry_rules.h"

#include <cmath>

#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

namespace {
constexpr double kZRef = kReferenceOhms;  // the analyser's reference resistance

// The least SWR any impedance of magnitude z can show against 50 ohms (a pure resistance).
double MinimumSwrFor(double z) { return z >= kZRef ? z / kZRef : kZRef / z; }
}  // namespace

AnalyserDialog::AnalyserDialog(form::Host& host, LineInputFields main) : host_(host), main_(main) {
    lblAutekZ.SetCaption("Enter magnitude Z (ohms) from Autek:");
    txtAutekZ.SetToolTip("Specify the magnitude of impedance from Autek");
    lblAutekSWR.SetCaption("Enter SWR from Autek:");
    txtAutekSWR.SetToolTip("Specify SWR from Autek");
    lblMinSWR.SetCaption("Minimum SWR for Z chosen:");
    lblSign.SetCaption("Choose sign of reactance: ");
    OptPositive.SetCaption("Positive");
    optNegative.SetCaption("Negative");
    sign_.Add(OptPositive);  // Positive starts selected
    sign_.Add(optNegative);
    lblCalcZ.SetCaption("Calculated Impedance:");
    cmdOK.SetCaption("&OK");
    cmdCancel.SetCaption("&Cancel");

    // A new |Z| gives a new minimum and a new impedance from the SWR shown (or none): a result
    // calculated for the old |Z| never stays on screen to be handed over.
    txtAutekZ.on_change = [this] {
        MinimumSwr();
        Impedance();
    };
    // The zero message waits until the entry is left, so that typing "0.5" loses no keystroke to
    // a message box at "0" or "0.".
    txtAutekZ.on_lost_focus = [this] {
        if (!txtAutekZ.text().empty() && ParseNumber(txtAutekZ.text()) == 0.0)
            host_.ShowMessage("Please enter a real value for the magnitude of the impedance!", form::kAppTitle,
                              form::Buttons::Ok);
    };
    txtAutekSWR.on_change = [this] { Impedance(); };
    optNegative.on_click = [this] {
        if (AutekX > 0.0f) AutekX = -AutekX;
    };
    OptPositive.on_click = [this] {
        if (AutekX < 0.0f) AutekX = -AutekX;
    };
    // Entries look like entries, white as on the main window.
    for (form::TextField* t : {&txtAutekZ, &txtAutekSWR}) t->SetBack(form::kWhite);
    cmdOK.on_click = [this] { Ok(); };
    cmdCancel.on_click = [this] { Cancel(); };
}

void AnalyserDialog::MinimumSwr() {
    const double z = ParseNumber(txtAutekZ.text());
    if (!(z > 0.0)) {  // no magnitude (yet): no minimum
        txtMinSWR.SetText("");
        return;
    }
    txtMinSWR.SetText(Format(MinimumSwrFor(z), "#0.0", main_.mark));
}

void AnalyserDialog::Impedance() {
    const double s = ParseNumber(txtAutekSWR.text());
    const double z = ParseNumber(txtAutekZ.text());
    // No |Z| yet, a magnitude below 0 (no impedance has one), or an SWR of -1: nothing to
    // calculate from.
    if (z <= 0.0 || s == -1.0) {
        calculated_ = false;
        txtCalcZ.SetText("");
        return;
    }
    const double rho2 = ((s - 1.0) / (s + 1.0)) * ((s - 1.0) / (s + 1.0));
    if (MinimumSwrFor(z) >= s) {  // no impedance of this magnitude shows so low an SWR
        calculated_ = false;
        txtCalcZ.SetText("");
        return;
    }
    // rho^2 = (|Z|^2 - 100 R + 2500) / (|Z|^2 + 100 R + 2500), solved for R.
    AutekR = (z * z + 2500.0) * (1.0 - rho2) / (100.0 * (1.0 + rho2));
    const double x = std::sqrt(std::fmax(z * z - AutekR * AutekR, 0.0));
    AutekX = static_cast<float>(optNegative.selected() ? -x : x);
    calculated_ = true;
    txtCalcZ.SetText(Format(AutekR, "###0.0", main_.mark) + " +/- j " + Format(x, "###0.0", main_.mark));
}

void AnalyserDialog::Ok() {
    // Without an impedance calculated from the readings shown there is nothing to hand over:
    // OK then only closes, and the main window keeps what it had.
    if (calculated_) main_.HandOver(AutekR, AutekX);
    window.SetVisible(false);
}

void AnalyserDialog::Cancel() {
    // Cancel hands nothing over: the end the impedance was typed at stays as it was, since
    // choosing another would read the user's impedance at the other end of the line.
    window.SetVisible(false);
    main_.normal.Select();
}

}  // namespace qlx
