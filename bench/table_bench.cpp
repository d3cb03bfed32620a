#include <benchmark/benchmark.h>
static void BM_Nothing(benchmark::State& st) { for (auto _ : st) {} }
BENCHMARK(BM_Nothing);
BENCHMARK_MAIN();
