// The propagation model: the figures the model's description states, the
// mended control points, and robustness against every input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "forecast/tageskorr.h"
#include "model/model.h"
#include "model/tables.h"
#include "testutil.h"

using namespace welvaro;
using welvaro::test::defaultLink;

namespace {

// Station A at (x1, y1), the far end at (x2, y2) [deg].
void setLink(State& s, double x1, float y1, double x2, float y2) {
  s.X1 = x1;
  s.Y1 = y1;
  s.X2 = x2;
  s.Y2 = y2;
}

// Places B on the equator `km` east of A = (0, 0).
void equatorPath(State& s, double km) { setLink(s, 0, 0, 0, static_cast<float>(km / 6371.2 * 57.29577951309679)); }

bool allFinite(const State& s, int slice) {
  for (int h = 0; h <= 24; ++h)
    for (int k = 0; k <= 32; ++k)
      if (!std::isfinite(s.ErgFeld[slice][h][k])) return false;
  return true;
}

// Great-circle angle [rad] between two points given in degrees.
double arc(double la1, double lo1, double la2, double lo2) {
  const double g = 0.017453292519943295;
  const double c = std::sin(la1 * g) * std::sin(la2 * g) + std::cos(la1 * g) * std::cos(la2 * g) * std::cos((lo1 - lo2) * g);
  return std::acos(std::clamp(c, -1.0, 1.0));
}

// Folds an angle [rad] along the great circle onto 0..pi.
double folded(double w) { return w > std::numbers::pi ? 2 * std::numbers::pi - w : w; }

}  // namespace

// ---- Path geometry ---------------------------------------------------------

TEST(Geometry, MidpointOfMunichMadridLiesEastOfMadrid) {
  auto s = defaultLink();
  ASSERT_EQ(prgCalculation(*s), 0);
  EXPECT_NEAR(s->KpBreite[1], 44.5, 0.05);
  EXPECT_NEAR(s->KpLaenge[1], 3.4, 0.05);
  EXPECT_NEAR(s->Distanz, 1478.6, 0.1);
  EXPECT_NEAR(s->RichtungAB, 240.2, 0.1);
  EXPECT_NEAR(s->RichtungBA, 49.6, 0.1);
  // The end hops lie between B and the midpoint, and between it and A.
  EXPECT_LT(s->KpLaenge[2], s->KpLaenge[1]);
  EXPECT_GT(s->KpLaenge[3], s->KpLaenge[1]);
  EXPECT_LT(s->KpLaenge[3], 11.5);
}

// Mended: each control point lies on the great circle at its KpAbstand from
// B, whichever side of B's meridian (or of the date line) it falls on.
TEST(Geometry, ControlPointsLieOnTheGreatCircleOnBothSidesOfTheDateLine) {
  struct Case {
    double x1;
    float y1;
    double x2;
    float y2;
    const char* p;
  } cases[] = {
      {48.1, 11.5f, 40.4f, -3.7f, "S"},  {40.4, -3.7f, 48.1, 11.5f, "S"},   {35.7, 139.7f, 37.8, -122.4f, "S"},
      {-33.9, 18.4f, 51.5, -0.1f, "S"},  {48.1, 11.5f, -33.9, 151.2f, "S"}, {48.1, 11.5f, 40.4f, -3.7f, "L"},
      {35.7, 139.7f, 37.8, -122.4f, "L"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2 << " " << c.p);
    auto s = defaultLink();
    setLink(*s, c.x1, c.y1, c.x2, c.y2);
    s->P = c.p;
    ASSERT_EQ(prgCalculation(*s), 0);
    const double path = s->Distanz / 6371.2;
    for (int k = 1; k <= 2 * s->HopsD + 5; ++k) {
      SCOPED_TRACE(k);
      const double la = s->KpBreite[k], lo = s->KpLaenge[k];
      EXPECT_NEAR(arc(la, lo, s->X2, s->Y2), folded(s->KpAbstand[k]), 1e-2);
      EXPECT_NEAR(arc(la, lo, s->X1, s->Y1), folded(std::fabs(path - s->KpAbstand[k])), 1e-2);
    }
  }
}

