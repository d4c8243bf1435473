#include "sweep/sweep.h"

#include <algorithm>
#include <cmath>

#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "sweep/touchstone.h"

namespace qlx::sweep {

std::string PointsRangeText() { return std::to_string(kMinPoints) + " to " + std::to_string(kMaxPoints) + " points"; }

BandAround BandAroundFrequency(double f) {
    return {std::clamp(f * 0.9, kMinFreqMHz, kMaxFreqMHz), std::clamp(f * 1.1, kMinFreqMHz, kMaxFreqMHz)};
}

std::vector<double> Frequencies(double from, double to, int points, bool log) {
    std::vector<double> f;
    if (points < kMinPoints || points > kMaxPoints || !(from > 0.0) || !(to >= from)) return f;
    f.reserve(static_cast<std::size_t>(points));
    const double n = points - 1;
    for (int k = 0; k < points; ++k) {
        const double t = k / n;
        f.push_back(log ? from * std::pow(to / from, t) : from + (to - from) * t);
    }
    f.back() = to;  // the end exactly, whatever the rounding on the way
    return f;
}

namespace {

// One point, solved with the entries `e` (the line's own, reused from point to point so that a
// long sweep copies its texts once).
std::optional<SweepPoint> Solve(LineEntries& e, const std::optional<UserRecord>& user, double f_mhz,
                                std::complex<double> z) {
    // What the window refuses to take it never solves: a frequency outside 0.02 to 5000 MHz, an
    // impedance beyond 1E+30 ohms (the band and the file are checked with a message before).
    if (!FrequencyAccepted(f_mhz) || !ImpedanceAccepted(z.real()) || !ImpedanceAccepted(z.imag())) return std::nullopt;
    const float f = static_cast<float>(f_mhz);
    e.freq = f;
    e.ra = z.real();
    e.xa = z.imag();
    if (user && e.cable_position == kUserDefinedIndex) {
        // As the user-defined line's dialog scales its record to the frequency typed.
        const UserRecord& u = *user;
        e.user_atten100 = static_cast<float>(ScaledUserLoss(u.atten100, u.at_mhz, f));
        // The wavelength from the frequency as its text reads (the window divides by the typed value).
        e.user_wave_len = UserWaveLength(u.vel_factor, ParseNumber(ShortestText(f)));
    }
    const std::optional<LineValues> v = SolveLineValues(e);
    if (!v) return std::nullopt;
    SweepPoint p;
    p.f_mhz = f;
    p.r_given = z.real();
    p.x_given = z.imag();
    p.r_other = v->rin;
    p.x_other = v->xin;
    p.swr_given = v->swr_out;
    p.swr_other = v->swr_in;
    p.matched_loss_db = v->matched_loss;
    p.total_loss_db = v->tot_loss;
    p.r0 = v->r0;
    p.x0 = v->x0;
    return p;
}

}  // namespace

std::optional<SweepPoint> SolveAt(const SweepLine& line, double f_mhz, std::complex<double> z) {
    LineEntries e = line.entries;
    return Solve(e, line.user, f_mhz, z);
}

std::vector<SweepPoint> Sweep(const SweepLine& line, std::span<const double> f_mhz,
                              std::span<const std::complex<double>> z) {
    std::vector<SweepPoint> points;
    points.reserve(f_mhz.size());
    LineEntries e = line.entries;
    for (std::size_t k = 0; k < f_mhz.size(); ++k) {
        const std::complex<double> zk = z.size() == f_mhz.size() ? z[k] : (z.empty() ? kReferenceOhms : z.front());
        if (const auto p = Solve(e, line.user, f_mhz[k], zk)) points.push_back(*p);
    }
    return points;
}

double ShownMHz(double f_mhz) { return ParseNumber(ShortestText(static_cast<float>(f_mhz))); }

std::array<double, 9> SweepRow(const SweepPoint& p) {
    return {ShownMHz(p.f_mhz), p.r_given,   p.x_given,         p.r_other,      p.x_other,
            p.swr_given,       p.swr_other, p.matched_loss_db, p.total_loss_db};
}

std::string SweepCsv(std::span<const SweepPoint> points) {
    std::string out;
    for (const char* name : kSweepColumns) (out += out.empty() ? "" : ",") += name;
    out += "\n";
    for (const SweepPoint& p : points) {
        const auto row = SweepRow(p);
        for (std::size_t k = 0; k < row.size(); ++k) (out += k ? "," : "") += ExactText(row[k]);
        out += "\n";
    }
    return out;
}

std::string OtherEndTouchstone(std::span<const SweepPoint> points, double ref, bool given_at_load) {
    std::vector<double> f;
    std::vector<std::complex<double>> z;
    for (const SweepPoint& p : points) {
        f.push_back(ShownMHz(p.f_mhz));
        z.emplace_back(p.r_other, p.x_other);
    }
    return WriteTouchstone(f, z, ref,
                           std::string("QLX: the impedance at the ") + (given_at_load ? "line input" : "load") +
                               " of the line");
}

}  // namespace qlx::sweep
