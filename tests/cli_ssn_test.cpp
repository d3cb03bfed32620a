// welvaro-cli ssn and --ssn table: the value of a month, the forecast with
// it, and the update against a server of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "local_http_server.h"
#include "solar/solar_update.h"
#include "solar/sunspot_table.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// welvaro-cli with the shipped data files and `user` as the user's folder,
// the clock on 8 December 2026.
CliRun ssnCli(std::vector<std::string> args, const fs::path& user) {
  args.insert(args.begin(), "welvaro-cli");
  FixedClock clock({2026, 12, 8, 15, 4, 0});
  std::ostringstream out, err;
  const int rc = cli::runCli(args, cli::Context{clock, {shippedData()}, out, err, user});
  return {rc, out.str(), err.str()};
}

// NOAA's two files, twelve months each, 2027-01 predicted at `january`.
std::string noaaFile(bool observed, const std::string& january = "33.3") {
  std::string j = "[";
  for (int i = 0; i < 12; ++i) {
    const std::string tag = observed ? yearMonthText({2026, 1 + i}) : yearMonthText({2027, 1 + i});
    const std::string v = observed ? (i < 6 ? "95" : "-1") : (i == 0 ? january : "30");
    j += std::string(i ? "," : "") + R"({"time-tag":")" + tag + R"(",")" +
         (observed ? "smoothed_ssn" : "predicted_ssn") + R"(":)" + v + "}";
  }
  return j + "]";
}

class CliSsn : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::unsetenv(kSolarUrlVariable);
  }
  TempDir user;
};

}  // namespace

