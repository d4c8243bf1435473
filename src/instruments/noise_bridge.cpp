#include "instruments/noise_bridge.h"

#include <cmath>

#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

namespace {
constexpr double kTwoPiBridge = 6.2831859588623047;  // 2 pi as the bridge conversion holds it
constexpr double kNoShuntReactance = 100'000'000.0;
}  // namespace

NoiseBridgeDialog::NoiseBridgeDialog(form::Host& host, LineInputFields main) : host_(host), main_(main) {
    lblResist.SetCaption("Enter Shunt R part of impedance, ohms:");
    txtResist.SetToolTip("Enter Shunt Resistance, in ohms from Noise Bridge");
    Label1.SetCaption("Enter Shunt Capacitive part of impedance, pF:");
    txtReact.SetToolTip("Enter\"-pF\" (minus) for inductive reactance");
    lblExtender.SetCaption("Enter Series Extender Resistor, if used, ohms:");
    txtExtender.SetText("0");
    txtExtender.SetToolTip("If you use a series extender resistor, enter its value here");
    lblCompZ.SetCaption("Computed Impedance:");
    cmdOK.SetCaption("&OK");
    cmdCancel.SetCaption("&Cancel");

    txtResist.on_change = [this] { CompNB(); };
    txtExtender.on_change = [this] { CompNB(); };
    // A lone minus sign is the start of an inductive reading, not a reading.
    txtReact.on_change = [this] {
        if (txtReact.text() != "-") CompNB();
    };
    // Entries look like entries, white as on the main window.
    for (form::TextField* t : {&txtResist, &txtReact, &txtExtender}) t->SetBack(form::kWhite);
    cmdOK.on_click = [this] { Ok(); };
    cmdCancel.on_click = [this] { Cancel(); };
}

void NoiseBridgeDialog::CompNB() {
    const double c = ParseNumber(txtReact.text()) * 0.000001;  // pF to uF: MHz x uF needs no factor
    const double f = ParseNumber(main_.freq.text());
    const double rext = ParseNumber(txtExtender.text());
    const double rp = ParseNumber(txtResist.text());
    if (!(f > 0.0)) {  // no frequency to convert at: no result
        txtCompZ.SetText("");
        return;
    }
    const double omega = static_cast<float>(kTwoPiBridge * f);
    const double xp = c != 0.0 ? -1.0 / (omega * c) : kNoShuntReactance;
    // Rp || jXp in series form, less the extender resistor.
    const double q = rp / xp;
    RaNB = static_cast<float>(rp / (q * q + 1.0) - rext);
    XaNB = static_cast<float>(q * q * xp / (q * q + 1.0));
    // Readings beyond what the line can take (a shunt resistance of 1e200 ohms) give no result.
    if (!std::isfinite(RaNB) || !std::isfinite(XaNB) || !ImpedanceAccepted(RaNB) || !ImpedanceAccepted(XaNB)) {
        txtCompZ.SetText("");
        return;
    }
    const char m = main_.mark;
    // A reactance of exactly 0 is written with the minus sign, as the bridge always did.
    const std::string text =
        RectangularText(Format(RaNB, "###0.00", m), !(XaNB > 0.0f), Format(std::fabs(XaNB), "###0.00", m));
    txtCompZ.SetText(rp <= 0.0 ? "" : text);
    if (!(RaNB >= 0.0f))
        host_.ShowMessage("Extender can't be that large! Computed resistance is negative.",
                          "Extender Too Big!", form::Buttons::Ok);
}

void NoiseBridgeDialog::Ok() {
    CompNB();
    // Readings that show no impedance hand nothing over: OK then only closes, as the analyser's.
    if (!txtCompZ.text().empty()) main_.HandOver(RaNB, XaNB);
    window.SetVisible(false);
}

void NoiseBridgeDialog::Cancel() {
    // Cancel hands nothing over: the end the impedance was typed at stays as it was, since
    // choosing another would read the user's impedance at the other end of the line.
    window.SetVisible(false);
    main_.normal.Select();
}

}  // namespace qlx
