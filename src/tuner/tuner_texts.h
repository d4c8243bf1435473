// The texts and numbers a design run takes from the main window's displayed line, and the texts
// it writes on both result pages before any network is designed.
#pragma once

#include <optional>
#include <string>
#include <vector>
#include <string_view>

#include "core/displayed_line.h"
#include "tuner/networks.h"

namespace qlx::tuner {

// What a design run reads of the line.
struct LineReading {
    TunerLoad load;                  // the line input, at the frequency shown
    double rl = 0.0, xl = 0.0;       // the antenna end
    double line_loss_db = 0.0;       // the line's total loss
    std::string input_text;          // the line input as the schematic's right-hand box shows it
};

// At the input the typed texts are the line input. Otherwise the line input is taken from the
// rounded polar display (as the user reads it), with an Ra of exactly 0 raised to 1e-7 so that
// its parallel form exists; the antenna end is then what was typed, and the other way round.
LineReading ReadLine(const DisplayedLine& d);

// "25 - j  10 Ohms" and "25 + j 10 Ohms" from the typed texts, or the computed display + " Ohms".
std::string InputImpedanceText(const DisplayedLine& d);

// "At load:  25+ j  10 ohms =  26.9 ohms, at  21.8 degrees    Load SWR =  2.15"
std::string LoadText(double rl, double xl, std::string_view load_swr_text);

// " 10 pF": the stray capacitance in whole picofarads.
std::string StrayText(double stray_f);

// What a builder must know besides the figures: a note of the design's (another topology
// chosen), each part outside what can be bought (5-5000 pF, 0.1-50 uH), a tuner that loses more
// than a quarter of the power, and a line whose highest RMS voltage at this power is above its
// rating (`line_max_v` and `line_vmax`, volts; a rating of 0 is none).
inline constexpr double kTooLossyPercent = 25.0;
// "C2 = 8,047.0 pF is outside the 5-5000 pF of parts to buy.", for each part outside them.
std::vector<std::string> PartWarnings(const NetworkDesign& d, char mark = '.');
// What to fit for a shunt capacitor whose value includes the stray capacitance: "13.8 pF in all:
// fit 3.8 pF, the 10 pF stray is the rest"; empty for any other part.
std::string FitText(const Element& e, char mark = '.');
// The part to fit beside the stray, in pF, for such a capacitor; nothing for any other part.
std::optional<double> FitPf(const Element& e);
std::vector<std::string> BuilderNotes(const NetworkDesign& d, double power, double line_max_v, double line_vmax,
                                      char mark = '.');
// The line's rating warning alone (empty when the line is within it), for the main window too.
std::string LineRatingText(double line_max_v, double line_vmax, double power, char mark = '.');

// The header of both pages.
struct HeaderTexts {
    std::string freq, cable, length, load;
};
HeaderTexts Header(const DisplayedLine& d, const LineReading& r);

}  // namespace qlx::tuner
