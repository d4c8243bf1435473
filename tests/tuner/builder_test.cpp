// The tuner a builder needs: the band run against physics built here (not by the code under
// test), the comparison and its order, the capacitor chosen for the band, the builder's notes at
// their thresholds, and the mended refusals, each rebuilt as an independent ladder.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "core/format.h"
#include "ladder.h"
#include "support/started_window.h"
#include "sweepwin/sweep_window.h"
#include "tuner/band.h"
#include "tuner/networks.h"
#include "tuner/tuner_texts.h"

namespace qlx {
namespace {

using cd = std::complex<double>;
using tuner::Network;

tuner::DesignResult DesignAt(Network n, double ra, double xa, double f0, tuner::TunerSettings s = {}) {
    return tuner::Design(n, tuner::MakeTunerLoad(ra, xa, f0), s);
}

// A line of no length: the line input is the load at every frequency.
sweep::SweepLine NoLine() {
    sweep::SweepLine l;
    l.entries.cable_position = 17;
    l.entries.length_text = "0";
    return l;
}

// A lossless two-element L network, its elements fixed, swept by hand: series X_s(f) toward the
// transmitter, shunt X_p(f) across the load R (the low-pass L with its capacitor across the line
// input). Closed form: Z = jXs + R || jXp.
TEST(BandRun, ALosslessLNetworkFollowsTheClosedFormOfTwoElements) {
    tuner::TunerSettings s;
    s.qc = s.qu = 1e9;  // as near lossless as a design takes
    s.stray_f = 0.0;
    const double r = 1000.0, f0 = 14.0;  // a loaded Q of 4.4: both 2:1 edges within +-10 %
    const auto d = std::get<tuner::NetworkDesign>(DesignAt(Network::LowPassL, r, 0.0, f0, s));
    ASSERT_EQ(d.elements.size(), 2u);
    const double l_h = d.elements[0].value * 1e-6, c_f = d.elements[1].value * 1e-12;
    tuner::BandRange band = tuner::DefaultBand(f0);
    const tuner::BandRun run = tuner::RunBand(d, NoLine(), cd(r, 0.0), band);
    ASSERT_EQ(run.points.size(), 401u);
    for (const tuner::BandPoint& p : run.points) {
        const double w = 2.0 * std::numbers::pi * p.f_mhz * 1e6;
        const cd shunt = 1.0 / (1.0 / cd(r, 0) + cd(0, w * c_f));
        const cd z = cd(0, w * l_h) + shunt;
        const double g = std::abs((z - 50.0) / (z + 50.0));
        EXPECT_NEAR(p.swr, (1 + g) / (1 - g), 1e-3) << p.f_mhz;
    }
    // At the design frequency the band shows the design's own match.
    const auto at_f0 = std::find_if(run.points.begin(), run.points.end(), [&](auto& p) { return p.f_mhz == f0; });
    ASSERT_NE(at_f0, run.points.end());
    EXPECT_LT(at_f0->swr, 1.002);
    // The 2:1 edges are where the closed form crosses 2, on either side.
    ASSERT_TRUE(run.swr20.lo_mhz && run.swr20.hi_mhz);
    EXPECT_LT(*run.swr20.lo_mhz, f0);
    EXPECT_GT(*run.swr20.hi_mhz, f0);
}

// Over a table of designs (every network, both high-pass L topologies, loads inductive,
// capacitive and resistive) the band run through a line of no length is the network swept
// alone, point by point, as the test's own ladder computes it.
TEST(BandRun, ThroughALineOfNoLengthItIsTheNetworkSweptAlone) {
    struct Case {
        Network n;
        double ra, xa, f0;
        std::optional<bool> topology;
    } const cases[] = {
        {Network::LowPassL, 200, 0, 14, {}},      {Network::LowPassL, 17.53, -23.78, 14, {}},
        {Network::LowPassL, 20, 30, 3.5, {}},     {Network::HighPassL, 200, 0, 3.5, true},
        {Network::HighPassL, 35, 25, 14, false},  {Network::HighPassL, 20, -10, 7, false},
        {Network::Pi, 200, 0, 3.5, {}},           {Network::Pi, 100, 0, 7, {}},
        {Network::Tee, 20, 0, 14, {}},            {Network::Tee, 100, -50, 14, {}},
    };
    for (const Case& c : cases) {
        const tuner::TunerLoad load = tuner::MakeTunerLoad(c.ra, c.xa, c.f0);
        const tuner::DesignResult r = c.topology ? tuner::DesignHighPassL(load, {}, *c.topology) : tuner::Design(c.n, load, {});
        const auto* d = std::get_if<tuner::NetworkDesign>(&r);
        ASSERT_NE(d, nullptr) << c.ra << " " << c.xa;
        tuner::BandRange band = tuner::DefaultBand(c.f0);
        band.points = 41;
        const tuner::BandRun run = tuner::RunBand(*d, NoLine(), cd(c.ra, c.xa), band);
        ASSERT_EQ(run.points.size(), 41u);
        for (const tuner::BandPoint& p : run.points) {
            tuner::NetworkDesign at = *d;
            at.f0 = p.f_mhz;  // the ladder drives the same elements at this frequency
            const cd zin = testing::Solve(at, cd(c.ra, c.xa), 1500).zin;
            EXPECT_NEAR(std::abs(cd(p.r, p.x) - zin), 0.0, 1e-6 * std::abs(zin)) << c.ra << " " << c.xa << " " << p.f_mhz;
        }
    }
}

TEST(BandRun, CrossingsAreInterpolatedAndMissingWhereTheSwrStaysBelow) {
    const std::vector<tuner::BandPoint> pts = {{9, 0, 0, 3.0}, {10, 0, 0, 1.0}, {11, 0, 0, 2.0}, {12, 0, 0, 2.5}};
    const tuner::Crossing two = tuner::CrossingOf(pts, 10, 2.0);
    EXPECT_DOUBLE_EQ(*two.lo_mhz, 9.5);  // 3 -> 1 crosses 2 halfway
    EXPECT_DOUBLE_EQ(*two.hi_mhz, 11.0);
    const tuner::Crossing high = tuner::CrossingOf(pts, 10, 2.8);
    EXPECT_DOUBLE_EQ(*high.lo_mhz, 9.1);
    EXPECT_FALSE(high.hi_mhz.has_value());
    // The measured antenna between its points, and at a point exactly.
    tuner::MeasuredAntenna a{{10, 20}, {cd(50, 0), cd(70, 20)}, true, "x.s1p"};
    EXPECT_EQ(*tuner::InterpolatedAt(a, 15), cd(60, 10));
    EXPECT_EQ(*tuner::InterpolatedAt(a, 20), cd(70, 20));
}

struct Line : testing::StartedWindow {
    Line(const char* freq, int cable, const char* r, const char* x) {
        win->txtFreq.SetText(freq);
        win->cboPickCable.Choose(cable);
        win->txtResistance.SetText(r);
        win->txtReactance.SetText(x);
        win->cmdTuner.Click();
    }
    TunerWindow& t() { return win->frmTuner; }
};

// The comparison's order is the losses of the single designs, and best is the first.
TEST(Compare, OrdersByTheSingleDesignsLossesAndBestIsTheFirst) {
    Line l("14", 17, "200", "-100");
    const auto compared = l.t().Compare(l.win->Displayed(), l.win->TunerContext());
    ASSERT_GE(compared.size(), 4u);
    double last = 0.0;
    bool failures = false;
    for (const auto& c : compared) {
        const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
        if (!d) {
            failures = true;
            continue;
        }
        EXPECT_FALSE(failures) << "a design after a failure";
        EXPECT_GE(d->ploss, last);
        last = d->ploss;
        // Drawn on its own, the network loses the same.
        l.t().DrawCompared(c, {});
        ASSERT_TRUE(l.t().last_result().has_value());
        EXPECT_DOUBLE_EQ(std::get<tuner::NetworkDesign>(*l.t().last_result()).ploss, d->ploss);
    }
    EXPECT_EQ(compared.front().network, Network::LowPassL);  // the L loses least here
    // The window's rows: the best first, each row's button draws its page.
    l.win->frmTuner.cmdCompare.Click();
    EXPECT_TRUE(l.t().frmCompare.window.visible());
    EXPECT_EQ(l.t().frmCompare.cmdRow[0].caption(), "Low-Pass L-Network");
    EXPECT_EQ(l.t().frmCompare.txtSummary.text().rfind("Lowest loss: Low-Pass L-Network", 0), 0u);
    l.t().frmCompare.cmdRow[1].Click();
    EXPECT_EQ(l.t().frmTuner1.window.caption(), "Low-Pass Pi-Network");
    EXPECT_TRUE(l.t().frmTuner1.window.visible());
}

TEST(Compare, ALineInputAtTheTunerResistanceNeedsNoTuner) {
    Line l("3.5", 3, "50", "0");
    l.win->optInput.Select();
    l.win->txtResistance.SetText("50.5");
    l.win->txtReactance.SetText("0.3");
    EXPECT_NE(l.t().NoTunerNeededText(l.win->Displayed()).find("no tuner is needed"), std::string::npos);
    l.win->txtResistance.SetText("52");
    EXPECT_EQ(l.t().NoTunerNeededText(l.win->Displayed()), "");
}

// "auto" loses no more than any of 40 log-spaced capacitors from 5 to 5000 pF.
TEST(AutoCapacitor, LosesNoMoreThanAnyOfFortyValues) {
    struct Case {
        Network n;
        double ra, xa, f0;
    } const cases[] = {{Network::Pi, 200, 0, 3.5}, {Network::Pi, 17.53, -23.78, 14}, {Network::Pi, 30, 40, 28},
                       {Network::Tee, 20, 0, 14},  {Network::Tee, 100, -50, 1.8},      {Network::Tee, 300, 200, 7}};
    for (const Case& c : cases) {
        const tuner::TunerLoad load = tuner::MakeTunerLoad(c.ra, c.xa, c.f0);
        const auto r = tuner::DesignWithBestCapacitor(c.n, load, {});
        const auto* best = std::get_if<tuner::NetworkDesign>(&r);
        ASSERT_NE(best, nullptr) << c.ra << " " << c.xa;
        EXPECT_GE(best->fixed_pf, 5.0);
        EXPECT_LE(best->fixed_pf, 5000.0);
        for (int k = 0; k < 40; ++k) {
            tuner::TunerSettings s;
            const double pf = 5.0 * std::pow(1000.0, k / 39.0);
            (c.n == Network::Pi ? s.pi_cap_pf : s.tee_cap_pf) = pf;
            const auto one = tuner::Design(c.n, load, s);
            if (const auto* d = std::get_if<tuner::NetworkDesign>(&one)) {
                EXPECT_LE(best->ploss, d->ploss * (1 + 1e-9)) << c.ra << " " << c.xa << " at " << pf << " pF";
            }
        }
        testing::ExpectPhysical(*best, cd(c.ra, c.xa), {}, "auto");
    }
}

// The builder's notes at their thresholds.
TEST(BuilderNotes, PartsLossAndLineRatingAtTheirThresholds) {
    tuner::NetworkDesign d;
    d.elements = {{"C1", tuner::Kind::C, tuner::Connection::Shunt, -100, 5.0, 1000},
                  {"L2", tuner::Kind::L, tuner::Connection::Series, 100, 50.0, 200}};
    d.loss_percent = 25.0;
    EXPECT_TRUE(tuner::BuilderNotes(d, 1500, 0, 0).empty());  // every limit itself is fine
    d.elements[0].value = 4.99;
    d.elements[1].value = 50.01;
    d.loss_percent = 25.01;
    const auto notes = tuner::BuilderNotes(d, 1500, 1000, 999);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0], "C1 = 5.0 pF is outside the 5-5000 pF of parts to buy.");
    EXPECT_EQ(notes[1], "L2 = 50.01 uH is outside the 0.1-50 uH of parts to buy.");
    EXPECT_EQ(notes[2], "The tuner loses 25% of the power: compare the other networks.");
    EXPECT_EQ(notes[3], "The line's highest RMS voltage at 1,500 W, 1,000 V, is above its rating of 999 V.");
    EXPECT_EQ(tuner::LineRatingText(999, 999, 1500), "");
}

