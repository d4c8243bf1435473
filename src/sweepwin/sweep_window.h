// frmSweep, the line across a band: the band and its points, where the impedance comes from (the
// main window's entry or a one-port Touchstone file) and the end it belongs to, the sweep run in
// steps so that a long one can show its progress, and what the charts and the exports read.
#pragma once

#include <complex>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form/form.h"
#include "sweep/sweep.h"
#include "tuner/networks.h"
#include "sweep/touchstone.h"

namespace qlx::sweep {

inline constexpr const char* kSweepTitle = "QLX, Line Across a Band";

// The plots against frequency as every view draws them: a curve's name, colour and data (all
// points; a view may thin them for drawing), and the mark of the lowest SWR at the load.
struct SweepCurve {
    const char* name;
    form::Colour colour;
    std::vector<std::pair<double, double>> data;
    bool shown = true;
};
struct SweepPlot {
    std::string title;
    const char* y_title;
    const char* picture;  // of the tip's value
    bool y_from_zero;     // SWR starts near 1, the others at 0 where they stay positive
    std::vector<SweepCurve> curves;
    std::optional<std::pair<double, double>> mark;
};
// The Smith chart's traces: the impedance at the load and at the line input, point by point.
struct SmithTrace {
    const char* name;
    form::Colour colour;
    std::vector<std::complex<double>> z;
};
inline constexpr form::Colour kLoadColour = 0xD20000;   // the load end, in every chart
inline constexpr form::Colour kInputColour = 0x003CDC;  // the line input

// What the main window hands over: its line, its frequency and its impedance with its end.
struct MainLine {
    SweepLine line;
    double freq_mhz = 0.0;
    std::complex<double> z;
    std::string line_text;  // the cable, its length and unit, for the window's header
};

class SweepWindow {
public:
    explicit SweepWindow(form::Host& host);
    SweepWindow(const SweepWindow&) = delete;
    SweepWindow& operator=(const SweepWindow&) = delete;

    // The main window's "S&weep": the band centred on its frequency (± 10 %) unless the band was
    // already chosen around that frequency, the end and impedance as it has them, then a run.
    void Open(const MainLine& main);
    // What a restart finds again (QLX settings.ini): the band, points, spacing, the end the impedance
    // is given at and the last file, by key. A band remembered stands until the main window's
    // frequency changes; the file is opened again as the window first opens (a file gone is told).
    void Remember(std::map<std::string, std::string>& settings) const;
    void Recall(const std::map<std::string, std::string>& settings, double main_freq_mhz);
    // The main window's line changed while this window is shown: swept again for it.
    void Follow(const MainLine& main);
    // Reads a Touchstone file as the impedance source: its band, taken at the line input (where
    // an analyser measures it). A file that cannot be read or is refused is reported and changes
    // nothing. True when the file was taken.
    bool OpenFile(const std::string& path);

    // A run in steps: Start checks the entries (a message and false when they hold no band) and
    // prepares the frequencies; Step solves up to `budget` more points, true when the run is done.
    bool Start();
    bool Step(std::size_t budget);
    bool running() const { return running_; }
    double progress() const;  // 0 to 1 of the run under way
    // Start and every step at once (no window to keep alive).
    void Run();

    // The finished run's points (the last finished run's while another is under way).
    const std::vector<SweepPoint>& points() const { return points_; }
    // The Smith chart's reference: 50 ohms, or |Z0| of the line at the band's middle point.
    double reference() const;
    // The point of lowest SWR at the load (the antenna's best match); none without points.
    std::optional<std::size_t> LowestSwrAtLoad() const;

