// The greyline: its template for the day and the polyline the window draws.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "display/greyline.h"
#include "state/calendar.h"

using namespace welvaro;

namespace {

constexpr double kDeg = 3.14159265358979 / 180;

std::unique_ptr<State> stateOfDay(const DateTime& tag) {
  auto s = std::make_unique<State>();
  setYearValues(*s, tag);
  prgGreyKurve(*s);
  return s;
}

// Sun elevation [deg] at a map point (twips) for declination `decl` [rad]
// with the sun over longitude `sun` [deg].
double sunElevation(double xTwips, double yTwips, double decl, double sun) {
  const double lon = (xTwips - 4050) / 22.5, lat = (2025 - yTwips) / 22.5;
  return std::asin(std::cos(lat * kDeg) * std::cos((lon - sun) * kDeg) * std::cos(decl) +
                   std::sin(lat * kDeg) * std::sin(decl)) /
         kDeg;
}

}  // namespace

TEST(GreylineTemplate, IsMirroredAroundTheSunsMeridians) {
  for (const DateTime tag : {DateTime{2026, 6, 10}, DateTime{2026, 12, 10}, DateTime{2024, 9, 12}}) {
    SCOPED_TRACE(shortDate(tag));
    const auto s = stateOfDay(tag);
    const auto& g = s->GreyKurve;
    for (int o = 1; o <= 134; ++o) {
      ASSERT_EQ(g[540 - o], g[o]) << o;
      ASSERT_EQ(g[270 - o], -g[o]) << o;
      ASSERT_EQ(g[270 + o], -g[o]) << o;
    }
    EXPECT_EQ(g[0], g[1]);
    EXPECT_EQ(g[540], g[1]);
    EXPECT_EQ(g[270], -g[1]);
    // A quarter turn from the sun's meridian the boundary crosses the equator.
    EXPECT_LT(std::fabs(g[135]), 1.0f);
    EXPECT_LT(std::fabs(g[405]), 1.0f);
  }
}

TEST(GreylineTemplate, EveryColumnLiesOnTheBoundaryWhateverTheDeclination) {
  // With 0.200110659 a map column falls exactly on a step of the boundary's
  // walk; the column counter must not stop there and leave the rest of the
  // template on the equator.
  for (const float decl : {0.200110659f, -0.3f, 0.0017f, 0.39954f}) {
    SCOPED_TRACE(decl);
    auto s = std::make_unique<State>();
    s->Dekl = decl;
    prgGreyKurve(*s);
    for (int o = 1; o <= 134; ++o) {
      SCOPED_TRACE(o);
      ASSERT_NE(s->GreyKurve[o], 0.0f);
      ASSERT_LE(std::fabs(s->GreyKurve[o + 1]), std::fabs(s->GreyKurve[o]) + 0.01f);
      // Column o, o * 2/3 degree from the midnight meridian, has the sun on
      // the horizon (within the template's steps and its sine of the
      // declination taken as the declination).
      ASSERT_LT(std::fabs(sunElevation(4050 + 15.0 * o, 2025.0 - s->GreyKurve[o], decl, 180)), 2.0);
    }
  }
}

TEST(GreylinePolyline, ColumnShiftFollowsTheUtcTime) {
  struct Case {
    int hour, minute;
    double column;
  };
  const Case cases[] = {{12, 0, 0}, {0, 0, 270}, {18, 0, 135}, {6, 0, 405},
                         {11, 59, 539}, {12, 2, 0}, {12, 3, 1}, {23, 30, 258}};
  auto s = stateOfDay({2026, 6, 10});
  for (const Case& f : cases) {
    SCOPED_TRACE(std::to_string(f.hour) + ":" + std::to_string(f.minute));
    greylineSegments(*s, {2026, 6, 10, f.hour, f.minute, 0});
    EXPECT_EQ(s->GreySpalte, f.column);
  }
}

