// welvaro-cli --a/--b given as Maidenhead locators or place names: the same
// forecast as the position in degrees, and exit status 2 with a message for
// malformed locators, unknown and ambiguous names. The place list and the
// gazetteer are the shipped ones.
#include <gtest/gtest.h>

#include <algorithm>

#include "testutil.h"

using namespace welvaro::test;

namespace {

CliRun link(std::vector<std::string> args) {
  args.insert(args.begin(), {"link", "--format", "csv", "--date", "2026-12-08"});
  return runCli(args, {2026, 12, 8, 15, 4, 0}, {shippedData()});
}

}  // namespace

TEST(CliStation, LocatorsAndNamesGiveTheForecastOfTheirPosition) {
  struct Case {
    std::vector<std::string> oneWay, otherWay;
  } cases[] = {
      // The centres of the squares, to the last digit.
      {{"--a", "JN58TD", "--b", "IO91WM"}, {"--a", "48.145833333333336,11.625", "--b", "51.520833333333336,-0.125"}},
      {{"--a", "jn58", "--b", "pm95"}, {"--a", "48.5,11", "--b", "35.5,139"}},
      // Tokyo of the place list, whatever else bears the name.
      {{"--b", "Tokyo"}, {"--b", "35.6895,139.69171"}},
      {{"--a", "Tokyo"}, {"--a", "35.6895,139.69171"}},
      {{"--b", "tokyo"}, {"--b", "Tokyo, JP"}},
      {{"--a", "München"}, {"--a", "Munich"}},
      {{"--a", "munchen"}, {"--a", "48.13743,11.57549"}},
      {{"--b", "N'Djamena"}, {"--b", "ndjamena"}},
      {{"--b", "Sankt Petersburg"}, {"--b", "Saint-Petersburg"}},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.oneWay[1]);
    const CliRun a = link(f.oneWay), b = link(f.otherWay);
    ASSERT_EQ(a.rc, 0) << a.err;
    ASSERT_EQ(b.rc, 0) << b.err;
    EXPECT_EQ(a.out, b.out);
  }
  EXPECT_NE(link({"--b", "Paris"}).out, link({"--b", "Paris, US"}).out);
  // A station named by a place carries its name.
  const CliRun r = runCli({"link", "--a", "koln", "--b", "JN58td"}, {2026, 12, 8, 15, 4, 0}, {shippedData()});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Link Köln (50.93333, 6.95) -> 48.14583", 0), 0u) << r.out;
}

TEST(CliStation, MalformedUnknownAndAmbiguousExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--a", "JN58TZZ"}, "welvaro-cli link: --a: 'JN58TZZ' is no Maidenhead locator: it has 7 characters"},
      {{"--b", "JS58"}, "welvaro-cli link: --b: 'JS58' is no Maidenhead locator: characters 1 and 2 are letters A to R"},
      {{"--b", "Xyzzyville"}, "welvaro-cli link: --b: no place is named 'Xyzzyville' (give LAT,LON"},
      {{"--b", "Tokyo, DE"}, "welvaro-cli link: --b: no place is named 'Tokyo' in DE"},
      {{"--b", "Springfield"}, "welvaro-cli link: --b: 'Springfield' fits 8 places; name one as NAME, CC or give LAT,LON:\n"
                               "  Springfield, US ("},
      {{"--b", "Sprin"}, "welvaro-cli link: --b: 'Sprin' fits "},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.args[1]);
    const CliRun r = link(f.args);
    EXPECT_EQ(r.rc, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind(f.message, 0), 0u) << r.err;
    // At most ten candidates, one per line, with country and position.
    const auto rows = split(r.err);
    EXPECT_LE(rows.size(), 13u);
    for (std::size_t i = 1; i + 1 < rows.size() && rows[i].rfind("  ...", 0) != 0; ++i)
      EXPECT_NE(rows[i].find(", US ("), std::string::npos) << rows[i];
  }
  const CliRun many = link({"--b", "Sprin"});
  EXPECT_EQ(split(many.err).size(), 13u);  // message, ten candidates, "... and N more", end
  EXPECT_NE(many.err.find("\n  ... and "), std::string::npos);
}
