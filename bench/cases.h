// The cases the benchmarks and the portable timing program measure alike, so that their figures
// can be set side by side.
#pragma once

#include "core/calcz.h"
#include "core/line_solution.h"

namespace qlx::bench {

// RG-8A at 10 MHz: 0.587 dB over 100 feet into 200 - j100 ohms.
inline const LineConstants kCalcZLine{52.216f, -0.3643f, 64.916f};
inline CalcZInput CalcZCase() { return {0.587, 100.0, 0.0, 200.0, -100.0, false, 100.0}; }

// RG-213 at 14.2 MHz, 123.4 feet, 200 - j100 ohms at the load.
inline LineEntries SolveLineCase() {
    LineEntries e;
    e.freq_text = "14.2";
    e.length_text = "123.4";
    e.resistance_text = "200";
    e.reactance_text = "-100";
    e.cable_position = 17;
    return e;
}

}  // namespace qlx::bench
