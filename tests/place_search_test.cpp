// Places by name: the search form of names, completion, exact names, the
// station given by locator or name (place list before gazetteer) and the
// rules the station dialogs bind.
#include <gtest/gtest.h>

#include <memory>

#include "state/place_search.h"
#include "input/station.h"

using namespace welvaro;

namespace {

// A small gazetteer with the places' inhabitants.
Gazetteer places() {
  return Gazetteer({
      {{"Munich", "München"}, "DE", 48.13743, 11.57549, 1260391},
      {{"Saint Petersburg", "Sankt Petersburg"}, "RU", 59.93863, 30.31413, 5351935},
      {{"Paris"}, "FR", 48.85341, 2.3488, 2138551},
      {{"Xi'an"}, "CN", 34.25833, 108.92861, 6501190},
      {{"N'Djamena"}, "TD", 12.10672, 15.0444, 721081},
      {{"Sanaa"}, "YE", 15.35472, 44.20667, 1937451},
      {{"San José"}, "CR", 9.93333, -84.08333, 335007},
      {{"Köln", "Cologne"}, "DE", 50.93333, 6.95, 963395},
      {{"Washington, D.C."}, "US", 38.89511, -77.03637, 689545},
      {{"St. Petersburg"}, "US", 27.77086, -82.67927, 258308},
      {{"Springfield"}, "US", 39.80172, -89.64371, 166000},
      {{"Springfield"}, "US", 42.10148, -72.58981, 155929},
      {{"Paris"}, "US", 33.66094, -95.55551, 25171},
      {{"Łódź"}, "PL", 51.75, 19.46667, 768755},
  });
}

// The place list as the state holds it: single-precision positions.
Gazetteer placeList() {
  auto s = std::make_unique<State>();
  const struct {
    const char *country, *name;
    float lat, lon;
  } list[] = {{"JP", "Tokyo", 35.6895f, 139.69171f}, {"FR", "Paris", 48.85341f, 2.3488f}, {"PL", "Lodz", 51.75f, 19.46667f}};
  int g = 0;
  for (const auto& o : list) {
    ++g;
    s->OrtKennung[g] = o.country;
    s->OrtName[g] = o.name;
    s->OrtBreite[g] = o.lat;
    s->OrtLaenge[g] = o.lon;
  }
  s->OrtZahl = static_cast<float>(g);
  return placeListGazetteer(*s);
}

std::vector<std::string> names(const std::vector<Match>& t) {
  std::vector<std::string> n;
  for (const Match& x : t) n.push_back(x.name + "," + x.country);
  return n;
}

}  // namespace

TEST(SearchForm, CaseAccentsApostrophesHyphensAndPoints) {
  struct Case {
    const char* name;
    const char* form;
  } faelle[] = {
      {"MÜNCHEN", "munchen"},          {"N'Djamena", "ndjamena"},
      {"Xi’an", "xian"},               {"Saint-Étienne", "saint etienne"}, {"  St. Petersburg ", "st petersburg"},
      {"Washington, D.C.", "washington dc"}, {"Łódź", "lodz"},         {"İstanbul", "istanbul"},
      {"Straße", "strasse"},           {"Ḩalab", "halab"},            {"Bra\u0301sil", "brasil"},
      {"Hồ Chí Minh", "ho chi minh"}, {"Москва", "Москва"},
      {"a\xff" "b", "a\xEF\xBF\xBD" "b"}, {"--", ""},
  };
  for (const Case& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(searchForm(f.name), f.form);
    EXPECT_EQ(searchForm(searchForm(f.name)), f.form);
  }
  EXPECT_EQ(searchForm("München", true), "muenchen");
  EXPECT_EQ(searchForm("Köln Süd Bär", true), "koeln sued baer");
}

