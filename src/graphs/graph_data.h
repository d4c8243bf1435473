// Voltage, current, resistance and reactance at 201 points along the line, from the
// transmitter end to the load end.
#pragma once

#include <array>
#include <string>

#include "core/calcz.h"
#include "core/displayed_line.h"

namespace qlx {

inline constexpr int kGraphPoints = 201;

// What a graph run reads: the main window's texts, and beside them the tuner window's power and
// the line's unrounded constants.
struct GraphInputs : DisplayedLine {
    std::string tx_power_text = "1500";  // frmTuner.txtTxPwr
    std::string mhz_caption = "MHz";
    bool volt_curr = true;  // voltage and current, else resistance and reactance
    float atten100 = 0.0f;  // unrounded, dB per 100 feet
    LineConstants line;
};

struct GraphResult {
    float pwr_in = 0.0f;
    float blen = 0.0f;  // feet; 0.000001 for a line of no length
    std::array<double, kGraphPoints> pos{}, v{}, i{}, r{}, x{};
    double max_v = 0.0, max_i = 0.0;
    float rin = 0.0f, xin = 0.0f;  // the last transform's computed end: the line input
    // Texts of the graph window.
    std::string power, cable_type, freq, total_loss, z_load, max_v_text, max_i_text, caption;
    std::string bottom_title, left_title, right_title;
    double bottom_max = 0.0;
};

// The 201 points as CSV: the header "pos,V,I,R,X", then one row a point from the transmitter end,
// each number the shortest text that reads back to the same double. qlx-cli and the graph
// window's export write the same file.
std::string GraphCsv(const GraphResult& g);

// The graph run. With no power (0 W or less) voltage and current are 0 everywhere; the
// resistance and reactance, which do not depend on the power, are still drawn.
GraphResult ComputeGraph(const GraphInputs& in);

}  // namespace qlx
