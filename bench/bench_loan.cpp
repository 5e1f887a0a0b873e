// SPDX-License-Identifier: GPL-3.0-or-later
// A plan's numbers with an extra with every payment: keeping the term works
// the payment out again after every period, and should cost about what
// keeping the payment does, at any length.

#include "base/RegionalSettings.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"

#include <benchmark/benchmark.h>

namespace {

void PlanWithExtraEach(benchmark::State& state, const char* afterExtra, const char* rounding) {
    const twl::PlanOptions plan = twl::parsePlanTexts({.extraEach = {"0.01"},
                                                       .afterExtra = afterExtra,
                                                       .rounding = rounding,
                                                       .period = "weekly"});
    const auto periods = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(twl::computePlan(1000000, periods, 5, plan).payments);
}
BENCHMARK_CAPTURE(PlanWithExtraEach, keep_payment, "term", "none")
    ->Arg(40000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanWithExtraEach, keep_term, "payment", "none")
    ->Arg(40000)
    ->Arg(200000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanWithExtraEach, keep_term_to_the_cent, "payment", "cent")
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);

} // namespace
