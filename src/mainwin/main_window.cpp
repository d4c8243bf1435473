#include "mainwin/main_window.h"

#include "tuner/tuner_texts.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

namespace {


bool Contains(const std::string& text, char a, char b) {
    return text.find(a) != std::string::npos || text.find(b) != std::string::npos;
}

}  // namespace

MainWindow::MainWindow(form::Host& host, DefaultsStore& store, DefaultsStore* cables, DefaultsStore* settings)
    : frmNB(host, {txtFreq, txtResistance, txtReactance, optInput, optLoad, optNormal, optNoiseBridge,
                   host.DecimalMark()}),
      frmAutek(host, {txtFreq, txtResistance, txtReactance, optInput, optLoad, optNormal, optAutek,
                      host.DecimalMark()}),
      frmVolt(host),
      frmTuner(host),
      frmSweep(host),
      frmPlan(host),
      host_(host),
      store_(store),
      cables_store_(cables),
      settings_store_(settings),
      mark_(host.DecimalMark()) {
    if (cables_store_) {
        cables_store_->max_lines = kMaxCablesLines;
        cables_store_->max_line_length = kMaxCableLineLength;
        cables_store_->keep_tabs = true;
    }
    if (settings_store_) settings_store_->max_lines = 1000;  // far more than the keys there are
    txtFreq.SetText(std::string(kFirstFreqText));
    txtLength.SetText(std::string(kFirstLengthText));
    txtResistance.SetText(std::string(kFirstResistanceText));
    txtReactance.SetText(std::string(kFirstReactanceText));
    WireControls();
}

void MainWindow::WireControls() {
    SetTexts();
    WireEvents();
}

