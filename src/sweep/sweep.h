// The line across a band: the main window's line solution repeated over frequencies. At every
// frequency the line is what the window computes with that frequency typed (the catalogue's loss
// and Z0 there, the user-defined line's loss scaled with the root of the frequency), so a sweep
// point and the window (or qlx-cli line) at that frequency agree.
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/line_solution.h"

namespace qlx::sweep {

inline constexpr int kMinPoints = 2;
inline constexpr int kMaxPoints = 100'001;
// "2 to 100001 points": the limit as the messages state it.
std::string PointsRangeText();

// The band a frequency opens with, in the sweep window and in the tuner's band run: 10 % either
// side, kept within the frequencies a line is solved at.
struct BandAround {
    double from_mhz, to_mhz;
};
BandAround BandAroundFrequency(double f_mhz);

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
    double r0 = 0.0, x0 = 0.0;  // the line's characteristic impedance at f
};

// A point's impedance and SWR at one end of the line, whichever end the impedance was given at:
// the one place where "given" and "other" turn into the load and the input.
struct EndFigures {
    std::complex<double> z;
    double swr;
};
inline EndFigures AtLoad(const SweepPoint& p, bool given_at_load) {
    return given_at_load ? EndFigures{{p.r_given, p.x_given}, p.swr_given} : EndFigures{{p.r_other, p.x_other}, p.swr_other};
}
inline EndFigures AtInput(const SweepPoint& p, bool given_at_load) { return AtLoad(p, !given_at_load); }

// One point: the line solved at f (held in single precision) for the impedance z at the given
// end. Nothing where the window would show no solution.
std::optional<SweepPoint> SolveAt(const SweepLine& line, double f_mhz, std::complex<double> z);

// The sweep over the frequencies, with one impedance for all or one for each; frequencies
// without a solution are left out.
std::vector<SweepPoint> Sweep(const SweepLine& line, std::span<const double> f_mhz,
                              std::span<const std::complex<double>> z);

// A frequency as it is shown and written: the single-precision value solved at, in its shortest
// decimal form (13.6, not 13.600000381469727).
double ShownMHz(double f_mhz);

// The sweep as CSV, one row a point: f_mhz,r_given,x_given,r_other,x_other,swr_given,swr_other,
// matched_loss_db,total_loss_db.
inline constexpr const char* kSweepColumns[] = {"f_mhz",     "r_given",   "x_given",         "r_other",      "x_other",
                                                "swr_given", "swr_other", "matched_loss_db", "total_loss_db"};
std::array<double, 9> SweepRow(const SweepPoint& p);
std::string SweepCsv(std::span<const SweepPoint> points);
// The impedance at the other end as a Touchstone 1.1 file referred to `ref` ohms.
std::string OtherEndTouchstone(std::span<const SweepPoint> points, double ref, bool given_at_load);

}  // namespace qlx::sweep
