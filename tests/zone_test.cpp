// The clock shows true UTC in every time zone: the offset follows the
// system's zone (with its summer time, in both hemispheres, in half-hour
// zones) unless the user chose another one, and a settings file written in
// Central Europe behaves as before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "files/settings.h"
#include "schedule/session.h"
#include "state/calendar.h"
#include "input/input_rules.h"
#include "state/numtext.h"
#include "testutil.h"

namespace welvaro {
namespace {

// Sets TZ for the lifetime of the object and restores it afterwards.
class TzScope {
 public:
  explicit TzScope(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    ::setenv("TZ", tz, 1);
    ::tzset();
  }
  ~TzScope() {
    if (old_)
      ::setenv("TZ", old_->c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::optional<std::string> old_;
};

std::int64_t utc(const DateTime& t) { return toSerial(t); }

ProgramDirs folderIn(const test::TempDir& d) { return test::programDirs(d); }

// POSIX zone rules, so the tests need no time-zone database.
struct Zone {
  const char* name;
  const char* tz;
  float winter;  // offset on 15 January [h]
  float summer;  // offset on 15 July [h]
  float standard;
};
constexpr Zone kZones[] = {
    {"UTC", "UTC0", 0, 0, 0},
    {"New York", "EST5EDT,M3.2.0,M11.1.0", -5, -4, -5},
    {"Kolkata", "IST-5:30", 5.5f, 5.5f, 5.5f},
    {"Sydney", "AEST-10AEDT,M10.1.0,M4.1.0/3", 11, 10, 10},
    {"Berlin", "CET-1CEST,M3.5.0,M10.5.0/3", 1, 2, 1},
    {"Kathmandu", "<+0545>-5:45", 5.75f, 5.75f, 5.75f},
};

TEST(TimeZone, ReadingGivesOffsetAndStandardTimeInBothHemispheres) {
  for (const Zone& z : kZones) {
    SCOPED_TRACE(z.name);
    TzScope tz(z.tz);
    const ClockReading january = zoneReading(utc({2026, 1, 15, 12, 0, 0}));
    const ClockReading july = zoneReading(utc({2026, 7, 15, 12, 0, 0}));
    EXPECT_EQ(january.offsetSeconds, static_cast<int>(z.winter * 3600));
    EXPECT_EQ(july.offsetSeconds, static_cast<int>(z.summer * 3600));
    EXPECT_EQ(january.standardOffsetSeconds, static_cast<int>(z.standard * 3600));
    EXPECT_EQ(july.standardOffsetSeconds, static_cast<int>(z.standard * 3600));
    // Local time is UTC plus the offset.
    EXPECT_EQ(toSerial(july.local), utc({2026, 7, 15, 12, 0, 0}) + july.offsetSeconds);
  }
}

// The first start without any file, in every zone and season: the clock
// shows true UTC without the time-zone dialog, and keeps it across the
// zone's summer-time changes while the program runs.
TEST(TimeZone, FirstStartShowsTrueUtcInEveryZone) {
  const DateTime moments[] = {{2026, 1, 15, 23, 6, 0}, {2026, 7, 15, 23, 20, 0}, {2026, 12, 8, 0, 30, 0}};
  for (const Zone& z : kZones) {
    for (const DateTime& m : moments) {
      SCOPED_TRACE(std::string(z.name) + " " + shortDate(m));
      TzScope tz(z.tz);
      test::TempDir d;
      auto s = std::make_unique<State>();
      ZoneClock clock(utc(m));
      prgStart(*s, clock.read(), folderIn(d));
      EXPECT_EQ(s->Zeitpunkt, m);
      EXPECT_EQ(s->UTCKorrFolgt, 1);
    }
  }
  // Across the changes: New York springs forward on 8 March 2026, Sydney
  // falls back on 5 April 2026, Berlin on 25 October 2026.
  const struct {
    const char* tz;
    DateTime before;
  } changes[] = {{"EST5EDT,M3.2.0,M11.1.0", {2026, 3, 8, 6, 30, 0}},
                 {"AEST-10AEDT,M10.1.0,M4.1.0/3", {2026, 4, 4, 15, 30, 0}},
                 {"CET-1CEST,M3.5.0,M10.5.0/3", {2026, 10, 25, 0, 30, 0}}};
  for (const auto& w : changes) {
    SCOPED_TRACE(w.tz);
    TzScope tz(w.tz);
    test::TempDir d;
    auto s = std::make_unique<State>();
    ZoneClock clock(utc(w.before));
    prgStart(*s, clock.read(), folderIn(d));
    const float before = s->UTCKorr;
    clock.advance(3600);
    prgUhr(*s, clock.read());
    EXPECT_NE(s->UTCKorr, before);
    EXPECT_EQ(s->Zeitpunkt, addSeconds(w.before, 3600));
  }
}

// What is saved in one season is right in the other: the file holds the
// zone's standard time, and the next start follows the system again.
TEST(TimeZone, SavedZoneFollowsTheSystemAtTheNextStart) {
  for (const Zone& z : kZones) {
    SCOPED_TRACE(z.name);
    TzScope tz(z.tz);
    test::TempDir d;
    const DateTime summer{2026, 7, 15, 23, 6, 0};
    auto s = std::make_unique<State>();
    ZoneClock clock(utc(summer));
    prgStart(*s, clock.read(), folderIn(d));
    ASSERT_TRUE(prgSpeicherDaten(*s, folderIn(d), s->Jetzt).empty());
    const auto row = test::split(test::readFile(d.path / "Welvaro.dat"), "\r\n")[13];
    EXPECT_EQ(row, "\"Zeitzone (O=+/W=- Std.): " + NumberText(z.standard) + "\"");

    const DateTime winter{2027, 1, 10, 5, 0, 0};
    auto r = std::make_unique<State>();
    ZoneClock fresh(utc(winter));
    const StartReport b = prgStart(*r, fresh.read(), folderIn(d));
    EXPECT_EQ(b.settings, SettingsSource::File);
    EXPECT_EQ(r->UTCKorrFolgt, 1);
    EXPECT_EQ(r->Zeitpunkt, winter);
  }
}

// A file written in Central Europe on a Central European machine: "1"
// means the system's zone, so UTC+1 in winter and UTC+2 in summer as
// before. Another stored zone is the user's own choice and keeps the old
// rule (stored standard time plus the summer hour of the start).
TEST(TimeZone, CentralEuropeanFileBehavesAsBefore) {
  TzScope tz("CET-1CEST,M3.5.0,M10.5.0/3");
  struct Case {
    const char* value;
    DateTime start;  // UTC
    float utcOffset;
    int16 follows;
  } cases[] = {
      {" 1", {2026, 7, 1, 10, 0, 0}, 2, 1},
      {" 1", {2026, 12, 1, 10, 0, 0}, 1, 1},
      {" 0", {2026, 7, 1, 10, 0, 0}, 1, 0},
      {" 0", {2026, 12, 1, 10, 0, 0}, 0, 0},
      {"-5", {2026, 12, 1, 10, 0, 0}, -5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.value) + " " + shortDate(c.start));
    test::TempDir d;
    auto s = std::make_unique<State>();
    setSummerTime(*s, {2026, 12, 1, 10, 0, 0});
    s->UTCKorrFolgt = 0;
    s->UTCKorr = 0;
    std::string file = settingsText(*s, {2026, 12, 1, 10, 0, 0});
    const std::string old = "\"Zeitzone (O=+/W=- Std.):  0\"";
    file.replace(file.find(old), old.size(), std::string("\"Zeitzone (O=+/W=- Std.): ") + c.value + "\"");
    test::writeFile(d.path / "Welvaro.dat", file);

    auto r = std::make_unique<State>();
    ZoneClock clock(utc(c.start));
    prgStart(*r, clock.read(), folderIn(d));
    EXPECT_EQ(r->UTCKorr, c.utcOffset);
    EXPECT_EQ(r->UTCKorrFolgt, c.follows);
    EXPECT_EQ(r->Zeitpunkt, addSeconds(r->Jetzt, -static_cast<int>(c.utcOffset * 3600)));
  }
}

// The time-zone dialog: the system's offset means the system's zone again;
// another value is held as the user typed it, also over the next tick.
TEST(TimeZone, DialogChoosesBetweenTheSystemAndAFixedZone) {
  TzScope tz("EST5EDT,M3.2.0,M11.1.0");
  test::TempDir d;
  auto s = std::make_unique<State>();
  ZoneClock clock(utc({2026, 7, 15, 23, 20, 0}));
  prgStart(*s, clock.read(), folderIn(d));
  ASSERT_EQ(s->UTCKorr, -4);

  std::string box = "3";
  ASSERT_EQ(applyTimeZone(*s, box, openTimeZone(*s)).flag, 0);
  prgUhr(*s, clock.read());
  EXPECT_EQ(s->UTCKorrFolgt, 0);
  EXPECT_EQ(s->UTCKorr, 3);

  box = "-4";
  ASSERT_EQ(applyTimeZone(*s, box, openTimeZone(*s)).flag, 0);
  EXPECT_EQ(s->UTCKorrFolgt, 1);
  clock.advance(180 * 86400);  // into winter: the system's zone goes along
  prgUhr(*s, clock.read());
  EXPECT_EQ(s->UTCKorr, -5);
}

}  // namespace
}  // namespace welvaro

namespace welvaro {
namespace {

// Whether the zone follows the system's is kept beside the settings: a
// computer moved to another zone (a journey) still shows true UTC, and a
// zone the user chose stays chosen.
TEST(TimeZone, FollowingTheSystemSurvivesAChangeOfTheSystemsZone) {
  test::TempDir d;
  {
    TzScope tz("EST5EDT,M3.2.0,M11.1.0");
    auto s = std::make_unique<State>();
    ZoneClock clock(utc({2026, 12, 8, 2, 0, 0}));
    prgStart(*s, clock.read(), folderIn(d));
    ASSERT_TRUE(prgSpeicherDaten(*s, folderIn(d), s->Jetzt).empty());
  }
  {
    TzScope tz("IST-5:30");
    auto s = std::make_unique<State>();
    const DateTime now{2026, 12, 8, 2, 17, 0};
    ZoneClock clock(utc(now));
    prgStart(*s, clock.read(), folderIn(d));
    EXPECT_EQ(s->UTCKorrFolgt, 1);
    EXPECT_EQ(s->Zeitpunkt, now);
    // The user chooses a zone of their own: it stays through the next start.
    std::string box = "3";
    ASSERT_EQ(applyTimeZone(*s, box, openTimeZone(*s)).flag, 0);
    ASSERT_TRUE(prgSpeicherDaten(*s, folderIn(d), s->Jetzt).empty());
  }
  TzScope tz("UTC0");
  auto s = std::make_unique<State>();
  ZoneClock clock(utc({2026, 12, 8, 2, 17, 0}));
  prgStart(*s, clock.read(), folderIn(d));
  EXPECT_EQ(s->UTCKorrFolgt, 0);
  EXPECT_EQ(s->UTCKorr, 3);
}

}  // namespace
}  // namespace welvaro
