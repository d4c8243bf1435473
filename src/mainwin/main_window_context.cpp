// What the main window hands the windows that read its line: the tuner (the line shown, or the
// sweep window's measured antenna), the sweep and the graph.
#include "mainwin/main_window.h"

#include <cmath>

#include "core/cables.h"
#include "core/format.h"
#include "core/numbers.h"
#include "tuner/tuner_texts.h"

namespace qlx {

DisplayedLine MainWindow::Displayed() const {
    DisplayedLine d;
    d.freq_text = txtFreq.text();
    d.length_text = txtLength.text();
    d.meters = optMeters.selected();
    d.cable_text = CableListText(Entries());
    d.at_load = optLoad.selected();
    d.resistance_text = txtResistance.text();
    d.reactance_text = txtReactance.text();
    d.polar_z_text = txtPolarZ.text();
    d.polar_degree_text = txtPolarDegree.text();
    d.imped_in_text = txtImpedIn.text();
    d.load_swr_text = txtLoadSWR.text();
    d.load_swr_red = txtLoadSWR.fore() == form::kRed;
    d.total_loss_text = txtTotalLoss.text();
    d.mark = mark_;
    return d;
}

MainWindow::TunerLine MainWindow::LineForTuner() const {
    TunerLine t{Displayed(), std::nullopt, {}};
    std::optional<tuner::MeasuredAntenna> file = SweepFile();
    if (!file) return t;
    tuner::MeasuredAntenna& a = *file;
    // The file's impedance at the main window's frequency, solved as the window solves a typed
    // one, and shown to the design as the window would show it.
    const double f0 = ParseNumber(txtFreq.text());
    const auto measured = tuner::DesignImpedance(a, f0, mark_);
    if (const auto* why = std::get_if<std::string>(&measured)) {
        t.refused = *why;
        return t;
    }
    const std::complex<double> z = std::get<std::complex<double>>(measured);
    LineEntries e = Entries();
    e.at_load = a.at_load;
    e.resistance_text = Format(z.real(), "0.0###", mark_);
    e.reactance_text = Format(z.imag(), "0.0###", mark_);
    const auto s = SolveLine(e);
    if (!s) return t;
    t.line = ShownLine(e, *s);
    t.antenna = std::move(a);
    return t;
}

std::optional<tuner::MeasuredAntenna> MainWindow::SweepFile() const {
    const sweep::OnePort* file = frmSweep.measured();
    if (!file || file->f_mhz.empty()) return std::nullopt;
    return tuner::MeasuredAntenna{file->f_mhz, file->z, frmSweep.measured_at_load(), frmSweep.measured_name()};
}

plan::PlanSource MainWindow::PlanSourceNow() const {
    plan::PlanSource s;
    const sweep::MainLine m = SweepMainLine();
    s.line = m.line.entries;
    s.user = m.line.user;
    s.line_text = m.line_text;
    // The antenna at the load, at the main window's frequency: as typed, or solved from the input.
    const DisplayedLine d = Displayed();
    const SeriesForm other = DisplayedOtherEnd(d);
    s.load = d.at_load ? m.z : std::complex<double>(other.r, other.x);
    s.file = SweepFile();
    for (form::TextField TunerWindow::*field : kTunerSettingFields) s.settings.emplace_back(field, (frmTuner.*field).text());
    return s;
}

bool MainWindow::ForTunerLine(TunerWindow::DesignRequest request, const TunerDesign& design) {
    // With the sweep window's impedance taken from an analyser's file, the tuner is designed for
    // the antenna the file describes at this frequency, and its band run follows the file;
    // otherwise for the line as the main window shows it. The page and the comparison alike.
    TunerLine t = LineForTuner();
    if (!t.refused.empty()) {
        host_.ShowMessage(t.refused, form::kTunerTitle, form::Buttons::Ok);
        return false;
    }
    // A request may bring an antenna of its own (qlx-cli's file); the window's file is the main
    // window's line.
    if (t.antenna) request.antenna = std::move(t.antenna);
    design(t.line, request);
    return true;
}

TunerWindow::LineContext MainWindow::TunerContext() const {
    TunerWindow::LineContext c;
    c.line = SweepMainLine().line;
    // The line's highest RMS voltage at the transmitter power, as the graph finds it.
    c.max_v_rms = ComputeGraph(GraphInputsNow()).max_v;
    c.vmax = line_.vmax;
    return c;
}

sweep::MainLine MainWindow::SweepMainLine() const {
    sweep::MainLine m;
    m.line.entries = Entries();
    if (m.line.entries.cable_position == kUserDefinedIndex) {
        // The record as the dialog reads it, scaled at each frequency as the dialog scales it.
        const StoredUserLine rec = StoredUser();
        m.line.user = sweep::UserRecord{ParseNumber(rec.atten100), static_cast<float>(ParseNumber(rec.at_mhz)),
                                        ParseNumber(rec.vel_factor)};
    }
    m.freq_mhz = ParseNumber(txtFreq.text());
    m.z = {ParseNumber(txtResistance.text()), ParseNumber(txtReactance.text())};
    m.line_text = CableListText(m.line.entries) + ", " + txtLength.text() + " " + lblUnit.caption();
    return m;
}

// ---- Graph ----

GraphInputs MainWindow::GraphInputsNow() const {
    GraphInputs in;
    static_cast<DisplayedLine&>(in) = Displayed();
    in.tx_power_text = frmTuner.txtTxPwr.text();
    in.mhz_caption = lblMHz.caption();
    in.volt_curr = optVoltCurr.selected();
    in.atten100 = line_.atten100;
    in.line = {line_.r0, line_.x0, line_.wave_len};
    return in;
}

void MainWindow::RefreshGraph() {
    // Redrawn for the line as it now is; the line's own variables are "&Graph"'s to set.
    const GraphInputs in = GraphInputsNow();
    graph_ = ComputeGraph(in);
    frmVolt.Fill(graph_, in.volt_curr);
}

void MainWindow::CalcGraph() {
    const GraphInputs in = GraphInputsNow();
    graph_ = ComputeGraph(in);
    PwrIn = graph_.pwr_in;
    BLen = graph_.blen;
    line_.rin = graph_.rin;
    line_.xin = graph_.xin;
    frmVolt.Fill(graph_, in.volt_curr);
    host_.ShowModeless(frmVolt.window);
}

}  // namespace qlx
