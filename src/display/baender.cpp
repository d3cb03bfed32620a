#include "display/baender.h"

#include "display/point.h"
#include "forecast/tageskorr.h"
#include "state/fault.h"

namespace welvaro {

int nachbarBand(float mhz, int richtung) {
  const int n = static_cast<int>(kBaender.size());
  if (richtung > 0) {
    for (int i = 0; i < n; ++i)
      if (kBaender[static_cast<std::size_t>(i)].mhz > mhz) return i;
    return n - 1;
  }
  for (int i = n - 1; i >= 0; --i)
    if (kBaender[static_cast<std::size_t>(i)].mhz < mhz) return i;
  return 0;
}

int bandVon(float mhz) {
  for (std::size_t i = 0; i < kBaender.size(); ++i)
    if (kBaender[i].mhz == mhz) return static_cast<int>(i);
  return -1;
}

int prgBandWerte(State& s, int stunde, int minute, int stunden, std::vector<BandZeile>& zeilen) {
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  const int rc = prgTageskorr(s);
  zeilen.clear();
  for (const Band& b : kBaender) {
    BandZeile z{b, {}};
    for (int k = 0; k < stunden; ++k) {
      BandWert w;
      w.stunde = (stunde + k) % 24;
      w.minute = minute;
      if (rc == 0) {
        PunktWerte p;
        w.wert = guarded([&] { p = punktWerte(s, b.mhz, w.stunde, w.minute); }) == 0;
        w.feld = p.feld;
        w.pegel = p.pegel;
      }
      z.werte.push_back(w);
    }
    zeilen.push_back(std::move(z));
  }
  return rc;
}

}  // namespace welvaro