TEST(Geometry, BearingsDueNorthSouthAndLongPath) {
  struct Case {
    double x2;
    const char* p;
    double from, ba;
  } cases[] = {{30, "S", 0, 180}, {-5, "S", 180, 0}, {-5, "L", 0, 180}};  // long path: 180 - 180 is 0
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x2 << " " << c.p);
    auto s = defaultLink();
    setLink(*s, 10, 20, c.x2, 20);
    s->P = c.p;
    ASSERT_EQ(prgCalculation(*s), 0);
    EXPECT_NEAR(s->RichtungAB, c.from, 1e-3);
    EXPECT_NEAR(s->RichtungBA, c.ba, 1e-3);
  }
}

TEST(Geometry, FarEndOnAPoleIsComputedJustOffIt) {
  for (double pol : {90.0, -90.0}) {
    auto s = defaultLink();
    s->X2 = pol;
    ASSERT_EQ(prgCalculation(*s), 0);
    EXPECT_EQ(s->X2, pol > 0 ? 89.99 : -89.99);
  }
}

TEST(Geometry, HopCountsFollowTheMinimumElevation) {
  struct Case {
    double km, angm, hopsE, hopsF, hopsD;
  } cases[] = {
      {1000, 20, 2, 1, 1},  // one F hop leaves at about 28 degrees
      {2000, 20, 4, 2, 1},  // one F hop would leave at about 12 degrees
      {2000, 0, 2, 1, 1},
      {12000, 3, 7, 4, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.km);
    auto s = defaultLink();
    equatorPath(*s, c.km);
    s->Angm = c.angm;
    ASSERT_EQ(prgCalculation(*s), 0);
    EXPECT_NEAR(s->Distanz, c.km, 0.01);
    EXPECT_EQ(s->HopsE, c.hopsE);
    EXPECT_EQ(s->HopsF, c.hopsF);
    EXPECT_EQ(s->HopsD, c.hopsD);
  }
}

// Mended: with one absorption hop and two F hops the absorption points must
// not overwrite the F and E end points, so the result may not depend on what
// an earlier calculation left behind.
TEST(Geometry, AbsorptionPointsKeepTheirOwnSlots) {
  auto fresh = defaultLink();
  ASSERT_EQ(prgCalculation(*fresh), 0);
  ASSERT_EQ(fresh->HopsD, 1);
  ASSERT_EQ(fresh->HopsF, 2);
  EXPECT_DOUBLE_EQ(fresh->KpAbstand[2], fresh->HopLaengeF * 0.5 / 6371.2);
  EXPECT_DOUBLE_EQ(fresh->KpAbstand[4], fresh->HopLaengeE * 0.5 / 6371.2);
  EXPECT_DOUBLE_EQ(fresh->KpAbstand[6], fresh->DurchgangWinkel);

  auto used = defaultLink();
  used->X2 = -33.9;
  used->Y2 = 151.2f;
  ASSERT_EQ(prgCalculation(*used), 0);
  used->X2 = used->OrtX2;
  used->Y2 = used->OrtY2;
  ASSERT_EQ(prgCalculation(*used), 0);
  for (int h = 1; h <= 24; ++h)
    for (int k = 1; k <= 31; ++k) ASSERT_EQ(used->ErgFeld[1][h][k], fresh->ErgFeld[1][h][k]) << h << " " << k;
}

// Mended: beyond the antipode the focusing keeps its limit; a vertical
// minimum elevation ends with a bounded hop count.
TEST(Geometry, ExtremeLinksStayFinite) {
  auto lang = defaultLink();
  lang->X2 = 48.1;
  lang->Y2 = 11.5001f;
  lang->P = "L";
  ASSERT_EQ(prgTageskorr(*lang), 0);
  EXPECT_NEAR(lang->Distanz, 40031.4, 0.1);
  EXPECT_EQ(lang->HopsD, 14);
  EXPECT_EQ(lang->Fokus, 15);
  EXPECT_TRUE(allFinite(*lang, 0));

  auto steep = defaultLink();
  steep->Angm = 90;
  ASSERT_EQ(prgTageskorr(*steep), 0);
  EXPECT_EQ(steep->HopsF, 10000);
  EXPECT_TRUE(allFinite(*steep, 0));
}

