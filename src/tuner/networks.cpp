#include "tuner/networks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "tuner/designs.h"

namespace qlx::tuner {

std::string_view SchematicFile(Schematic s) {
    switch (s) {
        case Schematic::LowPassLLoadShunt: return "Form1Network5.bmp";
        case Schematic::LowPassLInputShunt: return "Form1Network6.bmp";
        case Schematic::HighPassLA: return "Form2Network3.bmp";
        case Schematic::HighPassLB: return "Form2Network4.bmp";
        case Schematic::Pi: return "Form3PiNet.bmp";
        case Schematic::Tee: return "Form4TeeNet2.bmp";
    }
    return {};
}

std::string_view NetworkTitle(Network n) {
    switch (n) {
        case Network::Pi: return "Pi-network";
        case Network::Tee: return "Tee-network";
        case Network::HighPassL:
        case Network::LowPassL: break;
    }
    return "L Network";
}

TunerLoad MakeTunerLoad(double ra, double xa, double f0) {
    const ParallelForm p = SeriesToParallel(ra, xa);
    return {ra, xa, p.rp, xa == 0.0 ? kInfiniteReactance : p.xp, f0};
}

Impedance AddStrayC(double c, double f0, double pi, double r, double x) {
    if (c == 0.0) c = 1e-14;
    const double xc = -1.0 / (1e6 * f0 * c * 2.0 * pi);
    const ParallelForm p = SeriesToParallel(r, x);
    const double xp = 1.0 / (1.0 / xc + 1.0 / p.xp);
    const SeriesForm s = ParallelToSeries(p.rp, xp);
    return {s.r, s.x};
}

Bandwidths CalcPBW(double qeff) {
    return {100.0 / (qeff * std::sqrt(6.0)), 100.0 / (qeff * std::sqrt(2.0))};
}

// The element values use 2 pi and the scale -1e6 as single-precision numbers.
double MicroHenries(double x, double f0) { return x / (f0 * kTwoPiSingle); }
double PicoFarads(double x, double f0) { return -1e6 / (x * f0 * kTwoPiSingle); }

namespace detail {

Page PageOf(Network n) { return n == Network::Tee ? Page::Tuner2 : Page::Tuner1; }

DesignFailure Failure(Network n, std::string text, bool hide_page) {
    return Failure(n, std::move(text), hide_page, PageOf(n));
}

DesignFailure Failure(Network n, std::string text, bool hide_page, Page page) {
    return {std::string(NetworkTitle(n)), std::move(text), hide_page, page, false};
}

DesignFailure SearchFailed(Network n, SearchEnd end, std::string refused_text, bool refused_hides,
                           Page refused_page) {
    switch (end) {
        case SearchEnd::Refused: return Failure(n, std::move(refused_text), refused_hides, refused_page);
        case SearchEnd::NoMatch: return Failure(n, kNoMatchText, true);
        case SearchEnd::Matched:
        case SearchEnd::Fault: break;
    }
    return Failure(n, kFaultText, true);
}

DesignFailure SearchFailed(Network n, SearchEnd end, std::string refused_text, bool refused_hides) {
    return SearchFailed(n, end, std::move(refused_text), refused_hides, PageOf(n));
}

double InputAngle(double phase, double turn) {
    double a = phase - turn * kDegPerRad;
    if (a > 180.0) a -= 360.0;
    return a;
}

Element MakeElement(const char* name, Kind kind, Connection c, double x, double f0, double q, double v, double i,
                    double p) {
    return {name, kind, c, x, kind == Kind::L ? MicroHenries(x, f0) : PicoFarads(x, f0), q, v, i, p};
}

NetworkDesign NewDesign(Network n, Schematic schematic, const TunerLoad& load, const TunerSettings& s) {
    NetworkDesign d;
    d.network = n;
    d.schematic = schematic;
    d.page = PageOf(n);
    d.f0 = load.f0;
    d.z0 = s.z0;
    d.ra = load.ra;
    d.xa = load.xa;
    return d;
}

std::string TooCloseText(double z0) {
    return "Such an L-network load won't work -- too close to " + NumberText(z0) + " ohms";
}

namespace {

// What to try instead of a network whose search ended on a part of the other kind.
const char* OtherKindAdvice(Network n) {
    switch (n) {
        case Network::HighPassL: return "try the other high-pass L or a low-pass network.";
        case Network::LowPassL: return "try a high-pass network.";
        case Network::Pi: return "try another output capacitor (or auto) or another network.";
        case Network::Tee: return "try another series capacitor (or auto) or another network.";
    }
    return "try another network.";
}

// Why a finished design is no set of parts, or nothing when it is one.
std::optional<std::string> Unbuildable(const NetworkDesign& d) {
    for (const Element& e : d.elements) {
        const bool cap = e.kind == Kind::C;
        const std::string place = std::string(e.connection == Connection::Series ? "series " : "shunt ") +
                                  (cap ? "capacitor " : "coil ") + e.name;
        // A capacitor's positive reactance is a coil's (and the other way round): the search
        // ended where this network has the wrong kind of part.
        if (!(e.value > 0.0))
            return "This load needs a " + std::string(cap ? "coil" : "capacitor") + " where this network has its " + place +
                   " -- " + OtherKindAdvice(d.network);
        if (cap && e.value > kLargestDesignPf)
            return e.name + " would be " + Format(e.value, "#,##0.0 pF") + ", greater than " +
                   Format(kLargestDesignPf, "#0") + " pF. Try another network.";
        if (cap && e.stray_pf > 0.0 && !(e.value > e.stray_pf))
            return e.name + " would be " + Format(e.value, "#,##0.0 pF") + " in all, no more than the " +
                   Format(e.stray_pf, "#,##0.0 pF") + " stray capacitance across the line input: nothing to fit -- " +
                   OtherKindAdvice(d.network);
    }
    return std::nullopt;
}

}  // namespace

DesignResult Finish(NetworkDesign d, const TunerSettings& s) {
    d.ploss = 0.0;
    for (auto e = d.elements.rbegin(); e != d.elements.rend(); ++e) d.ploss += e->p_diss;
    d.loss_percent = 100.0 * d.ploss / s.power;
    bool finite = std::isfinite(d.qeff) && std::isfinite(d.ploss) && std::isfinite(d.loss_percent) &&
                  std::isfinite(d.vin) && std::isfinite(d.vin_angle) && std::isfinite(d.vout);
    for (const Element& e : d.elements)
        finite = finite && std::isfinite(e.x) && std::isfinite(e.value) && std::isfinite(e.v_rms) &&
                 std::isfinite(e.i_rms) && std::isfinite(e.p_diss);
    if (finite && !(d.ploss < s.power)) return Failure(d.network, kAllPowerLostText, true);
    if (!finite) return Failure(d.network, kFaultText, true);
    if (auto why = Unbuildable(d)) return Failure(d.network, std::move(*why), true);
    return d;
}

}  // namespace detail

HighPassLTopologyChoice HighPassLTopologies(const TunerLoad& load, double z0) {
    return {load.rp - z0 >= 0.01, load.ra < z0};
}

bool Buyable(const Element& e) {
    return e.kind == Kind::C ? e.value >= kSmallestPf && e.value <= kLargestPf
                             : e.value >= kSmallestUh && e.value <= kLargestUh;
}

bool AllPartsBuyable(const NetworkDesign& d) {
    return std::all_of(d.elements.begin(), d.elements.end(), [](const Element& e) { return Buyable(e); });
}

namespace {

// What no design can take: refused before any element is designed.
std::optional<DesignFailure> Refusal(Network n, const TunerLoad& load, const TunerSettings& s) {
    const auto refuse = [n](const char* text) {
        DesignFailure f = detail::Failure(n, text, false);
        f.before_design = true;
        return f;
    };
    // A power, resistance or frequency of 0 would make every voltage 0/0; refuse them first.
    if (!PowerAccepted(s.power)) return refuse(kNoPowerText);
    if (!(s.z0 > 0.0) || !std::isfinite(s.z0)) return refuse(kNoResistanceText);
    if (!(load.f0 > 0.0) || !std::isfinite(load.f0) || !std::isfinite(load.ra) || !std::isfinite(load.xa) ||
        !(s.qc > 0.0) || !(s.qu > 0.0) || !std::isfinite(s.stray_f) || !std::isfinite(s.phase))
        return refuse(kFaultText);
    // A line input without resistance takes no power: any "match" would put all of it into the
    // tuner's own losses.
    if (!(load.ra > 0.0)) return refuse(kNoLoadResistanceText);
    return std::nullopt;
}

}  // namespace

DesignResult Design(Network n, const TunerLoad& load, const TunerSettings& s) {
    if (auto refused = Refusal(n, load, s)) return *refused;
    DesignResult r = detail::Failure(n, kFaultText, false);
    switch (n) {
        case Network::LowPassL: return detail::DesignLowPassL(load, s);
        case Network::HighPassL: return detail::DesignHighPassL(load, s);
        case Network::Pi: r = detail::DesignPi(load, s); break;
        case Network::Tee: r = detail::DesignTee(load, s); break;
    }
    if (auto* d = std::get_if<NetworkDesign>(&r)) d->fixed_pf = n == Network::Pi ? s.pi_cap_pf : s.tee_cap_pf;
    return r;
}

DesignResult DesignWithBestCapacitor(Network n, const TunerLoad& load, const TunerSettings& s,
                                     const CapacitorSearch& search) {
    if (n != Network::Pi && n != Network::Tee) return Design(n, load, s);
    // The loss against the capacitor is smooth where the network matches; a scan of 40 values
    // spaced evenly on the logarithm finds the valley (and steps over values that cannot
    // match), then a golden-section search narrows it between the scan's neighbours.
    // Only a value whose whole design can be bought counts; the least-loss match with a part
    // outside the ranges is kept for a load that no buyable design matches.
    constexpr double kNone = std::numeric_limits<double>::infinity();
    TunerSettings t = s;
    std::optional<DesignResult> best, unbuyable;
    double best_loss = kNone, unbuyable_loss = kNone;
    const auto loss_at = [&](double log_pf) {
        const double pf = std::clamp(std::exp(log_pf), search.lo_pf, search.hi_pf);
        (n == Network::Pi ? t.pi_cap_pf : t.tee_cap_pf) = pf;
        DesignResult r = Design(n, load, t);
        const auto* d = std::get_if<NetworkDesign>(&r);
        if (!d) return kNone;
        const double loss = d->ploss;
        if (!(search.counts ? search.counts(*d) : AllPartsBuyable(*d))) {
            if (loss < unbuyable_loss) unbuyable_loss = loss, unbuyable = std::move(r);
            return kNone;
        }
        if (loss < best_loss) best_loss = loss, best = std::move(r);
        return loss;
    };
    const double lo = std::log(search.lo_pf), hi = std::log(search.hi_pf);
    constexpr int kScan = 40;
    std::vector<double> scan(kScan);
    int k_best = 0;
    for (int k = 0; k < kScan; ++k) {
        scan[static_cast<std::size_t>(k)] = loss_at(lo + (hi - lo) * k / (kScan - 1));
        if (scan[static_cast<std::size_t>(k)] < scan[static_cast<std::size_t>(k_best)]) k_best = k;
    }
    if (std::isfinite(scan[static_cast<std::size_t>(k_best)])) {
        const double step = (hi - lo) / (kScan - 1);
        double a = lo + step * std::max(k_best - 1, 0), b = lo + step * std::min(k_best + 1, kScan - 1);
        const double g = (std::sqrt(5.0) - 1.0) / 2.0;
        double c = b - g * (b - a), d = a + g * (b - a);
        double fc = loss_at(c), fd = loss_at(d);
        for (int i = 0; i < 40 && b - a > 1e-6; ++i) {
            if (fc < fd) {
                b = d, d = c, fd = fc;
                c = b - g * (b - a);
                fc = loss_at(c);
            } else {
                a = c, c = d, fc = fd;
                d = a + g * (b - a);
                fd = loss_at(d);
            }
        }
    }
    if (best) return *best;
    if (unbuyable) return *unbuyable;
    // Nothing between 5 and 5000 pF matches: the failure of the value the user typed.
    return Design(n, load, s);
}

DesignResult DesignHighPassL(const TunerLoad& load, const TunerSettings& s, bool coil_across_line) {
    if (auto refused = Refusal(Network::HighPassL, load, s)) return *refused;
    return detail::DesignHighPassLTopology(load, s, coil_across_line);
}

}  // namespace qlx::tuner
