// A user's own cable: its loss as two terms, k1·√f for the conductors' skin effect and k2·f for
// the dielectric (dB per 100 feet, f in MHz), and the least-squares fit of k1 and k2 to a maker's
// table of loss against frequency.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cables.h"

namespace qlx {

struct LossPoint {
    double f_mhz = 0.0;
    double db_per_100ft = 0.0;
};

struct OwnCable {
    std::string name;
    double r0 = 50.0;
    double vf = 0.66;
    double vmax = 0.0;  // 0: no rating known
    double k1 = 0.0;    // dB per 100 ft per √MHz
    double k2 = 0.0;    // dB per 100 ft per MHz
    std::string source;  // where the numbers came from: a maker's document, a measurement
    // The table it was fitted to (dB per 100 feet) and the fit's worst residual, kept so that a
    // reader can check the fit against the maker's own figures.
    std::vector<LossPoint> points;
    std::optional<double> worst_residual_db;
};

// The matched loss in dB per 100 feet at f MHz.
double OwnLossPer100Ft(const OwnCable& c, double f_mhz);

// The cable at a frequency as the line solution takes a catalogue row (CableAt): the loss held in
// single precision, the wavelength from the velocity factor, and X0 by the low-loss rule.
CableAtFrequency OwnCableAt(const OwnCable& c, float freq_mhz);

// Why a cable cannot be used (a name is needed; R0 above 0; a velocity factor above 0 and at most
// 1; VMax, k1 and k2 of 0 or more, all finite), or nothing when it can.
std::optional<std::string> OwnCableProblem(const OwnCable& c);

struct LossFit {
    double k1 = 0.0, k2 = 0.0;
    // A fit whose dielectric term came out negative (no cable gains with frequency) is redone
    // with k2 = 0, the conductors' term alone.
    bool k2_held_at_zero = false;
    std::vector<double> residual_db;  // the fit's loss less the point's, point by point
    double worst_residual_db = 0.0;   // the largest in size, with its sign
};

// Least squares over the points (every frequency above 0, every loss finite); `residual_db` is
// empty when they give no fit (none, or a point that is no number).
LossFit FitLoss(const std::vector<LossPoint>& points);

// dB per 100 m to dB per 100 ft, and back.
inline constexpr double kFeetPer100M = 328.083989501312;
inline double Per100MToPer100Ft(double db) { return db * 100.0 / kFeetPer100M; }

// ---- QLX cables.txt ----
// One cable a line, tab-separated, after a header naming the columns. Numbers are written with a
// decimal point whatever the user's notation, so that a file moves between machines; the points
// as "MHz:dB" pairs (dB per 100 feet) joined by commas.
inline constexpr std::string_view kCablesFileName = "QLX cables.txt";
inline constexpr std::string_view kCablesHeader = "name\tr0\tvf\tvmax\tk1\tk2\tsource\tpoints\tworst_residual_db";
// A file is read to this many lines; a line to this many characters (a longer one is damaged).
inline constexpr std::size_t kMaxCablesLines = 5000;
inline constexpr std::size_t kMaxCableLineLength = 8192;

std::string OwnCableLine(const OwnCable& c);
std::optional<OwnCable> ParseOwnCableLine(std::string_view line);

// The file as read: every line after the header kept as it stands (a damaged one too, so that the
// next save writes it back untouched), the cables the good lines give, and the damaged lines'
// numbers in the file (1 is the header).
struct OwnCablesFile {
    std::vector<std::string> lines;
    std::vector<OwnCable> cables;
    std::vector<std::size_t> damaged;
};
OwnCablesFile ReadOwnCables(const std::vector<std::string>& file_lines);
// The file's lines to write: the header, then every line kept.
std::vector<std::string> OwnCablesLines(const OwnCablesFile& file);
// Adds a cable, or replaces the one of the same name (letter case aside) where it stands.
void PutOwnCable(OwnCablesFile& file, const OwnCable& c);
// The message a file with damaged lines gives, once.
std::string DamagedCablesText(const std::vector<std::size_t>& damaged);

// "MHz:dB,..." as the points are written and typed; nothing when an item is not two numbers with a
// frequency above 0 and a loss of 0 or more.
std::optional<std::vector<LossPoint>> ParseLossPoints(std::string_view text);
std::string LossPointsText(const std::vector<LossPoint>& points);

}  // namespace qlx
