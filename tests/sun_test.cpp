// The sun's place and sunrise and sunset: almanac values of the equation of
// time and the declination, a second, independent formulation of the sun's
// coordinates, the equator at the equinox, polar day and night, London at
// both solstices, events on the UTC date far east and west, and the panel
// text.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "display/sun.h"
#include "state/state.h"

using namespace welvaro;

namespace {

constexpr double kRad = std::numbers::pi / 180;

// The Astronomical Almanac's low-precision sun (good to 0.01 degree for
// 1950..2050): right ascension and declination from the mean longitude
// and anomaly, written here without the series the program uses.
struct AlmanacSun {
  double declination, equationOfTime, subsolarLongitude;
};
AlmanacSun almanacSun(double julianDay) {
  const double n = julianDay - 2451545.0;
  const double l = std::fmod(280.460 + 0.9856474 * n, 360.0);
  const double g = (357.528 + 0.9856003 * n) * kRad;
  const double lambda = (l + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kRad;
  const double epsilon = (23.439 - 0.0000004 * n) * kRad;
  const double alpha = std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)) / kRad;
  double e = l - alpha;  // degrees of the equation of time
  e -= 360.0 * std::round(e / 360.0);
  AlmanacSun a;
  a.declination = std::asin(std::sin(epsilon) * std::sin(lambda)) / kRad;
  a.equationOfTime = 4 * e;
  // Greenwich hour angle of the sun: the UT hour angle of the mean sun plus
  // the equation of time; the sub-solar longitude is its negative.
  const double ut = (julianDay + 0.5 - std::floor(julianDay + 0.5)) * 24;
  double gha = 15 * (ut - 12) + e;
  gha -= 360.0 * std::round(gha / 360.0);
  a.subsolarLongitude = -gha;
  return a;
}

double angleBetween(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return std::fabs(d);
}

}  // namespace

TEST(Sun, EquationOfTimeAndDeclinationAsTheAlmanacGivesThem) {
  struct Case {
    const char* what;
    int y, m, d, minute;
    double declination, equationOfTime;  // NaN: not checked
    double tolDecl, tolEot;
  };
  const double no = std::nan("");
  const Case cases[] = {
      {"March equinox 2024, 03:06 UTC", 2024, 3, 20, 3 * 60 + 6, 0.0, no, 0.01, 0},
      {"June solstice 2024, 20:51 UTC", 2024, 6, 20, 20 * 60 + 51, 23.436, no, 0.01, 0},
      {"September equinox 2024, 12:44 UTC", 2024, 9, 22, 12 * 60 + 44, 0.0, no, 0.01, 0},
      {"December solstice 2024, 09:21 UTC", 2024, 12, 21, 9 * 60 + 21, -23.436, no, 0.01, 0},
      {"least equation of time, 11 February", 2024, 2, 11, 12 * 60, no, -14.2, 0, 0.1},
      {"greatest equation of time, 3 November", 2024, 11, 3, 12 * 60, no, 16.4, 0, 0.1},
      {"small maximum, 14 May", 2025, 5, 14, 12 * 60, no, 3.7, 0, 0.1},
      {"small minimum, 26 July", 2025, 7, 26, 12 * 60, no, -6.5, 0, 0.1},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    const SolarPosition p = solarPosition(f.y, f.m, f.d, f.minute);
    if (!std::isnan(f.declination)) {
      EXPECT_NEAR(p.declination, f.declination, f.tolDecl);
    }
    if (!std::isnan(f.equationOfTime)) {
      EXPECT_NEAR(p.equationOfTime, f.equationOfTime, f.tolEot);
    }
    EXPECT_EQ(p.subsolarLatitude, p.declination);
  }
  // The equation of time is near its extremes on those days: the day
  // before and after it is smaller in size.
  for (const auto& [m, d] : {std::pair{2, 11}, std::pair{11, 3}}) {
    const double e = std::fabs(solarPosition(2024, m, d, 720).equationOfTime);
    EXPECT_GT(e + 0.02, std::fabs(solarPosition(2024, m, d - 2, 720).equationOfTime));
    EXPECT_GT(e + 0.02, std::fabs(solarPosition(2024, m, d + 2, 720).equationOfTime));
  }
}

