// The world map and the chart drawn at any size: the values against the
// bitmaps at the same places, grid points, the date line, the read-out, the
// hatched night side, land and sea where no signal arrives, the terminator
// against the greyline, the path A-B, the coastline greys, the
// ticks of the scales, odd sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/chart_picture.h"
#include "display/greyline.h"
#include "display/map_picture.h"
#include "display/sun.h"
#include "display/worldmap.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "forecast/tageskorr.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

constexpr double kPi = std::numbers::pi;

// A table of made-up values, different at every point, frequency and hour,
// beyond both ends of the scales.
std::unique_ptr<State> randomTable(std::uint32_t seed = 12345) {
  auto s = std::make_unique<State>();
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j)
      for (int f = 0; f <= 30; ++f)
        for (int h = 0; h <= 24; ++h) {
          seed = seed * 1103515245u + 12345u;
          const int v = static_cast<int>((seed >> 16) % 140);
          s->Weltpegel[i][j][f][h] = static_cast<int16>(v - 140);
          s->Weltfeld[i][j][f][h] = static_cast<int16>(v - 70);
        }
  conBitmaps(*s);
  return s;
}

// Every point of the table at one value.
void fillAll(State& s, int level) {
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j)
      for (int f = 0; f <= 30; ++f)
        for (int h = 0; h <= 24; ++h) s.Weltpegel[i][j][f][h] = static_cast<int16>(level);
}

std::uint32_t colour(int index) { return valueColours()[index]; }

// Index of a value colour; -1 for any other colour.
int indexOf(std::uint32_t c) {
  static const std::map<std::uint32_t, int> table = [] {
    std::map<std::uint32_t, int> m;
    for (int i = kColourMax; i >= 0; --i) m[colour(i)] = i;
    return m;
  }();
  const auto it = table.find(c | kOpaque);
  return it == table.end() ? -1 : it->second;
}

std::uint32_t pixel(const MapPicture& b, Point p) {
  return b.pixel()[static_cast<std::size_t>(std::lround(p.y)) * b.width() + std::lround(p.x)];
}

int brightness(std::uint32_t c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF); }

MapView valuesOnly(float frequency, int minute, bool level) {
  MapView a;
  a.frequency = frequency;
  a.utcMinute = minute;
  a.level = level;
  a.lines = false;
  return a;
}

// Index of the bitmap at column x and screen row y.
int bitmapIndex(const std::string& picture, std::size_t row, int x, int y) {
  return static_cast<unsigned char>(picture[kBmpDataStart + static_cast<std::size_t>(270 - y) * row + x]);
}

