// The tuner's matching networks, computed without any window: each design takes the impedance at
// the line input and the tuner settings, and finds lossy L and C elements that present the tuner
// resistance to the transmitter. What a design reports here is what qlx-cli prints as "design".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qlx::tuner {

enum class Network { HighPassL, LowPassL, Pi, Tee };

// The two result pages: the L and Pi networks show on the first, the Tee on the second.
enum class Page { Tuner1, Tuner2 };

// One picture per network and topology, drawn so that the page's value boxes sit at its elements.
enum class Schematic { LowPassLLoadShunt, LowPassLInputShunt, HighPassLA, HighPassLB, Pi, Tee };
std::string_view SchematicFile(Schematic s);  // the bare file name, "Form1Network5.bmp"

// The settings a design takes from the set-up window, already checked.
struct TunerSettings {
    double z0 = 50.0;         // the resistance the transmitter is to see, ohms
    double phase = 0.0;       // the wanted phase at the network's output, degrees
    double stray_f = 10e-12;  // stray output capacitance, farads
    double power = 1500.0;    // transmitter power, watts
    double qc = 1000.0;       // unloaded Q of the capacitors
    double qu = 200.0;        // unloaded Q of the coils
    double pi_cap_pf = 500.0;
    double tee_cap_pf = 100.0;
};
// The set-up window's first values and what a refused Q or capacitor is put back to.
inline constexpr TunerSettings kDefaultSettings{};
// The smallest unloaded Q a design accepts.
inline constexpr double kMinimumQ = 15.0;

// The tuner's load: the impedance at the line input, series and parallel forms, at F0 MHz.
struct TunerLoad {
    double ra = 50.0, xa = 0.0;
    double rp = 50.0, xp = 1e7;
    double f0 = 3.5;
};

// The parallel form a design works with: an Xa of exactly 0 is an open circuit (1e7 ohms).
TunerLoad MakeTunerLoad(double ra, double xa, double f0);

enum class Kind { L, C };
enum class Connection { Series, Shunt };

struct Element {
    std::string name;  // "L1", "C2": counted from the transmitter
    Kind kind = Kind::L;
    Connection connection = Connection::Series;
    double x = 0.0;      // reactance, ohms (capacitors negative)
    double value = 0.0;  // microhenries or picofarads
    double q = 0.0;      // unloaded Q
    double v_rms = 0.0;  // RMS voltage across it, volts
    double i_rms = 0.0;  // RMS current through it, amperes
    double p_diss = 0.0; // power it dissipates, watts
    // A shunt capacitor across the line input is designed as all the capacitance there: the
    // stray capacitance (pF) is part of its value, and the builder fits value - stray_pf.
    double stray_pf = 0.0;
};

struct NetworkDesign {
    Network network = Network::LowPassL;
    Schematic schematic = Schematic::LowPassLLoadShunt;
    Page page = Page::Tuner1;
    double f0 = 0.0, z0 = 0.0, ra = 0.0, xa = 0.0;
    double stray_f = 0.0;  // the stray capacitance the design includes; 0 where it has none
    std::vector<Element> elements;  // from the transmitter to the line input
    double qeff = 0.0;              // loaded Q, for the bandwidths
    double ploss = 0.0;             // watts lost in all elements
    double loss_percent = 0.0;      // 100 Ploss / P
    double vin = 0.0, vin_angle = 0.0;  // RMS volts at the transmitter side, degrees
    double vout = 0.0;                  // RMS volts at the line input
    double fixed_pf = 0.0;              // the Pi's output or the Tee's series capacitor, as used
    std::string note;                   // what the page says besides the figures (another topology chosen)
};

struct DesignFailure {
    std::string title;  // the network's message title
    std::string text;
    bool hide_page = false;  // a page left from an earlier design is taken away
    Page page = Page::Tuner1;
    // Refused before any element was designed: the settings, or a load the network cannot
    // take at all (the Pi's feasibility check, after which its capacitor row is not shown).
    bool before_design = false;
};

using DesignResult = std::variant<NetworkDesign, DesignFailure>;

