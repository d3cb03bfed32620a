// Places by name: the search form of names, completion, exact names, the
// station given by locator or name (place list before gazetteer) and the
// rules the station dialogs bind.
#include <gtest/gtest.h>

#include <memory>

#include "state/place_search.h"
#include "input/station.h"
#include "testutil.h"

using namespace welvaro;
using test::fillPlaceList;

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
  fillPlaceList(*s, {{"JP", "Tokyo", 35.6895f, 139.69171f},
                     {"FR", "Paris", 48.85341f, 2.3488f},
                     {"PL", "Lodz", 51.75f, 19.46667f}});
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
  } cases[] = {
      {"MÜNCHEN", "munchen"},          {"N'Djamena", "ndjamena"},
      {"Xi’an", "xian"},               {"Saint-Étienne", "saint etienne"}, {"  St. Petersburg ", "st petersburg"},
      {"Washington, D.C.", "washington dc"}, {"Łódź", "lodz"},         {"İstanbul", "istanbul"},
      {"Straße", "strasse"},           {"Ḩalab", "halab"},            {"Bra\u0301sil", "brasil"},
      {"Hồ Chí Minh", "ho chi minh"}, {"Москва", "Москва"},
      {"a\xff" "b", "a\xEF\xBF\xBD" "b"}, {"--", ""},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(searchForm(f.name), f.form);
    EXPECT_EQ(searchForm(searchForm(f.name)), f.form);
  }
  EXPECT_EQ(searchForm("München", true), "muenchen");
  EXPECT_EQ(searchForm("Köln Süd Bär", true), "koeln sued baer");
}

