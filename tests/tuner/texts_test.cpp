// The texts of the tuner pages: the report block, the load description, the stray capacitance
// and the line input as the schematic shows it, and what a design run reads of the line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tuner/report.h"
#include "tuner/tuner_texts.h"

namespace qlx::tuner {
namespace {

NetworkDesign TwoElements(double qeff, double f0, double ploss) {
    NetworkDesign d;
    d.qeff = qeff;
    d.f0 = f0;
    d.ploss = ploss;
    d.loss_percent = 100.0 * ploss / 1500.0;
    d.vin = 273.861;
    d.vin_angle = -61.2345;
    d.vout = 460.714;
    d.elements = {{"L1", Kind::L, Connection::Series, 86.25, 3.92, 200, 422.0, 5.477, 12.9},
                  {"C2", Kind::C, Connection::Shunt, -114.74, 396.3, 1000, 545.4, 4.753, 2.59}};
    return d;
}

TEST(Report, TheWorkedBlock) {
    const Report r = NetworkReport(TwoElements(5, 3.5, 30), 1500, 1.23, 0, '.');
    EXPECT_EQ(r.swr_line, "Eff. Q = 5.0    1.5:1 SWR BW = 285.8 kHz (8.2%) and 2:1 SWR BW = 495.0 kHz (14.1%)");
    EXPECT_EQ(r.power_lost, "Estimated power lost in tuner for 1500 W input:   30 W (0.09 dB = 2.0% lost)");
    EXPECT_EQ(r.xmsn_loss, "Transmission-line loss = 1.23 dB.  Total loss = 1.32 dB.  Power into load = 1107.4 W");
    EXPECT_EQ(r.pwr1, "At 1500 W:");
    ASSERT_EQ(r.columns.size(), 2u);
    // Peak is RMS times the root of 2 (422 V RMS: 596.8 V peak); capacitors keep their minus sign.
    const ReportColumn& l1 = r.columns[0];
    const ReportColumn& c2 = r.columns[1];
    EXPECT_EQ(l1.name, "L1");
    EXPECT_EQ(l1.q, "200");
    EXPECT_EQ(l1.react, "86.25");
    EXPECT_EQ(l1.peak_v, "597 V");
    EXPECT_EQ(l1.curr, "5.5 A");
    EXPECT_EQ(l1.diss, "13 W");
    EXPECT_EQ(c2.react, "-114.74");
    EXPECT_EQ(c2.peak_v, "771 V");
    EXPECT_EQ(r.v2, "273.86 V at -61.23 deg.");
    EXPECT_EQ(r.v4, "460.71 V at 0.00 deg.");
    // With a decimal comma the numbers change their mark and nothing else.
    const Report comma = NetworkReport(TwoElements(5, 3.5, 30), 1500, 1.23, 0, ',');
    EXPECT_EQ(comma.swr_line, "Eff. Q = 5,0    1.5:1 SWR BW = 285,8 kHz (8,2%) and 2:1 SWR BW = 495,0 kHz (14,1%)");
}

TEST(Report, BandwidthsTooWideToTell) {
    EXPECT_EQ(BandwidthText(1, 3.5, '.'), "Eff. Q = 1.0    1.5:1 SWR BW = Large,  2:1 SWR BW = Large");
    const std::string q2 = BandwidthText(2, 3.5, '.');
    EXPECT_NE(q2.find("(20.4%) "), std::string::npos) << q2;
    const std::string tail = "%)  2:1 SWR BW = Large";
    EXPECT_EQ(q2.substr(q2.size() - tail.size()), tail) << q2;
    // The Q whose 1.5:1 bandwidth is exactly 30 %: "Large", as anything wider.
    double q = 100.0 / (30.0 * std::sqrt(6.0));
    for (int i = 0; i < 8 && CalcPBW(q).pbw15 != 30.0; ++i) q = std::nextafter(q, CalcPBW(q).pbw15 > 30.0 ? 10.0 : 0.0);
    ASSERT_EQ(CalcPBW(q).pbw15, 30.0);
    EXPECT_EQ(BandwidthText(q, 3.5, '.').find("1.5:1 SWR BW = Large, "), 16u);
}

TEST(Report, ALossBelowHalfAWattShowsNoNumber) {
    const Report r = NetworkReport(TwoElements(5, 3.5, 0.3), 1500, 0.5, 0, '.');
    EXPECT_EQ(r.power_lost, "Estimated power lost in tuner for 1500 W input:    W (0.0 dB = 0.0% lost)");
}

TEST(TunerTexts, LineInputLoadAndStray) {
    DisplayedLine d;
    d.at_load = false;
    d.resistance_text = "25";
    d.reactance_text = "-10";
    EXPECT_EQ(InputImpedanceText(d), "25 - j  10 Ohms");
    d.reactance_text = "10";
    EXPECT_EQ(InputImpedanceText(d), "25 + j 10 Ohms");
    d.reactance_text = "-10,5";  // a decimal comma is read, the number-text rule writes a point
    EXPECT_EQ(InputImpedanceText(d), "25 - j  10.5 Ohms");
    d.at_load = true;
    d.imped_in_text = "50.66 + j 0.85";
    EXPECT_EQ(InputImpedanceText(d), "50.66 + j 0.85 Ohms");

    EXPECT_EQ(LoadText(25, 10, "2.15"), "At load:  25+ j  10 ohms =  26.9 ohms, at  21.8 degrees    Load SWR =  2.15");
    // A reactance of 0 is written with the minus sign, as a capacitive one.
    EXPECT_EQ(LoadText(50, 0, "1"), "At load:  50 - j  0 ohms =  50 ohms, at  0 degrees    Load SWR =  1");
    EXPECT_EQ(LoadText(12.346, -0.5, "1.04"),
              "At load:  12.35 - j  .5 ohms =  12.4 ohms, at -2.3 degrees    Load SWR =  1.04");

    EXPECT_EQ(StrayText(10e-12), " 10 pF");
    EXPECT_EQ(StrayText(1e-14), " 0 pF");
}

TEST(TunerTexts, WhatARunReadsOfTheLine) {
    DisplayedLine d;
    d.freq_text = "14.0";
    d.total_loss_text = "0.588";
    d.at_load = true;
    d.resistance_text = "200";
    d.reactance_text = "-100";
    // At the load, the line input comes from the rounded polar display: 64.28 at 50.37 degrees.
    d.polar_z_text = "64.28";
    d.polar_degree_text = "50.37";
    LineReading r = ReadLine(d);
    EXPECT_NEAR(r.load.ra, 64.28 * std::cos(50.37 / 57.2957763671875), 1e-12);
    EXPECT_NEAR(r.load.xa, 64.28 * std::sin(50.37 / 57.2957763671875), 1e-12);
    EXPECT_EQ(r.rl, 200);
    EXPECT_EQ(r.xl, -100);
    EXPECT_EQ(r.load.f0, 14.0);
    EXPECT_EQ(r.line_loss_db, 0.588);
    // A purely reactive line input at 90 degrees: Ra is exactly 0 only for a display of 0 ohms.
    d.polar_z_text = "0.00";
    d.polar_degree_text = "0.00";
    r = ReadLine(d);
    EXPECT_EQ(r.load.ra, 1e-7);
    EXPECT_EQ(r.load.xp, 1e7);  // Xa = 0 is an open circuit
    // At the input the typed texts are the line input, and the antenna end comes from the display.
    d.at_load = false;
    d.polar_z_text = "223.61";
    d.polar_degree_text = "-26.57";
    r = ReadLine(d);
    EXPECT_EQ(r.load.ra, 200);
    EXPECT_EQ(r.load.xa, -100);
    EXPECT_NEAR(r.rl, 223.61 * std::cos(-26.57 / 57.2957763671875), 1e-12);
}

}  // namespace
}  // namespace qlx::tuner
