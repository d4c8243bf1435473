// The bounds every network's search keeps, and the bisection they share. A real load can make a
// one-ohm stepping search run for minutes or for ever (a branch whose resistance alone exceeds
// the tuner resistance never crosses it); a bounded search ends with "No match found" instead.
#pragma once

#include <cmath>

namespace qlx::tuner::detail {

inline constexpr long kMaxBracketSteps = 1'000'000;
inline constexpr int kMaxHalvings = 200;
inline constexpr double kMatchTolerance = 0.001;  // ohms between Rin and the tuner resistance

// Matched: within the tolerance; NoMatch: a bound was reached; Fault: an evaluation was not
// finite; Refused: the network's own check stopped the stepping.
enum class SearchEnd { Matched, NoMatch, Fault, Refused };

// Halves the bracket [xlo, xhi] around the reactance x (where Rin was just evaluated) until Rin is
// within kMatchTolerance of z0. `eval(x)` evaluates the network at x and returns its Rin. Ends
// with NoMatch after kMaxHalvings, or when the midpoint can no longer move (the bracket has
// shrunk to neighbouring doubles without a match). A search may also accept early, once the
// bracket is narrower than `early.width` and Rin within `early.tolerance` of z0; x and Rin are
// then those of the last evaluation.
struct EarlyAccept {
    double width = 0.0, tolerance = 0.0;  // never, by default
};

template <class Eval>
SearchEnd Bisect(double& x, double& rin, double xhi, double xlo, double z0, Eval&& eval, EarlyAccept early = {}) {
    for (int halvings = 0;; ++halvings) {
        if (std::fabs(rin - z0) <= kMatchTolerance) return SearchEnd::Matched;
        if (rin > z0)
            xhi = x;
        else
            xlo = x;
        if (std::fabs(xhi - xlo) < early.width && std::fabs(rin - z0) < early.tolerance) return SearchEnd::Matched;
        const double mid = (xhi + xlo) / 2.0;
        if (halvings >= kMaxHalvings || mid == xhi || mid == xlo) return SearchEnd::NoMatch;
        x = mid;
        rin = eval(x);
        if (!std::isfinite(rin)) return SearchEnd::Fault;
    }
}

// The networks' search: from a reactance x where Rin was just evaluated, step by one ohm until
// Rin crosses z0 (`step_above` is the step taken when Rin starts above z0; the other way the step
// is reversed), then bisect. After each step `refused(rin_before, rin, x)` may stop the search
// with the network's own message.
template <class Eval, class Refused>
SearchEnd Search(double& x, double& rin, double z0, double step_above, Eval&& eval, Refused&& refused,
                 EarlyAccept early = {}) {
    const bool above = rin > z0;
    double xhi = x, xlo = x;
    for (long steps = 0; above ? !(rin < z0) : !(rin > z0); ++steps) {
        if (steps >= kMaxBracketSteps) return SearchEnd::NoMatch;
        const double before = rin;
        x += above ? step_above : -step_above;
        rin = eval(x);
        if (!std::isfinite(rin)) return SearchEnd::Fault;
        if (refused(before, rin, x)) return SearchEnd::Refused;
    }
    (above ? xlo : xhi) = x;
    return Bisect(x, rin, xhi, xlo, z0, eval, early);
}

inline constexpr auto kNeverRefused = [](double, double, double) { return false; };

}  // namespace qlx::tuner::detail
