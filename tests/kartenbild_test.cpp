// The world map and the chart drawn at any size: the values against the
// bitmaps at the same places, grid points, the date line, the read-out, the
// night side against the greyline, the path A-B, the coastline greys, the
// ticks of the scales, odd sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <numbers>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/chartbild.h"
#include "display/greyline.h"
#include "display/kartenbild.h"
#include "display/worldmap.h"
#include "files/kartenlinien.h"
#include "forecast/tageskorr.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

constexpr double kPi = std::numbers::pi;

// A table of made-up values, different at every point, frequency and hour,
// beyond both ends of the scales.
std::unique_ptr<State> zufallsTabelle(std::uint32_t saat = 12345) {
  auto s = std::make_unique<State>();
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j)
      for (int f = 0; f <= 30; ++f)
        for (int h = 0; h <= 24; ++h) {
          saat = saat * 1103515245u + 12345u;
          const int v = static_cast<int>((saat >> 16) % 140);
          s->Weltpegel[i][j][f][h] = static_cast<int16>(v - 140);
          s->Weltfeld[i][j][f][h] = static_cast<int16>(v - 70);
        }
  conBitmaps(*s);
  return s;
}

// Every point of the table at one value.
void fuelle(State& s, int pegel) {
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j)
      for (int f = 0; f <= 30; ++f)
        for (int h = 0; h <= 24; ++h) s.Weltpegel[i][j][f][h] = static_cast<int16>(pegel);
}

std::uint32_t farbe(int index) { return wertFarben()[index]; }

// Index of a value colour; -1 for any other colour.
int indexVon(std::uint32_t c) {
  static const std::map<std::uint32_t, int> tabelle = [] {
    std::map<std::uint32_t, int> m;
    for (int i = kFarbMax; i >= 0; --i) m[farbe(i)] = i;
    return m;
  }();
  const auto it = tabelle.find(c | kDeckend);
  return it == tabelle.end() ? -1 : it->second;
}

std::uint32_t pixel(const Kartenbild& b, Punkt p) {
  return b.pixel()[static_cast<std::size_t>(std::lround(p.y)) * b.breite() + std::lround(p.x)];
}

int helligkeit(std::uint32_t c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF); }

Ansicht nurWerte(float frequenz, int minute, bool pegel) {
  Ansicht a;
  a.frequenz = frequenz;
  a.utcMinute = minute;
  a.pegel = pegel;
  a.linien = false;
  return a;
}

// Index of the bitmap at column x and screen row y.
int bitmapIndex(const std::string& bild, std::size_t zeile, int x, int y) {
  return static_cast<unsigned char>(bild[kBmpDatenStart + static_cast<std::size_t>(270 - y) * zeile + x]);
}

// The value between grid points in exact arithmetic.
long double exakt(const Arr<Arr<int16, 0, 18>, 0, 35>& raster, long double breite, long double laenge) {
  const long double z = (breite + 90) / 10, sp = (laenge + 180) / 10;
  const int b = std::min(17, static_cast<int>(z)), j = std::min(35, static_cast<int>(sp));
  const long double t = z - b, u = sp - j;
  const auto w = [&](int i, int jj) { return static_cast<long double>(raster[jj % 36][i]); };
  const long double a = w(b, j) + t * (w(b + 1, j) - w(b, j)), c = w(b, j + 1) + t * (w(b + 1, j + 1) - w(b, j + 1));
  return a + u * (c - a);
}

}  // namespace

