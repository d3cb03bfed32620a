// The welcome at the first start: when it is offered, the station box
// (degrees, locator, place name), the power in watts kept as kilowatts,
// gain and angle stored as the station A dialog stores them, and a station
// name cut to what the settings file keeps.
#include <gtest/gtest.h>

#include <memory>

#include "input/input_rules.h"
#include "input/welcome.h"
#include "schedule/session.h"
#include "state/station_a.h"

using namespace welvaro;

namespace {

Gazetteer places() {
  return Gazetteer({
      {{"Paris"}, "FR", 48.85341, 2.3488, 2138551},
      {{"Paris"}, "US", 33.66094, -95.55551, 25171},
      {{"Springfield"}, "US", 37.21533, -93.29824, 166810},
      {{"Springfield"}, "US", 42.10148, -72.58981, 155929},
      {{"München"}, "DE", 48.13743, 11.57549, 1260391},
  });
}

TEST(Welcome, OfferedOnlyWithoutAnySettingsFile) {
  struct Case {
    const char* name;
    SettingsSource source;
    bool due;
  } cases[] = {
      {"no file: first start", SettingsSource::Missing, true},
      {"the user's file", SettingsSource::File, false},
      {"a refused file is the user's all the same", SettingsSource::Unusable, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartReport r;
    r.settings = c.source;
    EXPECT_EQ(welcomeDue(r), c.due);
  }
}

TEST(Welcome, WattsBecomeTheKilowattTextOfTheSettingsFile) {
  struct Case {
    const char* watts;
    const char* kw;  // "" refused
  } cases[] = {
      {"100", "0.1"},        {"0,5", "0.0005"},      {" 5 ", "0.005"},     {"1000000", "1000"},
      {"0.001", "0.000001"}, {"0.0009", ""},         {"1000001", ""},      {"0", ""},
      {"-100", ""},          {"100W", ""},           {"abc", ""},          {"", ""},
      {"1500", "1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.watts);
    EXPECT_EQ(kilowattText(c.watts), c.kw);
  }
}

TEST(Welcome, KilowattsShownInWatts) {
  struct Case {
    double kw;
    const char* watts;
  } cases[] = {{0.1, "100"}, {1.5, "1500"}, {0.000001, "0.001"}, {1000, "1000000"}, {0.3, "300"}, {0.0005, "0.5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.watts);
    EXPECT_EQ(wattText(c.kw), c.watts);
    // and back, unchanged
    EXPECT_EQ(std::stod(kilowattText(wattText(c.kw))), c.kw);
  }
}

TEST(Welcome, StationBoxReadsDegreesLocatorOrPlace) {
  using K = WelcomeStation::Kind;
  struct Case {
    const char* text;
    K kind;
    double lat, lon;
    const char* name;
    std::size_t takenAmong;
  } cases[] = {
      {"48.15, 11.58", K::Found, 48.15, 11.58, "JN58SD", 0},
      {"48,15; 11,58", K::Found, 48.15, 11.58, "JN58SD", 0},
      {"48,15, 11,58", K::Found, 48.15, 11.58, "JN58SD", 0},
      {"48.15 11.58", K::Found, 48.15, 11.58, "JN58SD", 0},
      {"48.15,11.58", K::Found, 48.15, 11.58, "JN58SD", 0},
      {"-33.87, 151.21", K::Found, -33.87, 151.21, "QF56OD", 0},
      {"90, -180", K::Found, 90, -180, "", 0},
      {"91, 10", K::BadDegrees, 0, 0, "", 0},
      {"48, 181", K::BadDegrees, 0, 0, "", 0},
      {"48.1", K::BadDegrees, 0, 0, "", 0},
      {"48.1x, 11", K::BadDegrees, 0, 0, "", 0},
      {"jn58td", K::Found, 48.14583, 11.625, "JN58TD", 0},
      {"JN58ZZ", K::BadLocator, 0, 0, "", 0},
      {"munchen", K::Found, 48.13743, 11.57549, "München", 0},
      {"Paris", K::Found, 48.85341, 2.3488, "Paris", 2},
      {"Paris, US", K::Found, 33.66094, -95.55551, "Paris", 0},
      {"Springfield", K::Ambiguous, 0, 0, "", 0},
      {"Atlantis", K::Unknown, 0, 0, "", 0},
      {"   ", K::Empty, 0, 0, "", 0},
  };
  const Gazetteer g = places();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WelcomeStation w = readWelcomeStation(c.text, Gazetteer(), g);
    ASSERT_EQ(w.kind, c.kind);
    if (c.kind == K::Ambiguous) {
      EXPECT_EQ(w.candidates.size(), 2u);
    }
    if (c.kind != K::Found) continue;
    EXPECT_NEAR(w.lat, c.lat, 1e-5);
    EXPECT_NEAR(w.lon, c.lon, 1e-5);
    if (*c.name) {
      EXPECT_EQ(w.name, c.name);
    }
    EXPECT_EQ(w.takenAmong, c.takenAmong);
  }
}

TEST(Welcome, OkWritesWhatPassedAndChangedAndKeepsWhatFailed) {
  struct Case {
    const char* name;
    WelcomeTexts boxes;  // against the texts at opening of a fresh state
    int flag;
    std::array<bool, 4> red;
    bool start;
  } cases[] = {
      {"nothing changed", {"", "", "", ""}, 0, {}, false},
      {"all four", {"JN58TD", "400", "6.789", "12.9"}, 0, {}, true},
      {"power refused, the rest written", {"IO91WM", "0", "", ""}, 2, {false, true, false, false}, true},
      {"gain out of range", {"", "", "25", ""}, 3, {false, false, true, false}, false},
      {"last failure has the focus", {"Atlantis", "2000000", "", "-1"}, 4, {true, true, false, true}, false},
      {"a station nobody knows", {"Atlantis", "", "", ""}, 1, {true, false, false, false}, false},
  };
  const Gazetteer g = places();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = std::make_unique<State>();
    const State before = *s;
    const WelcomeTexts opened = openWelcome(*s);
    WelcomeTexts boxes = opened;
    for (std::size_t i = 0; i < 4; ++i)
      if (*c.boxes[i].c_str()) boxes[i] = c.boxes[i];
    const WelcomeResult e = applyWelcome(*s, boxes, opened, Gazetteer(), g);
    EXPECT_EQ(e.flag, c.flag);
    EXPECT_EQ(e.red, c.red);
    EXPECT_EQ(e.start, c.start);
    // A refused box leaves its field as it was.
    if (c.red[0]) {
      EXPECT_EQ(s->OrtA, before.OrtA);
      EXPECT_EQ(s->X1, before.X1);
    }
    if (c.red[1]) {
      EXPECT_EQ(s->Zkwa, before.Zkwa);
    }
    if (c.red[2]) {
      EXPECT_EQ(s->Sag, before.Sag);
    }
    if (c.red[3]) {
      EXPECT_EQ(s->Angm, before.Angm);
    }
  }
}

TEST(Welcome, StoresAsTheSettingsFileAndTheStationDialogDo) {
  auto s = std::make_unique<State>();
  const WelcomeTexts opened = openWelcome(*s);
  EXPECT_EQ(opened[1], "100");  // 0.1 kW at the start
  const WelcomeResult e =
      applyWelcome(*s, {"48.15, -3.75", "400", "6.789", "12.9"}, opened, Gazetteer(), places());
  ASSERT_EQ(e.flag, 0);
  // The position kept exactly as given, not cut to a tenth.
  const StationAPosition a = enteredStationA(*s);
  EXPECT_EQ(a.latitude, 48.15);
  EXPECT_EQ(a.longitude, -3.75f);
  EXPECT_EQ(s->OrtA, "IN88DD");
  EXPECT_EQ(s->Zkwa, "0.4");
  EXPECT_DOUBLE_EQ(s->Zkw, 0.4);
  EXPECT_DOUBLE_EQ(s->Sag, 6.78);
  EXPECT_EQ(s->Angm, 12);
}

TEST(StationName, CutToWhatTheSettingsFileKeeps) {
  const std::string forty(kStationNameMax, 'a');
  struct Case {
    const char* name;
    std::string in, out;
    bool cut;
  } cases[] = {
      {"short", "City of Westminster", "City of Westminster", false},
      {"exactly the most", forty, forty, false},
      {"one more", forty + "b", forty, true},
      {"an umlaut counts as one character", std::string(39, 'a') + "üx", std::string(39, 'a') + "ü", true},
      {"never inside a character", std::string(40, 'a') + "ü", forty, true},
      {"blanks at the cut dropped", std::string(38, 'a') + "  xyz", std::string(38, 'a'), true},
      {"empty", "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const StationName n = keptStationName(c.in);
    EXPECT_EQ(n.text, c.out);
    EXPECT_EQ(n.cut, c.cut);
  }
}

TEST(StationName, BothDialogsStoreTheCutName) {
  auto s = std::make_unique<State>();
  const std::string longName = "Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch";
  StationATexts a = openStationA(*s);
  const StationATexts aOpened = a;
  a[0] = longName;
  EXPECT_EQ(applyStationA(*s, a, aOpened).flag, 0);
  EXPECT_EQ(s->OrtA, longName.substr(0, kStationNameMax));
  EXPECT_EQ(a[0], s->OrtA);  // the box shows what was kept
  StationBTexts b = openStationB(*s);
  const StationBTexts bOpened = b;
  b[0] = longName;
  EXPECT_EQ(applyStationB(*s, b, bOpened).flag, 0);
  EXPECT_EQ(s->OrtB, longName.substr(0, kStationNameMax));
}

}  // namespace
