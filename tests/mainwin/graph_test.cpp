// Graphs along the line through the main window's "&Graph", the graph computation itself, and
// the tuner set-up window the graphs take their power from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <vector>

#include "core/format.h"
#include "core/numbers.h"
#include "mainwin/main_window.h"
#include "support/started_window.h"

namespace qlx {
namespace {

using cd = std::complex<double>;

struct Graphing : testing::StartedWindow {
    // RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load.
    void Mismatched() {
        win->txtFreq.SetText("14");
        win->cboPickCable.Choose(17);
        win->txtResistance.SetText("200");
        win->txtReactance.SetText("-100");
    }
};

TEST(Graph, TwoHundredAndOnePointsFromTransmitterToLoadForAnyLength) {
    for (const char* length : {"0", "1", "100", "9999", "33.3", "0.7"}) {
        Graphing t;
        t.win->txtLength.SetText(length);
        t.win->cmdGraph.Click();
        const GraphResult& g = t.win->graph();
        const double ld = ParseNumber(length);
        EXPECT_EQ(g.pos[0], 0.0) << length;
        EXPECT_EQ(g.pos[200], ld) << length;
        EXPECT_NEAR(g.pos[100], ld / 2, 1e-9 * (ld + 1)) << length;
        // Every position as the round number it is: a file shows 4.5, not 4.500000000000001.
        const std::string csv = GraphCsv(g);
        for (std::size_t k = 0, at = csv.find('\n'); k < 201; ++k) {
            const std::size_t end = csv.find(',', at + 1);
            const std::string pos = csv.substr(at + 1, end - at - 1);
            EXPECT_LE(pos.size(), 10u) << length << " point " << k << ": " << pos;
            at = csv.find('\n', end);
        }
        for (std::size_t k = 0; k < 201; ++k) {
            EXPECT_TRUE(std::isfinite(g.v[k]) && std::isfinite(g.i[k]) && std::isfinite(g.r[k]) &&
                        std::isfinite(g.x[k]))
                << length << " point " << k;
        }
        EXPECT_EQ(t.win->frmVolt.chart().series0.size(), 201u);
        EXPECT_EQ(t.win->frmVolt.chart().series1.size(), 201u);
        EXPECT_EQ(t.host.modeless_shown, std::vector<std::string>{"frmVolt"});
    }
    Graphing zero;
    zero.win->txtLength.SetText("0");
    zero.win->cmdGraph.Click();
    EXPECT_FLOAT_EQ(zero.win->BLen, 0.000001f);
}

TEST(Graph, EndsHoldTheInputVoltageAndTheLoadVoltage) {
    Graphing t;
    t.Mismatched();
    t.win->cmdGraph.Click();
    const GraphResult& g = t.win->graph();
    const LineValues& line = t.win->line();
    // At the input: V = sqrt(P Rp) with Rp the parallel resistance of the input impedance.
    const cd zin(line.rin, line.xin);
    const double vin = std::sqrt(1500.0 * std::norm(zin) / zin.real());
    EXPECT_NEAR(g.v[0], vin, 1e-6 * vin);
    // At the load, by the textbook line equations V(l) = Vin cosh(gl) - Iin Z0 sinh(gl), with the
    // unrounded matched loss.
    const cd z0(line.r0, line.x0);
    const double ml = 100.0 * line.atten100 / 100.0;
    const cd gl(ml * std::log(10.0) / 20.0, static_cast<float>(6.2831854820251465 / line.wave_len) * 100.0);
    const cd vl = vin * std::cosh(gl) - (vin / zin) * z0 * std::sinh(gl);
    EXPECT_NEAR(g.v[200], std::abs(vl), 1e-5 * std::abs(vl));
    // And there the impedance is the load's.
    EXPECT_NEAR(g.r[200], 200.0, 1e-3);
    EXPECT_NEAR(g.x[200], -100.0, 1e-3);
    EXPECT_EQ(t.win->frmVolt.txtZLoad.text(), "Load: 200 - j 100   SWR = " + t.win->txtLoadSWR.text());
    EXPECT_EQ(t.win->frmVolt.txtPower.text(), "At 1500 W");
    EXPECT_EQ(t.win->frmVolt.txtFreq.text(), "14 MHz");
    EXPECT_EQ(t.win->frmVolt.txtCableType.text(), " RG-213 (Belden 8267)");
    EXPECT_EQ(t.win->frmVolt.window.caption(), "QLX, Voltage/Current Graph Along Line");
}

TEST(Graph, MatchedLineFallsSteadilyAndMismatchedMaximaLieHalfAWaveApart) {
    Graphing matched;
    matched.win->txtFreq.SetText("14");
    matched.win->cboPickCable.Choose(17);
    const LineValues l = matched.win->line();
    matched.win->txtResistance.SetText(ShortestText(static_cast<double>(l.r0)));
    matched.win->txtReactance.SetText(ShortestText(static_cast<double>(l.x0)));
    matched.win->cmdGraph.Click();
    const GraphResult& m = matched.win->graph();
    for (std::size_t k = 0; k < 200; ++k) EXPECT_LT(m.v[k + 1], m.v[k]) << k;

    Graphing t;
    t.Mismatched();
    t.win->cmdGraph.Click();
    const GraphResult& g = t.win->graph();
    std::vector<double> maxima;
    for (std::size_t k = 1; k < 200; ++k)
        if (g.v[k] > g.v[k - 1] && g.v[k] >= g.v[k + 1]) maxima.push_back(g.pos[k]);
    ASSERT_GE(maxima.size(), 3u);
    const double half_wave = t.win->line().wave_len / 2.0;  // 0.66 x 983.571 / 14 / 2 = 23.18 ft
    for (std::size_t n = 1; n < maxima.size(); ++n)
        EXPECT_NEAR(maxima[n] - maxima[n - 1], half_wave, 2 * 0.5) << n;  // within a sample either side
}

TEST(Graph, MetersAndTheLoadFromTheRoundedPolarDisplay) {
    Graphing t;
    t.Mismatched();
    t.win->optMeters.Select();  // 100 feet become 30.480 meters
    t.win->optInput.Select();
    t.win->optResisReac.Select();
    t.win->cmdGraph.Click();
    const GraphResult& g = t.win->graph();
    EXPECT_EQ(g.pos[200], 30.48);
    EXPECT_NEAR(g.bottom_max, 30.48, 1e-4);
    EXPECT_NEAR(t.win->BLen, 100.0, 1e-3);
    EXPECT_EQ(g.bottom_title, "Length, in Meters, from Transmitter");
    EXPECT_EQ(g.left_title, "Reactance, Ohms");
    EXPECT_EQ(g.right_title, "Resistance, Ohms");
    EXPECT_EQ(t.win->frmVolt.window.caption(), "QLX, Series Resistance & Reactance Along Line");
    // The load is the polar display's M at theta degrees, as rounded there.
    const double m = ParseNumber(t.win->txtPolarZ.text());
    const double theta = ParseNumber(t.win->txtPolarDegree.text()) / 57.2957763671875;
    EXPECT_NEAR(g.r[200], m * std::cos(theta), 1e-3);
    EXPECT_NEAR(g.x[200], m * std::sin(theta), 1e-3);
    EXPECT_EQ(t.win->frmVolt.txtZLoad.text(), "Load: " + t.win->txtImpedIn.text() + "   SWR = " +
                                                  t.win->txtLoadSWR.text());
    // The chart shows resistance (red) and reactance (lime).
    EXPECT_EQ(t.win->frmVolt.chart().series0[200].second, g.r[200]);
    EXPECT_EQ(t.win->frmVolt.chart().series1[200].second, g.x[200]);
}

TEST(Graph, PowerAndLoadCasesOfTheComputation) {
    GraphInputs in;
    in.length_text = "100";
    in.resistance_text = "50";
    in.reactance_text = "0";
    in.load_swr_text = "1.00";
    in.line = {50.0f, 0.0f, 64.9f};
    in.atten100 = 0.0f;
    // 1500 W into 50 ohms: sqrt(1500 x 50) = 273.9 V and 273.9 / 50 = 5.48 A.
    GraphResult g = ComputeGraph(in);
    EXPECT_NEAR(g.v[0], 273.86, 0.01);
    EXPECT_NEAR(g.i[0], 5.477, 0.001);
    EXPECT_EQ(g.max_v_text, "273.9 V");
    EXPECT_EQ(g.max_i_text, "5.5 A");

    // No power: no voltage and no current, but the impedance along the line all the same.
    in.tx_power_text = "0";
    in.resistance_text = "100";
    g = ComputeGraph(in);
    EXPECT_EQ(g.max_v, 0.0);
    EXPECT_EQ(g.power, "At 0 W");
    EXPECT_NEAR(g.r[200], 100.0, 1e-4);  // through the single-precision input impedance

    // A negative load resistance leaves out the impedance part of the load text.
    in.tx_power_text = "100";
    in.resistance_text = "-20";
    in.reactance_text = "5";
    in.load_swr_text = "-1.5";
    g = ComputeGraph(in);
    EXPECT_EQ(g.z_load, "Load:    SWR = -1.50");
}

TEST(Graph, CloseHidesAndTheNextRunShowsTheWindowAgainInItsPlace) {
    Graphing t;
    EXPECT_EQ(t.win->frmVolt.window.caption(), "QLX, Voltage/Current or Resistance/Reactance Graph");
    t.win->cmdGraph.Click();
    t.win->frmVolt.window.SetGeometry(500, 600, 7000, 9000);
    t.win->frmVolt.cmdBack.Click();
    EXPECT_FALSE(t.win->frmVolt.window.visible());
    t.win->cmdGraph.Click();
    EXPECT_TRUE(t.win->frmVolt.window.visible());
    EXPECT_EQ(t.win->frmVolt.window.left(), 500);
    EXPECT_EQ(t.win->frmVolt.window.width(), 9000);
    EXPECT_EQ(t.win->frmVolt.chart().runs, 2);

    // Print answered No prints nothing; a failing printer says so.
    t.win->frmVolt.cmdPrint.Click();
    EXPECT_TRUE(t.host.printed.empty());
    t.host.print_ok = false;
    t.host.answers = {form::Answer::Yes};
    t.win->frmVolt.cmdPrint.Click();
    EXPECT_EQ(t.host.printed, std::vector<std::string>{"frmVolt"});
    EXPECT_EQ(t.host.messages.back().text, "Printer problem. ");
}

TEST(TunerWindow, CapacitorRowsFollowTheNetworkChoice) {
    Graphing t;
    TunerWindow& tw = t.win->frmTuner;
    for (const form::Option* o : {&tw.optLNet1, &tw.optLNet2, &tw.optPiNet, &tw.optTeeNet})
        EXPECT_FALSE(o->selected()) << o->name();
    EXPECT_FALSE(tw.txtPiCap.visible());
    EXPECT_FALSE(tw.txtTeeCap.visible());
    EXPECT_EQ(tw.txtPhase.text(), "0 ");

    tw.optPiNet.Select();
    EXPECT_TRUE(tw.txtPiCap.visible() && tw.lblPiCap.visible());
    EXPECT_FALSE(tw.txtTeeCap.visible() || tw.lblTeeCap.visible());
    tw.txtPiCap.SetText("");
    EXPECT_EQ(tw.txtPiCap.text(), "500");
    tw.txtPiCap.SetText("-3");
    EXPECT_EQ(tw.txtPiCap.text(), "500");

    tw.optLNet2.Select();  // an L network leaves the rows as they were
    EXPECT_TRUE(tw.txtPiCap.visible());

    tw.optTeeNet.Select();
    EXPECT_TRUE(tw.txtTeeCap.visible() && tw.lblTeeCap.visible());
    EXPECT_FALSE(tw.txtPiCap.visible());
    tw.txtTeeCap.SetText("0");
    EXPECT_EQ(tw.txtTeeCap.text(), "100");
    tw.txtTeeCap.SetText("47");
    EXPECT_EQ(tw.txtTeeCap.text(), "47");

    // "&Tuner" shows the window beside the main window; "&Cancel" hides it.
    t.win->cmdTuner.Click();
    EXPECT_EQ(t.host.modeless_shown, std::vector<std::string>{"frmTuner"});
    EXPECT_EQ(tw.tee_tab_index, 2);
    tw.cmdBack.Click();
    EXPECT_FALSE(tw.window.visible());

    // The graph's power comes from the tuner window.
    tw.txtTxPwr.SetText("100");
    t.win->cmdGraph.Click();
    EXPECT_FLOAT_EQ(t.win->PwrIn, 100.0f);
    EXPECT_EQ(t.win->frmVolt.txtPower.text(), "At 100 W");
}

// 6000 feet at 5000 MHz, some 3500 dB: the voltage and current die away, but the impedance
// looking toward the load is still drawn: Z0 along the line, the load itself at its end.
TEST(Graph, AVeryLossyLineStillShowsTheImpedanceTowardTheLoad) {
    Graphing t;
    t.win->txtFreq.SetText("5000");
    t.win->cboPickCable.Choose(16);
    t.win->txtLength.SetText("6000");
    t.win->txtResistance.SetText("200");
    t.win->txtReactance.SetText("-100");
    t.win->optResisReac.Select();
    t.win->cmdGraph.Click();
    const GraphResult& g = t.win->graph();
    EXPECT_NEAR(g.r[200], 200.0, 1e-3);
    EXPECT_NEAR(g.x[200], -100.0, 1e-3);
    for (std::size_t k : {1u, 100u, 190u}) {
        EXPECT_NEAR(g.r[k], t.win->line().r0, 0.01) << k;
        EXPECT_NEAR(g.x[k], t.win->line().x0, 0.01) << k;
    }
}

// An open graph is redrawn when the line changes; a closed one is left alone.
TEST(Graph, AnOpenGraphFollowsTheLine) {
    Graphing t;
    t.Mismatched();
    t.win->cmdGraph.Click();
    const double before = t.win->graph().max_v;
    t.win->txtReactance.SetText("-300");
    EXPECT_NE(t.win->graph().max_v, before);
    EXPECT_NE(t.win->frmVolt.txtZLoad.text().find("- j 300"), std::string::npos) << t.win->frmVolt.txtZLoad.text();
    // A switch of kind redraws the open graph: resistance at the load end is the load's.
    t.win->optResisReac.Select();
    EXPECT_EQ(t.win->frmVolt.window.caption(), "QLX, Series Resistance & Reactance Along Line");
    ASSERT_FALSE(t.win->frmVolt.chart().series0.empty());
    EXPECT_NEAR(t.win->frmVolt.chart().series0.back().second, 200.0, 1e-3);
    t.win->optVoltCurr.Select();
    EXPECT_EQ(t.win->frmVolt.window.caption(), "QLX, Voltage/Current Graph Along Line");
    t.win->frmVolt.cmdBack.Click();
    const double closed = t.win->graph().max_v;
    t.win->txtReactance.SetText("-100");
    EXPECT_EQ(t.win->graph().max_v, closed);
}

// Round ticks for any range from a millionth to a million: steps of 1, 2 or 5 x 10^n, about
// five intervals, the data inside, and labels that differ from each other.
TEST(GraphAxes, TicksAreRoundAndTheirLabelsDistinct) {
    for (double span = 1e-6; span <= 1e6; span *= 3.7) {
        for (double start : {0.0, 2.8, -span, 1234.5}) {
            const double lo = start, hi = start + span;
            const AxisScale a = ChooseAxis(lo, hi, false);
            const double mantissa = a.step / std::pow(10.0, std::floor(std::log10(a.step) + 1e-12));
            EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
                << span << " step " << a.step;
            const double intervals = (a.hi - a.lo) / a.step;
            EXPECT_GE(intervals, 2.5) << span << " " << start << " " << a.lo << " " << a.hi << " " << a.step;
            EXPECT_LE(intervals, 11.5) << span;
            EXPECT_LE(a.lo, lo + 1e-9 * std::fabs(lo));
            EXPECT_GE(a.hi, hi - 1e-9 * std::fabs(hi));
            std::vector<std::string> labels;
            for (double v = a.lo; v <= a.hi + a.step / 2; v += a.step)
                labels.push_back(Format(v, a.decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(a.decimals), '0')));
            for (std::size_t k = 1; k < labels.size(); ++k) EXPECT_NE(labels[k], labels[k - 1]) << span << " " << start;
        }
    }
    // A flat curve and a line of no length still get an axis with some room.
    const AxisScale flat = ChooseAxis(2.85, 2.85, false);
    EXPECT_LT(flat.lo, 2.85);
    EXPECT_GT(flat.hi, 2.85);
    const AxisScale none = TicksFor(0.0, 0.0);
    EXPECT_EQ(none.lo, 0.0);
    EXPECT_EQ(none.hi, 1.0);
    EXPECT_EQ(NearestPoint({{0, 1}, {7.5, 2}, {8.0, 3}}, 7.8), 2u);
}

// A line of no length and a curve flat but for its rounding noise get axes a reader can use, and
// no tick reads "-0".
TEST(GraphAxes, NoLengthFlatNoiseAndNegativeZero) {
    // The 0.000001 feet that stand for a line of no length, and what still shows as 0.000.
    for (double length : {1e-6, 0.0004}) {
        const AxisScale a = LengthAxis(length);
        EXPECT_EQ(a.lo, 0.0) << length;
        EXPECT_EQ(a.hi, 1.0) << length;
        EXPECT_LE(a.decimals, 1) << length;
    }
    EXPECT_EQ(LengthAxis(0.001).hi, 0.001);  // shown as 0.001: a length, drawn as one
    // The voltage along a line of no length: 273.8612 V give or take its seventh digit.
    const AxisScale volts = ChooseAxis(273.861270, 273.861290, false);
    EXPECT_GE(volts.step, 1.0);
    EXPECT_LE(volts.decimals, 1);
    struct Label {
        double value;
        int decimals;
        const char* text;
    } const labels[] = {{-1e-17, 1, "0.0"}, {-0.04, 1, "0.0"}, {-0.0, 0, "0"},   {-0.06, 1, "-0.1"},
                        {-100.0, 1, "-100.0"}, {1234.5, 1, "1,234.5"}, {5e-7, 7, "0.0000005"}};
    for (const Label& l : labels) EXPECT_EQ(AxisLabel(l.value, l.decimals), l.text) << l.value;
}

// A transmitter power beyond any single-precision number draws as no power, never as "inf".
TEST(Graph, APowerBeyondAnyNumberDrawsAsNone) {
    Graphing t;
    t.Mismatched();
    t.win->frmTuner.txtTxPwr.SetText("1e39");
    t.win->cmdGraph.Click();
    EXPECT_EQ(t.win->graph().pwr_in, 0.0f);
    EXPECT_EQ(t.win->frmVolt.txtPower.text(), "At 0 W");
    EXPECT_EQ(t.win->graph().max_v, 0.0);
    EXPECT_TRUE(std::isfinite(t.win->graph().r[100]));
}

}  // namespace
}  // namespace qlx

