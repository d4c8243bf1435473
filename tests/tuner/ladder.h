// An independent check of a tuner design: the network rebuilt from its reported element values,
// their unloaded Q and the stray capacitance, as a ladder of complex impedances, and driven at
// the transmitter power. Every lossy element is the textbook series model r + jX, r = |X| / Q;
// nothing here comes from the design code.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "tuner/networks.h"

namespace qlx::testing {

using cd = std::complex<double>;

struct LadderElement {
    double v_rms, i_rms, p_diss;
};

struct Ladder {
    cd zin;         // what the transmitter sees
    cd vin, vout;   // phasors at the transmitter side and at the line input
    std::vector<LadderElement> elements;  // as the design lists them, from the transmitter
};

inline cd ElementImpedance(const tuner::Element& e, double f_mhz) {
    const double w = 2.0 * std::numbers::pi * f_mhz * 1e6;
    const double x = e.kind == tuner::Kind::L ? w * e.value * 1e-6 : -1.0 / (w * e.value * 1e-12);
    return {std::abs(x) / e.q, x};
}

// The design's network driven with `power` watts into the line input `zload`.
inline Ladder Solve(const tuner::NetworkDesign& d, cd zload, double power) {
    const double w = 2.0 * std::numbers::pi * d.f0 * 1e6;
    // Looking toward the load from each node: node k is on the transmitter side of element k.
    const std::size_t n = d.elements.size();
    std::vector<cd> z(n + 1);
    z[n] = zload;
    if (d.stray_f > 0.0) z[n] = 1.0 / (1.0 / zload + cd(0.0, w * d.stray_f));
    for (std::size_t k = n; k-- > 0;) {
        const cd ze = ElementImpedance(d.elements[k], d.f0);
        z[k] = d.elements[k].connection == tuner::Connection::Series ? z[k + 1] + ze : 1.0 / (1.0 / z[k + 1] + 1.0 / ze);
    }
    Ladder l;
    l.zin = z[0];
    cd i = std::sqrt(power / l.zin.real());
    cd v = i * l.zin;
    l.vin = v;
    for (std::size_t k = 0; k < n; ++k) {
        const cd ze = ElementImpedance(d.elements[k], d.f0);
        if (d.elements[k].connection == tuner::Connection::Series) {
            const cd ve = i * ze;
            l.elements.push_back({std::abs(ve), std::abs(i), ze.real() * std::norm(i)});
            v -= ve;
        } else {
            const cd ie = v / ze;
            l.elements.push_back({std::abs(v), std::abs(ie), ze.real() * std::norm(ie)});
            i -= ie;
        }
    }
    l.vout = v;
    return l;
}

// The design's network rebuilt and driven with the settings' power into `zload` must present the
// tuner resistance within 1 % + 0.1 ohm, and show the element stresses, the loss, the voltages
// and the phase turned that the design reports.
inline void ExpectPhysical(const tuner::NetworkDesign& d, cd zload, const tuner::TunerSettings& s,
                           const std::string& name) {
    const Ladder ladder = Solve(d, zload, s.power);
    EXPECT_NEAR(std::abs(ladder.zin - s.z0), 0.0, 0.01 * s.z0 + 0.1) << name << ": " << ladder.zin;
    ASSERT_EQ(ladder.elements.size(), d.elements.size()) << name;
    double loss = 0;
    for (std::size_t k = 0; k < d.elements.size(); ++k) {
        const tuner::Element& e = d.elements[k];
        const LadderElement& le = ladder.elements[k];
        EXPECT_NEAR(e.v_rms, le.v_rms, 0.02 * le.v_rms + 0.01) << name << " " << e.name;
        EXPECT_NEAR(e.i_rms, le.i_rms, 0.02 * le.i_rms + 0.001) << name << " " << e.name;
        EXPECT_NEAR(e.p_diss, le.p_diss, 0.02 * le.p_diss + 0.01) << name << " " << e.name;
        loss += le.p_diss;
    }
    EXPECT_NEAR(d.ploss, loss, 0.02 * loss + 0.01) << name;
    EXPECT_NEAR(d.vin, std::abs(ladder.vin), 0.01 * std::abs(ladder.vin)) << name;
    EXPECT_NEAR(d.vout, std::abs(ladder.vout), 0.02 * std::abs(ladder.vout)) << name;
    // The input leads the output by what the network turns: in - out = vin_angle - phase.
    const double turn = std::arg(ladder.vin / ladder.vout) * 180 / std::numbers::pi;
    EXPECT_NEAR(std::remainder(d.vin_angle - s.phase - turn, 360.0), 0.0, 1.0) << name;
}

}  // namespace qlx::testing
