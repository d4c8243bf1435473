// frmTuner, the tuner set-up window: the network choice and the settings a design run and the
// graphs read (the transmitter power among them), and the design run behind "&Draw Tuner", which
// writes its results on the two result pages this window owns.
#pragma once

#include <optional>
#include <string>

#include "core/displayed_line.h"
#include "form/form.h"
#include "tuner/networks.h"
#include "tuner/tuner_page.h"

namespace qlx {

class TunerWindow {
public:
    explicit TunerWindow(form::Host& host);
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

    // The result pages: the L and Pi networks' and the Tee network's.
    tuner::TunerPage frmTuner1;
    tuner::TunerPage frmTuner2;

    // The Tee option's place in the tab order, which the main window sets when it opens us.
    int tee_tab_index = 3;

    // "&Draw Tuner": designs the chosen network for the line the main window shows. The main
    // window wires the button, since the line is its own.
    void DrawTuner(const DisplayedLine& line);
    // What the last run designed (or why it failed); nothing when no network was chosen.
    const std::optional<tuner::DesignResult>& last_result() const { return last_result_; }
    const std::string& message_title() const { return title_; }

private:
    void ShowCapacitorRow(bool pi);
    std::optional<tuner::Network> ChosenNetwork() const;
    void WritePage(tuner::TunerPage& page, const tuner::NetworkDesign& d, const std::string& input_text,
                   const std::string& stray_text, double power, double line_loss_db, double phase, char mark);
    form::Host& host_;
    std::string title_;
    std::optional<tuner::DesignResult> last_result_;
    form::OptionGroup networks_{form::OptionGroup::Start::NoneSelected};
};

}  // namespace qlx
