#include <gtest/gtest.h>

#include <numbers>

#include <cmath>
#include <complex>

#include "core/cables.h"
#include "core/calcz.h"
#include "support/complex_tanh.h"

namespace qlx {
namespace {

using cd = std::complex<double>;
constexpr double kNpPerDb = 0.11512925464970229;  // ln 10 / 20

// A catalogue line at a frequency, with its matched loss for a length, derived the way the
// window derives them.
struct TestLine {
    LineConstants k;
    double loss_per_ft;  // dB per foot
};

TestLine LineOf(int row, float freq) {
    const CableSpec& c = Catalogue()[static_cast<std::size_t>(row)];
    const CableAtFrequency at = CableAt(c, freq);
    return {{at.r0, at.x0, at.wave_len}, at.atten100 / 100.0};
}

// gamma * length with the same single-precision phase constant the transform uses.
cd GammaL(const LineConstants& k, double matched_loss, double length) {
    const double beta = static_cast<float>(6.2831854820251465 / k.wave_len);
    return {kNpPerDb * matched_loss, beta * length};
}

// Textbook lossy-line input impedance: Zin = Z0 (ZL + Z0 tanh gl) / (Z0 + ZL tanh gl).
cd InputFromLoad(cd z0, cd zl, cd gl) {
    const cd t = TextbookTanh(gl);
    return z0 * (zl + z0 * t) / (z0 + zl * t);
}
// Its inverse: ZL = Z0 (Zin - Z0 tanh gl) / (Z0 - Zin tanh gl).
cd LoadFromInput(cd z0, cd zin, cd gl) {
    const cd t = TextbookTanh(gl);
    return z0 * (zin - z0 * t) / (z0 - zin * t);
}

double Swr(cd z, cd z0) {
    const double rho = std::abs((z - z0) / (z + z0));
    return (1 + rho) / (1 - rho);
}

// |Z - Z0*| / |Z + Z0|: the reflection whose power is lost in the mismatch.
double ConjugateReflection(cd z, cd z0) { return std::abs(z - std::conj(z0)) / std::abs(z + z0); }

// Loss from the power that actually flows: 1 V at the load, power into the line over power
// into the load.
double PowerFlowLossDb(cd z0, cd zl, cd gl) {
    const cd il = 1.0 / zl;
    const cd vi = std::cosh(gl) + il * z0 * std::sinh(gl);
    const cd ii = il * std::cosh(gl) + std::sinh(gl) / z0;
    return 10 * std::log10((vi * std::conj(ii)).real() / std::conj(il).real());
}

TEST(CalcZ, AgreesWithTheTextbookLossyLineFromEitherEnd) {
    const int rows[] = {3, 16, 29, 31};
    const float freqs[] = {0.1f, 3.5f, 28.0f, 430.0f};
    const double lengths[] = {1.0, 33.3, 100.0, 1234.0};
    const cd loads[] = {{50, 0}, {0, -200}, {1e5, 3e4}, {-30, 40}, {5, 0.5}, {300, -450}, {12, 1e4}};
    int checked = 0;
    for (int row : rows)
        for (float f : freqs)
            for (double len : lengths)
                for (cd za : loads)
                    for (bool at_input : {false, true}) {
                        const TestLine line = LineOf(row, f);
                        const cd z0(line.k.r0, line.k.x0);
                        const double ml = line.loss_per_ft * len;
                        if (ml > 60) continue;  // beyond that both ends decouple completely
                        CalcZInput in;
                        in.matched_loss = ml;
                        in.xmsn_length = len;
                        in.ra = za.real();
                        in.xa = za.imag();
                        in.given_at_input = at_input;
                        const CalcZResult r = CalcZ(in, line.k);
                        const cd given(za.real() == 0 ? 0.00001 : za.real(), za.imag());
                        const cd gl = GammaL(line.k, ml, len);
                        const cd want = at_input ? LoadFromInput(z0, given, gl) : InputFromLoad(z0, given, gl);
                        const cd got(r.rin, r.xin);
                        SCOPED_TRACE(testing::Message() << "row " << row << " f " << f << " len " << len
                                                        << " Z " << za << (at_input ? " input" : " load"));
                        ASSERT_TRUE(r.valid);
                        // Rin and Xin are held in single precision.
                        EXPECT_NEAR(std::abs(got - want) / (std::abs(want) + std::abs(z0)), 0.0, 2e-6);
                        EXPECT_NEAR(r.swr_out, Swr(given, z0), 1e-9 * std::fabs(Swr(given, z0)));
                        EXPECT_NEAR(r.swr_in, Swr(want, z0), 1e-4 * std::fabs(Swr(want, z0)) + 1e-6);
                        // With positive resistances at both ends the total loss is the loss of the
                        // power that flows, whichever end the impedance was given at.
                        const cd zl = at_input ? want : given;
                        const cd zi = at_input ? given : want;
                        if (zl.real() > 0 && zi.real() > 0 && ConjugateReflection(zl, z0) < 0.999 &&
                            ConjugateReflection(zi, z0) < 0.999) {
                            EXPECT_NEAR(r.tot_loss, PowerFlowLossDb(z0, zl, gl), 1e-3);
                        }
                        ++checked;
                    }
    EXPECT_GT(checked, 300);
}

TEST(CalcZ, LineSolvedFromTheInputGivesThePowerFlowLoss) {
    // RG-174 at 0.1 MHz, 200 feet: Z0 = 50.0 - j30.0 and 1.01 dB matched loss. 100 - j500 ohms at
    // the input goes with 93.9 + j493.8 at the load; 0.185 dB reach neither end.
    const TestLine line = LineOf(16, 0.1f);
    EXPECT_NEAR(line.k.r0, 50.0, 0.05);
    EXPECT_NEAR(line.k.x0, -30.0, 0.05);
    CalcZInput in;
    in.matched_loss = 1.010;
    in.xmsn_length = 200;
    in.ra = 100;
    in.xa = -500;
    in.given_at_input = true;
    const CalcZResult from_input = CalcZ(in, line.k);
    EXPECT_NEAR(from_input.rin, 93.95, 0.01);
    EXPECT_NEAR(from_input.xin, 493.78, 0.01);
    EXPECT_NEAR(from_input.tot_loss, 0.1854, 0.0005);

    CalcZInput back = in;
    back.ra = from_input.rin;
    back.xa = from_input.xin;
    back.given_at_input = false;
    const CalcZResult from_load = CalcZ(back, line.k);
    EXPECT_NEAR(from_load.rin, 100.0, 0.01);
    EXPECT_NEAR(from_load.xin, -500.0, 0.01);
    EXPECT_NEAR(from_load.tot_loss, from_input.tot_loss, 1e-4);
    EXPECT_NEAR(from_input.tot_loss,
                PowerFlowLossDb({line.k.r0, line.k.x0}, {from_input.rin, from_input.xin},
                                GammaL(line.k, 1.010, 200)), 1e-4);
}

TEST(CalcZ, EdgeCasesStayFiniteAndDefined) {
    const TestLine line = LineOf(3, 10.0f);  // RG-8A, Z0 = 52.2 - j0.36
    struct Case {
        const char* what;
        double ml, len, ra, xa;
        bool at_input;
    } const cases[] = {
        {"zero length", 0, 0, 30, 20, false},
        {"matched", 0.587, 100, line.k.r0, line.k.x0, false},
        {"pure reactance", 0.587, 100, 0, -120, false},
        {"negative resistance", 0.587, 100, -25, 10, false},
        {"huge load", 0.587, 100, 1e12, -1e12, true},
        {"very lossy line", 9000, 9999, 50, 0, false},
        {"very lossy line from the input", 9000, 9999, 50, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CalcZInput in{c.ml, c.len, 0.0, c.ra, c.xa, c.at_input, 100.0};
        const CalcZResult r = CalcZ(in, line.k);
        ASSERT_TRUE(r.valid);
        for (double v : {r.swr_in, r.swr_out, double(r.rin), double(r.xin), r.tot_loss, r.rho_out,
                         r.mag_vx, r.ph_vx, r.mag_ix, r.ph_ix})
            EXPECT_TRUE(std::isfinite(v)) << v;
    }

    // Zero length: the other end sees the given impedance, no additional loss; the voltage is
    // evaluated over 0.000001 feet instead.
    CalcZResult r = CalcZ({0, 0, 0, 30, 20, false, 0}, line.k);
    EXPECT_FLOAT_EQ(r.rin, 30.0f);
    EXPECT_FLOAT_EQ(r.xin, 20.0f);
    EXPECT_DOUBLE_EQ(r.swr_in, r.swr_out);
    EXPECT_NEAR(r.tot_loss, 0.0, 1e-6);
    EXPECT_EQ(r.xmsn_length, 0.000001);

    // Matched load: SWR 1 at both ends, no additional loss.
    r = CalcZ({0.587, 100, 0, line.k.r0, line.k.x0, false, 0}, line.k);
    EXPECT_NEAR(r.rho_out, 0.0, 1e-12);
    EXPECT_NEAR(r.swr_out, 1.0, 1e-12);
    EXPECT_NEAR(r.swr_in, 1.0, 1e-5);
    EXPECT_NEAR(r.tot_loss, 0.587, 1e-5);

    // A purely reactive load is taken with 0.00001 ohm.
    r = CalcZ({0.587, 100, 0, 0, -120, false, 0}, line.k);
    EXPECT_EQ(r.ra, 0.00001);

    // A negative load resistance reflects more than it receives: |rho| > 1, negative SWR,
    // and the loss formula stays finite through the reflection ceiling.
    r = CalcZ({0.587, 100, 0, -25, 10, false, 0}, line.k);
    EXPECT_GT(r.rho_out, 1.0);
    EXPECT_LT(r.swr_out, 0.0);

    // From the load the additional loss may be negative (more reflection at the input than at
    // the load); from the input it never is.
    for (double xa : {-300.0, -50.0, 0.0, 80.0, 900.0}) {
        const CalcZResult a = CalcZ({0.587, 100, 0, 10, xa, true, 0}, line.k);
        EXPECT_GE(a.tot_loss - 0.587, -1e-9) << xa;
    }
}

TEST(CalcZ, UndefinedReflectionsGiveAVeryLargeSwrAndKeepTheOtherOutputs) {
    // A line without characteristic impedance: every reflection is total.
    const LineConstants no_z0{0.0f, 0.0f, 64.9f};
    CalcZResult r = CalcZ({0.5, 100, 0, 50, 0, false, 100}, no_z0);
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.swr_out, kVeryLarge);
    EXPECT_EQ(r.swr_in, kVeryLarge);
    EXPECT_FALSE(r.vi_defined);
    EXPECT_TRUE(std::isfinite(r.tot_loss));
    // At zero length the other end still sees the given impedance.
    r = CalcZ({0, 0, 0, 50, 0, false, 100}, no_z0);
    EXPECT_FLOAT_EQ(r.rin, 50.0f);

    // A purely imaginary Za * conj(Z0) puts |rho| at exactly 1.
    const LineConstants real_z0{50.0f, 0.0f, 64.9f};
    r = CalcZ({0.5, 100, 0, 0, 75, false, 100}, real_z0);
    EXPECT_NEAR(r.rho_out, 1.0, 1e-6);
    EXPECT_TRUE(std::isfinite(r.swr_out));

    // A wavelength of 0 has no solution at all.
    EXPECT_FALSE(CalcZ({0.5, 100, 0, 50, 0, false, 100}, {50.0f, 0.0f, 0.0f}).valid);
}

TEST(CalcZ, VoltageAndCurrentAtTheComputedEnd) {
    // 1500 W into 50 + j0: V = sqrt(1500 * 50) = 273.86 V, I = V / 50 = 5.477 A.
    const LineConstants lossless{50.0f, 0.0f, 64.9f};
    CalcZResult r = CalcZ({0, 100, 0, 50, 0, false, 1500}, lossless);
    EXPECT_NEAR(r.mag_vx, std::sqrt(75000.0), 1e-3);
    EXPECT_NEAR(r.mag_ix, std::sqrt(75000.0) / 50.0, 1e-5);
    EXPECT_NEAR(r.ph_vx, 0.0, 1e-9);

    // x = 0 with a reactive Zc: V = sqrt(P Rp), I = V / |Zc| lagging by the angle of Zc.
    const TestLine line = LineOf(17, 14.0f);
    r = CalcZ({0.9, 100, 0, 200, -100, false, 100}, line.k);
    const cd zc(r.rin, r.xin);
    const double rp = std::norm(zc) / zc.real();
    EXPECT_NEAR(r.mag_vx, std::sqrt(100 * rp), 1e-6 * r.mag_vx);
    EXPECT_NEAR(r.ph_vx, 0.0, 1e-9);
    EXPECT_NEAR(r.mag_ix, r.mag_vx / std::abs(zc), 1e-6 * r.mag_ix);
    EXPECT_NEAR(r.ph_ix, -std::arg(zc) * 180 / std::numbers::pi, 1e-4);

    // Along a matched lossy line the voltage falls as exp(-alpha x) and the power as the loss.
    const cd z0(line.k.r0, line.k.x0);
    const double ml = 2.0;
    for (double x : {0.0, 25.0, 50.0, 100.0}) {
        r = CalcZ({ml, 100, x, z0.real(), z0.imag(), false, 1000}, line.k);
        const double v0 = std::sqrt(1000 * std::norm(z0) / z0.real());
        EXPECT_NEAR(r.mag_vx, v0 * std::pow(10.0, -ml * x / 100 / 20), 1e-3) << x;
    }
}

TEST(CalcZ, VoltageAlongTheLineEqualsTheFullTransformAtEachPoint) {
    const TestLine line = LineOf(17, 14.0f);
    for (bool at_input : {false, true}) {
        CalcZInput in{0.78, 100, 100, 200, -100, at_input, 1500};
        CalcZResult moved = CalcZ(in, line.k);
        for (double x : {0.0, 0.5, 37.25, 99.5}) {
            in.x_length = x;
            VoltageCurrentAt(moved, in, line.k);
            const CalcZResult full = CalcZ(in, line.k);
            EXPECT_EQ(moved.mag_vx, full.mag_vx) << x;
            EXPECT_EQ(moved.ph_vx, full.ph_vx) << x;
            EXPECT_EQ(moved.mag_ix, full.mag_ix) << x;
            EXPECT_EQ(moved.ph_ix, full.ph_ix) << x;
        }
    }
}

// Lines of thousands of dB (RG-type cable at 5000 MHz, thousands of feet): the far end is Z0,
// whatever the load, the SWR there is 1 and no number overflows. The textbook transform with the
// library's complex tanh, which saturates at 1, gives the expected values.
TEST(CalcZ, VeryLossyLinesReachZ0AtTheFarEnd) {
    const TestLine l = LineOf(16, 5000.0f);
    const cd z0(l.k.r0, l.k.x0);
    for (double length : {300.0, 3000.0, 5254.0, 6000.0, 9999.0}) {
        for (cd zl : {cd(50, 0), cd(200, -100), cd(0.00001, 0), cd(1e6, 1e6)}) {
            const double ml = length * l.loss_per_ft;
            const CalcZResult r = CalcZ({ml, length, length, zl.real(), zl.imag(), false, 1500}, l.k);
            const cd expected = InputFromLoad(z0, zl, GammaL(l.k, ml, length));
            EXPECT_NEAR(r.rin, expected.real(), 1e-4 * std::abs(expected)) << length << " " << zl;
            EXPECT_NEAR(r.xin, expected.imag(), 1e-4 * std::abs(expected)) << length << " " << zl;
            EXPECT_NEAR(r.swr_in, 1.0, 1e-3) << length << " " << zl;
            EXPECT_GE(r.tot_loss, ml - 0.01) << length << " " << zl;  // a passive load adds loss
            EXPECT_GE(r.swr_out, 1.0) << length << " " << zl;
        }
    }
}

}  // namespace
}  // namespace qlx
