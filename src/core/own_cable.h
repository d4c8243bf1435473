// A user's own cable: its loss as two terms, k1·√f for the conductors' skin effect and k2·f for
// the dielectric (dB per 100 feet, f in MHz), and the least-squares fit of k1 and k2 to a maker's
// table of loss against frequency.
#pragma once

#include <string>
#include <vector>

namespace qlx {

struct OwnCable {
    std::string name;
    double r0 = 50.0;
    double vf = 0.66;
    double vmax = 0.0;  // 0: no rating known
    double k1 = 0.0;    // dB per 100 ft per √MHz
    double k2 = 0.0;    // dB per 100 ft per MHz
    std::string source;  // where the numbers came from: a maker's document, a measurement
};

// The matched loss in dB per 100 feet at f MHz.
double OwnLossPer100Ft(const OwnCable& c, double f_mhz);

struct LossPoint {
    double f_mhz = 0.0;
    double db_per_100ft = 0.0;
};

struct LossFit {
    double k1 = 0.0, k2 = 0.0;
    // A fit whose dielectric term came out negative (no cable gains with frequency) is redone
    // with k2 = 0, the conductors' term alone.
    bool k2_held_at_zero = false;
    std::vector<double> residual_db;  // the fit's loss less the point's, point by point
    double worst_residual_db = 0.0;   // the largest in size, with its sign
};

// Least squares over the points (every frequency above 0, every loss finite); `residual_db` is
// empty when they give no fit (none, or a point that is no number).
LossFit FitLoss(const std::vector<LossPoint>& points);

// dB per 100 m to dB per 100 ft, and back.
inline constexpr double kFeetPer100M = 328.083989501312;
inline double Per100MToPer100Ft(double db) { return db * 100.0 / kFeetPer100M; }

}  // namespace qlx