// The value between grid points in exact arithmetic.
long double exact(const Arr<Arr<int16, 0, 18>, 0, 35>& grid, long double lat, long double lon) {
  const long double z = (lat + 90) / 10, sp = (lon + 180) / 10;
  const int b = std::min(17, static_cast<int>(z)), j = std::min(35, static_cast<int>(sp));
  const long double t = z - b, u = sp - j;
  const auto w = [&](int i, int jj) { return static_cast<long double>(grid[jj % 36][i]); };
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
TEST(MapPicture, ShowsTheBitmapsValuesAtTheSamePlaces) {
  struct Case {
    bool level;
    float frequency;
    int hour, minute;
  };
  for (const Case f : {Case{true, 14.3f, 23, 30}, Case{false, 29.9f, 0, 15}, Case{true, 1.5f, 12, 0}}) {
    auto s = randomTable();
    s->PegelFlag = f.level ? 1 : 0;
    s->AktFrequenz = f.frequency;
    s->Zeitpunkt = {2026, 12, 8, f.hour, f.minute, 0};
    std::string picture;
    worldBitmap(*s, picture);
    for (const int k : {1, 2, 4}) {
      SCOPED_TRACE(::testing::Message() << f.frequency << " MHz, size x" << k);
      auto map = std::make_unique<MapPicture>();
      map->render(*s, valuesOnly(f.frequency, f.hour * 60 + f.minute, f.level), 540 * k + 1, 270 * k + 1);
      int equals = 0;
      for (int yb = 1; yb <= 270; ++yb)
        for (int xb = 0; xb <= 540; ++xb) {
          // Column 540 is 180 E: the bitmap has the value of -180 in column 0.
          const int expected = bitmapIndex(picture, kWorldRowBytes, xb == 540 ? 0 : xb, yb);
          const int shown = indexOf(map->pixel()[static_cast<std::size_t>(k * (yb - 1)) * map->width() + k * xb]);
          if (shown == expected) {
            ++equals;
            continue;
          }
          const long double exactValue = exact(s->WeltRaster, 90 - (yb - 1) / 1.5L, -180 + xb / 1.5L);
          ASSERT_LT(std::fabs(exactValue - std::round(exactValue)), 1e-4L) << "at " << xb << "," << yb;
          ASSERT_LE(std::abs(shown - expected), 1) << "at " << xb << "," << yb;
        }
      EXPECT_GT(equals, 270 * 541 * 97 / 100);
    }
  }
}

TEST(MapPicture, GridPointsShowTheirOwnIndex) {
  auto s = randomTable(99);
  auto map = std::make_unique<MapPicture>();
  map->render(*s, valuesOnly(7.3f, 6 * 60 + 40, true), 541, 271);
  const WorldGrid& g = map->grid();
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 36; ++j) {
      SCOPED_TRACE(::testing::Message() << i << "," << j);
      EXPECT_EQ(map->pixel()[static_cast<std::size_t>(15 * (18 - i)) * 541 + 15 * j], colour(g[i][j % 36]));
    }
  // The grid is the bitmap's own.
  s->AktFrequenz = 7.3f;
  s->Zeitpunkt = {2026, 12, 8, 6, 40, 0};
  buildWorldRaster(*s);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) ASSERT_EQ(g[i][j], s->WeltRaster[j][i]);
}

TEST(MapPicture, ReadOutGivesTheValueThePictureShows) {
  auto s = randomTable(7);
  for (const Projection pr : {Projection::Rectangular, Projection::Azimuthal}) {
    for (const bool level : {true, false}) {
      SCOPED_TRACE(::testing::Message() << (pr == Projection::Azimuthal) << level);
      auto map = std::make_unique<MapPicture>();
      MapView a = valuesOnly(21.2f, 17 * 60 + 5, level);
      a.projection = pr;
      map->render(*s, a, 917, 640);
      int inside = 0;
      for (int y = 0; y < 640; y += 7)
        for (int x = 0; x < 917; x += 7) {
          const auto r = map->readAt(*s, {double(x), double(y)});
          const auto o = map->projection().toGeo({double(x), double(y)});
          ASSERT_EQ(r.has_value(), o.has_value()) << x << "," << y;
          if (!r) continue;
          ++inside;
          EXPECT_EQ(r->place.lat, o->lat);
          EXPECT_EQ(r->value, r->colourIndex - (level ? 127 : 54));
          // The rim of the disc is blended with the ground.
          const double rho = std::hypot(x - map->projection().discCentre().x,
                                        y - map->projection().discCentre().y);
          if (pr == Projection::Azimuthal && rho > map->projection().radius() - 0.5) continue;
          EXPECT_EQ(map->pixel()[static_cast<std::size_t>(y) * 917 + x], colour(r->colourIndex)) << x << "," << y;
        }
      EXPECT_GT(inside, 5000);
    }
  }
}

TEST(MapPicture, AzimuthalMapIsCentredOnStationAWithItsValue) {
  auto s = randomTable(5);
  s->X1 = 50;  // a grid point: the centre pixel shows its index exactly
  s->Y1 = 10;
  auto map = std::make_unique<MapPicture>();
  MapView a = valuesOnly(10.2f, 600, true);
  a.projection = Projection::Azimuthal;
  map->render(*s, a, 801, 601);
  const Point m = map->projection().discCentre();
  EXPECT_EQ(pixel(*map, m), colour(map->grid()[14][19]));
  const auto r = map->readAt(*s, m);
  ASSERT_TRUE(r);
  EXPECT_NEAR(r->distanceKm, 0, 1e-6);
  // Straight above the centre, 5000 km due north.
  const double perKm = map->projection().radius() / (kPi * 6371.2);
  const auto n = map->readAt(*s, {m.x, m.y - 3000 * perKm});
  EXPECT_NEAR(n->bearing, 0, 1e-6);
  EXPECT_NEAR(n->distanceKm, 3000, 1e-6);
  EXPECT_NEAR(n->place.lon, 10, 1e-6);
  // Across the pole the meridian goes on on the far side.
  EXPECT_NEAR(map->readAt(*s, {m.x, m.y - 6000 * perKm})->place.lon, -170, 1e-6);
}

