// frmPlan, the station plan's window: the region, bands and points, the antenna (the main
// window's, or the sweep window's file), a tuner the user owns, the table of designs (band points
// by networks), what each network needs, the recommendation, two charts (the tuner loss against
// frequency; the worst loss against the feed line's length) and the exports. A length scan runs
// in steps, so that a view can show its progress and stay answering.
#pragma once

#include <complex>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "form/form.h"
#include "plan/plan.h"

namespace qlx::plan {

inline constexpr const char* kPlanTitle = "QLX, Station Plan";

// What the main window hands over each time a plan is made: its line, its load (the impedance at
// the load at its frequency, solved when it was given at the input), the sweep window's file if one
// is open, and the tuner window's settings.
struct PlanSource {
    LineEntries line;
    std::optional<sweep::UserRecord> user;
    std::string line_text;  // "RG-213, 20 m"
    std::complex<double> load;
    std::optional<tuner::MeasuredAntenna> file;
    std::vector<std::pair<form::TextField TunerWindow::*, std::string>> settings;
};

// A cell as the table shows it: matched, matched with a part outside the ranges to buy (marked),
// not matched (greyed), or not measured there.
enum class CellState { Matched, OutOfRange, Failed, NotMeasured };
struct TableCell {
    std::string text;  // the parts and the loss, or why not
    std::string tip;   // the whole comparison row
    CellState state = CellState::Failed;
    bool best = false;  // the least-loss network with parts to buy at this point
};
struct TableRow {
    std::string band, freq;  // "40m", "7.100"
    std::vector<TableCell> cells;  // one per column
    std::optional<TableCell> have;  // my tuner, when one is given
};
struct PlanTable {
    std::vector<std::string> columns;  // the networks' names
    std::vector<TableRow> rows;        // one per band point
};

// A chart: curves of points with a tip for each.
struct PlanCurve {
    std::string name;
    form::Colour colour;
    std::vector<std::pair<double, double>> data;
    std::vector<std::string> tips;
};
struct PlanChart {
    std::string title, x_title, y_title;
    bool log_x = false;
    std::vector<PlanCurve> curves;
};

// What a click on a cell asks the tuner window to draw: the cell and the line it was designed for.
struct CellDraw {
    TunerWindow::Compared cell;
    PointLine line;
};

class PlanWindow {
public:
    explicit PlanWindow(form::Host& host);
    PlanWindow(const PlanWindow&) = delete;
    PlanWindow& operator=(const PlanWindow&) = delete;

    // "&Plan Bands...": shown, and the plan made for what `source` answers now.
    void Open();
    // "&Make Plan": the plan made again (the line, antenna and settings read afresh); a bad entry is
    // reported and the last plan stays.
    void MakeNow();
    const std::optional<Plan>& plan() const { return plan_; }

    // The length scan in steps: StartScan checks the entries (a message and false otherwise);
    // StepScan designs up to `lengths` more lengths, true when the scan is done or was ended
    // (Close, Escape: the window hidden).
    bool StartScan();
    bool StepScan(int lengths);
    bool scanning() const { return scanning_; }
    double progress() const;
    void StopScan();
    const std::vector<LengthResult>& scan() const { return scan_; }

    // The table, the charts and the exports of the plan made last.
    PlanTable Table() const;
    PlanChart LossChart() const;
    PlanChart LengthChart() const;
    std::string Csv() const;
    std::string Json() const;
    // A cell's click: the tuner window draws that design (on_draw_cell).
    void ClickCell(std::size_t row, std::size_t column);

    // Asked each time a plan is made.
    std::function<PlanSource()> source;
    std::function<void(const CellDraw&)> on_draw_cell;
    // The views redraw when a plan or a scan is finished; they step a scan once started.
    std::function<void()> on_result_changed;
    std::function<void()> on_started;

    form::Window window{"frmPlan", kPlanTitle};
    form::Label lblLine{window, "lblLine"};
    form::ResultField txtLine{window, "txtLine"};
    form::Label fraRegion{window, "fraRegion"};
    form::Option optRegion1{window, "optRegion1"};
    form::Option optRegion2{window, "optRegion2"};
    form::Option optRegion3{window, "optRegion3"};
    form::Label lblBands{window, "lblBands"};
    form::TextField txtBands{window, "txtBands"};
    form::Label lblPoints{window, "lblPoints"};
    form::TextField txtPoints{window, "txtPoints"};
    form::Label fraAntenna{window, "fraAntenna"};
    form::Option optMainZ{window, "optMainZ"};
    form::Option optFile{window, "optFile"};
    form::Label lblHave{window, "lblHave"};
    form::TextField txtHave{window, "txtHave"};
    form::Button cmdPlan{window, "cmdPlan"};
    form::Button cmdPrint{window, "cmdPrint"};
    form::Button cmdClose{window, "cmdClose"};
    form::ResultField txtSummary{window, "txtSummary"};  // the recommendation
    form::ResultField txtHaveResult{window, "txtHaveResult"};  // how my tuner does
    // What each network needs: its parts' ranges, worst loss and settings per band.
    form::Label lblNet0{window, "lblNet0"};
    form::Label lblNet1{window, "lblNet1"};
    form::Label lblNet2{window, "lblNet2"};
    form::Label lblNet3{window, "lblNet3"};
    form::Label lblNet4{window, "lblNet4"};
    form::Label lblLengths{window, "lblLengths"};
    form::TextField txtLengths{window, "txtLengths"};
    form::Button cmdScan{window, "cmdScan"};
    form::ResultField txtScanResult{window, "txtScanResult"};  // the best lengths

private:
    // The inputs the entries describe, or the message that says what is wrong.
    std::variant<Inputs, std::string> ReadInputs() const;
    void Refuse(const std::string& text);
    void ShowPlan();
    void ShowScan();
    std::string Picture(double value) const;  // a number in the user's decimal mark

    form::Host& host_;
    form::OptionGroup regions_, antennas_;
    bool placed_ = false;  // given its first place and size on the screen
    std::optional<PlanSource> source_;  // what the plan shown was made for
    std::optional<Inputs> inputs_;
    std::optional<Plan> plan_;

    bool scanning_ = false;
    Inputs scan_inputs_;
    Lengths scan_lengths_;
    int scan_done_ = 0, scan_count_ = 0;
    bool scan_meters_ = false;
    std::vector<LengthResult> scan_;
};

}  // namespace qlx::plan
