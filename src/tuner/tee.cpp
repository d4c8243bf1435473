// The high-pass Tee network: the series capacitor C1 at the transmitter, the shunt coil L2, and
// the series capacitor C3 toward the line input, C3 fixed by the user; the stray capacitance lies
// across the line input. Every step of the search evaluates the whole network, so the reported
// elements are those that were evaluated.
#include <cmath>

#include "core/numbers.h"
#include "tuner/designs.h"

namespace qlx::tuner::detail {

namespace {

constexpr Network kNet = Network::Tee;
constexpr const char* kLowerCapacitor = "Try a lower value of series capacitor.";

// The loaded Q from the slope of the input reactance over a small frequency offset, with the
// line input as it is (without the stray capacitance).
double CalcQTee(double x3, double qc, double x4, double qu, double xcseries, double ra, double xa) {
    constexpr double kDelta = 1e-4;
    struct Pass {
        double rin, xin;
    };
    const auto pass = [&](double k, double xak) {
        const double x3k = x3 / k, x4k = x4 * k, xck = xcseries / k;
        const ParallelForm out = SeriesToParallel(ra + std::fabs(xck) / qc, xak + xck);
        const ParallelForm coil = SeriesToParallel(std::fabs(x4k) / qu, x4k);
        const double r = 1.0 / (1.0 / out.rp + 1.0 / coil.rp);
        const double y = 1.0 / (1.0 / out.xp + 1.0 / coil.xp);
        const SeriesForm node = ParallelToSeries(r, y);
        return Pass{std::fabs(x3k) / qc + node.r, x3k + node.x};
    };
    // The load's reactance is scaled up and down by the same factor 1 + delta.
    const Pass up = pass(1.0 + kDelta, xa < 0.0 ? xa / (1.0 + kDelta) : xa * (1.0 + kDelta));
    const Pass down = pass(1.0 - kDelta, xa < 0.0 ? xa * (1.0 + kDelta) : xa / (1.0 + kDelta));
    return std::fabs(up.xin - down.xin) / (4.0 * kDelta * std::sqrt(up.rin * down.rin));
}

}  // namespace

DesignResult DesignTee(const TunerLoad& load, const TunerSettings& s) {
    const double z0 = s.z0, qc = s.qc, qu = s.qu, f0 = load.f0;
    // The Tee's own messages take away the L/Pi page; its own page stays as it was.
    const auto refuse = [](const char* text) { return Failure(kNet, text, true, Page::Tuner1); };

    // The output branch: C3 with its loss in series with the line input and the stray capacitance.
    const Impedance l = AddStrayC(s.stray_f, f0, kPiSingle, load.ra, load.xa);
    const double xcseries = -1.0 / (2.0 * kPiSingle * s.tee_cap_pf * 1e-12 * f0 * 1e6);
    const double r3 = std::fabs(xcseries) / qc;
    const double ro = r3 + l.r;
    const double xo = xcseries + l.x;
    const double qo = std::fabs(xo / ro);
    const double rpo = ro * (1.0 + qo * qo);
    const double xpo = xo * (1.0 + qo * qo) / (qo * qo);
    if (!(rpo > z0)) return refuse("Can't match this impedance -- use a smaller output capacitor.");

    const double q2 = std::sqrt(rpo / z0 - 1.0);
    const double xt = rpo / q2;  // the parallel reactance the node must have
    if (xpo == xt) return refuse("This impedance can't be matched. Start over.");
    double x4 = 1.0 / (1.0 / xt - 1.0 / xpo);
    // A coil cannot cancel the output node here; a smaller series capacitor usually moves the node
    // where one can (75 of 85 such loads), so that is the advice, not a part the Tee lacks.
    if (x4 < 0.0) return refuse("This won't match with this series capacitor -- try a smaller one, or auto.");

    struct {
        double r4, rp4, rn, x3, r1, c;
    } q{};
    const auto eval = [&](double xx4) {
        q.r4 = std::fabs(xx4) / qu;
        q.rp4 = q.r4 * (1.0 + qu * qu);
        const double xp4 = xx4 * (1.0 + qu * qu) / (qu * qu);
        q.rn = 1.0 / (1.0 / q.rp4 + 1.0 / rpo);
        const double xn = 1.0 / (1.0 / xp4 + 1.0 / xpo);
        const double qn = std::fabs(q.rn / xn);
        const double rs = q.rn / (1.0 + qn * qn);
        q.x3 = -xn * qn * qn / (1.0 + qn * qn);  // C1 cancels the node's series reactance
        q.r1 = std::fabs(q.x3) / qc;
        q.c = rs + q.r1;
        return q.c;
    };
    double c = eval(x4);
    if (!std::isfinite(c)) return Failure(kNet, kFaultText, true);
    // Stepping down, c must not rise from one step to the next; stepping up, it must not fall
    // below where it started.
    const bool start_above = c > z0;
    const double c_start = c;
    const auto moving_away = [start_above, c_start](double before, double now, double) {
        return start_above ? now > before : now < c_start;
    };
    // The refinement also stops once the bracket is below 0.001 ohm with c within 0.002 ohm of the
    // tuner resistance; the design is then the state evaluated last, not the untried midpoint.
    if (const SearchEnd end = Search(x4, c, z0, -1.0, eval, moving_away, EarlyAccept{0.001, 0.002});
        end != SearchEnd::Matched)
        return SearchFailed(kNet, end, kLowerCapacitor, true, Page::Tuner1);

    const double p = s.power;
    NetworkDesign d = NewDesign(kNet, Schematic::Tee, load, s);
    d.stray_f = s.stray_f;
    d.vin = std::sqrt(z0 * p);
    const double iin = d.vin / z0;
    const double v1 = std::fabs(q.x3) * iin;
    const double p1 = q.r1 * iin * iin;
    // Phasors: the junction after C1, then the current into the output branch alone.
    const double vn = d.vin * std::sqrt(std::pow(1.0 - q.r1 / z0, 2.0) + std::pow(q.x3 / z0, 2.0));
    const double thn = ComplexAngle(1.0 - q.r1 / z0, -q.x3 / z0);
    const double zo = std::sqrt(ro * ro + xo * xo);
    const double tho = ComplexAngle(ro, xo);
    const double io = vn / zo;
    d.vout = std::sqrt(l.r * l.r + l.x * l.x) * io;
    d.vin_angle = InputAngle(s.phase, ComplexAngle(l.r, l.x) + thn - tho);
    // Powers: the junction voltage, the coil, and what is left for the output branch.
    const double vj = std::sqrt(q.rn * (p - p1));
    const double il = vj / x4;
    const double pl = vj * vj / q.rp4;
    const double i3 = std::sqrt(((p - p1) - pl) / ro);
    const double p3 = r3 * i3 * i3;
    const double v3 = std::fabs(xcseries * i3);
    Element c3 = MakeElement("C3", Kind::C, Connection::Series, xcseries, f0, qc, v3, i3, p3);
    c3.value = s.tee_cap_pf;  // as entered
    d.elements = {MakeElement("C1", Kind::C, Connection::Series, q.x3, f0, qc, v1, iin, p1),
                  MakeElement("L2", Kind::L, Connection::Shunt, x4, f0, qu, vj, il, pl), c3};
    d.qeff = CalcQTee(q.x3, qc, x4, qu, xcseries, load.ra, load.xa);
    return Finish(std::move(d), s);
}

}  // namespace qlx::tuner::detail
