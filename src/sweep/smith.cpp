#include "sweep/smith.h"

#include <cmath>
#include <limits>

namespace qlx::sweep {

std::complex<double> Gamma(std::complex<double> z, double zref) {
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return 1.0;  // an open circuit
    const std::complex<double> d = z + zref;
    if (std::abs(d) == 0.0) return 1.0;  // -Zref: no finite reflection; shown at the edge
    return (z - zref) / d;
}

std::complex<double> ImpedanceAt(std::complex<double> gamma, double zref) {
    const std::complex<double> d = 1.0 - gamma;
    if (std::abs(d) == 0.0) return {std::numeric_limits<double>::infinity(), 0.0};
    return zref * (1.0 + gamma) / d;
}

double SwrOf(std::complex<double> gamma) {
    const double m = std::abs(gamma);
    return m >= 1.0 ? std::numeric_limits<double>::infinity() : (1.0 + m) / (1.0 - m);
}

double ReturnLossDb(std::complex<double> gamma) {
    const double m = std::abs(gamma);
    return m == 0.0 ? std::numeric_limits<double>::infinity() : -20.0 * std::log10(m);
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

}  // namespace qlx::sweep
