#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>

#include "core/format.h"
#include "core/line_solution.h"
#include "support/complex_tanh.h"

namespace qlx {
namespace {

LineEntries Rg8aAt10MHz() {
    LineEntries e;
    e.freq_text = "10";
    e.length_text = "100";
    e.cable_position = 3;
    return e;
}

TEST(SolveLine, WorkedExampleOfRg8aAtTenMegahertz) {
    for (char mark : {'.', ','}) {
        LineEntries e = Rg8aAt10MHz();
        e.mark = mark;
        const auto s = SolveLine(e);
        ASSERT_TRUE(s.has_value());
        const LineValues& v = s->values;
        // exp(0.55 ln 10 - 1.8) = 0.58650; 1016.65 / (29.5 * 0.66) = 52.216;
        // 0.66 * 983.571 / 10 = 64.916 ft; X0 = -R0 alpha / beta = -0.3643.
        EXPECT_NEAR(v.atten100, 0.58650, 5e-6);
        EXPECT_NEAR(v.r0, 52.216, 5e-4);
        EXPECT_NEAR(v.wave_len, 64.916, 5e-4);
        EXPECT_NEAR(v.x0, -0.3643, 5e-5);
        const bool comma = mark == ',';
        EXPECT_EQ(s->ml_per, comma ? "0,587" : "0.587");
        EXPECT_EQ(s->z0, comma ? "52,2 - j 0,36" : "52.2 - j 0.36");
        EXPECT_EQ(s->vel_factor, comma ? "0,66" : "0.66");
        EXPECT_EQ(s->voltage, "3700");
        EXPECT_EQ(s->ml_tot, comma ? "0,587" : "0.587");
        EXPECT_EQ(s->wavelen, comma ? "1,540" : "1.540");
        EXPECT_EQ(s->rho_caption, "Rho at Load: ");
        EXPECT_TRUE(s->hide_warning);
        EXPECT_DOUBLE_EQ(v.matched_loss, 0.587);

        // 50 + j0 at the load against the textbook transform with the rounded 0.587 dB.
        const std::complex<double> z0(v.r0, v.x0), zl(50, 0);
        const std::complex<double> gl(0.587 * std::log(10.0) / 20,
                                      static_cast<float>(6.2831854820251465 / v.wave_len) * 100.0);
        const auto t = TextbookTanh(gl);
        const auto zin = z0 * (zl + z0 * t) / (z0 + zl * t);
        EXPECT_NEAR(v.rin, zin.real(), 1e-4);
        EXPECT_NEAR(v.xin, zin.imag(), 1e-4);
        const std::string x_part = zin.imag() < 0 ? " - j " + Format(-zin.imag(), "##0.00", mark)
                                                  : " + j " + Format(zin.imag(), "##0.00", mark);
        EXPECT_EQ(s->imped_in, Format(zin.real(), "####0.00", mark) + x_part);
        EXPECT_EQ(s->polar_z, Format(std::abs(zin), "####0.00", mark));
        EXPECT_FALSE(s->imped_in_red);
        EXPECT_FALSE(s->load_swr_red);
        EXPECT_FALSE(s->input_swr_red);
    }
}

TEST(SolveLine, MetersUseTheRoundedLossPerHundredMeters) {
    LineEntries e = Rg8aAt10MHz();
    e.unit_meters = e.option_meters = true;
    e.length_text = "30.480";  // 100.000 feet
    const auto s = SolveLine(e);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->ml_per, "1.924");
    // 30.48 m * 3.28084 = 100.0 ft at 1.924 / 3.28084 dB per 100 ft = 0.5864 dB; the unrounded
    // 0.5865 dB per 100 feet would show 0.587.
    EXPECT_EQ(s->ml_tot, "0.586");
    EXPECT_EQ(s->wavelen, "1.540");
}

TEST(SolveLine, ZeroLengthShowsTheGivenImpedanceAtTheOtherEnd) {
    LineEntries e = Rg8aAt10MHz();
    e.length_text = "0";
    e.resistance_text = "30";
    e.reactance_text = "-20";
    for (bool at_load : {true, false}) {
        e.at_load = at_load;
        const auto s = SolveLine(e);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->ml_tot, "0.000");
        EXPECT_EQ(s->wavelen, "0.000");
        EXPECT_EQ(s->add_loss, "0.000");
        EXPECT_EQ(s->total_loss, "0.000");
        EXPECT_EQ(s->imped_in, "30.00 - j 20.00");
        EXPECT_EQ(s->load_swr, s->input_swr);
    }
}

