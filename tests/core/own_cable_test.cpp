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
