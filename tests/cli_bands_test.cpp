// welvaro-cli bands and point --format json: the ten bands, each value the
// point result's at the band's frequency and time, and the JSON forms.
#include <gtest/gtest.h>

#include "testutil.h"

using namespace welvaro;

namespace {

// The number after `"key": ` in a JSON text, from position `ab` on.
std::string wertNach(const std::string& json, const std::string& key, std::size_t ab = 0) {
  const auto p = json.find("\"" + key + "\": ", ab);
  if (p == std::string::npos) return {};
  const auto a = p + key.size() + 4;
  return json.substr(a, json.find_first_of(",}", a) - a);
}

}  // namespace

TEST(CliBands, TenBandsAndThe20mValueIsThePointResult) {
  const test::CliRun b = test::runCli({"bands", "--utc", "12:00", "--format", "json"});
  ASSERT_EQ(b.rc, 0) << b.err;
  int baender = 0;
  for (std::size_t p = 0; (p = b.out.find("\"band\": ", p)) != std::string::npos; ++p) ++baender;
  EXPECT_EQ(baender, 10);
  const auto zwanzig = b.out.find("\"band\": \"20m\"");
  ASSERT_NE(zwanzig, std::string::npos);
  EXPECT_EQ(wertNach(b.out, "mhz", zwanzig), "14.2");

  const test::CliRun p = test::runCli({"point", "--freq", "14.2", "--utc", "12:00", "--format", "json"});
  ASSERT_EQ(p.rc, 0) << p.err;
  EXPECT_EQ(wertNach(b.out, "level_dbm", zwanzig), wertNach(p.out, "level_dbm"));
  EXPECT_EQ(wertNach(b.out, "field_dbuv", zwanzig), wertNach(p.out, "field_dbuv"));
  for (const char* key : {"s_meter", "distance_km", "bearing_ab", "bearing_ba"}) EXPECT_NE(wertNach(p.out, key), "");
  EXPECT_EQ(wertNach(p.out, "distance_km"), "1478");
}

TEST(CliBands, HoursRunOnPastMidnightAnd24IsMidnight) {
  const test::CliRun r = test::runCli({"bands", "--utc", "22:30", "--hours", "4", "--format", "csv", "--field"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto zeilen = test::split(r.out);
  EXPECT_EQ(zeilen[0], "band,mhz,utc,field_dbuv");
  ASSERT_EQ(zeilen.size(), 1 + 10 * 4 + 1u);  // and the empty piece after the last line end
  EXPECT_EQ(zeilen[1].substr(0, 16), "160m,1.85,22:30,");
  EXPECT_EQ(zeilen[3].substr(0, 15), "160m,1.85,00:30");
  EXPECT_EQ(zeilen[40].substr(0, 14), "10m,28.5,01:30");

  const test::CliRun mitternacht = test::runCli({"bands", "--utc", "24:00"});
  const test::CliRun null = test::runCli({"bands", "--utc", "00:00"});
  ASSERT_EQ(mitternacht.rc, 0) << mitternacht.err;
  EXPECT_EQ(mitternacht.out, null.out);

  EXPECT_EQ(test::runCli({"bands", "--utc", "24:01"}).rc, 2);
  EXPECT_EQ(test::runCli({"bands", "--utc", "12:00", "--hours", "25"}).rc, 2);
  EXPECT_EQ(test::runCli({"bands"}).rc, 2);  // --utc is required
  // A link without a forecast exits 3.
  EXPECT_EQ(test::runCli({"bands", "--utc", "12:00", "--a", "0,0", "--b", "0,0"}).rc, 3);
}
