// The Pi, Tee and high-pass L networks: every design rebuilt as an independent ladder must present
// the tuner resistance with the stresses it reports; the mended physics with their cases; the
// checks and messages of each network.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "ladder.h"
#include "tuner/networks.h"
#include "tuner/report.h"

namespace qlx::tuner {
namespace {

using qlx::testing::cd;

struct Load {
    double ra, xa, f0;
};

TunerSettings With(double qc = 1000, double qu = 200) {
    TunerSettings s;
    s.qc = qc;
    s.qu = qu;
    return s;
}

DesignResult DesignFor(Network n, Load l, const TunerSettings& s = With()) { return Design(n, MakeTunerLoad(l.ra, l.xa, l.f0), s); }

std::string Describe(Network n, Load l) {
    return std::string(n == Network::Pi ? "Pi " : n == Network::Tee ? "Tee " : "HPL ") + std::to_string(l.ra) +
           (l.xa < 0 ? " - j" : " + j") + std::to_string(std::fabs(l.xa)) + " at " + std::to_string(l.f0);
}

TEST(Networks, EveryDesignPresentsTheTunerResistanceThroughAnIndependentLadder) {
    struct Case {
        Network n;
        Load l;
        double qc, qu;
        Schematic schematic;
    };
    const Case cases[] = {
        // High-pass L, topology A (parallel resistance above 50) and B (below).
        {Network::HighPassL, {200, 0, 3.5}, 1000, 200, Schematic::HighPassLA},
        {Network::HighPassL, {300, -150, 14}, 1000, 200, Schematic::HighPassLA},
        {Network::HighPassL, {80, 120, 7.1}, 50, 30, Schematic::HighPassLA},
        {Network::HighPassL, {1.0, -1001.3, 15.75}, 1000, 200, Schematic::HighPassLA},
        {Network::HighPassL, {20, 0, 3.5}, 1000, 200, Schematic::HighPassLB},
        {Network::HighPassL, {10, 15, 14}, 1000, 200, Schematic::HighPassLB},
        {Network::HighPassL, {1.4, 1.7, 38.08}, 1000, 200, Schematic::HighPassLB},
        {Network::HighPassL, {1.1, 3.0, 4.51}, 100, 200, Schematic::HighPassLB},
        {Network::HighPassL, {25, -10, 1.9}, 40, 25, Schematic::HighPassLB},
        // Pi with resistive, inductive and capacitive line inputs, high and low Q.
        {Network::Pi, {200, 0, 3.5}, 1000, 200, Schematic::Pi},
        {Network::Pi, {20, 0, 7.1}, 1000, 200, Schematic::Pi},
        {Network::Pi, {2.7, 10.6, 1.9}, 1000, 200, Schematic::Pi},
        {Network::Pi, {100, -80, 14}, 1000, 200, Schematic::Pi},
        {Network::Pi, {60, 90, 14}, 40, 25, Schematic::Pi},
        // Tee likewise.
        {Network::Tee, {20, 0, 14}, 1000, 200, Schematic::Tee},
        {Network::Tee, {10, 40, 21.2}, 1000, 200, Schematic::Tee},
        {Network::Tee, {30, -20, 28.5}, 1000, 200, Schematic::Tee},
        {Network::Tee, {1.9, -1836.0, 5.93}, 1000, 200, Schematic::Tee},
        {Network::Tee, {15, 25, 14.2}, 50, 30, Schematic::Tee},
    };
    for (const Case& c : cases) {
        TunerSettings s = With(c.qc, c.qu);
        s.phase = -20;
        const std::string name = Describe(c.n, c.l);
        const DesignResult r = DesignFor(c.n, c.l, s);
        if (const auto* f = std::get_if<DesignFailure>(&r)) {
            ADD_FAILURE() << name << ": " << f->text;
            continue;
        }
        const NetworkDesign& d = std::get<NetworkDesign>(r);
        EXPECT_EQ(d.schematic, c.schematic) << name;
        EXPECT_EQ(d.page, c.n == Network::Tee ? Page::Tuner2 : Page::Tuner1) << name;
        EXPECT_EQ(d.elements.size(), c.n == Network::HighPassL ? 2u : 3u) << name;
        testing::ExpectPhysical(d, cd(c.l.ra, c.l.xa), s, name);
    }
}

// The cases in which the searches as first written reported elements from an earlier step, a
// coil charged twice, a coil left behind by the search and a current through the wrong
// resistance: now each element set presents 50 ohms, and the stresses are the ones that flow.
TEST(Networks, MendedPhysics) {
    {  // High-pass L: C1 and L2 of the accepted state.
        const NetworkDesign d = std::get<NetworkDesign>(DesignFor(Network::HighPassL, {1.0, -1001.3, 15.75}));
        EXPECT_NEAR(d.elements[0].value, 4.157, 0.0005);
        EXPECT_NEAR(d.elements[1].value, 7.167, 0.0005);
        EXPECT_NEAR(std::abs(testing::Solve(d, cd(1.0, -1001.3), 1500).zin - 50.0), 0.0, 0.6);
    }
    {  // Tee: C1 and L2 of the accepted state.
        const NetworkDesign d = std::get<NetworkDesign>(DesignFor(Network::Tee, {1.9, -1836.0, 5.93}));
        EXPECT_NEAR(d.elements[0].value, 9.545, 0.0005);
        EXPECT_NEAR(d.elements[1].value, 24.587, 0.0005);
        EXPECT_NEAR(std::abs(testing::Solve(d, cd(1.9, -1836.0), 1500).zin - 50.0), 0.0, 0.6);
    }
    {  // Pi: the coil is one winding; it dissipates about 1.9 W, not 55 W.
        const NetworkDesign d = std::get<NetworkDesign>(DesignFor(Network::Pi, {2.7, 10.6, 1.9}));
        EXPECT_NEAR(d.elements[1].p_diss, 1.9, 0.05);
        const testing::Ladder l = testing::Solve(d, cd(2.7, 10.6), 1500);
        EXPECT_NEAR(l.zin.real(), 50.0, 0.1);
        EXPECT_NEAR(l.zin.imag(), 0.0, 0.1);
    }
    {  // High-pass L, topology B: the shunt coil follows the search.
        const NetworkDesign d = std::get<NetworkDesign>(DesignFor(Network::HighPassL, {1.4, 1.7, 38.08}));
        const testing::Ladder l = testing::Solve(d, cd(1.4, 1.7), 1500);
        EXPECT_NEAR(l.zin.real(), 50.0, 0.1);
        EXPECT_NEAR(l.zin.imag(), 0.0, 0.1);
    }
    {  // Topology B with capacitor Q 100: the capacitor current flows through rC + R'.
        const NetworkDesign d = std::get<NetworkDesign>(DesignFor(Network::HighPassL, {1.1, 3.0, 4.51}, With(100)));
        EXPECT_NEAR(d.elements[1].i_rms, 34.65, 0.01);
        EXPECT_NEAR(d.elements[1].p_diss, 129.8, 0.1);
    }
    {  // Tee: the output current is that of the output branch alone.
        const Load l{10, 40, 21.2};
        const NetworkDesign d = std::get<NetworkDesign>(DesignFor(Network::Tee, l));
        EXPECT_NEAR(d.vout, std::abs(testing::Solve(d, cd(l.ra, l.xa), 1500).vout), 0.002 * d.vout);
    }
    {  // High-pass L, topology B: a branch resistance above 50 ohms is "too close", not a NaN.
        const DesignResult r = DesignFor(Network::HighPassL, {49.9, 0, 1.8}, With(15));
        ASSERT_TRUE(std::holds_alternative<DesignFailure>(r));
        EXPECT_EQ(std::get<DesignFailure>(r).text, "Such an L-network load won't work -- too close to  50 ohms");
    }
}

TEST(Networks, ChecksAndMessages) {
    struct Case {
        Network n;
        Load l;
        const char* text;
        bool hide;
        Page page;
    };
    const std::string too_close = "Such an L-network load won't work -- too close to  50 ohms";
    const Case cases[] = {
        {Network::Pi, {0.05, 0, 3.5}, "The pi-network will not match this impedance. ", false, Page::Tuner1},
        {Network::Pi, {1, 250, 3.5}, "The pi-network will not match this impedance. ", false, Page::Tuner1},
        // 500 pF (-177 ohms) at 1.8 MHz across 150 ohms leaves 87 ohms in series form, above 50.
        {Network::Pi, {150, 0, 1.8}, "Try a larger shunt output capacitor.", true, Page::Tuner1},
        // The Tee's messages take the L/Pi page away, not its own.
        // 100 pF (-455 ohms at 3.5 MHz) nearly cancels the line input with its stray: Rpo is near 20.
        {Network::Tee, {20, 410, 3.5}, "Can't match this impedance -- use a smaller output capacitor.", true,
         Page::Tuner1},
        // An inductive 1 + j50 ohms at 1.8 MHz: the coil that cancels the output node is negative
        // and larger than the coil the transformation adds.
        {Network::Pi, {1, 50, 1.8}, "Try a larger output capacitor.", true, Page::Tuner1},
        {Network::Tee, {20, 450, 3.5}, "This won't match with this series capacitor -- try a smaller one, or auto.", true,
         Page::Tuner1},
        {Network::HighPassL, {50.005, 0, 3.5}, too_close.c_str(), false, Page::Tuner1},
        // 10 - j10 ohms at 100 kHz needs a series capacitor of about 0.16 uF.
        {Network::HighPassL, {10, -10, 0.1}, "  Series capacitor greater than 99999 pF. Try another network.", false,
         Page::Tuner1},
        // No resistance at the line input: refused before any network is tried.
        {Network::HighPassL, {-5, 0, 3.5}, kNoLoadResistanceText, false, Page::Tuner1},
        {Network::Tee, {0, 50, 7}, kNoLoadResistanceText, false, Page::Tuner2},
    };
    for (const Case& c : cases) {
        const DesignResult r = DesignFor(c.n, c.l);
        const auto* f = std::get_if<DesignFailure>(&r);
        ASSERT_NE(f, nullptr) << Describe(c.n, c.l);
        EXPECT_EQ(f->text, c.text) << Describe(c.n, c.l);
        EXPECT_EQ(f->title, NetworkTitle(c.n));
        EXPECT_EQ(f->hide_page, c.hide) << Describe(c.n, c.l);
        EXPECT_EQ(f->page, c.page) << Describe(c.n, c.l);
    }
    EXPECT_EQ(NetworkTitle(Network::Pi), "Pi-network");
    EXPECT_EQ(NetworkTitle(Network::Tee), "Tee-network");
    EXPECT_EQ(NetworkTitle(Network::HighPassL), "L Network");
}

// The high-pass L's choice of topology and checks near Rp = Z0, from the parallel form.
TEST(HighPassL, TopologyNearTheTunerResistance) {
    // A line input with a given parallel form Rp || jXp, as its series form.
    const auto series = [](double rp, double xp) {
        const cd z = 1.0 / (1.0 / cd(rp, 0) + 1.0 / cd(0, xp));
        return Load{z.real(), z.imag(), 3.5};
    };
    struct Case {
        double rp, xp;
        const char* text;  // nullptr: a design
    };
    const Case cases[] = {
        {50.005, -2000, "Such an L-network load won't work -- too close to  50 ohms"},
        {50.05, -2000, "Try another network"},  // topology A, stops at its check of 0.1 ohm
        // An inductive one that the coil across the line cannot match (Xp is below the Xt of
        // 1582 ohms it needs) is matched with the coil across the transmitter side.
        {50.05, 1000, nullptr},
        {50.05, 2000, "Try another network"},
        {55, -20, nullptr},  // no fixed window of refused loads: the search matches it
        {65, -20, nullptr},
        {49.995, -2000, "Such an L-network load won't work -- too close to  50 ohms"},
        {49.5, -2000, nullptr},  // topology B
    };
    for (const Case& c : cases) {
        const DesignResult r = DesignFor(Network::HighPassL, series(c.rp, c.xp));
        if (c.text == nullptr) {
            EXPECT_TRUE(std::holds_alternative<NetworkDesign>(r)) << c.rp << " " << c.xp;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<DesignFailure>(r)) << c.rp << " " << c.xp;
        EXPECT_EQ(std::get<DesignFailure>(r).text, c.text) << c.rp << " " << c.xp;
    }
}

TEST(Networks, PhaseFoldsFromAboveOnly) {
    // The Pi turns the phase by some angle t; a wanted output phase of 170 + t gives an input at
    // 170 + 20 = 190 degrees, shown as -170, while -190 stays -190.
    TunerSettings s = With();
    const Load l{200, 0, 3.5};
    const NetworkDesign base = std::get<NetworkDesign>(DesignFor(Network::Pi, l, s));
    s.phase = base.vin_angle > 0 ? 190.0 - base.vin_angle : 190.0 + std::fabs(base.vin_angle);
    const NetworkDesign up = std::get<NetworkDesign>(DesignFor(Network::Pi, l, s));
    EXPECT_NEAR(up.vin_angle, -170.0, 1e-9);
    s.phase = -190.0 - base.vin_angle;
    const NetworkDesign down = std::get<NetworkDesign>(DesignFor(Network::Pi, l, s));
    EXPECT_NEAR(down.vin_angle, -190.0, 1e-9);
}

TEST(Networks, TheTeeIncludesTheStrayButItsQDoesNot) {
    // More stray capacitance changes the elements, not the loaded Q's formula input: compare the Q
    // of two strays against the Q computed from the line input alone for each design.
    TunerSettings a = With(), b = With();
    a.stray_f = 1e-14;
    b.stray_f = 100e-12;
    const Load l{20, 0, 28.5};
    const NetworkDesign da = std::get<NetworkDesign>(DesignFor(Network::Tee, l, a));
    const NetworkDesign db = std::get<NetworkDesign>(DesignFor(Network::Tee, l, b));
    EXPECT_GT(std::fabs(da.elements[1].value - db.elements[1].value), 0.01);  // the stray moved the coil
    EXPECT_DOUBLE_EQ(db.stray_f, 100e-12);
    // A Tee's loaded Q is that of its input reactance's slope; with only 0.01 pF of stray the
    // design and the Q see the same load, and the ladder's slope agrees with it.
    const auto xin = [&](double k) {
        NetworkDesign scaled = da;
        scaled.f0 = l.f0 * k;
        return testing::Solve(scaled, cd(l.ra, l.xa * k), 1500).zin;
    };
    const cd hi = xin(1.0 + 1e-4), lo = xin(1.0 - 1e-4);
    const double slope_q = std::fabs(hi.imag() - lo.imag()) / (4e-4 * std::sqrt(hi.real() * lo.real()));
    EXPECT_NEAR(da.qeff, slope_q, 0.05 * slope_q);
}

TEST(Networks, TheTeeReportSaysNotAvailableWhenAlmostNoPowerIsLeft) {
    NetworkDesign d;
    d.network = Network::Tee;
    d.qeff = 3;
    d.f0 = 3.5;
    d.ploss = 1500 - 5e-5;
    d.loss_percent = 100 * d.ploss / 1500;
    ReportStyle tee;
    tee.na_without_power_left = true;
    tee.percent_picture = "##0.0";
    EXPECT_EQ(NetworkReport(d, 1500, 1, 0, '.', tee).power_lost,
              "Estimated power lost in tuner for 1500 W input:   1500 W (N/A dB = 100.0% lost)");
    d.ploss = 30;
    d.loss_percent = 2;
    EXPECT_EQ(NetworkReport(d, 1500, 1, 0, '.', tee).power_lost,
              "Estimated power lost in tuner for 1500 W input:   30 W (0.09 dB = 2.0% lost)");
}

}  // namespace
}  // namespace qlx::tuner
