// The model's hot paths: one transform, and one full solution with all its field texts.
#include <benchmark/benchmark.h>

#include "core/calcz.h"
#include "core/line_solution.h"
#include "graphs/graph_data.h"

namespace {

void BM_CalcZ(benchmark::State& state) {
    const qlx::LineConstants line{52.216f, -0.3643f, 64.916f};
    qlx::CalcZInput in{0.587, 100.0, 0.0, 200.0, -100.0, false, 100.0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        qlx::CalcZResult r = qlx::CalcZ(in, line);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CalcZ);

void BM_SolveLine(benchmark::State& state) {
    qlx::LineEntries e;
    e.freq_text = "14.2";
    e.length_text = "123.4";
    e.resistance_text = "200";
    e.reactance_text = "-100";
    e.cable_position = 17;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e);
        auto s = qlx::SolveLine(e);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SolveLine);

void BM_ComputeGraph(benchmark::State& state) {
    // RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load, 1500 W: 201 points and all texts.
    qlx::GraphInputs in;
    in.length_text = "100";
    in.resistance_text = "200";
    in.reactance_text = "-100";
    in.load_swr_text = "5.03";
    in.total_loss_text = "1.703";
    in.freq_text = "14";
    in.cable_text = " RG-213 (Belden 8267)";
    in.atten100 = 0.7799554f;
    in.line = {50.0123f, -0.3314157f, 46.36835f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        qlx::GraphResult g = qlx::ComputeGraph(in);
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_ComputeGraph);

}  // namespace
