// Names people type find the place they mean: both lists searched
// together, a name settled by size when one place has ten times the
// inhabitants of the next, the country filter in both lists, and the
// common spellings of a name counted as one - in the core, on the command
// line (with the shipped lists) and for the station dialogs.
#include <gtest/gtest.h>

#include <memory>

#include "input/place_names.h"
#include "input/station.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// The gazetteer: places with their inhabitants (0: a list without them).
Gazetteer places(bool withPopulation = true) {
  std::vector<PlaceEntry> o = {
      {{"New York City"}, "US", 40.71427, -74.00597, 8804190},
      {{"Moscow", "Moskau", "Moskva"}, "RU", 55.75222, 37.61556, 10381222},
      {{"Saint Petersburg", "Sankt Petersburg"}, "RU", 59.93863, 30.31413, 5351935},
      {{"Kyiv", "Kiew", "Kiev"}, "UA", 50.45466, 30.5238, 2797553},
      {{"Paris"}, "FR", 48.85341, 2.3488, 2138551},
      {{"St. Petersburg"}, "US", 27.77086, -82.67927, 258308},
      {{"Springfield"}, "US", 37.21533, -93.29824, 166810},
      {{"Springfield"}, "US", 42.10148, -72.58981, 155929},
      {{"Mount Vernon"}, "US", 40.9126, -73.83708, 67292},
      {{"West New York"}, "US", 40.78788, -74.01431, 53366},
      {{"Paris"}, "US", 33.66094, -95.55551, 25171},
      {{"Moscow"}, "US", 46.73239, -117.00017, 25435},
      {{"Fort Worth"}, "US", 32.72541, -97.32085, 918915},
  };
  if (!withPopulation)
    for (PlaceEntry& e : o) e.population = 0;
  return Gazetteer(std::move(o));
}

// The place list as the state holds it: names without their other
// spellings, no inhabitants, singles.
Gazetteer placeList() {
  auto s = std::make_unique<State>();
  fillPlaceList(*s, {{"US", "New York City", 40.71427f, -74.00597f},
                     {"RU", "Moscow", 55.75222f, 37.61556f},
                     {"RU", "Saint Petersburg", 59.93863f, 30.31413f},
                     {"UA", "Kyiv", 50.45466f, 30.5238f},
                     {"FR", "Paris", 48.85341f, 2.3488f},
                     {"US", "St. Petersburg", 27.77086f, -82.67927f}});
  return placeListGazetteer(*s);
}

}  // namespace

TEST(PlaceNames, CommonSpellingsCountAsOne) {
  struct Case {
    const char* name;
    std::vector<std::string> forms;
  } cases[] = {
      {"St. Petersburg", {"st petersburg", "saint petersburg", "sankt petersburg"}},
      {"Sankt-Petersburg", {"sankt petersburg", "st petersburg", "saint petersburg"}},
      {"Kiew", {"kiew", "kyiv", "kiev"}},
      {"MOSKVA", {"moskva", "moscow", "moskau"}},
      {"Ft. Worth", {"ft worth", "fort worth"}},
      {"Mt Vernon", {"mt vernon", "mount vernon"}},
      {"Stuttgart", {"stuttgart"}},  // only whole words
      {"", {""}},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(sameNameSpellings(f.name), f.forms);
  }
  // Every word of the table spelt every way, within a bound.
  EXPECT_EQ(sameNameSpellings("St St St St").size(), 27u);
  EXPECT_EQ(sameNameSpellings("St St St St").front(), "st st st st");
}