// The night side is hatched around the antipode of the sun of the date and
// minute (equation of time included); between the lines and on the whole
// day side the colours stay those of the colour bar. On black the lines are
// light, so the night shows there too.
TEST(MapPicture, NightSideIsHatchedFromTheSubSolarPoint) {
  auto s = std::make_unique<State>();
  fillAll(*s, -73);  // index 54: green everywhere
  s->Zeitpunkt = {2026, 12, 8, 12, 0, 0};
  auto map = std::make_unique<MapPicture>();
  MapView a = valuesOnly(14, 12 * 60, true);
  a.greyline = true;
  map->render(*s, a, 1081, 541);
  const MapProjection& p = map->projection();
  const std::uint32_t green = colour(54);
  // The sun of 8 December at noon UTC: 22.7 S, and 2 degrees west of
  // Greenwich (the equation of time is +8 minutes: it culminated there at
  // 11:52).
  const SolarPosition sun = solarPosition(2026, 12, 8, 720);
  EXPECT_NEAR(sun.subsolarLatitude, -22.7, 0.1);
  EXPECT_NEAR(sun.subsolarLongitude, -2.0, 0.1);
  // A row through the sun and one through its antipode, 40 pixels each.
  const auto count = [&](GeoPoint o, std::uint32_t colourThere, int& equals, int& others) {
    equals = others = 0;
    const Point q = p.toPixel(o);
    for (int dx = -20; dx < 20; ++dx) {
      const std::uint32_t c = pixel(*map, {q.x + dx, q.y});
      (c == colourThere ? equals : others)++;
    }
  };
  int equals = 0, others = 0;
  count({sun.subsolarLatitude, sun.subsolarLongitude}, green, equals, others);
  EXPECT_EQ(others, 0);
  count({-sun.subsolarLatitude, sun.subsolarLongitude + 180 - 360}, green, equals, others);
  // One pixel in six lies on a hatch line, a darker green; the rest is green.
  EXPECT_GE(others, 40 / 6 - 1);
  EXPECT_LE(others, 40 / 6 + 1);
  const Point night = p.toPixel({-sun.subsolarLatitude, sun.subsolarLongitude - 180});
  for (int dx = 0; dx < 6; ++dx) {
    const std::uint32_t c = pixel(*map, {night.x + dx, night.y});
    if (c == green) continue;
    EXPECT_EQ(c & 0xFF00FFu, 0u);  // still a pure green, darker
    EXPECT_LT((c >> 8) & 0xFF, 0xFFu * 6 / 10);
  }
  // At twice the scale the lines are two pixels wide, twelve apart, on the
  // rectangular map as on the azimuthal one.
  for (const Projection pr : {Projection::Rectangular, Projection::Azimuthal}) {
    auto large = std::make_unique<MapPicture>();
    MapView g = a;
    g.scale = 2;
    g.projection = pr;
    large->render(*s, g, 2161, 1081);
    const Point q = large->projection().toPixel({-sun.subsolarLatitude, sun.subsolarLongitude - 180});
    std::string muster;
    for (int dx = 0; dx < 48; ++dx) muster += pixel(*large, {q.x + dx, q.y}) == green ? '.' : '#';
    EXPECT_EQ(std::count(muster.begin(), muster.end(), '#'), 8) << muster;
    EXPECT_NE(muster.find("##"), std::string::npos) << muster;
    EXPECT_EQ(muster.find("###"), std::string::npos) << muster;
  }
  // Six hours later the sun stands 90 degrees further west.
  a.utcMinute = 18 * 60;
  map->render(*s, a, 1081, 541);
  const SolarPosition evening = solarPosition(2026, 12, 8, 18 * 60);
  EXPECT_NEAR(evening.subsolarLongitude, sun.subsolarLongitude - 90, 0.05);
  count({evening.subsolarLatitude, evening.subsolarLongitude}, green, equals, others);
  EXPECT_EQ(others, 0);
  // On black the hatch lines are light.
  fillAll(*s, -140);
  map->render(*s, a, 1081, 541);
  count({-evening.subsolarLatitude, evening.subsolarLongitude + 180}, colour(0), equals, others);
  EXPECT_GE(others, 40 / 6 - 1);
  const Point black = p.toPixel({-evening.subsolarLatitude, evening.subsolarLongitude + 180});
  int brightest = 0;
  for (int dx = 0; dx < 6; ++dx) brightest = std::max(brightest, brightness(pixel(*map, {black.x + dx, black.y})));
  EXPECT_GT(brightest, 300);
}

