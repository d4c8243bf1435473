// The tuner left as designed, across a band: what the transmitter sees when the frequency moves
// and nobody retunes. Every element keeps its inductance or capacitance and its unloaded Q, the
// stray capacitance stays across the line input, and the line is solved at each frequency as the
// sweep solves it, terminated in the antenna: its impedance at the design frequency held, or an
// analyser's measurement followed point by point.
#pragma once

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "sweep/sweep.h"
#include "tuner/networks.h"

namespace qlx::tuner {

// The band: the design frequency +-10 % (kept within 0.02-5000 MHz), 401 points.
struct BandRange {
    double from_mhz = 0.0, to_mhz = 0.0;
    int points = 401;
};
BandRange DefaultBand(double f0_mhz);

// A measured antenna: one-port points (MHz, ohms) at the load or at the line input.
struct MeasuredAntenna {
    std::vector<double> f_mhz;
    std::vector<std::complex<double>> z;
    bool at_load = true;
    std::string name;  // the file's name, for the page
};

// The antenna's impedance at f, linearly interpolated in R and X between the file's two nearest
// points (a point exactly at f as it is). Nothing outside the file's span, since a measurement is
// never extrapolated, and nothing for no points.
std::optional<std::complex<double>> InterpolatedAt(const MeasuredAntenna& a, double f_mhz);
// The impedance a design at f takes from the file, or why there is none: f outside the file's
// span ("dipole.s1p holds 13.600 to 14.600 MHz: 1.850 MHz is outside it. ..."), or a negative
// resistance there (a calibration's overshoot), which no tuner can match.
std::variant<std::complex<double>, std::string> DesignImpedance(const MeasuredAntenna& a, double f_mhz,
                                                                 char mark = '.');

struct BandPoint {
    double f_mhz = 0.0;
    double r = 0.0, x = 0.0;  // what the transmitter sees
    double swr = 0.0;         // against the tuner resistance
};

// Where the SWR crosses a value on each side of the design frequency, nearest to it.
struct Crossing {
    std::optional<double> lo_mhz, hi_mhz;  // nothing: it stays below within the band
};

// What stays put while the frequency moves.
enum class Held { Load, Measured, LineInput };

struct BandRun {
    double from_mhz = 0.0, to_mhz = 0.0, f0_mhz = 0.0;
    Held held = Held::Load;
    std::complex<double> held_load;     // the load (or the line input) held, when not measured
    std::string antenna_name;           // the file's name (when measured)
    // A measured run holds only the file's points: its from and to are its first and last point
    // within the band, and these say where the band reached beyond the file's first or last point.
    bool beyond_file_lo = false, beyond_file_hi = false;
    std::vector<BandPoint> points;
    Crossing swr15, swr20;
};

// The impedance the transmitter sees through the designed network at f MHz, with `line_input`
// at its output.
std::complex<double> NetworkInputAt(const NetworkDesign& d, double f_mhz, std::complex<double> line_input);
// SWR of z against a real resistance.
double SwrAgainst(std::complex<double> z, double r0);

// The band run of a design, the antenna's load at the design frequency held at the load end of
// `line` (its entries' end is ignored).
BandRun RunBand(const NetworkDesign& d, const sweep::SweepLine& line, std::complex<double> load, const BandRange& band);
// The network alone, its line input held: for a line input that no load on this line can give
// (the load it implies has no positive resistance), where holding that load would mean nothing.
BandRun RunBandLineInputHeld(const NetworkDesign& d, std::complex<double> line_input, const BandRange& band);
// The band run with the antenna measured: the file's points within the band, never beyond the
// file (a run of fewer than two points shows no band).
BandRun RunBand(const NetworkDesign& d, const sweep::SweepLine& line, const MeasuredAntenna& antenna,
                const BandRange& band);

// The crossings of `threshold` nearest to f0, linearly interpolated between the points around each.
Crossing CrossingOf(std::span<const BandPoint> points, double f0_mhz, double threshold);

// The page's line: "Tuner fixed, load held at 200 - j 100 ohms: 1.5:1 SWR 13.912 to 14.085 MHz
// (173 kHz), 2:1 SWR 13.870 to 14.131 MHz (261 kHz)".
std::string BandText(const BandRun& run, char mark = '.');
// "13.870 to 14.131 MHz", or where an edge lies beyond the run "below 12.690 to 14.131 MHz"
// ("below the file's first point (13.600 MHz) to 14.131 MHz" for a measured antenna).
std::string EdgesText(const BandRun& run, const Crossing& c, char mark = '.');
// The comparison's short form: "2:1 SWR 13.870 to 14.131 MHz.", or that the file has no band here.
std::string Swr20Text(const BandRun& run, char mark = '.');

}  // namespace qlx::tuner
