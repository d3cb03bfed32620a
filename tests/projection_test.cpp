// Where positions, hours and frequencies lie in pictures of any size, and
// back: round trips on both map projections, the date line, the poles, the
// antipode of station A on the rim of the azimuthal map, points outside the
// picture; the great-circle helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "display/projection.h"
#include "model/constants.h"

using namespace welvaro;

namespace {

constexpr double kPi = std::numbers::pi;

// The same place: equal latitudes and longitudes, 180 E being 180 W and any
// longitude at a pole.
void gleicherOrt(Ort a, Ort b, double tol) {
  EXPECT_NEAR(a.breite, b.breite, tol);
  if (std::fabs(a.breite) < 90 - 1e-6) {
    EXPECT_NEAR(std::remainder(a.laenge - b.laenge, 360.0), 0.0, tol);
  }
}

}  // namespace

TEST(Rechteckkarte, KeepsTheBitmapGeometryAt541By271) {
  const auto p = Kartenprojektion::rechteck({0, 0, 541, 271});
  // The bitmap: column x is longitude -180 + x / 1.5, row y latitude 90 - y / 1.5.
  for (int x = 0; x <= 540; x += 27) EXPECT_DOUBLE_EQ(p.zuOrt({double(x), 100})->laenge, -180 + x / 1.5);
  for (int y = 0; y <= 270; y += 15) EXPECT_DOUBLE_EQ(p.zuOrt({100, double(y)})->breite, 90 - y / 1.5);
  EXPECT_DOUBLE_EQ(p.spalte(0), 270);
  EXPECT_DOUBLE_EQ(p.zeile(0), 135);
}

TEST(Rechteckkarte, RoundTripsOverTheWholePictureAtManySizes) {
  for (const Rahmen r : {Rahmen{0, 0, 541, 271}, Rahmen{7, 3, 1920, 960}, Rahmen{40, 11, 1081, 541},
                         Rahmen{0, 0, 37, 19}}) {
    SCOPED_TRACE(r.breite);
    const auto p = Kartenprojektion::rechteck(r);
    // Every 7th pixel plus the edges: the date line on both sides, the poles.
    for (int y = 0; y < r.hoehe; y = y + 7 < r.hoehe || y == r.hoehe - 1 ? y + 7 : r.hoehe - 1) {
      for (int x = 0; x < r.breite; x = x + 7 < r.breite || x == r.breite - 1 ? x + 7 : r.breite - 1) {
        const Punkt px{double(r.x + x), double(r.y + y)};
        const auto o = p.zuOrt(px);
        ASSERT_TRUE(o);
        const Punkt zurueck = p.zuPixel(*o);
        EXPECT_NEAR(zurueck.x, px.x, 1e-9);
        EXPECT_NEAR(zurueck.y, px.y, 1e-9);
      }
    }
    EXPECT_DOUBLE_EQ(p.zuOrt({double(r.x), double(r.y)})->laenge, -180);
    EXPECT_DOUBLE_EQ(p.zuOrt({double(r.x + r.breite - 1), double(r.y)})->laenge, 180);
    EXPECT_DOUBLE_EQ(p.zuOrt({double(r.x), double(r.y)})->breite, 90);
    EXPECT_DOUBLE_EQ(p.zuOrt({double(r.x), double(r.y + r.hoehe - 1)})->breite, -90);
    // Half a pixel beyond the outer pixel centres is still the picture (held
    // on the earth), further out is not.
    EXPECT_DOUBLE_EQ(p.zuOrt({r.x - 0.5, double(r.y)})->laenge, -180);
    EXPECT_DOUBLE_EQ(p.zuOrt({double(r.x), r.y + r.hoehe - 0.5})->breite, -90);
    EXPECT_FALSE(p.zuOrt({r.x - 0.51, double(r.y)}));
    EXPECT_FALSE(p.zuOrt({r.x + r.breite - 0.49, double(r.y)}));
    EXPECT_FALSE(p.zuOrt({double(r.x), r.y - 0.51}));
    EXPECT_FALSE(p.zuOrt({double(r.x), r.y + r.hoehe - 0.49}));
  }
}

TEST(Azimutalkarte, RoundTripsInsideTheDiscForCentresAnywhere) {
  // Centres on the equator, at the poles, on the date line, near the pole.
  for (const Ort mitte : {Ort{48.1, 11.5}, Ort{0, 0}, Ort{90, 0}, Ort{-90, 0}, Ort{-33.9, 180}, Ort{89.9, -179.9},
                          Ort{35.7, 139.7}}) {
    SCOPED_TRACE(::testing::Message() << mitte.breite << "," << mitte.laenge);
    const Rahmen r{5, 9, 801, 700};
    const auto p = Kartenprojektion::azimutal(r, mitte);
    EXPECT_DOUBLE_EQ(p.radius(), 349.5);
    gleicherOrt(*p.zuOrt(p.scheibenMitte()), mitte, 1e-9);
    for (int y = r.y; y < r.y + r.hoehe; y += 13) {
      for (int x = r.x; x < r.x + r.breite; x += 13) {
        const Punkt px{double(x), double(y)};
        const double rho = std::hypot(px.x - p.scheibenMitte().x, px.y - p.scheibenMitte().y);
        const auto o = p.zuOrt(px);
        if (rho > p.radius()) {
          EXPECT_FALSE(o) << x << "," << y;  // outside the disc
          continue;
        }
        ASSERT_TRUE(o);
        if (rho > p.radius() - 1) continue;  // next to the antipode the rim smears one point
        const Punkt zurueck = p.zuPixel(*o);
        EXPECT_NEAR(zurueck.x, px.x, 1e-6) << x << "," << y;
        EXPECT_NEAR(zurueck.y, px.y, 1e-6) << x << "," << y;
      }
    }
  }
}