// The bitmap's row y shows the values of latitude 90 - (y - 1) / 1.5 (its
// first row of a band is already a step up), its column x longitude
// -180 + x / 1.5, and its last column no value. A scaled map whose pixels
// fall on those places must show the same colours; only where the exact
// value is a whole number may the single-precision sums on either side land
// a step apart (the bitmap's running sums more often than not).
TEST(Kartenbild, ShowsTheBitmapsValuesAtTheSamePlaces) {
  struct Fall {
    bool pegel;
    float frequenz;
    int stunde, minute;
  };
  for (const Fall f : {Fall{true, 14.3f, 23, 30}, Fall{false, 29.9f, 0, 15}, Fall{true, 1.5f, 12, 0}}) {
    auto s = zufallsTabelle();
    s->PegelFlag = f.pegel ? 1 : 0;
    s->AktFrequenz = f.frequenz;
    s->Zeitpunkt = {2026, 12, 8, f.stunde, f.minute, 0};
    std::string bild;
    weltBild(*s, bild);
    for (const int k : {1, 2, 4}) {
      SCOPED_TRACE(::testing::Message() << f.frequenz << " MHz, size x" << k);
      auto karte = std::make_unique<Kartenbild>();
      karte->render(*s, nurWerte(f.frequenz, f.stunde * 60 + f.minute, f.pegel), 540 * k + 1, 270 * k + 1);
      int gleich = 0;
      for (int yb = 1; yb <= 270; ++yb)
        for (int xb = 0; xb <= 540; ++xb) {
          // Column 540 is 180 E: the bitmap has the value of -180 in column 0.
          const int erwartet = bitmapIndex(bild, kWeltZeile, xb == 540 ? 0 : xb, yb);
          const int gezeigt = indexVon(karte->pixel()[static_cast<std::size_t>(k * (yb - 1)) * karte->breite() + k * xb]);
          if (gezeigt == erwartet) {
            ++gleich;
            continue;
          }
          const long double genau = exakt(s->WeltRaster, 90 - (yb - 1) / 1.5L, -180 + xb / 1.5L);
          ASSERT_LT(std::fabs(genau - std::round(genau)), 1e-4L) << "at " << xb << "," << yb;
          ASSERT_LE(std::abs(gezeigt - erwartet), 1) << "at " << xb << "," << yb;
        }
      EXPECT_GT(gleich, 270 * 541 * 97 / 100);
    }
  }
}

TEST(Kartenbild, GridPointsShowTheirOwnIndex) {
  auto s = zufallsTabelle(99);
  auto karte = std::make_unique<Kartenbild>();
  karte->render(*s, nurWerte(7.3f, 6 * 60 + 40, true), 541, 271);
  const Weltgitter& g = karte->gitter();
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 36; ++j) {
      SCOPED_TRACE(::testing::Message() << i << "," << j);
      EXPECT_EQ(karte->pixel()[static_cast<std::size_t>(15 * (18 - i)) * 541 + 15 * j], farbe(g[i][j % 36]));
    }
  // The grid is the bitmap's own.
  s->AktFrequenz = 7.3f;
  s->Zeitpunkt = {2026, 12, 8, 6, 40, 0};
  weltRasterBilden(*s);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) ASSERT_EQ(g[i][j], s->WeltRaster[j][i]);
}

TEST(Kartenbild, ReadOutGivesTheValueThePictureShows) {
  auto s = zufallsTabelle(7);
  for (const Projektion pr : {Projektion::Rechteck, Projektion::Azimutal}) {
    for (const bool pegel : {true, false}) {
      SCOPED_TRACE(::testing::Message() << (pr == Projektion::Azimutal) << pegel);
      auto karte = std::make_unique<Kartenbild>();
      Ansicht a = nurWerte(21.2f, 17 * 60 + 5, pegel);
      a.projektion = pr;
      karte->render(*s, a, 917, 640);
      int innen = 0;
      for (int y = 0; y < 640; y += 7)
        for (int x = 0; x < 917; x += 7) {
          const auto r = karte->ablesen(*s, {double(x), double(y)});
          const auto o = karte->projektion().zuOrt({double(x), double(y)});
          ASSERT_EQ(r.has_value(), o.has_value()) << x << "," << y;
          if (!r) continue;
          ++innen;
          EXPECT_EQ(r->ort.breite, o->breite);
          EXPECT_EQ(r->wert, r->farbIndex - (pegel ? 127 : 54));
          // The rim of the disc is blended with the ground.
          const double rho = std::hypot(x - karte->projektion().scheibenMitte().x,
                                        y - karte->projektion().scheibenMitte().y);
          if (pr == Projektion::Azimutal && rho > karte->projektion().radius() - 0.5) continue;
          EXPECT_EQ(karte->pixel()[static_cast<std::size_t>(y) * 917 + x], farbe(r->farbIndex)) << x << "," << y;
        }
      EXPECT_GT(innen, 5000);
    }
  }
}

