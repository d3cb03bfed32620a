#include "forecast/tageskorr.h"

#include <cmath>

#include "model/model.h"

namespace welvaro {

namespace {

void kopiereSchicht1(State& s) { s.ErgFeld[0] = s.ErgFeld[1]; }

}  // namespace

int prgTageskorr(State& s) {
  const float monat = s.Monat;
  const int rc = guarded([&] {
    s.ErgSchicht = 1;
    check(prgCalculation(s));
    if (s.Monat != static_cast<float>(s.Jetzt.month)) {
      kopiereSchicht1(s);
      return;
    }
    const int d = s.Jetzt.day;
    if (d == 15) {
      kopiereSchicht1(s);
      return;
    }
    const bool spaeter = d > 15;
    // The weight is held as a single and used as stored.
    s.TagGewicht = static_cast<float>(spaeter ? (d - 15) / 30.0 : (15 - d) / 30.0);
    if (spaeter)
      s.Monat = s.Monat == 12 ? 1 : s.Monat + 1;
    else
      s.Monat = s.Monat == 1 ? 12 : s.Monat - 1;
    s.ErgSchicht = 2;
    check(prgCalculation(s));
    s.Monat = monat;
    const double g = s.TagGewicht;
    // Every hour 0..24 and index 0..32 of the slices: their whole plain
    // storage, read without the index check.
    auto& e = s.ErgFeld.v;
    for (std::size_t h = 0; h <= 24; ++h) {
      for (std::size_t kk = 0; kk <= 32; ++kk) {
        const double s1 = e[1].v[h].v[kk], s2 = e[2].v[h].v[kk];
        e[0].v[h].v[kk] = spaeter ? std::floor(s1 + (s2 - s1) * g) : std::floor(s1 - (s1 - s2) * g);
      }
    }
  });
  s.Monat = monat;
  return rc;
}

}  // namespace welvaro
