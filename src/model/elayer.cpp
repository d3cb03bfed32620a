// E-layer MUF and lowest usable frequency per hour, with the smoothing of
// the LUF after its evening drop.
#include <cmath>

#include "model/constants.h"
#include "model/model.h"

namespace welvaro {

namespace {

// Cosine of the solar zenith angle over one control point, for any hour:
// cos chi = sin(decl) sin(lat) + cos(decl) cos(lat) cos(hour angle).
struct Zenith {
  double sinPart = 0, cosPart = 0, lon = 0;

  Zenith() = default;
  Zenith(double decl, double latDeg, double lonDeg) {
    const double lat = latDeg * k::DegToRad;
    lon = lonDeg * k::DegToRad;
    sinPart = std::sin(decl) * std::sin(lat);
    cosPart = std::cos(decl) * std::cos(lat);
  }
  // Hour h in UTC.
  double cosChi(double h) const { return sinPart + cosPart * std::cos((15 * h - 180) * k::DegToRad + lon); }
};

// Hour before h on the 24-hour circle (1 is preceded by 24).
double before(double h) { return h == 1 ? 24 : h - 1; }

}  // namespace

int prcMufELuf(State& s) {
  return guarded([&] {
    s.SsnFaktor = csqrt(1 + 0.008999999 * s.Ssna);
    s.LufFaktor = cdiv(5.3, csqrt(std::cos(s.EinfallD) * (cln(cdiv(9500000, s.Schraegweg)) / k::Ln10)));
    s.LufMin = csqrt(s.Distanz / 3000);
    s.LufNacht = 2 * s.LufMin;

    const double eFirst = s.HopsF > 1 ? 4 : 1, eLast = s.HopsF > 1 ? 5 : 1;
    const double dFirst = 6, dLast = 2 * s.HopsD + 5;
    Zenith zenith[36];
    for (double kk : {eFirst, eLast}) zenith[static_cast<int>(kk)] = Zenith(s.DeklMonat, s.KpBreite[kk], s.KpLaenge[kk]);
    for (double kk = dFirst; kk <= dLast; ++kk)
      zenith[static_cast<int>(kk)] = Zenith(s.DeklMonat, s.KpBreite[kk], s.KpLaenge[kk]);

    for (double h = 1; h <= 24; ++h) {
      // E-layer MUF: only paths up to 4000 km.
      s.MufE[h] = 0;
      if (s.Distanz <= 4000) {
        for (double kk = eFirst; kk <= eLast; ++kk) {
          double cx = zenith[static_cast<int>(kk)].cosChi(h);
          if (cx < 0) cx = 0;
          const double c = std::cos(s.KpBreite[kk] * k::DegToRad);
          const double foE = cpow(cx, 0.21 + 0.12 * c + 0.0002 * s.Ssna) * ((0.01 - 0.007 * c) * s.Ssna + 1.5 * c + 2.25);
          s.MufEKp[kk] = s.EFaktor * foE * 5;
        }
        s.MufE[h] = std::fmin(s.MufEKp[eFirst], s.MufEKp[eLast]);
      }

      // LUF from the absorption at the 90 km crossings.
      double sum = 0;
      for (double kk = dFirst; kk <= dLast; ++kk) {
        double cx = zenith[static_cast<int>(kk)].cosChi(h);
        if (cx < 0) cx = 1e-10;
        sum += std::sqrt(cx);
      }
      if (sum < 0) sum = 1e-10;
      s.Luf[h] = fin(std::sqrt(sum) * s.SsnFaktor * s.LufFaktor - s.GyroMittel);
      if (s.Luf[h] < s.LufMin) s.Luf[h] = s.LufMin;
    }

    // The evening drop: the first hour at which the falling LUF reaches the
    // night value.
    s.KnickGenau = 0;
    s.KnickSchnitt = 0;
    const double night = s.LufNacht;
    for (double h = 1; h <= 24; ++h) {
      const double p = before(h);
      const double lh = s.Luf[h], lp = s.Luf[p];
      if (!(lp >= lh && lh <= night)) continue;
      if (lh == night) {
        s.KnickStunde = h;
        s.KnickGenau = 1;
        break;
      }
      if (lh < night && lp == night) {
        s.KnickStunde = p;
        s.KnickGenau = 1;
        break;
      }
      if (lh < night && night < lp) {
        s.KnickStunde = h;
        s.KnickSchnitt = 1;
        break;
      }
    }

    // Smoothing: the LUF falls by at most the factor 0.795 per hour during
    // the three hours after the drop.
    if (s.KnickGenau == 1 || s.KnickSchnitt == 1) {
      const double K = s.KnickStunde;
      const double p = before(K);
      if (s.KnickSchnitt == 1) {
        s.Luf[K] = ((night - s.Luf[K]) / (s.Luf[p] - s.Luf[K]) * 0.20499999999999996 + 0.795) * 0.795 * s.Luf[p];
        if (s.Luf[K] < s.LufMin) s.Luf[K] = s.LufMin;
      }
      for (double j = 1; j <= 3; ++j) {
        double t = K + j;
        if (t >= 25) t -= 24;
        const double q = before(t);
        if (s.Luf[t] >= s.LufMin) {
          if (s.Luf[t] < 0.795 * s.Luf[q]) s.Luf[t] = 0.795 * s.Luf[q];
          if (s.Luf[t] < s.LufMin) s.Luf[t] = s.LufMin;
        }
      }
    }
  });
}

}  // namespace welvaro