TEST(Kartenbild, AzimuthalMapIsCentredOnStationAWithItsValue) {
  auto s = zufallsTabelle(5);
  s->X1 = 50;  // a grid point: the centre pixel shows its index exactly
  s->Y1 = 10;
  auto karte = std::make_unique<Kartenbild>();
  Ansicht a = nurWerte(10.2f, 600, true);
  a.projektion = Projektion::Azimutal;
  karte->render(*s, a, 801, 601);
  const Punkt m = karte->projektion().scheibenMitte();
  EXPECT_EQ(pixel(*karte, m), farbe(karte->gitter()[14][19]));
  const auto r = karte->ablesen(*s, m);
  ASSERT_TRUE(r);
  EXPECT_NEAR(r->abstandKm, 0, 1e-6);
  // Straight above the centre, 5000 km due north.
  const double proKm = karte->projektion().radius() / (kPi * 6371.2);
  const auto n = karte->ablesen(*s, {m.x, m.y - 3000 * proKm});
  EXPECT_NEAR(n->peilung, 0, 1e-6);
  EXPECT_NEAR(n->abstandKm, 3000, 1e-6);
  EXPECT_NEAR(n->ort.laenge, 10, 1e-6);
  // Across the pole the meridian goes on on the far side.
  EXPECT_NEAR(karte->ablesen(*s, {m.x, m.y - 6000 * proKm})->ort.laenge, -170, 1e-6);
}

TEST(Kartenbild, NightSideIsShadedFromTheSubSolarPoint) {
  auto s = std::make_unique<State>();
  fuelle(*s, -73);  // index 54: green everywhere
  s->Dekl = 0.3f;
  auto karte = std::make_unique<Kartenbild>();
  Ansicht a = nurWerte(14, 12 * 60, true);
  a.greyline = true;
  karte->render(*s, a, 1081, 541);
  const Kartenprojektion& p = karte->projektion();
  const std::uint32_t gruen = farbe(54);
  EXPECT_EQ(pixel(*karte, p.zuPixel({17, 0})), gruen);            // under the sun at noon UTC
  EXPECT_EQ(pixel(*karte, p.zuPixel({60, 60})), gruen);           // afternoon in Siberia, far from the terminator
  EXPECT_EQ(pixel(*karte, p.zuPixel({-17, 180})), rgb(0, 127, 0));  // midnight: half as bright
  EXPECT_EQ(pixel(*karte, p.zuPixel({-60, 120})), rgb(0, 127, 0));
  // Six hours later the sun stands over 90 W.
  a.utcMinute = 18 * 60;
  karte->render(*s, a, 1081, 541);
  EXPECT_EQ(pixel(*karte, p.zuPixel({17, -90})), gruen);
  EXPECT_EQ(pixel(*karte, p.zuPixel({-17, 90})), rgb(0, 127, 0));
  const Ort sonne = sonnenpunkt(0.3f, 18 * 60);
  EXPECT_NEAR(sonne.breite, 0.3 * 180 / kPi, 1e-5);
  EXPECT_DOUBLE_EQ(sonne.laenge, -90);
  EXPECT_DOUBLE_EQ(sonnenpunkt(0.3f, 0).laenge, 180);
}

