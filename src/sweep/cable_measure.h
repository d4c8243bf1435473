// A cable measured with a one-port analyser: a sample of known length with its far end open,
// then shorted. Z0 = √(Zoc·Zsc) and tanh(γℓ) = √(Zsc/Zoc) at each frequency give Z0, the loss
// and, with βℓ unwrapped across the band, the velocity factor.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "core/own_cable.h"
#include "sweep/touchstone.h"

namespace qlx::sweep {

struct MeasuredPoint {
    double f_mhz = 0.0;
    std::complex<double> z0;
    double vf = 0.0;
    double db_per_100ft = 0.0;
    double beta_l = 0.0;  // radians, unwrapped from the lowest frequency
    // False near a multiple of a quarter wave (within 10 %), where Zoc or Zsc passes through a
    // resonance and the inversion magnifies every error of the analyser: shown, not fitted.
    bool used = true;
};

struct CableMeasurement {
    std::vector<MeasuredPoint> points;
    LossFit fit;                  // k1, k2 over the used points
    double median_vf = 0.0;       // of the used points
    double centre_mhz = 0.0;      // the used point nearest the band's centre
    std::complex<double> z0_centre;
};

// The sample's length in feet; the two files must hold the same frequencies. Fails (with the
// reason in `error`) on files that do not pair, a length of 0 or below, or no point left to fit.
std::optional<CableMeasurement> MeasureCable(const OnePort& open, const OnePort& shorted, double length_ft,
                                             std::string& error);

// A stub of known physical length that is a quarter wave long at f MHz (an open stub's reactance
// crosses zero there; a shorted stub's resistance peaks): its electrical length and velocity
// factor.
struct StubReading {
    double electrical_m = 0.0;
    double vf = 0.0;
};
StubReading StubFromQuarterWave(double physical_m, double quarter_wave_mhz);

}  // namespace qlx::sweep
