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
void samePlace(GeoPoint a, GeoPoint b, double tol) {
  EXPECT_NEAR(a.lat, b.lat, tol);
  if (std::fabs(a.lat) < 90 - 1e-6) {
    EXPECT_NEAR(std::remainder(a.lon - b.lon, 360.0), 0.0, tol);
  }
}

}  // namespace

TEST(RectangularMap, KeepsTheBitmapGeometryAt541By271) {
  const auto p = MapProjection::rectangular({0, 0, 541, 271});
  // The bitmap: column x is longitude -180 + x / 1.5, row y latitude 90 - y / 1.5.
  for (int x = 0; x <= 540; x += 27) EXPECT_DOUBLE_EQ(p.toGeo({double(x), 100})->lon, -180 + x / 1.5);
  for (int y = 0; y <= 270; y += 15) EXPECT_DOUBLE_EQ(p.toGeo({100, double(y)})->lat, 90 - y / 1.5);
  EXPECT_DOUBLE_EQ(p.column(0), 270);
  EXPECT_DOUBLE_EQ(p.row(0), 135);
}

TEST(RectangularMap, RoundTripsOverTheWholePictureAtManySizes) {
  for (const Rect r : {Rect{0, 0, 541, 271}, Rect{7, 3, 1920, 960}, Rect{40, 11, 1081, 541},
                         Rect{0, 0, 37, 19}}) {
    SCOPED_TRACE(r.width);
    const auto p = MapProjection::rectangular(r);
    // Every 7th pixel plus the edges: the date line on both sides, the poles.
    for (int y = 0; y < r.height; y = y + 7 < r.height || y == r.height - 1 ? y + 7 : r.height - 1) {
      for (int x = 0; x < r.width; x = x + 7 < r.width || x == r.width - 1 ? x + 7 : r.width - 1) {
        const Point px{double(r.x + x), double(r.y + y)};
        const auto o = p.toGeo(px);
        ASSERT_TRUE(o);
        const Point back = p.toPixel(*o);
        EXPECT_NEAR(back.x, px.x, 1e-9);
        EXPECT_NEAR(back.y, px.y, 1e-9);
      }
    }
    EXPECT_DOUBLE_EQ(p.toGeo({double(r.x), double(r.y)})->lon, -180);
    EXPECT_DOUBLE_EQ(p.toGeo({double(r.x + r.width - 1), double(r.y)})->lon, 180);
    EXPECT_DOUBLE_EQ(p.toGeo({double(r.x), double(r.y)})->lat, 90);
    EXPECT_DOUBLE_EQ(p.toGeo({double(r.x), double(r.y + r.height - 1)})->lat, -90);
    // Half a pixel beyond the outer pixel centres is still the picture (held
    // on the earth), further out is not.
    EXPECT_DOUBLE_EQ(p.toGeo({r.x - 0.5, double(r.y)})->lon, -180);
    EXPECT_DOUBLE_EQ(p.toGeo({double(r.x), r.y + r.height - 0.5})->lat, -90);
    EXPECT_FALSE(p.toGeo({r.x - 0.51, double(r.y)}));
    EXPECT_FALSE(p.toGeo({r.x + r.width - 0.49, double(r.y)}));
    EXPECT_FALSE(p.toGeo({double(r.x), r.y - 0.51}));
    EXPECT_FALSE(p.toGeo({double(r.x), r.y + r.height - 0.49}));
  }
}

TEST(AzimuthalMap, RoundTripsInsideTheDiscForCentresAnywhere) {
  // Centres on the equator, at the poles, on the date line, near the pole.
  for (const GeoPoint centre : {GeoPoint{48.1, 11.5}, GeoPoint{0, 0}, GeoPoint{90, 0}, GeoPoint{-90, 0}, GeoPoint{-33.9, 180}, GeoPoint{89.9, -179.9},
                          GeoPoint{35.7, 139.7}}) {
    SCOPED_TRACE(::testing::Message() << centre.lat << "," << centre.lon);
    const Rect r{5, 9, 801, 700};
    const auto p = MapProjection::azimuthal(r, centre);
    EXPECT_DOUBLE_EQ(p.radius(), 349.5);
    samePlace(*p.toGeo(p.discCentre()), centre, 1e-9);
    for (int y = r.y; y < r.y + r.height; y += 13) {
      for (int x = r.x; x < r.x + r.width; x += 13) {
        const Point px{double(x), double(y)};
        const double rho = std::hypot(px.x - p.discCentre().x, px.y - p.discCentre().y);
        const auto o = p.toGeo(px);
        if (rho > p.radius()) {
          EXPECT_FALSE(o) << x << "," << y;  // outside the disc
          continue;
        }
        ASSERT_TRUE(o);
        if (rho > p.radius() - 1) continue;  // next to the antipode the rim smears one point
        const Point back = p.toPixel(*o);
        EXPECT_NEAR(back.x, px.x, 1e-6) << x << "," << y;
        EXPECT_NEAR(back.y, px.y, 1e-6) << x << "," << y;
      }
    }
  }
}

