// The line across a band: a 10,001-point sweep without drawing, reading a 10,001-point
// Touchstone file, and a cable measured from a 10,001-point open and shorted pair.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "sweep/cable_measure.h"
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

// 10 m of a 50-ohm line (VF 0.66, 0.78 dB/100 ft at 14 MHz growing as the root of f), open and
// shorted, 1 to 30 MHz: both files read and the cable measured, as qlx-cli cable measure does.
void BM_CableMeasure10001(benchmark::State& state) {
    const std::vector<double> f = qlx::sweep::Frequencies(1.0, 30.0, 10'001, false);
    std::vector<std::complex<double>> open, shorted;
    const std::complex<double> z0(50.0, -0.3);
    for (const double mhz : f) {
        const double alpha = 0.78 * std::sqrt(mhz / 14.0) / 8.685889638 * 32.808399 / 100.0;
        const double beta = 2.0 * std::numbers::pi * mhz * 10.0 / (0.66 * 299.792458);
        const std::complex<double> t = std::tanh(std::complex<double>(alpha, beta));
        open.push_back(z0 / t);
        shorted.push_back(z0 * t);
    }
    const std::string open_file = qlx::sweep::WriteTouchstone(f, open, 50.0, "open");
    const std::string short_file = qlx::sweep::WriteTouchstone(f, shorted, 50.0, "short");
    for (auto _ : state) {
        auto a = qlx::sweep::ReadTouchstone(open_file);
        auto b = qlx::sweep::ReadTouchstone(short_file);
        std::string error;
        auto m = qlx::sweep::MeasureCable(std::get<qlx::sweep::OnePort>(a), std::get<qlx::sweep::OnePort>(b),
                                          10.0 * 3.2808399, error);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_CableMeasure10001)->Unit(benchmark::kMillisecond);

}  // namespace
