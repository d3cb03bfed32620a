#include "outlook/grids.h"

#include <cmath>

#include "forecast/table.h"
#include "state/fault.h"
#include "state/level.h"

namespace welvaro {

OutlookValue linkOutlook(const State& s, double mhz, int hour, int minute) {
  const int h = hour;
  const double m = minute / 60.0;
  const double f = mhz;
  if (!(f >= 1 && f <= 30) || h < 0 || h > 23) raise(kFaultSubscript);
  const int lower = h == 0 ? 24 : h;  // row 24 is 00 UTC
  const int upper = h + 1;
  const double whole = std::floor(f);
  const int column = static_cast<int>(whole) + 1;  // column c holds c - 1 MHz
  std::array<double, 3> level{};
  for (int a = 0; a < 3; ++a) {
    const auto& e = s.AvailabilityResults[a][0];
    const auto atTime = [&](int c) {
      const double v1 = e[lower][c], v2 = e[upper][c];
      return v1 + (v2 - v1) * m;
    };
    const double v = atTime(column), w = atTime(column + 1);
    level[static_cast<std::size_t>(a)] = fin(levelFromField(fin(v + (w - v) * (f - whole)), f));
  }
  return outlookOf(level, noiseDensity(s, f), requiredSnr(s));
}

bool outlookWorldGrid(const State& s, double frequency, int hour, int minute, int16 (&grid)[19][36]) {
  for (int a = 0; a < 3; ++a)
    if (s.AvailabilityTables[a].size() != kTabLength) {
      for (auto& row : grid)
        for (int16& v : row) v = 0;
      return false;
    }
  if (!(frequency >= 1.0)) frequency = 1.0;  // also a frequency that is not a number
  if (frequency > 30.0) frequency = 30.0;
  const int f0 = static_cast<int>(std::floor(frequency));
  const int f1 = f0 < 30 ? f0 + 1 : 30;
  const double wf = frequency - f0;
  const double m = minute / 60.0;
  const int r1 = hour == 0 ? 24 : hour;  // row 24 holds 00 UTC
  const int r2 = hour + 1;
  // Level of 0 dB(uV/m) at the display frequency, the noise and the need:
  // the same for every point.
  const double term = levelFromField(0, frequency);
  const double noise = noiseDensity(s, frequency);
  const double required = requiredSnr(s);
  const unsigned char* table[3];
  for (int a = 0; a < 3; ++a)
    table[a] = reinterpret_cast<const unsigned char*>(s.AvailabilityTables[a].data());
  for (int i = 0; i <= 18; ++i) {
    for (int j = 0; j <= 35; ++j) {
      double margin[3];
      for (int a = 0; a < 3; ++a) {
        const auto value = [&](int f, int hour) { return static_cast<double>(table[a][tabOffset(i, j, f, hour)]) - 128; };
        const auto atTime = [&](int f) {
          const double v1 = value(f, r1), v2 = value(f, r2);
          return v1 + (v2 - v1) * m;
        };
        const double t0 = atTime(f0), t1 = atTime(f1);
        margin[a] = t0 + (t1 - t0) * wf + term - noise - required;
      }
      grid[i][j] = static_cast<int16>(outlookIndex(margin[0], margin[1], margin[2]));
    }
  }
  return true;
}

void outlookChartGrid(const State& s, int16 (&grid)[25][31]) {
  const double required = requiredSnr(s);
  for (int h = 0; h <= 24; ++h) grid[h][0] = 0;  // 0 MHz: closed, as it is black in the level chart
  for (int i = 1; i <= 30; ++i) {
    const double term = levelFromField(0, i);
    const double noise = noiseDensity(s, i);
    for (int h = 1; h <= 24; ++h) {
      double margin[3];
      for (int a = 0; a < 3; ++a) margin[a] = s.AvailabilityResults[a][0][h][i + 1] + term - noise - required;
      grid[h][i] = static_cast<int16>(outlookIndex(margin[0], margin[1], margin[2]));
      if (h == 24) grid[0][i] = grid[h][i];  // 00 UTC at the left edge too
    }
  }
}

}  // namespace welvaro
