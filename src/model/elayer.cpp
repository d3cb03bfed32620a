// E-layer MUF and lowest usable frequency per hour, with the smoothing of
// the LUF after its evening drop.
#include <cmath>

#include "model/constants.h"
#include "model/model.h"

namespace welvaro {

namespace {

// Cosine of the solar zenith angle over one control point, for any hour:
// cos chi = sin(decl) sin(lat) + cos(decl) cos(lat) cos(hour angle).
struct Zenit {
  double sinTeil = 0, cosTeil = 0, lon = 0;

  Zenit() = default;
  Zenit(double dekl, double breiteGrad, double laengeGrad) {
    const double lat = breiteGrad * k::GradRad;
    lon = laengeGrad * k::GradRad;
    sinTeil = std::sin(dekl) * std::sin(lat);
    cosTeil = std::cos(dekl) * std::cos(lat);
  }
  // Hour h in UTC.
  double cosChi(double h) const { return sinTeil + cosTeil * std::cos((15 * h - 180) * k::GradRad + lon); }
};

// Hour before h on the 24-hour circle (1 is preceded by 24).
double vorher(double h) { return h == 1 ? 24 : h - 1; }

}  // namespace

int prcMufELuf(State& s) {
  return guarded([&] {
    s.SsnFaktor = csqrt(1 + 0.008999999 * s.Ssna);
    s.LufFaktor = cdiv(5.3, csqrt(std::cos(s.EinfallD) * (cln(cdiv(9500000, s.Schraegweg)) / k::Ln10)));
    s.LufMin = csqrt(s.Distanz / 3000);
    s.LufNacht = 2 * s.LufMin;

    const double eErster = s.HopsF > 1 ? 4 : 1, eLetzter = s.HopsF > 1 ? 5 : 1;
    const double dErster = 6, dLetzter = 2 * s.HopsD + 5;
    Zenit zenit[36];
    for (double kk : {eErster, eLetzter}) zenit[static_cast<int>(kk)] = Zenit(s.DeklMonat, s.KpBreite[kk], s.KpLaenge[kk]);
    for (double kk = dErster; kk <= dLetzter; ++kk)
      zenit[static_cast<int>(kk)] = Zenit(s.DeklMonat, s.KpBreite[kk], s.KpLaenge[kk]);

    for (double h = 1; h <= 24; ++h) {
      // E-layer MUF: only paths up to 4000 km.
      s.MufE[h] = 0;
      if (s.Distanz <= 4000) {
        for (double kk = eErster; kk <= eLetzter; ++kk) {
          double cx = zenit[static_cast<int>(kk)].cosChi(h);
          if (cx < 0) cx = 0;
          const double c = std::cos(s.KpBreite[kk] * k::GradRad);
          const double foE = cpow(cx, 0.21 + 0.12 * c + 0.0002 * s.Ssna) * ((0.01 - 0.007 * c) * s.Ssna + 1.5 * c + 2.25);
          s.MufEKp[kk] = s.EFaktor * foE * 5;
        }
        s.MufE[h] = std::fmin(s.MufEKp[eErster], s.MufEKp[eLetzter]);
      }

      // LUF from the absorption at the 90 km crossings.
      double summe = 0;
      for (double kk = dErster; kk <= dLetzter; ++kk) {
        double cx = zenit[static_cast<int>(kk)].cosChi(h);
        if (cx < 0) cx = 1e-10;
        summe += std::sqrt(cx);
      }
      if (summe < 0) summe = 1e-10;
      s.Luf[h] = fin(std::sqrt(summe) * s.SsnFaktor * s.LufFaktor - s.GyroMittel);
      if (s.Luf[h] < s.LufMin) s.Luf[h] = s.LufMin;
    }

    // The evening drop: the first hour at which the falling LUF reaches the
    // night value.
    s.KnickGenau = 0;
    s.KnickSchnitt = 0;
    const double nacht = s.LufNacht;
    for (double h = 1; h <= 24; ++h) {
      const double p = vorher(h);
      const double lh = s.Luf[h], lp = s.Luf[p];
      if (!(lp >= lh && lh <= nacht)) continue;
      if (lh == nacht) {
        s.KnickStunde = h;
        s.KnickGenau = 1;
        break;
      }
      if (lh < nacht && lp == nacht) {
        s.KnickStunde = p;
        s.KnickGenau = 1;
        break;
      }
      if (lh < nacht && nacht < lp) {
        s.KnickStunde = h;
        s.KnickSchnitt = 1;
        break;
      }
    }

    // Smoothing: the LUF falls by at most the factor 0.795 per hour during
    // the three hours after the drop.
    if (s.KnickGenau == 1 || s.KnickSchnitt == 1) {
      const double K = s.KnickStunde;
      const double p = vorher(K);
      if (s.KnickSchnitt == 1) {
        s.Luf[K] = ((nacht - s.Luf[K]) / (s.Luf[p] - s.Luf[K]) * 0.20499999999999996 + 0.795) * 0.795 * s.Luf[p];
        if (s.Luf[K] < s.LufMin) s.Luf[K] = s.LufMin;
      }
      for (double j = 1; j <= 3; ++j) {
        double t = K + j;
        if (t >= 25) t -= 24;
        const double q = vorher(t);
        if (s.Luf[t] >= s.LufMin) {
          if (s.Luf[t] < 0.795 * s.Luf[q]) s.Luf[t] = 0.795 * s.Luf[q];
          if (s.Luf[t] < s.LufMin) s.Luf[t] = s.LufMin;
        }
      }
    }
  });
}

}  // namespace welvaro
