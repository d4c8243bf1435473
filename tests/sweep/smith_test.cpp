// The Smith chart's geometry: the corners of the chart, the way back from a point, and the
// pointer's nearest point.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "sweep/smith.h"

namespace qlx::sweep {
namespace {

using cd = std::complex<double>;

// The impedance at a point of the chart, Z = Zref (1 + Gamma) / (1 - Gamma): Gamma's inverse,
// written here to check it.
cd ImpedanceAt(cd gamma, double zref) { return zref * (1.0 + gamma) / (1.0 - gamma); }

TEST(Smith, CornersOfTheChart) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        cd z;
        cd gamma;
    };
    const Case cases[] = {
        {"a short at the left", cd(0, 0), cd(-1, 0)},
        {"an open circuit at the right", cd(inf, 0), cd(1, 0)},
        {"the reference in the centre", cd(50, 0), cd(0, 0)},
        {"+j Zref at the top", cd(0, 50), cd(0, 1)},       // (j - 1)/(j + 1) = j
        {"-j Zref at the bottom", cd(0, -50), cd(0, -1)},
        {"2 Zref on the real axis", cd(100, 0), cd(1.0 / 3.0, 0)},
    };
    for (const Case& c : cases) {
        const cd g = Gamma(c.z, 50);
        EXPECT_NEAR(g.real(), c.gamma.real(), 1e-12) << c.what;
        EXPECT_NEAR(g.imag(), c.gamma.imag(), 1e-12) << c.what;
    }
    // Normalised to another reference the same impedance stands elsewhere: 75 ohms is the centre
    // of a 75-ohm chart.
    EXPECT_NEAR(std::abs(Gamma(cd(75, 0), 75)), 0.0, 1e-12);
}

TEST(Smith, BackFromAPointAndTheReflectionsFigures) {
    for (const cd z : {cd(50, 0), cd(200, -100), cd(12, 35), cd(1, 1000)}) {
        const cd back = ImpedanceAt(Gamma(z, 50), 50);
        EXPECT_NEAR(back.real(), z.real(), 1e-9 * std::abs(z));
        EXPECT_NEAR(back.imag(), z.imag(), 1e-9 * std::abs(z));
    }
    // 100 ohms on a 50-ohm line: |Gamma| 1/3, SWR 2, return loss 9.54 dB.
    const cd g = Gamma(cd(100, 0), 50);
    EXPECT_NEAR(SwrOf(g), 2.0, 1e-12);
    EXPECT_NEAR(ReturnLossDb(g), 20 * std::log10(3.0), 1e-12);
    EXPECT_TRUE(std::isinf(SwrOf(cd(1, 0))));
}

TEST(Smith, ThePointerFindsTheNearestPointOnTheChart) {
    const std::vector<cd> trace{cd(50, 0), cd(100, 0), cd(0, 50), cd(10, -10)};
    EXPECT_EQ(NearestOnChart(trace, 50, cd(0.05, 0.02)), 0u);
    EXPECT_EQ(NearestOnChart(trace, 50, cd(0.3, 0.0)), 1u);
    EXPECT_EQ(NearestOnChart(trace, 50, cd(0.1, 0.95)), 2u);
    EXPECT_EQ(NearestOnChart(trace, 50, cd(-0.7, -0.3)), 3u);
}

TEST(Smith, ReactanceArcsStayOnTheChartFromTheRimToTheOpen) {
    // Each arc is where Z = Zref (r + jx) for some r >= 0: on or inside the rim, its reactance x.
    for (double x : {0.2, 0.5, 1.0, 2.0, 5.0, -0.2, -1.0, -5.0}) {
        const std::vector<cd> arc = ReactanceArc(x, 64);
        ASSERT_EQ(arc.size(), 64u);
        EXPECT_NEAR(std::abs(arc.front() - Gamma({0.0, x}, 1.0)), 0.0, 1e-12) << x;
        EXPECT_EQ(arc.back(), cd(1.0, 0.0)) << x;
        for (std::size_t k = 0; k + 1 < arc.size(); ++k) {
            EXPECT_LE(std::abs(arc[k]), 1.0 + 1e-12) << x << " point " << k;
            const cd z = ImpedanceAt(arc[k], 1.0);
            EXPECT_GE(z.real(), -1e-9) << x << " point " << k;
            EXPECT_NEAR(z.imag(), x, 1e-6 * (1.0 + std::abs(z))) << x << " point " << k;
        }
    }
}

TEST(Smith, TheGridsLabelsStandWhereTheirOhmsAre) {
    // Every view draws this one grid; a label must name the impedance of the point it stands at,
    // in ohms of whichever reference the chart has (50 ohms, or |Z0| of a 450-ohm ladder line).
    for (double ref : {50.0, 450.0}) {
        const SmithGridLines grid = SmithGrid(ref, 32);
        ASSERT_EQ(grid.resistances.size(), 5u);
        ASSERT_EQ(grid.reactances.size(), 10u);
        ASSERT_EQ(grid.labels.size(), 5u + 2u + 10u);
        for (const SmithCircle& c : grid.resistances) {
            // Any point of a resistance circle has one resistance; the labels' figures are it.
            const double r = ImpedanceAt(c.centre + cd(0.0, c.radius), ref).real();
            EXPECT_NEAR(ImpedanceAt(c.centre - cd(c.radius * 0.6, c.radius * 0.8), ref).real(), r, 1e-9 * r);
        }
        for (const SmithLabel& l : grid.labels) {
            if (l.text == "0" || l.text == "\u221e") {
                EXPECT_EQ(l.at, cd(l.text == "0" ? -1.0 : 1.0, 0.0));
                continue;
            }
            const bool reactance = l.text[0] == '+' || l.text.rfind("\u2212j", 0) == 0;
            const double shown = std::stod(l.text.substr(reactance ? l.text.find('j') + 1 : 0));
            const cd z = ImpedanceAt(l.at, ref);
            if (reactance) {
                EXPECT_EQ(l.place, SmithLabel::Place::Outside) << l.text;
                EXPECT_NEAR(std::abs(l.at), 1.0, 1e-12) << l.text;
                EXPECT_NEAR(z.imag(), (l.text[0] == '+' ? 1.0 : -1.0) * shown, 0.005 * shown) << l.text;
            } else {
                EXPECT_EQ(l.place, SmithLabel::Place::LeftAbove) << l.text;
                EXPECT_NEAR(z.real(), shown, 0.005 * shown) << l.text;
            }
            EXPECT_EQ(l.text.find('e'), std::string::npos) << l.text << ": no exponent on a chart";
        }
    }
}

}  // namespace
}  // namespace qlx::sweep
