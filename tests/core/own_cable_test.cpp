#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/own_cable.h"

namespace qlx {
namespace {

// The coefficients commonly quoted for LMR-400 (3.90 and 6.76 dB/100 ft at 900 and 2500 MHz).
constexpr double kK1 = 0.12229, kK2 = 0.00026;

TEST(OwnCableFit, ExactPointsGiveTheirCoefficientsAndNoisyOnesTheLeastSquares) {
    std::vector<LossPoint> exact;
    for (double f : {1.8, 3.5, 7.0, 14.0, 50.0, 144.0, 432.0, 900.0, 2500.0})
        exact.push_back({f, kK1 * std::sqrt(f) + kK2 * f});
    const LossFit fit = FitLoss(exact);
    EXPECT_NEAR(fit.k1, kK1, 1e-9);
    EXPECT_NEAR(fit.k2, kK2, 1e-9);
    EXPECT_FALSE(fit.k2_held_at_zero);
    EXPECT_NEAR(fit.worst_residual_db, 0.0, 1e-9);

    // With noise: the minimum of the squared residuals, found here by solving the 2 x 2 system by
    // elimination over the rows a·k1 + b·k2 = y (a = √f, b = f) written out afresh.
    std::vector<LossPoint> noisy = exact;
    const double noise[] = {0.02, -0.03, 0.01, 0.05, -0.04, 0.02, -0.06, 0.08, -0.05};
    for (std::size_t k = 0; k < noisy.size(); ++k) noisy[k].db_per_100ft += noise[k];
    double aa = 0, ab = 0, bb = 0, ay = 0, by = 0;
    for (const LossPoint& p : noisy) {
        const double a = std::sqrt(p.f_mhz), b = p.f_mhz;
        aa += a * a, ab += a * b, bb += b * b, ay += a * p.db_per_100ft, by += b * p.db_per_100ft;
    }
    const double k2 = (by - ab / aa * ay) / (bb - ab / aa * ab), k1 = (ay - ab * k2) / aa;
    const LossFit least = FitLoss(noisy);
    EXPECT_NEAR(least.k1, k1, 1e-12);
    EXPECT_NEAR(least.k2, k2, 1e-12);
    ASSERT_EQ(least.residual_db.size(), noisy.size());
    EXPECT_NEAR(least.residual_db[3], k1 * std::sqrt(14.0) + k2 * 14.0 - noisy[3].db_per_100ft, 1e-12);
}

TEST(OwnCableFit, ANegativeDielectricTermIsRefittedWithoutItAndBadPointsGiveNoFit) {
    // Loss that grows slower than √f would need a negative k2: refitted as k1·√f alone.
    const LossFit fit = FitLoss({{1.0, 1.0}, {4.0, 1.6}, {16.0, 2.5}});
    EXPECT_TRUE(fit.k2_held_at_zero);
    EXPECT_EQ(fit.k2, 0.0);
    EXPECT_NEAR(fit.k1, (1.0 * 1 + 1.6 * 2 + 2.5 * 4) / (1.0 + 4 + 16), 1e-12);
    // One point: the conductors' term through it.
    EXPECT_NEAR(FitLoss({{100.0, 1.5}}).k1, 0.15, 1e-12);
    for (const std::vector<LossPoint>& bad :
         {std::vector<LossPoint>{}, {{0.0, 1.0}}, {{10.0, std::nan("")}}, {{-5.0, 1.0}, {10.0, 1.0}}})
        EXPECT_TRUE(FitLoss(bad).residual_db.empty());
}

}  // namespace
}  // namespace qlx

