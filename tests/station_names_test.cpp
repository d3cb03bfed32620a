// Station names in the station dialogs: places of one name and country told
// apart in the completion list, and a locator typed over a named station.
#include <gtest/gtest.h>

#include "input/station.h"

using namespace welvaro;

namespace {

Gazetteer places() {
  return Gazetteer({
      {{"Chicago"}, "US", 41.85003, -87.65005, 2720546},
      {{"Boston"}, "US", 42.35843, -71.05977, 617594},
      {{"Kansas City"}, "US", 39.09973, -94.57857, 475378},
      {{"Springfield"}, "US", 37.21533, -93.29824, 166810},
      {{"Springfield"}, "US", 42.10148, -72.58981, 155929},
      {{"Springfield"}, "US", 39.80172, -89.64371, 116250},
      {{"Springfield"}, "AU", -27.65, 152.9, 20000},
      {{"Springwood"}, "AU", -27.61, 153.13, 8000},
  });
}

TEST(StationNames, TwinsInTheCompletionToldApartByTheNearestLargerPlace) {
  const Gazetteer g = places();
  const std::vector<Match> m = placeSuggestions("Springfield", Gazetteer(), g);
  ASSERT_EQ(m.size(), 4u);
  const std::vector<std::string> lines = suggestionTexts(m, g, "near %1");
  ASSERT_EQ(lines.size(), m.size());
  struct Case {
    const char* place;  // the line begins with
    const char* near;   // "" the line is matchText alone
  } cases[] = {
      {"Springfield, US (37.21533, -93.29824)", "Kansas City"},
      {"Springfield, US (42.10148, -72.58981)", "Boston"},
      {"Springfield, US (39.80172, -89.64371)", "Chicago"},
      {"Springfield, AU (-27.65, 152.9)", ""},  // the only one in its country
  };
  for (std::size_t i = 0; i < m.size(); ++i) {
    SCOPED_TRACE(cases[i].place);
    EXPECT_EQ(lines[i].rfind(cases[i].place, 0), 0u) << lines[i];
    if (*cases[i].near)
      EXPECT_EQ(lines[i], matchText(m[i]) + " \xE2\x80\x93 near " + cases[i].near);
    else
      EXPECT_EQ(lines[i], matchText(m[i]));
  }
}

TEST(StationNames, ALocatorOverANamedStationTakesThePlaceOfTheName) {
  struct Case {
    const char* name;
    const char* box, *atOpening, *locator, *after;
  } cases[] = {
      {"the old station's name gives way", "München", "München", "io91wm", "IO91WM"},
      {"blanks around do not count", " München ", "München", " IO91wm ", "IO91WM"},
      {"a name the user typed stays", "London club", "München", "IO91WM", "London club"},
      {"an emptied name gets the locator", "", "", "JN58", "JN58"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(nameAfterLocator(c.box, c.atOpening, c.locator), c.after);
  }
}

}  // namespace
