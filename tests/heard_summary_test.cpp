// What was heard per band and toward B, the recommendation beside the
// forecast, and the heard stations as dots on the map.
#include <gtest/gtest.h>

#include "decodes/dots.h"
#include "decodes/heard.h"
#include "display/dotlayer.h"
#include "lang/sprachtext.h"
#include "state/bands.h"

using namespace welvaro;

namespace {

constexpr GeoPoint kMunich{48.1, 11.5};
constexpr GeoPoint kMadrid{40.4, -3.7};

StoredDecode heard(const char* call, int band, int snr, GeoPoint at, std::int64_t utcMs = 1000, GeoPoint rx = kMunich) {
  StoredDecode d;
  d.call = call;
  d.band = band;
  d.snr = snr;
  d.utcMs = utcMs;
  d.rxLat = rx.lat;
  d.rxLon = rx.lon;
  d.located = true;
  d.lat = at.lat;
  d.lon = at.lon;
  d.distanceKm = distanceKm(rx, at);
  d.bearing = bearing(rx, at);
  d.mode = "FT8";
  return d;
}

}  // namespace

TEST(Heard, StationsTowardB) {
  // B is Madrid, about 1480 km from Munich at a bearing of about 245 degrees.
  const struct {
    const char* name;
    GeoPoint station;
    bool toward;
  } cases[] = {
      {"Lisbon, near B", {38.7, -9.1}, true},
      {"Madrid itself", kMadrid, true},
      {"Canary Islands: beyond B, nearly on its bearing", {28.1, -15.4}, true},
      {"Caracas: far on another bearing, far from B", {10.5, -66.9}, false},
      {"Zurich: on the way but too near the receiver and 1100 km from B", {47.4, 8.5}, true},
      {"Vienna: the other way", {48.2, 16.4}, false},
      {"Accra: beyond B, 43 degrees off, 3900 km from B", {5.6, -0.2}, false},
      {"Dakar: beyond B, 15 degrees off", {14.7, -17.4}, true},
      {"Tromso: far from B and off the bearing", {69.6, 18.9}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(isTowardB(kMunich, c.station, kMadrid), c.toward);
  }
}

TEST(Heard, SummaryPerBand) {
  const int b20 = hfBandOfName("20m"), b40 = hfBandOfName("40m");
  const std::vector<StoredDecode> d = {
      heard("EA4ABC", b20, -12, {40.5, -3.5}),
      heard("EA4ABC", b20, -3, {40.5, -3.5}),
      heard("VK2XYZ", b20, 5, {-33.5, 151.0}),
      heard("W1AW", b40, -20, {41.5, -73.0}),
      [] {
        StoredDecode x = heard("G4XYZ", 5, 8, {});
        x.located = false;  // no grid known
        return x;
      }(),
  };
  const HeardSummary s = summarizeHeard(d, kMadrid);
  EXPECT_EQ(s[static_cast<std::size_t>(b20)].decodes, 4u);
  EXPECT_EQ(s[static_cast<std::size_t>(b20)].stations, 3u);
  EXPECT_EQ(s[static_cast<std::size_t>(b20)].bestSnr, 8);
  ASSERT_TRUE(s[static_cast<std::size_t>(b20)].farthestKm);
  EXPECT_NEAR(*s[static_cast<std::size_t>(b20)].farthestKm, 16300, 100);
  EXPECT_EQ(s[static_cast<std::size_t>(b20)].towardB, 1u);
  EXPECT_EQ(s[static_cast<std::size_t>(b40)].decodes, 1u);
  EXPECT_EQ(s[static_cast<std::size_t>(b40)].bestSnr, -20);
  EXPECT_EQ(s[static_cast<std::size_t>(b40)].towardB, 0u);
  EXPECT_EQ(s[0].decodes, 0u);
  EXPECT_FALSE(s[0].farthestKm);
}

TEST(Heard, RecommendationTable) {
  BandHeard none, other, toward;
  other.decodes = 10;
  toward.decodes = 10;
  toward.towardB = 2;
  const struct {
    Outlook o;
    const BandHeard* h;
    Verdict v;
    const char* en;
  } cases[] = {
      {Outlook::Good, &toward, Verdict::OpenNow, "open now"},
      {Outlook::Fair, &toward, Verdict::OpenNow, "open now"},
      {Outlook::Poor, &toward, Verdict::BetterThanForecast, "open now, better than forecast"},
      {Outlook::Closed, &toward, Verdict::UnexpectedOpening, "unexpected opening"},
      {Outlook::Good, &other, Verdict::ForecastOpenNothingHeard, "forecast open, nothing heard"},
      {Outlook::Fair, &other, Verdict::ForecastOpenNothingHeard, "forecast open, nothing heard"},
      {Outlook::Poor, &other, Verdict::PoorNothingHeard, "poor as forecast, nothing heard"},
      {Outlook::Closed, &other, Verdict::ClosedAsForecast, "closed as forecast"},
      {Outlook::Good, &none, Verdict::NotListened, "not listened to"},
      {Outlook::Closed, &none, Verdict::NotListened, "not listened to"},
  };
  State s;
  s.L = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.en);
    EXPECT_EQ(judgeBand(c.o, *c.h), c.v);
    EXPECT_EQ(T(s, verdictTextKey(c.v)), c.en);
  }
  std::array<Outlook, kHfBands.size()> o;
  o.fill(Outlook::Closed);
  HeardSummary h{};
  h[5] = toward;
  const auto rows = compareWithForecast(o, h);
  EXPECT_EQ(rows[5].verdict, Verdict::UnexpectedOpening);
  EXPECT_EQ(rows[5].heardTowardB, 2u);
  EXPECT_TRUE(rows[5].listened);
  EXPECT_EQ(rows[0].verdict, Verdict::NotListened);
}

