#include "display/worldmap.h"

#include <cmath>

#include "display/outlookview.h"
#include "files/fileio.h"
#include "files/programdir.h"
#include "outlook/grids.h"
#include "state/arith.h"

namespace welvaro {

void worldGrid(const State& s, double frequency, int hour, int minute, bool level, WorldGrid& grid) {
  if (!(frequency >= 1.0)) frequency = 1.0;  // also catches a frequency that is not a number
  if (frequency > 30.0) frequency = 30.0;
  const int f0 = static_cast<int>(std::floor(frequency));
  const int f1 = f0 < 30 ? f0 + 1 : 30;
  const double wf = frequency - f0;
  const int h = hour;
  const double m = minute / 60.0;
  const int r1 = h == 0 ? 24 : h;  // row 24 holds 00 UTC
  const int r2 = h + 1;

  const State::WeltArr& table = level ? s.Weltpegel : s.Weltfeld;
  const double bottom = level ? -127.0 : -54.0;
  const double top = level ? -19.0 : 54.0;
  const double offset = level ? 127.0 : 54.0;

  for (int i = 0; i <= 18; ++i) {
    for (int j = 0; j <= 35; ++j) {
      const auto& point = table[i][j];
      const auto time = [&](int f) {
        const double a = point[f][r1];
        const double b = point[f][r2];
        return a + (b - a) * m;
      };
      const double t0 = time(f0);
      const double t1 = time(f1);
      double v = t0 + (t1 - t0) * wf;
      if (v < bottom) v = bottom;
      if (v > top) v = top;
      grid[i][j] = static_cast<int16>(RoundEven(v + offset));
    }
  }
}

void buildWorldRaster(State& s) {
  WorldGrid grid;
  if (s.OutlookFlag == 1)
    outlookWorldGrid(s, s.AktFrequenz, s.Zeitpunkt.hour, s.Zeitpunkt.minute, grid);
  else
    worldGrid(s, s.AktFrequenz, s.Zeitpunkt.hour, s.Zeitpunkt.minute, s.PegelFlag == 1, grid);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) s.WeltRaster[j][i] = grid[i][j];
}

void worldBitmapFromRaster(const State& s, std::string& picture) {
  // Grid rows are latitude indices 0..18 (south to north), columns the 36
  // longitudes from -180.
  int16 values[19 * 36];
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) values[i * 36 + j] = s.WeltRaster[j][i];
  picture.resize(kWorldBitmapLength);
  setHeader(picture, s.BmpKopf1, kWorldBitmapWidth, s.OutlookFlag == 1 ? outlookPalette() : s.BmpPalette);
  paintRows(kWorldBitmapGrid, values, s.Weltkarte, picture.data() + kBmpDataStart);
}

void worldBitmap(State& s, std::string& picture) {
  buildWorldRaster(s);
  worldBitmapFromRaster(s, picture);
}

DisplayStatus prgAktDarst1(State& s, std::string* picture) {
  std::string own;
  std::string& b = picture ? *picture : own;
  worldBitmap(s, b);
  DisplayStatus st;
  st.message = writeBitmapFile(s, kWorldBitmapFile, b).message;
  return st;
}

}  // namespace welvaro