TEST(BuilderNotes, RG58AtFifteenHundredWattsIntoAHighSwrIsAboveItsRating) {
    // RG-58 (list position 10) at 14 MHz into 1000 ohms: the standing wave's crest passes the
    // cable's rating.
    Line l("14", 10, "1000", "0");
    l.t().optLNet2.Select();
    l.t().cmdDrawTuner.Click();
    const tuner::TunerPage& p = l.t().frmTuner1;
    EXPECT_TRUE(p.txtNotes.visible());
    const std::string rating = "is above its rating of " + Format(l.win->line().vmax, "#,##0") + " V.";
    EXPECT_NE(p.txtNotes.text().find(rating), std::string::npos) << p.txtNotes.text();
    // The main window says so too, and stops saying it when the line is matched.
    EXPECT_TRUE(l.win->lblRating.visible());
    EXPECT_NE(l.win->lblRating.caption().find(rating), std::string::npos);
    l.win->txtResistance.SetText("50");
    EXPECT_FALSE(l.win->lblRating.visible());
    EXPECT_NE(p.txtBand.text().find("Tuner fixed, load held at 1000.0 + j 0.0 ohms"), std::string::npos)
        << p.txtBand.text();
}

// The sweep window's curve for the last tuner drawn: at every point the same SWR as the page's
// band run at that frequency (both solve the line as the sweep does).
TEST(BandRun, TheSweepWindowsTunerCurveIsThePagesBandRun) {
    Line l("14", 17, "200", "-100");
    l.t().optLNet2.Select();
    l.t().cmdDrawTuner.Click();
    ASSERT_TRUE(l.t().last_band().has_value());
    sweep::SweepWindow& sw = l.win->frmSweep;
    EXPECT_TRUE(sw.has_tuner());
    sw.on_started = [&sw] { sw.Run(); };
    l.win->cmdSweep.Click();
    const auto curve = sw.TunerSwr();
    ASSERT_EQ(curve.size(), sw.points().size());
    ASSERT_GT(curve.size(), 100u);
    const tuner::NetworkDesign& d = std::get<tuner::NetworkDesign>(*l.t().last_result());
    for (std::size_t k = 0; k < curve.size(); k += 20) {
        tuner::BandRange one{curve[k].first, curve[k].first, 2};
        const tuner::BandRun run = tuner::RunBand(d, l.win->TunerContext().line, cd(200, -100), one);
        ASSERT_FALSE(run.points.empty());
        EXPECT_NEAR(curve[k].second, run.points.front().swr, 1e-9 * run.points.front().swr) << curve[k].first;
    }
}