// ---- Calculation driver ----------------------------------------------------

TEST(Calculation, FaultCodes) {
  struct Case {
    const char* name;
    void (*set)(State&);
    int code;
  } cases[] = {
      {"B on A", [](State& s) { setLink(s, 40.5, 11.5f, 40.5, 11.5f); }, kFaultDivisionByZero},
      {"month 13", [](State& s) { s.Monat = 13; }, kFaultSubscript},
      {"slice 3", [](State& s) { s.ErgSchicht = 3; }, kFaultSubscript},
      {"no power", [](State& s) { s.Zkw = 0; }, kFaultInvalidCall},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = defaultLink();
    c.set(*s);
    EXPECT_EQ(prgCalculation(*s), c.code);
  }
}

TEST(Calculation, DistanceFactorsAndFocusing) {
  auto s = defaultLink();
  equatorPath(*s, 3999.9);
  s->Angm = -1;  // a single 4000 km hop leaves just below the horizon
  ASSERT_EQ(prgCalculation(*s), 0);
  ASSERT_EQ(s->HopsF, 1);
  EXPECT_NEAR(s->FFaktor, 0.973, 0.001);
  ASSERT_EQ(s->HopsE, 2);
  EXPECT_NEAR(s->EFaktor, 0.96, 0.01);
  // 10 log10(x / sin x) with x = pi / 4 at 5000 km; limited to 15 dB.
  equatorPath(*s, 5000);
  ASSERT_EQ(prgCalculation(*s), 0);
  EXPECT_NEAR(s->Fokus, 0.4560, 1e-3);
  equatorPath(*s, 20000);
  ASSERT_EQ(prgCalculation(*s), 0);
  EXPECT_EQ(s->Fokus, 15);
}

TEST(Calculation, FrequencyListAndMemories) {
  auto plain = defaultLink();
  ASSERT_EQ(prgCalculation(*plain), 0);
  for (int k = 2; k <= 31; ++k) EXPECT_EQ(plain->FrqListe[k], k - 1);
  EXPECT_EQ(plain->FrqListe[1], plain->MufF2[24][1]);

  // Memories holding 7..12 MHz give indices 2..7 the values of 7..12 MHz;
  // indices 8..31 keep 7..30 MHz.
  auto print = defaultLink();
  print->DruckFlag = 1;
  print->Speicher1 = 7, print->Speicher2 = 8, print->Speicher3 = 9;
  print->Speicher4 = 10, print->Speicher5 = 11, print->Speicher6 = 12;
  ASSERT_EQ(prgCalculation(*print), 0);
  for (int h = 1; h <= 24; ++h) {
    for (int i = 0; i < 6; ++i) EXPECT_EQ(print->ErgFeld[1][h][2 + i], plain->ErgFeld[1][h][8 + i]);
    for (int k = 8; k <= 31; ++k) EXPECT_EQ(print->ErgFeld[1][h][k], plain->ErgFeld[1][h][k]);
  }
}

TEST(Calculation, WritesOnlyItsSliceHoursAndIndices) {
  auto s = defaultLink();
  for (int sl = 0; sl <= 2; ++sl)
    for (int h = 0; h <= 24; ++h)
      for (int k = 0; k <= 32; ++k) s->ErgFeld[sl][h][k] = 777;
  s->ErgSchicht = 2;
  ASSERT_EQ(prgCalculation(*s), 0);
  for (int h = 0; h <= 24; ++h) {
    EXPECT_EQ(s->ErgFeld[1][h][5], 777);
    EXPECT_EQ(s->ErgFeld[2][h][0], 777);
    EXPECT_EQ(s->ErgFeld[2][h][32], 777);
  }
  for (int k = 0; k <= 32; ++k) EXPECT_EQ(s->ErgFeld[2][0][k], 777);
  EXPECT_NE(s->ErgFeld[2][12][15], 777);
}

