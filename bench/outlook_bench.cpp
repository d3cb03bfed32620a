// The outlook's frames, to be held against the frames of the level they
// stand beside: the bitmaps (BM_WorldMapPicture, BM_ChartPicture) and the
// scaled pictures (BM_ScaledWorldMap, BM_ScaledChart), made the same way.
// Its tables: BM_OutlookTables beside BM_PrgGenTabPlus.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/chart_picture.h"
#include "display/map_picture.h"
#include "display/worldmap.h"
#include "files/map_lines.h"
#include "files/overlay.h"
#include "forecast/availability.h"
#include "forecast/table.h"
#include "state/calendar.h"

namespace {

// A drawing with about one pixel in twelve drawn, as BM_WorldMapPicture's.
std::string drawing(std::size_t length) {
  std::string k(length, '\0');
  for (std::size_t i = 0; i < length; i += 12) k[i] = static_cast<char>(i % 3 == 0 ? 100 : (i % 3 == 1 ? 160 : 220));
  return k;
}

void BM_OutlookWorldMapPicture(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 8, 12, 0, 0};
  s->Monat = 12;
  welvaro::generateTableAndAvailabilities(*s);
  welvaro::prgTabPlus(*s);
  s->Weltkarte = drawing(welvaro::kWorldOverlayLength);
  welvaro::conBitmaps(*s);
  s->AktFrequenz = 14.2f;
  s->Zeitpunkt = {2026, 12, 8, 12, 37, 0};
  s->OutlookFlag = 1;
  std::string picture;
  for (auto _ : st) {
    welvaro::worldBitmap(*s, picture);
    benchmark::DoNotOptimize(picture.data());
  }
}
BENCHMARK(BM_OutlookWorldMapPicture)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The chart with its forecast at the three availabilities (two calculations).
void BM_OutlookChartPicture(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 8, 12, 0, 0};
  s->Monat = 12;
  s->Ortskarte = drawing(welvaro::kChartOverlayLength);
  welvaro::conBitmaps(*s);
  s->OutlookFlag = 1;
  std::string picture;
  for (auto _ : st) {
    const int rc = welvaro::chartBitmap(*s, picture);
    benchmark::DoNotOptimize(rc);
    benchmark::DoNotOptimize(picture.data());
  }
}
BENCHMARK(BM_OutlookChartPicture)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

struct World {
  std::unique_ptr<welvaro::State> s = std::make_unique<welvaro::State>();
  welvaro::MapLines lines;
  World() {
    s->Jetzt = {2026, 12, 8, 12, 0, 0};
    s->Monat = 12;
    welvaro::setYearValues(*s, s->Jetzt);
    welvaro::generateTableAndAvailabilities(*s);
    welvaro::prgTabPlus(*s);
    welvaro::readMapLines(WELVARO_SOURCE_DATA "/MapLinien.dat", lines);
  }
};

// As BM_ScaledWorldMap: 1920 x 960 with lines and night shading, the time
// moving from frame to frame.
void BM_OutlookScaledWorldMap(benchmark::State& st) {
  World w;
  if (w.lines.blank()) st.SkipWithError("MapLinien.dat not found");
  auto picture = std::make_unique<welvaro::MapPicture>();
  picture->setLines(&w.lines);
  welvaro::MapView a;
  a.frequency = 14.2f;
  a.greyline = true;
  a.outlook = true;
  picture->render(*w.s, a, 1920, 960);
  int minute = 0;
  for (auto _ : st) {
    a.utcMinute = minute;
    minute = (minute + 7) % 1440;
    benchmark::DoNotOptimize(picture->render(*w.s, a, 1920, 960));
  }
}
BENCHMARK(BM_OutlookScaledWorldMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OutlookScaledChart(benchmark::State& st) {
  World w;
  w.s->X2 = w.s->OrtX2;
  w.s->Y2 = w.s->OrtY2;
  welvaro::forecastAvailabilities(*w.s);
  auto picture = std::make_unique<welvaro::ChartPicture>();
  welvaro::ChartView a;
  a.outlook = true;
  picture->render(*w.s, a, 1920, 960);
  for (auto _ : st) benchmark::DoNotOptimize(picture->render(*w.s, a, 1920, 960));
}
BENCHMARK(BM_OutlookScaledChart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
