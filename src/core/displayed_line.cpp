#include "core/displayed_line.h"

#include <cmath>

namespace qlx {

SeriesForm TypedImpedance(const DisplayedLine& d) {
    return {ParseNumber(d.resistance_text), ParseNumber(d.reactance_text)};
}

SeriesForm DisplayedOtherEnd(const DisplayedLine& d) {
    const double mag = ParseNumber(d.polar_z_text);
    const double theta = ParseNumber(d.polar_degree_text) / kDegPerRad;
    return {mag * std::cos(theta), mag * std::sin(theta)};
}

}  // namespace qlx