void MainWindow::SetTexts() {
    txtFreq.SetToolTip("Double click to highlight, then enter Frequency, up to 4999 MHz");
    txtLength.SetToolTip(
        "Double click to highlight entry. Enter length, up to 9999. Use \"w\" suffix for wavelength.");
    txtResistance.SetToolTip("Double-click to highlight. Enter resistive part of impedance");
    txtReactance.SetToolTip(
        "Double-click to highlight. Use minus sign for capacitive reactance; no sign needed for "
        "inductive reactance");
    cboPickCable.SetToolTip("Choose type of transmission line ");
    txtWavelen.SetToolTip("Length of line, in wavelenghts, taking Velocity Factor into account");
    for (form::Control* c : std::initializer_list<form::Control*>{
             &txtFreq, &txtLength, &txtResistance, &txtReactance, &txtWavelen, &cboPickCable, &Image1})
        c->SetTag("1");
    for (form::TextField* t : {&txtFreq, &txtLength, &txtResistance, &txtReactance})
        t->SetBack(form::kWhite);
    cboPickCable.SetBack(form::kWhite);
    cboPickCable.SetVisible(false);

    struct OptionText {
        form::Option& option;
        const char* caption;
        const char* tip;
    };
    for (const OptionText& o : std::initializer_list<OptionText>{
             {optFeet, "Feet", "Choose feet or meters"},
             {optMeters, "Meters", "Choose meters or feet"},
             {optLoad, "Load", "Specify impedance at the load-end of the line"},
             {optInput, "Input", "Specify impedance at the input of the line"},
             {optNormal, "Normal", "User enters Resistance and Reactance at right, manually"},
             {optNoiseBridge, "Noise Bridge", "Compute impedance at load, measured by Noise Bridge at input"},
             {optAutek, "Autek", "Compute impedance at load, measured by Autek at input"},
             {optVoltCurr, "Volt./Current",
              "Graphs voltage and current along line. Move mouse cursor on curves to see values."},
             {optResisReac, "Resist./Reac.",
              "Graphs resistance and reactance along line. Move mouse cursor on curves to see values."}}) {
        o.option.SetCaption(o.caption);
        o.option.SetToolTip(o.tip);
    }
    units_.Add(optFeet);
    units_.Add(optMeters);
    ends_.Add(optLoad);
    ends_.Add(optInput);
    sources_.Add(optNormal);
    sources_.Add(optNoiseBridge);
    sources_.Add(optAutek);
    graph_kinds_.Add(optVoltCurr);
    graph_kinds_.Add(optResisReac);
    Frame2.SetCaption("Source");

    struct ButtonText {
        form::Button& button;
        const char* caption;
        const char* tip;
    };
    for (const ButtonText& b : std::initializer_list<ButtonText>{
             {cmdGraph, "&Graph",
              "Graph voltage/current or resistance/reactance at input of line. Use Tuner button to "
              "select Tx power."},
             {cmdTuner, "&Tuner", "Go to Tuner page"},
             {cmdSweep, "S&weep",
              "The line across a band: SWR, impedance and loss against frequency and on a Smith chart, "
              "from this window's impedance or a Touchstone file."},
             {cmdPrint, "&Print", "Print this screen"},
             {cmdHelp, "&Help", "Open QLX.PDF."},
             {cmdQuit, "E&xit", "Return to Desktop"}}) {
        b.button.SetCaption(b.caption);
        b.button.SetToolTip(b.tip);
    }

    struct LabelText {
        form::Label& label;
        const char* caption;
    };
    for (const LabelText& l : std::initializer_list<LabelText>{
             {lblUnit, "Feet"}, {lbldBPer, "dB/100 Feet"}, {lblInputZ, "Impedance at Input:"},
             {lblRho, "Rho at Load: "}, {lblFreq, "Frequency: "}, {lblMHz, "MHz"},
             {lblLength, "Length: "}, {lblCable, "Cable Type: "}, {lblResistance, "Resistance: "},
             {lblResOhms, "Ohms"}, {lblReactance, "Reactance: "}, {lblReacOhms, "Ohms"},
             {lblLambda, "Lambda"}, {lblNoteLength, "Use \"w\" suffix for wavelength (for example, 0.25w)"},
             {lblZ0, "Characteristic Z0: "}, {lblOhms, "Ohms"}, {lblMLLoss, "Matched-Line Loss: "},
             {lblVF, "Velocity Factor: "}, {lblRMSVolts, "Max Voltage: "}, {lblV, "V"},
             {lblMLTotal, "Total Matched-Line Loss: "}, {lbldB, "dB"},
             {lblAddLoss, "Additional Loss Due to SWR: "}, {lblLossdB, "dB"},
             {lblTotalLoss, "Total Line Loss: "}, {lblTotaldB, "dB"}, {lblImpedOhms, "Ohms = "},
             {lblOhmsAt, "Ohms at"}, {Label1, "Degrees"}, {lblLoadSWR, "SWR at Load:"},
             {lblInputSWR, "SWR at Line Input:"}, {lblProgram, form::kProgramTitle},
             {lblVersion, "Transmission Line Calculator, version 3.0"}})
        l.label.SetCaption(l.caption);
    lblReactance.SetToolTip("Enter minus sign for capacitive reactance");
    LblWarning.SetFore(form::kRed);
    LblWarning.SetStatus(form::Status::Warning, "Since the freq changed, click User-Defined Transmission Line to recompute");
    LblWarning.SetVisible(false);
    lblRating.SetFore(form::kRed);
    lblRating.SetVisible(false);
    LblWarning.SetToolTip("Since the freq changed, click User-Defined Transmission Line to recompute");
    txtPolarZ.SetBack(form::kLightGrey);
    txtPolarDegree.SetBack(form::kLightGrey);
}

