// The world map drawn at screen size from the table in memory: one frame at
// 1920 x 960 with coastlines, borders, graticule and night shading, as the
// window redraws it on every change of time or frequency (the time moves
// from frame to frame, as a time slider would move it). Also the azimuthal
// frame, the rebuild after a change of size, and the chart.
#include <benchmark/benchmark.h>

#include <memory>

#include "display/chartbild.h"
#include "display/kartenbild.h"
#include "files/kartenlinien.h"
#include "forecast/table.h"
#include "forecast/tageskorr.h"
#include "state/calendar.h"

namespace {

struct Welt {
  std::unique_ptr<welvaro::State> s = std::make_unique<welvaro::State>();
  welvaro::Kartenlinien linien;
  Welt() {
    s->Jetzt = {2026, 12, 8, 12, 0, 0};
    s->Monat = 12;
    welvaro::setzeJahreswerte(*s, s->Jetzt);
    welvaro::prgGenTabPlus(*s);
    welvaro::prgTabPlus(*s);
    welvaro::leseKartenlinien(WELVARO_SOURCE_DATA "/MapLinien.dat", linien);
  }
};

void frames(benchmark::State& st, welvaro::Projektion projektion) {
  Welt w;
  if (w.linien.leer()) st.SkipWithError("MapLinien.dat not found");
  auto bild = std::make_unique<welvaro::Kartenbild>();
  bild->setzeLinien(&w.linien);
  welvaro::Ansicht a;
  a.projektion = projektion;
  a.frequenz = 14.2f;
  a.greyline = true;
  bild->render(*w.s, a, 1920, 960);  // size-dependent work once, as on a resize
  int minute = 0;
  for (auto _ : st) {
    a.utcMinute = minute;
    minute = (minute + 7) % 1440;
    benchmark::DoNotOptimize(bild->render(*w.s, a, 1920, 960));
  }
}

void BM_ScaledWorldMap(benchmark::State& st) { frames(st, welvaro::Projektion::Rechteck); }
BENCHMARK(BM_ScaledWorldMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ScaledWorldMapAzimuthal(benchmark::State& st) { frames(st, welvaro::Projektion::Azimutal); }
BENCHMARK(BM_ScaledWorldMapAzimuthal)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A resize: everything that depends on the size (coastlines projected and
// rasterised, per-column weights) plus the frame.
void BM_ScaledWorldMapResize(benchmark::State& st) {
  Welt w;
  auto bild = std::make_unique<welvaro::Kartenbild>();
  bild->setzeLinien(&w.linien);
  welvaro::Ansicht a;
  a.greyline = true;
  int breite = 1900;
  for (auto _ : st) {
    breite = breite == 1900 ? 1920 : 1900;
    benchmark::DoNotOptimize(bild->render(*w.s, a, breite, breite / 2));
  }
}
BENCHMARK(BM_ScaledWorldMapResize)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ScaledChart(benchmark::State& st) {
  Welt w;
  w.s->X2 = w.s->OrtX2;
  w.s->Y2 = w.s->OrtY2;
  welvaro::prgTageskorr(*w.s);
  auto bild = std::make_unique<welvaro::Chartbild>();
  welvaro::ChartAnsicht a;
  bild->render(*w.s, a, 1920, 960);
  for (auto _ : st) benchmark::DoNotOptimize(bild->render(*w.s, a, 1920, 960));
}
BENCHMARK(BM_ScaledChart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