// ---- MUF of one control point ------------------------------------------------

TEST(Muf, GyroFrequencyNoonMidnightAndLocalHourZero) {
  auto s = defaultLink();
  s->Stunde = 12;
  s->Kp = 1;
  s->Ssna = 0;
  s->KpBreite[1] = 0;
  s->KpLaenge[1] = 0;
  ASSERT_EQ(prcMuf(*s), 0);
  EXPECT_DOUBLE_EQ(s->GyroFrq, 0.8);
  EXPECT_EQ(s->OrtsStunde, 12);
  // Local noon on the equator (counted as southern, December -> June row):
  // M3000 = Mn = MKorr[1][1] + Mb with Mb = 270; at midnight (hour 24) Mb.
  EXPECT_NEAR(s->M3000, (5 + 270) / 100.0, 1e-12);
  s->Stunde = 24;
  ASSERT_EQ(prcMuf(*s), 0);
  EXPECT_EQ(s->OrtsStunde, 24);
  EXPECT_NEAR(s->M3000, 3.26, 1e-12);
  s->KpBreite[1] = 89.999999;
  ASSERT_EQ(prcMuf(*s), 0);
  EXPECT_NEAR(s->GyroFrq, 1.7, 1e-6);
  // One hour behind UTC at 01 UTC: local hour 0 is read as 24.
  s->KpBreite[1] = 10;
  s->KpLaenge[1] = -15;
  s->Stunde = 1;
  ASSERT_EQ(prcMuf(*s), 0);
  EXPECT_EQ(s->Ortszeit, 0);
  EXPECT_EQ(s->OrtsStunde, 24);
}

TEST(Muf, SunspotNumberInterpolatesBetweenTheActivityRows) {
  auto s = defaultLink();
  s->Kp = 1;
  s->KpBreite[1] = 30;
  s->KpLaenge[1] = 20;
  s->Stunde = 10;
  double fo[3];
  for (int i = 0; i < 3; ++i) {
    s->Ssna = 100 * i;
    ASSERT_EQ(prcMuf(*s), 0);
    fo[i] = s->FoF2;
  }
  EXPECT_GT(fo[1], fo[0]);
  EXPECT_NEAR(fo[2] - fo[1], fo[1] - fo[0], 1e-12);  // linear beyond 100
}

TEST(Muf, HemispheresDecodeTheirOwnBytes) {
  auto s = defaultLink();
  for (int hemisphere : {1, 2}) {
    s->Packwert = 34 * 256 + 32;
    s->Halbkugel = static_cast<int16>(hemisphere);
    ASSERT_EQ(prcDecod(*s), 0);
    EXPECT_EQ(s->Packwert, hemisphere == 1 ? 34 : 32);
  }
}

// The equatorial band holds one value for both hemispheres: a coefficient
// changed in one byte only breaks it.
TEST(Muf, EquatorialBandHasEqualBytesForBothHemispheres) {
  for (int a = 1; a <= 2; ++a)
    for (int season = 1; season <= 4; ++season)
      for (int h = 1; h <= 24; ++h) {
        const int word = static_cast<int>(tab::FoTab(1, a, season, h));
        EXPECT_EQ(word / 256, word % 256) << a << " " << season << " " << h;
      }
}

TEST(Muf, GeomagneticLatitudeSixtyAndBeyond) {
  // Search the meridian 69 W for geomagnetic latitudes near 60 and 65: the
  // dipole pole lies on it, so the geomagnetic latitude grows with latitude.
  auto s = defaultLink();
  s->Kp = 1;
  s->Stunde = 12;
  s->KpLaenge[1] = -69;
  for (double lat = 40; lat <= 80; lat += 0.001) {
    s->KpBreite[1] = lat;
    ASSERT_EQ(prcMuf(*s), 0) << lat;
    EXPECT_TRUE(std::isfinite(s->FoF2));
    EXPECT_GT(s->FoF2, 0);
  }
}

