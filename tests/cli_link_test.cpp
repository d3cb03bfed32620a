// welvaro-cli link: output forms, argument checking and exit status.
#include <gtest/gtest.h>

#include <algorithm>

#include "testutil.h"

using namespace welvaro::test;

namespace {

CliRun link(std::vector<std::string> args) {
  args.insert(args.begin(), "link");
  return runCli(args);
}

}  // namespace

TEST(CliLink, CsvHasAHeaderAnd24HourRows) {
  const CliRun r = link({"--format", "csv"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto l = split(r.out);
  ASSERT_EQ(l.size(), 26u);  // header, 24 hours, the empty rest after the last line end
  EXPECT_EQ(l[0].substr(0, 20), "hour,muf,f1,f2,f3,f4");
  EXPECT_EQ(l[0].substr(l[0].size() - 8), ",f29,f30");
  for (std::size_t h = 1; h <= 24; ++h) {
    SCOPED_TRACE(h);
    EXPECT_EQ(l[h].rfind(std::to_string(h) + ",", 0), 0u);
    EXPECT_EQ(std::count(l[h].begin(), l[h].end(), ','), 31);
    EXPECT_EQ(l[h].find_first_not_of("-0123456789,"), std::string::npos);
  }
  EXPECT_EQ(l[25], "");
}

TEST(CliLink, DateMonthAndStationsChangeTheResult) {
  const std::string base = link({"--format", "csv"}).out;
  EXPECT_EQ(base, link({"--format", "csv", "--date", "2026-12-08", "--a", "48.1,11.5", "--b", "40.4,-3.7"}).out);
  for (const auto& other : std::vector<std::vector<std::string>>{
           {"--date", "2026-12-20"}, {"--month", "6"}, {"--path", "l"}, {"--memories", "1.8,3.5,7.1,14.1,21.2,28.5"}}) {
    SCOPED_TRACE(other.front());
    auto args = other;
    args.insert(args.begin(), {"--format", "csv"});
    EXPECT_NE(base, link(args).out);
  }
}

TEST(CliLink, JsonCarriesTheGeometryAndTextIsATableForAPerson) {
  const CliRun json = link({"--format", "json"});
  ASSERT_EQ(json.rc, 0);
  for (const char* key : {"\"distance_km\":1478.", "\"bearing_ab\":240.", "\"bearing_ba\":49.", "\"hops_e\":3",
                          "\"hops_f\":2", "\"hops_d\":1", "\"grid\":["})
    EXPECT_NE(json.out.find(key), std::string::npos) << key;

  const CliRun text = link({});
  ASSERT_EQ(text.rc, 0);
  EXPECT_NE(text.out.find("München"), std::string::npos);
  EXPECT_NE(text.out.find("Distance 1478.6 km"), std::string::npos);
  EXPECT_EQ(split(text.out).size(), 5u + 1 + 24 + 1);
}

TEST(CliLink, AModelFaultExitsWithThreeAndNamesIt) {
  const CliRun r = link({"--a", "40.5,11.5", "--b", "40.5,11.5", "--format", "csv"});
  EXPECT_EQ(r.rc, 3);
  EXPECT_NE(r.err.find("division by zero"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

TEST(CliLink, ExtremeConditionsGiveNumbers) {
  for (auto args : std::vector<std::vector<std::string>>{
           {"--angle", "90"}, {"--ssn", "0", "--power", "0.000001"}, {"--ssn", "300", "--power", "1000"},
           {"--a", "90,180", "--b", "-90,-180"}, {"--b", "48.1,11.5", "--path", "L"}}) {
    args.insert(args.begin(), {"--format", "csv"});
    const CliRun r = link(args);
    SCOPED_TRACE(r.err);
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
    EXPECT_EQ(split(r.out).size(), 26u);
  }
}
