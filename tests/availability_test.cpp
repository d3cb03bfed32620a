// The forecast at the three availabilities from one run: the link and the
// world table, each byte for byte what a run with that availability alone
// gives, also where grid points are moved or fail; and the table sequences
// that keep the three tables beside the table.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "forecast/availability.h"
#include "forecast/startup_table.h"
#include "forecast/tageskorr.h"
#include "forecast/table.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

struct TableCase {
  const char* name;
  DateTime today;
  float month;
  double x1;
  float y1;
  double availability;
};

const TableCase kTableCases[] = {
    {"defaults, 7 December (two months blended)", {2026, 12, 7, 12, 0, 0}, 12, 48.1, 11.5f, 50},
    {"the 15th, availability 90", {2026, 6, 15, 12, 0, 0}, 6, 48.1, 11.5f, 90},
    {"another month, availability 10", {2026, 3, 20, 12, 0, 0}, 9, -33.9, 151.2f, 10},
    {"station A on a grid point (points moved)", {2026, 12, 20, 12, 0, 0}, 12, 50, 10, 50},
    {"an availability the dialog never gives", {2026, 1, 2, 12, 0, 0}, 1, 35.7, 139.7f, 75},
    {"every point fails", {2026, 12, 7, 12, 0, 0}, 13, 48.1, 11.5f, 50},
};

std::unique_ptr<State> tableState(const TableCase& c) {
  auto s = defaultLink(c.today);
  s->Monat = c.month;
  s->X1 = c.x1;
  s->Y1 = c.y1;
  s->Iproz = c.availability;
  return s;
}

}  // namespace

TEST(AvailabilityTables, EachIsTheTableOfThatAvailabilityAlone) {
  for (const TableCase& c : kTableCases) {
    SCOPED_TRACE(c.name);
    auto shared = tableState(c);
    auto single = std::make_unique<State>(*shared);
    GenTabInfo got, want;
    const int rc = generateTableAndAvailabilities(*shared, 2, &got);
    // The table at the record's own availability, with the state it leaves.
    EXPECT_EQ(prgGenTabPlus(*single, 1, &want), rc);
    EXPECT_TRUE(shared->TabText == single->TabText);
    EXPECT_EQ(std::tie(got.moved, got.filled, got.firstFault, got.faultLat, got.faultLon),
              std::tie(want.moved, want.filled, want.firstFault, want.faultLat, want.faultLon));
    EXPECT_EQ(std::tie(shared->X2, shared->Y2, shared->Iproz), std::tie(single->X2, single->Y2, single->Iproz));
    for (int h = 1; h <= 24; ++h)
      for (int k = 1; k <= 31; ++k) ASSERT_EQ(shared->ErgFeld[0][h][k], single->ErgFeld[0][h][k]) << h << " " << k;
    // Each of the three.
    for (int a = 0; a < 3; ++a) {
      SCOPED_TRACE(kAvailabilities[static_cast<std::size_t>(a)]);
      auto alone = tableState(c);
      alone->Iproz = kAvailabilities[static_cast<std::size_t>(a)];
      prgGenTabPlus(*alone);
      ASSERT_EQ(shared->AvailabilityTables[a].size(), kTabLength);
      EXPECT_TRUE(shared->AvailabilityTables[a] == alone->TabText);
    }
    EXPECT_TRUE(availabilityTablesCurrent(*shared));
    EXPECT_EQ(shared->Iproz, c.availability);
  }
}

TEST(AvailabilityTables, CurrentOnlyForTheInputsTheyWereMadeFrom) {
  auto s = tableState(kTableCases[0]);
  EXPECT_FALSE(availabilityTablesCurrent(*s));  // none made yet
  generateTableAndAvailabilities(*s);
  EXPECT_TRUE(availabilityTablesCurrent(*s));
  s->Sag = 6;
  EXPECT_FALSE(availabilityTablesCurrent(*s));
  s->Sag = 2.15;
  s->Jetzt.day = 8;
  EXPECT_FALSE(availabilityTablesCurrent(*s));
}