// Where no signal arrives the land and the sea show, lit by day and darker
// at night; where a value arrives its colour stays. The read-out keeps the
// value, and without land data the place stays black.
TEST(MapPicture, LandAndSeaWhereNoSignalArrives) {
  LandAreas land;
  ASSERT_EQ(readLandAreas(welvaro::test::shippedData() / "MapLand.dat", land), LandStatus::kRead);
  auto s = std::make_unique<State>();
  fillAll(*s, -140);  // nothing arrives anywhere
  s->Weltpegel[9][20][14][12] = -73;  // but at 0 N 20 E, at 14 MHz 12 UTC
  s->Zeitpunkt = {2026, 6, 21, 12, 0, 0};
  for (const Projection pr : {Projection::Rectangular, Projection::Azimuthal}) {
    SCOPED_TRACE(pr == Projection::Azimuthal);
    auto map = std::make_unique<MapPicture>();
    map->setLandAreas(&land);
    MapView a = valuesOnly(14, 12 * 60, true);
    a.projection = pr;
    map->render(*s, a, 1081, 541);
    const MapProjection& p = map->projection();
    const std::uint32_t africa = pixel(*map, p.toPixel({15, 20})), sahara = pixel(*map, p.toPixel({25, 10}));
    const std::uint32_t atlantic = pixel(*map, p.toPixel({-30, -20})), pacific = pixel(*map, p.toPixel({0, -150}));
    EXPECT_EQ(africa, sahara);
    EXPECT_EQ(atlantic, pacific);
    EXPECT_NE(africa, atlantic);
    EXPECT_GT(brightness(africa), brightness(atlantic));
    for (const std::uint32_t c : {africa, atlantic}) EXPECT_EQ(indexOf(c), -1) << std::hex << c;
    // The value where one arrives (on the azimuthal map near that grid point).
    EXPECT_GT(indexOf(pixel(*map, p.toPixel({0, 20}))), pr == Projection::Rectangular ? 53 : 40);
    EXPECT_EQ(map->readAt(*s, p.toPixel({25, 10}))->value, -127);
    // Antarctica and Greenland are land; the Caspian Sea is water.
    EXPECT_EQ(pixel(*map, p.toPixel({-80, 60})), africa);
    EXPECT_EQ(pixel(*map, p.toPixel({72, -40})), africa);
    EXPECT_EQ(pixel(*map, p.toPixel({42, 50.5})), atlantic);
    // At night both are darker (and hatched).
    a.greyline = true;
    map->render(*s, a, 1081, 541);
    const std::uint32_t nightLand = pixel(*map, p.toPixel({35, 140})), dayLand = pixel(*map, p.toPixel({15, 20}));
    EXPECT_EQ(dayLand, africa);
    EXPECT_LT(brightness(nightLand), brightness(africa) * 3 / 4);
  }
  auto without = std::make_unique<MapPicture>();
  without->render(*s, valuesOnly(14, 12 * 60, true), 1081, 541);
  EXPECT_EQ(pixel(*without, without->projection().toPixel({15, 20})), colour(0));
}