TEST(PlaceNames, BothListsTogetherEachPlaceOnceTheLargestFirst) {
  const Gazetteer list = placeList(), g = places();
  const auto k = placesNamed("St. Petersburg", "", list, g, NameMatch::kWhole);
  ASSERT_EQ(k.size(), 2u);
  // The place list's entry, with the gazetteer's inhabitants.
  EXPECT_EQ(k[0].place.name, "Saint Petersburg");
  EXPECT_TRUE(k[0].inPlaceList);
  EXPECT_EQ(k[0].place.population, 5351935u);
  EXPECT_EQ(k[0].place.lat, 59.93863);  // the list's single, as the file holds it
  EXPECT_EQ(k[1].place.country, "US");
  EXPECT_EQ(largestByFar(k), &k[0]);

  EXPECT_EQ(placesNamed("New York", "", list, g, NameMatch::kWhole).size(), 0u);
  const auto w = placesNamed("New York", "", list, g, NameMatch::kWholeWords);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0].place.name, "New York City");
  EXPECT_EQ(w[1].place.name, "West New York");
  EXPECT_TRUE(placesNamed("New Yor", "", list, g, NameMatch::kWholeWords).empty());

  // Ten times the next, not less; no decision without inhabitants.
  auto two = [](std::uint32_t a, std::uint32_t b) {
    std::vector<PlaceCandidate> v(2);
    v[0].place.population = a;
    v[1].place.population = b;
    return v;
  };
  EXPECT_TRUE(largestByFar(two(1000, 100)));
  EXPECT_FALSE(largestByFar(two(999, 100)));
  EXPECT_FALSE(largestByFar(two(1000, 0)));
  EXPECT_FALSE(largestByFar(two(0, 0)));
  EXPECT_FALSE(largestByFar(std::vector<PlaceCandidate>(1)));
}

TEST(PlaceNames, TheNameMeansTheLargestByFarOtherwiseTheUserIsAsked) {
  using A = StationLookup::Kind;
  const Gazetteer list = placeList(), g = places();
  struct Case {
    const char* text;
    A kind;
    const char* name;
    const char* country;
    std::size_t among;  // how many bore the name when one was taken by size
  } cases[] = {
      {"New York", A::Found, "New York City", "US", 2},
      {"St. Petersburg", A::Found, "Saint Petersburg", "RU", 2},
      {"St Petersburg", A::Found, "Saint Petersburg", "RU", 2},
      {"Sankt-Petersburg", A::Found, "Saint Petersburg", "RU", 2},  // the place list's name
      {"St. Petersburg, RU", A::Found, "Saint Petersburg", "RU", 0},
      {"St. Petersburg, us", A::Found, "St. Petersburg", "US", 0},
      {"Saint Petersburg, US", A::Found, "St. Petersburg", "US", 0},
      {"Moskva", A::Found, "Moscow", "RU", 2},
      {"Moskau, RU", A::Found, "Moscow", "RU", 0},
      {"moscow, US", A::Found, "Moscow", "US", 0},
      {"Kiev", A::Found, "Kyiv", "UA", 0},
      {"Kiew", A::Found, "Kyiv", "UA", 0},
      {"Paris", A::Found, "Paris", "FR", 2},
      {"Ft. Worth", A::Found, "Fort Worth", "US", 0},
      {"Mt. Vernon", A::Found, "Mount Vernon", "US", 0},
      {"Springfield", A::Ambiguous, "", "", 0},  // 166810 against 155929
      {"New York, RU", A::Unknown, "", "", 0},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    const StationLookup r = resolveStation(f.text, list, g);
    EXPECT_EQ(r.kind, f.kind) << r.message;
    EXPECT_EQ(r.name, f.name);
    EXPECT_EQ(r.country, f.country);
    EXPECT_EQ(r.takenAmong, f.among);
    EXPECT_EQ(takenNote(r).empty(), f.among == 0);
  }
  EXPECT_EQ(takenNote(resolveStation("St. Petersburg", list, g)),
            "taken as Saint Petersburg, RU (59.93863, 30.31413), by far the largest of 2 places of that name "
            "(name another as NAME, CC)");
  // The station dialogs take whole names and whole words only.
  EXPECT_EQ(resolveStation("New York", list, g, false).name, "New York City");
  EXPECT_EQ(resolveStation("New Yo", list, g, false).kind, A::Unknown);
  // A beginning of a word is no name: sizes do not settle it ("Lon" is not London).
  EXPECT_EQ(resolveStation("New Yo", list, g, true).kind, A::Ambiguous);
  EXPECT_EQ(resolveStation("Fort W", list, g, true).name, "Fort Worth");  // the only beginning
  // The place list alone, without a gazetteer.
  EXPECT_EQ(resolveStation("Moskau", list, Gazetteer()).name, "Moscow");
  EXPECT_EQ(resolveStation("St. Petersburg, RU", list, Gazetteer()).name, "Saint Petersburg");
}

