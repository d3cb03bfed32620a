// welvaro-cli link: output forms, argument checking and exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"

using namespace welvaro;

namespace {

struct CliRun {
  int rc;
  std::string out, err;
};

CliRun runTool(std::vector<std::string> args) {
  args.insert(args.begin(), "welvaro-cli");
  FixedClock clock({2026, 12, 8, 15, 4, 0});
  std::ostringstream out, err;
  const int rc = cli::runCli(args, clock, out, err);
  return {rc, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

}  // namespace

TEST(CliLink, CsvHasAHeaderAnd24HourRows) {
  CliRun r = runTool({"link", "--format", "csv"});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto l = lines(r.out);
  ASSERT_EQ(l.size(), 25u);
  EXPECT_EQ(l[0].substr(0, 20), "hour,muf,f1,f2,f3,f4");
  EXPECT_EQ(l[0].substr(l[0].size() - 8), ",f29,f30");
  for (int h = 1; h <= 24; ++h) {
    SCOPED_TRACE(h);
    EXPECT_EQ(l[static_cast<std::size_t>(h)].rfind(std::to_string(h) + ",", 0), 0u);
    EXPECT_EQ(std::count(l[static_cast<std::size_t>(h)].begin(), l[static_cast<std::size_t>(h)].end(), ','), 31);
    EXPECT_EQ(l[static_cast<std::size_t>(h)].find_first_not_of("-0123456789,"), std::string::npos);
  }
}

TEST(CliLink, DateMonthAndStationsChangeTheResult) {
  CliRun base = runTool({"link", "--format", "csv"});
  CliRun same = runTool({"link", "--format", "csv", "--date", "2026-12-08", "--a", "48.1,11.5", "--b", "40.4,-3.7"});
  EXPECT_EQ(base.out, same.out);
  EXPECT_NE(base.out, runTool({"link", "--format", "csv", "--date", "2026-12-20"}).out);
  EXPECT_NE(base.out, runTool({"link", "--format", "csv", "--month", "6"}).out);
  EXPECT_NE(base.out, runTool({"link", "--format", "csv", "--path", "l"}).out);
  EXPECT_NE(base.out, runTool({"link", "--format", "csv", "--memories", "1.8,3.5,7.1,14.1,21.2,28.5"}).out);
}

TEST(CliLink, JsonCarriesTheGeometry) {
  CliRun r = runTool({"link", "--format", "json"});
  ASSERT_EQ(r.rc, 0);
  for (const char* key : {"\"distance_km\": 1478.", "\"bearing_ab\": 240.", "\"bearing_ba\": 49.", "\"hops_e\": 3",
                          "\"hops_f\": 2", "\"hops_d\": 1", "\"grid\": ["})
    EXPECT_NE(r.out.find(key), std::string::npos) << key;
}

TEST(CliLink, TextIsATableForAPerson) {
  CliRun r = runTool({"link"});
  ASSERT_EQ(r.rc, 0);
  EXPECT_NE(r.out.find("München"), std::string::npos);
  EXPECT_NE(r.out.find("Distance 1478.6 km"), std::string::npos);
  EXPECT_EQ(lines(r.out).size(), 5u + 1 + 24);
}

TEST(CliLink, BadArgumentsExitWithTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {"link", "--a", "91,0"},         {"link", "--a", "48.1"},        {"link", "--b", "x,y"},
      {"link", "--b", "40,-181"},      {"link", "--ssn", "301"},       {"link", "--ssn", "12abc"},
      {"link", "--power", "0"},        {"link", "--power", "1001"},    {"link", "--gain", "21"},
      {"link", "--angle", "-1"},       {"link", "--avail", "30"},      {"link", "--path", "short"},
      {"link", "--date", "2026-02-30"}, {"link", "--date", "8.12.2026"}, {"link", "--month", "13"},
      {"link", "--month", "2.5"},      {"link", "--format", "xml"},    {"link", "--memories", "1,2,3"},
      {"link", "--bogus"},             {"link", "--a"},                {"frobnicate"},
      {},
  };
  for (const auto& args : bad) {
    CliRun r = runTool(args);
    SCOPED_TRACE(r.err);
    EXPECT_EQ(r.rc, 2);
    EXPECT_FALSE(r.err.empty());
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(CliLink, AModelFaultExitsWithThreeAndNamesIt) {
  CliRun r = runTool({"link", "--a", "40.5,11.5", "--b", "40.5,11.5", "--format", "csv"});
  EXPECT_EQ(r.rc, 3);
  EXPECT_NE(r.err.find("division by zero"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

TEST(CliLink, ExtremeConditionsGiveNumbers) {
  for (auto args : std::vector<std::vector<std::string>>{
           {"--angle", "90"}, {"--ssn", "0", "--power", "0.000001"}, {"--ssn", "300", "--power", "1000"},
           {"--a", "90,180", "--b", "-90,-180"}, {"--b", "48.1,11.5", "--path", "L"}}) {
    args.insert(args.begin(), {"link", "--format", "csv"});
    CliRun r = runTool(args);
    SCOPED_TRACE(r.err);
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
    EXPECT_EQ(lines(r.out).size(), 25u);
  }
}
