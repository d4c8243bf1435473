// The bounds every network's search keeps, and the bisection they share. A real load can make a
// one-ohm stepping search run for minutes or for ever (a branch whose resistance alone exceeds
// the tuner resistance never crosses it); a bounded search ends with "No match found" instead.
#pragma once

#include <cmath>

namespace qlx::tuner::detail {

inline constexpr long kMaxBracketSteps = 1'000'000;
inline constexpr int kMaxHalvings = 200;
inline constexpr double kMatchTolerance = 0.001;  // ohms between Rin and the tuner resistance

enum class SearchEnd { Matched, NoMatch, Fault };

// Halves the bracket [xlo, xhi] around the reactance x (where Rin was just evaluated) until Rin is
// within kMatchTolerance of z0. `eval(x)` evaluates the network at x and returns its Rin. Ends
// with NoMatch after kMaxHalvings, or when the midpoint can no longer move (the bracket has
// shrunk to neighbouring doubles without a match).
template <class Eval>
SearchEnd Bisect(double& x, double& rin, double xhi, double xlo, double z0, Eval&& eval) {
    for (int halvings = 0;; ++halvings) {
        if (std::fabs(rin - z0) <= kMatchTolerance) return SearchEnd::Matched;
        if (rin > z0)
            xhi = x;
        else
            xlo = x;
        const double mid = (xhi + xlo) / 2.0;
        if (halvings >= kMaxHalvings || mid == xhi || mid == xlo) return SearchEnd::NoMatch;
        x = mid;
        rin = eval(x);
        if (!std::isfinite(rin)) return SearchEnd::Fault;
    }
}

}  // namespace qlx::tuner::detail
