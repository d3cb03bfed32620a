// The two display pictures as one generation makes them, without writing
// the file: the world map from the forecast table (interpolation of the 684
// table points, 271 pixel rows under the map drawing, header and colour
// table) and the chart of the link A-B including its day-corrected forecast
// (on a day other than the 15th: two calculations).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/worldmap.h"
#include "files/overlay.h"
#include "forecast/table.h"

namespace {

// A drawing with about one pixel in twelve drawn, in the three greys.
std::string drawing(std::size_t length) {
  std::string k(length, '\0');
  for (std::size_t i = 0; i < length; i += 12) k[i] = static_cast<char>(i % 3 == 0 ? 100 : (i % 3 == 1 ? 160 : 220));
  return k;
}

void BM_WorldMapPicture(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 8, 12, 0, 0};
  s->Monat = 12;
  welvaro::prgGenTabPlus(*s);
  welvaro::prgTabPlus(*s);
  s->Weltkarte = drawing(welvaro::kWorldOverlayLength);
  welvaro::conBitmaps(*s);
  s->AktFrequenz = 14.2f;
  s->Zeitpunkt = {2026, 12, 8, 12, 37, 0};
  std::string picture;
  for (auto _ : st) {
    welvaro::worldBitmap(*s, picture);
    benchmark::DoNotOptimize(picture.data());
  }
}
BENCHMARK(BM_WorldMapPicture)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ChartPicture(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 8, 12, 0, 0};
  s->Monat = 12;
  s->Ortskarte = drawing(welvaro::kChartOverlayLength);
  welvaro::conBitmaps(*s);
  std::string picture;
  for (auto _ : st) {
    const int rc = welvaro::chartBitmap(*s, picture);
    benchmark::DoNotOptimize(rc);
    benchmark::DoNotOptimize(picture.data());
  }
}
BENCHMARK(BM_ChartPicture)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
