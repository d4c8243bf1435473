// The built-in feed-line catalogue. A row is identified by its position in the cable list.
#pragma once

#include <array>
#include <string_view>

namespace qlx {

struct CableSpec {
    std::string_view list_text;  // as shown in the list; begins with one space
    double loss_slope;           // exponent of the frequency in the matched-loss law
    double loss_intercept;       // Atten100 = exp(loss_slope * ln F - loss_intercept)
    float vel_factor;
    float vmax;                  // maximum voltage rating, volts
    float cap_pf;                // capacitance per foot, pF; only used to derive R0
};

inline constexpr int kCatalogueRows = 32;
inline constexpr int kUserDefinedIndex = 32;  // list position of the user-described line
inline constexpr int kListEntries = 33;
inline constexpr std::string_view kUserDefinedText = " User-Defined Transmission Line";

// Rows 0-31 in list order.
const std::array<CableSpec, kCatalogueRows>& Catalogue();

// The text of list position 0-32.
std::string_view ListText(int position);

// Matched-line loss in dB per 100 feet at `freq_mhz` (held in single precision).
float Atten100(const CableSpec& cable, float freq_mhz);

// Real part of the characteristic impedance from capacitance and velocity factor:
// R0 = 1016.65 / (C[pF/ft] * VF), the lossless-line Z0 = 1/(v C) with v = VF * 983.571 Mft/s.
float R0(const CableSpec& cable);

// X0 of a low-loss line from its loss: Z0 = R0 (1 - j alpha/beta), with alpha = Atten100 x
// 0.115129 / 100 nepers per foot and beta = 2 pi / wavelength radians per foot (single precision).
double SuggestedX0(double r0, float atten100, float wave_len);

// A catalogue row's line at a frequency, as the solution derives it.
struct CableAtFrequency {
    float atten100 = 0.0f;  // dB per 100 feet
    float r0 = 0.0f;
    float x0 = 0.0f;        // ohms; Z0 = R0 (1 - j alpha/beta) of a low-loss line
    float wave_len = 0.0f;  // wavelength on the line, feet
};
CableAtFrequency CableAt(const CableSpec& cable, float freq_mhz);

}  // namespace qlx