TEST(Heard, Spans) {
  for (const char* n : {"15m", "1h", "6h", "24h", "all"}) {
    SCOPED_TRACE(n);
    const auto s = parseHeardSpan(n);
    ASSERT_TRUE(s);
    EXPECT_EQ(heardSpanName(*s), n);
    EXPECT_EQ(heardSpanOfMinutes(heardSpanMinutes(*s)), s);
  }
  EXPECT_FALSE(parseHeardSpan("2h"));
  EXPECT_EQ(spanStartMs(3'600'000, HeardSpan::Hour1), 0);
  EXPECT_LT(spanStartMs(0, HeardSpan::All), -1'000'000'000'000'000);
}

TEST(HeardDotsOnTheMap, OneDotPerCallColouredByItsBestSnr) {
  const std::vector<StoredDecode> d = {
      heard("EA4ABC", 5, -12, {40.5, -3.5}, 1000),  heard("EA4ABC", 5, -3, {40.5, -3.5}, 2000),
      heard("EA4ABC", 5, -15, {41.5, -3.5}, 3000),  heard("VK2XYZ", 5, 12, {-33.5, 151.0}, 1500),
      heard("W1AW", 3, -25, {41.5, -73.0}, 1000),
  };
  const HeardDots dots = heardDots(d, 5);
  ASSERT_EQ(dots.stations.size(), 2u);
  ASSERT_EQ(dots.marks.size(), 2u);
  // The strongest last (on top).
  EXPECT_EQ(dots.stations[0].call, "EA4ABC");
  EXPECT_EQ(dots.stations[0].snr, -3);
  EXPECT_EQ(dots.stations[0].utcMs, 2000);
  EXPECT_DOUBLE_EQ(dots.stations[0].position.lat, 41.5);  // its latest grid
  EXPECT_EQ(dots.marks[0].colour, snrColour(-3));
  EXPECT_EQ(dots.stations[1].call, "VK2XYZ");
  EXPECT_EQ(dots.marks[1].colour, dotLegend()[4].colour);
  EXPECT_EQ(heardDots(d, -1).stations.size(), 3u);

  const struct {
    int snr;
    std::size_t entry;
  } classes[] = {{-30, 0}, {-20, 0}, {-19, 1}, {-10, 1}, {-9, 2}, {0, 2}, {1, 3}, {10, 3}, {11, 4}, {30, 4}};
  for (const auto& c : classes) {
    SCOPED_TRACE(c.snr);
    EXPECT_EQ(snrColour(c.snr), dotLegend()[c.entry].colour);
  }
}

TEST(HeardDotsOnTheMap, DrawnAtTheirPlaceInBothProjectionsAndReadOut) {
  HeardDots dots = heardDots({heard("EA4ABC", 5, -3, {40.5, -3.5}, 52215000), heard("JA1ABC", 5, 15, {35.5, 139.0})}, 5);
  const int w = 721, h = 361;
  for (const MapProjection& proj :
       {MapProjection::rectangular({0, 0, w, h}), MapProjection::azimuthal({0, 0, w, h}, kMunich)}) {
    SCOPED_TRACE(proj.kind() == Projection::Rectangular ? "rectangular" : "azimuthal");
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, 0xFF123456u);
    Canvas c{px.data(), w, h};
    drawMapDots(c, proj, {0, 0, w, h}, dots.marks);
    for (std::size_t i = 0; i < dots.stations.size(); ++i) {
      const Point p = proj.toPixel(dots.stations[i].position);
      const int x = static_cast<int>(std::lround(p.x)), y = static_cast<int>(std::lround(p.y));
      EXPECT_EQ(c.at(x, y), dots.marks[i].colour);
      EXPECT_EQ(c.at(x + 3, y), 0xFF000000u);  // the rim
      EXPECT_EQ(c.at(x + 8, y), 0xFF123456u);  // the map around it untouched
      const auto under = dotsUnder(dots, proj, {p.x + 1, p.y - 1}, 5);
      ASSERT_EQ(under.size(), 1u);
      EXPECT_EQ(under[0]->call, dots.stations[i].call);
    }
    EXPECT_TRUE(dotsUnder(dots, proj, {1, 1}, 5).empty());
  }
  EXPECT_EQ(dotReadOut(dots.stations[0]), "EA4ABC  -3 dB  14:30 UTC  1459 km");
  // A dot at the edge is cut, not drawn outside its frame.
  std::vector<std::uint32_t> px(100 * 60, 0u);
  Canvas c{px.data(), 100, 60};
  drawMapDots(c, MapProjection::rectangular({10, 10, 80, 40}), {10, 10, 80, 40}, {{{90, -180}, 0xFFFF0000u}});
  EXPECT_EQ(c.at(10, 10), 0xFFFF0000u);
  EXPECT_EQ(c.at(9, 10), 0u);
  EXPECT_EQ(c.at(10, 9), 0u);
}

TEST(HeardDotsOnTheMap, ALayerFollowsANewProjectionAndNewDots) {
  MapDotLayer layer;
  layer.setDots({{{0, 0}, 0xFFFF0000u}});
  std::vector<std::uint32_t> px(400 * 200, 0u);
  Canvas c{px.data(), 400, 200};
  const auto small = MapProjection::rectangular({0, 0, 361, 181}), big = MapProjection::rectangular({0, 0, 399, 199});
  layer.draw(c, small, {0, 0, 400, 200});
  EXPECT_EQ(c.at(180, 90), 0xFFFF0000u);
  layer.draw(c, big, {0, 0, 400, 200});
  EXPECT_EQ(c.at(199, 99), 0xFFFF0000u);
  layer.setDots({{{0, 90}, 0xFF00FF00u}});
  layer.draw(c, big, {0, 0, 400, 200});
  const Point p = big.toPixel({0, 90});
  EXPECT_EQ(c.at(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))), 0xFF00FF00u);
}