// With the sweep window's impedance from an analyser's file, the window designs for the file's
// antenna at its frequency (as qlx-cli tuner --touchstone does) and the band run follows the file.
TEST(BandRun, TheWindowsTunerFollowsTheSweepWindowsMeasurement) {
    testing::StartedWindow t;
    MainWindow& w = *t.win;
    ASSERT_TRUE(testing::MeasuredThrough30mOfRg213(w, "14.1", std::string(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p"));
    ASSERT_NE(w.frmSweep.measured(), nullptr);
    w.cmdTuner.Click();
    w.frmTuner.optLNet2.Select();
    w.frmTuner.cmdDrawTuner.Click();
    ASSERT_TRUE(w.frmTuner.last_band().has_value());
    EXPECT_EQ(w.frmTuner.last_band()->held, tuner::Held::Measured);
    EXPECT_EQ(w.frmTuner.frmTuner1.txtBand.text().rfind("Tuner fixed, antenna from dipole-through-30m-rg213.s1p", 0), 0u)
        << w.frmTuner.frmTuner1.txtBand.text();
    // The design is the one for the file's impedance at 14.1 MHz typed at the line input.
    const auto& d = std::get<tuner::NetworkDesign>(*w.frmTuner.last_result());
    EXPECT_NEAR(d.ra, 46.2229, 1e-3);
    EXPECT_NEAR(d.xa, -13.3472, 1e-3);
    // The main window's own line is untouched.
    EXPECT_EQ(w.txtResistance.text(), "50");
}

// Each mend with the case that showed the fault, the design checked by the independent ladder.
TEST(Mends, RefusedLoadsThatTheNetworksMatch) {
    struct Case {
        const char* what;
        Network n;
        double ra, xa, f0, z0;
        const char* note;  // what the page says of the topology, or nothing
    } const cases[] = {
        {"inductive, R < 50, Rp > 50: the coil across the transmitter side", Network::HighPassL, 35, 25, 14, 50,
         "The coil across the line cannot match this load: the coil is across the transmitter side."},
        {"50 < Rp < 60, Xp < -10: the search decides", Network::HighPassL, 48.07, -21.62, 14, 50, ""},
        {"the same window with another tuner resistance", Network::HighPassL, 50, -20, 3.5, 25, ""},
        {"small loads: finer steps", Network::LowPassL, 2, 10, 3.5, 50, ""},
        {"small loads: finer steps", Network::LowPassL, 1, 7.1, 3.5, 50, ""},
        {"small loads: finer steps", Network::LowPassL, 0.5, 5.2, 3.5, 50, ""},
    };
    for (const Case& c : cases) {
        tuner::TunerSettings s;
        s.z0 = c.z0;
        const auto r = tuner::Design(c.n, tuner::MakeTunerLoad(c.ra, c.xa, c.f0), s);
        const auto* d = std::get_if<tuner::NetworkDesign>(&r);
        ASSERT_NE(d, nullptr) << c.what << ": " << std::get<tuner::DesignFailure>(r).text;
        EXPECT_EQ(d->note, c.note) << c.what;
        EXPECT_LT(d->loss_percent, 2.0) << c.what;
        testing::ExpectPhysical(*d, cd(c.ra, c.xa), s, c.what);
    }
    // 0.94 uH across the transmitter side and 244 pF in series, 0.43 % lost.
    const auto d = std::get<tuner::NetworkDesign>(DesignAt(Network::HighPassL, 35, 25, 14));
    EXPECT_NEAR(d.elements[0].value, 0.94, 0.005);
    EXPECT_NEAR(d.elements[1].value, 243.5, 0.5);
}

// The Tee's refusal advises a smaller series capacitor, and one does match the case.
TEST(Mends, TheTeesRefusalAdvisesASmallerSeriesCapacitorThatMatches) {
    const tuner::TunerLoad load = tuner::MakeTunerLoad(20, 450, 3.5);
    const auto refused = tuner::Design(Network::Tee, load, {});
    ASSERT_TRUE(std::holds_alternative<tuner::DesignFailure>(refused));
    EXPECT_NE(std::get<tuner::DesignFailure>(refused).text.find("try a smaller one"), std::string::npos);
    const auto best = tuner::DesignWithBestCapacitor(Network::Tee, load, {});
    const auto* d = std::get_if<tuner::NetworkDesign>(&best);
    ASSERT_NE(d, nullptr);
    EXPECT_LT(d->fixed_pf, 100.0);
    testing::ExpectPhysical(*d, cd(20, 450), {}, "Tee with a smaller series capacitor");
}

TEST(Mends, APurelyReactiveLineInputIsRefusedBeforeAnyDesign) {
    for (Network n : {Network::LowPassL, Network::HighPassL, Network::Pi, Network::Tee}) {
        const auto r = DesignAt(n, 0, 50, 7);
        const auto* f = std::get_if<tuner::DesignFailure>(&r);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->text, tuner::kNoLoadResistanceText);
        EXPECT_TRUE(f->before_design);
    }
}

}  // namespace
}  // namespace qlx