void MainWindow::WireEvents() {
    txtFreq.on_change = [this] { FrequencyChanged(); };
    txtFreq.on_lost_focus = [this] { FrequencyLostFocus(); };
    txtLength.on_change = [this] { LengthChanged(); };
    txtLength.on_lost_focus = [this] {
        if (txtLength.text().empty()) txtLength.SetText("0");
    };
    txtResistance.on_change = [this] { ResistanceChanged(); };
    txtResistance.on_lost_focus = [this] {
        // Not 0: the transform would divide by it.
        if (txtResistance.text().empty()) txtResistance.SetText(std::string("0") + mark_ + "00001");
    };
    txtReactance.on_change = [this] { ReactanceChanged(); };
    txtReactance.on_lost_focus = [this] {
        if (txtReactance.text().empty()) txtReactance.SetText("0");
    };
    optFeet.on_click = [this] { UnitSwitched(true); };
    optMeters.on_click = [this] { UnitSwitched(false); };
    optInput.on_click = [this] {
        lblInputZ.SetCaption("Impedance at Load: ");
        DoCompute();
    };
    optLoad.on_click = [this] {
        lblInputZ.SetCaption("Impedance at Input: ");
        DoCompute();
    };
    // The instrument sources are momentary: their dialog writes the impedance, then Normal
    // is selected again.
    optNoiseBridge.on_click = [this] { host_.ShowModalThen(frmNB.window, [this] { optNormal.Select(); }); };
    optAutek.on_click = [this] { host_.ShowModalThen(frmAutek.window, [this] { optNormal.Select(); }); };
    cboPickCable.on_click = [this] { CableClicked(); };
    // Fit… and Measure… start from the line the dialog describes.
    const auto own_cable = [this](bool measure) {
        frmOwnCable.txtCableR0.SetText(frmOtrCable.txtR0.text());
        frmOwnCable.txtCableVF.SetText(frmOtrCable.txtVF.text());
        frmOwnCable.OpenFor(measure, host_);
    };
    frmOtrCable.cmdFit.on_click = [own_cable] { own_cable(false); };
    frmOtrCable.cmdMeasure.on_click = [own_cable] { own_cable(true); };
    frmOwnCable.save = [this](const OwnCable& c) { return SaveOwnCable(c); };
    frmOtrCable.cmdCompute.on_click = [this] { ComputeX0(); };
    frmOtrCable.cmdOK.on_click = [this] { UserLineOk(); };
    cmdGraph.on_click = [this] { CalcGraph(); };
    // An open graph follows a change of kind as it follows every change of the line.
    for (form::Option* kind : {&optVoltCurr, &optResisReac})
        kind->on_click = [this] {
            if (frmVolt.window.visible()) RefreshGraph();
        };
    cmdSweep.on_click = [this] { frmSweep.Open(SweepMainLine()); };
    cmdTuner.on_click = [this] {
        frmTuner.tee_tab_index = 2;
        host_.ShowModeless(frmTuner.window);
    };
    frmTuner.on_draw = [this](const TunerWindow::DesignRequest& request) {
        const auto draw = [this](const DisplayedLine& l, const TunerWindow::DesignRequest& r) {
            frmTuner.DrawTuner(l, TunerContext(), r);
        };
        if (!ForTunerLine(request, draw)) return;
        // The sweep window follows the last tuner drawn with the tuner left as it is.
        const auto& result = frmTuner.last_result();
        if (const auto* d = result ? std::get_if<tuner::NetworkDesign>(&*result) : nullptr) frmSweep.SetTuner(*d);
    };
    frmTuner.on_compare = [this](const TunerWindow::DesignRequest& request) {
        ForTunerLine(request, [this](const DisplayedLine& l, const TunerWindow::DesignRequest& r) {
            frmTuner.ShowComparison(l, TunerContext(), r);
        });
    };
    frmTuner.on_plan = [this] { frmPlan.Open(); };
    frmPlan.source = [this] { return PlanSourceNow(); };
    // A cell of the plan draws its design for the line at its band point, as the tuner draws it.
    frmPlan.on_draw_cell = [this](const plan::CellDraw& d) {
        frmTuner.DrawComparedFor(d.cell, d.line.shown, d.line.context, d.line.request);
    };
    cmdPrint.on_click = [this] { PrintClicked(); };
    cmdHelp.on_click = [this] { HelpClicked(); };
    cmdQuit.on_click = [this] { QuitClicked(); };
}