// A thinned curve keeps its ends and every peak and dip: the extremes of each run of points
// are those of the whole, and a short curve comes back whole.
TEST(GraphAxes, AThinnedCurveKeepsItsPeaksAndEnds) {
    std::vector<std::pair<double, double>> curve;
    for (int k = 0; k < 100001; ++k) curve.emplace_back(k * 0.01, std::sin(k * 0.0123) + (k == 54321 ? 5.0 : 0.0));
    const auto thin = qlx::ThinForDrawing(curve, 1000);
    EXPECT_LE(thin.size(), 2002u);
    EXPECT_EQ(thin.front(), curve.front());
    EXPECT_EQ(thin.back(), curve.back());
    const auto by_y = [](const auto& a, const auto& b) { return a.second < b.second; };
    EXPECT_EQ(*std::max_element(thin.begin(), thin.end(), by_y), curve[54321]);  // a one-point spike
    EXPECT_EQ(std::min_element(thin.begin(), thin.end(), by_y)->second,
              std::min_element(curve.begin(), curve.end(), by_y)->second);
    EXPECT_TRUE(std::is_sorted(thin.begin(), thin.end()));  // still in x order
    const std::vector<std::pair<double, double>> few(curve.begin(), curve.begin() + 2000);
    EXPECT_EQ(qlx::ThinForDrawing(few, 1000), few);
}
