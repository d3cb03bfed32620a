// One whole generation of the world forecast table from the defaults on a
// day that is not the 15th, so every grid point runs two calculations.
#include <benchmark/benchmark.h>

#include <memory>

#include "forecast/table.h"

namespace {

void BM_PrgGenTabPlus(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 7, 12, 0, 0};
  s->Monat = 12;
  for (auto _ : st) {
    const int rc = welvaro::prgGenTabPlus(*s);
    benchmark::DoNotOptimize(rc);
    benchmark::DoNotOptimize(s->TabText.data());
  }
}
BENCHMARK(BM_PrgGenTabPlus)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PrgTabPlus(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 7, 12, 0, 0};
  s->Monat = 12;
  welvaro::prgGenTabPlus(*s);
  const std::string bild = s->TabText;
  for (auto _ : st) {
    s->TabText = bild;
    benchmark::DoNotOptimize(welvaro::prgTabPlus(*s));
  }
}
BENCHMARK(BM_PrgTabPlus)->Unit(benchmark::kMicrosecond);

}  // namespace
