// The networks computed from numbers alone: the worked low-pass L designs, a physics round trip of
// every design through an independent ladder, the failures in the order they can occur, the
// bounded search and the arithmetic faults that must never reach a page.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "ladder.h"
#include "tuner/networks.h"

namespace qlx::tuner {
namespace {

using qlx::testing::cd;

TunerSettings Defaults() { return {}; }  // 50 ohms, Qc 1000, Qu 200, 10 pF, 1500 W

DesignResult LowPass(double ra, double xa, double f0, const TunerSettings& s = Defaults()) {
    return Design(Network::LowPassL, MakeTunerLoad(ra, xa, f0), s);
}

NetworkDesign Ok(const DesignResult& r) {
    if (const auto* f = std::get_if<DesignFailure>(&r)) {
        ADD_FAILURE() << "design failed: " << f->title << ": " << f->text;
        return {};
    }
    return std::get<NetworkDesign>(r);
}

TEST(LowPassL, WorkedDesignsAtThreeAndAHalfMegahertz) {
    // Lossless, 200 ohms to 50 needs Q0 = sqrt(3): X1 = Q0 * 50 = 86.6 and X2 = -200 / Q0 = -115.5;
    // the losses move both a little, to the worked values.
    const NetworkDesign a = Ok(LowPass(200, 0, 3.5));
    ASSERT_EQ(a.elements.size(), 2u);
    EXPECT_EQ(a.schematic, Schematic::LowPassLLoadShunt);
    EXPECT_EQ(a.elements[0].name, "L1");
    EXPECT_EQ(a.elements[1].name, "C2");
    EXPECT_NEAR(a.elements[1].x, -114.74, 0.01);
    EXPECT_NEAR(a.elements[0].x, 86.25, 0.01);
    EXPECT_NEAR(a.elements[0].value, 3.92, 0.005);
    EXPECT_NEAR(a.elements[1].value, 396.3, 0.05);
    EXPECT_NEAR(a.qeff, 1.74, 0.005);
    EXPECT_EQ(a.stray_f, 0.0);  // the load-side design has no stray capacitance

    // 20 ohms up to 50: Q0 = sqrt(1.5) with the 10 pF stray across the line input.
    const NetworkDesign b = Ok(LowPass(20, 0, 3.5));
    ASSERT_EQ(b.elements.size(), 2u);
    EXPECT_EQ(b.schematic, Schematic::LowPassLInputShunt);
    EXPECT_EQ(b.elements[0].name, "C1");
    EXPECT_EQ(b.elements[1].name, "L2");
    EXPECT_NEAR(b.elements[1].x, 24.63, 0.01);
    EXPECT_NEAR(b.elements[0].x, -41.04, 0.01);
    EXPECT_NEAR(b.elements[1].value, 1.12, 0.005);
    EXPECT_NEAR(b.elements[0].value, 1108, 0.5);
    EXPECT_NEAR(b.qeff, 1.22, 0.005);
    EXPECT_DOUBLE_EQ(b.stray_f, 10e-12);
}

TEST(LowPassL, NearlyLosslessElementsApproachTheTextbookValues) {
    TunerSettings s;
    s.qc = s.qu = 1e9;
    const NetworkDesign a = Ok(LowPass(200, 0, 3.5, s));
    EXPECT_NEAR(a.elements[0].x, std::sqrt(3.0) * 50, 0.01);
    EXPECT_NEAR(a.elements[1].x, -200 / std::sqrt(3.0), 0.01);
}

// The design's elements, rebuilt and driven at P watts, must present the tuner resistance, and
// their voltages, currents and dissipations must be the ones reported.
TEST(LowPassL, EveryDesignPresentsTheTunerResistanceThroughAnIndependentLadder) {
    struct Case {
        double ra, xa, f0, qc, qu, z0, power;
        Schematic topology;
    };
    const Case cases[] = {
        {200, 0, 3.5, 1000, 200, 50, 1500, Schematic::LowPassLLoadShunt},
        {300, -100, 14, 1000, 200, 50, 1500, Schematic::LowPassLLoadShunt},
        {100, 150, 7.1, 1000, 200, 50, 100, Schematic::LowPassLLoadShunt},
        {1000, 0, 1.9, 1000, 200, 50, 1500, Schematic::LowPassLLoadShunt},
        {500, -800, 28.4, 50, 30, 50, 400, Schematic::LowPassLLoadShunt},  // low Q
        {600, 0, 10.1, 1000, 200, 75, 1000, Schematic::LowPassLLoadShunt},  // a 75-ohm transmitter
        {20, 0, 3.5, 1000, 200, 50, 1500, Schematic::LowPassLInputShunt},
        {10, -30, 14, 1000, 200, 50, 1500, Schematic::LowPassLInputShunt},
        {25, 10, 21.2, 1000, 200, 50, 1500, Schematic::LowPassLInputShunt},
        {40, -40, 7.1, 1000, 200, 50, 1500, Schematic::LowPassLInputShunt},  // Rp 80 > 50, capacitive
        {5, -60, 1.85, 40, 25, 50, 1500, Schematic::LowPassLInputShunt},     // low Q, small R
    };
    for (const Case& c : cases) {
        TunerSettings s;
        s.qc = c.qc;
        s.qu = c.qu;
        s.z0 = c.z0;
        s.power = c.power;
        s.phase = 30;
        const std::string name = std::to_string(c.ra) + (c.xa < 0 ? " - j" : " + j") + std::to_string(std::fabs(c.xa)) +
                                 " at " + std::to_string(c.f0);
        const DesignResult r = LowPass(c.ra, c.xa, c.f0, s);
        const NetworkDesign d = Ok(r);
        if (d.elements.size() != 2) {
            ADD_FAILURE() << name;
            continue;
        }
        EXPECT_EQ(d.schematic, c.topology) << name;
        testing::ExpectPhysical(d, cd(c.ra, c.xa), s, name);
    }
}

TEST(LowPassL, FailuresInTheOrderTheyCanOccur) {
    struct Case {
        double ra, xa;
        const char* text;
        bool hide;
    };
    const std::string too_close = "Such an L-network load won't work -- too close to  50 ohms";
    const Case cases[] = {
        {50.005, 0, too_close.c_str(), false},           // load side: Rp within 0.01 ohm
        {50, -0.5, too_close.c_str(), false},            // Rp = 50.005
        {50, -50, "Can't match this.", true},            // already shows the reactance it needs
        {49.995, 0, too_close.c_str(), false},           // input side: Rp within 0.01 ohm
        {49.7, 0, too_close.c_str(), false},             // input side: R' within 0.5 ohm
    };
    for (const Case& c : cases) {
        const DesignResult r = LowPass(c.ra, c.xa, 3.5);
        const auto* f = std::get_if<DesignFailure>(&r);
        ASSERT_NE(f, nullptr) << c.ra << " " << c.xa;
        EXPECT_EQ(f->title, "L Network");
        EXPECT_EQ(f->text, c.text) << c.ra << " " << c.xa;
        EXPECT_EQ(f->hide_page, c.hide) << c.ra << " " << c.xa;
        EXPECT_EQ(f->page, Page::Tuner1);
    }
}

// Loads that cannot be reached, searches that would never end, and settings that make the
// arithmetic fail: each ends with a message and no number reaches a page.
TEST(LowPassL, BoundedSearchesAndArithmeticFaults) {
    struct Case {
        const char* what;
        double ra, xa, f0;
        TunerSettings s;
        const char* text;
        bool hide;
    };
    TunerSettings low_qc;
    low_qc.qc = 15;
    TunerSettings no_power;
    no_power.power = 0;
    TunerSettings negative_power;
    negative_power.power = -100;
    TunerSettings no_resistance;
    no_resistance.z0 = 0;
    const Case cases[] = {
        // The coil's loss alone exceeds 50 ohms: the one-ohm steps never cross it.
        {"unbounded search", 50.03, -1428.22, 32.364, Defaults(), kNoMatchText, true},
        {"loss above the power", 1.68, 1773.18, 6.033, low_qc, kAllPowerLostText, true},
        {"power 0", 200, 0, 3.5, no_power, kNoPowerText, false},
        {"power below 0", 200, 0, 3.5, negative_power, kNoPowerText, false},
        {"tuner resistance 0", 200, 0, 3.5, no_resistance, kNoResistanceText, false},
        {"frequency 0", 200, 0, 0.0, Defaults(), kFaultText, false},
    };
    for (const Case& c : cases) {
        const DesignResult r = LowPass(c.ra, c.xa, c.f0, c.s);
        const auto* f = std::get_if<DesignFailure>(&r);
        ASSERT_NE(f, nullptr) << c.what;
        EXPECT_EQ(f->title, "L Network") << c.what;
        EXPECT_EQ(f->text, c.text) << c.what;
        EXPECT_EQ(f->hide_page, c.hide) << c.what;
    }
}

TEST(LowPassL, ResultsAreFiniteAcrossAGridOfLoads) {
    // A coarse sweep over the plane of loads: whatever the outcome, a design is finite and a
    // failure carries a message.
    for (double ra : {0.01, 1.0, 10.0, 49.99, 50.0, 75.0, 500.0, 1e4}) {
        for (double xa : {-3000.0, -300.0, -30.0, -1.0, 0.0, 1.0, 30.0, 300.0, 3000.0}) {
            for (double f0 : {0.1, 3.5, 30.0, 450.0}) {
                const DesignResult r = LowPass(ra, xa, f0);
                if (const auto* f = std::get_if<DesignFailure>(&r)) {
                    EXPECT_FALSE(f->text.empty());
                    continue;
                }
                const NetworkDesign& d = std::get<NetworkDesign>(r);
                EXPECT_TRUE(std::isfinite(d.qeff) && std::isfinite(d.ploss) && std::isfinite(d.vin_angle))
                    << ra << " " << xa << " " << f0;
                EXPECT_LT(d.ploss, 1500.0);
            }
        }
    }
}

TEST(TunerSteps, AddStrayCAndTheBandwidths) {
    // 10 pF across 50 + j20 ohms at 3.5 MHz: Xc = -4547.3; the parallel pair seen in series form.
    const double xc = -1 / (2 * std::numbers::pi * 3.5e6 * 10e-12);
    const cd expected = 1.0 / (1.0 / cd(50, 20) + 1.0 / cd(0, xc));
    const Impedance z = AddStrayC(10e-12, 3.5, 3.1415927410125732, 50, 20);
    EXPECT_NEAR(z.r, expected.real(), 1e-6);
    EXPECT_NEAR(z.x, expected.imag(), 1e-6);
    // No stray capacitance still counts as 0.01 pF.
    const Impedance zero = AddStrayC(0.0, 3.5, 3.1415927410125732, 50, 0);
    const Impedance tiny = AddStrayC(1e-14, 3.5, 3.1415927410125732, 50, 0);
    EXPECT_EQ(zero.r, tiny.r);
    EXPECT_EQ(zero.x, tiny.x);

    const Bandwidths bw = CalcPBW(5);
    EXPECT_NEAR(bw.pbw15, 8.165, 0.0005);
    EXPECT_NEAR(bw.pbw20, 14.142, 0.0005);
}

}  // namespace
}  // namespace qlx::tuner