// Every ninth day and fifth hour from 2000 to 2050 against the other
// formulation: declination and sub-solar longitude within 0.01 degree, the
// equation of time within 0.05 minute.
TEST(Sun, AgreesWithAnIndependentFormulation) {
  double worstDecl = 0, worstLon = 0, worstEot = 0;
  for (std::int64_t day = daysFromCivil(2000, 1, 1); day < daysFromCivil(2050, 1, 1); day += 9) {
    const DateTime d = civilFromDays(day);
    for (int minute = 0; minute < 1440; minute += 5 * 60 + 17) {
      const SolarPosition p = solarPosition(d.year, d.month, d.day, minute);
      const AlmanacSun a = almanacSun(julianDay(d.year, d.month, d.day, minute));
      worstDecl = std::max(worstDecl, std::fabs(p.declination - a.declination));
      worstLon = std::max(worstLon, angleBetween(p.subsolarLongitude, a.subsolarLongitude));
      worstEot = std::max(worstEot, std::fabs(p.equationOfTime - a.equationOfTime));
    }
  }
  EXPECT_LT(worstDecl, 0.01);
  EXPECT_LT(worstLon, 0.01);
  EXPECT_LT(worstEot, 0.05);
}

TEST(Sun, SubsolarPointFollowsTheClockAndTheEquationOfTime) {
  const double jd = julianDay(1970, 1, 1, 0);
  EXPECT_DOUBLE_EQ(jd, 2440587.5);
  EXPECT_DOUBLE_EQ(julianDay(2000, 1, 1, 720), 2451545.0);
  // On 3 November the sun culminates over Greenwich 16.4 minutes before noon.
  const SolarPosition p = solarPosition(2024, 11, 3, 720 - 16.4);
  EXPECT_NEAR(p.subsolarLongitude, 0, 0.05);
  // Six hours later it stands 90 degrees further west.
  EXPECT_NEAR(solarPosition(2024, 11, 3, 1080 - 16.4).subsolarLongitude, -90, 0.05);
  // Across midnight the longitude jumps from -180 to 180 only.
  const SolarPosition before = solarPosition({2024, 6, 1, 23, 59, 0});
  const SolarPosition to = solarPosition({2024, 6, 2, 0, 1, 0});
  EXPECT_LT(angleBetween(before.subsolarLongitude, to.subsolarLongitude), 0.6);
  EXPECT_GE(to.subsolarLongitude, -180);
  EXPECT_LE(to.subsolarLongitude, 180);
  // The sun's altitude is 90 degrees under it and -90 at the antipode.
  EXPECT_NEAR(solarAltitude(p, p.subsolarLatitude, p.subsolarLongitude), 90, 1e-6);
  EXPECT_NEAR(solarAltitude(p, -p.subsolarLatitude, p.subsolarLongitude + 180), -90, 1e-6);
}

// At the equator at the equinox the day lasts twelve hours and the 6.7
// minutes the sun needs to cross 0.833 degree twice; its middle is local
// noon, 12:00 minus the equation of time.
TEST(Sun, EquatorAtTheEquinox) {
  for (const double lon : {0.0, 45.0, -75.0}) {
    SCOPED_TRACE(lon);
    const SunEvents e = sunEvents(2024, 3, 20, 0, lon);
    ASSERT_TRUE(e.sunrise && e.sunset);
    EXPECT_FALSE(e.polarDay || e.polarNight);
    double set = *e.sunset;
    if (set < *e.sunrise) set += 1440;
    EXPECT_NEAR(set - *e.sunrise, 720 + 2 * 4 * 0.833, 0.5);
    const double noon = 720 - 4 * lon - solarPosition(2024, 3, 20, 720 - 4 * lon).equationOfTime;
    EXPECT_NEAR((*e.sunrise + set) / 2, noon, 0.5);
  }
  const SunEvents g = sunEvents(2024, 3, 20, 0, 0);
  EXPECT_EQ(minuteText(*g.sunrise), "06:04");
  EXPECT_EQ(minuteText(*g.sunset), "18:11");
}

TEST(Sun, PolarDayAndPolarNight) {
  struct Case {
    double lat;
    int month;
    bool day, night;
  };
  for (const Case f : {Case{80, 6, true, false}, Case{80, 12, false, true}, Case{-80, 6, false, true},
                       Case{-80, 12, true, false}, Case{90, 6, true, false}, Case{-90, 6, false, true}}) {
    SCOPED_TRACE(::testing::Message() << f.lat << " in month " << f.month);
    const SunEvents e = sunEvents(2025, f.month, 21, f.lat, 15);
    EXPECT_EQ(e.polarDay, f.day);
    EXPECT_EQ(e.polarNight, f.night);
    EXPECT_FALSE(e.sunrise);
    EXPECT_FALSE(e.sunset);
  }
  // In March the sun rises and sets at 80 N.
  const SunEvents m = sunEvents(2025, 3, 21, 80, 15);
  EXPECT_TRUE(m.sunrise && m.sunset);
}