TEST(Gazetteer, CompletionAsOneTypes) {
  const Gazetteer g = places();
  struct Case {
    const char* typed;
    std::vector<std::string> match;
  } faelle[] = {
      {"Munch", {"München,DE"}},                 // the other name of Munich
      {"Muenchen", {"München,DE"}},              // umlaut written with e
      {"Mun", {"Munich,DE"}},                    // each place once, its own name first
      {"koln", {"Köln,DE"}},
      {"sankt-p", {"Sankt Petersburg,RU"}},
      {"peters", {"Saint Petersburg,RU", "St. Petersburg,US"}},  // later words, by rank
      {"Ndjamena", {"N'Djamena,TD"}},
      {"djam", {"N'Djamena,TD"}},                // a word begins after the apostrophe
      {"xian", {"Xi'an,CN"}},
      {"san", {"Sankt Petersburg,RU", "Sanaa,YE", "San José,CR"}},
      {"san ", {"San José,CR"}},                 // a blank asks for the end of a word
      {"washington dc", {"Washington, D.C.,US"}},
      {"paris", {"Paris,FR", "Paris,US"}},
      {"s", {"Saint Petersburg,RU", "Sanaa,YE", "San José,CR", "St. Petersburg,US", "Springfield,US",
             "Springfield,US"}},
      {" - ", {}},
  };
  for (const Case& f : faelle) {
    SCOPED_TRACE(f.typed);
    EXPECT_EQ(names(g.search(f.typed, 10)), f.match);
  }
  EXPECT_EQ(names(g.search("s", 2)), (std::vector<std::string>{"Saint Petersburg,RU", "Sanaa,YE"}));
  EXPECT_EQ(names(g.search("paris", 10, "us")), (std::vector<std::string>{"Paris,US"}));
  EXPECT_EQ(names(g.exact("cologne")), (std::vector<std::string>{"Cologne,DE"}));
  EXPECT_TRUE(g.exact("Petersburg").empty());  // a later word is no name
  const auto t = g.search("paris", 10);
  EXPECT_EQ(t[0].kind, Match::Kind::Exact);
  EXPECT_EQ(t[0].place, 2u);
  EXPECT_EQ(matchText(t[1]), "Paris, US (33.66094, -95.55551)");
}

TEST(Station, LocatorOrNamePlaceListFirst) {
  using A = StationLookup::Kind;
  const Gazetteer list = placeList(), g = places();
  struct Case {
    const char* text;
    A kind;
    double lat, lon;
    const char* name;
  } faelle[] = {
      {"Tokyo", A::Found, 35.6895, 139.69171, "Tokyo"},        // the place list's number
      {"Paris", A::Found, 48.85341, 2.3488, "Paris"},          // one Paris in the place list
      {"Paris, US", A::Found, 33.66094, -95.55551, "Paris"},   // a country code narrows it
      {"Lodz", A::Found, 51.75, 19.46667, "Lodz"},             // as the place list spells it
      {"munchen", A::Found, 48.13743, 11.57549, "München"},     // from the gazetteer
      {"Sankt Petersburg", A::Found, 59.93863, 30.31413, "Sankt Petersburg"},
      {"N'Djamena", A::Found, 12.10672, 15.0444, "N'Djamena"},
      {"Ndjam", A::Found, 12.10672, 15.0444, "N'Djamena"},     // the only place beginning so
      {" jn58td ", A::Found, 48.0 + 3.5 / 24, 11.625, ""},
      {"JN58TZZ", A::BadLocator, 0, 0, ""},
      {"Springfield", A::Ambiguous, 0, 0, ""},
      {"peters", A::Ambiguous, 0, 0, ""},
      {"Paris, DE", A::Unknown, 0, 0, ""},
      {"Xyzzy", A::Unknown, 0, 0, ""},
      {"", A::Unknown, 0, 0, ""},
  };
  for (const Case& f : faelle) {
    SCOPED_TRACE(f.text);
    const StationLookup r = resolveStation(f.text, list, g);
    EXPECT_EQ(r.kind, f.kind) << r.message;
    EXPECT_EQ(r.name, f.name);
    if (f.kind == A::Found) {
      EXPECT_NEAR(r.lat, f.lat, 1e-12);
      EXPECT_NEAR(r.lon, f.lon, 1e-12);
    }
    EXPECT_EQ(r.message.empty(), f.kind == A::Found);
  }
  // Exactly the place list's single, taken as the decimal the file holds.
  EXPECT_EQ(resolveStation("Tokyo", list, g).lat, 35.6895);
  EXPECT_EQ(static_cast<float>(resolveStation("Tokyo", list, g).lon), 139.69171f);
  // Without the gazetteer the place list alone is searched.
  EXPECT_EQ(resolveStation("Tok", list, Gazetteer()).name, "Tokyo");
  EXPECT_EQ(resolveStation("munchen", list, Gazetteer()).kind, A::Unknown);
  // Only whole names when a unique beginning is not enough.
  EXPECT_EQ(resolveStation("Ndjam", list, g, false).kind, A::Unknown);
}

