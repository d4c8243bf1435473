// The Smith chart's geometry: an impedance as its reflection coefficient against a reference,
// which is where it stands on the chart (the unit circle), and the point of a trace nearest to
// where the pointer rests. The sweep window draws with these; they need no toolkit.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qlx::sweep {

// Gamma = (Z - Zref) / (Z + Zref). An open circuit (infinite Z) is +1, a short -1, Zref the centre.
std::complex<double> Gamma(std::complex<double> z, double zref);

// SWR and return loss (dB) of a reflection.
double SwrOf(std::complex<double> gamma);
double ReturnLossDb(std::complex<double> gamma);

// The circle of constant reactance x (in multiples of the reference, x != 0) as far as it lies
// on the chart: `points` reflections from the rim (R = 0) to the open circuit (+1), evenly spaced
// along the arc. Drawn as a line, it needs no clipping to the rim, which not every picture format
// keeps.
std::vector<std::complex<double>> ReactanceArc(double x, int points);

// The chart's grid as every view draws it, in reflections (the unit circle is the rim): the
// circles of constant resistance and the arcs of constant reactance at the usual 0.2, 0.5, 1, 2
// and 5 times the reference, and their labels in ohms of the reference ("25", "+j50", "−j250"),
// with "0" at the short and "∞" at the open circuit.
struct SmithCircle {
    std::complex<double> centre;
    double radius;
};
struct SmithLabel {
    enum class Place {
        LeftAbove,  // a resistance: just left of and above its point on the real axis
        Left,       // the short: outside the rim on the left
        Right,      // the open circuit: outside the rim on the right
        Outside,    // a reactance: outside the rim, centred on the radius through its point
    };
    std::complex<double> at;
    std::string text;
    Place place;
};
struct SmithGridLines {
    std::vector<SmithCircle> resistances;
    std::vector<std::vector<std::complex<double>>> reactances;  // each an arc drawn as a line
    std::vector<SmithLabel> labels;
};
inline constexpr double kSmithGridValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};
SmithGridLines SmithGrid(double reference, int arc_points = 96);

// The index of the trace point nearest to the chart point `at` (by distance on the chart).
std::size_t NearestOnChart(const std::vector<std::complex<double>>& z, double zref, std::complex<double> at);

// The point of several traces nearest to where the pointer rests, while it is on the chart or
// just beyond its rim; nothing farther out or on empty traces.
struct TracePoint {
    std::size_t trace, index;
};
std::optional<TracePoint> NearestOfTraces(const std::vector<const std::vector<std::complex<double>>*>& traces,
                                          double zref, std::complex<double> at);

}  // namespace qlx::sweep
