#include "sweep/cable_measure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/format.h"
#include "core/numbers.h"
#include "sweep/touchstone.h"

namespace qlx::sweep {

namespace {

constexpr double kNeperToDb = 8.685889638065037;  // 20 / ln 10
constexpr double kFreeSpaceM_MHz = kFreeSpaceWaveFtMHzDouble / kFeetPerMeterDouble;  // metres × MHz

// The root with a positive real part: a passive line's Z0 and its γℓ's α.
std::complex<double> RightRoot(std::complex<double> v) {
    const std::complex<double> r = std::sqrt(v);
    return r.real() < 0.0 ? -r : r;
}

}  // namespace

std::optional<CableMeasurement> MeasureCable(const OnePort& open, const OnePort& shorted, double length_ft,
                                             std::string& error) {
    if (!(length_ft > 0.0) || !std::isfinite(length_ft)) {
        error = "the sample's length must be above 0";
        return std::nullopt;
    }
    if (open.f_mhz.size() != shorted.f_mhz.size() ||
        !std::equal(open.f_mhz.begin(), open.f_mhz.end(), shorted.f_mhz.begin(),
                    [](double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(a, b); })) {
        error = "the open and the shorted files must hold the same frequencies";
        return std::nullopt;
    }
    CableMeasurement m;
    double previous = 0.0;
    for (std::size_t k = 0; k < open.f_mhz.size(); ++k) {
        const std::complex<double> zoc = open.z[k], zsc = shorted.z[k];
        MeasuredPoint p;
        p.f_mhz = open.f_mhz[k];
        p.z0 = RightRoot(zoc * zsc);
        // atanh of ±√(Zsc/Zoc): the sign that gives a loss (α ≥ 0).
        std::complex<double> gl = std::atanh(std::sqrt(zsc / zoc));
        if (gl.real() < 0.0) gl = -gl;
        // The principal βℓ in [0, π), then the multiple of π that continues the band's lowest
        // point: a line grows longer in wavelengths as the frequency rises.
        double beta = std::fmod(gl.imag(), std::numbers::pi);
        if (beta < 0.0) beta += std::numbers::pi;
        if (k > 0) beta += std::numbers::pi * std::round((previous - beta) / std::numbers::pi);
        previous = beta;
        p.beta_l = beta;
        const double quarters = beta / (std::numbers::pi / 2.0);
        p.used = !(std::round(quarters) >= 1.0 && std::fabs(quarters - std::round(quarters)) < 0.1) && beta > 0.0 &&
                 std::isfinite(gl.real());
        p.vf = beta > 0.0 ? 2.0 * std::numbers::pi * p.f_mhz * length_ft / (beta * kFreeSpaceWaveFtMHzDouble) : 0.0;
        p.db_per_100ft = gl.real() * kNeperToDb / length_ft * 100.0;
        m.points.push_back(p);
    }
    std::vector<LossPoint> fitted;
    std::vector<double> vfs;
    for (const MeasuredPoint& p : m.points)
        if (p.used) {
            fitted.push_back({p.f_mhz, p.db_per_100ft});
            vfs.push_back(p.vf);
        }
    if (fitted.empty()) {
        error = "no point is far enough from a quarter-wave resonance to use";
        return std::nullopt;
    }
    m.fit = FitLoss(fitted);
    std::nth_element(vfs.begin(), vfs.begin() + static_cast<std::ptrdiff_t>(vfs.size() / 2), vfs.end());
    m.median_vf = vfs[vfs.size() / 2];
    if (vfs.size() % 2 == 0) {
        const double below = *std::max_element(vfs.begin(), vfs.begin() + static_cast<std::ptrdiff_t>(vfs.size() / 2));
        m.median_vf = (m.median_vf + below) / 2.0;
    }
    const double centre = (m.points.front().f_mhz + m.points.back().f_mhz) / 2.0;
    const MeasuredPoint* nearest = nullptr;
    for (const MeasuredPoint& p : m.points)
        if (p.used && (!nearest || std::fabs(p.f_mhz - centre) < std::fabs(nearest->f_mhz - centre))) nearest = &p;
    m.centre_mhz = nearest->f_mhz;
    m.z0_centre = nearest->z0;
    return m;
}

StubReading StubFromQuarterWave(double physical_m, double quarter_wave_mhz) {
    StubReading s;
    s.electrical_m = kFreeSpaceM_MHz / (4.0 * quarter_wave_mhz);
    s.vf = physical_m / s.electrical_m;
    return s;
}

OwnCable MeasuredCable(const CableMeasurement& m) {
    OwnCable c;
    c.r0 = m.z0_centre.real();
    c.vf = m.median_vf;
    c.k1 = m.fit.k1;
    c.k2 = m.fit.k2;
    for (const MeasuredPoint& p : m.points)
        if (p.used) c.points.push_back({p.f_mhz, p.db_per_100ft});
    c.worst_residual_db = m.fit.worst_residual_db;
    return c;
}

std::string MeasuredSource(std::string_view open_file, std::string_view short_file, double length, bool meters) {
    return "measured: " + ShownName(open_file) + " and " + ShownName(short_file) + ", " + ShortestText(length) +
           (meters ? " m" : " ft");
}

}  // namespace qlx::sweep
