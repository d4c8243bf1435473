#include "core/calcz.h"

#include <cmath>

#include "core/numbers.h"

namespace qlx {

namespace {

constexpr double kReflectionCeiling = 0.999999;
constexpr double kReflectionCapped = 0.9999999;
// Beyond this |alpha l| the exponentials overflow; sinh and cosh are then scaled by cosh.
constexpr double kLargeNepers = 700.0;
// The transform needs only the ratio of sinh and cosh. Past this loss (about 170 dB) it uses them
// scaled by cosh, where tanh is exact, so that no product with Z0 or the load can overflow at any
// loss (a few thousand dB made 0 + j0 of the far end before).
constexpr double kScaledNepers = 20.0;

struct Cx {
    double r;
    double i;
};

Cx Mul(Cx a, Cx b) { return {a.r * b.r - a.i * b.i, a.r * b.i + a.i * b.r}; }
Cx Add(Cx a, Cx b) { return {a.r + b.r, a.i + b.i}; }

// sinh and cosh of a + jb from real exponentials, sines and cosines. For very large |a| both
// are returned divided by cosh(a), which leaves every ratio of them unchanged; the result then
// tells that they were scaled.
bool SinhCosh(double a, double b, Cx& s, Cx& c, double scale_above = kLargeNepers) {
    const double cb = std::cos(b), sb = std::sin(b);
    if (std::fabs(a) <= scale_above) {
        const double ea = std::exp(a), ema = std::exp(-a);
        const double sh = (ea - ema) / 2.0, ch = (ea + ema) / 2.0;
        s = {cb * sh, sb * ch};
        c = {cb * ch, sb * sh};
        return false;
    }
    const double th = std::tanh(a);
    s = {cb * th, sb};
    c = {cb, sb * th};
    return true;
}

// |rho| = sqrt(num / den) with the undefined cases held finite.
double ReflectionMagnitude(double num, double den) {
    if (den == 0.0) return num == 0.0 ? 1.0 : kVeryLarge;
    const double rho = std::sqrt(num / den);
    return std::isfinite(rho) ? rho : kVeryLarge;
}

double SwrOf(double rho) {
    const double m = std::fabs(rho);
    if (m == 1.0) return kVeryLarge;
    return (1.0 + m) / (1.0 - m);
}

double CappedForLoss(double p) { return p < kReflectionCeiling ? p : kReflectionCapped; }

}  // namespace

CalcZResult CalcZ(const CalcZInput& in, const LineConstants& line) {
    CalcZResult out;
    out.ra = in.ra == 0.0 ? kTinyResistance : in.ra;
    out.xa = in.xa;
    out.xmsn_length = in.xmsn_length;

    const float beta_single = static_cast<float>(kTwoPiSingle / static_cast<double>(line.wave_len));
    if (line.wave_len == 0.0f || !std::isfinite(beta_single)) return out;
    out.valid = true;
    const double beta = beta_single;
    const double r0 = line.r0, x0 = line.x0;
    const double ra = out.ra, xa = out.xa;

    double al = kNepersPerDb * in.matched_loss;
    double bl = beta * in.xmsn_length;
    if (in.given_at_input) {
        al = -al;
        bl = -bl;
    }

    Cx s{}, c{};
    SinhCosh(al, bl, s, c, kScaledNepers);
    const Cx z0{r0, x0};
    const Cx za{ra, xa};
    const Cx n = Add(Mul(z0, s), Mul(za, c));
    const Cx d = Add(Mul(z0, c), Mul(za, s));
    const double dd = d.r * d.r + d.i * d.i;
    if (dd == 0.0) {
        // Either a zero-length line with Z0 = 0 (the other end sees the given impedance), or
        // the given impedance makes the computed end an open circuit.
        const bool no_line = s.r == 0.0 && s.i == 0.0;
        out.rin = static_cast<float>(no_line ? ra : kVeryLarge);
        out.xin = static_cast<float>(no_line ? xa : 0.0);
    } else {
        const double qr = (n.r * d.r + n.i * d.i) / dd;
        const double qi = (n.i * d.r - n.r * d.i) / dd;
        out.rin = static_cast<float>(r0 * qr - x0 * qi);
        out.xin = static_cast<float>(r0 * qi + x0 * qr);
    }
    const double rin = out.rin, xin = out.xin;

    // SWR at the computed end, against Z0 itself.
    const double den_c = (rin + r0) * (rin + r0) + (xin + x0) * (xin + x0);
    const double rho_c =
        ReflectionMagnitude((rin - r0) * (rin - r0) + (xin - x0) * (xin - x0), den_c);
    out.swr_in = SwrOf(rho_c);

    // Mismatch loss uses the conjugate of Z0 in the numerator.
    const double den_a = (ra + r0) * (ra + r0) + (xa + x0) * (xa + x0);
    const double pc = CappedForLoss(
        ReflectionMagnitude((rin - r0) * (rin - r0) + (xin + x0) * (xin + x0), den_c));
    const double pa =
        CappedForLoss(ReflectionMagnitude((ra - r0) * (ra - r0) + (xa + x0) * (xa + x0), den_a));
    out.add_loss = 10.0 * std::log10((1.0 - pc * pc) / (1.0 - pa * pa));
    out.tot_loss =
        in.given_at_input ? in.matched_loss - out.add_loss : in.matched_loss + out.add_loss;

    out.rho_out = ReflectionMagnitude((ra - r0) * (ra - r0) + (xa - x0) * (xa - x0), den_a);
    out.swr_out = SwrOf(out.rho_out);

    if (out.xmsn_length == 0.0) out.xmsn_length = kTinyLength;
    if (in.voltage_current) VoltageCurrentAt(out, in, line);
    return out;
}

void VoltageCurrentAt(CalcZResult& out, const CalcZInput& in, const LineConstants& line) {
    // V(x) = Vin cosh(gx) - Iin Z0 sinh(gx), I(x) = Iin cosh(gx) - (Vin / Z0) sinh(gx), Iin = Vin/Zc,
    // with x from the computed end and Vin = sqrt(P Rp) as the phase reference.
    out.vi_defined = false;
    out.mag_vx = out.ph_vx = out.mag_ix = out.ph_ix = 0.0;
    const double beta = static_cast<float>(kTwoPiSingle / static_cast<double>(line.wave_len));
    const double r0 = line.r0, x0 = line.x0;
    const double rin = out.rin, xin = out.xin;
    const double al = in.given_at_input ? -kNepersPerDb * in.matched_loss : kNepersPerDb * in.matched_loss;
    const double zc2 = rin * rin + xin * xin;
    const double z02 = r0 * r0 + x0 * x0;
    if (zc2 == 0.0 || z02 == 0.0 || out.xmsn_length == 0.0) return;

    const double alpha = al / out.xmsn_length;
    Cx sx{}, cx{};
    // Beyond some 6000 dB of line no finite voltage remains to be shown.
    if (SinhCosh(alpha * in.x_length, beta * in.x_length, sx, cx)) return;
    const double qr = (rin * r0 + xin * x0) / zc2;
    const double qi = (x0 * rin - r0 * xin) / zc2;
    const double rp = std::fabs(SeriesToParallel(rin, xin).rp);
    const double power = in.pwr_in * rp;
    const double vin = power > 0.0 ? std::sqrt(power) : 0.0;

    const double vr = vin * (cx.r - qr * sx.r + qi * sx.i);
    const double vi = vin * (cx.i - qr * sx.i - qi * sx.r);
    const double cz_r = (cx.r * rin + cx.i * xin) / zc2;
    const double cz_i = (cx.i * rin - cx.r * xin) / zc2;
    const double sz_r = (sx.r * r0 + sx.i * x0) / z02;
    const double sz_i = (sx.i * r0 - sx.r * x0) / z02;
    const double ir = vin * (cz_r - sz_r);
    const double ii = vin * (cz_i - sz_i);
    if (!(std::isfinite(vr) && std::isfinite(vi) && std::isfinite(ir) && std::isfinite(ii))) return;
    out.vi_defined = true;
    out.mag_vx = std::sqrt(vr * vr + vi * vi);
    out.ph_vx = kDegPerRad * ComplexAngle(vr, vi);
    out.mag_ix = std::sqrt(ir * ir + ii * ii);
    out.ph_ix = kDegPerRad * ComplexAngle(ir, ii);
}

}  // namespace qlx