// The message titles of the networks' failures.
std::string_view NetworkTitle(Network n);

// Failures that are not the networks' own: a search that reaches its bound, and an arithmetic
// fault (a square root of a negative number, a division by zero, a loss of all the power).
inline constexpr const char* kNoMatchText = "No match found -- try another network.";
inline constexpr const char* kNoPowerText =
    "Enter a transmitter power above 0 W (up to 5 MW) in \"Transmitter Power, W:\".";
inline constexpr const char* kNoResistanceText =
    "Enter a tuner input resistance above 0 ohms in \"Tuner's Input Resistance:\".";
inline constexpr const char* kAllPowerLostText =
    "The tuner would lose all of the transmitter power -- raise the components' Q or try another network.";
inline constexpr const char* kNoLoadResistanceText =
    "The line input has no resistance (R = 0 ohms or less): no power can reach the load, so no tuner can match it.";
inline constexpr const char* kFaultText =
    "This load cannot be matched with these settings (the design does not compute) -- try another network.";

// The parts a builder can buy: capacitors of 5-5000 pF, coils of 0.1-50 uH. A design with a part
// outside them is still drawn, with a warning, but ranks after every design within them.
inline constexpr double kSmallestPf = 5.0, kLargestPf = 5000.0, kSmallestUh = 0.1, kLargestUh = 50.0;
// No capacitor above this is a tuner part at all: a design that needs one is a failure.
inline constexpr double kLargestDesignPf = 99999.0;
bool Buyable(const Element& e);
bool AllPartsBuyable(const NetworkDesign& d);

// Designs the network. Searches are bounded, and every number of a design is finite. Every design
// is a set of real parts: each element of the kind drawn with a positive value, no capacitor above
// kLargestDesignPf, and a shunt capacitor that includes the stray capacitance larger than it.
DesignResult Design(Network n, const TunerLoad& load, const TunerSettings& settings);
// The Pi or Tee with its fixed capacitor (the Pi's output, the Tee's series one) chosen between
// 5 and 5000 pF to lose least for this load, among the values whose every part can be bought
// (the least-loss match when none can); the design's fixed_pf holds the value. Another network
// is designed as Design() designs it.
inline constexpr double kAutoSmallestPf = kSmallestPf, kAutoLargestPf = kLargestPf;
// Where the free capacitor is looked for, and which designs count: by default the catalogue's
// range and AllPartsBuyable; a tuner the user owns gives its own range and its own test.
struct CapacitorSearch {
    double lo_pf = kAutoSmallestPf, hi_pf = kAutoLargestPf;
    std::function<bool(const NetworkDesign&)> counts;  // empty: AllPartsBuyable
};
DesignResult DesignWithBestCapacitor(Network n, const TunerLoad& load, const TunerSettings& settings,
                                     const CapacitorSearch& search = {});
// The high-pass L's topologies a line input allows: the coil across the line input (A) where its
// parallel resistance is above the tuner resistance, across the transmitter side (B) where its
// series resistance is below it. The network, the comparison and the window all ask here.
struct HighPassLTopologyChoice {
    bool coil_across_line = false, coil_across_transmitter = false;
};
HighPassLTopologyChoice HighPassLTopologies(const TunerLoad& load, double z0);
// The high-pass L in one topology: the coil across the line input (A) or across the transmitter
// side (B), whichever the load would choose.
DesignResult DesignHighPassL(const TunerLoad& load, const TunerSettings& settings, bool coil_across_line);

// R + jX with the stray capacitance c (farads; 0 counts as 1e-14) across it, at f0 MHz.
struct Impedance {
    double r, x;
};
Impedance AddStrayC(double c, double f0, double pi, double r, double x);

// The 1.5:1 and 2:1 SWR bandwidths of a network of loaded Q qeff, in percent of its frequency.
struct Bandwidths {
    double pbw15, pbw20;
};
Bandwidths CalcPBW(double qeff);

// Element values at f0 MHz from a reactance, with the single-precision 2 pi and -1e6 the
// designs use.
double MicroHenries(double x, double f0);
double PicoFarads(double x, double f0);

}  // namespace qlx::tuner