// The terminator follows the time and the declination as the bitmap's
// greyline does: the template shifted to the time lies on the exact boundary
// (within the template's own approximation).
TEST(MapPicture, TerminatorAgreesWithTheGreyline) {
  for (const float decl : {0.38f, -0.2f}) {
    for (const int minute : {0, 7 * 60 + 20, 12 * 60, 19 * 60 + 45}) {
      SCOPED_TRACE(::testing::Message() << decl << " at minute " << minute);
      auto s = std::make_unique<State>();
      s->Dekl = decl;
      prgGreyKurve(*s);
      const auto segments = greylineSegments(*s, {2026, 6, 1, minute / 60, minute % 60, 0});
      const GeoPoint sun = subsolarPoint(decl, minute);
      double worst = 0, sum = 0;
      for (const GreySegment& g : segments) {
        const double lon = -180 + g.x1 / 22.5, lat = (2025 - g.y1) / 22.5;
        // Exact boundary: tan(latitude) = -cos(longitude from the sun) / tan(declination).
        const double exact =
            std::atan(-std::cos((lon - sun.lon) * kPi / 180) / std::tan(static_cast<double>(decl))) * 180 / kPi;
        worst = std::max(worst, std::fabs(lat - exact));
        sum += std::fabs(lat - exact);
      }
      EXPECT_LT(worst, 4.0);
      EXPECT_LT(sum / segments.size(), 1.0);
    }
  }
  // The greyline's sun: the declination of the day, 15 degrees an hour.
  const GeoPoint sun = subsolarPoint(0.3f, 18 * 60);
  EXPECT_NEAR(sun.lat, 0.3 * 180 / kPi, 1e-5);
  EXPECT_DOUBLE_EQ(sun.lon, -90);
  EXPECT_DOUBLE_EQ(subsolarPoint(0.3f, 0).lon, 180);
}

TEST(MapPicture, PathAToBShortOrLongWithMarks) {
  const GeoPoint a{48.1, 11.5}, b{35.7, 139.7};
  const double angle = centralAngle(a, b), course = bearing(a, b);
  const GeoPoint shortMid = destination(a, course, angle / 2);
  const GeoPoint longMid = destination(a, course + 180, (2 * kPi - angle) / 2);
  for (const Projection pr : {Projection::Rectangular, Projection::Azimuthal}) {
    for (const std::string path : {"S", "L"}) {
      SCOPED_TRACE(::testing::Message() << (pr == Projection::Azimuthal) << path);
      auto s = std::make_unique<State>();
      fillAll(*s, -140);  // black
      s->X1 = a.lat;
      s->Y1 = static_cast<float>(a.lon);
      s->OrtX2 = static_cast<float>(b.lat);
      s->OrtY2 = static_cast<float>(b.lon);
      s->P = path;
      auto map = std::make_unique<MapPicture>();
      MapView an = valuesOnly(14, 0, true);
      an.projection = pr;
      an.path = true;
      map->render(*s, an, 1201, 801);
      const MapProjection& p = map->projection();
      const bool lang = path == "L";
      EXPECT_GT(brightness(pixel(*map, p.toPixel(lang ? longMid : shortMid))), 400);
      EXPECT_EQ(brightness(pixel(*map, p.toPixel(lang ? shortMid : longMid))), 0);
      EXPECT_EQ(pixel(*map, p.toPixel(a)), rgb(255, 255, 255));
      EXPECT_EQ(pixel(*map, p.toPixel({s->OrtX2, s->OrtY2})), rgb(255, 255, 255));
    }
  }
}

TEST(MapPicture, PathOverTheDateLineReachesBothEdges) {
  auto s = std::make_unique<State>();
  fillAll(*s, -140);
  s->X1 = 35.7;  // Tokyo - San Francisco
  s->Y1 = 139.7f;
  s->OrtX2 = 37.8f;
  s->OrtY2 = -122.4f;
  auto map = std::make_unique<MapPicture>();
  MapView a = valuesOnly(14, 0, true);
  a.path = true;
  map->render(*s, a, 1081, 541);
  const GeoPoint a0{35.7, 139.7};
  const double angle = centralAngle(a0, {37.8, -122.4}), course = bearing(a0, {37.8, -122.4});
  // Where the path crosses 180 degrees, both edges of the map are lit.
  double lat = 0;
  for (int i = 0; i <= 1000; ++i) {
    const GeoPoint o = destination(a0, course, angle * i / 1000);
    if (o.lon < 0) {
      lat = o.lat;
      break;
    }
  }
  const MapProjection& p = map->projection();
  EXPECT_GT(brightness(pixel(*map, p.toPixel({lat, 180}))), 300);
  EXPECT_GT(brightness(pixel(*map, p.toPixel({lat, -180}))), 300);
  // and nothing is drawn across the map between them.
  EXPECT_EQ(brightness(pixel(*map, p.toPixel({lat, 0}))), 0);
}

