// The station plan: ten bands of three points, every network with its band run and the Pi's and
// Tee's auto capacitor; and a scan of 201 feed-line lengths over the same plan.
#include <benchmark/benchmark.h>

#include <complex>

#include "plan/plan.h"

namespace {

qlx::plan::Inputs TenBands() {
    qlx::plan::Inputs in;
    in.line.cable_position = 17;  // RG-213, 20 m
    in.line.length_text = "20";
    in.line.unit_meters = in.line.option_meters = true;
    in.antenna = std::complex<double>(200.0, 100.0);
    in.bands = qlx::plan::RegionBands(qlx::plan::Region::One, false);
    in.settings = {{&qlx::TunerWindow::txtPiCap, "auto"}, {&qlx::TunerWindow::txtTeeCap, "auto"}};
    return in;
}

void BM_PlanTenBands(benchmark::State& state) {
    const qlx::plan::Inputs in = TenBands();
    for (auto _ : state) benchmark::DoNotOptimize(qlx::plan::MakePlan(in));
}
BENCHMARK(BM_PlanTenBands)->Unit(benchmark::kMillisecond);

void BM_PlanLengthScan201(benchmark::State& state) {
    const qlx::plan::Inputs in = TenBands();
    for (auto _ : state) benchmark::DoNotOptimize(qlx::plan::ScanLengths(in, {10.0, 30.0, 0.1}));
}
BENCHMARK(BM_PlanLengthScan201)->Unit(benchmark::kMillisecond);

}  // namespace