// The terminator follows the time and the declination as the bitmap's
// greyline does: the template shifted to the time lies on the exact boundary
// (within the template's own approximation).
TEST(Kartenbild, TerminatorAgreesWithTheGreyline) {
  for (const float dekl : {0.38f, -0.2f}) {
    for (const int minute : {0, 7 * 60 + 20, 12 * 60, 19 * 60 + 45}) {
      SCOPED_TRACE(::testing::Message() << dekl << " at minute " << minute);
      auto s = std::make_unique<State>();
      s->Dekl = dekl;
      prgGreyKurve(*s);
      const auto strecken = greylineStrecken(*s, {2026, 6, 1, minute / 60, minute % 60, 0});
      const Ort sonne = sonnenpunkt(dekl, minute);
      double schlimmste = 0, summe = 0;
      for (const GreyStrecke& g : strecken) {
        const double laenge = -180 + g.x1 / 22.5, breite = (2025 - g.y1) / 22.5;
        // Exact boundary: tan(latitude) = -cos(longitude from the sun) / tan(declination).
        const double exakt =
            std::atan(-std::cos((laenge - sonne.laenge) * kPi / 180) / std::tan(static_cast<double>(dekl))) * 180 / kPi;
        schlimmste = std::max(schlimmste, std::fabs(breite - exakt));
        summe += std::fabs(breite - exakt);
      }
      EXPECT_LT(schlimmste, 4.0);
      EXPECT_LT(summe / strecken.size(), 1.0);
    }
  }
}

TEST(Kartenbild, PathAToBShortOrLongWithMarks) {
  const Ort a{48.1, 11.5}, b{35.7, 139.7};
  const double winkel = zentriwinkel(a, b), kurs = peilung(a, b);
  const Ort kurzMitte = zielpunkt(a, kurs, winkel / 2);
  const Ort langMitte = zielpunkt(a, kurs + 180, (2 * kPi - winkel) / 2);
  for (const Projektion pr : {Projektion::Rechteck, Projektion::Azimutal}) {
    for (const std::string weg : {"S", "L"}) {
      SCOPED_TRACE(::testing::Message() << (pr == Projektion::Azimutal) << weg);
      auto s = std::make_unique<State>();
      fuelle(*s, -140);  // black
      s->X1 = a.breite;
      s->Y1 = static_cast<float>(a.laenge);
      s->OrtX2 = static_cast<float>(b.breite);
      s->OrtY2 = static_cast<float>(b.laenge);
      s->P = weg;
      auto karte = std::make_unique<Kartenbild>();
      Ansicht an = nurWerte(14, 0, true);
      an.projektion = pr;
      an.pfad = true;
      karte->render(*s, an, 1201, 801);
      const Kartenprojektion& p = karte->projektion();
      const bool lang = weg == "L";
      EXPECT_GT(helligkeit(pixel(*karte, p.zuPixel(lang ? langMitte : kurzMitte))), 400);
      EXPECT_EQ(helligkeit(pixel(*karte, p.zuPixel(lang ? kurzMitte : langMitte))), 0);
      EXPECT_EQ(pixel(*karte, p.zuPixel(a)), rgb(255, 255, 255));
      EXPECT_EQ(pixel(*karte, p.zuPixel({s->OrtX2, s->OrtY2})), rgb(255, 255, 255));
    }
  }
}

TEST(Kartenbild, PathOverTheDateLineReachesBothEdges) {
  auto s = std::make_unique<State>();
  fuelle(*s, -140);
  s->X1 = 35.7;  // Tokyo - San Francisco
  s->Y1 = 139.7f;
  s->OrtX2 = 37.8f;
  s->OrtY2 = -122.4f;
  auto karte = std::make_unique<Kartenbild>();
  Ansicht a = nurWerte(14, 0, true);
  a.pfad = true;
  karte->render(*s, a, 1081, 541);
  const Ort a0{35.7, 139.7};
  const double winkel = zentriwinkel(a0, {37.8, -122.4}), kurs = peilung(a0, {37.8, -122.4});
  // Where the path crosses 180 degrees, both edges of the map are lit.
  double breite = 0;
  for (int i = 0; i <= 1000; ++i) {
    const Ort o = zielpunkt(a0, kurs, winkel * i / 1000);
    if (o.laenge < 0) {
      breite = o.breite;
      break;
    }
  }
  const Kartenprojektion& p = karte->projektion();
  EXPECT_GT(helligkeit(pixel(*karte, p.zuPixel({breite, 180}))), 300);
  EXPECT_GT(helligkeit(pixel(*karte, p.zuPixel({breite, -180}))), 300);
  // and nothing is drawn across the map between them.
  EXPECT_EQ(helligkeit(pixel(*karte, p.zuPixel({breite, 0}))), 0);
}

