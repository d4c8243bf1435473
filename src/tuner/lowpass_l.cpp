// The low-pass L network: one series coil and one shunt capacitor, the capacitor across the line
// input (load-side shunt) or across the transmitter side (input-side shunt). The searched
// reactance X2 is stepped and bisected until the resistance the transmitter sees, with the
// losses of both elements, equals the tuner resistance within 0.001 ohm.
#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "tuner/designs.h"
#include "tuner/search.h"

namespace qlx::tuner::detail {

namespace {

constexpr Network kNet = Network::LowPassL;

// C2 across the line input (whose parallel form is Rp || jXp), L1 from the transmitter to it.
DesignResult LoadSideShunt(const TunerLoad& load, const TunerSettings& s) {
    const double z0 = s.z0, qc = s.qc, qu = s.qu, rp = load.rp, xp = load.xp;
    if (std::fabs(rp - z0) < 0.01) return Failure(kNet, TooCloseText(z0), false);
    const double q0 = std::sqrt(rp / z0 - 1.0);  // the lossless design's Q
    const double xt = -rp / q0;                  // the parallel reactance the line input must show
    if (std::fabs(xp - xt) < 0.1) return Failure(kNet, "Can't match this.", true);

    struct {
        double r2, r2p, rn, xn, qn, rs, x1, r1, rin;
    } q{};
    const auto eval = [&](double x2) {
        q.r2 = std::fabs(x2 / qc);
        q.r2p = (qc * qc + 1.0) * q.r2;
        q.rn = 1.0 / (1.0 / q.r2p + 1.0 / rp);
        q.xn = 1.0 / (1.0 / xp + 1.0 / x2);
        q.qn = std::fabs(q.rn / q.xn);
        q.rs = q.rn / (q.qn * q.qn + 1.0);
        q.x1 = q.qn * q.qn * (-q.xn) / (q.qn * q.qn + 1.0);  // L1 cancels the node's series reactance
        q.r1 = std::fabs(q.x1) / qu;
        q.rin = q.r1 + q.rs;
        return q.rin;
    };

    const double x2_start = 1.0 / (1.0 / xt - 1.0 / xp);
    double x2 = x2_start;
    double rin = eval(x2);
    if (!std::isfinite(rin)) return Failure(kNet, kFaultText, true);
    // Rin must move towards the tuner resistance with every step. A small load's Rin turns within
    // one ohm of C2's reactance: a one-ohm step can pass its crossing and see Rin turn back, so
    // a refused search is tried again with steps ten, a hundred and a thousand times finer.
    const bool start_above = rin > z0;
    const auto moving_away = [start_above](double before, double now, double) {
        return start_above ? now > before : now < before;
    };
    SearchEnd end = SearchEnd::Refused;
    for (double step = 1.0; step >= 1e-3 && end == SearchEnd::Refused; step /= 10.0) {
        x2 = x2_start;
        rin = eval(x2);
        end = Search(x2, rin, z0, step, eval, moving_away);
    }
    if (end != SearchEnd::Matched) return SearchFailed(kNet, end, "This can't be matched with this network.");

    const double p = s.power;
    const double vin = std::sqrt(z0 * p);
    const double iin = vin / z0;
    const SeriesForm n = ParallelToSeries(q.rn, q.xn);
    NetworkDesign d = NewDesign(kNet, Schematic::LowPassLLoadShunt, load, s);
    d.vin = vin;
    d.vout = std::sqrt(n.r * n.r + n.x * n.x) * iin;
    d.vin_angle = InputAngle(s.phase, ComplexAngle(n.r, n.x));
    const double v1 = std::fabs(q.x1 * iin);
    const double p1 = q.r1 * iin * iin;
    const double v2 = std::sqrt(q.rn * (p - p1));  // the line input's voltage, across C2
    const double i2 = std::fabs(v2 / x2);
    const double p2 = q.r2 * i2 * i2;
    d.elements = {MakeElement("L1", Kind::L, Connection::Series, q.x1, load.f0, qu, v1, iin, p1),
                  MakeElement("C2", Kind::C, Connection::Shunt, x2, load.f0, qc, v2, i2, p2)};
    // C2 is all the capacitance across the line input: the stray capacitance is part of it.
    d.elements[1].stray_pf = s.stray_f * 1e12;
    d.qeff = std::max(q.qn, q0);
    return Finish(std::move(d), s);
}

// The stray capacitance across the line input, L2 in series from it, C1 across the transmitter.
DesignResult InputSideShunt(const TunerLoad& load, const TunerSettings& s) {
    const double z0 = s.z0, qc = s.qc, qu = s.qu;
    const Impedance l = AddStrayC(s.stray_f, load.f0, kPiSingle, load.ra, load.xa);
    const double q0 = std::sqrt(z0 / l.r - 1.0);
    const double xs0 = q0 * l.r;  // the series reactance the branch must have
    // Only the branch's series resistance must differ from the tuner resistance here: a line input
    // whose parallel resistance happens to equal it (10 - j20 ohms against 50) is far from it.
    if (std::fabs(l.r - z0) < 0.5) return Failure(kNet, TooCloseText(z0), false);
    if (!std::isfinite(xs0)) return Failure(kNet, kFaultText, true);

    struct {
        double xb, r2, rb, qb, rbp, x1, r1, r1p, rin;
    } q{};
    const auto eval = [&](double x2) {
        q.xb = x2 + l.x;
        q.r2 = std::fabs(x2 / qu);
        q.rb = q.r2 + l.r;
        q.qb = std::fabs(q.xb / q.rb);
        q.rbp = (q.qb * q.qb + 1.0) * q.rb;
        q.x1 = -q.xb * (1.0 + q.qb * q.qb) / (q.qb * q.qb);  // C1 cancels the branch's parallel reactance
        q.r1 = std::fabs(q.x1 / qc);
        q.r1p = q.r1 * (qc * qc + 1.0);
        q.rin = 1.0 / (1.0 / q.r1p + 1.0 / q.rbp);
        return q.rin;
    };

    double x2 = xs0 - l.x;
    double rin = eval(x2);
    if (!std::isfinite(rin)) return Failure(kNet, kFaultText, true);
    // Stepping up, the series element must stay a coil.
    const bool start_above = rin > z0;
    const auto turned_capacitor = [start_above](double, double, double x) { return !start_above && x < 0.0; };
    if (const SearchEnd end = Search(x2, rin, z0, -1.0, eval, turned_capacitor); end != SearchEnd::Matched)
        return SearchFailed(kNet, end, "This network won't work.", false);
    if (x2 <= 0.0) return Failure(kNet, "This can't be matched with this network.", true);

    const double p = s.power;
    NetworkDesign d = NewDesign(kNet, Schematic::LowPassLInputShunt, load, s);
    d.stray_f = s.stray_f;
    d.vin = std::sqrt(z0 * p);
    const double zb = std::sqrt(q.rb * q.rb + q.xb * q.xb);
    const double ib = d.vin / zb;
    d.vout = std::sqrt(l.r * l.r + l.x * l.x) * ib;
    d.vin_angle = InputAngle(s.phase, ComplexAngle(l.r, l.x) - ComplexAngle(q.rb, q.xb));
    const double p1 = d.vin * d.vin / q.r1p;
    const double i1 = std::fabs(d.vin / q.x1);
    const double v1 = std::fabs(q.x1 * i1);
    const double i2 = std::sqrt((p - p1) / q.rb);
    const double v2 = x2 * i2;
    const double p2 = q.r2 * i2 * i2;
    d.elements = {MakeElement("C1", Kind::C, Connection::Shunt, q.x1, load.f0, qc, v1, i1, p1),
                  MakeElement("L2", Kind::L, Connection::Series, x2, load.f0, qu, v2, i2, p2)};
    d.qeff = std::max(q.qb, q0);
    return Finish(std::move(d), s);
}

}  // namespace

DesignResult DesignLowPassL(const TunerLoad& load, const TunerSettings& s) {
    // A capacitive load below the tuner resistance, or any load whose parallel resistance is
    // below it, takes the shunt capacitor on the transmitter side.
    const bool c = load.xa < 0.0 && load.ra < s.z0;
    if (!c && load.rp >= s.z0) return LoadSideShunt(load, s);
    return InputSideShunt(load, s);
}

}  // namespace qlx::tuner::detail
