// Station A keeps the position the user entered: a locator's centre or a
// place's own position is what the dialog, the locator read-out, the
// settings file and welvaro-cli point show, while the forecast still
// computes from the position cut to a tenth of a degree.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "display/window_state.h"
#include "display/point.h"
#include "files/settings.h"
#include "input/input_rules.h"
#include "lang/sprachtext.h"
#include "state/locator.h"
#include "state/numtext.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::unique_ptr<State> mayNoon() {
  auto s = defaultLink({2026, 5, 20, 14, 0, 0});
  s->Zeitpunkt = {2026, 5, 20, 12, 0, 0};
  s->JahrText = "2026";
  fillMonthNames(*s);
  return s;
}

// The settings file's value of line `n` (1..22).
std::string row(const std::string& content, std::size_t n) {
  const std::string z = split(content, "\r\n")[n - 1];
  const std::size_t from = z.find(": ") + 2;  // one blank after the label's colon
  return z.substr(from, z.size() - from - 1);  // without the closing quote
}

}  // namespace

TEST(StationAPosition, ThePositionAsEnteredIsShownAndStored) {
  struct Case {
    const char* what;
    const char *lat, *lon;  // the boxes as the locator or the place filled them
    const char* locator;          // what the dialog showed
    double x1;                    // what the forecast computes with
    float y1;
    const char* geo;              // the panel's first line
  } cases[] = {
      {"locator IO91WM", " 51.5208333333333", "-.125", "IO91WM", 51.5, -0.2f, "X (A: 51.5 N .2 W)"},
      {"Wien from the list", " 48.20849", " 16.37208", "JN88EF", 48.2, 16.3f, "X (A: 48.2 N 16.3 E)"},
      {"a tenth as typed", " 48.1", " 11.5", "JN58SC", 48.1, 11.5f, "X (A: 48.1 N 11.5 E)"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    auto s = mayNoon();
    const StationATexts old = openStationA(*s);
    const ExactPosition exact{f.lat, f.lon};
    StationATexts boxes = old;
    boxes[0] = "X";
    boxes[1] = f.lat;
    boxes[2] = f.lon;
    ASSERT_EQ(applyStationA(*s, boxes, old, &exact).flag, 0);
    ASSERT_EQ(prgPointErgebnis(*s), 0);

    // The forecast computes from the tenth, as it always did.
    EXPECT_EQ(s->X1, f.x1);
    EXPECT_EQ(s->Y1, f.y1);
    EXPECT_EQ(split(s->GeoAuswertung, kPointLineBreak)[0], f.geo);

    // Shown as entered: the dialog opens with the boxes as they were
    // filled, the read-out names the locator the dialog named.
    const StationATexts again = openStationA(*s);
    EXPECT_EQ(again[1], NumberText(ReadNumber(f.lat)));
    EXPECT_EQ(again[2], NumberText(static_cast<float>(ReadNumber(f.lon))));
    EXPECT_EQ(locatorOf(ReadNumber(again[1]), ReadNumber(again[2])), f.locator);
    EXPECT_NE(stationLocators(*s).find(std::string(f.locator) + " (A)"), std::string::npos) << stationLocators(*s);

    // Stored as entered, as a number text; read back it is the same
    // station, and written again the same bytes.
    const std::string content = settingsText(*s, s->Jetzt);
    EXPECT_EQ(row(content, 2), again[1]);
    EXPECT_EQ(row(content, 3), again[2]);
    auto r = mayNoon();
    ASSERT_TRUE(readSettingsText(*r, content));
    EXPECT_EQ(openStationA(*r)[1], again[1]);
    EXPECT_EQ(openStationA(*r)[2], again[2]);
    ASSERT_EQ(prgPointErgebnis(*r), 0);
    EXPECT_EQ(r->X1, f.x1);  // the same forecast after the next start
    EXPECT_EQ(r->Y1, f.y1);
    EXPECT_EQ(r->PunktPegel, s->PunktPegel);
    EXPECT_EQ(settingsText(*r, r->Jetzt), content);
  }
}

TEST(StationAPosition, ACoordinateSetWithoutTheEnteredOneCounts) {
  // Station A set by the table header, a test or an older caller writes
  // X1/Y1 alone: that is then the position shown and stored.
  auto s = mayNoon();
  s->X1 = -10;
  s->Y1 = 20.25f;
  EXPECT_EQ(openStationA(*s)[1], "-10");
  EXPECT_EQ(openStationA(*s)[2], " 20.25");
  const std::string content = settingsText(*s, s->Jetzt);
  EXPECT_EQ(row(content, 2), "-10");
  EXPECT_EQ(row(content, 3), " 20.25");
}

TEST(StationAPosition, CliPointShowsTheLocatorsCentre) {
  const CliRun r = runCli({"point", "--a", "IO91WM", "--freq", "14.2", "--utc", "12:00", "--format", "json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_DOUBLE_EQ(j["a"]["lat"].get<double>(), 51.5208333333333) << r.out;
  EXPECT_DOUBLE_EQ(j["a"]["lon"].get<double>(), -0.125) << r.out;
}
