// welvaro-cli sun: the sub-solar point and sunrise and sunset at A and B,
// as text and as strict JSON, with null in polar day and night.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "testutil.h"

using namespace welvaro::test;

TEST(CliSun, JsonGivesTheSubsolarPointAndTheEvents) {
  // London and the equator at 0 degrees on the March equinox of 2024.
  const CliRun r = runCli({"sun", "--a", "51.4769,0", "--b", "0,0", "--date", "2024-03-20", "--utc", "12:00",
                           "--format", "json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["date"], "2024-03-20");
  EXPECT_EQ(j["utc"], "12:00");
  // The sun crossed the equator at 03:06 UTC and climbs 0.39 degree a day.
  EXPECT_NEAR(j["sun_lat"].get<double>(), 0.39 * 8.9 / 24, 0.02);
  // The equation of time is -7.3 minutes: at noon UTC the sun has not yet
  // reached Greenwich and culminates 1.83 degrees east of it.
  EXPECT_NEAR(j["sun_lon"].get<double>(), 1.83, 0.03);
  EXPECT_EQ(j["sunrise_b"], "06:04");
  EXPECT_EQ(j["sunset_b"], "18:11");
  EXPECT_TRUE(j["sunrise_a"].is_string());
  EXPECT_TRUE(j["sunset_a"].is_string());
}

TEST(CliSun, PolarDayAndNightAreNull) {
  const CliRun r = runCli({"sun", "--a", "80,15", "--b", "-80,15", "--date", "2025-06-21", "--utc", "06:30",
                           "--format", "json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  for (const char* k : {"sunrise_a", "sunset_a", "sunrise_b", "sunset_b"}) EXPECT_TRUE(j[k].is_null()) << k;
  EXPECT_NEAR(j["sun_lat"].get<double>(), 23.44, 0.01);
}

TEST(CliSun, TextOneValueALineAndTheUtcTimeIsRequired) {
  const CliRun r = runCli({"sun", "--a", "80,15", "--date", "2025-12-21", "--utc", "00:00"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto l = split(r.out);
  ASSERT_EQ(l.size(), 9u);
  EXPECT_EQ(l[0], "date: 2025-12-21");
  EXPECT_EQ(l[1], "utc: 00:00");
  EXPECT_EQ(l[2].rfind("sun_lat: -23.4", 0), 0u);
  EXPECT_EQ(l[4], "sunrise_a: -");
  EXPECT_EQ(l[5], "sunset_a: -");
  EXPECT_EQ(runCli({"sun"}).rc, 2);
  EXPECT_EQ(runCli({"sun", "--utc", "25:00"}).rc, 2);
  EXPECT_EQ(runCli({"sun", "--utc", "12:00", "--format", "csv"}).rc, 2);
}
