#include "sweepwin/sweep_window.h"

#include "tuner/band.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/entry_rules.h"
#include "core/settings_file.h"
#include "core/format.h"
#include "core/numbers.h"
#include "sweep/smith.h"

namespace qlx::sweep {

namespace {

constexpr const char* kFileTitle = kTouchstoneTitle;


std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

SweepWindow::SweepWindow(form::Host& host) : host_(host) {
    lblLine.SetCaption("Line:");
    fraSpacing.SetCaption("Spacing");
    fraGiven.SetCaption("Impedance Given");
    fraSource.SetCaption("Impedance");
    fraReference.SetCaption("Smith Chart Reference");
    lblFrom.SetCaption("From, MHz:");
    lblTo.SetCaption("To, MHz:");
    lblPoints.SetCaption("Points:");
    txtPoints.SetText("201");
    // Entries look like entries, white as in the dialogs.
    for (form::TextField* t : {&txtFrom, &txtTo, &txtPoints}) t->SetBack(form::kWhite);
    optLinear.SetCaption("Even steps");
    optLog.SetCaption("Logarithmic steps");
    optMainZ.SetCaption("Impedance of the main window");
    optFile.SetCaption("Touchstone file:");
    cmdOpen.SetCaption("&Open File...");
    cmdOpen.SetToolTip("Read a one-port Touchstone file (.s1p), as an analyser saves it. A file can also be dropped on this window.");
    optAtLoad.SetCaption("At Load");
    optAtInput.SetCaption("At Input");
    optRef50.SetCaption("50 ohms");
    optRefZ0.SetCaption("|Z0| of the line");
    cmdSweep.SetCaption("&Sweep");
    cmdSweep.SetToolTip("Solve the line at every frequency of the band.");
    cmdClose.SetCaption("&Close");
    cmdClose.SetToolTip("Close and go back to main window.");
    for (form::Control* c : {static_cast<form::Control*>(&txtLine), static_cast<form::Control*>(&txtFile),
                             static_cast<form::Control*>(&txtSummary)})
        c->SetEnabled(false);

    spacing_.Add(optLinear);
    spacing_.Add(optLog);
    sources_.Add(optMainZ);
    sources_.Add(optFile);
    ends_.Add(optAtLoad);
    ends_.Add(optAtInput);
    refs_.Add(optRef50);
    refs_.Add(optRefZ0);

    // A user's choice sweeps again; the window's own choice of end (SetEnd) leaves the one sweep
    // to its caller.
    const auto rerun = [this] {
        if (window.visible() && !quiet_) cmdSweep.Click();
    };
    optLinear.on_click = rerun;
    optLog.on_click = rerun;
    // The user's answer to where a file was measured: kept for the files that follow, and the
    // question on the frame answered.
    const auto end_chosen = [this, rerun] {
        if (!quiet_ && optFile.selected() && file_) {
            file_at_load_ = optAtLoad.selected();
            fraGiven.SetStatus(form::Status::Normal, "");
        }
        rerun();
    };
    optAtLoad.on_click = end_chosen;
    optAtInput.on_click = end_chosen;
    optMainZ.on_click = [this, rerun] {
        if (!txtPoints.enabled()) txtPoints.SetText(typed_points_);
        txtPoints.SetEnabled(true);
        optLinear.SetEnabled(true);
        optLog.SetEnabled(true);
        if (main_) SetEnd(main_->line.entries.at_load);
        rerun();
    };
    optFile.on_click = [this, rerun] {
        if (!file_ && on_open_requested) on_open_requested();
        if (!file_) {
            optMainZ.Select();
            return;
        }
        // The file's own frequencies: the points and their spacing are its, and the box shows
        // how many of them the band holds.
        if (txtPoints.enabled()) typed_points_ = txtPoints.text();
        txtPoints.SetEnabled(false);
        optLinear.SetEnabled(false);
        optLog.SetEnabled(false);
        rerun();
    };
    const auto redraw = [this] {
        if (on_result_changed) on_result_changed();
    };
    optRef50.on_click = redraw;
    optRefZ0.on_click = redraw;
    cmdOpen.on_click = [this] {
        if (on_open_requested) on_open_requested();
    };
    cmdSweep.on_click = [this] {
        if (!Start()) return;
        if (on_started)
            on_started();
        else
            Run();
    };
    cmdClose.on_click = [this] { window.SetVisible(false); };
}

void SweepWindow::TakeMain(const MainLine& main) {
    main_ = main;
    txtLine.SetText(main.line_text);
}

void SweepWindow::Remember(std::map<std::string, std::string>& s) const {
    s["sweep.from"] = txtFrom.text();
    s["sweep.to"] = txtTo.text();
    s["sweep.points"] = txtPoints.text();
    s["sweep.spacing"] = optLog.selected() ? "log" : "linear";
    s["sweep.at"] = optAtLoad.selected() ? "load" : "input";
    s["sweep.centre"] = ShortestText(centred_on_);
    if (file_end_asked_) s["sweep.file_at"] = file_at_load_ ? "load" : "input";
    const std::string file = file_ && optFile.selected() ? txtFile.tool_tip() : recalled_file_;
    if (!file.empty()) s["sweep.file"] = file;
}

void SweepWindow::Recall(const std::map<std::string, std::string>& s, double main_freq_mhz) {
    const auto get = [&s](const char* key) { return Setting(s, key); };
    if (const auto* v = get("sweep.points")) txtPoints.SetText(*v);
    if (const auto* v = get("sweep.spacing")) (*v == "log" ? optLog : optLinear).Select();
    if (const auto* v = get("sweep.at")) SetEnd(*v == "load");
    // The band stands while the main window's frequency is the one it was made around.
    const std::string* from = get("sweep.from");
    const std::string* to = get("sweep.to");
    const std::string* centre = get("sweep.centre");
    if (from && to && centre && ParseNumber(*centre) == main_freq_mhz) {
        txtFrom.SetText(*from);
        txtTo.SetText(*to);
        centred_on_ = main_freq_mhz;
    }
    if (const auto* v = get("sweep.file")) recalled_file_ = *v;
    if (const auto* v = get("sweep.file_at")) file_at_load_ = *v == "load", file_end_asked_ = true;
}

void SweepWindow::Open(const MainLine& main) {
    TakeMain(main);
    // The last file of the run before a restart, opened once as the window first opens.
    if (!recalled_file_.empty()) {
        const std::string path = std::exchange(recalled_file_, std::string());
        if (!file_) OpenFile(path);
    }
    if (!optFile.selected()) {
        if (centred_on_ != main.freq_mhz) {
            const char mark = host_.DecimalMark();
            const BandAround band = BandAroundFrequency(main.freq_mhz);
            txtFrom.SetText(Format(band.from_mhz, kFrequencyPicture, mark));
            txtTo.SetText(Format(band.to_mhz, kFrequencyPicture, mark));
            centred_on_ = main.freq_mhz;
        }
        SetEnd(main.line.entries.at_load);
    }
    if (!placed_) {
        // A Smith chart and three plots side by side want room: 1180 x 760 pixels at 96 dots
        // per inch.
        form::PlaceLarge(host_, window, 17700.0f, 11400.0f, 0.9f);
        placed_ = true;
    }
    host_.ShowModeless(window);
    cmdSweep.Click();
}

void SweepWindow::Follow(const MainLine& main) {
    TakeMain(main);
    if (!optFile.selected()) SetEnd(main.line.entries.at_load);
    cmdSweep.Click();
}

void SweepWindow::SetEnd(bool at_load) {
    quiet_ = true;
    (at_load ? optAtLoad : optAtInput).Select();
    quiet_ = false;
}

void SweepWindow::Refuse(const std::string& title, const std::string& text) {
    host_.ShowMessage(text, title, form::Buttons::Ok);
}

bool SweepWindow::OpenFile(const std::string& path) {
    const std::string name = ShownName(FileName(path));
    // The one loader: a regular file of a measurement's size (a FIFO or a device would hang or
    // never end), read and checked line by line.
    auto data = LoadTouchstone(path);
    if (const auto* e = std::get_if<TouchstoneError>(&data)) {
        Refuse(kFileTitle, e->line == 0 ? name + " " + e->reason + "."
                                        : name + ", line " + std::to_string(e->line) + ": " + e->reason);
        return false;
    }
    OnePort& port = std::get<OnePort>(data);
    const OnePort solvable = Within(port, kMinFreqMHz, kMaxFreqMHz);
    if (solvable.f_mhz.empty()) {
        Refuse(kFileTitle, name + " has no point between 0.02 and 5000 MHz, the frequencies a line is solved at.");
        return false;
    }
    const double first = solvable.f_mhz.front(), last = solvable.f_mhz.back();
    if (const std::string warning = OvershootWarning(port); !warning.empty()) Refuse(kFileTitle, name + ": " + warning);
    file_ = std::move(port);
    txtFile.SetText(name);
    txtFile.SetToolTip(path);
    // The band is the file's: its first and last frequency a line can be solved at, written
    // exactly so that both ends stay in.
    const char mark = host_.DecimalMark();
    txtFrom.SetText(ShortestText(first, mark));
    txtTo.SetText(ShortestText(last, mark));
    // An analyser measures at the line input; the far end is the antenna. Where the user has said
    // otherwise, at the end chosen last. The first file asks, on the frame of the two ends, once.
    SetEnd(file_at_load_);
    if (!file_end_asked_) {
        file_end_asked_ = true;
        fraGiven.SetStatus(form::Status::Warning,
                           "Where was " + name + " measured? It is taken at the " + (file_at_load_ ? "load" : "line input") +
                               (file_at_load_ ? "; choose At Input if an analyser measured it at the line's input."
                                              : ", as an analyser measures; choose At Load if it is the antenna's own."));
    }
    if (optFile.selected())
        cmdSweep.Click();
    else
        optFile.Select();  // runs the sweep
    return true;
}

bool SweepWindow::Start() {
    if (!main_) return false;
    const double from = ParseNumber(txtFrom.text()), to = ParseNumber(txtTo.text());
    if (!IsNumberText(txtFrom.text()) || !IsNumberText(txtTo.text()) || !(from > 0.0) || !FrequencyAccepted(from) ||
        !FrequencyAccepted(to)) {
        Refuse(kBadFrequencyTitle, kBadFrequencyText);
        return false;
    }
    // A file of one point (the tuner designs for it there) makes no band: said so, rather than the
    // band's message about entries the user never typed.
    if (optFile.selected() && file_) {
        const OnePort solvable = Within(*file_, kMinFreqMHz, kMaxFreqMHz);
        if (solvable.f_mhz.size() == 1) {
            Refuse(kFileTitle, txtFile.text() + " holds one point a line can be solved at, at " +
                                   ShortestText(solvable.f_mhz.front(), host_.DecimalMark()) +
                                   " MHz: no band to sweep. The tuner designs for it at that frequency.");
            return false;
        }
    }
    if (!(from < to)) {
        Refuse("Bad Band!", "Enter a band whose upper frequency (To) is above its lower one (From).");
        return false;
    }
    // Checked whole before anything changes: a refused entry leaves a run under way running.
    std::vector<double> f;
    std::vector<std::complex<double>> z;
    const bool from_file = optFile.selected() && file_;
    if (from_file) {
        OnePort band = Within(*file_, from, to);
        f = std::move(band.f_mhz);
        z = std::move(band.z);
        if (f.empty()) {
            Refuse(kFileTitle, txtFile.text() + " has no point between " + txtFrom.text() + " and " + txtTo.text() + " MHz.");
            return false;
        }
    } else {
        const double n = ParseNumber(txtPoints.text());
        if (!IsNumberText(txtPoints.text()) || !(n >= kMinPoints && n <= kMaxPoints) || n != std::floor(n)) {
            Refuse("Bad Number of Points!", "Enter from " + PointsRangeText() + ".");
            return false;
        }
        f = Frequencies(from, to, static_cast<int>(n), optLog.selected());
        z.push_back(main_->z);
    }
    run_from_file_ = from_file;
    run_f_ = std::move(f);
    run_z_ = std::move(z);
    run_line_ = main_->line;
    run_line_.entries.at_load = optAtLoad.selected();
    done_ = 0;
    partial_.clear();
    partial_.reserve(run_f_.size());
    running_ = true;
    return true;
}

bool SweepWindow::Step(std::size_t budget) {
    if (!running_) return true;
    const std::size_t n = std::min(budget, run_f_.size() - done_);
    const std::span<const double> f(run_f_.data() + done_, n);
    const std::span<const std::complex<double>> z =
        run_z_.size() == run_f_.size() ? std::span<const std::complex<double>>(run_z_.data() + done_, n)
                                       : std::span<const std::complex<double>>(run_z_);
    const std::vector<SweepPoint> solved = Sweep(run_line_, f, z);
    partial_.insert(partial_.end(), solved.begin(), solved.end());
    done_ += n;
    if (done_ < run_f_.size()) return false;
    Finish();
    return true;
}

double SweepWindow::progress() const {
    return running_ && !run_f_.empty() ? static_cast<double>(done_) / static_cast<double>(run_f_.size()) : 1.0;
}

void SweepWindow::Run() {
    if (!running_ && !Start()) return;
    while (!Step(run_f_.size())) {
    }
}

void SweepWindow::Finish() {
    running_ = false;
    run_at_load_ = run_line_.entries.at_load;
    points_ = std::move(partial_);
    partial_.clear();
    if (run_from_file_) txtPoints.SetText(std::to_string(points_.size()));
    const char mark = host_.DecimalMark();
    if (points_.empty()) {
        txtSummary.SetText("The line has no solution in this band.");
    } else {
        const SweepPoint& best = points_[*LowestSwrAtLoad()];
        const EndFigures load = AtLoad(best, run_at_load_);
        // A file's summary says which end it was taken at: an analyser's file at the line input
        // and the antenna's own are different antennas.
        const bool asking = fraGiven.status() == form::Status::Warning;
        const std::string source =
            run_from_file_ ? txtFile.text() + " taken at the " + (run_at_load_ ? "load" : "line input") +
                                 (!asking ? "" : run_at_load_ ? " (measured at the line input? choose At Input)"
                                                              : " (the antenna's own? choose At Load)") +
                                 ": "
                           : std::string();
        txtSummary.SetText(source + std::to_string(points_.size()) + " points, " + ShortestText(ShownMHz(points_.front().f_mhz), mark) +
                           " to " + MHzText(points_.back().f_mhz) + ".   Lowest SWR at the load: " +
                           Format(load.swr, "0.00", mark) + " at " +
                           MHzText(best.f_mhz) + ", where the load is " +
                           ImpedanceText(load.z, "0.0", mark) + " ohms.");
    }
    if (on_result_changed) on_result_changed();
}

double SweepWindow::reference() const {
    if (optRefZ0.selected() && !points_.empty()) {
        const SweepPoint& mid = points_[points_.size() / 2];
        const double z0 = std::abs(std::complex<double>(mid.r0, mid.x0));
        if (z0 > 0.0) return z0;
    }
    return kReferenceOhms;
}

std::optional<std::size_t> SweepWindow::LowestSwrAtLoad() const {
    if (points_.empty()) return std::nullopt;
    const auto at_load = [this](const SweepPoint& p) { return AtLoad(p, run_at_load_).swr; };
    return static_cast<std::size_t>(std::min_element(points_.begin(), points_.end(), [&](const auto& a, const auto& b) {
                                        return at_load(a) < at_load(b);
                                    }) - points_.begin());
}

SweepWindow::SmithTexts SweepWindow::SmithTextsOfRun() const {
    SmithTexts t;
    t.reference = "Reference " + Format(reference(), "0.0", host_.DecimalMark()) + " ohms";
    if (points_.empty()) return t;
    t.first = MHzText(points_.front().f_mhz);
    t.last = MHzText(points_.back().f_mhz);
    t.key = "\u25cb " + t.first + "   \u25a0 " + t.last + "   \u25c6 lowest SWR at the load";
    return t;
}

std::string SweepWindow::MHzText(double f_mhz) const {
    return ShortestText(ShownMHz(f_mhz), host_.DecimalMark()) + " MHz";
}

std::string SweepWindow::CurveTipText(const std::string& curve, double f_mhz, double value, const char* picture) const {
    return MHzText(f_mhz) + "   " + curve + ": " + Format(value, picture, host_.DecimalMark());
}

std::string SweepWindow::PointText(std::size_t index, bool other_end) const {
    if (index >= points_.size()) return {};
    const SweepPoint& p = points_[index];
    const bool at_load = other_end != run_at_load_;
    const std::complex<double> z = (at_load ? AtLoad(p, run_at_load_) : AtInput(p, run_at_load_)).z;
    const double ref = reference();
    const std::complex<double> g = Gamma(z, ref);
    const char mark = host_.DecimalMark();
    const double rl = ReturnLossDb(g), swr = SwrOf(g);
    return MHzText(p.f_mhz) + ", " + (at_load ? "at the load" : "at the input") + "\n" +
           ImpedanceText(z, "#,##0.0#", mark) +
           " ohms\nSWR " + (std::isfinite(swr) ? Format(swr, "#,##0.00", mark) : std::string("infinite")) + " against " +
           Format(ref, "0.0", mark) + " ohms, return loss " +
           (std::isfinite(rl) ? Format(rl, "0.00", mark) + " dB" : std::string("infinite"));
}

void SweepWindow::SetTuner(std::optional<tuner::NetworkDesign> design) {
    tuner_ = std::move(design);
    if (on_result_changed) on_result_changed();
}

namespace {
constexpr const char* kSwrPlotTitle = "SWR against the line's Z0";
}  // namespace

std::vector<SweepPlot> SweepWindow::Plots() const {
    const bool at_load = run_at_load_;
    std::vector<SweepPlot> plots{
        // Against the line's own Z0, as the main window gives it (the Smith chart's tip reads
        // against the chart's reference, which it names).
        {kSwrPlotTitle, "SWR on the line's Z0", "#,##0.00", false,
         {{"SWR at the load", kLoadColour, {}}, {"SWR at the input", kInputColour, {}},
          {"SWR at the transmitter, tuner fixed", 0x008200, TunerSwr(), has_tuner()}},
         std::nullopt},
        {at_load ? "R and X at the Input" : "R and X at the Load", "Ohms", "#,##0.0# ohms", true,
         {{"R", 0x008C00, {}}, {"X", 0xB400B4, {}}}, std::nullopt},
        {"Loss", "dB", "0.000 dB", true, {{"Matched loss", 0x787878, {}}, {"Total loss", form::kBlack, {}}}, std::nullopt}};
    for (const SweepPoint& s : points_) {
        plots[0].curves[0].data.emplace_back(s.f_mhz, AtLoad(s, at_load).swr);
        plots[0].curves[1].data.emplace_back(s.f_mhz, AtInput(s, at_load).swr);
        plots[1].curves[0].data.emplace_back(s.f_mhz, s.r_other);
        plots[1].curves[1].data.emplace_back(s.f_mhz, s.x_other);
        plots[2].curves[0].data.emplace_back(s.f_mhz, s.matched_loss_db);
        plots[2].curves[1].data.emplace_back(s.f_mhz, s.total_loss_db);
    }
    // The lowest SWR at the load, marked on its curve and named in the plot's title.
    if (const auto best = LowestSwrAtLoad()) {
        const SweepPoint& b = points_[*best];
        const double swr = AtLoad(b, at_load).swr;
        plots[0].mark = std::pair{b.f_mhz, swr};
        plots[0].title = std::string(kSwrPlotTitle) + "      \u25a0 " + CurveTipText("lowest at the load", b.f_mhz, swr, "#,##0.00");
    }
    return plots;
}

std::vector<SmithTrace> SweepWindow::Traces() const {
    std::vector<SmithTrace> traces{{"At the load", kLoadColour, {}}, {"At the input", kInputColour, {}}};
    for (const SweepPoint& s : points_) {
        traces[0].z.push_back(AtLoad(s, run_at_load_).z);
        traces[1].z.push_back(AtInput(s, run_at_load_).z);
    }
    return traces;
}

std::vector<std::pair<double, double>> SweepWindow::TunerSwr() const {
    std::vector<std::pair<double, double>> out;
    if (!tuner_) return out;
    out.reserve(points_.size());
    for (const SweepPoint& p : points_) {
        const std::complex<double> input = AtInput(p, given_at_load()).z;
        const double swr = tuner::SwrAgainst(tuner::NetworkInputAt(*tuner_, p.f_mhz, input), tuner_->z0);
        if (std::isfinite(swr)) out.emplace_back(p.f_mhz, swr);  // no SWR where no power flows
    }
    return out;
}

}  // namespace qlx::sweep
