// The low-pass Pi network: C1 across the transmitter side, the coil L2, and C3 across the line
// input, C3 fixed by the user. The coil is one element: the part f that cancels the output node's
// reactance and the part b added to transform the resistance are one winding, and its loss is
// |f + b| / Qu, not |f| / Qu + |b| / Qu.
#include <cmath>

#include "core/numbers.h"
#include "tuner/designs.h"

namespace qlx::tuner::detail {

namespace {

constexpr Network kNet = Network::Pi;

// The loaded Q: the output node (C3 with its loss, across the line input) and the input side.
double CalcQPi(double x1, double qc, double x4, double ra, double xa, double z0) {
    const ParallelForm c3 = SeriesToParallel(std::fabs(x4) / qc, x4);
    const ParallelForm line = SeriesToParallel(ra, xa);
    const double r = 1.0 / (1.0 / c3.rp + 1.0 / line.rp);
    const double x = 1.0 / (1.0 / c3.xp + 1.0 / line.xp);
    return std::fabs(r / x) + std::fabs(z0 / x1);
}

}  // namespace

DesignResult DesignPi(const TunerLoad& load, const TunerSettings& s) {
    const double z0 = s.z0, qc = s.qc, qu = s.qu, f0 = load.f0;
    if (load.ra < 0.1 || std::fabs(load.xa / load.ra) > 200.0) {
        DesignFailure f = Failure(kNet, "The pi-network will not match this impedance. ", false);
        f.before_design = true;
        return f;
    }
    // The output side: C3 across the line input, and the part f of the coil that cancels the
    // node's series reactance.
    const double x4 = -1.0 / (kTwoPiSingle * f0 * 1e6 * s.pi_cap_pf * 1e-12);
    const double r4 = std::fabs(x4) / qc;
    const double rp4 = r4 * (1.0 + qc * qc);
    const double rn = 1.0 / (1.0 / rp4 + 1.0 / load.rp);
    const double xn = 1.0 / (1.0 / x4 + 1.0 / load.xp);
    const double qn = std::fabs(rn / xn);
    const double rns = rn / (1.0 + qn * qn);
    const double f = -xn * qn * qn / (1.0 + qn * qn);
    const double rs = rns + std::fabs(f) / qu;  // the start estimate, with the cancelling part's loss
    if (rs > z0) return Failure(kNet, "Try a larger shunt output capacitor.", true);

    // Lossless start, then the full evaluation of the input resistance a for an added reactance b.
    const double q1 = std::sqrt(z0 / rs - 1.0);
    double b = rs * q1;
    struct {
        double c, x1, r1, a;
    } q{};
    const auto eval = [&](double bb) {
        q.c = std::fabs(f + bb) / qu + rns;
        const ParallelForm branch = SeriesToParallel(q.c, bb);
        q.x1 = -branch.xp;  // the input capacitor cancels the branch's reactance
        q.r1 = std::fabs(q.x1) / qc;
        q.a = 1.0 / (1.0 / SeriesToParallel(q.r1, q.x1).rp + 1.0 / branch.rp);
        return q.a;
    };
    double a = eval(b);
    if (!std::isfinite(a)) return Failure(kNet, kFaultText, true);
    // A start within 0.1 ohm is taken as it is.
    if (!(std::fabs(a - z0) < 0.1)) {
        if (const SearchEnd end = Search(b, a, z0, -1.0, eval, kNeverRefused); end != SearchEnd::Matched)
            return SearchFailed(kNet, end);
    }

    const double xseries = f + b;
    if (MicroHenries(xseries, f0) < 0.0) return Failure(kNet, "Try a larger output capacitor.", true);
    const double p = s.power;
    NetworkDesign d = NewDesign(kNet, Schematic::Pi, load, s);
    d.vin = std::sqrt(z0 * p);
    const double zb = std::sqrt(q.c * q.c + b * b);
    const double ib = d.vin / zb;
    const SeriesForm o = ParallelToSeries(rn, xn);
    d.vout = std::sqrt(o.r * o.r + o.x * o.x) * ib;
    d.vin_angle = InputAngle(s.phase, ComplexAngle(o.r, o.x) - ComplexAngle(q.c, b));
    const double i1 = d.vin / std::sqrt(q.r1 * q.r1 + q.x1 * q.x1);
    const double p1 = q.r1 * i1 * i1;
    const double il = std::sqrt((p - p1) / q.c);
    const double pl = std::fabs(xseries) / qu * il * il;
    const double vl = std::fabs(xseries * il);
    const double v3 = std::sqrt(rn * (p - p1 - pl));
    const double i3 = v3 / std::sqrt(x4 * x4 + r4 * r4);
    const double p3 = r4 * i3 * i3;
    d.elements = {MakeElement("C1", Kind::C, Connection::Shunt, q.x1, f0, qc, d.vin, i1, p1),
                  MakeElement("L2", Kind::L, Connection::Series, xseries, f0, qu, vl, il, pl),
                  MakeElement("C3", Kind::C, Connection::Shunt, x4, f0, qc, v3, i3, p3)};
    // C3 is all the capacitance across the line input: the stray capacitance is part of it.
    d.elements[2].stray_pf = s.stray_f * 1e12;
    d.qeff = CalcQPi(q.x1, qc, x4, load.ra, load.xa, z0);
    return Finish(std::move(d), s);
}

}  // namespace qlx::tuner::detail