TEST(Kartenbild, CoastlinesBordersAndGraticuleInTheOverlayGreys) {
  Kartenlinien linien;
  ASSERT_EQ(leseKartenlinien(welvaro::test::shippedData() / "MapLinien.dat",
                             linien),
            LinienStatus::kRead);
  auto s = std::make_unique<State>();
  fuelle(*s, -140);
  auto karte = std::make_unique<Kartenbild>();
  karte->setzeLinien(&linien);
  Ansicht a = nurWerte(14, 0, true);
  a.linien = true;
  karte->render(*s, a, 1081, 541);
  std::map<std::uint32_t, int> grau;
  for (int i = 0; i < 1081 * 541; ++i) {
    const std::uint32_t c = karte->pixel()[i];
    ASSERT_TRUE(((c >> 16) & 0xFF) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF)) << std::hex << c;
    ++grau[c];
  }
  // The middle of each kind of line shows its grey, nothing is lighter.
  for (const std::uint32_t g : {rgb(0x5A, 0x5A, 0x5A), rgb(0x84, 0x84, 0x84), rgb(0xE0, 0xE0, 0xE0)})
    EXPECT_GT(grau[g], 50) << std::hex << g;
  EXPECT_EQ(grau.rbegin()->first, rgb(0xE0, 0xE0, 0xE0));
  // The Cape of Good Hope and Cape Horn are coast; the South Atlantic is not.
  const auto naheLinie = [&](Ort o) {
    const Punkt q = karte->projektion().zuPixel(o);
    int best = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) best = std::max(best, helligkeit(pixel(*karte, {q.x + dx, q.y + dy})));
    return best;
  };
  EXPECT_GT(naheLinie({-34.36, 18.47}), 150);
  EXPECT_GT(naheLinie({-55.98, -67.27}), 150);
  EXPECT_EQ(naheLinie({-40, -20}), 0);
}

TEST(Kartenbild, TicksLieOnThePicturesOwnPixel) {
  auto s = std::make_unique<State>();
  fuelle(*s, -140);
  auto karte = std::make_unique<Kartenbild>();
  Ansicht a = nurWerte(14, 0, true);
  a.skalen = true;
  karte->render(*s, a, 1240, 580);
  const Tafel& t = karte->tafel();
  const Kartenprojektion& p = karte->projektion();
  const int unten = t.bild.y + t.bild.hoehe;
  const std::uint32_t grund = rgb(255, 255, 255);
  for (const int l : {-180, -90, 0, 30, 180}) {
    const int x = static_cast<int>(std::lround(p.spalte(l)));
    EXPECT_NEAR(p.zuOrt({double(x), double(t.bild.y)})->laenge, l, 0.5 * 360 / (t.bild.breite - 1));
    EXPECT_NE(karte->pixel()[static_cast<std::size_t>(unten) * 1240 + x], grund) << l;
    EXPECT_EQ(karte->pixel()[static_cast<std::size_t>(unten) * 1240 + x + 2], grund) << l;
  }
  const int y = static_cast<int>(std::lround(p.zeile(0)));
  EXPECT_NEAR(p.zuOrt({double(t.bild.x), double(y)})->breite, 0, 0.5 * 180 / (t.bild.hoehe - 1));
  EXPECT_NE(karte->pixel()[static_cast<std::size_t>(y) * 1240 + t.bild.x - 1], grund);
  EXPECT_EQ(karte->pixel()[static_cast<std::size_t>(y + 2) * 1240 + t.bild.x - 1], grund);
  // The map keeps 2 : 1 between its outer pixel centres.
  EXPECT_EQ(t.bild.breite - 1, 2 * (t.bild.hoehe - 1));
}