// ---- Corrections ------------------------------------------------------------

TEST(Fcor, LowersTheFieldAboveTheMufOnShortPaths) {
  struct Case {
    double distance, ratio, change;
  } cases[] = {
      {2000, 2.0, (-24 + (2 - 1.55) / (2.4 - 1.55) * 13) / 2},
      {0, 1.55, -24}, {0, 5, -90}, {0, 7, -90}, {0, 2.4, -11}, {2000, 0.9, 0}, {4000, 2, 0}, {5000, 3, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.distance << " km, ratio " << c.ratio);
    auto s = defaultLink();
    s->Distanz = c.distance;
    s->Stunde = 5;
    s->MufF2[5][1] = 10;
    s->FrqIndex = 9;
    s->FrqListe[9] = 10 * c.ratio;
    s->Feldstaerke = 20;
    ASSERT_EQ(prcFcor(*s), 0);
    EXPECT_NEAR(s->Feldstaerke - 20, c.change, 1e-9);
  }
  auto s = defaultLink();
  s->Distanz = 1000;
  s->Stunde = 5;
  s->MufF2[5][1] = 0;
  s->FrqIndex = 9;
  s->FrqListe[9] = 8;
  EXPECT_EQ(prcFcor(*s), kFaultDivisionByZero);
}

TEST(Kormu, DistanceExponentAndNoonValue) {
  // MUF 6..29 MHz over the day, noon (15 MHz) at 10 UTC: the noon value is
  // 15 x KorrX x (0.5 x (6/15)^2 + 1.2 + 0.15).
  struct Case {
    double distance, corrX;
  } cases[] = {{0, 2}, {2000, 1.25}, {4000, 1}, {6000, 1}};
  auto s = defaultLink();
  s->Kp = 1;
  s->KpLaenge[1] = 30;
  s->KorrA = 0.15;
  s->KorrB = 0.7;
  s->KorrC = 0.5;
  for (int h = 1; h <= 24; ++h) s->MufF2[h][1] = 5 + h;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.distance);
    s->Distanz = c.distance;
    ASSERT_EQ(prcKormu(*s), 0);
    EXPECT_DOUBLE_EQ(s->KorrX, c.corrX);
    EXPECT_EQ(s->MufMittag, 15);
    EXPECT_EQ(s->MufMin, 6);
    EXPECT_NEAR(s->MufKorr[10][1], 21.45 * c.corrX, 1e-12);
  }
}

TEST(Decil, DeviationByAvailabilityAndFrequencyRatio) {
  struct Case {
    double availability, ratio, deviation;
  } cases[] = {
      {50, 1, 0}, {50, 3, 0},  {10, 1, 7}, {90, 1, -12}, {90, 0.55, -6},  {10, 3, 8},
      {10, 5, 6}, {90, 5, -3}, {10, 9, 6}, {90, 0.01, -10}, {10, 2.25, 8.5}, {30, 1, -12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.availability << " %, ratio " << c.ratio);
    auto s = defaultLink();
    s->Iproz = c.availability;
    s->Stunde = 7;
    s->MufF2[7][1] = 8;
    s->FrqIndex = 4;
    s->FrqListe[4] = 8 * c.ratio;
    s->Feldstaerke = 10;
    ASSERT_EQ(prcDecil(*s), 0);
    EXPECT_NEAR(s->Feldstaerke - 10, c.deviation, 1e-9);
  }
}

// ---- E layer and LUF ---------------------------------------------------------

TEST(ELayer, OnlyShortPathsHaveAnELayerMuf) {
  auto s = defaultLink();
  equatorPath(*s, 4500);
  ASSERT_EQ(prgCalculation(*s), 0);
  for (int h = 1; h <= 24; ++h) EXPECT_EQ(s->MufE[h], 0);

  equatorPath(*s, 1500);
  ASSERT_EQ(prgCalculation(*s), 0);
  int dayHours = 0;
  for (int h = 1; h <= 24; ++h) dayHours += s->MufE[h] > 0;
  EXPECT_GT(dayHours, 8);
  EXPECT_LT(dayHours, 16);
}

