// The line across a band: the main window's line solution repeated over frequencies. At every
// frequency the line is what the window computes with that frequency typed (the catalogue's loss
// and Z0 there, the user-defined line's loss scaled with the root of the frequency), so a sweep
// point and the window (or qlx-cli line) at that frequency agree.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "core/line_solution.h"

namespace qlx::sweep {

inline constexpr int kMinPoints = 2;
inline constexpr int kMaxPoints = 100'001;

// N frequencies from `from` to `to` (both included), evenly or logarithmically spaced.
std::vector<double> Frequencies(double from, double to, int points, bool log);

// The user-defined line's record as TL.DEF keeps it: loss per 100 feet at a frequency.
struct UserRecord {
    double atten100 = 0.0;  // dB per 100 feet at at_mhz
    float at_mhz = 0.0f;    // 0: the loss is taken as stored
    double vel_factor = 0.0;
};

// The line of the sweep: the window's entries (cable, length and unit, end) and, for list
// position 32, the user's record.
struct SweepLine {
    LineEntries entries;
    std::optional<UserRecord> user;
};

struct SweepPoint {
    double f_mhz = 0.0;
    double r_given = 0.0, x_given = 0.0;  // at the end the impedance belongs to
    double r_other = 0.0, x_other = 0.0;  // at the other end (the load, when given at the input)
    double swr_given = 0.0, swr_other = 0.0;
    double matched_loss_db = 0.0, total_loss_db = 0.0;
};

// One point: the line solved at f (held in single precision) for the impedance z at the given
// end. Nothing where the window would show no solution.
std::optional<SweepPoint> SolveAt(const SweepLine& line, double f_mhz, std::complex<double> z);

// The sweep over the frequencies, with one impedance for all or one for each; frequencies
// without a solution are left out.
std::vector<SweepPoint> Sweep(const SweepLine& line, const std::vector<double>& f_mhz,
                              const std::vector<std::complex<double>>& z);

}  // namespace qlx::sweep
