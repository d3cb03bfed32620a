// The calculation driver: hourly field strength of one path for one month.
#include <cmath>

#include "model/constants.h"
#include "model/model.h"
#include "model/tables.h"
#include "state/arith.h"

namespace welvaro {

namespace {

double log10c(double x) { return cln(x) / k::Ln10; }

// Distance factor of an E hop; x is the hop length in hundreds of miles.
double eFactor(double x) {
  return 0.2085 +
         x * (-0.01332 +
              x * (0.03761 + x * (-0.005039 + x * (0.0002625 + x * (-0.000005977 + x * (0.0000001335 - 0.000000004368 * x))))));
}

// Distance factor of an F2 hop (0 at zero length, about 0.973 at 4000 km).
double fFactor(double x) {
  return x * (0.004699 +
              x * (0.002265 + x * (0.00009201999 + x * (0.00006865 + x * (-0.000009986 + x * (0.0000004492 - 0.000000006713 * x))))));
}

// Slot 1 of a MUF array becomes the path value of the hour: the smallest of
// the F2 control points, raised to the E-layer MUF.
void combine(Arr<double, 0, 3>& muf, double lastF2, double mufE) {
  if (lastF2 == 3) {
    if (muf[2] < muf[1]) muf[1] = muf[2];
    if (muf[3] < muf[1]) muf[1] = muf[3];
  }
  if (muf[1] < mufE) muf[1] = mufE;
}

}  // namespace

int prgCalculation(State& s) {
  return guarded([&] {
    // Frequency list: index k stands for k - 1 MHz; the printed report puts
    // the six memories into indices 2..7.
    s.StundeVon = 1;
    s.StundeBis = 24;
    s.FrqMax = 31;
    s.FrqListe[0] = 0;
    for (int kk = 2; kk <= 31; ++kk) s.FrqListe[kk] = kk - 1;
    if (s.DruckFlag == 1) {
      const float memory[6] = {s.Speicher1, s.Speicher2, s.Speicher3, s.Speicher4, s.Speicher5, s.Speicher6};
      for (int kk = 0; kk < 6; ++kk) s.FrqListe[kk + 2] = memory[kk];
    }

    s.DeklMonat = tab::DeklTab(s.Monat) * 0.1 * k::DegToRad;

    check(prcGeometrie(s));

    s.EFaktor = eFactor(s.HopLaengeE * 0.0062137);
    s.FFaktor = fFactor(s.HopLaengeF * 0.0062137);

    // Multi-hop F2 paths use the midpoint and both end hops.
    const double lastF2 = s.HopsF > 1 ? 3 : 1;

    s.GyroMittel = 0;
    for (double h = 1; h <= 24; ++h) {
      for (double kk = 1; kk <= lastF2; ++kk) {
        s.Stunde = h;
        s.Kp = kk;
        check(prcMuf(s));
        if (h == 1) s.GyroMittel += s.GyroFrq;
        const double muf0 = s.FoF2 + s.GyroFrq / 2;
        s.MufF2[h][kk] = muf0 + (s.Muf4000 - muf0) * s.FFaktor;
      }
    }
    s.GyroMittel = s.GyroMittel / lastF2;

    for (double kk = 1; kk <= lastF2; ++kk) {
      s.Kp = kk;
      check(prcKormu(s));
    }

    check(prcMufELuf(s));

    for (double h = 1; h <= 24; ++h) {
      combine(s.MufF2[h], lastF2, s.MufE[h]);
      combine(s.MufKorr[h], lastF2, s.MufE[h]);
    }

    // Antipodal focusing; beyond the antipode (sin y <= 0) it keeps its limit.
    const double x = k::Pi * s.Distanz / 20000;
    double y = x;
    if (s.Distanz > 20000) y = k::TwoPi - x;
    if (s.Distanz > 30000) y = x - k::Pi;
    const double sinY = std::sin(y);
    if (sinY <= 0) {
      s.Fokus = 15;
    } else {
      s.Fokus = 10 * log10c(y / sinY);
      if (s.Fokus > 15) s.Fokus = 15;
    }
    s.E0 = 139.6 - 20 * log10c(s.Schraegweg);
    const double power = 10 * log10c(s.Zkw);

    for (double h = 1; h <= 24; ++h) {
      const double M = s.MufKorr[h][1.0], U = s.Luf[h], g = s.GyroMittel;
      const double M2 = (M + g) * (M + g), U2 = (U + g) * (U + g);
      const double w = M >= U ? cdiv(M2, M2 + U2) : cdiv(U2, M2 + U2);
      s.FrqListe[1] = s.MufF2[h][1.0];
      s.Stunde = h;
      for (double i = 1; i <= 31; ++i) {
        s.FrqIndex = i;
        const double f = s.FrqListe[i];
        const double F2 = (f + g) * (f + g);
        s.Feldstaerke = fin((1 - (cdiv(F2, M2) + cdiv(U2, F2)) * w) * s.E0 - 30 + s.Sag + s.Fokus + power);
        if (s.Feldstaerke < -999) s.Feldstaerke = -999;
        check(prcFcor(s));
        if (s.AvailabilityRun == 1) keepAvailabilities(s);
        check(prcDecil(s));
        s.ErgFeld[s.ErgSchicht][h][i] = Int(fin(s.Feldstaerke) + 0.5);
      }
    }
  });
}

}  // namespace welvaro
