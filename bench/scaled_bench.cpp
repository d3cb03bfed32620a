// The world map drawn at screen size from the table in memory: one frame at
// 1920 x 960 with coastlines, borders, graticule and night shading, as the
// window redraws it on every change of time or frequency (the time moves
// from frame to frame, as a time slider would move it). Also the azimuthal
// frame, the rebuild after a change of size, and the chart; and both maps
// as the window shows them (land and sea, scales, caption, path).
#include <benchmark/benchmark.h>

#include <memory>

#include "display/caption.h"
#include "display/chart_picture.h"
#include "display/map_picture.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "forecast/table.h"
#include "forecast/tageskorr.h"
#include "state/calendar.h"

namespace {

struct Welt {
  std::unique_ptr<welvaro::State> s = std::make_unique<welvaro::State>();
  welvaro::MapLines lines;
  welvaro::LandAreas land;
  Welt() {
    s->Jetzt = {2026, 12, 8, 12, 0, 0};
    s->Monat = 12;
    welvaro::setYearValues(*s, s->Jetzt);
    welvaro::prgGenTabPlus(*s);
    welvaro::prgTabPlus(*s);
    welvaro::readMapLines(WELVARO_SOURCE_DATA "/MapLinien.dat", lines);
    welvaro::readLandAreas(WELVARO_SOURCE_DATA "/MapLand.dat", land);
  }
};

void frames(benchmark::State& st, welvaro::Projection projection) {
  Welt w;
  if (w.lines.blank()) st.SkipWithError("MapLinien.dat not found");
  auto picture = std::make_unique<welvaro::MapPicture>();
  picture->setLines(&w.lines);
  welvaro::MapView a;
  a.projection = projection;
  a.frequency = 14.2f;
  a.greyline = true;
  picture->render(*w.s, a, 1920, 960);  // size-dependent work once, as on a resize
  int minute = 0;
  for (auto _ : st) {
    a.utcMinute = minute;
    minute = (minute + 7) % 1440;
    benchmark::DoNotOptimize(picture->render(*w.s, a, 1920, 960));
  }
}

void BM_ScaledWorldMap(benchmark::State& st) { frames(st, welvaro::Projection::Rectangular); }

// The frame as the window draws it: land and sea under a closed band, the
// caption above the map and the scales around it.
void withEverything(benchmark::State& st, welvaro::Projection projection) {
  Welt w;
  if (w.lines.blank() || w.land.empty()) st.SkipWithError("MapLinien.dat or MapLand.dat not found");
  auto picture = std::make_unique<welvaro::MapPicture>();
  picture->setLines(&w.lines);
  picture->setLandAreas(&w.land);
  welvaro::MapView a;
  a.projection = projection;
  a.frequency = 14.2f;
  a.greyline = a.scales = a.path = true;
  int minute = 0;
  const auto frame = [&] {
    a.utcMinute = minute;
    a.caption = welvaro::mapCaption(*w.s, {.projection = projection, .frequency = a.frequency, .utcMinute = minute,
                                           .pointB = true, .night = true, .land = true});
    return picture->render(*w.s, a, 1920, 1080);
  };
  frame();
  for (auto _ : st) {
    minute = (minute + 7) % 1440;
    benchmark::DoNotOptimize(frame());
  }
}

void BM_ScaledWorldMapAsShown(benchmark::State& st) { withEverything(st, welvaro::Projection::Rectangular); }
BENCHMARK(BM_ScaledWorldMapAsShown)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ScaledWorldMapAzimuthalAsShown(benchmark::State& st) { withEverything(st, welvaro::Projection::Azimuthal); }
BENCHMARK(BM_ScaledWorldMapAzimuthalAsShown)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScaledWorldMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ScaledWorldMapAzimuthal(benchmark::State& st) { frames(st, welvaro::Projection::Azimuthal); }
BENCHMARK(BM_ScaledWorldMapAzimuthal)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A resize: everything that depends on the size (coastlines projected and
// rasterised, per-column weights) plus the frame.
void BM_ScaledWorldMapResize(benchmark::State& st) {
  Welt w;
  auto picture = std::make_unique<welvaro::MapPicture>();
  picture->setLines(&w.lines);
  welvaro::MapView a;
  a.greyline = true;
  int width = 1900;
  for (auto _ : st) {
    width = width == 1900 ? 1920 : 1900;
    benchmark::DoNotOptimize(picture->render(*w.s, a, width, width / 2));
  }
}
BENCHMARK(BM_ScaledWorldMapResize)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ScaledChart(benchmark::State& st) {
  Welt w;
  w.s->X2 = w.s->OrtX2;
  w.s->Y2 = w.s->OrtY2;
  welvaro::prgTageskorr(*w.s);
  auto picture = std::make_unique<welvaro::ChartPicture>();
  welvaro::ChartView a;
  picture->render(*w.s, a, 1920, 960);
  for (auto _ : st) benchmark::DoNotOptimize(picture->render(*w.s, a, 1920, 960));
}
BENCHMARK(BM_ScaledChart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
