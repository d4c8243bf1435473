// The line across a band: a 10,001-point sweep without drawing, and reading a 10,001-point
// Touchstone file.
#include <benchmark/benchmark.h>

#include <complex>
#include <string>
#include <vector>

#include "sweep/sweep.h"
#include "sweep/touchstone.h"

namespace {

qlx::sweep::SweepLine Rg213() {
    qlx::sweep::SweepLine line;
    line.entries.cable_position = 17;  // RG-213, 100 feet, the impedance at the load
    line.entries.length_text = "100";
    return line;
}

void BM_Sweep10001(benchmark::State& state) {
    const auto line = Rg213();
    const auto f = qlx::sweep::Frequencies(1.8, 30.0, 10'001, false);
    const std::vector<std::complex<double>> z{{200.0, -100.0}};
    for (auto _ : state) {
        auto points = qlx::sweep::Sweep(line, f, z);
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(BM_Sweep10001)->Unit(benchmark::kMillisecond);

void BM_ReadTouchstone10001(benchmark::State& state) {
    std::vector<double> f = qlx::sweep::Frequencies(1.8, 30.0, 10'001, false);
    std::vector<std::complex<double>> z;
    for (int k = 0; k < static_cast<int>(f.size()); ++k) z.emplace_back(50.0 + k % 97, -30.0 + k % 53);
    const std::string file = qlx::sweep::WriteTouchstone(f, z, 50.0, "benchmark");
    for (auto _ : state) {
        auto data = qlx::sweep::ReadTouchstone(file);
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_ReadTouchstone10001)->Unit(benchmark::kMillisecond);

}  // namespace
