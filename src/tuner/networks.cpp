#include "tuner/networks.h"

#include <cmath>

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

DesignFailure Failure(Network n, std::string text, bool hide_page) {
    const Page page = n == Network::Tee ? Page::Tuner2 : Page::Tuner1;
    return {std::string(NetworkTitle(n)), std::move(text), hide_page, page};
}

DesignResult Checked(NetworkDesign d, const TunerSettings& s) {
    bool finite = std::isfinite(d.qeff) && std::isfinite(d.ploss) && std::isfinite(d.loss_percent) &&
                  std::isfinite(d.vin) && std::isfinite(d.vin_angle) && std::isfinite(d.vout);
    for (const Element& e : d.elements)
        finite = finite && std::isfinite(e.x) && std::isfinite(e.value) && std::isfinite(e.v_rms) &&
                 std::isfinite(e.i_rms) && std::isfinite(e.p_diss);
    if (finite && !(d.ploss < s.power)) return Failure(d.network, kAllPowerLostText, true);
    if (!finite) return Failure(d.network, kFaultText, true);
    return d;
}

}  // namespace detail

DesignResult Design(Network n, const TunerLoad& load, const TunerSettings& s) {
    // A power, resistance or frequency of 0 would make every voltage 0/0; refuse them first.
    if (!(s.power > 0.0) || !std::isfinite(s.power)) return detail::Failure(n, kNoPowerText, false);
    if (!(s.z0 > 0.0) || !std::isfinite(s.z0)) return detail::Failure(n, kNoResistanceText, false);
    if (!(load.f0 > 0.0) || !std::isfinite(load.f0) || !std::isfinite(load.ra) || !std::isfinite(load.xa) ||
        !(s.qc > 0.0) || !(s.qu > 0.0))
        return detail::Failure(n, kFaultText, false);
    switch (n) {
        case Network::LowPassL: return detail::DesignLowPassL(load, s);
        case Network::HighPassL:
        case Network::Pi:
        case Network::Tee: break;
    }
    return detail::Failure(n, "This network cannot be designed yet.", false);
}

}  // namespace qlx::tuner