TEST(PlaceNames, ListsWithoutInhabitantsAskAsBeforeButThePlaceListsOnlyPlaceWins) {
  using A = StationLookup::Kind;
  const Gazetteer list = placeList(), g = places(false);
  EXPECT_EQ(resolveStation("St. Petersburg", list, g).kind, A::Ambiguous);
  EXPECT_EQ(resolveStation("New York", list, g).kind, A::Ambiguous);
  // One Paris in the place list, another in the gazetteer: the list's, as always.
  const StationLookup paris = resolveStation("Paris", list, g);
  EXPECT_EQ(paris.kind, A::Found);
  EXPECT_EQ(paris.country, "FR");
  EXPECT_EQ(paris.takenAmong, 0u);
}

TEST(PlaceNames, TheStationDialogSaysWhichPlaceItTook) {
  const Gazetteer list = placeList(), g = places();
  NameAtOk n = nameAtOk("St. Petersburg", "München", true, list, g);
  EXPECT_EQ(n.kind, NameAtOk::Kind::Position);
  EXPECT_EQ(n.fields.name + n.fields.lat + n.fields.lon, "Saint Petersburg 59.93863 30.31413");
  EXPECT_EQ(n.taken, "Saint Petersburg, RU (59.93863, 30.31413)");
  EXPECT_EQ(n.takenAmong, 2u);
  n = nameAtOk("St. Petersburg, US", "München", true, list, g);
  EXPECT_EQ(n.fields.name + n.fields.lat, "St. Petersburg 27.77086");
  EXPECT_EQ(n.taken, "");
  EXPECT_EQ(n.takenAmong, 0u);
}

// With the shipped place list and gazetteer.
TEST(PlaceNames, CommandLineTakesTheLargestAndSaysSo) {
  auto link = [](std::vector<std::string> args) {
    args.insert(args.begin(), {"link", "--format", "csv", "--date", "2026-12-08"});
    return runCli(args, {2026, 12, 8, 15, 4, 0}, {shippedData()});
  };
  struct Case {
    std::vector<std::string> oneWay, otherWay;
    const char* hint;  // on stderr; empty: none
  } cases[] = {
      {{"--b", "New York"}, {"--b", "New York City"},
       "welvaro-cli link: --b: 'New York' taken as New York City, US (40.71427, -74.00597), by far the largest of "},
      {{"--b", "St. Petersburg"}, {"--b", "Saint Petersburg, RU"},
       "welvaro-cli link: --b: 'St. Petersburg' taken as Saint Petersburg, RU (59.93863, 30.31413), by far the "
       "largest of "},
      {{"--b", "St. Petersburg, RU"}, {"--b", "59.93863,30.31413"}, ""},
      {{"--b", "St. Petersburg, US"}, {"--b", "27.77086,-82.67927"}, ""},
      {{"--a", "Moskva"}, {"--a", "Moscow, RU"}, "welvaro-cli link: --a: 'Moskva' taken as Moscow, RU"},
      {{"--b", "Kiev"}, {"--b", "Kyiv, UA"}, ""},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.oneWay[1]);
    const CliRun a = link(f.oneWay), b = link(f.otherWay);
    ASSERT_EQ(a.rc, 0) << a.err;
    ASSERT_EQ(b.rc, 0) << b.err;
    EXPECT_EQ(a.out, b.out);
    if (*f.hint) {
      EXPECT_EQ(a.err.rfind(f.hint, 0), 0u) << a.err;
    } else {
      EXPECT_EQ(a.err, "");
    }
  }
}
