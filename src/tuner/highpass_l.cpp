// The high-pass L network: a series capacitor and a shunt coil. Topology A (the line input's
// parallel resistance above the tuner resistance): the capacitor at the transmitter, the coil
// across the line input. Topology B (below it): the coil across the transmitter side, the
// capacitor toward the line input, with the stray capacitance across the line input. In B the
// coil follows the search: at every step it is the coil that cancels the branch's parallel
// reactance.
#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "tuner/designs.h"

namespace qlx::tuner::detail {

namespace {

constexpr Network kNet = Network::HighPassL;
// The largest reactance of the coil across the line input (topology A), ohms.
constexpr double kLargestCoilX = 10000.0;
constexpr const char* kWontMatch = "This won't match";

DesignResult TopologyA(const TunerLoad& load, const TunerSettings& s) {
    const double z0 = s.z0, qc = s.qc, qu = s.qu, rp = load.rp, xp = load.xp, f0 = load.f0;
    const double q0 = std::sqrt(rp / z0 - 1.0);
    const double xt = rp / q0;  // the parallel reactance the load node must have
    if (xp == xt) return Failure(kNet, "This network won't work. Try the low-pass L-network.", false);
    double xl = 1.0 / (1.0 / xt - 1.0 / xp);
    if (xl < 0.0) return Failure(kNet, "Need output shunt capacitor rather than inductor for this impedance.", false);
    if (std::fabs(rp - z0) < 0.1) return Failure(kNet, "Try another network", false);
    // No fixed window of loads is refused here (one once refused 50 < Rp < 60 ohms with Xp below
    // -10 whatever the tuner resistance, loads this network matches): the search decides, and
    // ends with its own message when it cannot match.
    if (xl > kLargestCoilX) return Failure(kNet, kWontMatch, false);

    struct {
        double rl, rpl, xpl, rn, xn, qn, xc, c;
    } q{};
    const auto eval = [&](double x) {
        q.rl = std::fabs(x) / qu;
        const ParallelForm coil = SeriesToParallel(q.rl, x);
        q.rpl = coil.rp;
        q.xpl = coil.xp;
        q.rn = 1.0 / (1.0 / q.rpl + 1.0 / rp);
        q.xn = 1.0 / (1.0 / q.xpl + 1.0 / xp);
        q.qn = std::fabs(q.rn / q.xn);
        const double rs = q.rn / (1.0 + q.qn * q.qn);
        q.xc = -q.xn * q.qn * q.qn / (1.0 + q.qn * q.qn);  // the capacitor cancels the node's reactance
        q.c = std::fabs(q.xc) / qc + rs;
        return q.c;
    };
    double c = eval(xl);
    if (!std::isfinite(c)) return Failure(kNet, kFaultText, true);
    if (const SearchEnd end = Search(xl, c, z0, -1.0, eval, kNeverRefused); end != SearchEnd::Matched)
        return SearchFailed(kNet, end);
    // The coil's limit holds for the coil found, not only for the first estimate.
    if (xl > kLargestCoilX) return Failure(kNet, kWontMatch, false);

    const double p = s.power;
    NetworkDesign d = NewDesign(kNet, Schematic::HighPassLA, load, s);
    d.vin = std::sqrt(z0 * p);
    const double iin = d.vin / z0;
    const SeriesForm o = ParallelToSeries(q.rn, q.xn);
    d.vout = std::sqrt(o.r * o.r + o.x * o.x) * iin;
    d.vin_angle = InputAngle(s.phase, ComplexAngle(o.r, o.x));
    const double vc = std::fabs(q.xc) * iin;
    const double pc = std::fabs(q.xc) / qc * iin * iin;
    const double vj = std::sqrt(q.rn * (p - pc));
    const double il = vj / std::sqrt(q.rl * q.rl + xl * xl);
    const double pl = q.rl * il * il;  // the same power as Vj^2 / RpL
    Element coil = MakeElement("L2", Kind::L, Connection::Shunt, q.xpl, f0, qu, vj, il, pl);
    coil.value = MicroHenries(xl, f0);  // the table shows the coil's parallel reactance
    d.elements = {MakeElement("C1", Kind::C, Connection::Series, q.xc, f0, qc, vc, iin, pc), coil};
    d.qeff = std::max(q.qn, q0);
    return Finish(std::move(d), s);
}

DesignResult TopologyB(const TunerLoad& load, const TunerSettings& s) {
    const double z0 = s.z0, qc = s.qc, qu = s.qu, f0 = load.f0;
    if (z0 / load.ra < 1.0) return Failure(kNet, "Choose another network", false);
    const Impedance l = AddStrayC(s.stray_f, f0, kPiSingle, load.ra, load.xa);
    // Two estimates of the series capacitor: lossless, then with its loss.
    double xneed = -l.r * std::sqrt(z0 / l.r - 1.0);
    double b = l.x + xneed;
    const double rt = std::fabs(b) / qc + l.r;
    // With the capacitor's loss the branch may already exceed the tuner resistance: the load is
    // then too close to it for this network.
    if (!(rt < z0)) return Failure(kNet, TooCloseText(z0), false);
    xneed = -rt * std::sqrt(z0 / rt - 1.0);
    b = xneed - l.x;
    if (PicoFarads(b, f0) > 99999.0)
        return Failure(kNet, "  Series capacitor greater than 99999 pF. Try another network.", false);

    struct {
        double rc, rt, qb, xl, rl, a;
    } q{};
    const auto eval = [&](double bb) {
        q.rc = std::fabs(bb) / qc;
        q.rt = q.rc + l.r;
        const double xb = bb + l.x;
        q.qb = std::fabs(xb / q.rt);
        const ParallelForm branch = SeriesToParallel(q.rt, xb);
        q.xl = -branch.xp;  // the coil cancels the branch's reactance
        q.rl = std::fabs(q.xl) / qu;
        q.a = 1.0 / (1.0 / SeriesToParallel(q.rl, q.xl).rp + 1.0 / branch.rp);
        return q.a;
    };
    double a = eval(b);
    if (!std::isfinite(a)) return Failure(kNet, kFaultText, true);
    if (const SearchEnd end = Search(b, a, z0, 1.0, eval, kNeverRefused); end != SearchEnd::Matched)
        return SearchFailed(kNet, end);

    const double p = s.power;
    NetworkDesign d = NewDesign(kNet, Schematic::HighPassLB, load, s);
    d.stray_f = s.stray_f;
    d.vin = std::sqrt(z0 * p);
    const double xb = b + l.x;
    const double ib = d.vin / std::sqrt(q.rt * q.rt + xb * xb);
    d.vout = std::sqrt(l.r * l.r + l.x * l.x) * ib;
    d.vin_angle = InputAngle(s.phase, ComplexAngle(l.r, l.x) - ComplexAngle(q.rt, xb));
    const double il = std::fabs(d.vin / q.xl);
    const double vl = std::fabs(q.xl * il);
    const double pl = q.rl * il * il;
    const double ic = std::sqrt((p - pl) / q.rt);  // the branch's current flows through rC and R'
    const double vc = std::fabs(b * ic);
    const double pc = q.rc * ic * ic;
    d.elements = {MakeElement("L1", Kind::L, Connection::Shunt, q.xl, f0, qu, vl, il, pl),
                  MakeElement("C2", Kind::C, Connection::Series, b, f0, qc, vc, ic, pc)};
    d.qeff = q.qb;
    return Finish(std::move(d), s);
}

// A parallel resistance at the tuner resistance rules out the coil across the line; the load is
// too close for both topologies only when its series resistance is within half an ohm of it too
// (10 - j20 ohms has a parallel resistance of exactly 50 and is far from 50 ohms).
bool TooClose(const TunerLoad& load, double z0) {
    return std::fabs(load.rp - z0) < 0.01 && load.ra > z0 - 0.5;
}

}  // namespace

DesignResult DesignHighPassL(const TunerLoad& load, const TunerSettings& s) {
    if (TooClose(load, s.z0)) return Failure(kNet, TooCloseText(s.z0), false);
    const HighPassLTopologyChoice allowed = HighPassLTopologies(load, s.z0);
    const bool a_first = allowed.coil_across_line;
    DesignResult first = a_first ? TopologyA(load, s) : TopologyB(load, s);
    if (std::holds_alternative<NetworkDesign>(first)) return first;
    // Where the usual topology cannot match and the other one can (an inductive load below the
    // tuner resistance whose parallel resistance is above it wants the coil across the
    // transmitter side), the other one is designed, and the page says so.
    const bool other_applies = a_first ? allowed.coil_across_transmitter : allowed.coil_across_line;
    if (!other_applies) return first;
    DesignResult other = a_first ? TopologyB(load, s) : TopologyA(load, s);
    auto* d = std::get_if<NetworkDesign>(&other);
    if (!d) return first;
    d->note = a_first ? "The coil across the line cannot match this load: the coil is across the transmitter side."
                      : "The coil across the transmitter side cannot match this load: the coil is across the line.";
    return other;
}

DesignResult DesignHighPassLTopology(const TunerLoad& load, const TunerSettings& s, bool coil_across_line) {
    if (coil_across_line) {
        if (std::fabs(load.rp - s.z0) < 0.01) return Failure(kNet, TooCloseText(s.z0), false);
        if (!HighPassLTopologies(load, s.z0).coil_across_line) return Failure(kNet, "The coil across the line needs a parallel resistance above the tuner resistance.", false);
        return TopologyA(load, s);
    }
    if (TooClose(load, s.z0)) return Failure(kNet, TooCloseText(s.z0), false);
    return TopologyB(load, s);
}

}  // namespace qlx::tuner::detail
