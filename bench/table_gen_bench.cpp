// Whole generations of the world forecast table from the defaults on a day
// that is not the 15th, so every grid point runs two calculations.
#include <benchmark/benchmark.h>

#include <memory>

#include "forecast/table.h"

namespace {

// One generation with the threads it takes by default (tabThreadCount()),
// and with one thread for comparison. Wall-clock time: the work is spread
// over threads.
void BM_PrgGenTabPlus(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 7, 12, 0, 0};
  s->Monat = 12;
  const int threads = st.range(0) == 0 ? welvaro::tabThreadCount() : static_cast<int>(st.range(0));
  for (auto _ : st) {
    const int rc = welvaro::prgGenTabPlus(*s, threads);
    benchmark::DoNotOptimize(rc);
    benchmark::DoNotOptimize(s->TabText.data());
  }
  st.counters["threads"] = threads;
}
BENCHMARK(BM_PrgGenTabPlus)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PrgTabPlus(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 7, 12, 0, 0};
  s->Monat = 12;
  welvaro::prgGenTabPlus(*s);
  const std::string picture = s->TabText;
  for (auto _ : st) {
    s->TabText = picture;
    benchmark::DoNotOptimize(welvaro::prgTabPlus(*s));
  }
}
BENCHMARK(BM_PrgTabPlus)->Unit(benchmark::kMicrosecond);

}  // namespace
