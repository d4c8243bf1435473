#include "sweep/smith.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace qlx::sweep {

std::complex<double> Gamma(std::complex<double> z, double zref) {
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return 1.0;  // an open circuit
    const std::complex<double> d = z + zref;
    if (std::abs(d) == 0.0) return 1.0;  // -Zref: no finite reflection; shown at the edge
    return (z - zref) / d;
}

double SwrOf(std::complex<double> gamma) {
    const double m = std::abs(gamma);
    return m >= 1.0 ? std::numeric_limits<double>::infinity() : (1.0 + m) / (1.0 - m);
}

double ReturnLossDb(std::complex<double> gamma) {
    const double m = std::abs(gamma);
    return m == 0.0 ? std::numeric_limits<double>::infinity() : -20.0 * std::log10(m);
}

std::vector<std::complex<double>> ReactanceArc(double x, int points) {
    // Centre 1 + j/x, radius 1/|x|. It meets the rim at Gamma(jx) and at +1, at right angles, so
    // the part on the chart is the shorter of its two arcs between them.
    const std::complex<double> centre(1.0, 1.0 / x);
    const double radius = 1.0 / std::abs(x);
    const double from = std::arg(Gamma({0.0, x}, 1.0) - centre);
    const double to = std::arg(std::complex<double>(1.0, 0.0) - centre);
    double sweep = to - from;
    if (sweep > std::numbers::pi) sweep -= 2.0 * std::numbers::pi;
    if (sweep < -std::numbers::pi) sweep += 2.0 * std::numbers::pi;
    std::vector<std::complex<double>> arc;
    const int n = points < 2 ? 2 : points;
    arc.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) arc.push_back(centre + std::polar(radius, from + sweep * k / (n - 1)));
    arc.back() = 1.0;  // the open circuit exactly, not a rounding beside it
    return arc;
}

namespace {

// A grid value in ohms, to three significant figures and never in exponent form ("2250", not
// "2.25e+03", for a 450-ohm line's reference).
std::string GridOhms(double ohms) {
    char text[32];
    if (ohms >= 1000.0) {
        const double unit = std::pow(10.0, std::floor(std::log10(ohms)) - 2.0);
        std::snprintf(text, sizeof text, "%.0f", std::round(ohms / unit) * unit);
    } else {
        std::snprintf(text, sizeof text, "%.3g", ohms);
    }
    return text;
}

}  // namespace

SmithGridLines SmithGrid(double reference, int arc_points) {
    SmithGridLines grid;
    for (double r : kSmithGridValues) {
        // Constant resistance r: centre r/(1+r) on the real axis, radius 1/(1+r).
        grid.resistances.push_back({{r / (1.0 + r), 0.0}, 1.0 / (1.0 + r)});
        grid.labels.push_back({Gamma(r * reference, reference), GridOhms(r * reference), SmithLabel::Place::LeftAbove});
    }
    grid.labels.push_back({-1.0, "0", SmithLabel::Place::Left});
    grid.labels.push_back({1.0, "\u221e", SmithLabel::Place::Right});
    for (double x : kSmithGridValues)
        for (double sign : {1.0, -1.0}) {
            grid.reactances.push_back(ReactanceArc(sign * x, arc_points));
            grid.labels.push_back({Gamma({0.0, sign * x * reference}, reference),
                                   (sign > 0 ? "+j" : "\u2212j") + GridOhms(x * reference), SmithLabel::Place::Outside});
        }
    return grid;
}

std::size_t NearestOnChart(const std::vector<std::complex<double>>& z, double zref, std::complex<double> at) {
    std::size_t best = 0;
    double best_d = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < z.size(); ++k) {
        const double d = std::abs(Gamma(z[k], zref) - at);
        if (d < best_d) {
            best_d = d;
            best = k;
        }
    }
    return best;
}

std::optional<TracePoint> NearestOfTraces(const std::vector<const std::vector<std::complex<double>>*>& traces,
                                          double zref, std::complex<double> at) {
    std::optional<TracePoint> nearest;
    if (std::abs(at) > 1.08) return nearest;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t t = 0; t < traces.size(); ++t) {
        if (traces[t]->empty()) continue;
        const std::size_t k = NearestOnChart(*traces[t], zref, at);
        const double d = std::abs(Gamma((*traces[t])[k], zref) - at);
        if (d < best) {
            best = d;
            nearest = TracePoint{t, k};
        }
    }
    return nearest;
}

}  // namespace qlx::sweep