TEST(ELayer, LufLimitsAndTheSmoothedEveningDrop) {
  for (double km : {3000.0, 12000.0}) {
    SCOPED_TRACE(km);
    auto s = defaultLink();
    equatorPath(*s, km);
    ASSERT_EQ(prgCalculation(*s), 0);
    EXPECT_NEAR(s->LufMin, km < 4000 ? 1 : 2, 1e-6);
    EXPECT_NEAR(s->LufNacht, km < 4000 ? 2 : 4, 1e-6);
  }
  // After the drop the LUF falls by at most the factor 0.795 per hour.
  auto s = defaultLink();
  ASSERT_EQ(prgCalculation(*s), 0);
  ASSERT_TRUE(s->KnickGenau == 1 || s->KnickSchnitt == 1);
  for (int j = 1; j <= 3; ++j) {
    int t = static_cast<int>(s->KnickStunde) + j;
    if (t > 24) t -= 24;
    const int q = t == 1 ? 24 : t - 1;
    EXPECT_TRUE(s->Luf[t] >= 0.795 * s->Luf[q] - 1e-12 || s->Luf[t] == s->LufMin) << t;
  }
}

TEST(ELayer, PolarNightLeavesTheLufAtItsFloor) {
  // December in the Arctic: no sun at the absorption points all day.
  auto s = defaultLink();
  setLink(*s, 80, 0, 80, 40);
  ASSERT_EQ(prgCalculation(*s), 0);
  for (int h = 1; h <= 24; ++h) {
    EXPECT_EQ(s->MufE[h], 0);
    EXPECT_EQ(s->Luf[h], s->LufMin);
  }
  EXPECT_EQ(s->KnickGenau, 0);
  EXPECT_EQ(s->KnickSchnitt, 0);
}

// ---- Day correction ------------------------------------------------------------

TEST(DayCorrection, TheFifteenthAndOtherMonthsCopyTheMonth) {
  auto s = defaultLink();
  ASSERT_EQ(prgTageskorr(*s), 0);  // the 15th
  for (int h = 0; h <= 24; ++h)
    for (int k = 0; k <= 32; ++k) ASSERT_EQ(s->ErgFeld[0][h][k], s->ErgFeld[1][h][k]);

  s->Jetzt = {2026, 11, 20};
  s->TagGewicht = 0.125f;
  s->ErgFeld[2][12][12] = 4242;
  ASSERT_EQ(prgTageskorr(*s), 0);
  EXPECT_EQ(s->TagGewicht, 0.125f);        // no blend ran
  EXPECT_EQ(s->ErgFeld[2][12][12], 4242);  // no second calculation
  for (int h = 1; h <= 24; ++h)
    for (int k = 1; k <= 31; ++k) ASSERT_EQ(s->ErgFeld[0][h][k], s->ErgFeld[1][h][k]);
  EXPECT_EQ(s->Monat, 12);
}

