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

// A line's length, in feet or meters as shown: up to 9999 of them. A longer or negative one is
// refused and 9999 put in its place.
inline constexpr double kMaxLength = 9999.0;
inline constexpr const char* kBadLengthTitle = "Bad Length!";
inline constexpr const char* kBadLengthText = "Length should be < 9999";
inline constexpr const char* kBadLengthReplacement = "9999";
inline bool LengthAccepted(double length) { return !(length > kMaxLength || length < 0.0); }

// The transmitter power the tuner window takes: above 0 W, up to 5 MW ("Up to 5 MW", its tip).
inline constexpr double kMaxPowerW = 5e6;
inline bool PowerAccepted(double watts) { return watts > 0.0 && watts <= kMaxPowerW; }

// The reference resistance where none is given: an analyser's, a Touchstone file's without "R",
// the Smith chart's and the sweep's default.
inline constexpr double kReferenceOhms = 50.0;

}  // namespace qlx
