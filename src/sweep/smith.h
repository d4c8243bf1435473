// The Smith chart's geometry: an impedance as its reflection coefficient against a reference,
// which is where it stands on the chart (the unit circle), and the point of a trace nearest to
// where the pointer rests. The sweep window draws with these; they need no toolkit.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
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
