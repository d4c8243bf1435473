#include "tuner/tuner_window.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/format.h"
#include "core/numbers.h"
#include "tuner/report.h"
#include "tuner/schematic_layout.h"
#include "tuner/tuner_texts.h"

namespace qlx {

using tuner::Network;
using tuner::Schematic;

namespace {

constexpr double kMinimumStrayF = 1e-14;
constexpr double kNoTunerSwr = 1.02;  // a line input this close to the tuner resistance needs none
constexpr const char* kChooseNetwork =
    "Choose a Tuner Network Type first: High-Pass L, Low-Pass L, Low-Pass Pi or High-Pass Tee.";

// "auto" in a capacitor's field, or the start of it as it is being typed.
// A default as its field shows it: "500", "1500".
std::string FieldText(double value) { return ShortestText(value); }

// "Minimum coil Q is 15 -- Changing back to default 200."
std::string MinimumQText(const char* part, double default_q) {
    return std::string("Minimum ") + part + " Q is " + ShortestText(tuner::kMinimumQ) + " -- Changing back to default " +
           ShortestText(default_q) + ".";
}

bool IsAutoText(const std::string& text) {
    std::string t(TrimBlanks(text));
    if (t.empty() || t.size() > 4) return false;
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::string_view("auto").substr(0, t.size()) == t;
}

const char* PageCaption(Network n) {
    switch (n) {
        case Network::HighPassL: return "High-Pass L-Network";
        case Network::LowPassL: return "Low-Pass L-Network";
        case Network::Pi: return "Low-Pass Pi-Network";
        case Network::Tee: return "High-Pass Tee-Network";
    }
    return "";
}

}  // namespace

TunerWindow::TunerWindow(form::Host& host)
    : frmTuner1(host, "frmTuner1", "High-Pass L-Network", window, false),
      frmTuner2(host, "frmTuner2", "High-Pass Tee Network", window, true),
      host_(host) {
    frmTunerType.SetCaption("Tuner Network Type");
    struct OptionText {
        form::Option& option;
        const char* caption;
        const char* tip;
    };
    // In tab order; none is selected until the user picks one.
    for (const OptionText& o : std::initializer_list<OptionText>{
             {optLNet1, "High-Pass L-Network", "High-pass L network"},
             {optLNet2, "Low-Pass L-Network", "Low-pass L network"},
             {optPiNet, "Low-Pass Pi-Network", "Shunt-C/series-L/shunt-C Pi network"},
             {optTeeNet, "High-Pass Tee Network", "Series-C/shunt-L/series-C Tee network"}}) {
        o.option.SetCaption(o.caption);
        o.option.SetToolTip(o.tip);
        networks_.Add(o.option);
    }
    frmDefaults.SetCaption("Default Values");
    struct Field {
        form::Label& label;
        const char* caption;
        form::TextField& field;
        std::string text;
        const char* tip;
    };
    const tuner::TunerSettings& d = tuner::kDefaultSettings;
    for (const Field& f : std::initializer_list<Field>{
             {lblPhase, "Output voltage phase, deg.:", txtPhase, "0 ", "Desired phase at output of network"},
             {lblStrayC, "Output Stray Capacitance, pF:", txtStrayC, Format(d.stray_f * 1e12, "#0"),
              "Estimated stray output shunt capacitance"},
             {lblTunerR, "Tuner's Input Resistance:", txtTunerR, FieldText(d.z0),
              "Desired input resistance seen by transmitter at antenna tuner's input"},
             {lblTxPwr, "Transmitter Power, W:", txtTxPwr, FieldText(d.power), "Up to 5 MW"},
             {lblQCap, "Unloaded Capacitor Q:", txtCapQ, FieldText(d.qc),
              "Unloaded Q of capacitor(s) -- 1000 for typical air variable"},
             {lblQCoil, "Unloaded Inductor Q:", txtCoilQ, FieldText(d.qu), "Unloaded Q of inductor"},
             {lblPiCap, "Pi Network Output Capacitor, pF:", txtPiCap, FieldText(d.pi_cap_pf),
              "Enter value for output capacitor in Pi network"},
             {lblTeeCap, "Tee Network Series Capacitor, pF:", txtTeeCap, FieldText(d.tee_cap_pf),
              "Enter value for output capacitor in Tee network"}}) {
        f.label.SetCaption(f.caption);
        f.field.SetText(f.text);
        f.field.SetToolTip(f.tip);
        f.field.SetBack(form::kWhite);
    }
    // The two capacitor rows share one place; the Pi or Tee choice shows its own.
    for (form::Control* c : std::initializer_list<form::Control*>{&lblPiCap, &txtPiCap, &lblTeeCap, &txtTeeCap})
        c->SetVisible(false);
    cmdDrawTuner.SetCaption("&Draw Tuner");
    cmdDrawTuner.SetToolTip("Draw the tuner schematic");
    cmdBack.SetCaption("&Cancel");
    cmdBack.SetToolTip("Cancel and return to Main Tuner screen");
    cmdCompare.SetCaption("Co&mpare Networks");
    cmdCompare.SetToolTip("Design every network for this line, side by side, lowest loss first");
    cmdDrawTuner.on_click = [this] {
        if (on_draw) on_draw({});
    };
    cmdCompare.on_click = [this] {
        if (on_compare) on_compare({});
    };
    cmdPlan.SetCaption("&Plan Bands...");
    cmdPlan.SetToolTip("Design every network at every band: the parts to buy, and whether your tuner covers them");
    cmdPlan.on_click = [this] {
        if (on_plan) on_plan();
    };
    txtPiCap.SetToolTip("Enter value for output capacitor in Pi network, or auto for the one that loses least");
    txtTeeCap.SetToolTip("Enter value for output capacitor in Tee network, or auto for the one that loses least");
    // A row of the comparison draws its network's page, in its topology.
    frmCompare.on_row = [this](std::size_t row) {
        if (row < comparison_.size()) DrawCompared(comparison_[row], compared_for_);
    };

    optPiNet.on_click = [this] { ShowCapacitorRow(true); };
    // A Tee chosen with no series capacitor typed gets the usual one; a typed "auto" stays.
    optTeeNet.on_click = [this] {
        ShowCapacitorRow(false);
        if (!IsAutoText(txtTeeCap.text()) && LeadingNumber(txtTeeCap.text()) == 0.0)
            txtTeeCap.SetText(FieldText(tuner::kDefaultSettings.tee_cap_pf));
    };
    // A capacitor the network needs can never be empty or zero.
    // "auto" lets the design choose the capacitor that loses least.
    txtPiCap.on_change = [this] {
        if (!IsAutoText(txtPiCap.text()) && LeadingNumber(txtPiCap.text()) <= 0.0)
            txtPiCap.SetText(FieldText(tuner::kDefaultSettings.pi_cap_pf));
    };
    txtTeeCap.on_change = [this] {
        if (!IsAutoText(txtTeeCap.text()) && LeadingNumber(txtTeeCap.text()) <= 0.0)
            txtTeeCap.SetText(FieldText(tuner::kDefaultSettings.tee_cap_pf));
    };
    cmdBack.on_click = [this] { window.SetVisible(false); };
}

void TunerWindow::ShowCapacitorRow(bool pi) {
    lblPiCap.SetVisible(pi);
    txtPiCap.SetVisible(pi);
    lblTeeCap.SetVisible(!pi);
    txtTeeCap.SetVisible(!pi);
}

tuner::TunerSettings TunerWindow::ReadSettings(bool with_messages) {
    tuner::TunerSettings s;
    s.z0 = ParseNumber(txtTunerR.text());
    s.qu = ParseNumber(txtCoilQ.text());
    if (s.qu < tuner::kMinimumQ) {
        if (with_messages)
            host_.ShowMessage(MinimumQText("coil", tuner::kDefaultSettings.qu), form::kTunerTitle, form::Buttons::Ok);
        s.qu = tuner::kDefaultSettings.qu;
        txtCoilQ.SetText(FieldText(s.qu));
    }
    s.qc = ParseNumber(txtCapQ.text());
    if (s.qc < tuner::kMinimumQ) {
        if (with_messages)
            host_.ShowMessage(MinimumQText("capacitor", tuner::kDefaultSettings.qc), form::kTunerTitle,
                              form::Buttons::Ok);
        s.qc = tuner::kDefaultSettings.qc;
        txtCapQ.SetText(FieldText(s.qc));
    }
    s.power = ParseNumber(txtTxPwr.text());
    s.stray_f = ParseNumber(txtStrayC.text()) * 1e-12;
    if (s.stray_f < kMinimumStrayF) s.stray_f = kMinimumStrayF;
    s.pi_cap_pf = ParseNumber(txtPiCap.text());
    s.tee_cap_pf = ParseNumber(txtTeeCap.text());
    s.phase = ParseNumber(txtPhase.text());
    return s;
}

tuner::DesignResult TunerWindow::DesignFor(Network n, const tuner::TunerLoad& load, const tuner::TunerSettings& s,
                                           const DesignRequest& request, std::optional<bool> topology) const {
    if (n == Network::HighPassL && topology) return tuner::DesignHighPassL(load, s, *topology);
    if ((n == Network::Pi || n == Network::Tee) && request.capacitor)
        return tuner::DesignWithBestCapacitor(n, load, s, *request.capacitor);
    if ((n == Network::Pi && IsAutoText(txtPiCap.text())) || (n == Network::Tee && IsAutoText(txtTeeCap.text())))
        return tuner::DesignWithBestCapacitor(n, load, s);
    return tuner::Design(n, load, s);
}

tuner::BandRun TunerWindow::BandOf(const tuner::NetworkDesign& d, const tuner::LineReading& reading,
                                   const LineContext& context, const DesignRequest& request) const {
    // The tuner left as designed across the band, the antenna held (or followed, when measured).
    // A line input that no load on this line can give (the load shown has no positive
    // resistance) leaves nothing to hold at the antenna: the network alone is run.
    const tuner::BandRange range = request.band.value_or(tuner::DefaultBand(d.f0));
    if (request.antenna) return tuner::RunBand(d, context.line, *request.antenna, range);
    if (reading.rl > 0.0) return tuner::RunBand(d, context.line, {reading.rl, reading.xl}, range);
    return tuner::RunBandLineInputHeld(d, {reading.load.ra, reading.load.xa}, range);
}

std::vector<TunerWindow::Compared> TunerWindow::Compare(const DisplayedLine& line, const LineContext& context,
                                                       const DesignRequest& request) {
    const tuner::LineReading reading = tuner::ReadLine(line);
    const tuner::TunerSettings s = ReadSettings(false);
    std::vector<Compared> all;
    const auto add = [&](Network n, std::optional<bool> topology) {
        Compared c;
        c.network = n;
        c.coil_across_line = topology;
        c.result = DesignFor(n, reading.load, s, request, topology);
        const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
        if (d && request.band_run) c.band = BandOf(*d, reading, context, request);
        all.push_back(std::move(c));
    };
    add(Network::LowPassL, std::nullopt);
    // The high-pass L in each topology its load allows.
    const tuner::HighPassLTopologyChoice allowed = tuner::HighPassLTopologies(reading.load, s.z0);
    const bool a = allowed.coil_across_line, b = allowed.coil_across_transmitter;
    if (a) add(Network::HighPassL, true);
    if (b) add(Network::HighPassL, false);
    if (!a && !b) add(Network::HighPassL, std::nullopt);
    add(Network::Pi, std::nullopt);
    add(Network::Tee, std::nullopt);
    // What can be built first, by loss; then designs with a part outside the ranges to buy, by
    // loss; the failures last.
    const auto rank = [](const Compared& c) {
        const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
        if (!d) return std::pair(2, 0.0);
        return std::pair(tuner::AllPartsBuyable(*d) ? 0 : 1, d->ploss);
    };
    std::stable_sort(all.begin(), all.end(), [&](const Compared& x, const Compared& y) { return rank(x) < rank(y); });
    return all;
}

void TunerWindow::SelectNetwork(Network n) {
    form::Option* options[] = {&optLNet1, &optLNet2, &optPiNet, &optTeeNet};
    options[static_cast<int>(n)]->Select();
}

void TunerWindow::DrawCompared(const Compared& c, DesignRequest request) {
    SelectNetwork(c.network);
    request.coil_across_line = c.coil_across_line;
    if (on_draw) on_draw(request);
}

void TunerWindow::DrawComparedFor(const Compared& c, const DisplayedLine& line, const LineContext& context,
                                  DesignRequest request) {
    SelectNetwork(c.network);
    request.coil_across_line = c.coil_across_line;
    DrawTuner(line, context, request);
}

std::string TunerWindow::ComparedName(const Compared& c) {
    std::string name = PageCaption(c.network);
    if (c.network == Network::HighPassL && c.coil_across_line)
        name += *c.coil_across_line ? ", coil across the line" : ", coil across the TX";
    return name;
}

std::string TunerWindow::ComparedText(const Compared& c, char mark) {
    const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
    if (!d) return "Cannot match: " + std::string(TrimBlanks(std::get<tuner::DesignFailure>(c.result).text));
    std::string parts;
    double peak_v = 0.0, peak_i = 0.0;
    for (const tuner::Element& e : d->elements) {
        parts += (parts.empty() ? "" : ", ") + e.name + " " +
                 Format(e.value, e.kind == tuner::Kind::C ? "#,##0.0 pF" : "#,##0.00 uH", mark);
        // A capacitor that includes the stray capacitance: what to fit.
        if (const auto fit = tuner::FitPf(e)) parts += " (fit " + Format(*fit, "#,##0.0 pF", mark) + ")";
        peak_v = std::max(peak_v, e.v_rms * std::sqrt(2.0));
        peak_i = std::max(peak_i, e.i_rms);
    }
    std::string text = parts + ".  Loss " + Format(d->ploss, "#,##0", mark) + " W (" + Format(d->loss_percent, "#0.0", mark) +
                       "%).  Up to " + Format(peak_v, "#,##0", mark) + " V peak, " + Format(peak_i, "#,##0.0", mark) +
                       " A RMS.";
    for (const std::string& w : tuner::PartWarnings(*d, mark)) text += "  " + w;
    if (c.band) text += "  " + tuner::Swr20Text(*c.band, mark);
    return text;
}

std::string TunerWindow::NoTunerNeededText(const DisplayedLine& line) {
    const tuner::LineReading reading = tuner::ReadLine(line);
    const double z0 = ParseNumber(txtTunerR.text());
    if (!(z0 > 0.0)) return {};
    const double swr = tuner::SwrAgainst({reading.load.ra, reading.load.xa}, z0);
    if (!(swr <= kNoTunerSwr)) return {};
    return "The line input is within SWR " + Format(swr, "0.00", line.mark) + " of " + Format(z0, "#,##0.0#", line.mark) +
           " ohms: no tuner is needed.";
}

void TunerWindow::ShowComparison(const DisplayedLine& line, const LineContext& context, const DesignRequest& request) {
    comparison_ = Compare(line, context, request);
    compared_for_ = request;
    tuner::CompareWindow& w = frmCompare;
    const tuner::LineReading reading = tuner::ReadLine(line);
    w.txtLine.SetText(line.cable_text + ", " + line.length_text + (line.meters ? " meters, " : " feet, ") +
                      Format(ParseNumber(line.freq_text), "###0.0## MHz", line.mark) + ".  Line input " +
                      reading.input_text + ".");
    std::string summary = NoTunerNeededText(line);
    if (summary.empty()) {
        const auto* best = comparison_.empty() ? nullptr : std::get_if<tuner::NetworkDesign>(&comparison_.front().result);
        if (!best)
            summary = "No network matches this load with these settings.";
        else if (tuner::AllPartsBuyable(*best))
            summary = "Lowest loss: " + ComparedName(comparison_.front()) + ", " +
                      Format(best->loss_percent, "#0.0", line.mark) + "% of the power.";
        else
            summary = "No network matches with parts to buy. Lowest loss: " + ComparedName(comparison_.front()) + ", " +
                      Format(best->loss_percent, "#0.0", line.mark) + "% of the power, with a part outside them.";
    }
    w.txtSummary.SetText(summary);
    for (std::size_t k = 0; k < tuner::CompareWindow::kRows; ++k) {
        const bool used = k < comparison_.size();
        w.cmdRow[k].SetVisible(used);
        w.lblRow[k].SetVisible(used);
        if (!used) continue;
        w.cmdRow[k].SetCaption(ComparedName(comparison_[k]));
        w.cmdRow[k].SetEnabled(std::holds_alternative<tuner::NetworkDesign>(comparison_[k].result));
        w.lblRow[k].SetCaption(ComparedText(comparison_[k], line.mark));
    }
    host_.ShowModeless(w.window);
}

std::optional<Network> TunerWindow::ChosenNetwork() const {
    if (optLNet1.selected()) return Network::HighPassL;
    if (optLNet2.selected()) return Network::LowPassL;
    if (optPiNet.selected()) return Network::Pi;
    if (optTeeNet.selected()) return Network::Tee;
    return std::nullopt;
}

void TunerWindow::DrawTuner(const DisplayedLine& line, const LineContext& context, const DesignRequest& request) {
    // Without a network there is nothing to design: say so, and leave both pages as they are.
    const std::optional<Network> network = ChosenNetwork();
    last_band_.reset();
    if (!network) {
        last_result_.reset();
        host_.ShowMessage(kChooseNetwork, form::kTunerTitle, form::Buttons::Ok);
        return;
    }
    lblPiCap.SetVisible(false);
    txtPiCap.SetVisible(false);
    title_ = "L Network";
    const tuner::LineReading reading = tuner::ReadLine(line);

    const tuner::TunerSettings s = ReadSettings(true);
    const std::string stray_text = tuner::StrayText(s.stray_f);

    const tuner::HeaderTexts header = tuner::Header(line, reading);
    // Whether each page's header will read another line than the one its figures were designed for.
    const auto header_changes = [&header](const tuner::TunerPage& p) {
        return p.txtFreq.text() != header.freq || p.txtCableType.text() != header.cable ||
               p.txtLength.text() != header.length || p.txtLoad.text() != header.load;
    };
    const bool changed[] = {header_changes(frmTuner1), header_changes(frmTuner2)};
    for (tuner::TunerPage* p : {&frmTuner1, &frmTuner2}) {
        p->txtFreq.SetText(header.freq);
        p->txtCableType.SetText(header.cable);
    }
    for (tuner::TunerPage* p : {&frmTuner1, &frmTuner2}) p->txtLength.SetText(header.length);
    for (tuner::TunerPage* p : {&frmTuner1, &frmTuner2}) {
        p->txtLoad.SetText(header.load);
        // A load SWR the line cannot give reads in red, as on the main window.
        p->txtLoad.SetFore(line.load_swr_red ? form::kRed : form::kWindowText);
        p->txtLoad.SetStatus(line.load_swr_red ? form::Status::Impossible : form::Status::Normal, qlx::kNegativeSwrReason);
    }

    last_result_ = DesignFor(*network, reading.load, s, request, request.coil_across_line);
    const auto* failure = std::get_if<tuner::DesignFailure>(&*last_result_);
    // The Pi shows its capacitor row once the load has passed its feasibility check.
    if (*network == Network::Pi && !(failure && failure->before_design)) {
        lblPiCap.SetVisible(true);
        txtPiCap.SetVisible(true);
    }
    // Both headers now describe this run's line. A page that keeps an earlier design under a
    // header that changed would show one line's figures under another's: it is hidden. A page
    // for the same line stays, so that two networks for one line may be compared.
    tuner::TunerPage* designed = nullptr;
    if (!failure) designed = std::get<tuner::NetworkDesign>(*last_result_).page == tuner::Page::Tuner2 ? &frmTuner2 : &frmTuner1;
    for (int k = 0; k < 2; ++k) {
        tuner::TunerPage& p = k == 0 ? frmTuner1 : frmTuner2;
        if (&p != designed && changed[k]) p.window.SetVisible(false);
    }
    if (failure) {
        title_ = failure->title;
        host_.ShowMessage(failure->text, failure->title, form::Buttons::Ok);
        if (failure->hide_page)
            (failure->page == tuner::Page::Tuner2 ? frmTuner2 : frmTuner1).window.SetVisible(false);
        return;
    }
    const auto& d = std::get<tuner::NetworkDesign>(*last_result_);
    title_ = tuner::NetworkTitle(d.network);
    WritePage(*designed, d, reading.input_text, stray_text, s.power, reading.line_loss_db, s.phase, line.mark);

    last_band_ = BandOf(d, reading, context, request);
    designed->txtBand.SetText(tuner::BandText(*last_band_, line.mark));
    designed->txtBand.SetVisible(true);
    std::string notes;
    for (const std::string& n : tuner::BuilderNotes(d, s.power, context.max_v_rms, context.vmax, line.mark))
        notes += (notes.empty() ? "" : "  ") + n;
    designed->txtNotes.SetText(notes);
    designed->txtNotes.SetVisible(!notes.empty());
    host_.ShowModeless(designed->window);
}

void TunerWindow::WritePage(tuner::TunerPage& page, const tuner::NetworkDesign& d, const std::string& input_text,
                            const std::string& stray_text, double power, double line_loss_db, double phase,
                            char mark) {
    const auto& e = d.elements;
    switch (d.schematic) {
        case Schematic::LowPassLLoadShunt:
            // C2 is drawn beside the stray: its box shows what to fit, the notes the total.
            page.TxtMidX.SetText(Format(e[0].value, "###0.00 uH", mark));
            page.txtRightX.SetText(Format(e[1].value - e[1].stray_pf, "##0.0 pF", mark));
            page.txtLeftX.SetVisible(false);
            page.TxtMidX.SetVisible(true);
            page.txtRightX.SetVisible(true);
            break;
        case Schematic::LowPassLInputShunt:
            page.TxtMidX.SetText(Format(e[1].value, "##0.00 uH", mark));
            page.txtRightX.SetText(stray_text);
            page.txtLeftX.SetText(Format(e[0].value, "###0.0 pF", mark));
            page.txtLeftX.SetVisible(true);
            page.TxtMidX.SetVisible(true);
            page.txtRightX.SetVisible(true);
            break;
        case Schematic::HighPassLA:
            page.txtLeftX.SetVisible(false);
            page.TxtMidX.SetText(Format(e[0].value, "###0.0 pF", mark));
            page.TxtMidX.SetVisible(true);
            page.txtRightX.SetText(Format(e[1].value, "##0.00 uH", mark));
            page.txtRightX.SetVisible(true);
            break;
        case Schematic::HighPassLB:
            page.txtLeftX.SetText(Format(e[0].value, "##0.00 uH", mark));
            page.txtLeftX.SetVisible(true);
            page.TxtMidX.SetText(Format(e[1].value, "###0.0 pF", mark));
            page.TxtMidX.SetVisible(true);
            page.txtRightX.SetText(stray_text);
            page.txtRightX.SetVisible(true);
            break;
        case Schematic::Pi:
        case Schematic::Tee:
            // C1, L2 and C3 (the Tee's C3 as entered; the Pi's, drawn beside the stray, what to fit).
            page.txtLeftX.SetText(Format(e[0].value, "###0.0 pF", mark));
            page.TxtMidX.SetText(Format(e[1].value, "##0.00 uH", mark));
            page.txtRightX.SetText(Format(e[2].value - e[2].stray_pf, "###0.0 pF", mark));
            for (form::TextField* box : {&page.txtLeftX, &page.TxtMidX, &page.txtRightX}) box->SetVisible(true);
            break;
    }
    page.txtInputR.SetText(Format(d.z0, "####.0 Ohms", mark));
    page.txtLoadZ.SetText(input_text);
    page.picSchematic.Load((std::filesystem::path(host_.ProgramDirectory()) / tuner::SchematicFile(d.schematic)).string());
    page.window.SetCaption(PageCaption(d.network));

    // The Tee's block says "N/A" for the loss in dB when almost no power is left, and shows the
    // percentage with three digits before the mark.
    tuner::ReportStyle style;
    if (d.network == Network::Tee) {
        style.na_without_power_left = true;
        style.percent_picture = "##0.0";
    }
    // The stray capacitance stands beyond the right element wherever the design used it there.
    const bool stray_drawn = tuner::schematic::StrayDrawnAtOutput(d.schematic);
    page.txtCStray.SetText(stray_drawn ? stray_text : "");
    page.txtCStray.SetVisible(stray_drawn);
    page.Write(tuner::NetworkReport(d, power, line_loss_db, phase, mark, style));
}

}  // namespace qlx
