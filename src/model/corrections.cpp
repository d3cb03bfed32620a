// Corrected MUF curve and the above-MUF correction of the field strength.
#include <cmath>

#include "model/decile.h"
#include "model/model.h"
#include "model/tables.h"
#include "state/arith.h"

namespace welvaro {

int prcKormu(State& s) {
  return guarded([&] {
    const double kp = s.Kp;
    if (s.Distanz > 4000) {
      s.KorrX = 1;
    } else {
      const double r = 1 - s.Distanz / 4000;
      s.KorrX = 1 + r * r;
    }
    // Local noon at the control point.
    double n = Int(12 - s.KpLaenge[kp] / 15 + 0.5);
    if (n < 1) n += 24;
    s.MufMittag = s.MufF2[n][kp];
    s.MufMin = s.MufF2[1.0][kp];
    for (double h = 2; h <= 24; ++h)
      if (s.MufF2[h][kp] < s.MufMin) s.MufMin = s.MufF2[h][kp];
    const double ratio = cdiv(s.MufMin, s.MufMittag);
    s.KorrTag = s.KorrC * (ratio * ratio);
    for (double h = s.StundeVon; h <= s.StundeBis; ++h) {
      const double m = s.MufF2[h][kp];
      const double r = cdiv(s.MufMittag, m);
      const double cube = (r < 0 ? -1.0 : r > 0 ? 1.0 : 0.0) * cpow(std::fabs(r), 1.0 / 3.0);
      s.MufKorr[h][kp] =
          fin(m * s.KorrX * (s.KorrTag + 1.2 + cdiv(s.KorrA * m, s.MufMittag) + s.KorrB * (cube - 1)));
    }
  });
}

int prcFcor(State& s) {
  return guarded([&] {
    if (!(s.Distanz <= 4000)) return;
    double r = cdiv(s.FrqListe[s.FrqIndex], s.MufF2[s.Stunde][1.0]);
    if (r < 1) return;
    if (r > 5) r = 5;
    int j = 1;
    for (int jj = 1; jj <= 3; ++jj)
      if (tab::FcorAbszisse(jj) <= r && r <= tab::FcorAbszisse(jj + 1)) j = jj;
    const double v = (r - tab::FcorAbszisse(j)) / (tab::FcorAbszisse(j + 1) - tab::FcorAbszisse(j)) *
                         (tab::FcorWert(j + 1) - tab::FcorWert(j)) +
                     tab::FcorWert(j);
    s.Feldstaerke = s.Feldstaerke + (4000 - s.Distanz) * v / 4000;
  });
}

int prcDecil(State& s) {
  return guarded([&] {
    if (s.Iproz == 50) return;
    const int row = s.Iproz == 10 ? 1 : 2;
    const double dev = decileDeviation(row, decileColumn(s));
    s.Feldstaerke = s.Feldstaerke + dev;
  });
}

}  // namespace welvaro
