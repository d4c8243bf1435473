// The station plan: one antenna, one feed line, one tuner, every band. A plan is a table of tuner
// designs, one per band point and network, each made by the tuner window's own comparison (the
// same designs, band runs and auto capacitor as "Co&mpare Networks" and qlx-cli tuner), with what
// a builder reads off it: the range each part must cover, the least-loss network at each point,
// and the one network to build for every band.
#pragma once

#include <complex>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/line_solution.h"
#include "sweep/sweep.h"
#include "tuner/band.h"
#include "tuner/networks.h"
#include "tuner/tuner_window.h"

namespace qlx::plan {

// ---- bands ----

enum class Region { One = 1, Two = 2, Three = 3 };
struct Band {
    std::string name;  // "40m", or the FROM-TO typed
    double from_mhz = 0.0, to_mhz = 0.0;
};
// The amateur HF bands of an IARU region, 160 m to 10 m, and 6 m on request.
std::vector<Band> RegionBands(Region region, bool with_6m);
// A band typed as a name of the region's plan ("40m", "40") or as "FROM-TO" in MHz; the text
// says what is wrong otherwise.
std::variant<Band, std::string> ReadBand(std::string_view text, Region region);
// Bands typed as a list separated by commas ("80m,40m,14-14.35"), each as ReadBand reads it.
std::variant<std::vector<Band>, std::string> ReadBands(std::string_view list, Region region);
// The frequencies a band is designed at: both edges and evenly between (one point: its centre),
// each on a whole kHz as a user would type it.
std::vector<double> BandPoints(const Band& band, int points);
inline constexpr int kDefaultPointsPerBand = 3;
inline constexpr int kMaxPointsPerBand = 21;

// ---- inputs ----

// The antenna: a constant impedance at the load, or a one-port file measured at the load or at
// the line input (MeasuredAntenna::at_load).
using Antenna = std::variant<std::complex<double>, tuner::MeasuredAntenna>;

// A tuner the user owns ("my tuner"): its network and each part's range, with the capacitors'
// peak-voltage rating and the coils' RMS-current rating where given. Typed as
// "tee:C1=10-250pF,L2=0.2-28uH,C3=10-250pF,V=3500,I=10" (lpl, hpl, hpl-a, hpl-b, pi or tee).
struct PartLimit {
    std::string name;  // "C1", "L2"
    tuner::Kind kind = tuner::Kind::C;
    double lo = 0.0, hi = 0.0;  // pF or µH
};
struct MyTuner {
    tuner::Network network = tuner::Network::Tee;
    std::optional<bool> coil_across_line;  // hpl-a, hpl-b; either for hpl
    std::vector<PartLimit> parts;
    std::optional<double> v_rating, i_rating;
};
std::variant<MyTuner, std::string> ReadMyTuner(std::string_view text);
// What of a design lies beyond the tuner's limits, part by part ("L2 28.3 uH is 1.1 % above its
// 28 uH"); empty when it fits.
std::vector<std::string> BeyondLimits(const MyTuner& have, const tuner::NetworkDesign& d);

struct Inputs {
    // The line as the main window holds it: cable, length and unit, the user-defined line, the
    // decimal mark. Its frequency and impedance are the plan's, point by point.
    LineEntries line;
    // The user-defined line's record (list position 32), scaled to each band point as the
    // line's dialog scales it to the frequency typed.
    std::optional<sweep::UserRecord> user;
    Antenna antenna = std::complex<double>(50.0, 0.0);
    std::vector<Band> bands;
    int points = kDefaultPointsPerBand;
    // The tuner window's settings as typed (empty: the window's own), by field.
    std::vector<std::pair<form::TextField TunerWindow::*, std::string>> settings;
    std::optional<MyTuner> have;
};

// ---- the plan ----

// One band point: the antenna and the line there, and every network's design (the comparison's
// rows, best first).
struct Point {
    double f_mhz = 0.0;
    std::string not_measured;  // why nothing is designed here (the file holds no such frequency)
    std::complex<double> antenna, line_input;
    double line_loss_db = 0.0;
    std::vector<TunerWindow::Compared> cells;
    // The least-loss design whose parts can all be bought (an index into cells), if any.
    std::optional<std::size_t> best;
};
// My tuner at one point: its design (the Pi's or Tee's free capacitor chosen inside its range,
// for least loss among the settings that fit), and whether it fits.
struct HaveFit {
    double f_mhz = 0.0;
    std::optional<TunerWindow::Compared> cell;  // none where the point is not measured
    std::vector<std::string> beyond;            // empty: fits
    std::string failure;                        // the design's failure text, when it failed
    bool fits() const { return cell && failure.empty() && beyond.empty(); }
};
struct BandResult {
    Band band;
    std::vector<Point> points;
};

// A network as the plan tells them apart: the high-pass L in each topology is a network of its own.
struct NetworkKey {
    tuner::Network network = tuner::Network::LowPassL;
    std::optional<bool> coil_across_line;
    bool operator==(const NetworkKey&) const = default;
};
NetworkKey KeyOf(const TunerWindow::Compared& c);
std::string KeyName(const NetworkKey& k);  // "Low-pass L", "High-pass L, coil across the line"
std::string KeyId(const NetworkKey& k);    // "lpl", "hpl-a", "hpl-b", "pi", "tee"
std::string KeyShortName(const NetworkKey& k);  // "Low-pass L", "High-pass L, line", "Pi"

// What one element position must cover over the matched points.
struct Range {
    std::string name;  // "L1", "C2"
    tuner::Kind kind = tuner::Kind::L;
    double min = 0.0, max = 0.0;  // µH or pF
    double min_at_mhz = 0.0, max_at_mhz = 0.0;
    double peak_v = 0.0;  // the worst peak voltage across it, volts
    double rms_i = 0.0;   // the worst RMS current through it, amperes
};
struct NetworkSummary {
    NetworkKey key;
    int matched = 0, of = 0;     // points designed, of the points measured
    bool all_buyable = true;     // every matched point's parts within the ranges to buy
    std::vector<Range> ranges;
    double worst_loss_pct = 0.0, worst_at_mhz = 0.0;
    // Per band: how many settings cover it at 2:1 SWR (its width over the 2:1 span at its centre
    // point, rounded up; 1 where the SWR stays below 2:1 across the run).
    std::vector<std::pair<std::string, int>> settings_per_band;
    std::vector<std::pair<double, std::string>> unmatched;  // frequency and the reason
};
struct Recommendation {
    NetworkKey key;
    std::string why;
};
struct Plan {
    std::vector<BandResult> bands;
    std::vector<NetworkSummary> networks;
    std::optional<Recommendation> recommendation;  // none when no network matches every point
    std::vector<HaveFit> have;                      // per band point, when a tuner was given
};

// The line at one band point as the main window would show it with the antenna there (typed as a
// user types it, or a file's impedance as the tuner takes it), with the line and the request the
// tuner designs for; or why nothing is designed there (the file holds no such frequency).
struct PointLine {
    DisplayedLine shown;
    std::complex<double> given;  // the antenna's impedance at the end the line is given at
    TunerWindow::LineContext context;
    TunerWindow::DesignRequest request;
};
std::variant<PointLine, std::string> LineAtPoint(const Inputs& in, double f_mhz);

// The tuner loss of a design as a percentage of the transmitter's power.
double LossPercent(const tuner::NetworkDesign& d);

Plan MakePlan(const Inputs& in);

// ---- feed-line lengths ----

// The plan made again at each length from `from` to `to` (the line's unit) in steps of `step`:
// the recommended network's worst-point loss there, and the band points no network matches.
struct Lengths {
    double from = 0.0, to = 0.0, step = 0.0;
};
// "FROM:TO:STEP", at most kMaxLengths lengths; the text says what is wrong otherwise.
std::variant<Lengths, std::string> ReadLengths(std::string_view text);
inline constexpr int kMaxLengths = 1001;
// A scan's work is its lengths times its band points: at most 201 lengths of a ten-band plan's
// 33 points (a few seconds), so that no command line sets off hours of work.
inline constexpr int kMaxScanPoints = 201 * 33;
int LengthCount(const Lengths& lengths);
// Why a scan of these lengths over the plan's band points is more than a scan designs; empty when
// it is not.
std::string ScanTooLarge(const Inputs& in, const Lengths& lengths);
struct LengthResult {
    double length = 0.0;
    std::optional<Recommendation> recommendation;
    double worst_loss_pct = 0.0;             // the recommended network's, when there is one
    std::vector<double> unmatched_mhz;       // the band points no network matches
};
// Best first: the least worst-point loss, the lengths without a network for every point last.
// `progress` hears the share done after each length and ends the scan when it answers false.
std::vector<LengthResult> ScanLengths(const Inputs& in, const Lengths& lengths,
                                      const std::function<bool(double)>& progress = {});
// The k-th length of a scan (from 0), and a scan's results put best first as ScanLengths does.
double LengthAt(const Lengths& lengths, int k);
void SortBestFirst(std::vector<LengthResult>& scan);

}  // namespace qlx::plan
