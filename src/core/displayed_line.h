// The main window's texts as the user sees them: what the graphs and the tuner's design run read
// of the line. They work from the displayed, rounded numbers, as a user copying them would.
#pragma once

#include <string>

#include "core/line_solution.h"
#include "core/numbers.h"

namespace qlx {

struct DisplayedLine {
    std::string freq_text;    // txtFreq
    std::string length_text;  // txtLength, in the display unit
    bool meters = false;      // optMeters
    std::string cable_text;   // the cable list's shown entry
    bool at_load = true;      // optLoad: the impedance was typed for the load end
    std::string resistance_text, reactance_text;  // the impedance as typed
    std::string polar_z_text, polar_degree_text;  // the computed end's polar display
    std::string imped_in_text;                    // the computed end's rectangular display
    std::string load_swr_text;                    // txtLoadSWR
    bool load_swr_red = false;                    // shown in red: no SWR (the line cannot give that load)
    std::string total_loss_text;                  // txtTotalLoss
    char mark = '.';                              // the user's decimal mark
};

// The impedance typed, and the one at the computed end as its polar display reads (rounded as
// the user sees it): R = |Z| cos(theta / k), X = |Z| sin(theta / k) with k = 180/pi in single
// precision.
// The window's texts for entries and their solution, as the window shows them after typing them.
DisplayedLine ShownLine(const LineEntries& e, const LineSolution& s);

SeriesForm TypedImpedance(const DisplayedLine& d);
SeriesForm DisplayedOtherEnd(const DisplayedLine& d);

}  // namespace qlx
