// The model's hot paths: one transform, and one full solution with all its field texts.
#include <benchmark/benchmark.h>

#include "bench/cases.h"
#include "graphs/graph_data.h"

namespace {

void BM_CalcZ(benchmark::State& state) {
    qlx::CalcZInput in = qlx::bench::CalcZCase();
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        qlx::CalcZResult r = qlx::CalcZ(in, qlx::bench::kCalcZLine);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CalcZ);

void BM_SolveLine(benchmark::State& state) {
    qlx::LineEntries e = qlx::bench::SolveLineCase();
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
