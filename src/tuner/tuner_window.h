// frmTuner, the tuner set-up window: the network choice and the settings a design run and the
// graphs read (the transmitter power among them), and the design run behind "&Draw Tuner", which
// writes its results on the two result pages this window owns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/displayed_line.h"
#include "form/form.h"
#include "sweep/sweep.h"
#include "tuner/band.h"
#include "tuner/compare_window.h"
#include "tuner/networks.h"
#include "tuner/tuner_page.h"
#include "tuner/tuner_texts.h"

namespace qlx {

// What a design is asked for beyond the window's fields.
struct TunerDesignRequest {
    // The high-pass L's topology when it is not the load's to choose: true, the coil across
    // the line input; false, across the transmitter side (a comparison's row draws its own).
    std::optional<bool> coil_across_line;
    // A band other than the design frequency +-10 % (qlx-cli's --band-*).
    std::optional<tuner::BandRange> band;
    // An antenna measured by an analyser (the sweep window's file, qlx-cli's --touchstone).
    std::optional<tuner::MeasuredAntenna> antenna;
    // The Pi's and the Tee's free capacitor looked for in a range, whatever the field holds
    // (a tuner the user owns, in a station plan).
    std::optional<tuner::CapacitorSearch> capacitor;
    // Without the band run (a scan that reads only the designs' losses).
    bool band_run = true;
};

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
    form::Button cmdCompare{window, "cmdCompare"};
    form::Button cmdPlan{window, "cmdPlan"};
    form::Button cmdBack{window, "cmdBack"};

    // The result pages: the L and Pi networks' and the Tee network's.
    tuner::TunerPage frmTuner1;
    tuner::TunerPage frmTuner2;
    // Every network side by side.
    tuner::CompareWindow frmCompare;

    // The Tee option's place in the tab order, which the main window sets when it opens us.
    int tee_tab_index = 3;

    // The line beyond the shown texts: as the sweep solves it (for the band run), and its highest
    // RMS voltage at the transmitter power against its rating.
    struct LineContext {
        sweep::SweepLine line;
        double max_v_rms = 0.0;
        double vmax = 0.0;
    };
    using DesignRequest = TunerDesignRequest;
    // "&Draw Tuner" and "Co&mpare Networks" ask their owner, which holds the line, to design:
    // the main window answers with DrawTuner or ShowComparison for its line.
    std::function<void(const DesignRequest&)> on_draw;
    std::function<void(const DesignRequest&)> on_compare;
    // "&Plan Bands...": the owner opens the station plan for its line and these settings.
    std::function<void()> on_plan;

    // Designs the chosen network for the line.
    void DrawTuner(const DisplayedLine& line, const LineContext& context, const DesignRequest& request = {});
    // One network of a comparison: its design or failure, and its band run.
    struct Compared {
        tuner::Network network = tuner::Network::LowPassL;
        std::optional<bool> coil_across_line;  // the high-pass L's topology
        tuner::DesignResult result;
        std::optional<tuner::BandRun> band;
    };
    // Every network designed for the line with the window's settings (the high-pass L in each
    // topology that applies), the lowest loss first and the failures last. No page changes.
    std::vector<Compared> Compare(const DisplayedLine& line, const LineContext& context,
                                  const DesignRequest& request = {});
    // The comparison written into frmCompare and shown.
    void ShowComparison(const DisplayedLine& line, const LineContext& context, const DesignRequest& request = {});
    // A row's button: selects the row's network and asks for its design in the row's topology
    // (with the rest of the request the comparison was made for), so the page is exactly the one
    // that network draws alone.
    void DrawCompared(const Compared& c, DesignRequest request);
    // A row of a comparison made elsewhere (a station plan's cell) drawn for the line it was
    // designed for: the row's network selected and designed in the row's topology.
    void DrawComparedFor(const Compared& c, const DisplayedLine& line, const LineContext& context, DesignRequest request);
    const std::vector<Compared>& comparison() const { return comparison_; }
    // Whether the line input is already within SWR 1.02 of the tuner resistance, and the text
    // that says so (empty otherwise).
    std::string NoTunerNeededText(const DisplayedLine& line);
    // A row of the comparison as frmCompare and qlx-cli show it.
    static std::string ComparedText(const Compared& c, char mark);
    static std::string ComparedName(const Compared& c);

    // The band run of the last design (nothing after a failure).
    const std::optional<tuner::BandRun>& last_band() const { return last_band_; }
    // What the last run designed (or why it failed); nothing when no network was chosen.
    const std::optional<tuner::DesignResult>& last_result() const { return last_result_; }
    const std::string& message_title() const { return title_; }

private:
    void ShowCapacitorRow(bool pi);
    void SelectNetwork(tuner::Network n);
    // The settings as the fields hold them, with the Q checks (and their messages).
    tuner::TunerSettings ReadSettings(bool with_messages);
    tuner::DesignResult DesignFor(tuner::Network n, const tuner::TunerLoad& load, const tuner::TunerSettings& s,
                                  const DesignRequest& request, std::optional<bool> topology) const;
    tuner::BandRun BandOf(const tuner::NetworkDesign& d, const tuner::LineReading& reading, const LineContext& context,
                          const DesignRequest& request) const;
    std::optional<tuner::Network> ChosenNetwork() const;
    void WritePage(tuner::TunerPage& page, const tuner::NetworkDesign& d, const std::string& input_text,
                   const std::string& stray_text, double power, double line_loss_db, double phase, char mark);
    form::Host& host_;
    std::string title_;
    std::optional<tuner::DesignResult> last_result_;
    std::optional<tuner::BandRun> last_band_;
    std::vector<Compared> comparison_;
    DesignRequest compared_for_;  // the request the comparison shown was made for
    form::OptionGroup networks_{form::OptionGroup::Start::NoneSelected};
};

// The settings a design reads from the window, as a plan copies them from it.
inline constexpr form::TextField TunerWindow::* kTunerSettingFields[] = {
    &TunerWindow::txtPhase, &TunerWindow::txtStrayC, &TunerWindow::txtTunerR, &TunerWindow::txtTxPwr,
    &TunerWindow::txtCapQ,  &TunerWindow::txtCoilQ,  &TunerWindow::txtPiCap,  &TunerWindow::txtTeeCap};

}  // namespace qlx