TEST(MapPicture, CoastlinesBordersAndGraticuleInTheOverlayGreys) {
  MapLines lines;
  ASSERT_EQ(readMapLines(welvaro::test::shippedData() / "MapLinien.dat",
                             lines),
            LinesStatus::kRead);
  auto s = std::make_unique<State>();
  fillAll(*s, -140);
  auto map = std::make_unique<MapPicture>();
  map->setLines(&lines);
  MapView a = valuesOnly(14, 0, true);
  a.lines = true;
  map->render(*s, a, 1081, 541);
  std::map<std::uint32_t, int> grey;
  for (int i = 0; i < 1081 * 541; ++i) {
    const std::uint32_t c = map->pixel()[i];
    ASSERT_TRUE(((c >> 16) & 0xFF) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF)) << std::hex << c;
    ++grey[c];
  }
  // The middle of each kind of line shows its grey, nothing is lighter.
  for (const std::uint32_t g : {rgb(0x5A, 0x5A, 0x5A), rgb(0x84, 0x84, 0x84), rgb(0xE0, 0xE0, 0xE0)})
    EXPECT_GT(grey[g], 50) << std::hex << g;
  EXPECT_EQ(grey.rbegin()->first, rgb(0xE0, 0xE0, 0xE0));
  // The Cape of Good Hope and Cape Horn are coast; the South Atlantic is not.
  const auto nearLine = [&](GeoPoint o) {
    const Point q = map->projection().toPixel(o);
    int best = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) best = std::max(best, brightness(pixel(*map, {q.x + dx, q.y + dy})));
    return best;
  };
  EXPECT_GT(nearLine({-34.36, 18.47}), 150);
  EXPECT_GT(nearLine({-55.98, -67.27}), 150);
  EXPECT_EQ(nearLine({-40, -20}), 0);
}

TEST(MapPicture, TicksLieOnThePicturesOwnPixel) {
  auto s = std::make_unique<State>();
  fillAll(*s, -140);
  auto map = std::make_unique<MapPicture>();
  MapView a = valuesOnly(14, 0, true);
  a.scales = true;
  map->render(*s, a, 1240, 580);
  const Layout& t = map->layout();
  const MapProjection& p = map->projection();
  const int bottom = t.picture.y + t.picture.height;
  const std::uint32_t background = rgb(255, 255, 255);
  for (const int l : {-180, -90, 0, 30, 180}) {
    const int x = static_cast<int>(std::lround(p.column(l)));
    EXPECT_NEAR(p.toGeo({double(x), double(t.picture.y)})->lon, l, 0.5 * 360 / (t.picture.width - 1));
    EXPECT_NE(map->pixel()[static_cast<std::size_t>(bottom) * 1240 + x], background) << l;
    EXPECT_EQ(map->pixel()[static_cast<std::size_t>(bottom) * 1240 + x + 2], background) << l;
  }
  const int y = static_cast<int>(std::lround(p.row(0)));
  EXPECT_NEAR(p.toGeo({double(t.picture.x), double(y)})->lat, 0, 0.5 * 180 / (t.picture.height - 1));
  EXPECT_NE(map->pixel()[static_cast<std::size_t>(y) * 1240 + t.picture.x - 1], background);
  EXPECT_EQ(map->pixel()[static_cast<std::size_t>(y + 2) * 1240 + t.picture.x - 1], background);
  // The map keeps 2 : 1 between its outer pixel centres.
  EXPECT_EQ(t.picture.width - 1, 2 * (t.picture.height - 1));
}

