// Whole generations of the world forecast table (alone, and with the
// outlook's availabilities) from the defaults on a day that is not the 15th,
// so every grid point runs two calculations.
#include <benchmark/benchmark.h>

#include <memory>

#include "forecast/availability.h"
#include "forecast/table.h"

namespace {

// One generation with the threads it takes by default (tabThreadCount(),
// Arg 0), and with one thread for comparison (Arg 1). Wall-clock time: the
// work is spread over threads.
template <class Generate>
void generations(benchmark::State& st, Generate generate) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 7, 12, 0, 0};
  s->Monat = 12;
  const int threads = st.range(0) == 0 ? welvaro::tabThreadCount() : static_cast<int>(st.range(0));
  for (auto _ : st) {
    const int rc = generate(*s, threads);
    benchmark::DoNotOptimize(rc);
    benchmark::DoNotOptimize(s->TabText.data());
    benchmark::DoNotOptimize(s->AvailabilityTables[2].data());
  }
  st.counters["threads"] = threads;
}

// Default threads and one thread, wall-clock time, five runs.
void generationRuns(benchmark::internal::Benchmark* b) {
  b->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
}

void BM_PrgGenTabPlus(benchmark::State& st) {
  generations(st, [](welvaro::State& s, int threads) { return welvaro::prgGenTabPlus(s, threads); });
}
BENCHMARK(BM_PrgGenTabPlus)->Apply(generationRuns);

// The outlook's world table with its three availabilities from one
// generation, to be held against BM_PrgGenTabPlus/0 of the same run (within
// three times its time).
void BM_OutlookTables(benchmark::State& st) {
  generations(st, [](welvaro::State& s, int threads) { return welvaro::generateTableAndAvailabilities(s, threads); });
}
BENCHMARK(BM_OutlookTables)->Apply(generationRuns);

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
