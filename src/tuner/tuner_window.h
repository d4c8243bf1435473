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
    form::Label frmTunerType{"frmTunerType"};
    form::Option optLNet1{"optLNet1"};
    form::Option optLNet2{"optLNet2"};
    form::Option optPiNet{"optPiNet"};
    form::Option optTeeNet{"optTeeNet"};
    form::Label frmDefaults{"frmDefaults"};
    form::Label lblPhase{"lblPhase"};
    form::TextField txtPhase{"txtPhase"};
    form::Label lblStrayC{"lblStrayC"};
    form::TextField txtStrayC{"txtStrayC"};
    form::Label lblTunerR{"lblTunerR"};
    form::TextField txtTunerR{"txtTunerR"};
    form::Label lblTxPwr{"lblTxPwr"};
    form::TextField txtTxPwr{"txtTxPwr"};
    form::Label lblQCap{"lblQCap"};
    form::TextField txtCapQ{"txtCapQ"};
    form::Label lblQCoil{"lblQCoil"};
    form::TextField txtCoilQ{"txtCoilQ"};
    form::Label frmCaps{"frmCaps"};
    form::Label lblPiCap{"lblPiCap"};
    form::TextField txtPiCap{"txtPiCap"};
    form::Label lblTeeCap{"lblTeeCap"};
    form::TextField txtTeeCap{"txtTeeCap"};
    form::Button cmdDrawTuner{"cmdDrawTuner"};
    form::Button cmdBack{"cmdBack"};

    // The Tee option's place in the tab order, which the main window sets when it opens us.
    int tee_tab_index = 3;

private:
    void ShowCapacitorRow(bool pi);
    form::OptionGroup networks_{form::OptionGroup::Start::NoneSelected};
};

}  // namespace qlx