TEST(Azimutalkarte, TheRimIsTheAntipodeOfStationA) {
  const Ort a{48.1, 11.5};
  const Ort gegen{-48.1, 11.5 - 180};
  const auto p = Kartenprojektion::azimutal({0, 0, 601, 601}, a);
  const Punkt m = p.scheibenMitte();
  const Punkt g = p.zuPixel(gegen);
  EXPECT_NEAR(std::hypot(g.x - m.x, g.y - m.y), p.radius(), 1e-6);
  for (int grad = 0; grad < 360; grad += 15) {
    const double th = grad * kPi / 180;
    gleicherOrt(*p.zuOrt({m.x + p.radius() * std::sin(th), m.y - p.radius() * std::cos(th)}), gegen, 1e-6);
  }
  // Just outside the rim, and the corners of the square, show nothing.
  EXPECT_FALSE(p.zuOrt({m.x + p.radius() + 0.01, m.y}));
  EXPECT_FALSE(p.zuOrt({0, 0}));
  EXPECT_FALSE(p.zuOrt({600, 600}));
}

TEST(Azimutalkarte, DirectionIsTheBearingAndDistanceGrowsEvenly) {
  const Ort a{48.1, 11.5};
  const auto p = Kartenprojektion::azimutal({0, 0, 1001, 1001}, a);
  const Punkt m = p.scheibenMitte();
  const double proKm = p.radius() / (kPi * k::Erdradius);
  struct Fall {
    double peilung, km;
  };
  for (const Fall f : {Fall{0, 5000}, Fall{90, 5000}, Fall{180, 10000}, Fall{270, 15000}, Fall{45, 19000}}) {
    SCOPED_TRACE(f.peilung);
    const Ort ziel = zielpunkt(a, f.peilung, f.km / k::Erdradius);
    EXPECT_NEAR(abstandKm(a, ziel), f.km, 1e-6);
    EXPECT_NEAR(peilung(a, ziel), f.peilung, 1e-6);
    const Punkt q = p.zuPixel(ziel);
    // North up, east to the right: x = sin(bearing) r, y = -cos(bearing) r.
    EXPECT_NEAR(q.x - m.x, std::sin(f.peilung * kPi / 180) * f.km * proKm, 1e-6);
    EXPECT_NEAR(q.y - m.y, -std::cos(f.peilung * kPi / 180) * f.km * proKm, 1e-6);
  }
}

TEST(Grosskreis, BearingAndDistanceOfKnownLinks) {
  // As the point result gives them for the start link: 1478 km, 240 degrees.
  const Ort muenchen{48.1, 11.5}, madrid{40.4, -3.7};
  EXPECT_EQ(std::floor(abstandKm(muenchen, madrid)), 1478);
  EXPECT_EQ(std::floor(peilung(muenchen, madrid)), 240);
  // Over the date line and over the pole.
  EXPECT_NEAR(peilung({0, 179}, {0, -179}), 90, 1e-9);
  EXPECT_NEAR(abstandKm({0, 179}, {0, -179}), 2 * kPi * k::Erdradius / 180, 1e-6);
  EXPECT_NEAR(peilung({80, 0}, {80, 180}), 0, 1e-9);
  EXPECT_NEAR(zentriwinkel({48.1, 11.5}, {-48.1, -168.5}), kPi, 1e-9);
  EXPECT_EQ(peilung(muenchen, muenchen), 0);
  EXPECT_DOUBLE_EQ(normLaenge(190), -170);
  EXPECT_DOUBLE_EQ(normLaenge(-540), -180);
}

TEST(Chartgeometrie, HoursAndFrequenciesAtAnySize) {
  for (const Rahmen r : {Rahmen{0, 0, 529, 271}, Rahmen{20, 30, 1700, 900}}) {
    SCOPED_TRACE(r.breite);
    const Chartprojektion p(r);
    // 12:00 halfway across, 15 MHz halfway up.
    EXPECT_DOUBLE_EQ(p.spalte(12), r.x + (r.breite - 1) / 2.0);
    EXPECT_DOUBLE_EQ(p.zeile(15), r.y + (r.hoehe - 1) / 2.0);
    for (int y = r.y; y < r.y + r.hoehe; y += 17)
      for (int x = r.x; x < r.x + r.breite; x += 17) {
        const auto o = p.zuOrt({double(x), double(y)});
        ASSERT_TRUE(o);
        EXPECT_NEAR(p.zuPixel(*o).x, x, 1e-9);
        EXPECT_NEAR(p.zuPixel(*o).y, y, 1e-9);
      }
    EXPECT_DOUBLE_EQ(p.zuOrt({r.x - 0.5, r.y - 0.5})->mhz, 30);
    EXPECT_FALSE(p.zuOrt({r.x - 0.6, double(r.y)}));
  }
  // The bitmap's geometry: 22 pixels per hour, 9 per MHz.
  const Chartprojektion b({0, 0, 529, 271});
  EXPECT_DOUBLE_EQ(b.spalte(1), 22);
  EXPECT_DOUBLE_EQ(b.zeile(1), 261);
}
