// A cable measured with a one-port analyser: a sample of known length with its far end open,
// then shorted. Z0 = √(Zoc·Zsc) and tanh(γℓ) = √(Zsc/Zoc) at each frequency give Z0, the loss
// and, with βℓ unwrapped across the band, the velocity factor.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>
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

// The cable a measurement gives: R0 the real part of Z0 at the band's centre, the median velocity
// factor, the fitted k1 and k2 with the points fitted and the worst residual (name, source and VMax
// are the caller's), and the source's usual text: "measured: OPEN and SHORT, LENGTH".
OwnCable MeasuredCable(const CableMeasurement& m);
std::string MeasuredSource(std::string_view open_file, std::string_view short_file, double length, bool meters);

// A stub of known physical length that is a quarter wave long at f MHz (an open stub's reactance
// crosses zero there; a shorted stub's resistance peaks): its electrical length and velocity
// factor.
struct StubReading {
    double electrical_m = 0.0;
    double vf = 0.0;
};
StubReading StubFromQuarterWave(double physical_m, double quarter_wave_mhz);

}  // namespace qlx::sweep