TEST(Kartenbild, AnySizeAndEveryOptionStaysInsideItsBuffer) {
  auto s = zufallsTabelle(3);
  s->Dekl = -0.4f;
  s->P = "L";
  Kartenlinien linien;
  leseKartenlinien(welvaro::test::shippedData() / "MapLinien.dat", linien);
  auto karte = std::make_unique<Kartenbild>();
  karte->setzeLinien(&linien);
  struct Groesse {
    int w, h;
  };
  for (const Projektion pr : {Projektion::Rechteck, Projektion::Azimutal})
    for (const Groesse g : {Groesse{1, 1}, Groesse{2, 2}, Groesse{3, 700}, Groesse{700, 3}, Groesse{37, 19},
                            Groesse{160, 90}, Groesse{0, -5}})
      for (const bool skalen : {false, true}) {
        SCOPED_TRACE(::testing::Message() << g.w << "x" << g.h << " " << skalen);
        Ansicht a;
        a.projektion = pr;
        a.greyline = a.pfad = true;
        a.skalen = skalen;
        a.skala = 2.5;
        ASSERT_NE(karte->render(*s, a, g.w, g.h), nullptr);
        EXPECT_EQ(karte->breite(), std::max(1, g.w));
        EXPECT_EQ(karte->hoehe(), std::max(1, g.h));
        const Rahmen& r = karte->tafel().bild;
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.breite <= karte->breite() && r.y + r.hoehe <= karte->hoehe());
      }
}

// The chart's row y shows (271 - y) / 9 MHz like the bitmap's row y + 1;
// its last column 24 h is 00 UTC again.
TEST(Chartbild, ShowsTheBitmapsValuesAtTheSamePlaces) {
  auto s = defaultLink();
  ASSERT_EQ(prgTageskorr(*s), 0);
  for (const bool pegel : {true, false}) {
    SCOPED_TRACE(pegel);
    s->PegelFlag = pegel ? 1 : 0;
    conBitmaps(*s);
    ortsRasterBilden(*s);
    std::string bild;
    ortBildAusRaster(*s, bild);
    auto chart = std::make_unique<Chartbild>();
    ChartAnsicht a;
    a.pegel = pegel;
    a.linien = false;
    chart->render(*s, a, 529, 271);
    int gleich = 0;
    for (int y = 0; y < 270; ++y)
      for (int x = 0; x <= 528; ++x) {
        const int erwartet = bitmapIndex(bild, kOrtZeile, x == 528 ? 0 : x, y + 1);
        const int gezeigt = indexVon(chart->pixel()[static_cast<std::size_t>(y) * 529 + x]);
        if (gezeigt == erwartet) ++gleich;
        EXPECT_LE(std::abs(gezeigt - erwartet), 1);
      }
    EXPECT_GT(gleich, 270 * 529 * 99 / 100);
    // Read-out at 12:30 UTC, 15 MHz: the value the picture shows there.
    const Punkt p = chart->projektion().zuPixel({12.5, 15});
    const auto r = chart->ablesen(p);
    ASSERT_TRUE(r);
    EXPECT_EQ(chart->pixel()[static_cast<std::size_t>(p.y) * 529 + static_cast<std::size_t>(p.x)],
              farbe(r->farbIndex));
  }
}

TEST(Chartbild, TicksOfNoonAndFifteenMegahertz) {
  auto s = defaultLink();
  ASSERT_EQ(prgTageskorr(*s), 0);
  auto chart = std::make_unique<Chartbild>();
  ChartAnsicht a;
  a.skalen = true;
  chart->render(*s, a, 1000, 500);
  const Tafel& t = chart->tafel();
  const Chartprojektion& p = chart->projektion();
  const int x = static_cast<int>(std::lround(p.spalte(12)));
  EXPECT_NEAR(p.zuOrt({double(x), double(t.bild.y)})->stunden, 12, 0.5 * 24 / (t.bild.breite - 1));
  EXPECT_NE(chart->pixel()[static_cast<std::size_t>(t.bild.y + t.bild.hoehe) * 1000 + x], rgb(255, 255, 255));
  const int y = static_cast<int>(std::lround(p.zeile(15)));
  EXPECT_NEAR(p.zuOrt({double(t.bild.x), double(y)})->mhz, 15, 0.5 * 30 / (t.bild.hoehe - 1));
  EXPECT_NE(chart->pixel()[static_cast<std::size_t>(y) * 1000 + t.bild.x - 1], rgb(255, 255, 255));
  EXPECT_FALSE(chart->ablesen({0, 0}));
}
