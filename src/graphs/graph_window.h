// frmVolt, the graph window: its texts, the chart's titles and series, print and close.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "form/form.h"
#include "graphs/graph_data.h"

namespace qlx {

class GraphWindow {
public:
    explicit GraphWindow(form::Host& host);
    GraphWindow(const GraphWindow&) = delete;
    GraphWindow& operator=(const GraphWindow&) = delete;

    // Fills the window from a graph run (the window is shown by the caller).
    void Fill(const GraphResult& g, bool volt_curr);
    // The tip at a point of a curve: "X: 12.5   Y: 104.2" (Series0's value to a tenth, Series1's
    // to a hundredth where it has one).
    // A point's tip with its units, "12.0 ft: 274.1 V".
    std::string TipText(bool series0, double x, double y) const;

    form::Window window{"frmVolt", "QLX, Voltage/Current or Resistance/Reactance Graph"};
    form::ResultField txtCableType{window, "txtCableType"};
    form::ResultField txtZLoad{window, "txtZLoad"};
    form::ResultField txtFreq{window, "txtFreq"};
    form::ResultField txtTotalLoss{window, "txtTotalLoss"};
    form::ResultField txtPower{window, "txtPower"};
    form::Label lblMaxV{window, "lblMaxV"};
    form::ResultField txtMaxV{window, "txtMaxV"};
    form::Label lblMaxI{window, "lblMaxI"};
    form::ResultField txtMaxI{window, "txtMaxI"};
    form::Button cmdPrint{window, "cmdPrint"};
    form::Button cmdBack{window, "cmdBack"};

    // How a curve is drawn, and its axis's title written, by every view.
    struct CurveStyle {
        form::Colour line;
        form::Colour title;  // darker than a bright line, so the title reads on white
        int width;
        bool dashed;
    };
    // The chart: red voltage (Series0) on the right axis, green current (Series1) dashed on the
    // left, so that the two are told apart without colour. Both reach 3:1 against white (the
    // old lime reached 1.4:1).
    struct Chart {
        static constexpr CurveStyle kSeries0{form::kRed, 0xB00000, 3, form::DashedCurve(0)};
        static constexpr CurveStyle kSeries1{0x008000, 0x006B00, 3, form::DashedCurve(1)};
        std::string title = "Along the Transmission Line";
        std::string bottom_title, left_title = "Current, Amperes", right_title = "Voltage, Volts";
        double bottom_max = 0.0;
        std::vector<std::pair<double, double>> series0, series1;
        int runs = 0;  // how many times the series have been loaded
    };
    const Chart& chart() const { return chart_; }
    // The run the window shows, every column of it (for saving its points).
    const GraphResult& shown() const { return shown_; }
    // A view refreshes its chart when the data change.
    std::function<void()> on_chart_changed;

private:
    void Print();
    form::Host& host_;
    Chart chart_;
    GraphResult shown_;
};

// An axis with round ticks: from lo to hi in steps of 1, 2 or 5 times a power of ten (about five
// intervals), labels with just enough decimals to tell them apart.
struct AxisScale {
    double lo = 0.0, hi = 1.0, step = 0.2;
    int decimals = 1;
};
// The axis for data from `lo` to `hi`. A curve that stays positive near zero starts at zero when
// `include_zero` is set; a range of no width (a flat curve, a line of no length) gets one
// around its value.
AxisScale ChooseAxis(double lo, double hi, bool include_zero);
// The axis for a chart's points: from their lowest to their highest y (0 to 0 for none).
AxisScale FitScale(const std::vector<std::pair<double, double>>& points, bool include_zero);
// The step alone, for an axis whose ends are fixed (the line from 0 to its length).
AxisScale TicksFor(double lo, double hi);
// The axis along a line of this length (feet or meters): a length the window shows as 0.000
// gets the axis of no length.
inline constexpr double kShortestShownLength = 0.0005;
AxisScale LengthAxis(double length);
// A tick's label: grouped digits, `decimals` after the mark, never "-0".
std::string AxisLabel(double value, int decimals);
// The labelled ticks of an axis: at whole multiples of the step (a tick summed up from its
// neighbours may land on -1E-17 and read "-0.0"), inside the axis's range.
struct AxisTick {
    double value;
    std::string label;
};
std::vector<AxisTick> AxisTicks(const AxisScale& a);

// The data point of a series nearest to a pointer at x (the points run in x order).
std::size_t NearestPoint(const std::vector<std::pair<double, double>>& series, double x);

// A long curve cut to what a chart can draw without changing its picture: in each of `buckets`
// runs of points (in x order) the lowest and the highest stay, in their order, with the first
// and the last point. A curve of up to 2 x buckets points comes back whole.
std::vector<std::pair<double, double>> ThinForDrawing(const std::vector<std::pair<double, double>>& series,
                                                      std::size_t buckets);

// The layout rule of the graph window, in twips, for an outer size W x H.
struct GraphLayout {
    double chart_left, chart_top, chart_width, chart_height;
    double buttons_left, buttons_top;
    double bottom_frame_top;
};
GraphLayout GraphLayoutFor(double width, double height);

}  // namespace qlx