TEST(MapPicture, AnySizeAndEveryOptionStaysInsideItsBuffer) {
  auto s = randomTable(3);
  s->Dekl = -0.4f;
  s->P = "L";
  MapLines lines;
  readMapLines(welvaro::test::shippedData() / "MapLinien.dat", lines);
  auto map = std::make_unique<MapPicture>();
  map->setLines(&lines);
  struct PictureSize {
    int w, h;
  };
  for (const Projection pr : {Projection::Rectangular, Projection::Azimuthal})
    for (const PictureSize g : {PictureSize{1, 1}, PictureSize{2, 2}, PictureSize{3, 700}, PictureSize{700, 3}, PictureSize{37, 19},
                            PictureSize{160, 90}, PictureSize{0, -5}})
      for (const bool scales : {false, true}) {
        SCOPED_TRACE(::testing::Message() << g.w << "x" << g.h << " " << scales);
        MapView a;
        a.projection = pr;
        a.greyline = a.path = true;
        a.scales = scales;
        a.scale = 2.5;
        ASSERT_NE(map->render(*s, a, g.w, g.h), nullptr);
        EXPECT_EQ(map->width(), std::max(1, g.w));
        EXPECT_EQ(map->height(), std::max(1, g.h));
        const Rect& r = map->layout().picture;
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= map->width() && r.y + r.height <= map->height());
      }
}

// The chart's row y shows (271 - y) / 9 MHz like the bitmap's row y + 1;
// its last column 24 h is 00 UTC again.
TEST(ChartPicture, ShowsTheBitmapsValuesAtTheSamePlaces) {
  auto s = defaultLink();
  ASSERT_EQ(prgTageskorr(*s), 0);
  for (const bool level : {true, false}) {
    SCOPED_TRACE(level);
    s->PegelFlag = level ? 1 : 0;
    conBitmaps(*s);
    buildChartRaster(*s);
    std::string picture;
    chartBitmapFromRaster(*s, picture);
    auto chart = std::make_unique<ChartPicture>();
    ChartView a;
    a.level = level;
    a.lines = false;
    chart->render(*s, a, 529, 271);
    int equals = 0;
    for (int y = 0; y < 270; ++y)
      for (int x = 0; x <= 528; ++x) {
        const int expected = bitmapIndex(picture, kChartRowBytes, x == 528 ? 0 : x, y + 1);
        const int shown = indexOf(chart->pixel()[static_cast<std::size_t>(y) * 529 + x]);
        if (shown == expected) ++equals;
        EXPECT_LE(std::abs(shown - expected), 1);
      }
    EXPECT_GT(equals, 270 * 529 * 99 / 100);
    // Read-out at 12:30 UTC, 15 MHz: the value the picture shows there.
    const Point p = chart->projection().toPixel({12.5, 15});
    const auto r = chart->readAt(p);
    ASSERT_TRUE(r);
    EXPECT_EQ(chart->pixel()[static_cast<std::size_t>(p.y) * 529 + static_cast<std::size_t>(p.x)],
              colour(r->colourIndex));
  }
}

TEST(ChartPicture, TicksOfNoonAndFifteenMegahertz) {
  auto s = defaultLink();
  ASSERT_EQ(prgTageskorr(*s), 0);
  auto chart = std::make_unique<ChartPicture>();
  ChartView a;
  a.scales = true;
  chart->render(*s, a, 1000, 500);
  const Layout& t = chart->layout();
  const ChartProjection& p = chart->projection();
  const int x = static_cast<int>(std::lround(p.column(12)));
  EXPECT_NEAR(p.toGeo({double(x), double(t.picture.y)})->hours, 12, 0.5 * 24 / (t.picture.width - 1) + 1e-9);
  EXPECT_NE(chart->pixel()[static_cast<std::size_t>(t.picture.y + t.picture.height) * 1000 + x], rgb(255, 255, 255));
  const int y = static_cast<int>(std::lround(p.row(15)));
  EXPECT_NEAR(p.toGeo({double(t.picture.x), double(y)})->mhz, 15, 0.5 * 30 / (t.picture.height - 1));
  EXPECT_NE(chart->pixel()[static_cast<std::size_t>(y) * 1000 + t.picture.x - 1], rgb(255, 255, 255));
  EXPECT_FALSE(chart->readAt({0, 0}));
}
