// The world-table workload: 684 day-corrected forecasts from station A over
// the 10-degree grid, on a day other than the 15th (two calculations each).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "forecast/tageskorr.h"

namespace {

// Counts heap allocations, to show that a calculation makes none.
std::atomic<long> allocations{0};

}  // namespace

// The replacement pair below hands malloc'd memory to free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

static void BM_WorldGridForecasts(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Monat = 12;
  s->Jetzt = {2026, 12, 8, 12, 0, 0};
  long faults = 0;
  long allocs = 0;
  for (auto _ : st) {
    const long before = allocations.load();
    for (int i = 0; i <= 18; ++i) {
      double lat = (i - 9) * 10;
      if (lat == -90) lat = -89.5;
      if (lat == 90) lat = 89.5;
      for (int j = 0; j <= 35; ++j) {
        s->X2 = lat;
        s->Y2 = static_cast<float>((j - 18) * 10);
        faults += welvaro::prgTageskorr(*s) != 0;
      }
    }
    allocs += allocations.load() - before;
    benchmark::DoNotOptimize(s->ErgFeld[0][12][15]);
  }
  st.counters["faults"] = static_cast<double>(faults);
  st.counters["allocations"] = static_cast<double>(allocs);
}
BENCHMARK(BM_WorldGridForecasts)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
