// The result block every network writes on its page: bandwidths, tuner and line loss, the
// component table and the voltages at both sides of the network.
#pragma once

#include <string>
#include <vector>

#include "tuner/networks.h"

namespace qlx::tuner {

// Where the Tee network's block differs from the others'.
struct ReportStyle {
    bool na_without_power_left = false;  // "N/A" for the loss in dB when almost no power is left
    const char* percent_picture = "#0.0";
};

struct ReportColumn {
    std::string name, q, react, peak_v, curr, diss;
};

struct Report {
    std::string swr_line, power_lost, xmsn_loss;
    std::string pwr1;                   // "At 1500 W:"
    std::vector<ReportColumn> columns;  // one per element, from the transmitter
    std::string v2, v4;                 // "273.86 V at 0.00 deg."
};

// The 1.5:1 and 2:1 bandwidth line for a loaded Q at f0 MHz.
std::string BandwidthText(double qeff, double f0, char mark);

Report NetworkReport(const NetworkDesign& d, double power, double line_loss_db, double phase, char mark,
                     const ReportStyle& style = {});

}  // namespace qlx::tuner