TEST(AvailabilityLink, EachIsTheForecastOfThatAvailabilityAlone) {
  struct Case {
    const char* name;
    DateTime today;
    float month;
    float lat, lon;
    double availability;
    const char* path;
  } cases[] = {
      {"München - Madrid on the 7th", {2026, 12, 7, 12, 0, 0}, 12, 40.4f, -3.7f, 50, "S"},
      {"to Tokyo on the 15th", {2026, 6, 15, 12, 0, 0}, 6, 35.7f, 139.7f, 10, "S"},
      {"long path to Sydney, another month", {2026, 3, 29, 12, 0, 0}, 8, -33.9f, 151.2f, 90, "L"},
      {"on the 1st of January", {2027, 1, 1, 12, 0, 0}, 1, -34.6f, -58.4f, 50, "S"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = defaultLink(c.today);
    s->Monat = c.month;
    s->X2 = c.lat;
    s->Y2 = c.lon;
    s->Iproz = c.availability;
    s->P = c.path;
    auto alone = std::make_unique<State>(*s);
    ASSERT_EQ(forecastAvailabilities(*s), 0);
    ASSERT_EQ(prgTageskorr(*alone), 0);
    EXPECT_EQ(s->AvailabilityRun, 0);
    EXPECT_EQ(s->Iproz, c.availability);
    EXPECT_EQ(s->Monat, c.month);
    for (int h = 0; h <= 24; ++h)
      for (int k = 0; k <= 32; ++k) ASSERT_EQ(s->ErgFeld[0][h][k], alone->ErgFeld[0][h][k]) << h << " " << k;
    for (int a = 0; a < 3; ++a) {
      alone->Iproz = kAvailabilities[static_cast<std::size_t>(a)];
      ASSERT_EQ(prgTageskorr(*alone), 0);
      for (int h = 1; h <= 24; ++h)
        for (int k = 1; k <= 31; ++k)
          ASSERT_EQ(s->AvailabilityResults[a][0][h][k], alone->ErgFeld[0][h][k]) << a << " " << h << " " << k;
    }
  }
}

TEST(AvailabilityLink, AFaultIsReportedAndTheRecordRestored) {
  auto s = defaultLink({2026, 12, 7, 12, 0, 0});
  s->X2 = s->X1;  // point B on station A: the model divides by zero
  s->Y2 = s->Y1;
  EXPECT_NE(forecastAvailabilities(*s), 0);
  EXPECT_EQ(s->AvailabilityRun, 0);
  EXPECT_EQ(s->Iproz, 50);
  EXPECT_EQ(s->Monat, 12);
}

// Every sequence that makes the table makes its three availabilities; a
// table read from its file gets them made beside it, the file unchanged.
TEST(AvailabilityTables, TableSequencesKeepThemBesideTheTable) {
  TempDir dir;
  const auto file = dir / "Welvaro.tab";
  auto s = defaultLink({2026, 12, 7, 12, 0, 0});
  const TableRun first = tableAtStartUp(*s, file);
  EXPECT_TRUE(first.generated);
  EXPECT_TRUE(availabilityTablesCurrent(*s));
  const std::string bytes = readFile(file);
  EXPECT_EQ(bytes.substr(kTabHeaderLength), s->AvailabilityTables[1].substr(kTabHeaderLength));

  auto again = defaultLink({2026, 12, 7, 12, 0, 0});
  const TableRun second = tableAtStartUp(*again, file);
  EXPECT_FALSE(second.generated);
  EXPECT_TRUE(availabilityTablesCurrent(*again));
  EXPECT_EQ(readFile(file), bytes);
  EXPECT_EQ(again->TabText, s->TabText);  // the header, after parsing
  for (int a = 0; a < 3; ++a) EXPECT_TRUE(again->AvailabilityTables[a] == s->AvailabilityTables[a]);

  again->Sag = 8;
  tableRenew(*again, file);
  EXPECT_TRUE(availabilityTablesCurrent(*again));
  EXPECT_EQ(readFile(file).substr(kTabHeaderLength), again->AvailabilityTables[1].substr(kTabHeaderLength));
}