TEST(DayCorrection, BlendsWithTheNeighbourMonth) {
  // The weight is used as stored, a single: 5/30 as a single is slightly
  // above 1/6, which moves some floored values one step down.
  struct Case {
    DateTime today;
    float neighbour;
    int days;
    bool later;
  } cases[] = {
      {{2026, 12, 20}, 1, 5, true},
      {{2026, 12, 31}, 1, 16, true},
      {{2027, 1, 1}, 12, 14, false},
      {{2026, 6, 3}, 5, 12, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(shortDate(c.today));
    auto s = defaultLink(c.today);
    ASSERT_EQ(prgTageskorr(*s), 0);
    EXPECT_EQ(s->Monat, static_cast<float>(c.today.month));
    const float g = static_cast<float>(c.days / 30.0);
    EXPECT_EQ(s->TagGewicht, g);

    auto n = defaultLink();
    n->Monat = c.neighbour;
    n->ErgSchicht = 2;
    ASSERT_EQ(prgCalculation(*n), 0);
    for (int h = 1; h <= 24; ++h) {
      for (int k = 1; k <= 31; ++k) {
        const double s1 = s->ErgFeld[1][h][k], s2 = n->ErgFeld[2][h][k];
        ASSERT_EQ(s->ErgFeld[2][h][k], s2);
        const double want = c.later ? std::floor(s1 + (s2 - s1) * static_cast<double>(g))
                                      : std::floor(s1 - (s1 - s2) * static_cast<double>(g));
        ASSERT_EQ(s->ErgFeld[0][h][k], want) << h << " " << k;
      }
    }
  }
}

TEST(DayCorrection, RestoresTheMonthAfterAFault) {
  auto s = defaultLink({2026, 12, 28});
  setLink(*s, 40.5, 11.5f, 40.5, 11.5f);
  s->ErgFeld[0][3][3] = 55;
  EXPECT_EQ(prgTageskorr(*s), kFaultDivisionByZero);
  EXPECT_EQ(s->Monat, 12);
  EXPECT_EQ(s->ErgFeld[0][3][3], 55);
}

// ---- Robustness ------------------------------------------------------------------

// Any input in the ranges the dialogs accept, including the poles, the date
// line, antipodes and the extreme conditions: a result or a fault code, never
// a crash or a value that is not a number.
TEST(Robustness, NoInputPutsNaNIntoAResult) {
  std::mt19937 rng(20261208);
  std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180), u01(0, 1);
  const double special[] = {-90, -89.5, -60, 0, 60, 89.5, 90};
  int ok = 0;
  for (int n = 0; n < 400; ++n) {
    auto s = defaultLink();
    s->X1 = n % 10 == 0 ? special[n / 10 % 7] : std::round(lat(rng) * 10) / 10;
    s->Y1 = static_cast<float>(n % 13 == 0 ? 180 : lon(rng));
    s->X2 = n % 7 == 0 ? special[n / 7 % 7] : lat(rng);
    s->Y2 = static_cast<float>(n % 11 == 0 ? -180 : lon(rng));
    if (n % 17 == 0) {  // antipode
      s->X2 = -s->X1;
      s->Y2 = s->Y1 > 0 ? s->Y1 - 180 : s->Y1 + 180;
    }
    s->P = n % 3 == 0 ? "L" : "S";
    s->Angm = n % 19 == 0 ? 90 : std::round(u01(rng) * 45);
    s->Ssna = n % 5 == 0 ? 0 : n % 5 == 1 ? 300 : std::round(u01(rng) * 300);
    s->Zkw = n % 23 == 0 ? 0.000001 : n % 23 == 1 ? 1000 : 0.1;
    s->Sag = -40 + u01(rng) * 60;
    s->Iproz = n % 3 == 0 ? 10 : n % 3 == 1 ? 50 : 90;
    s->Monat = static_cast<float>(1 + n % 12);
    s->Jetzt = {2026, 1 + n % 12, 1 + n % 31 % 28};
    SCOPED_TRACE(::testing::Message() << "case " << n << ": " << s->X1 << "," << s->Y1 << " -> " << s->X2 << ","
                                      << s->Y2 << " " << s->P << " angle " << s->Angm);
    const int rc = prgTageskorr(*s);
    if (rc == 0) {
      ++ok;
      ASSERT_TRUE(allFinite(*s, 0));
      for (int h = 1; h <= 24; ++h)
        for (int k = 1; k <= 31; ++k) ASSERT_GE(s->ErgFeld[0][h][k], -1200);
    } else {
      // Only an exact antipode has no defined great circle.
      EXPECT_EQ(rc, kFaultDivisionByZero);
      EXPECT_EQ(n % 17, 0);
    }
    EXPECT_EQ(s->Monat, static_cast<float>(1 + n % 12));
  }
  EXPECT_GT(ok, 380);
}
