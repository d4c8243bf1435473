#include "core/displayed_line.h"

#include <cmath>

#include "core/cables.h"

namespace qlx {

DisplayedLine ShownLine(const LineEntries& e, const LineSolution& s) {
    DisplayedLine d;
    d.freq_text = e.freq_text;
    d.length_text = e.length_text;
    d.meters = e.option_meters;
    d.cable_text = CableListText(e);
    d.at_load = e.at_load;
    d.resistance_text = e.resistance_text;
    d.reactance_text = e.reactance_text;
    d.polar_z_text = s.polar_z;
    d.polar_degree_text = s.polar_degree;
    d.imped_in_text = s.imped_in;
    d.load_swr_text = s.load_swr;
    d.load_swr_red = s.load_swr_red;
    d.total_loss_text = s.total_loss;
    d.mark = e.mark;
    return d;
}

SeriesForm TypedImpedance(const DisplayedLine& d) {
    return {ParseNumber(d.resistance_text), ParseNumber(d.reactance_text)};
}

SeriesForm DisplayedOtherEnd(const DisplayedLine& d) {
    const double mag = ParseNumber(d.polar_z_text);
    const double theta = ParseNumber(d.polar_degree_text) / kDegPerRad;
    return {mag * std::cos(theta), mag * std::sin(theta)};
}

}  // namespace qlx
