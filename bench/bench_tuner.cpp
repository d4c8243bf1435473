// One tuner design run as "&Draw Tuner" makes it: the settings read and checked, the line read
// from the main window's texts, the network searched, every text of the result page written, and
// the band run of 401 points that the page's swept line comes from.
#include <benchmark/benchmark.h>

#include "form/silent_host.h"
#include "tuner/tuner_window.h"

namespace {

// The line input typed at the input end.
qlx::DisplayedLine AtInput(const char* r, const char* x, const char* freq) {
    qlx::DisplayedLine d;
    d.freq_text = freq;
    d.length_text = "100.000";
    d.cable_text = " RG-213 (Belden 8267)";
    d.at_load = false;
    d.resistance_text = r;
    d.reactance_text = x;
    d.polar_z_text = "223.61";
    d.polar_degree_text = "-26.57";
    d.load_swr_text = "5.03";
    d.total_loss_text = "1.703";
    return d;
}

// The same line as the band run solves it: 100 feet of RG-213.
qlx::TunerWindow::LineContext Context() {
    qlx::TunerWindow::LineContext c;
    c.line.entries.cable_position = 17;
    c.line.entries.length_text = "100.000";
    return c;
}

void Run(benchmark::State& state, const qlx::DisplayedLine& line,
         qlx::form::Option qlx::TunerWindow::*network = &qlx::TunerWindow::optLNet2) {
    qlx::form::SilentHost host;
    qlx::TunerWindow tuner(host);
    (tuner.*network).Select();
    const qlx::TunerWindow::LineContext context = Context();
    for (auto _ : state) {
        tuner.DrawTuner(line, context);
        benchmark::DoNotOptimize(tuner.last_result());
    }
}

// RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load: 17.53 - j23.78 ohms at the input.
void BM_LowPassL_Typical(benchmark::State& state) { Run(state, AtInput("17.53", "-23.78", "14.0")); }
BENCHMARK(BM_LowPassL_Typical);

void BM_LowPassL_LoadSide(benchmark::State& state) { Run(state, AtInput("200", "0", "3.5")); }
BENCHMARK(BM_LowPassL_LoadSide);

void BM_HighPassL_Typical(benchmark::State& state) {
    Run(state, AtInput("200", "0", "3.5"), &qlx::TunerWindow::optLNet1);
}
BENCHMARK(BM_HighPassL_Typical);

void BM_Pi_Typical(benchmark::State& state) { Run(state, AtInput("200", "0", "3.5"), &qlx::TunerWindow::optPiNet); }
BENCHMARK(BM_Pi_Typical);

void BM_Tee_Typical(benchmark::State& state) { Run(state, AtInput("20", "0", "14.0"), &qlx::TunerWindow::optTeeNet); }
BENCHMARK(BM_Tee_Typical);

// The slowest load found: the coil's loss alone keeps Rin above 50 ohms, and the one-ohm steps
// run to their bound of a million before "No match found".
void BM_LowPassL_BoundedSearch(benchmark::State& state) { Run(state, AtInput("50.03", "-1428.22", "32.364")); }
BENCHMARK(BM_LowPassL_BoundedSearch)->Unit(benchmark::kMillisecond);

// The builder's comparison: all four networks (the high-pass L in its topologies) designed for
// RG-213, 14 MHz, 100 feet, 200 - j100 ohms, each with its band run of 401 points.
void BM_CompareAllWithBandRuns(benchmark::State& state) {
    qlx::form::SilentHost host;
    qlx::TunerWindow tuner(host);
    qlx::DisplayedLine line = AtInput("17.53", "-23.78", "14.0");
    line.at_load = true;
    line.resistance_text = "200";
    line.reactance_text = "-100";
    line.polar_z_text = "29.55";
    line.polar_degree_text = "-53.60";
    const qlx::TunerWindow::LineContext context = Context();
    for (auto _ : state) benchmark::DoNotOptimize(tuner.Compare(line, context));
}
BENCHMARK(BM_CompareAllWithBandRuns)->Unit(benchmark::kMillisecond);

// The Pi with its output capacitor chosen for least loss (auto), the same line input.
void BM_PiAutoCapacitor(benchmark::State& state) {
    const qlx::tuner::TunerLoad load = qlx::tuner::MakeTunerLoad(17.53, -23.78, 14.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(qlx::tuner::DesignWithBestCapacitor(qlx::tuner::Network::Pi, load, {}));
}
BENCHMARK(BM_PiAutoCapacitor)->Unit(benchmark::kMillisecond);

void BM_TeeAutoCapacitor(benchmark::State& state) {
    const qlx::tuner::TunerLoad load = qlx::tuner::MakeTunerLoad(17.53, -23.78, 14.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(qlx::tuner::DesignWithBestCapacitor(qlx::tuner::Network::Tee, load, {}));
}
BENCHMARK(BM_TeeAutoCapacitor)->Unit(benchmark::kMillisecond);

}  // namespace
