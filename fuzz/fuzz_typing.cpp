// Random typing on the main window, its dialogs, the tuner and the sweep window: the input is a
// sequence of two-byte operations (what, which). A modal dialog takes the operations that follow
// until one of them presses its OK or Cancel. Invariant: after every operation no result field,
// graph text or tuner page shows nan or inf, and every swept point is finite and inside its band.
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "invariants.h"
#include "mainwin/main_window.h"
#include "support/scripted_host.h"

namespace {

using qlx::form::Button;
using qlx::form::TextField;

constexpr std::string_view kKeys = "0123456789.,-+eEwW \n";

struct Ops {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool Next(std::uint8_t& what, std::uint8_t& which) {
        if (at + 2 > size) return false;
        what = data[at];
        which = data[at + 1];
        at += 2;
        return true;
    }
};

// Types, clears or presses on one dialog until OK or Cancel (or 32 operations).
void Dialog(Ops& ops, const std::vector<TextField*>& fields, const std::vector<Button*>& buttons, Button& ok,
            Button& cancel) {
    std::uint8_t what = 0, which = 0;
    for (int n = 0; n < 32 && ops.Next(what, which); ++n) {
        TextField& f = *fields[which % fields.size()];
        switch (what % 5) {
            case 0: f.SetText(f.text() + kKeys[which / 8 % kKeys.size()]); break;
            case 1: f.SetText(""); break;
            case 2: buttons[which % buttons.size()]->Click(); break;
            case 3: ok.Click(); return;
            case 4: cancel.Click(); return;
        }
    }
    cancel.Click();
}

void CheckTexts(qlx::MainWindow& w) {
    for (const TextField* t : {&w.txtMLPer, &w.txtZ0, &w.txtVF, &w.txtMLTot, &w.txtWavelen, &w.txtLoadSWR,
                               &w.txtInputSWR, &w.txtRho, &w.txtAddLoss, &w.txtTotalLoss, &w.txtImpedIn,
                               &w.txtPolarZ, &w.txtPolarDegree, &w.frmVolt.txtMaxV, &w.frmVolt.txtMaxI,
                               &w.frmNB.txtCompZ, &w.frmAutek.txtCalcZ, &w.frmAutek.txtMinSWR})
        qlx::fuzz::RequireNumberText(t->text(), t->name().c_str());
    for (qlx::tuner::TunerPage* p : {&w.frmTuner.frmTuner1, &w.frmTuner.frmTuner2})
        for (const qlx::form::Control* c : p->window.controls())
            if (const auto* t = dynamic_cast<const TextField*>(c)) qlx::fuzz::RequireNumberText(t->text(), "a tuner page");
    for (const qlx::sweep::SweepPoint& p : w.frmSweep.points())
        qlx::fuzz::Require(std::isfinite(p.r_other) && std::isfinite(p.x_other) && std::isfinite(p.total_loss_db) &&
                               p.f_mhz >= 0.0199 && p.f_mhz <= 5000.001,
                           "a swept point");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qlx::testing::ScriptedHost host;
    qlx::MemoryDefaultsStore store;
    qlx::MainWindow w(host, store);
    Ops ops{data, size};
    host.on_modal["frmNB"] = [&](qlx::form::Window&) {
        Dialog(ops, {&w.frmNB.txtResist, &w.frmNB.txtReact, &w.frmNB.txtExtender}, {&w.frmNB.cmdOK},
               w.frmNB.cmdOK, w.frmNB.cmdCancel);
    };
    host.on_modal["frmAutek"] = [&](qlx::form::Window&) {
        Dialog(ops, {&w.frmAutek.txtAutekZ, &w.frmAutek.txtAutekSWR}, {&w.frmAutek.cmdOK}, w.frmAutek.cmdOK,
               w.frmAutek.cmdCancel);
    };
    host.on_modal["frmOtrCable"] = [&](qlx::form::Window&) {
        auto& d = w.frmOtrCable;
        Dialog(ops, {&d.txtR0, &d.txtX0, &d.txtVF, &d.txtAtten100, &d.txtVMax}, {&d.cmdCompute}, d.cmdOK, d.cmdOK);
    };
    w.Load();

    TextField* entries[] = {&w.txtFreq, &w.txtLength, &w.txtResistance, &w.txtReactance};
    TextField* settings[] = {&w.frmTuner.txtTunerR, &w.frmTuner.txtTxPwr, &w.frmTuner.txtCapQ,
                             &w.frmTuner.txtCoilQ,  &w.frmTuner.txtStrayC, &w.frmTuner.txtPhase,
                             &w.frmTuner.txtPiCap,  &w.frmTuner.txtTeeCap, &w.frmSweep.txtFrom,
                             &w.frmSweep.txtTo,     &w.frmSweep.txtPoints};
    qlx::form::Option* options[] = {&w.optFeet, &w.optMeters, &w.optLoad, &w.optInput, &w.optNoiseBridge,
                                    &w.optAutek, &w.optVoltCurr, &w.optResisReac, &w.frmTuner.optLNet1,
                                    &w.frmTuner.optLNet2, &w.frmTuner.optPiNet, &w.frmTuner.optTeeNet,
                                    &w.frmSweep.optLog, &w.frmSweep.optLinear, &w.frmSweep.optAtLoad,
                                    &w.frmSweep.optAtInput, &w.frmSweep.optRefZ0};
    Button* buttons[] = {&w.cmdGraph, &w.cmdTuner, &w.cmdPrint, &w.cmdHelp, &w.frmTuner.cmdDrawTuner,
                         &w.frmTuner.frmTuner1.cmdBack, &w.frmTuner.frmTuner2.cmdContinue, &w.cmdSweep,
                         &w.frmSweep.cmdSweep, &w.frmSweep.cmdClose};
    TextField* focus = entries[0];
    std::uint8_t what = 0, which = 0;
    while (ops.Next(what, which)) {
        switch (what % 8) {
            case 0: focus->SetText(focus->text() + kKeys[which % kKeys.size()]); break;
            case 1: {
                focus->LoseFocus();
                focus = entries[which % 4];
                break;
            }
            case 2: focus->SetText(""); break;
            case 3: w.cboPickCable.Choose(which % 33); break;
            case 4: options[which % std::size(options)]->Select(); break;
            case 5: buttons[which % std::size(buttons)]->Click(); break;
            case 6: {
                TextField& s = *settings[which % std::size(settings)];
                s.SetText(s.text() + kKeys[which / 8 % kKeys.size()]);
                break;
            }
            case 7: settings[which % std::size(settings)]->SetText(""); break;
        }
        CheckTexts(w);
    }
    return 0;
}