TEST(Station, MessagesListTheCandidates) {
  const Gazetteer list = placeList(), g = places();
  StationLookup r = resolveStation("Springfield", list, g);
  EXPECT_EQ(r.candidateCount, 2u);
  EXPECT_EQ(stationMessage(r),
            "'Springfield' fits 2 places; name one as NAME, CC or give LAT,LON:\n"
            "  Springfield, US (39.80172, -89.64371)\n"
            "  Springfield, US (42.10148, -72.58981)");
  EXPECT_EQ(stationMessage(resolveStation("Xyzzy", list, g)),
            "no place is named 'Xyzzy' (give LAT,LON, a Maidenhead locator or a place name)");
  EXPECT_EQ(stationMessage(resolveStation("Paris, DE", list, g)).substr(0, 33), "no place is named 'Paris' in DE (");

}

TEST(StationDialog, PositionBoxesTakeALocator) {
  EXPECT_TRUE(charAllowedWithLocator(Field::Latitude, 'J') && charAllowedWithLocator(Field::Longitude, 'x'));
  EXPECT_FALSE(charAllowedWithLocator(Field::Latitude, 'Y') || charAllowedWithLocator(Field::Gain, 'J'));
  const PositionBox p = readPositionBox(Field::Latitude, "jn58td");
  EXPECT_EQ(p.kind, PositionBox::Kind::Locator);
  EXPECT_EQ(p.latText + p.lonText, " 48.1458333333333 11.625");
  EXPECT_NE(readPositionBox(Field::Longitude, "JN58TZZ").message.find("'JN58TZZ' is no Maidenhead"), std::string::npos);
  EXPECT_EQ(readPositionBox(Field::Latitude, "91").kind, PositionBox::Kind::Invalid);
  EXPECT_EQ(readPositionBox(Field::Longitude, "-179.5").value, -179.5);

  EXPECT_EQ(locatorOfBoxes(" 48.1", " 11.5"), "JN58SC");
  EXPECT_EQ(locatorOfBoxes("48,1", "11,5"), "JN58SC");  // decimal comma as in every box
  EXPECT_EQ(locatorOfBoxes("JN58", ""), "JN58MM");
  EXPECT_EQ(locatorOfBoxes("48.1", "io91wm"), "IO91WM");
  EXPECT_EQ(locatorOfBoxes("48.1", "181"), "");
}

TEST(StationDialog, CompletionAndTheNameOnOk) {
  using A = NameAtOk::Kind;
  const Gazetteer list = placeList(), g = places();
  const auto v = placeSuggestions("Munch", list, g);
  ASSERT_EQ(v.size(), 1u);
  const PlaceBoxes f = placeBoxes(v[0]);
  EXPECT_EQ(f.name + f.lat + f.lon, "München 48.13743 11.57549");

  // A new name with the coordinates left as they were: the place's position.
  NameAtOk n = nameAtOk("tokyo", "München", true, list, g);
  EXPECT_EQ(n.kind, A::Position);
  EXPECT_EQ(n.fields.name + n.fields.lat + n.fields.lon, "Tokyo 35.6895 139.69171");
  EXPECT_EQ(nameAtOk("JN58td", "München", true, list, g).fields.lon, " 11.625");
  EXPECT_EQ(nameAtOk("Tokyo", "München", false, list, g).kind, A::None);  // coordinates typed
  EXPECT_EQ(nameAtOk(" Tokyo", "Tokyo ", true, list, g).kind, A::None);   // name unchanged
  EXPECT_EQ(nameAtOk("Home", "München", true, list, g).kind, A::None);    // only a label
  EXPECT_EQ(nameAtOk("Ndjam", "München", true, list, g).kind, A::None);   // no whole name
  EXPECT_EQ(nameAtOk("Springfield", "München", true, list, g).candidates.size(), 2u);
  EXPECT_EQ(nameAtOk("JN5", "München", true, list, g).kind, A::BadLocator);
}