TEST(SolveLine, SwrFieldsAndRhoFollowTheEndWhereTheImpedanceIsGiven) {
    LineEntries e = Rg8aAt10MHz();
    e.resistance_text = "200";
    e.reactance_text = "-100";
    const auto at_load = SolveLine(e);
    e.at_load = false;
    const auto at_input = SolveLine(e);
    ASSERT_TRUE(at_load && at_input);
    EXPECT_EQ(at_load->load_swr, Format(at_load->values.swr_out, "####.00"));
    EXPECT_EQ(at_load->input_swr, Format(at_load->values.swr_in, "####.00"));
    EXPECT_EQ(at_input->load_swr, Format(at_input->values.swr_in, "####.00"));
    EXPECT_EQ(at_input->input_swr, Format(at_input->values.swr_out, "####.00"));
    EXPECT_EQ(at_input->rho_caption, "Rho at Input: ");
    // A lossy line lowers the SWR toward the input whichever end was given.
    EXPECT_GT(at_load->values.swr_out, at_load->values.swr_in);
    EXPECT_GT(at_input->values.swr_in, at_input->values.swr_out);
    // |rho| of 200 - j100 against 52.2 - j0.36 is about 0.6.
    EXPECT_EQ(at_load->rho.substr(0, 3), "0.6");
}

TEST(SolveLine, NegativeResistanceAndSwrAreDrawnRed) {
    LineEntries e = Rg8aAt10MHz();
    e.length_text = "0";
    e.resistance_text = "-20";  // the window's entry rule prevents this; other writers may not
    const auto s = SolveLine(e);
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->imped_in_red);
    EXPECT_TRUE(s->load_swr_red);
    EXPECT_TRUE(s->input_swr_red);
    EXPECT_EQ(s->load_swr.substr(0, 1), "-");
}

TEST(SolveLine, EntriesWithoutAUsableLineGiveNoSolution) {
    struct Case {
        const char* what;
        LineEntries e;
    };
    LineEntries zero = Rg8aAt10MHz(), negative = zero, empty = zero, user_vf = zero, user_wl = zero;
    zero.freq_text = "0";
    negative.freq_text = "-3";
    empty.freq_text = "";
    user_vf.cable_position = 32;
    user_vf.user.vel_factor = "0";
    user_vf.user_wave_len = 64.9f;
    user_wl.cable_position = 32;
    user_wl.user_wave_len = 0.0f;
    for (const Case& c : {Case{"frequency 0", zero}, Case{"negative frequency", negative},
                          Case{"no frequency", empty}, Case{"velocity factor 0", user_vf},
                          Case{"wavelength 0", user_wl}})
        EXPECT_FALSE(SolveLine(c.e).has_value()) << c.what;
}

TEST(SolveLine, UserDefinedLineTakesItsDialogAndStoredValues) {
    LineEntries e = Rg8aAt10MHz();
    e.cable_position = 32;
    e.user = {"75", "-1,5", "0,8", "1200 volts"};
    e.user_atten100 = 1.25f;
    e.user_wave_len = 78.69f;
    const auto s = SolveLine(e);
    ASSERT_TRUE(s.has_value());
    EXPECT_FLOAT_EQ(s->values.r0, 75.0f);
    EXPECT_FLOAT_EQ(s->values.x0, -1.5f);
    EXPECT_FLOAT_EQ(s->values.vel_factor, 0.8f);
    EXPECT_FLOAT_EQ(s->values.vmax, 1200.0f);
    EXPECT_FLOAT_EQ(s->values.atten100, 1.25f);
    EXPECT_FLOAT_EQ(s->values.wave_len, 78.69f);
    EXPECT_EQ(s->ml_per, "1.25");
    EXPECT_EQ(s->z0, "75.0 - j 1.50");
    EXPECT_EQ(s->ml_tot, "1.250");
    // The electrical length uses the dialog's velocity factor: 100 / (983.571 / 10 * 0.8).
    EXPECT_EQ(s->wavelen, "1.271");
    EXPECT_FALSE(s->hide_warning);
}

// RG-58A at 2.646 MHz shows 0.715 dB per 100 feet; over 50 feet a person computes 0.3575 and
// reads 0.358, and the transform takes the loss as shown. At 7 MHz over 150 feet, 1.257 x 1.5 =
// 1.8855 reads 1.886.
TEST(SolveLine, AMatchedLossOnATieReadsAsTheShownFiguresGive) {
    struct Case {
        const char* freq;
        const char* length;
        const char* per_100, *total;
    } const cases[] = {{"2.646", "50", "0.715", "0.358"}, {"7", "150", "1.257", "1.886"}};
    for (const Case& c : cases) {
        LineEntries e;
        e.cable_position = 11;
        e.freq_text = c.freq;
        e.length_text = c.length;
        const auto s = SolveLine(e);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->ml_per, c.per_100) << c.freq;
        EXPECT_EQ(s->ml_tot, c.total) << c.freq;
    }
    // The impedance at the input of the mismatched line follows the shown loss: 4.761 - j6.269.
    LineEntries e;
    e.cable_position = 11;
    e.freq_text = "2.646";
    e.length_text = "50";
    e.resistance_text = "83.16";
    e.reactance_text = "-267.96";
    const auto s = SolveLine(e);
    ASSERT_TRUE(s.has_value());
    EXPECT_NEAR(s->values.rin, 4.761, 0.0005);
    EXPECT_NEAR(s->values.xin, -6.269, 0.0005);
}

}  // namespace
}  // namespace qlx