std::string MainWindow::Number(double value) const { return ShortestText(value, mark_); }
std::string MainWindow::FirstFrequency() const { return Number(ParseNumber(std::string(kFirstFreqText))); }

void MainWindow::Load() {
    window.Create();
    for (int pos = 0; pos < kListEntries; ++pos) cboPickCable.AddItem(std::string(ListText(pos)));
    LoadOwnCables();
    cboPickCable.SetPosition(3);
    cboPickCable.SetVisible(true);
    frmOtrCable.window.Create();
    optVoltCurr.Select();
    LoadDefaults();
    RecallSettings();
}

LineEntries MainWindow::Entries() const {
    LineEntries e;
    e.freq_text = txtFreq.text();
    e.length_text = txtLength.text();
    e.resistance_text = txtResistance.text();
    e.reactance_text = txtReactance.text();
    e.cable_position = cboPickCable.position();
    e.unit_meters = Ft == "M";
    e.option_meters = optMeters.selected();
    e.at_load = optLoad.selected();
    e.mark = mark_;
    e.user = {frmOtrCable.txtR0.text(), frmOtrCable.txtX0.text(), frmOtrCable.txtVF.text(),
              frmOtrCable.txtVMax.text()};
    const int own = e.cable_position - kListEntries;
    if (own >= 0 && own < static_cast<int>(own_file_.cables.size()))
        e.own = own_file_.cables[static_cast<std::size_t>(own)];
    e.user_atten100 = line_.atten100;
    e.user_wave_len = line_.wave_len;
    e.pwr_in = PwrIn;
    return e;
}

void MainWindow::DoCompute() {
    ++compute_runs_;
    const std::optional<LineSolution> s = SolveLine(Entries());
    solved_ = s.has_value();
    if (!s) return;  // no usable line: the shown results stay

    if (cboPickCable.position() != kUserDefinedIndex) last_solved_position_ = cboPickCable.position();
    line_ = s->values;
    txtMLPer.SetText(s->ml_per);
    txtZ0.SetText(s->z0);
    txtVF.SetText(s->vel_factor);
    txtVoltage.SetText(s->voltage);
    txtMLTot.SetText(s->ml_tot);
    txtWavelen.SetText(s->wavelen);
    txtLoadSWR.SetText(s->load_swr);
    txtLoadSWR.SetFore(s->load_swr_red ? form::kRed : form::kBlue);
    txtLoadSWR.SetStatus(s->load_swr_red ? form::Status::Impossible : form::Status::Normal, qlx::kNegativeSwrReason);
    txtInputSWR.SetText(s->input_swr);
    txtInputSWR.SetFore(s->input_swr_red ? form::kRed : form::kBlue);
    txtInputSWR.SetStatus(s->input_swr_red ? form::Status::Impossible : form::Status::Normal, qlx::kNegativeSwrReason);
    lblRho.SetCaption(s->rho_caption);
    txtRho.SetText(s->rho);
    txtAddLoss.SetText(s->add_loss);
    txtTotalLoss.SetText(s->total_loss);
    txtImpedIn.SetFore(s->imped_in_red ? form::kRed : form::kBlue);
    txtImpedIn.SetStatus(s->imped_in_red ? form::Status::Impossible : form::Status::Normal,
                         "A negative resistance at the line input: the load is not passive.");
    txtImpedIn.SetText(s->imped_in);
    txtPolarZ.SetText(s->polar_z);
    txtPolarDegree.SetText(s->polar_degree);
    if (s->hide_warning) LblWarning.SetVisible(false);
    // The line's rating against its highest RMS voltage at the transmitter power, as the graph
    // finds it (some 20 microseconds).
    const GraphInputs rated = GraphInputsNow();
    const std::string rating =
        tuner::LineRatingText(ComputeGraph(rated).max_v, line_.vmax, ParseNumber(rated.tx_power_text), mark_);
    lblRating.SetCaption(rating);
    lblRating.SetStatus(rating.empty() ? form::Status::Normal : form::Status::Warning,
                        "Lower the power, or choose a line rated for more voltage.");
    lblRating.SetVisible(!rating.empty());
    // An open graph follows the line: a run costs some 20 microseconds, far less than the
    // keystroke that asked for it, and a graph of a line no longer shown misleads.
    if (frmVolt.window.visible()) RefreshGraph();
    if (frmSweep.window.visible()) frmSweep.Follow(SweepMainLine());
}

