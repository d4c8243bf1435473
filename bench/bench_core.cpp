// The model's hot paths: one transform, and one full solution with all its field texts.
#include <benchmark/benchmark.h>

#include "core/calcz.h"
#include "core/line_solution.h"

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

}  // namespace