TEST_F(CliSsn, MonthValueKindTableAndOrigin) {
  CliRun r = ssnCli({"ssn", "--month", "2026-12"}, user.path);
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, "2026-12: sunspot number 88.7 (predicted; NOAA table of 2026-10, shipped)\n");
  r = ssnCli({"ssn", "--month", "2026-12", "--format", "json"}, user.path);
  EXPECT_EQ(r.out, R"({"month": "2026-12", "ssn": 88.7, "kind": "predicted", "table": "2026-10", "origin": "shipped"})"
                   "\n");
  // The current month by default; a month number is the coming one.
  EXPECT_EQ(ssnCli({"ssn"}, user.path).out, ssnCli({"ssn", "--month", "2026-12"}, user.path).out);
  EXPECT_EQ(ssnCli({"ssn", "--month", "3", "--format", "json"}, user.path).out.substr(0, 30),
            R"({"month": "2027-03", "ssn": 85)");
  EXPECT_NE(ssnCli({"ssn", "--month", "2001-11", "--format", "json"}, user.path)
                .out.find(R"("ssn": 180.3, "kind": "observed")"),
            std::string::npos);

  const struct {
    std::vector<std::string> args;
    int rc;
    std::string err;
  } wrong[] = {
      {{"ssn", "--month", "2031-01"}, 2, "2031-01 is not in the sunspot table (1990-01 .. 2030-12)"},
      {{"ssn", "--month", "2026-13"}, 2, "--month: '2026-13' is not a number"},
      {{"ssn", "--update", "--month", "3"}, 2, "--month does not go with --update"},
      {{"ssn", "--url", "http://127.0.0.1"}, 2, "--url goes with --update only"},
      {{"ssn", "--update", "--url", "ftp://127.0.0.1"}, 2, "--url takes an http:// or https:// address"},
      {{"link", "--ssn", "table", "--date", "2031-06-01"}, 2, "--ssn table: 2031-06 is not in the sunspot table"},
  };
  for (const auto& w : wrong) {
    SCOPED_TRACE(w.args.back());
    r = ssnCli(w.args, user.path);
    EXPECT_EQ(r.rc, w.rc);
    EXPECT_NE(r.err.find(w.err), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  // Without any table: a file error.
  r = runCli({"ssn"});
  EXPECT_EQ(r.rc, 4);
  EXPECT_NE(r.err.find("no sunspot table"), std::string::npos) << r.err;
  EXPECT_EQ(runCli({"link", "--ssn", "table"}).rc, 4);
}

TEST_F(CliSsn, TableSunspotNumberIsTheTypedValueOfItsMonth) {
  for (const char* format : {"text", "csv", "json"}) {
    SCOPED_TRACE(format);
    const CliRun table = ssnCli({"link", "--ssn", "table", "--date", "2026-12-09", "--format", format}, user.path);
    ASSERT_EQ(table.rc, 0) << table.err;
    EXPECT_EQ(table.out, ssnCli({"link", "--ssn", "88.7", "--date", "2026-12-09", "--format", format}, user.path).out);
  }
  // The year of --month YYYY-MM counts; --month M is the coming month.
  EXPECT_EQ(ssnCli({"link", "--ssn", "table", "--month", "2027-03", "--format", "csv"}, user.path).out,
            ssnCli({"link", "--ssn", "85.6", "--month", "3", "--format", "csv"}, user.path).out);
  EXPECT_EQ(ssnCli({"link", "--ssn", "table", "--month", "3", "--format", "csv"}, user.path).out,
            ssnCli({"link", "--ssn", "85.6", "--month", "3", "--format", "csv"}, user.path).out);
  // The report says where the number came from.
  const CliRun report = ssnCli({"report", "--text", "--lang", "1", "--ssn", "table"}, user.path);
  ASSERT_EQ(report.rc, 0) << report.err;
  const auto lines = split(report.out);
  EXPECT_EQ(lines[9], "       Sunspot number: 88.7");
  EXPECT_EQ(lines[10], "       (NOAA predicted, table of 2026-10)");
}

TEST_F(CliSsn, UpdateFromALocalServerAndAMalformedFileChangesNothing) {
  std::string observed = noaaFile(true), predicted = noaaFile(false, "33.3");
  LocalHttpServer server([&](const std::string& path) {
    if (path == kSolarObservedPath) return HttpReply{.body = observed};
    if (path == kSolarPredictedPath) return HttpReply{.body = predicted};
    return HttpReply{.status = 404};
  });
  const std::vector<std::string> january = {"ssn", "--month", "2027-01", "--format", "json"};
  EXPECT_NE(ssnCli(january, user.path)
                .out.find(R"("ssn": 88.3, "kind": "predicted", "table": "2026-10", "origin": "shipped")"),
            std::string::npos);

  CliRun r = ssnCli({"ssn", "--update", "--url", server.base() + "/"}, user.path);
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, "Solar data updated: table of 2026-12, 18 months. " + (user / kSunspotUpdatedFile).string() + "\n");
  const std::string updated =
      R"({"month": "2027-01", "ssn": 33.3, "kind": "predicted", "table": "2026-12", "origin": "updated"})"
      "\n";
  EXPECT_EQ(ssnCli(january, user.path).out, updated);
  // The forecast follows the updated table.
  EXPECT_EQ(ssnCli({"link", "--ssn", "table", "--month", "2027-01", "--format", "csv"}, user.path).out,
            ssnCli({"link", "--ssn", "33.3", "--month", "1", "--format", "csv"}, user.path).out);

  // A malformed file: exit 4 with the reason, the updated table as it was.
  const std::string before = readFile(user / kSunspotUpdatedFile);
  predicted = noaaFile(false, "77").substr(1);
  r = ssnCli({"ssn", "--update", "--url", server.base()}, user.path);
  EXPECT_EQ(r.rc, 4);
  EXPECT_NE(r.err.find("The solar data were not updated; the table in use stays. The answer from " + server.base() +
                       std::string(kSolarPredictedPath) + " is not valid JSON"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(readFile(user / kSunspotUpdatedFile), before);
  EXPECT_EQ(ssnCli(january, user.path).out, updated);

  // WELVARO_SOLAR_URL stands for the address when --url is not given.
  predicted = noaaFile(false, "44.4");
  ::setenv(kSolarUrlVariable, server.base().c_str(), 1);
  r = ssnCli({"ssn", "--update"}, user.path);
  ::unsetenv(kSolarUrlVariable);
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(ssnCli(january, user.path).out.find(R"("ssn": 44.4)"), std::string::npos);

  // A damaged updated table: the shipped one is used, and the user told.
  writeFile(user / kSunspotUpdatedFile, "damaged");
  r = ssnCli(january, user.path);
  EXPECT_EQ(r.rc, 0);
  EXPECT_NE(r.out.find(R"("origin": "shipped")"), std::string::npos);
  EXPECT_NE(r.err.find("could not be read"), std::string::npos) << r.err;
}
