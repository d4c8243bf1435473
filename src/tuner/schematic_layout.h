// Where the tuner schematics draw their elements, and where the result pages lay the value boxes
// over them. The bitmap generator, the desktop's page view and the browser page all take their
// coordinates from here, so a value always sits beside the element it belongs to. Pixels of the
// bitmap; no toolkit needed.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "tuner/networks.h"

namespace qlx::tuner::schematic {

inline constexpr int kWidth = 660;
inline constexpr int kHeight = 200;
inline constexpr int kRailY = 56;     // the signal rail
inline constexpr int kGroundY = 160;  // the ground rail
inline constexpr int kTxX = 30;       // "TX" terminal
inline constexpr int kLineX = 630;    // "To line" terminal
inline constexpr std::array<int, 3> kSlotX{170, 320, 470};  // left, middle and right element
inline constexpr int kStrayX = 560;   // the stray capacitance across the line input, where drawn

enum class Part { None, SeriesC, SeriesL, ShuntC, ShuntL, StrayC };

struct Layout {
    Schematic schematic;
    std::array<Part, 3> places;  // what stands at the left, middle and right place
    // The stray capacitance drawn beyond the right element: the Tee's, and the one a capacitor
    // across the line input is designed with (its value box then shows what to fit beside it).
    bool stray_at_output;
};

inline constexpr std::array<Layout, 6> kLayouts{{
    {Schematic::LowPassLLoadShunt, {Part::None, Part::SeriesL, Part::ShuntC}, true},
    {Schematic::LowPassLInputShunt, {Part::ShuntC, Part::SeriesL, Part::StrayC}, false},
    {Schematic::HighPassLA, {Part::None, Part::SeriesC, Part::ShuntL}, false},
    {Schematic::HighPassLB, {Part::ShuntL, Part::SeriesC, Part::StrayC}, false},
    {Schematic::Pi, {Part::ShuntC, Part::SeriesL, Part::ShuntC}, true},
    {Schematic::Tee, {Part::SeriesC, Part::ShuntL, Part::SeriesC}, true},
}};

struct Box {
    int x, y, w, h;
};

inline constexpr bool IsSeries(Part p) { return p == Part::SeriesC || p == Part::SeriesL; }

// A series element's value stands above it; a shunt element's to its right, half-way down.
inline constexpr Box ValueBox(int x, Part p) {
    return IsSeries(p) ? Box{x - 48, kRailY - 44, 96, 22} : Box{x + 24, (kRailY + kGroundY) / 2 - 11, 88, 22};
}
// A shunt element with the stray drawn beyond it has its value on its left, clear of the stray.
inline constexpr Box ValueBoxLeftOf(int x) { return Box{x - 24 - 88, (kRailY + kGroundY) / 2 - 11, 88, 22}; }
inline constexpr Box kInputRBox{4, kGroundY + 10, 120, 22};
inline constexpr Box kLoadZBox{kWidth - 4 - 200, kGroundY + 10, 200, 22};
// The stray capacitance: a short text (" 10 pF") in the room left before the right edge.
inline constexpr Box kStrayBox{kStrayX + 24, ValueBox(kStrayX, Part::StrayC).y, kWidth - kStrayX - 28, 22};
inline constexpr int kGroundSymbolX = (kSlotX[0] + kSlotX[1]) / 2;  // clear of every element

// The left, middle and right value boxes of the schematic drawn in `file` ("Form3PiNet.bmp"); an
// empty place keeps a shunt element's box. Nothing for a file that is no schematic.
inline std::optional<std::array<Box, 3>> ValueBoxesFor(std::string_view file) {
    for (const Layout& layout : kLayouts) {
        if (file != SchematicFile(layout.schematic)) continue;
        std::array<Box, 3> boxes{};
        for (std::size_t k = 0; k < 3; ++k)
            boxes[k] = ValueBox(kSlotX[k], layout.places[k] == Part::None ? Part::ShuntC : layout.places[k]);
        if (layout.stray_at_output && !IsSeries(layout.places[2])) boxes[2] = ValueBoxLeftOf(kSlotX[2]);
        return boxes;
    }
    return std::nullopt;
}

// Whether the schematic draws the stray capacitance beyond its right element.
inline constexpr bool StrayDrawnAtOutput(Schematic s) {
    for (const Layout& layout : kLayouts)
        if (layout.schematic == s) return layout.stray_at_output;
    return false;
}

}  // namespace qlx::tuner::schematic
