#include "forecast/tageskorr.h"

#include <cmath>

#include "model/model.h"

namespace welvaro {

namespace {

void copySlice1(State& s) {
  s.ErgFeld[0] = s.ErgFeld[1];
  if (s.AvailabilityRun == 1)
    for (auto& v : s.AvailabilityResults.v) v[0] = v[1];
}

}  // namespace

int prgTageskorr(State& s) {
  const float month = s.Monat;
  const int rc = guarded([&] {
    s.ErgSchicht = 1;
    check(prgCalculation(s));
    if (s.Monat != static_cast<float>(s.Jetzt.month)) {
      copySlice1(s);
      return;
    }
    const int d = s.Jetzt.day;
    if (d == 15) {
      copySlice1(s);
      return;
    }
    const bool later = d > 15;
    // The weight is held as a single and used as stored.
    s.TagGewicht = static_cast<float>(later ? (d - 15) / 30.0 : (15 - d) / 30.0);
    if (later)
      s.Monat = s.Monat == 12 ? 1 : s.Monat + 1;
    else
      s.Monat = s.Monat == 1 ? 12 : s.Monat - 1;
    s.ErgSchicht = 2;
    check(prgCalculation(s));
    s.Monat = month;
    const double g = s.TagGewicht;
    // Every hour 0..24 and index 0..32 of the slices: their whole plain
    // storage, read without the index check.
    const auto blend = [&](auto& e) {
      for (std::size_t h = 0; h <= 24; ++h) {
        for (std::size_t kk = 0; kk <= 32; ++kk) {
          const double s1 = e[1].v[h].v[kk], s2 = e[2].v[h].v[kk];
          e[0].v[h].v[kk] = later ? std::floor(s1 + (s2 - s1) * g) : std::floor(s1 - (s1 - s2) * g);
        }
      }
    };
    blend(s.ErgFeld.v);
    // The 10, 50 and 90 % values of the same run, blended alike.
    if (s.AvailabilityRun == 1)
      for (auto& v : s.AvailabilityResults.v) blend(v.v);
  });
  s.Monat = month;
  return rc;
}

}  // namespace welvaro
