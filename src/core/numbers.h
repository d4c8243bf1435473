// Numeric entry and complex helpers shared by every window and the line model.
#pragma once

#include <string_view>

namespace qlx {

// An unfinished decimal entry (a lone "," or "-,") reads as these tiny values, so that a
// computation made while the user is still typing never divides by zero.
inline constexpr double kUnfinishedEntry = 0.000001;

// A parallel reactance of "infinity" (no reactive part) is carried as this number.
inline constexpr double kInfiniteReactance = 10'000'000.0;

// Single-precision constants that take part in the arithmetic with exactly these values.
inline constexpr double kQuarterTurn = 1.5707964897155762;   // pi/2 as the angle routine holds it
inline constexpr double kHalfTurn = 3.1415929794311523;      // pi as the angle routine holds it
inline constexpr double kPiSingle = 3.1415927410125732;      // pi rounded to single
inline constexpr double kTwoPiSingle = 6.2831854820251465;   // 2 pi rounded to single
inline constexpr double kDegPerRad = 57.2957763671875;        // 180/pi rounded to single
inline constexpr double kFeetPerMeter = 3.2808399200439453;   // 3.28084 rounded to single
inline constexpr double kFreeSpaceWaveFtMHz = 983.571044921875;  // free-space wavelength, ft x MHz

// Nepers per dB: ln 10 / 20 exactly, as the impedance transform uses it, and as the catalogue's
// loss formula rounds it.
inline constexpr double kNepersPerDb = 0.11512925464970229;
inline constexpr double kNepersPerDbRounded = 0.115129;
// The free-space wavelength in meters times MHz (c = 299.792458 Mm/s as the length entry's
// wavelengths in meters take it, 299.791848).
inline constexpr double kMetersPerSecondMHz = 299.791848;

// The user-defined line's "Compute X0" works in double precision with these rounded values of
// its own, not with the single-precision ones above; its suggestion differs from the catalogue's
// in the last digits, and that difference is kept.
inline constexpr double kFreeSpaceWaveFtMHzDouble = 983.571056;
inline constexpr double kFeetPerMeterDouble = 3.2808399;
inline constexpr double kTwoPiDouble = 6.2831854;

// The leading number of a text: blanks (space, tab, CR, LF) are ignored wherever they stand,
// then an optional sign, digits with at most one "." and an optional exponent (E or D, either
// case, optional sign, digits). Reading stops at the first character that does not continue the
// number; a text without a number reads as 0. A comma is not part of a number here.
// A value beyond the double range reads as the largest double of its sign, so range checks
// still reject it; one below the smallest reads as 0.
double LeadingNumber(std::string_view text);

// Reads a typed number accepting a comma as the decimal mark: the first comma becomes the
// decimal point, a lone "," gives +kUnfinishedEntry and "-," gives -kUnfinishedEntry.
// Never fails; unreadable text gives 0.
double ParseNumber(std::string_view text);

// Whether a text, blanks around it aside, is one plain number: a sign, digits with at most one
// "." or "," and an exponent. Entries read back from a file must be such a number to be taken.
bool IsNumberText(std::string_view text);

// Angle of R + jX in radians, in all four quadrants, with the half and quarter turns above.
// The negative real axis gives -kHalfTurn; (0, 0) gives 0.
double ComplexAngle(double r, double x);

struct ParallelForm {
    double rp;
    double xp;
};
struct SeriesForm {
    double r;
    double x;
};

// R + jX as the parallel pair Rp || jXp. Rp is never negative. X = 0 gives Xp =
// kInfiniteReactance. A pure reactance (R = 0, X != 0) has an infinitely large parallel
// resistance, returned as kInfiniteReactance as well.
ParallelForm SeriesToParallel(double r, double x);

// Rp || jXp as R + jX. Rp = Xp = 0 (a short circuit in parallel with a short) gives 0 + j0.
SeriesForm ParallelToSeries(double rp, double xp);

}  // namespace qlx