void MainWindow::FrequencyChanged() {
    const std::string& t = txtFreq.text();
    if (!t.empty() && (t[0] == '.' || t[0] == ',')) {
        // A fraction of a MHz being typed: wait for enough digits to be a plausible frequency.
        if (LeadingNumber(std::string_view(t).substr(1)) < 2.5) return;
        DoCompute();
        return;
    }
    const double f = ParseNumber(t);
    if (t.empty() || f == 0.0) return;
    if (cboPickCable.position() == kUserDefinedIndex) {
        LblWarning.SetCaption("<--Click again");
        LblWarning.SetVisible(true);
    }
    if (!FrequencyAccepted(f)) {
        host_.ShowMessage(kBadFrequencyText, kBadFrequencyTitle, form::Buttons::Ok);
        txtFreq.SetText(FirstFrequency());
        return;
    }
    DoCompute();
}

void MainWindow::FrequencyLostFocus() {
    const double f = ParseNumber(txtFreq.text());
    txtFreq.SetText(Format(f, kFrequencyPicture, mark_));
    if (f == 0.0) txtFreq.SetText(FirstFrequency());
}

void MainWindow::LengthChanged() {
    const std::string t = txtLength.text();
    const double v = ParseNumber(t);
    if (Contains(t, 'w', 'W')) {
        const double f = ParseNumber(txtFreq.text());
        if (!(f > 0.0)) return;  // no wavelength without a frequency: leave the entry as typed
        double lambda;
        if (optMeters.selected()) {
            lambda = kMetersPerSecondMHz * static_cast<double>(line_.vel_factor) / f;
        } else {
            const float wave_len = static_cast<float>(kFreeSpaceWaveFtMHz * line_.vel_factor / f);
            line_.wave_len = wave_len;
            lambda = wave_len;
        }
        const double n = ParseNumber(std::string_view(t).substr(0, t.size() - 1));
        // So many wavelengths that the length overflows is as bad a length as 1e300 of them:
        // written as the largest number, it meets the entry rule's "Bad Length!".
        double length = lambda * n;
        if (!std::isfinite(length)) length = std::copysign(std::numeric_limits<double>::max(), length);
        txtLength.SetText(Format(length, "###0.000", mark_));
        DoCompute();
        return;
    }
    if (!LengthAccepted(v)) {
        host_.ShowMessage(kBadLengthText, kBadLengthTitle, form::Buttons::Ok);
        txtLength.SetText(kBadLengthReplacement);
        DoCompute();
        return;
    }
    if (v == 0.0 && Contains(t, '.', ',')) return;  // a decimal fraction being typed
    if (t.empty()) return;
    DoCompute();
}

void MainWindow::ResistanceChanged() {
    const double v = ParseNumber(txtResistance.text());
    if (!ImpedanceAccepted(v)) {
        RefuseImpedance(txtResistance, accepted_resistance_);
        return;
    }
    if (v < 0) txtResistance.SetText(Number(-v));
    accepted_resistance_ = txtResistance.text();
    DoCompute();
}

void MainWindow::ReactanceChanged() {
    if (!ImpedanceAccepted(ParseNumber(txtReactance.text()))) {
        RefuseImpedance(txtReactance, accepted_reactance_);
        return;
    }
    accepted_reactance_ = txtReactance.text();
    DoCompute();
}

void MainWindow::RefuseImpedance(form::TextField& field, const std::string& accepted) {
    // No result is shown for it: the field goes back to the last value the line was solved with.
    host_.ShowMessage(kBadImpedanceText, kBadImpedanceTitle, form::Buttons::Ok);
    field.SetText(accepted);
}

