// Entry rules that more than one window or command applies to what the user types.
#pragma once

namespace qlx {

// The frequency a line can be solved at: 20 kHz to 5000 MHz.
inline constexpr double kMinFreqMHz = 0.02;
inline constexpr double kMaxFreqMHz = 5000.0;
inline constexpr const char* kBadFrequencyTitle = "Bad Frequency!";
inline constexpr const char* kBadFrequencyText = "Enter frequency more than 20 kHz, less than 5000 MHz";

inline bool FrequencyAccepted(double mhz) { return !(mhz < kMinFreqMHz || mhz > kMaxFreqMHz); }

}  // namespace qlx
