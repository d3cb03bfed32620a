// welvaro-cli bands and point --format json: the ten bands, each value the
// point result's at the band's frequency and time, and the JSON forms.
#include <gtest/gtest.h>

#include "testutil.h"

using namespace welvaro;

namespace {

// The number after `"key":` in a JSON text, from position `from` on.
std::string valueAfter(const std::string& json, const std::string& key, std::size_t from = 0) {
  const auto p = json.find("\"" + key + "\":", from);
  if (p == std::string::npos) return {};
  const auto a = json.find_first_not_of(' ', p + key.size() + 3);
  return json.substr(a, json.find_first_of(",}", a) - a);
}

}  // namespace

TEST(CliBands, TenBandsAndThe20mValueIsThePointResult) {
  const test::CliRun b = test::runCli({"bands", "--utc", "12:00", "--format", "json"});
  ASSERT_EQ(b.rc, 0) << b.err;
  int bands = 0;
  for (std::size_t p = 0; (p = b.out.find("\"band\":", p)) != std::string::npos; ++p) ++bands;
  EXPECT_EQ(bands, 10);
  const auto twenty = b.out.find("\"band\":\"20m\"");
  ASSERT_NE(twenty, std::string::npos);
  EXPECT_EQ(valueAfter(b.out, "mhz", twenty), "14.2");

  const test::CliRun p = test::runCli({"point", "--freq", "14.2", "--utc", "12:00", "--format", "json"});
  ASSERT_EQ(p.rc, 0) << p.err;
  EXPECT_EQ(valueAfter(b.out, "level_dbm", twenty), valueAfter(p.out, "level_dbm"));
  EXPECT_EQ(valueAfter(b.out, "field_dbuv", twenty), valueAfter(p.out, "field_dbuv"));
  for (const char* key : {"s_meter", "distance_km", "bearing_ab", "bearing_ba"}) EXPECT_NE(valueAfter(p.out, key), "");
  EXPECT_EQ(valueAfter(p.out, "distance_km"), "1478");
}

TEST(CliBands, HoursRunOnPastMidnightAnd24IsMidnight) {
  const test::CliRun r = test::runCli({"bands", "--utc", "22:30", "--hours", "4", "--format", "csv", "--field"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto rows = test::split(r.out);
  EXPECT_EQ(rows[0], "band,mhz,utc,field_dbuv");
  ASSERT_EQ(rows.size(), 1 + 10 * 4 + 1u);  // and the empty piece after the last line end
  EXPECT_EQ(rows[1].substr(0, 16), "160m,1.85,22:30,");
  EXPECT_EQ(rows[3].substr(0, 15), "160m,1.85,00:30");
  EXPECT_EQ(rows[40].substr(0, 14), "10m,28.5,01:30");

  const test::CliRun midnight = test::runCli({"bands", "--utc", "24:00"});
  const test::CliRun null = test::runCli({"bands", "--utc", "00:00"});
  ASSERT_EQ(midnight.rc, 0) << midnight.err;
  EXPECT_EQ(midnight.out, null.out);

  EXPECT_EQ(test::runCli({"bands", "--utc", "24:01"}).rc, 2);
  EXPECT_EQ(test::runCli({"bands", "--utc", "12:00", "--hours", "25"}).rc, 2);
  EXPECT_EQ(test::runCli({"bands"}).rc, 2);  // --utc is required
  // A link without a forecast exits 3.
  EXPECT_EQ(test::runCli({"bands", "--utc", "12:00", "--a", "0,0", "--b", "0,0"}).rc, 3);
}
