// F2-layer MUF of one control point from the coded coefficient tables.
#include <algorithm>
#include <cmath>

#include "model/constants.h"
#include "model/model.h"
#include "model/tables.h"
#include "state/arith.h"

namespace welvaro {

namespace {

// Decoded byte of a packed table word for the current hemisphere.
double value(State& s, double word) {
  s.Packwert = word;
  check(prcDecod(s));
  return s.Packwert;
}

}  // namespace

int prcDecod(State& s) {
  return guarded([&] {
    const double up = Fix(s.Packwert / 256);
    s.Packwert = s.Halbkugel == 1 ? up : s.Packwert - 256 * up;
  });
}

int prcMuf(State& s) {
  return guarded([&] {
    const double kp = s.Kp;
    const double latDeg = s.KpBreite[kp], lonDeg = s.KpLaenge[kp];
    const double lat = latDeg * k::DegToRad, lon = lonDeg * k::DegToRad;

    // Geomagnetic latitude (dipole pole at 78.5 N, 69 W); the same point
    // comes back every hour, so its value is kept per slot.
    auto& memo = s.MagSpeicher[kp];
    if (memo.lat == latDeg && memo.lon == lonDeg) {
      s.MagBreite = memo.mag;
    } else {
      double q = 0.1994 * std::cos(lat) * std::cos(lon + 1.204) + 0.9799 * std::sin(lat);
      q = std::clamp(q, -1.0, 1.0);
      s.MagBreite = std::atan(cdiv(q, std::sqrt(1 - q * q))) * k::RadToDeg;
      memo = {latDeg, lonDeg, s.MagBreite};
    }
    const double A = std::fabs(s.MagBreite);
    s.MagBetrag = A;

    // Local time and local hour 1..24.
    double localTime = lonDeg / 15 + s.Stunde;
    if (localTime >= 24) localTime -= 24;
    if (localTime < 0) localTime += 24;
    s.Ortszeit = localTime;
    double oh = Int(localTime + 0.5);
    if (oh == 0) oh = 24;
    s.OrtsStunde = oh;

    // Hemisphere and season (months 3, 6, 9, 12 of the point's hemisphere).
    s.Halbkugel = 1;
    double m = s.Monat;
    if (s.MagBreite < 0) {
      s.Halbkugel = 2;
      m = m + 6;
      if (m > 12) m -= 12;
    }
    double s1 = Fix(m / 3);
    if (s1 == 0) s1 = 4;
    double s2 = s1 + 1;
    if (s2 == 5) s2 = 1;
    const double ws = (m - 3 * Fix(m / 3)) / 3;

    // Latitude bands of the monthly factors (10 deg) and of foF2 (20 deg).
    const double c = Fix(A / 10) + 1;
    double c2 = c + 1;
    if (c2 > 10) c2 = 10;
    const double wc = (A - 10 * (c - 1)) / 10;
    double b = Fix(A / 20) + 1;
    if (b > 4) b = 4;
    const double b2 = b + 1;
    const double wb = A > 60 ? (90 - A) / 30 : (20 * b - A) / 20;
    // Beyond the 60-degree band the pole table takes the place of band 5
    // (at exactly 60 degrees its weight is 0).
    const bool polar = A > 60 || b2 > 4;

    // Table indices, checked once.
    const int ib = tab::index(b, 1, 4), ib2 = polar ? 0 : tab::index(b2, 1, 4);
    const int is1 = tab::index(s1, 1, 4), is2 = tab::index(s2, 1, 4), ioh = tab::index(oh, 1, 24);
    const int ic = tab::index(c, 1, 10), ic2 = tab::index(c2, 1, 10), im = tab::index(m, 1, 12);

    double R[3] = {0, 0, 0};
    for (int a = 1; a <= 2; ++a) {
      const double v1s1 = value(s, tab::FoTab(ib, a, is1, ioh));
      const double V1 = v1s1 + (value(s, tab::FoTab(ib, a, is2, ioh)) - v1s1) * ws;
      double V2;
      if (polar) {
        const double p1 = value(s, tab::FoPolTab(a, is1));
        V2 = p1 + (value(s, tab::FoPolTab(a, is2)) - p1) * ws;
      } else {
        const double v2s1 = value(s, tab::FoTab(ib2, a, is1, ioh));
        V2 = v2s1 + (value(s, tab::FoTab(ib2, a, is2, ioh)) - v2s1) * ws;
      }
      const double Vf = V2 + (V1 - V2) * wb;
      const double f1 = value(s, tab::FaktTab(a, ic, im));
      const double F = f1 + (value(s, tab::FaktTab(a, ic2, im)) - f1) * wc;
      R[a] = F * Vf;
    }
    s.FoF2 = (R[1] + (R[2] - R[1]) * s.Ssna * 0.01) * 0.001;

    // M(3000)F2 from the geographic latitude G.
    const double G = std::fabs(latDeg);
    double mp = s.Monat;
    if (!(latDeg > 0)) {
      mp = mp + 6;
      if (mp > 12) mp -= 12;
    }
    const double wm = std::fabs(mp - 6) / 6;
    double M[3] = {0, 0, 0};
    for (int i = 1; i <= 2; ++i) {
      const double m0 = tab::MTab(i, 1, ioh);
      M[i] = m0 + (tab::MTab(i, 2, ioh) - m0) * s.Ssna * 0.01;
    }
    const double Mb = M[1] + (M[2] - M[1]) * std::min(G, 40.0) / 40;
    const int d = tab::index(Fix((G + 5) / 10) + 1, 1, 10);
    const double mk1 = tab::MKorr(1, d);
    const double Mn = mk1 + (tab::MKorr(2, d) - mk1) * wm + Mb;
    s.M3000 = (Mn + (Mb - Mn) * std::fabs(oh - 12) / 12) / 100;

    s.GyroFrq = G / 100 + 0.8;
    s.Muf4000 = fin(s.FoF2 * s.M3000 * 1.1);
  });
}

}  // namespace welvaro
