#include "display/worldmap.h"

#include <cmath>

#include "files/fileio.h"
#include "files/programdir.h"
#include "state/arith.h"

namespace welvaro {

void weltRaster(const State& s, double frequenz, int stunde, int minute, bool pegel, Weltgitter& raster) {
  if (!(frequenz >= 1.0)) frequenz = 1.0;  // also catches a frequency that is not a number
  if (frequenz > 30.0) frequenz = 30.0;
  const int f0 = static_cast<int>(std::floor(frequenz));
  const int f1 = f0 < 30 ? f0 + 1 : 30;
  const double wf = frequenz - f0;
  const int h = stunde;
  const double m = minute / 60.0;
  const int r1 = h == 0 ? 24 : h;  // row 24 holds 00 UTC
  const int r2 = h + 1;

  const State::WeltArr& tabelle = pegel ? s.Weltpegel : s.Weltfeld;
  const double unten = pegel ? -127.0 : -54.0;
  const double oben = pegel ? -19.0 : 54.0;
  const double versatz = pegel ? 127.0 : 54.0;

  for (int i = 0; i <= 18; ++i) {
    for (int j = 0; j <= 35; ++j) {
      const auto& punkt = tabelle[i][j];
      const auto zeit = [&](int f) {
        const double a = punkt[f][r1];
        const double b = punkt[f][r2];
        return a + (b - a) * m;
      };
      const double t0 = zeit(f0);
      const double t1 = zeit(f1);
      double v = t0 + (t1 - t0) * wf;
      if (v < unten) v = unten;
      if (v > oben) v = oben;
      raster[i][j] = static_cast<int16>(RoundEven(v + versatz));
    }
  }
}

void weltRasterBilden(State& s) {
  Weltgitter raster;
  weltRaster(s, s.AktFrequenz, s.Zeitpunkt.hour, s.Zeitpunkt.minute, s.PegelFlag == 1, raster);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) s.WeltRaster[j][i] = raster[i][j];
}

void weltBildAusRaster(const State& s, std::string& bild) {
  // Grid rows are latitude indices 0..18 (south to north), columns the 36
  // longitudes from -180.
  int16 werte[19 * 36];
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) werte[i * 36 + j] = s.WeltRaster[j][i];
  bild.resize(kWeltBildLaenge);
  setzeKopf(bild, s.BmpKopf1, kWeltBildBreite, s.BmpPalette);
  maleZeilen(kWeltGitter, werte, s.Weltkarte, bild.data() + kBmpDatenStart);
}

void weltBild(State& s, std::string& bild) {
  weltRasterBilden(s);
  weltBildAusRaster(s, bild);
}

DarstStatus prgAktDarst1(State& s, std::string* bild) {
  std::string eigenes;
  std::string& b = bild ? *bild : eigenes;
  weltBild(s, b);
  DarstStatus st;
  st.meldung = replaceFile(ownFile(s, kWeltBildDatei), b, Haltbarkeit::kFluechtig).message;
  return st;
}

}  // namespace welvaro