    // The last tuner drawn, left as designed: the SWR the transmitter sees through it at each
    // point of the run (the line input's impedance into the network's fixed elements), as the
    // curve "SWR at the transmitter, tuner fixed". Empty without a tuner.
    void SetTuner(std::optional<tuner::NetworkDesign> design);
    // The Touchstone file the window's impedance comes from (nothing while it takes the main
    // window's), and whether it was measured at the load.
    const OnePort* measured() const { return optFile.selected() && file_ ? &*file_ : nullptr; }
    bool measured_at_load() const { return optAtLoad.selected(); }
    const std::string& measured_name() const { return txtFile.text(); }
    bool has_tuner() const { return tuner_.has_value(); }
    std::vector<std::pair<double, double>> TunerSwr() const;
    // The three plots (SWR; R and X at the other end; the losses) and the two Smith traces (the
    // load's first) of the finished run.
    std::vector<SweepPlot> Plots() const;
    std::vector<SmithTrace> Traces() const;
    // Which end the impedances of a trace belong to.
    bool given_at_load() const { return run_at_load_; }
    // The tip at a point of the chart: frequency, R + jX, SWR and return loss against the
    // reference, at the given end or the other.
    std::string PointText(std::size_t index, bool other_end) const;
    // The tip at a point of a Smith trace of Traces(): trace 0 holds the load's impedances, trace
    // 1 the input's, whichever end the impedance was given at.
    std::string TraceTipText(std::size_t index, std::size_t trace) const {
        return PointText(index, (trace == 0) != given_at_load());
    }
    // The Smith chart's texts beside its traces: the ends' frequencies, the key to the marks
    // ("○ 13 MHz   ■ 15 MHz   ◆ lowest SWR at the load") and the reference ("Reference
    // 50.0 ohms"); empty ends and key without points.
    struct SmithTexts {
        std::string first, last, key, reference;
    };
    SmithTexts SmithTextsOfRun() const;
    // A frequency as the window writes it ("14.075 MHz"), and a plot's tip ("14.1 MHz   SWR at
    // the load: 1.40") with the value written to `picture`; both in the user's decimal mark.
    std::string MHzText(double f_mhz) const;
    std::string CurveTipText(const std::string& curve, double f_mhz, double value, const char* picture) const;
    // The exports: every point as CSV, the impedance at the other end as a Touchstone file
    // referred to the chart's reference.
    std::string Csv() const { return SweepCsv(points_); }
    std::string Touchstone() const { return OtherEndTouchstone(points_, reference(), run_at_load_); }

    // The views redraw when a run finishes or the reference changes.
    std::function<void()> on_result_changed;
    // The view steps a started run from its event loop; without a view the run goes at once.
    std::function<void()> on_started;

    form::Window window{"frmSweep", kSweepTitle};
    form::Label lblLine{window, "lblLine"};
    form::ResultField txtLine{window, "txtLine"};  // the line swept
    // The captions of the groups of options.
    form::Label fraSpacing{window, "fraSpacing"};
    form::Label fraGiven{window, "fraGiven"};
    form::Label fraSource{window, "fraSource"};
    form::Label fraReference{window, "fraReference"};
    form::Label lblFrom{window, "lblFrom"};
    form::TextField txtFrom{window, "txtFrom"};
    form::Label lblTo{window, "lblTo"};
    form::TextField txtTo{window, "txtTo"};
    form::Label lblPoints{window, "lblPoints"};
    form::TextField txtPoints{window, "txtPoints"};
    form::Option optLinear{window, "optLinear"};
    form::Option optLog{window, "optLog"};
    form::Option optMainZ{window, "optMainZ"};
    form::Option optFile{window, "optFile"};
    form::ResultField txtFile{window, "txtFile"};  // the file's name
    form::Button cmdOpen{window, "cmdOpen"};
    form::Option optAtLoad{window, "optAtLoad"};
    form::Option optAtInput{window, "optAtInput"};
    form::Option optRef50{window, "optRef50"};
    form::Option optRefZ0{window, "optRefZ0"};
    form::Button cmdSweep{window, "cmdSweep"};
    form::Button cmdClose{window, "cmdClose"};
    form::ResultField txtSummary{window, "txtSummary"};  // the band's result in a line

    // The view's file dialog: asks for a file and hands its path to OpenFile.
    std::function<void()> on_open_requested;

private:
    void TakeMain(const MainLine& main);
    void Finish();
    void Refuse(const std::string& title, const std::string& text);
    // Chooses the end without sweeping: the caller sweeps once for all it changed.
    void SetEnd(bool at_load);

    form::Host& host_;
    form::OptionGroup spacing_, sources_, ends_, refs_;
    std::optional<MainLine> main_;
    std::optional<OnePort> file_;
    double centred_on_ = 0.0;  // the main window's frequency the band was centred on
    bool placed_ = false;      // given its first place and size on the screen
    std::string recalled_file_;  // the last file of the run before a restart, opened with the window
    bool file_at_load_ = false;    // where files are taken: at the line input, unless the user said the load
    bool file_end_asked_ = false;  // the first file asks where it was measured; the answer is kept
    bool quiet_ = false;       // SetEnd at work
    std::string typed_points_;  // the points typed, kept while a file's points are shown

    // The run under way.
    bool running_ = false;
    bool run_at_load_ = true;
    bool run_from_file_ = false;
    SweepLine run_line_;
    std::vector<double> run_f_;
    std::vector<std::complex<double>> run_z_;
    std::size_t done_ = 0;
    std::vector<SweepPoint> partial_;
    std::vector<SweepPoint> points_;
    std::optional<tuner::NetworkDesign> tuner_;
};

}  // namespace qlx::sweep
