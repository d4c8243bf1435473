// Entry rules that more than one window or command applies to what the user types.
#pragma once

namespace qlx {

// The frequency a line can be solved at: 20 kHz to 5000 MHz.
inline constexpr double kMinFreqMHz = 0.02;
inline constexpr double kMaxFreqMHz = 5000.0;
inline constexpr const char* kBadFrequencyTitle = "Bad Frequency!";
inline constexpr const char* kBadFrequencyText = "Enter frequency more than 20 kHz, less than 5000 MHz";

// A frequency left as typed is shown with one to three decimals.
inline constexpr const char* kFrequencyPicture = "###0.0##";

inline bool FrequencyAccepted(double mhz) { return !(mhz < kMinFreqMHz || mhz > kMaxFreqMHz); }

// An impedance the line solution can carry: larger resistances or reactances would overflow the
// single-precision impedance at the other end, and no load of such size exists.
inline constexpr double kMaxImpedanceOhms = 1e30;
inline constexpr const char* kBadImpedanceTitle = "Bad Impedance!";
inline constexpr const char* kBadImpedanceText = "Enter resistance and reactance below 1E+30 ohms";

inline bool ImpedanceAccepted(double ohms) { return !(ohms > kMaxImpedanceOhms || ohms < -kMaxImpedanceOhms); }

}  // namespace qlx
