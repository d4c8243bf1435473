// The same three measurements wherever QLX runs (natively, under wine, under node), without a
// benchmark library, so that their times can be set side by side: one CalcZ, one full line
// solution with its texts, one low-pass L design. Prints "name nanoseconds-per-call", the median
// of seven runs of a fixed number of calls.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/cases.h"
#include "core/calcz.h"
#include "core/format.h"
#include "core/numbers.h"
#include "core/line_solution.h"
#include "tuner/networks.h"

namespace {

volatile double g_sink = 0.0;  // keeps each result alive

double NanosecondsPerCall(const std::function<void()>& call, int calls) {
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < calls; ++k) call();
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
        runs.push_back(took.count() / calls);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

int main() {
    // As bench/bench_core.cpp and bench/bench_tuner.cpp measure them.
    const qlx::CalcZInput in = qlx::bench::CalcZCase();
    std::printf("CalcZ %.0f\n",
                NanosecondsPerCall([&] { g_sink = g_sink + qlx::CalcZ(in, qlx::bench::kCalcZLine).rin; }, 200000));

    // The text conversions a line solution makes a dozen of each.
    double x = 17.534;
    std::printf("Format %.0f\n", NanosecondsPerCall([&] {
                    x += 1e-7;
                    g_sink = g_sink + static_cast<double>(qlx::Format(x, "#,##0.00").size());
                }, 200000));
    std::printf("ParseNumber %.0f\n", NanosecondsPerCall([&] { g_sink = g_sink + qlx::ParseNumber("123.456"); }, 200000));

    const qlx::LineEntries e = qlx::bench::SolveLineCase();
    std::printf("SolveLine %.0f\n", NanosecondsPerCall([&] { g_sink = g_sink + SolveLine(e)->values.rin; }, 20000));

    const qlx::tuner::TunerLoad load = qlx::tuner::MakeTunerLoad(17.53, -23.78, 14.0);
    std::printf("LowPassLDesign %.0f\n", NanosecondsPerCall([&] {
                    const auto r = qlx::tuner::Design(qlx::tuner::Network::LowPassL, load, {});
                    g_sink = g_sink + std::get<qlx::tuner::NetworkDesign>(r).ploss;
                }, 20000));
    return 0;
}