TEST(AzimuthalMap, TheRimIsTheAntipodeOfStationA) {
  const GeoPoint a{48.1, 11.5};
  const GeoPoint antipode{-48.1, 11.5 - 180};
  const auto p = MapProjection::azimuthal({0, 0, 601, 601}, a);
  const Point m = p.discCentre();
  const Point g = p.toPixel(antipode);
  EXPECT_NEAR(std::hypot(g.x - m.x, g.y - m.y), p.radius(), 1e-6);
  for (int degrees = 0; degrees < 360; degrees += 15) {
    const double th = degrees * kPi / 180;
    samePlace(*p.toGeo({m.x + p.radius() * std::sin(th), m.y - p.radius() * std::cos(th)}), antipode, 1e-6);
  }
  // Just outside the rim, and the corners of the square, show nothing.
  EXPECT_FALSE(p.toGeo({m.x + p.radius() + 0.01, m.y}));
  EXPECT_FALSE(p.toGeo({0, 0}));
  EXPECT_FALSE(p.toGeo({600, 600}));
}

TEST(AzimuthalMap, DirectionIsTheBearingAndDistanceGrowsEvenly) {
  const GeoPoint a{48.1, 11.5};
  const auto p = MapProjection::azimuthal({0, 0, 1001, 1001}, a);
  const Point m = p.discCentre();
  const double perKm = p.radius() / (kPi * k::EarthRadius);
  struct Case {
    double bearing, km;
  };
  for (const Case f : {Case{0, 5000}, Case{90, 5000}, Case{180, 10000}, Case{270, 15000}, Case{45, 19000}}) {
    SCOPED_TRACE(f.bearing);
    const GeoPoint target = destination(a, f.bearing, f.km / k::EarthRadius);
    EXPECT_NEAR(distanceKm(a, target), f.km, 1e-6);
    EXPECT_NEAR(bearing(a, target), f.bearing, 1e-6);
    const Point q = p.toPixel(target);
    // North up, east to the right: x = sin(bearing) r, y = -cos(bearing) r.
    EXPECT_NEAR(q.x - m.x, std::sin(f.bearing * kPi / 180) * f.km * perKm, 1e-6);
    EXPECT_NEAR(q.y - m.y, -std::cos(f.bearing * kPi / 180) * f.km * perKm, 1e-6);
  }
}

TEST(GreatCircle, BearingAndDistanceOfKnownLinks) {
  // As the point result gives them for the start link: 1478 km, 240 degrees.
  const GeoPoint munich{48.1, 11.5}, madrid{40.4, -3.7};
  EXPECT_EQ(std::floor(distanceKm(munich, madrid)), 1478);
  EXPECT_EQ(std::floor(bearing(munich, madrid)), 240);
  // Over the date line and over the pole.
  EXPECT_NEAR(bearing({0, 179}, {0, -179}), 90, 1e-9);
  EXPECT_NEAR(distanceKm({0, 179}, {0, -179}), 2 * kPi * k::EarthRadius / 180, 1e-6);
  EXPECT_NEAR(bearing({80, 0}, {80, 180}), 0, 1e-9);
  EXPECT_NEAR(centralAngle({48.1, 11.5}, {-48.1, -168.5}), kPi, 1e-9);
  EXPECT_EQ(bearing(munich, munich), 0);
  EXPECT_DOUBLE_EQ(normalizeLon(190), -170);
  EXPECT_DOUBLE_EQ(normalizeLon(-540), -180);
}

TEST(ChartGeometry, HoursAndFrequenciesAtAnySize) {
  for (const Rect r : {Rect{0, 0, 529, 271}, Rect{20, 30, 1700, 900}}) {
    SCOPED_TRACE(r.width);
    const ChartProjection p(r);
    // 12:00 halfway across, 15 MHz halfway up.
    EXPECT_DOUBLE_EQ(p.column(12), r.x + (r.width - 1) / 2.0);
    EXPECT_DOUBLE_EQ(p.row(15), r.y + (r.height - 1) / 2.0);
    for (int y = r.y; y < r.y + r.height; y += 17)
      for (int x = r.x; x < r.x + r.width; x += 17) {
        const auto o = p.toGeo({double(x), double(y)});
        ASSERT_TRUE(o);
        EXPECT_NEAR(p.toPixel(*o).x, x, 1e-9);
        EXPECT_NEAR(p.toPixel(*o).y, y, 1e-9);
      }
    EXPECT_DOUBLE_EQ(p.toGeo({r.x - 0.5, r.y - 0.5})->mhz, 30);
    EXPECT_FALSE(p.toGeo({r.x - 0.6, double(r.y)}));
  }
  // The bitmap's geometry: 22 pixels per hour, 9 per MHz.
  const ChartProjection b({0, 0, 529, 271});
  EXPECT_DOUBLE_EQ(b.column(1), 22);
  EXPECT_DOUBLE_EQ(b.row(1), 261);
}
