#include "display/chart.h"

#include <cmath>

#include "display/outlookview.h"
#include "files/fileio.h"
#include "files/programdir.h"
#include "forecast/availability.h"
#include "forecast/tageskorr.h"
#include "outlook/grids.h"
#include "state/arith.h"
#include "state/level.h"

namespace welvaro {

void chartGrid(const State& s, bool level, ChartGrid& grid) {
  for (int i = 0; i <= 30; ++i) {
    // The level term of the frequency (0 dB(uV/m) as a level).
    const double levelTerm = levelFromField(0, i);
    for (int h = 1; h <= 24; ++h) {
      double e = s.ErgFeld[0][h][i + 1];
      if (e < -54.0) e = -54.0;
      if (e > 54.0) e = 54.0;
      int16 index;
      if (level) {
        double v = i == 0 ? -127.0 : levelTerm + e;
        if (v < -127.0) v = -127.0;
        if (v > -19.0) v = -19.0;
        index = static_cast<int16>(RoundEven(v + 127.0));
      } else {
        if (i == 0) e = -54.0;
        index = static_cast<int16>(RoundEven(e + 54.0));
      }
      grid[h][i] = index;
      if (h == 24) grid[0][i] = index;  // 00 UTC at the left edge too
    }
  }
}

void buildChartRaster(State& s) {
  ChartGrid grid;
  if (s.OutlookFlag == 1)
    outlookChartGrid(s, grid);
  else
    chartGrid(s, s.PegelFlag == 1, grid);
  for (int h = 0; h <= 24; ++h)
    for (int i = 0; i <= 30; ++i) s.OrtsRaster[h][i] = grid[h][i];
}

void chartBitmapFromRaster(const State& s, std::string& picture) {
  // Grid rows are the frequencies 0..30 MHz, columns the hours 0..23.
  int16 values[31 * 24];
  for (int f = 0; f <= 30; ++f)
    for (int h = 0; h <= 23; ++h) values[f * 24 + h] = s.OrtsRaster[h][f];
  picture.resize(kChartBitmapLength);
  setHeader(picture, s.BmpKopf2, kChartBitmapWidth, s.OutlookFlag == 1 ? outlookPalette() : s.BmpPalette);
  paintRows(kChartBitmapGrid, values, s.Ortskarte, picture.data() + kBmpDataStart);
}

int chartBitmap(State& s, std::string& picture) {
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  // The outlook needs the forecast at its three availabilities too.
  if (const int rc = s.OutlookFlag == 1 ? forecastAvailabilities(s) : prgTageskorr(s); rc != 0) return rc;
  buildChartRaster(s);
  chartBitmapFromRaster(s, picture);
  return 0;
}

DisplayStatus prgAktDarst2(State& s, std::string* picture) {
  std::string own;
  std::string& b = picture ? *picture : own;
  DisplayStatus st;
  st.fault = chartBitmap(s, b);
  if (st.fault == 0) st.message = writeBitmapFile(s, kChartBitmapFile, b).message;
  return st;
}

}  // namespace welvaro