void MainWindow::UnitSwitched(bool to_feet) {
    lblUnit.SetCaption(to_feet ? "Feet" : "Meters");
    lbldBPer.SetCaption(to_feet ? "dB/100 Feet" : "dB/100 Meters");
    Ft = to_feet ? "F" : "M";
    const double length = ParseNumber(txtLength.text());
    txtLength.SetText(Format(to_feet ? length * kFeetPerMeter : length / kFeetPerMeter, "###0.000", mark_));
    SolveAfterUserLine();
}

void MainWindow::CableClicked() {
    if (cboPickCable.position() >= 0 && cboPickCable.position() < kListEntries)
        listed_position_ = cboPickCable.position();
    SolveAfterUserLine();
}

// ---- The user's own cables ----

void MainWindow::LoadOwnCables() {
    if (!cables_store_) return;
    const DefaultsStore::ReadResult read = cables_store_->Read();
    own_file_readable_ = read.status != DefaultsStore::Status::Unreadable;
    if (!own_file_readable_) {
        host_.ShowMessage(std::string(kCablesFileName) +
                              " is there but cannot be read: your own cables are not listed, and the file is left "
                              "as it is.",
                          "Cables of your own", form::Buttons::Ok);
        return;
    }
    own_file_ = ReadOwnCables(read.lines);
    for (const OwnCable& c : own_file_.cables) cboPickCable.AddItem(" " + c.name);
    if (!own_file_.damaged.empty())
        host_.ShowMessage(DamagedCablesText(own_file_.damaged), "Cables of your own", form::Buttons::Ok);
}

std::optional<std::string> MainWindow::SaveOwnCable(const OwnCable& cable) {
    if (const auto problem = OwnCableProblem(cable)) return *problem;
    if (!cables_store_) return std::string("This window keeps no cables.");
    if (!own_file_readable_)
        return std::string(kCablesFileName) + " cannot be read, so it is not written over.";
    OwnCablesFile next = own_file_;
    PutOwnCable(next, cable);
    if (!cables_store_->Write(OwnCablesLines(next)))
        return std::string(kCablesFileName) + " could not be written; it is left as it was.";
    const bool added = next.cables.size() > own_file_.cables.size();
    own_file_ = std::move(next);
    if (added) cboPickCable.AddItem(" " + own_file_.cables.back().name);
    // The cable shown may be the one just replaced: its results follow the new numbers.
    if (cboPickCable.position() >= kListEntries) DoCompute();
    return std::nullopt;
}

void MainWindow::SolveAfterUserLine() {
    if (cboPickCable.position() == kUserDefinedIndex)
        ShowUserDefinedLine([this] { DoCompute(); });
    else
        DoCompute();
}

// ---- Print, help, exit ----

void MainWindow::PrintClicked() {
    if (!form::ConfirmPrint(host_)) return;
    // Print on white paper: every control that is not an entry, the program's name and the
    // window itself; afterwards every colour is as it was.
    form::PrintOnWhite(host_, window, false, &lblProgram);
}

void MainWindow::HelpClicked() {
    // A missing manual and a desktop without a PDF viewer are both worth telling the user.
    if (host_.OpenDocument(AppDir + "/QLX.PDF") != form::OpenResult::Opened)
        host_.ShowMessage("QLX.PDF or Adobe Reader not available.", form::kAppTitle, form::Buttons::Ok);
}

void MainWindow::QuitClicked() {
    if (host_.ShowMessage("Are you sure you want to Exit?", form::kProgramTitle, form::Buttons::YesNo) !=
        form::Answer::Yes)
        return;
    SaveDefaults();
    host_.Quit();
}

bool MainWindow::CloseRequest(bool by_user) {
    if (!by_user) return true;
    SaveDefaults();
    host_.Quit();
    return true;
}

}  // namespace qlx