namespace qlx {
namespace {

// QLX cables.txt: good lines give cables; a damaged line is reported by its number and written
// back as it stood; saving a cable of a name already kept replaces it where it stands.
TEST(OwnCablesFile, DamagedLinesAreReportedAndKeptAndANameIsReplacedInPlace) {
    OwnCable lmr{"LMR-400", 50.0, 0.85, 2500.0, 0.12229, 0.00026, "Times Microwave data sheet", {{30.0, 0.7}, {50.0, 0.9}}, 0.0411};
    const std::string good = OwnCableLine(lmr);
    const std::vector<std::string> damaged = {
        "bad line",                                        // no columns
        "Short\t50\t0.8\t0\t0.1",                          // five columns
        "Fast\t50\t1.5\t0\t0.1\t0",                        // a velocity factor above 1
        "\t50\t0.8\t0\t0.1\t0",                            // no name
        "Gains\t50\t0.8\t0\t0.1\t-0.001",                  // a negative k2
        "Points\t50\t0.8\t0\t0.1\t0\tx\t30:0.7,50\t",      // a point without its loss
        "Zero\t0\t0.8\t0\t0.1\t0",                         // R0 of 0
        "NaN\t50\t0.8\t0\tnan\t0",                         // no number
    };
    std::vector<std::string> file{std::string(kCablesHeader), good, "# a comment the user wrote"};
    file.insert(file.end(), damaged.begin(), damaged.end());
    file.push_back("Plain\t75\t0.82\t300\t0.2\t0.001");
    const OwnCablesFile read = ReadOwnCables(file);
    ASSERT_EQ(read.cables.size(), 2u);
    EXPECT_EQ(read.cables[0].name, "LMR-400");
    EXPECT_EQ(read.cables[0].k1, lmr.k1);  // every digit back
    ASSERT_EQ(read.cables[0].points.size(), 2u);
    EXPECT_EQ(read.cables[0].points[1].db_per_100ft, 0.9);
    EXPECT_EQ(read.cables[0].worst_residual_db, 0.0411);
    EXPECT_EQ(read.cables[1].name, "Plain");
    EXPECT_TRUE(read.cables[1].points.empty());
    EXPECT_EQ(read.damaged, (std::vector<std::size_t>{4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_NE(DamagedCablesText(read.damaged).find("lines 4, 5, 6"), std::string::npos);

    OwnCablesFile next = read;
    PutOwnCable(next, OwnCable{"lmr-400 ", 50.0, 0.85, 2500.0, 0.13, 0.0, "again", {}, {}});
    PutOwnCable(next, OwnCable{"New", 50.0, 0.66, 0.0, 0.2, 0.0, "", {}, {}});
    const std::vector<std::string> written = OwnCablesLines(next);
    ASSERT_EQ(written.size(), file.size() + 1);
    EXPECT_EQ(written[0], kCablesHeader);
    EXPECT_EQ(written[1].substr(0, 15), "lmr-400\t50\t0.85");  // replaced where it stood
    for (std::size_t k = 0; k < damaged.size(); ++k) EXPECT_EQ(written[3 + k], damaged[k]);
    EXPECT_EQ(written.back().substr(0, 4), "New\t");
    // A file without its header still gives its cables.
    EXPECT_EQ(ReadOwnCables({good}).cables.size(), 1u);
}

// The cable at a frequency, as the solution takes it: the loss of k1·√f + k2·f in single
// precision and X0 by the low-loss rule, Z0 = R0 (1 - j α/β), worked out here afresh.
TEST(OwnCablesFile, TheCableAtAFrequencyFollowsItsTwoTerms) {
    const OwnCable c{"x", 50.0, 0.85, 0.0, 0.12229, 0.00026, "", {}, {}};
    const CableAtFrequency at = OwnCableAt(c, 14.0f);
    EXPECT_FLOAT_EQ(at.atten100, static_cast<float>(0.12229 * std::sqrt(14.0) + 0.00026 * 14.0));
    const double wave_ft = 0.85 * 983.571056 / 14.0;                  // wavelength on the line
    const double alpha = at.atten100 / 100.0 / 8.685889638;           // nepers per foot
    EXPECT_NEAR(at.wave_len, wave_ft, 1e-4);
    EXPECT_NEAR(at.x0, -50.0 * alpha / (2.0 * 3.14159265358979 / wave_ft), 2e-5);
}

}  // namespace
}  // namespace qlx