// Every byte that starts a UTF-8 sequence, at both ends of its range, and
// the bytes just outside: a character of another script stays as it is, a
// byte that is not UTF-8 becomes U+FFFD and the next byte is read afresh.
TEST(SearchForm, Utf8SequencesAtTheEndsOfTheirRanges) {
  const std::string ersatz = "\xEF\xBF\xBD";
  struct Case {
    const char* name;
    std::string text, form;
  } cases[] = {
      {"C1 is no lead byte", "\xC1\x81", ersatz + ersatz},
      {"C2: first two-byte character U+0080 is a separator", "a\xC2\x80" "b", "a b"},
      {"DF: U+07C0 (NKo digit zero)", "\xDF\x80", "\xDF\x80"},
      {"DF: U+07FF", "x\xDF\xBF", "x\xDF\xBF"},
      {"DF without its second byte", "\xDF" "A", ersatz + "a"},
      {"DF at the end", "a\xDF", "a" + ersatz},
      {"E0: U+0800 (Samaritan alaf)", "\xE0\xA0\x80", "\xE0\xA0\x80"},
      {"E0: overlong form of U+07FF", "\xE0\x9F\xBF", ersatz + ersatz + ersatz},
      {"EF: U+FFFD itself", "\xEF\xBF\xBD", ersatz},
      {"ED: a surrogate", "\xED\xA0\x80", ersatz + ersatz + ersatz},
      {"ED: the last surrogate", "\xED\xBF\xBF", ersatz + ersatz + ersatz},
      {"ED: U+D7FF just below the surrogates", "\xED\x9F\xBF", "\xED\x9F\xBF"},
      {"EE: U+E000 just above the surrogates", "\xEE\x80\x80", "\xEE\x80\x80"},
      {"F0: U+10000", "\xF0\x90\x80\x80", "\xF0\x90\x80\x80"},
      {"F0: overlong form of U+FFFF", "\xF0\x8F\xBF\xBF", ersatz + ersatz + ersatz + ersatz},
      {"F4: U+10FFFF", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
      {"F4: beyond U+10FFFF", "\xF4\x90\x80\x80", ersatz + ersatz + ersatz + ersatz},
      {"F5 is no lead byte", "\xF5\x80\x80\x80", ersatz + ersatz + ersatz + ersatz},
      {"a lone continuation byte", "a\x80" "b", "a" + ersatz + "b"},
      {"0x80 before three continuation bytes", "\x80\x90\x80\x80", ersatz + ersatz + ersatz + ersatz},
      {"C0 before three continuation bytes", "\xC0\x90\x80\x80", ersatz + ersatz + ersatz + ersatz},
      {"F9 before three continuation bytes", "\xF9\x80\x80\x80", ersatz + ersatz + ersatz + ersatz},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(searchForm(f.text), f.form);
    EXPECT_EQ(searchForm(f.form), f.form);
  }
  // A sequence cut short by the end of the text, though the bytes after it
  // would complete it.
  const std::string whole = "a\xDF\x80\xE0\xA0\x80";
  EXPECT_EQ(searchForm(std::string_view(whole).substr(0, 2)), "a" + ersatz);
  EXPECT_EQ(searchForm(std::string_view(whole).substr(0, 5)), "a\xDF\x80" + ersatz + ersatz);
}

// The characters at the ends of each range the search form treats alike:
// punctuation, the Latin letters with their base letters, the combining
// accents, the general punctuation, and every apostrophe-like mark.
TEST(SearchForm, CharactersAtTheEndsOfEachClass) {
  struct Case {
    const char* name;
    const char* text;
    const char* form;
  } cases[] = {
      {"ASCII letters and digits at the ends of their ranges", "AZ az 09", "az az 09"},
      {"ASCII marks next to letters and digits", "a@b[c{d/e:f", "a b c d e f"},
      {"U+00BF inverted question mark", "a\u00BFb", "a b"},
      {"U+00C0 A grave", "\u00C0b", "ab"},
      {"U+00D7 multiplication sign stays", "a\u00D7b", "a\u00D7b"},
      {"U+00DF sharp s", "Stra\u00DFe", "strasse"},
      {"U+00FF y diaeresis", "\u00FF", "y"},
      {"U+024F y with stroke", "\u024F", "y"},
      {"U+0250 turned a stays", "\u0250", "\u0250"},
      {"U+0300 combining grave", "e\u0300t\u0300e", "ete"},
      {"U+036F combining x", "a\u036F", "a"},
      {"U+0370 Greek heta stays", "\u0370", "\u0370"},
      {"U+1DFF stays", "\u1DFF", "\u1DFF"},
      {"U+1E00 A ring below", "\u1E00", "a"},
      {"U+1EFF y loop", "\u1EFF", "y"},
      {"U+1F00 Greek alpha with psili stays", "\u1F00", "\u1F00"},
      {"U+2000 en quad", "a\u2000b", "a b"},
      {"U+2014 em dash", "a\u2014b", "a b"},
      {"U+206F", "a\u206Fb", "a b"},
      {"U+2070 superscript zero stays", "a\u2070", "a\u2070"},
      {"U+3000 ideographic space", "a\u3000b", "a b"},
      {"U+00B4 acute accent", "Xi\u00B4an", "xian"},
      {"U+02B9 modifier prime", "Xi\u02B9an", "xian"},
      {"U+02BB okina", "Hawai\u02BBi", "hawaii"},
      {"U+02BC modifier apostrophe", "Xi\u02BCan", "xian"},
      {"U+02BE right half ring", "Xi\u02BEan", "xian"},
      {"U+02BF left half ring", "Xi\u02BFan", "xian"},
      {"U+2018 left quotation mark", "Xi\u2018an", "xian"},
      {"U+2019 right quotation mark", "Xi\u2019an", "xian"},
      {"U+2032 prime", "Xi\u2032an", "xian"},
      {"backtick", "Xi`an", "xian"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(searchForm(f.text), f.form);
  }
  // The capital umlauts too are written with e.
  EXPECT_EQ(searchForm("\u00C4RA \u00D6L \u00DCBER", true), "aera oel ueber");
  EXPECT_EQ(searchForm("\u00C4RA \u00D6L \u00DCBER"), "ara ol uber");
  // Only they: other letters keep their base letters.
  EXPECT_EQ(searchForm("Malm\u00F6 \u0141\u00F3d\u017A Stra\u00DFe \u00C5re", true), "malmoe lodz strasse are");
}

// A word begins after an apostrophe, a point or a blank, never inside a
// word: "an" finds Xi'an, "ja" does not find N'Djamena.
TEST(Gazetteer, WordsBeginAfterApostrophesAndBlanks) {
  const Gazetteer g = places();
  struct Case {
    const char* typed;
    std::vector<std::string> match;
  } cases[] = {
      {"an", {"Xi'an,CN"}},
      {"ja", {}},
      {"jos", {"San José,CR"}},
      {"dc", {"Washington, D.C.,US"}},
      {"sprin ", {}},
      {"paris ", {"Paris,FR", "Paris,US"}},  // a whole name ends a word too
      {"san jose ", {"San José,CR"}},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.typed);
    EXPECT_EQ(names(g.search(f.typed, 10)), f.match);
  }
}

TEST(Gazetteer, CompletionAsOneTypes) {
  const Gazetteer g = places();
  struct Case {
    const char* typed;
    std::vector<std::string> match;
  } cases[] = {
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
  for (const Case& f : cases) {
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
  } cases[] = {
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
  for (const Case& f : cases) {
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

// A country code after the last comma narrows the search: two letters A-Z
// in either case, both compared. Anything else after the comma belongs to
// the name.
TEST(Station, CountryCodeAfterTheComma) {
  using A = StationLookup::Kind;
  const Gazetteer list = placeList(), g = places();
  struct Case {
    const char* text;
    A kind;
    double lon;
    const char* message;
  } cases[] = {
      {"Paris, US", A::Found, -95.55551, ""},
      {"Paris,us", A::Found, -95.55551, ""},
      {"Paris , Us ", A::Found, -95.55551, ""},
      {"Paris, fr", A::Found, 2.3488, ""},
      {"Paris, UA", A::Unknown, 0, "no place is named 'Paris' in UA"},      // first letter of US
      {"Paris, FX", A::Unknown, 0, "no place is named 'Paris' in FX"},      // first letter of FR
      {"Paris, RF", A::Unknown, 0, "no place is named 'Paris' in RF"},      // FR's letters turned round
      {"Paris, U1", A::Unknown, 0, "no place is named 'Paris, U1'"},       // no country code
      {"Paris, 1S", A::Unknown, 0, "no place is named 'Paris, 1S'"},
      {"Paris, U.", A::Unknown, 0, "no place is named 'Paris, U.'"},
      {"Paris, [S", A::Unknown, 0, "no place is named 'Paris, [S'"},
      {"Paris, U@", A::Unknown, 0, "no place is named 'Paris, U@'"},
      {"Paris, USA", A::Unknown, 0, "no place is named 'Paris, USA'"},
      {"Paris, U", A::Unknown, 0, "no place is named 'Paris, U'"},
      {"Washington, D.C.", A::Found, -77.03637, ""},                        // a comma of the name
      {"Munich, de", A::Found, 11.57549, ""},
      {"Munich, dz", A::Unknown, 0, "no place is named 'Munich' in dz"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    const StationLookup r = resolveStation(f.text, list, g);
    EXPECT_EQ(r.kind, f.kind) << r.message;
    EXPECT_EQ(r.message, f.message);
    if (f.kind == A::Found) {
      EXPECT_EQ(r.lon, f.lon);
    }
  }
}

// The country filter of the completion compares both letters, in either case.
TEST(Gazetteer, CountryFilterComparesBothLetters) {
  const Gazetteer g = places();
  struct Case {
    const char* country;
    std::vector<std::string> match;
  } cases[] = {
      {"", {"Paris,FR", "Paris,US"}}, {"US", {"Paris,US"}}, {"uS", {"Paris,US"}}, {"Fr", {"Paris,FR"}},
      {"UA", {}},                     {"FX", {}},           {"SU", {}},           {"U", {}},
      {"USA", {}},                    {"F", {}},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.country);
    EXPECT_EQ(names(g.search("pari", 10, f.country)), f.match);
    EXPECT_EQ(g.exact("Paris", f.country).size(), f.match.size());
  }
  // The first and last letters of the alphabet in either case.
  const Gazetteer az({{{"Baku"}, "AZ", 40.37767, 49.89201}, {{"Durban"}, "ZA", -29.8579, 31.0292}});
  for (const char* text : {"Baku, AZ", "Baku, az", "Durban, ZA", "Durban,za", "Baku, aZ", "Durban, Za"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(resolveStation(text, Gazetteer(), az).kind, StationLookup::Kind::Found);
  }
  EXPECT_EQ(resolveStation("Baku, ZA", Gazetteer(), az).message, "no place is named 'Baku' in ZA");
  EXPECT_EQ(names(az.search("b", 10, "az")), (std::vector<std::string>{"Baku,AZ"}));
  EXPECT_EQ(names(az.search("d", 10, "zA")), (std::vector<std::string>{"Durban,ZA"}));
  EXPECT_EQ(names(az.search("d", 10, "az")), (std::vector<std::string>{}));
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

// The letters of a locator in either case are taken by the position boxes
// and only there; a box that refuses a value says which one it wants.
TEST(StationDialog, LocatorLettersAndMessagesOfThePositionBoxes) {
  struct Case {
    Field field;
    int character;
    bool allowed;
  } cases[] = {
      {Field::Latitude, 'A', true},  {Field::Latitude, 'X', true},  {Field::Longitude, 'a', true},  {Field::Longitude, 'x', true},
      {Field::Latitude, '@', false}, {Field::Latitude, 'Y', false}, {Field::Longitude, '`', false}, {Field::Longitude, 'y', false},
      {Field::Gain, 'A', false}, {Field::Angle, 'x', false}, {Field::Latitude, '5', true},  {Field::Longitude, '-', true},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<char>(f.character) << " in box " << static_cast<int>(f.field));
    EXPECT_EQ(charAllowedWithLocator(f.field, f.character), f.allowed);
  }
  EXPECT_TRUE(textAllowedWithLocator(Field::Latitude, " AXax09"));
  EXPECT_FALSE(textAllowedWithLocator(Field::Longitude, "JN58TY"));
  EXPECT_EQ(readPositionBox(Field::Latitude, "91").message, "a latitude from -90 to 90, or a Maidenhead locator");
  EXPECT_EQ(readPositionBox(Field::Longitude, "181").message, "a longitude from -180 to 180, or a Maidenhead locator");
}

// Several places of the place list bear the name: the candidates are the
// place list's, each place once, and after them the gazetteer's places the
// place list does not hold (a place within a few kilometres of a listed one
// is that one).
TEST(Station, CandidatesFromBothListsEachPlaceOnce) {
  auto s = std::make_unique<State>();
  const struct {
    const char* name;
    float lat, lon;
  } list[] = {{"Munster", 51.96236f, 7.62571f}, {"Munster", 52.98333f, 10.08333f}, {"Cork", 51.89797f, -8.47061f}};
  for (int g = 1; g <= 3; ++g) {
    s->OrtKennung[g] = "DE";
    s->OrtName[g] = list[g - 1].name;
    s->OrtBreite[g] = list[g - 1].lat;
    s->OrtLaenge[g] = list[g - 1].lon;
  }
  s->OrtZahl = 3;
  const Gazetteer placeList = placeListGazetteer(*s);
  const Gazetteer two({{{"Münster"}, "DE", 51.96236, 7.62571}, {{"Münster"}, "DE", 52.98333, 10.08333}});
  const Gazetteer three({{{"Münster"}, "DE", 51.96236, 7.62571},
                        {{"Münster"}, "DE", 52.98333, 10.08333},
                        {{"Münster"}, "DE", 49.92278, 8.86694}});
  const Gazetteer one({{{"Münster"}, "DE", 51.96236, 7.62571}}), kone;
  struct Case {
    const char* name;
    const Gazetteer& places;
    std::vector<std::string> candidates;
  } cases[] = {
      {"as many in the gazetteer", two, {"Munster,DE", "Munster,DE"}},
      {"more in the gazetteer", three, {"Munster,DE", "Munster,DE", "Münster,DE"}},
      {"fewer in the gazetteer", one, {"Munster,DE", "Munster,DE"}},
      {"no gazetteer", kone, {"Munster,DE", "Munster,DE"}},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    const StationLookup r = resolveStation("munster", placeList, f.places);
    EXPECT_EQ(r.kind, StationLookup::Kind::Ambiguous);
    EXPECT_EQ(names(r.candidates), f.candidates);
    EXPECT_EQ(r.candidateCount, f.candidates.size());
  }
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
