#include "display/bands.h"

#include <cmath>

#include "display/point.h"
#include "forecast/tageskorr.h"
#include "state/fault.h"

namespace welvaro {

int neighbourBand(float mhz, int direction) {
  const int n = static_cast<int>(kBands.size());
  if (direction > 0) {
    for (int i = 0; i < n; ++i)
      if (kBands[static_cast<std::size_t>(i)].mhz > mhz) return i;
    return n - 1;
  }
  for (int i = n - 1; i >= 0; --i)
    if (kBands[static_cast<std::size_t>(i)].mhz < mhz) return i;
  return 0;
}

int bandOf(float mhz) {
  // To 100 Hz, so a band edge held as a single (29.7 MHz is 29700000.76 Hz,
  // 14.35 MHz is 14349999.6 Hz) counts as the edge.
  if (!(mhz > 0 && mhz < 1000)) return -1;
  return hfBandOfHz(std::llround(static_cast<double>(mhz) * 1e4) * 100);
}

int prgBandWerte(State& s, int hour, int minute, int hours, std::vector<BandRow>& rows) {
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  const int rc = prgTageskorr(s);
  rows.clear();
  for (const Band& b : kBands) {
    BandRow z{b, {}};
    for (int k = 0; k < hours; ++k) {
      BandValue w;
      w.hour = (hour + k) % 24;
      w.minute = minute;
      if (rc == 0) {
        PointValues p;
        w.value = guarded([&] { p = pointValues(s, b.mhz, w.hour, w.minute); }) == 0;
        w.field = p.field;
        w.level = p.level;
      }
      z.values.push_back(w);
    }
    rows.push_back(std::move(z));
  }
  return rc;
}

}  // namespace welvaro
