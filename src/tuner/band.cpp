#include "tuner/band.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/entry_rules.h"
#include "core/format.h"

namespace qlx::tuner {

namespace {

using cd = std::complex<double>;

// A lossy element at f: the textbook series model, |X| / Q in series with X.
cd ElementAt(const Element& e, double f_mhz) {
    const double w = 2.0 * std::numbers::pi * f_mhz * 1e6;
    const double x = e.kind == Kind::L ? w * e.value * 1e-6 : -1.0 / (w * e.value * 1e-12);
    return {e.q > 0.0 ? std::abs(x) / e.q : 0.0, x};
}

// The point of the grid nearest to f0 becomes f0 itself when it lies on the grid, so that the
// run shows the design frequency's own SWR.
void PutDesignFrequencyOnGrid(std::vector<double>& f, double f0) {
    if (f.empty()) return;
    const auto nearest = std::min_element(f.begin(), f.end(), [f0](double a, double b) {
        return std::abs(a - f0) < std::abs(b - f0);
    });
    if (std::abs(*nearest - f0) <= 1e-9 * f0) *nearest = f0;
}

// The frequencies of a range, the design frequency among them when it lies on the grid.
std::vector<double> Grid(const BandRange& band, double f0) {
    std::vector<double> f = sweep::Frequencies(band.from_mhz, band.to_mhz, band.points, false);
    PutDesignFrequencyOnGrid(f, f0);
    return f;
}

// The line input that a load at the far end gives at f, solved as the sweep solves it; nothing
// where the window would show no solution.
std::optional<cd> ThroughLine(const sweep::SweepLine& at_load, double f_mhz, cd load) {
    const auto p = sweep::SolveAt(at_load, f_mhz, load);
    if (!p) return std::nullopt;
    return cd(p->r_other, p->x_other);
}

sweep::SweepLine AtLoad(sweep::SweepLine line) {
    line.entries.at_load = true;
    return line;
}

// The run over the frequencies f, the network fed at each with what `input_at(k)` gives (nothing:
// the point is left out), and its crossings of 1.5 and 2.
template <class InputAt>
BandRun Run(const NetworkDesign& d, const BandRange& band, Held held, const std::vector<double>& f, InputAt input_at) {
    BandRun run;
    run.from_mhz = band.from_mhz;
    run.to_mhz = band.to_mhz;
    run.f0_mhz = d.f0;
    run.held = held;
    run.points.reserve(f.size());
    for (std::size_t k = 0; k < f.size(); ++k) {
        const std::optional<cd> input = input_at(k);
        if (!input) continue;
        const cd z = NetworkInputAt(d, f[k], *input);
        run.points.push_back({f[k], z.real(), z.imag(), SwrAgainst(z, d.z0)});
    }
    run.swr15 = CrossingOf(run.points, run.f0_mhz, 1.5);
    run.swr20 = CrossingOf(run.points, run.f0_mhz, 2.0);
    return run;
}

std::string Mhz(double f, char mark) { return Format(f, "###0.000", mark); }

// A run of a measured antenna with fewer than two points has no band to show.
bool TooFewMeasured(const BandRun& run) { return run.held == Held::Measured && run.points.size() < 2; }

std::string TooFewText(const BandRun& run) {
    return "no band: the file holds " + std::to_string(run.points.size()) + " point(s) here";
}

std::string Range(const char* ratio, const Crossing& c, const BandRun& run, char mark) {
    std::string text = std::string(ratio) + " SWR " + EdgesText(run, c, mark);
    const double width_khz = (c.hi_mhz.value_or(run.to_mhz) - c.lo_mhz.value_or(run.from_mhz)) * 1000.0;
    text += c.lo_mhz && c.hi_mhz ? " (" : " (at least ";
    return text + Format(width_khz, "#,##0", mark) + " kHz)";
}

}  // namespace

std::string EdgesText(const BandRun& run, const Crossing& c, char mark) {
    // An edge at the file's end names it, with its unit; the last edge carries the unit otherwise.
    const auto beyond = [&](bool file_end, const char* side, const char* which, double f) {
        return std::string(side) + (file_end ? std::string(" the file's ") + which + " point (" + Mhz(f, mark) + " MHz)"
                                             : " " + Mhz(f, mark));
    };
    const bool lo_at_file = !c.lo_mhz && run.beyond_file_lo, hi_at_file = !c.hi_mhz && run.beyond_file_hi;
    const std::string lo = c.lo_mhz ? Mhz(*c.lo_mhz, mark) : beyond(lo_at_file, "below", "first", run.from_mhz);
    const std::string hi = c.hi_mhz ? Mhz(*c.hi_mhz, mark) : beyond(hi_at_file, "above", "last", run.to_mhz);
    return lo + (lo_at_file ? " to " : hi_at_file ? " MHz to " : " to ") + hi + (hi_at_file ? "" : " MHz");
}

std::string Swr20Text(const BandRun& run, char mark) {
    if (TooFewMeasured(run)) return "2:1 SWR: " + TooFewText(run) + ".";
    return "2:1 SWR " + EdgesText(run, run.swr20, mark) + ".";
}

BandRange DefaultBand(double f0) {
    const sweep::BandAround around = sweep::BandAroundFrequency(f0);
    BandRange b;
    b.from_mhz = around.from_mhz;
    b.to_mhz = around.to_mhz;
    return b;
}

std::optional<cd> InterpolatedAt(const MeasuredAntenna& a, double f) {
    const std::size_t n = std::min(a.f_mhz.size(), a.z.size());
    if (n == 0 || !(f >= a.f_mhz.front() && f <= a.f_mhz[n - 1])) return std::nullopt;
    if (f == a.f_mhz[n - 1]) return a.z[n - 1];
    const std::size_t hi = static_cast<std::size_t>(std::upper_bound(a.f_mhz.begin(), a.f_mhz.begin() + static_cast<long>(n), f) - a.f_mhz.begin());
    const std::size_t lo = hi - 1;
    if (a.f_mhz[lo] == f) return a.z[lo];
    const double t = (f - a.f_mhz[lo]) / (a.f_mhz[hi] - a.f_mhz[lo]);
    return a.z[lo] + t * (a.z[hi] - a.z[lo]);
}

std::variant<cd, std::string> DesignImpedance(const MeasuredAntenna& a, double f, char mark) {
    const std::optional<cd> z = InterpolatedAt(a, f);
    if (!z) {
        const std::string span = a.f_mhz.empty() ? std::string("no point")
                                                 : Mhz(a.f_mhz.front(), mark) + " to " + Mhz(a.f_mhz.back(), mark) + " MHz";
        return a.name + " holds " + span + ": " + Mhz(f, mark) +
               " MHz is outside it. Design at a frequency the file measured, or take the main window's impedance in the sweep window.";
    }
    if (z->real() < 0.0)
        return a.name + " at " + Mhz(f, mark) + " MHz has a negative resistance, " + Format(z->real(), "0.0###", mark) +
               " ohms (a calibration's overshoot): no tuner can match it there.";
    return *z;
}

cd NetworkInputAt(const NetworkDesign& d, double f_mhz, cd line_input) {
    cd z = line_input;
    if (d.stray_f > 0.0) z = 1.0 / (1.0 / z + cd(0.0, 2.0 * std::numbers::pi * f_mhz * 1e6 * d.stray_f));
    // From the line input back to the transmitter.
    for (auto e = d.elements.rbegin(); e != d.elements.rend(); ++e) {
        const cd ze = ElementAt(*e, f_mhz);
        z = e->connection == Connection::Series ? z + ze : 1.0 / (1.0 / z + 1.0 / ze);
    }
    return z;
}

double SwrAgainst(cd z, double r0) {
    const double g = std::abs((z - r0) / (z + r0));
    return g >= 1.0 || !std::isfinite(g) ? std::numeric_limits<double>::infinity() : (1.0 + g) / (1.0 - g);
}

BandRun RunBand(const NetworkDesign& d, const sweep::SweepLine& line, cd load, const BandRange& band) {
    const sweep::SweepLine at_load = AtLoad(line);
    const std::vector<double> f = Grid(band, d.f0);
    BandRun run = Run(d, band, Held::Load, f, [&](std::size_t k) { return ThroughLine(at_load, f[k], load); });
    run.held_load = load;
    return run;
}

BandRun RunBandLineInputHeld(const NetworkDesign& d, cd line_input, const BandRange& band) {
    BandRun run = Run(d, band, Held::LineInput, Grid(band, d.f0), [&](std::size_t) { return std::optional<cd>(line_input); });
    run.held_load = line_input;
    return run;
}

BandRun RunBand(const NetworkDesign& d, const sweep::SweepLine& line, const MeasuredAntenna& antenna,
                const BandRange& band) {
    // The file's own points within the band.
    std::vector<double> f;
    std::vector<cd> z;
    for (std::size_t k = 0; k < antenna.f_mhz.size() && k < antenna.z.size(); ++k)
        if (antenna.f_mhz[k] >= band.from_mhz && antenna.f_mhz[k] <= band.to_mhz) {
            f.push_back(antenna.f_mhz[k]);
            z.push_back(antenna.z[k]);
        }
    // Measured at the line input, the file is the line input itself; at the load, the line
    // carries it to the input.
    const sweep::SweepLine at_load = AtLoad(line);
    BandRun run = Run(d, band, Held::Measured, f, [&](std::size_t k) {
        return antenna.at_load ? ThroughLine(at_load, f[k], z[k]) : std::optional<cd>(z[k]);
    });
    run.antenna_name = antenna.name;
    if (!f.empty()) {
        run.beyond_file_lo = antenna.f_mhz.front() > band.from_mhz;
        run.beyond_file_hi = antenna.f_mhz.back() < band.to_mhz;
        run.from_mhz = f.front();
        run.to_mhz = f.back();
    }
    return run;
}

Crossing CrossingOf(std::span<const BandPoint> points, double f0, double threshold) {
    Crossing c;
    if (points.empty()) return c;
    std::size_t mid = 0;
    for (std::size_t k = 1; k < points.size(); ++k)
        if (std::abs(points[k].f_mhz - f0) < std::abs(points[mid].f_mhz - f0)) mid = k;
    const auto cross = [&](std::size_t inner, std::size_t outer) {
        const BandPoint& a = points[inner];
        const BandPoint& b = points[outer];
        if (!std::isfinite(b.swr) || b.swr == a.swr) return b.f_mhz;
        return a.f_mhz + (threshold - a.swr) / (b.swr - a.swr) * (b.f_mhz - a.f_mhz);
    };
    if (points[mid].swr >= threshold) {
        c.lo_mhz = c.hi_mhz = points[mid].f_mhz;  // no match at the design frequency itself
        return c;
    }
    for (std::size_t k = mid; k-- > 0;)
        if (points[k].swr >= threshold) {
            c.lo_mhz = cross(k + 1, k);
            break;
        }
    for (std::size_t k = mid + 1; k < points.size(); ++k)
        if (points[k].swr >= threshold) {
            c.hi_mhz = cross(k - 1, k);
            break;
        }
    return c;
}

std::string BandText(const BandRun& run, char mark) {
    std::string held;
    if (run.held == Held::Measured) {
        held = "Tuner fixed, antenna from " + run.antenna_name;
    } else {
        const double x = run.held_load.imag();
        held = std::string(run.held == Held::Load ? "Tuner fixed, load held at " : "Tuner fixed, line input held at ") +
               Format(run.held_load.real(), "###0.0", mark) + (x < 0 ? " - j " : " + j ") +
               Format(std::abs(x), "###0.0", mark) + " ohms";
    }
    // A width between fewer than two measured points would be made up.
    if (TooFewMeasured(run)) return held + ": " + TooFewText(run) + ".";
    if (run.points.empty()) return held + ": no point of the band can be solved.";
    return held + ": " + Range("1.5:1", run.swr15, run, mark) + ", " + Range("2:1", run.swr20, run, mark) + ".";
}

}  // namespace qlx::tuner
