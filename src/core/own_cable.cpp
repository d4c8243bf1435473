#include "core/own_cable.h"

#include <cmath>

namespace qlx {

double OwnLossPer100Ft(const OwnCable& c, double f_mhz) { return c.k1 * std::sqrt(f_mhz) + c.k2 * f_mhz; }

LossFit FitLoss(const std::vector<LossPoint>& points) {
    LossFit fit;
    // The normal equations of y = k1·√f + k2·f:
    //   [Σf     Σf^1.5] [k1]   [Σy√f]
    //   [Σf^1.5 Σf²   ] [k2] = [Σyf ]
    double sf = 0.0, sf15 = 0.0, sf2 = 0.0, syr = 0.0, syf = 0.0;
    for (const LossPoint& p : points) {
        if (!(p.f_mhz > 0.0) || !std::isfinite(p.f_mhz) || !std::isfinite(p.db_per_100ft)) return fit;
        const double r = std::sqrt(p.f_mhz);
        sf += p.f_mhz;
        sf15 += p.f_mhz * r;
        sf2 += p.f_mhz * p.f_mhz;
        syr += p.db_per_100ft * r;
        syf += p.db_per_100ft * p.f_mhz;
    }
    if (points.empty()) return fit;
    const double det = sf * sf2 - sf15 * sf15;
    // One frequency (or all the same) gives no second term: the conductors' alone.
    const bool two_terms = points.size() >= 2 && std::fabs(det) > 1e-12 * sf * sf2;
    if (two_terms) {
        fit.k1 = (syr * sf2 - sf15 * syf) / det;
        fit.k2 = (sf * syf - sf15 * syr) / det;
    }
    if (!two_terms || fit.k2 < 0.0) {
        fit.k2_held_at_zero = two_terms;
        fit.k2 = 0.0;
        fit.k1 = syr / sf;
    }
    for (const LossPoint& p : points) {
        const double r = fit.k1 * std::sqrt(p.f_mhz) + fit.k2 * p.f_mhz - p.db_per_100ft;
        fit.residual_db.push_back(r);
        if (std::fabs(r) > std::fabs(fit.worst_residual_db)) fit.worst_residual_db = r;
    }
    return fit;
}

}  // namespace qlx
