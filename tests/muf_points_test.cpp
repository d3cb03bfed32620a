// The F2 values of one control point do not depend on the points computed
// before it in the same slot: the geomagnetic latitude kept per slot is
// only used again for the very same point. And the local time stays below
// 24 hours.
#include <gtest/gtest.h>

#include <tuple>

#include "model/model.h"
#include "testutil.h"

using namespace welvaro;
using welvaro::test::defaultLink;

namespace {

auto values(const State& s) { return std::make_tuple(s.MagBreite, s.Halbkugel, s.FoF2, s.M3000, s.Muf4000); }

}  // namespace

TEST(MufPoints, EachPointGetsItsOwnGeomagneticLatitude) {
  // Points one after the other in slot 3: the same latitude or the same
  // longitude as the point before, or both.
  const struct {
    double lat, lon;
  } points[] = {
      {50, 10}, {-30, 10}, {-30, -70}, {70, -70}, {70, -70}, {50, 10}, {-30, 10}, {0, 0}, {0, 120}, {-80, 120},
  };
  auto s = defaultLink();
  s->Kp = 3;
  s->Stunde = 14;
  for (const auto& p : points) {
    SCOPED_TRACE(testing::Message() << p.lat << ", " << p.lon);
    s->KpBreite[3] = p.lat;
    s->KpLaenge[3] = p.lon;
    ASSERT_EQ(prcMuf(*s), 0);
    auto fresh = defaultLink();
    fresh->Kp = 3;
    fresh->Stunde = 14;
    fresh->KpBreite[3] = p.lat;
    fresh->KpLaenge[3] = p.lon;
    ASSERT_EQ(prcMuf(*fresh), 0);
    EXPECT_EQ(values(*s), values(*fresh));
  }
}

TEST(MufPoints, LocalTimeStaysBelowTwentyFourHours) {
  const struct {
    double lon, hour, localTime, ortsstunde;
  } cases[] = {
      {15, 23, 0, 24}, {0, 24, 0, 24}, {180, 12, 0, 24}, {-15, 1, 0, 24},
      {-180, 11, 23, 23}, {7.5, 23, 23.5, 24}, {-7.5, 1, 0.5, 1}, {90, 18, 0, 24},
  };
  for (const auto& f : cases) {
    SCOPED_TRACE(testing::Message() << f.lon << " deg at " << f.hour << " UTC");
    auto s = defaultLink();
    s->Kp = 1;
    s->KpBreite[1] = 20;
    s->KpLaenge[1] = f.lon;
    s->Stunde = f.hour;
    ASSERT_EQ(prcMuf(*s), 0);
    EXPECT_EQ(s->Ortszeit, f.localTime);
    EXPECT_EQ(s->OrtsStunde, f.ortsstunde);
  }
}