TEST(GreylinePolyline, UnshiftedAtNoonAndHalfAMapOnAtMidnight) {
  auto s = stateOfDay({2026, 12, 10});
  const auto noon = greylineSegments(*s, {2026, 12, 10, 12, 0, 0});
  EXPECT_EQ(s->GreySpalte, 0);
  ASSERT_EQ(noon.size(), 539u);
  EXPECT_EQ(noon.front().x1, 15);
  EXPECT_EQ(noon.back().x2, 8100);
  // Unshifted: the line starts at template column 0, and piece c ends at
  // template column c + 1; one connected line of 15-twip pieces.
  EXPECT_EQ(noon.front().y1, 2025.0 - s->GreyKurve[0]);
  for (std::size_t i = 0; i < 539; ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(noon[i].x2 - noon[i].x1, 15);
    if (i < 538) {
      ASSERT_EQ(noon[i].y2, 2025.0 - s->GreyKurve[static_cast<int>(i) + 2]);
    }
    if (i > 0) {
      ASSERT_EQ(noon[i].x1, noon[i - 1].x2);
      ASSERT_EQ(noon[i].y1, noon[i - 1].y2);
    }
  }

  const auto midnight = greylineSegments(*s, {2026, 12, 10, 0, 0, 0});
  EXPECT_EQ(s->GreySpalte, 270);
  // The same curve, 270 columns (180 degrees) further on.
  for (int c = 1; c <= 539; ++c)
    ASSERT_EQ(midnight[static_cast<std::size_t>(c - 1)].y2, noon[static_cast<std::size_t>((c + 269) % 539)].y2)
        << c;
}

TEST(GreylinePolyline, RunsWhereTheSunIsOnTheHorizon) {
  struct Case {
    DateTime tag;
    int hour, minute;
  };
  const Case cases[] = {{{2026, 6, 10}, 12, 0},  {{2026, 6, 10}, 0, 0},  {{2026, 12, 10}, 6, 30},
                         {{2026, 12, 10}, 17, 45}, {{2026, 9, 1}, 21, 15}, {{2026, 1, 20}, 3, 5}};
  for (const Case& f : cases) {
    SCOPED_TRACE(shortDate(f.tag) + " " + std::to_string(f.hour) + ":" + std::to_string(f.minute));
    auto s = stateOfDay(f.tag);
    const double sun = -15.0 * (f.hour + f.minute / 60.0 - 12);
    for (const GreySegment& g : greylineSegments(*s, {2026, 1, 1, f.hour, f.minute, 0}))
      ASSERT_LT(std::fabs(sunElevation(g.x2, g.y2, s->Dekl, sun)), 2.0) << g.x2;
  }
}

TEST(GreylineDrawing, UtcFromLocalTimeAndNothingForAnotherMonth) {
  struct Case {
    DateTime now;
    float utcOffset, otherMonth;
    DateTime utc;
    std::size_t pieces;
    double column;
  };
  const Case cases[] = {
      {{2026, 6, 10, 14, 0, 0}, 2, 0, {2026, 6, 10, 12, 0, 0}, 539, 0},
      {{2026, 6, 10, 2, 30, 0}, 2, 0, {2026, 6, 10, 0, 30, 0}, 539, 281},
      {{2026, 6, 10, 1, 0, 0}, 2, 0, {2026, 6, 9, 23, 0, 0}, 539, 247},
      {{2026, 6, 10, 20, 0, 0}, -5, 0, {2026, 6, 11, 1, 0, 0}, 539, 292},
      // Another month shown: nothing drawn, nothing changed.
      {{2026, 6, 10, 14, 0, 0}, 2, 1, {2000, 1, 1, 0, 0, 0}, 0, 17},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(shortDate(f.now) + " " + std::to_string(f.now.hour));
    auto s = stateOfDay({2026, 6, 10});
    s->Jetzt = f.now;
    s->UTCKorr = f.utcOffset;
    s->MonatFremd = f.otherMonth;
    s->GreySpalte = 17;
    EXPECT_EQ(prgGreyline(*s).size(), f.pieces);
    EXPECT_EQ(s->Zeitpunkt, f.utc);
    EXPECT_EQ(s->GreySpalte, f.column);
  }
}