// London (Greenwich) at the solstices, as every almanac gives it: 03:43 and
// 20:21 UTC in June, 08:04 and 15:53 UTC in December.
TEST(Sun, LondonAtTheSolstices) {
  const SunEvents june = sunEvents(2024, 6, 21, 51.4769, -0.0005);
  EXPECT_NEAR(*june.sunrise, 3 * 60 + 43, 2);
  EXPECT_NEAR(*june.sunset, 20 * 60 + 21, 2);
  const SunEvents december = sunEvents(2024, 12, 21, 51.4769, -0.0005);
  EXPECT_NEAR(*december.sunrise, 8 * 60 + 4, 2);
  EXPECT_NEAR(*december.sunset, 15 * 60 + 53, 2);
}

// Every event lies on its UTC date, with the sun's centre at -0.833 degree
// and rising or sinking as it should, also where the local day straddles
// two UTC dates (New Zealand, Hawaii) and high up north.
TEST(Sun, EventsFallOnTheUtcDateAtTheHorizon) {
  struct GeoPoint {
    const char* name;
    double lat, lon;
  };
  for (const GeoPoint o : {GeoPoint{"Wellington", -41.29, 174.78}, GeoPoint{"Honolulu", 21.31, -157.86},
                      GeoPoint{"Tromso", 69.65, 18.96}, GeoPoint{"Munich", 48.1, 11.5}, GeoPoint{"Date line", 10, 179.9}}) {
    for (int month = 1; month <= 12; ++month) {
      SCOPED_TRACE(::testing::Message() << o.name << " in month " << month);
      const SunEvents e = sunEvents(2025, month, 5, o.lat, o.lon);
      if (e.polarDay || e.polarNight) {
        EXPECT_STREQ(o.name, "Tromso");
        continue;
      }
      for (const auto& [event, side] : {std::pair{e.sunrise, 1.0}, std::pair{e.sunset, -1.0}}) {
        ASSERT_TRUE(event);
        EXPECT_GE(*event, 0);
        EXPECT_LT(*event, 1440);
        const double at = solarAltitude(solarPosition(2025, month, 5, *event), o.lat, o.lon);
        EXPECT_NEAR(at, kSunriseAltitude, 0.01);
        const double later = solarAltitude(solarPosition(2025, month, 5, *event + 2), o.lat, o.lon);
        EXPECT_GT(side * (later - at), 0);
      }
    }
  }
  // In Wellington the day begins on the UTC date before: sunset comes first.
  const SunEvents w = sunEvents(2025, 1, 5, -41.29, 174.78);
  EXPECT_LT(*w.sunset, *w.sunrise);
}

TEST(Sun, MinuteTextRoundsToTheNearestMinute) {
  EXPECT_EQ(minuteText(0), "00:00");
  EXPECT_EQ(minuteText(59.4), "00:59");
  EXPECT_EQ(minuteText(59.5), "01:00");
  EXPECT_EQ(minuteText(1439.6), "00:00");
  EXPECT_EQ(minuteText(754.2), "12:34");
}

TEST(Sun, PanelTextInTheUsersLanguage) {
  auto s = std::make_unique<State>();
  s->Zeitpunkt = {2024, 6, 21, 12, 0, 0};
  s->X1 = 51.4769;
  s->Y1 = 0;
  s->OrtX2 = 80;
  s->OrtY2 = 15;
  s->L = 0;
  EXPECT_EQ(sunPanelText(*s),
            "Sonne bei A: auf 03:43, unter 20:21 UTC\nSonne bei B: geht heute nicht unter (Polartag)");
  s->L = 1;
  s->Zeitpunkt = {2024, 12, 21, 12, 0, 0};
  s->X1 = 51.5074;  // central London, half a minute after Greenwich
  s->Y1 = -0.1278f;
  EXPECT_EQ(sunPanelText(*s), "Sun at A: rises 08:04, sets 15:54 UTC\nSun at B: does not rise today (polar night)");
  s->L = 4;
  EXPECT_EQ(sunPanelText(*s).substr(0, 20), "Soleil en A\u00A0: lever");
}
