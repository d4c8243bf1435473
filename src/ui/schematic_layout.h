// Where the tuner schematics draw their elements, and where the result pages lay the value boxes
// over them. The bitmap generator and the page view both take their coordinates from here, so a
// value always sits beside the element it belongs to. Pixels of the bitmap; no toolkit needed.
#pragma once

#include <array>

#include "tuner/networks.h"

namespace qlx::ui::schematic {

inline constexpr int kWidth = 660;
inline constexpr int kHeight = 200;
inline constexpr int kRailY = 56;     // the signal rail
inline constexpr int kGroundY = 160;  // the ground rail
inline constexpr int kTxX = 30;       // "TX" terminal
inline constexpr int kLineX = 630;    // "To line" terminal
inline constexpr std::array<int, 3> kSlotX{170, 320, 470};  // left, middle and right element
inline constexpr int kStrayX = 560;   // the Tee's stray capacitance across its output

enum class Part { None, SeriesC, SeriesL, ShuntC, ShuntL, StrayC };

struct Layout {
    tuner::Schematic schematic;
    std::array<Part, 3> places;  // what stands at the left, middle and right place
    bool stray_at_output;       // a stray capacitance beyond the right element (the Tee)
};

inline constexpr std::array<Layout, 6> kLayouts{{
    {tuner::Schematic::LowPassLLoadShunt, {Part::None, Part::SeriesL, Part::ShuntC}, false},
    {tuner::Schematic::LowPassLInputShunt, {Part::ShuntC, Part::SeriesL, Part::StrayC}, false},
    {tuner::Schematic::HighPassLA, {Part::None, Part::SeriesC, Part::ShuntL}, false},
    {tuner::Schematic::HighPassLB, {Part::ShuntL, Part::SeriesC, Part::StrayC}, false},
    {tuner::Schematic::Pi, {Part::ShuntC, Part::SeriesL, Part::ShuntC}, false},
    {tuner::Schematic::Tee, {Part::SeriesC, Part::ShuntL, Part::SeriesC}, true},
}};

struct Box {
    int x, y, w, h;
};

inline constexpr bool IsSeries(Part p) { return p == Part::SeriesC || p == Part::SeriesL; }

// A series element's value stands above it; a shunt element's to its right, half-way down.
inline constexpr Box ValueBox(int x, Part p) {
    return IsSeries(p) ? Box{x - 48, kRailY - 44, 96, 22} : Box{x + 24, (kRailY + kGroundY) / 2 - 11, 88, 22};
}
inline constexpr Box kInputRBox{4, kGroundY + 10, 120, 22};
inline constexpr Box kLoadZBox{kWidth - 4 - 200, kGroundY + 10, 200, 22};
// The Tee's stray capacitance: a short text (" 10 pF") in the room left before the right edge.
inline constexpr Box kStrayBox{kStrayX + 24, ValueBox(kStrayX, Part::StrayC).y, kWidth - kStrayX - 28, 22};
inline constexpr int kGroundSymbolX = (kSlotX[0] + kSlotX[1]) / 2;  // clear of every element

}  // namespace qlx::ui::schematic
