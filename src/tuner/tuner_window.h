// frmTuner, the tuner set-up window: the network choice and the settings a design run and the
// graphs read (the transmitter power among them).
#pragma once

#include "form/form.h"

namespace qlx {

class TunerWindow {
public:
    TunerWindow();
    TunerWindow(const TunerWindow&) = delete;
    TunerWindow& operator=(const TunerWindow&) = delete;

    form::Window window{"frmTuner", "Tuner Selection, QLX"};
    form::Label frmTunerType{window, "frmTunerType"};
    form::Option optLNet1{window, "optLNet1"};
    form::Option optLNet2{window, "optLNet2"};
    form::Option optPiNet{window, "optPiNet"};
    form::Option optTeeNet{window, "optTeeNet"};
    form::Label frmDefaults{window, "frmDefaults"};
    form::Label lblPhase{window, "lblPhase"};
    form::TextField txtPhase{window, "txtPhase"};
    form::Label lblStrayC{window, "lblStrayC"};
    form::TextField txtStrayC{window, "txtStrayC"};
    form::Label lblTunerR{window, "lblTunerR"};
    form::TextField txtTunerR{window, "txtTunerR"};
    form::Label lblTxPwr{window, "lblTxPwr"};
    form::TextField txtTxPwr{window, "txtTxPwr"};
    form::Label lblQCap{window, "lblQCap"};
    form::TextField txtCapQ{window, "txtCapQ"};
    form::Label lblQCoil{window, "lblQCoil"};
    form::TextField txtCoilQ{window, "txtCoilQ"};
    form::Label frmCaps{window, "frmCaps"};
    form::Label lblPiCap{window, "lblPiCap"};
    form::TextField txtPiCap{window, "txtPiCap"};
    form::Label lblTeeCap{window, "lblTeeCap"};
    form::TextField txtTeeCap{window, "txtTeeCap"};
    form::Button cmdDrawTuner{window, "cmdDrawTuner"};
    form::Button cmdBack{window, "cmdBack"};

    // The Tee option's place in the tab order, which the main window sets when it opens us.
    int tee_tab_index = 3;

private:
    void ShowCapacitorRow(bool pi);
    form::OptionGroup networks_{form::OptionGroup::Start::NoneSelected};
};

}  // namespace qlx
