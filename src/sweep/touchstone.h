// One-port Touchstone files (versions 1.1 and 2.0): our own reader and writer.
#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qlx::sweep {

struct OnePort {
    std::vector<double> f_mhz;                 // increasing
    std::vector<std::complex<double>> z;       // ohms, at each frequency
    // Points a calibration left slightly outside the Smith chart (1 < |S| <= kMaxOvershoot): kept,
    // with their negative resistance, and told to the user.
    std::size_t overshoot_points = 0;
    double largest_reflection = 0.0;
};

// The title of every message about a Touchstone file.
inline constexpr const char* kTouchstoneTitle = "Touchstone File";
// |S| within this of 1 is on the rim of the Smith chart (R = 0): a lossless delay-short written
// in floating point lands a rounding either side of it.
inline constexpr double kRimTolerance = 1e-12;
// The largest |S| read as a calibration's overshoot; beyond it the file is refused.
inline constexpr double kMaxOvershoot = 1.05;
// "2 points of the file reflect more than they receive (|S| up to 1.0312) ...", or empty.
std::string OvershootWarning(const OnePort& port);

// Why a file was refused: the line (1 for the first) and what is wrong there.
struct TouchstoneError {
    int line = 0;
    std::string reason;
};

// Reads one-port data: "!" comments; the option line "# <Hz|kHz|MHz|GHz> <S|Z|Y> <RI|MA|DB> R
// <ref>" in any order, each part optional with the defaults GHz, S, MA, R 50; several values per
// line; version 2.0 keywords [Version] 2.0, [Number of Ports] 1, [Reference], [Network Data],
// [End]. Impedance from S: Z = ref (1 + S) / (1 - S); from Y: 1 / Y; in version 1.1 Z and Y are
// normalised to the reference, in 2.0 they are in ohms and siemens. A multi-port file, a
// missing option value, a non-number, frequencies out of order or no data at all are refused. A
// file of more than `max_points` points is refused as soon as the next one is read.
std::variant<OnePort, TouchstoneError> ReadTouchstone(std::string_view text,
                                                     std::size_t max_points = static_cast<std::size_t>(-1));
TouchstoneError TooManyPoints(std::size_t max_points);

// A Touchstone file as the sweep window and qlx-cli read it: a regular file of at most 64 MiB
// (or "-", standard input, read up to the same size, so that a pipe keeps working), holding no
// more points than a sweep may. A FIFO, a device, a directory or a larger file is refused at
// once: reading one would hang or fill the memory. The error's line is 0 for a file refused as
// a whole, and its reason says what the file is.
inline constexpr std::uintmax_t kMaxTouchstoneBytes = 64u << 20;
// A name Windows keeps for a device in every folder (CON, NUL, COM1, "nul.s1p"): refused there as
// a device, not reported missing.
bool IsWindowsDeviceName(std::string_view name);
std::variant<OnePort, TouchstoneError> LoadTouchstone(const std::string& path);

// A file's name as a message shows it: control characters escaped as in the file's content, so
// that a name cannot send escape sequences to the user's terminal either.
std::string ShownName(std::string_view name);
// qlx-cli's message for a refused file: "dipole.s1p:12: a frequency without both of its values",
// or for a file refused as a whole "antennas: is a folder, not a file".
std::string ErrorText(std::string_view shown_name, const TouchstoneError& e);

// The points of `port` from `lo` to `hi` MHz, both included.
OnePort Within(const OnePort& port, double lo, double hi);

// A version 1.1 file "# MHz S RI R <ref>" of the impedances as reflection coefficients.
std::string WriteTouchstone(const std::vector<double>& f_mhz, const std::vector<std::complex<double>>& z,
                            double ref, std::string_view comment);

}  // namespace qlx::sweep
