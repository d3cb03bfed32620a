#include "display/chart.h"

#include <cmath>

#include "files/fileio.h"
#include "files/programdir.h"
#include "forecast/tageskorr.h"
#include "state/arith.h"
#include "state/pegel.h"

namespace welvaro {

void ortsRaster(const State& s, bool pegel, Ortsgitter& raster) {
  for (int i = 0; i <= 30; ++i) {
    // The level term of the frequency (0 dB(uV/m) as a level).
    const double pegelTerm = pegelAusFeld(0, i);
    for (int h = 1; h <= 24; ++h) {
      double e = s.ErgFeld[0][h][i + 1];
      if (e < -54.0) e = -54.0;
      if (e > 54.0) e = 54.0;
      int16 index;
      if (pegel) {
        double v = i == 0 ? -127.0 : pegelTerm + e;
        if (v < -127.0) v = -127.0;
        if (v > -19.0) v = -19.0;
        index = static_cast<int16>(RoundEven(v + 127.0));
      } else {
        if (i == 0) e = -54.0;
        index = static_cast<int16>(RoundEven(e + 54.0));
      }
      raster[h][i] = index;
      if (h == 24) raster[0][i] = index;  // 00 UTC at the left edge too
    }
  }
}

void ortsRasterBilden(State& s) {
  Ortsgitter raster;
  ortsRaster(s, s.PegelFlag == 1, raster);
  for (int h = 0; h <= 24; ++h)
    for (int i = 0; i <= 30; ++i) s.OrtsRaster[h][i] = raster[h][i];
}

void ortBildAusRaster(const State& s, std::string& bild) {
  // Grid rows are the frequencies 0..30 MHz, columns the hours 0..23.
  int16 werte[31 * 24];
  for (int f = 0; f <= 30; ++f)
    for (int h = 0; h <= 23; ++h) werte[f * 24 + h] = s.OrtsRaster[h][f];
  bild.resize(kOrtBildLaenge);
  setzeKopf(bild, s.BmpKopf2, kOrtBildBreite, s.BmpPalette);
  maleZeilen(kOrtGitter, werte, s.Ortskarte, bild.data() + kBmpDatenStart);
}

int ortBild(State& s, std::string& bild) {
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  if (const int rc = prgTageskorr(s); rc != 0) return rc;
  ortsRasterBilden(s);
  ortBildAusRaster(s, bild);
  return 0;
}

DarstStatus prgAktDarst2(State& s, std::string* bild) {
  std::string eigenes;
  std::string& b = bild ? *bild : eigenes;
  DarstStatus st;
  st.fehler = ortBild(s, b);
  if (st.fehler == 0) st.meldung = replaceFile(ownFile(s, kOrtBildDatei), b, Haltbarkeit::kFluechtig).message;
  return st;
}

}  // namespace welvaro
