// The receiver's decode log read from a file of a million lines (the
// reader and line parser, no store), and 10,000 heard stations drawn as
// dots over a 1920 x 960 world map frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "decodes/logreader.h"
#include "display/dotlayer.h"
#include "display/map_picture.h"
#include "forecast/table.h"

namespace {

// A log of a million lines: FT8 decodes of many stations in all bands,
// every tenth line an own transmission.
std::string millionLineLog() {
  const std::string path = (std::filesystem::temp_directory_path() / ("welvaro-bench-" + std::to_string(::getpid()) + ".txt")).string();
  std::ofstream f(path, std::ios::binary);
  const char* mhz[] = {"1.840", "3.573", "7.074", "10.136", "14.074", "18.100", "21.074", "24.915", "28.074", "5.357"};
  const char* msg[] = {"CQ %s FN42", "K1ABC %s -15", "%s W9XYZ R-07", "DL1ABC %s RR73", "CQ DX %s JO62"};
  char call[16], text[64], line[160];
  for (int i = 0; i < 1'000'000; ++i) {
    std::snprintf(call, sizeof call, "K%dA%c%c", i % 10, 'A' + (i / 10) % 26, 'A' + (i / 260) % 26);
    std::snprintf(text, sizeof text, msg[i % 5], call);
    std::snprintf(line, sizeof line, "261208_%02d%02d%02d %9s %s FT8 %6d  0.1 %4d %s\n", (i / 240) % 24,
                  (i / 4) % 60, (i % 4) * 15, mhz[(i / 7) % 10], i % 10 == 9 ? "Tx" : "Rx", -24 + i % 40,
                  200 + i % 2800, text);
    f << line;
  }
  return path;
}

void BM_ReadMillionLineLog(benchmark::State& st) {
  const std::string path = millionLineLog();
  std::uint64_t lines = 0;
  for (auto _ : st) {
    const welvaro::LogReadCounts c = welvaro::readNewLines(
        {path, 48.1, 11.5}, std::nullopt, [](std::vector<welvaro::Decode>& b, const welvaro::LogPosition&) {
          benchmark::DoNotOptimize(b.data());
          return true;
        });
    lines = c.lines;
  }
  st.counters["lines"] = static_cast<double>(lines);
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadMillionLineLog)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 dots over a frame of the size the window shows (and, as a
// yardstick of the stamping alone, 10,000 dots on one spot).
void BM_TenThousandDots(benchmark::State& st) {
  auto s = std::make_unique<welvaro::State>();
  s->Jetzt = {2026, 12, 8, 12, 0, 0};
  s->Monat = 12;
  welvaro::prgGenTabPlus(*s);
  welvaro::prgTabPlus(*s);
  welvaro::MapPicture picture;
  welvaro::MapView a;
  a.projection = st.range(0) == 0 ? welvaro::Projection::Rectangular : welvaro::Projection::Azimuthal;
  a.frequency = 14.2f;
  a.utcMinute = 12 * 60;
  picture.render(*s, a, 1920, 960);
  std::vector<welvaro::MapDot> dots;
  // Stations at 10,000 different grid squares (2 x 1 degrees) spread
  // over the earth, in no order.
  for (int i = 0; i < 10000; ++i) {
    const int square = static_cast<int>((i * 7919u) % 32400u);
    const double lon = -179.0 + 2.0 * (square % 180), lat = -89.5 + (square / 180);
    if (st.range(0) == 2)
      dots.push_back({{48.0, 11.0}, 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8)});
    else
      dots.push_back({{lat, lon}, 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8)});
  }
  std::vector<std::uint32_t> frame(picture.pixel(), picture.pixel() + 1920 * 960);
  // As the window draws them frame after frame: positions projected once.
  welvaro::MapDotLayer layer;
  layer.setDots(dots);
  welvaro::Canvas c{frame.data(), 1920, 960};
  layer.draw(c, picture.projection(), picture.layout().picture);
  for (auto _ : st) {
    layer.draw(c, picture.projection(), picture.layout().picture);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_TenThousandDots)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
