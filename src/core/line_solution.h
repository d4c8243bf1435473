// The main window's full line solution: from what the window holds to every result it shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/own_cable.h"

namespace qlx {

// What the main window holds on a first start, before TL.DEF has anything to say: 3.5 MHz,
// 100 feet of RG-8A (list position 3), 50 + j0 ohms at the load. The first TL.DEF is written
// from these too.
inline constexpr std::string_view kFirstFreqText = "3.5";
inline constexpr std::string_view kFirstLengthText = "100.000";
inline constexpr std::string_view kFirstResistanceText = "50";
inline constexpr std::string_view kFirstReactanceText = "0";
inline constexpr std::string_view kFirstCableText = "3";
inline constexpr int kFirstCable = 3;

// The texts of the user-defined line dialog that the solution reads for list position 32.
struct UserLineTexts {
    std::string r0 = "50";
    std::string x0 = "0";
    std::string vel_factor = "0.66";
    std::string vmax = "1000";
};

// Everything the solution reads from the main window.
struct LineEntries {
    std::string freq_text{kFirstFreqText};
    std::string length_text{kFirstLengthText};
    std::string resistance_text{kFirstResistanceText};
    std::string reactance_text{kFirstReactanceText};
    int cable_position = kFirstCable;
    bool unit_meters = false;    // the window's length unit variable is "M"
    bool option_meters = false;  // the Meters option is selected (agrees with unit_meters
                                 // except for a moment inside the unit switch)
    bool at_load = true;         // the impedance is given at the load
    char mark = '.';             // decimal mark of the texts written
    // Position 32 only: the dialog's texts and the loss and wavelength it last stored.
    UserLineTexts user;
    float user_atten100 = 0.0f;  // dB per 100 feet
    float user_wave_len = 0.0f;  // feet
    // A cable of the user's own, listed after the user-defined line (positions from 33 on).
    std::optional<OwnCable> own;
    double pwr_in = 0.0;         // watts; only the graphs use the voltage it gives
    // A sweep's: the frequency and the impedance themselves instead of their texts (the frequency
    // is still a single-precision number, as the window holds it).
    std::optional<float> freq;
    std::optional<double> ra, xa;
};

// The line variables of the window after a solution.
struct LineValues {
    float freq = 0.0f;
    float r0 = 0.0f;
    float x0 = 0.0f;
    float atten100 = 0.0f;
    float vel_factor = 0.0f;
    float vmax = 0.0f;
    float wave_len = 0.0f;
    float rin = 0.0f;  // impedance at the computed end
    float xin = 0.0f;
    double swr_in = 0.0;   // at the computed end
    double swr_out = 0.0;  // at the given end
    double tot_loss = 0.0;
    double rho_out = 0.0;
    double matched_loss = 0.0;  // dB of the whole line, as read back from its text
};

struct LineSolution {
    LineValues values;
    // Result fields, as the window shows them.
    std::string ml_per;        // txtMLPer
    std::string z0;            // txtZ0
    std::string vel_factor;    // txtVF
    std::string voltage;       // txtVoltage
    std::string ml_tot;        // txtMLTot
    std::string wavelen;       // txtWavelen
    std::string load_swr;      // txtLoadSWR
    std::string input_swr;     // txtInputSWR
    bool load_swr_red = false;   // else blue
    bool input_swr_red = false;  // else blue
    std::string rho_caption;   // lblRho
    std::string rho;           // txtRho
    std::string add_loss;      // txtAddLoss
    std::string total_loss;    // txtTotalLoss
    std::string imped_in;      // txtImpedIn
    bool imped_in_red = false;   // else blue
    std::string polar_z;       // txtPolarZ
    std::string polar_degree;  // txtPolarDegree
    bool hide_warning = false;   // catalogue rows hide the user-defined line's warning
};

// Why an SWR reads negative: the formula (1 + |rho|) / (1 - |rho|) is kept as printed tables use
// it, and a reflection coefficient above 1 makes it negative.
inline constexpr const char* kNegativeSwrReason =
    "Negative SWR: the reflection coefficient is above 1. The load has a negative resistance, or is "
    "close to a pure reactance on a line whose Z0 is complex (its small reactance lets |rho| pass 1).";

// The cable list's entry the entries name: a catalogue row, the user-defined line or an own cable.
std::string CableListText(const LineEntries& entries);

// Runs the solution. A frequency of 0 or below, a velocity factor or wavelength of 0 on the
// user-defined line, or any entry that leaves no finite line constants gives no solution: the
// window then keeps the results it shows.
std::optional<LineSolution> SolveLine(const LineEntries& entries);

// The same solution's numbers without the texts of the fields (for a sweep of many points): the
// values are those SolveLine gives, the rounded losses read back included.
std::optional<LineValues> SolveLineValues(const LineEntries& entries);

// The user-defined line at a frequency, as its dialog and the sweep both take it: the loss
// stored per 100 feet at `at_mhz`, scaled with the square root of the frequency (a stored
// frequency of 0 has no scale: the loss is taken as stored), and the wavelength in feet from the
// velocity factor and the frequency as typed.
double ScaledUserLoss(double atten100, float at_mhz, float f_mhz);
float UserWaveLength(double vel_factor, double f_typed_mhz);

}  // namespace qlx
