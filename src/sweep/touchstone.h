// One-port Touchstone files (versions 1.1 and 2.0): our own reader and writer.
#pragma once

#include <complex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qlx::sweep {

struct OnePort {
    std::vector<double> f_mhz;                 // increasing
    std::vector<std::complex<double>> z;       // ohms, at each frequency
};

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
// missing option value, a non-number, frequencies out of order or no data at all are refused.
std::variant<OnePort, TouchstoneError> ReadTouchstone(std::string_view text);

// The points of `port` from `lo` to `hi` MHz, both included.
OnePort Within(const OnePort& port, double lo, double hi);

// A version 1.1 file "# MHz S RI R <ref>" of the impedances as reflection coefficients.
std::string WriteTouchstone(const std::vector<double>& f_mhz, const std::vector<std::complex<double>>& z,
                            double ref, std::string_view comment);

}  // namespace qlx::sweep
