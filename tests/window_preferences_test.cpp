// The window preferences file "WelvaroFenster.ini": every key at the ends
// of its range and just beyond them, files written on other systems (CR LF
// line ends), and each value of the time-zone flag through a write and a
// read.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <tuple>

#include "files/window_prefs.h"
#include "testutil.h"

using namespace welvaro;

namespace {

auto fields(const WindowPrefs& f) {
  return std::make_tuple(f.x, f.y, f.lat, f.height, f.maximized, f.projection, f.zoneFollows);
}

}  // namespace

TEST(WindowPreferences, EachKeyWithinItsRangeAndBeyond) {
  const WindowPrefs start;
  struct Case {
    const char* text;
    WindowPrefs expected;
  } faelle[] = {
      {"x=-100000", {.x = -100000}},
      {"x=-100001", {}},
      {"y=100000", {.y = 100000}},
      {"y=100001", {}},
      {"breite=0", {}},
      {"breite=-1", {}},
      {"breite=100000", {.lat = 100000}},
      {"breite=100001", {}},
      {"hoehe=1", {.height = 1}},
      {"hoehe=-1", {}},
      {"maximiert=1", {.maximized = true}},
      {"maximiert=2", {}},
      {"maximiert=-1", {}},
      {"projektion=1", {.projection = 1}},
      {"projektion=2", {}},
      {"projektion=-1", {}},
      {"zonefolgt=0", {.zoneFollows = 0}},
      {"zonefolgt=1", {.zoneFollows = 1}},
      {"zonefolgt=2", {}},
      {"zonefolgt=-1", {}},
      // Only a whole number and nothing else is a value.
      {"x=12 ", {}},
      {"x= 12", {}},
      {"x=+12", {}},
      {"x=1.5", {}},
      {"x=", {}},
      {"x = 12", {}},
      {"X=12", {}},
      // The last of two lines with one key counts.
      {"x=1\nx=2", {.x = 2}},
      {"projektion=1\nprojektion=5", {.projection = 1}},
  };
  for (const Case& f : faelle) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(fields(windowPrefsFromText(f.text)), fields(f.expected));
  }
  EXPECT_EQ(fields(windowPrefsFromText("")), fields(start));
}

// A file edited on another system ends its lines with CR LF, or CR LF and
// no end on the last line; every value is read all the same.
TEST(WindowPreferences, LineEndsOfOtherSystems) {
  const WindowPrefs expected{.x = -20, .y = 40, .lat = 1920, .height = 1050, .maximized = true,
                                 .projection = 1, .zoneFollows = 0};
  const char* faelle[] = {
      "x=-20\ny=40\nbreite=1920\nhoehe=1050\nmaximiert=1\nprojektion=1\nzonefolgt=0\n",
      "x=-20\r\ny=40\r\nbreite=1920\r\nhoehe=1050\r\nmaximiert=1\r\nprojektion=1\r\nzonefolgt=0\r\n",
      "x=-20\r\ny=40\r\nbreite=1920\r\nhoehe=1050\r\nmaximiert=1\r\nprojektion=1\r\nzonefolgt=0",
      "\r\nzonefolgt=0\r\nprojektion=1\r\n\r\nmaximiert=1\r\nhoehe=1050\r\nbreite=1920\r\ny=40\r\nx=-20\r\n",
  };
  for (const char* text : faelle) {
    SCOPED_TRACE(text);
    EXPECT_EQ(fields(windowPrefsFromText(text)), fields(expected));
  }
}

// The flag "the time zone follows the system's" has three values: 1, 0 (the
// user chose a zone) and -1 (not known yet, as after an older version). 0
// must be written and read back as 0, or a chosen zone would be replaced by
// the system's at the next start.
TEST(WindowPreferences, TimeZoneFlagSurvivesWriteAndRead) {
  struct Case {
    int zoneFollows;
    const char* row;  // the line written for it, or null for none
  } faelle[] = {{1, "zonefolgt=1\n"}, {0, "zonefolgt=0\n"}, {-1, nullptr}};
  for (const Case& f : faelle) {
    SCOPED_TRACE(f.zoneFollows);
    WindowPrefs v{.x = 5, .y = 6, .lat = 800, .height = 600, .projection = 1, .zoneFollows = f.zoneFollows};
    const std::string text = windowPrefsText(v);
    if (f.row)
      EXPECT_NE(text.find(f.row), std::string::npos) << text;
    else
      EXPECT_EQ(text.find("zonefolgt"), std::string::npos) << text;
    EXPECT_EQ(fields(windowPrefsFromText(text)), fields(v));

    test::TempDir folder;
    ASSERT_EQ(writeWindowPrefs(folder / kWindowPrefsFile, v), 0);
    EXPECT_EQ(fields(readWindowPrefs(folder / kWindowPrefsFile)), fields(v));
  }
}

// Both projections and the window's state survive a write and a read.
TEST(WindowPreferences, EveryProjectionRoundTrips) {
  for (const int projection : {0, 1}) {
    for (const bool maximized : {false, true}) {
      SCOPED_TRACE(testing::Message() << "projektion " << projection << " maximiert " << maximized);
      const WindowPrefs v{.x = -100000, .y = 100000, .lat = 100000, .height = 0, .maximized = maximized,
                              .projection = projection, .zoneFollows = 1};
      EXPECT_EQ(fields(windowPrefsFromText(windowPrefsText(v))), fields(v));
    }
  }
}

// A file that cannot be written reports the system's error number; a
// folder or a missing file in its place reads as the start values.
TEST(WindowPreferences, FailuresOnDisk) {
  test::TempDir folder;
  const WindowPrefs v{.x = 1, .projection = 1};
  EXPECT_EQ(writeWindowPrefs(folder / "fehlt" / kWindowPrefsFile, v), ENOENT);
  EXPECT_EQ(fields(readWindowPrefs(folder / "fehlt" / kWindowPrefsFile)), fields(WindowPrefs{}));
  std::filesystem::create_directory(folder / "Ordner.ini");
  EXPECT_NE(writeWindowPrefs(folder / "Ordner.ini", v), 0);
  EXPECT_EQ(fields(readWindowPrefs(folder / "Ordner.ini")), fields(WindowPrefs{}));
  // More than a preferences file can be is not read.
  test::writeFile(folder / kWindowPrefsFile, "projektion=1\n" + std::string(5000, '#'));
  EXPECT_EQ(readWindowPrefs(folder / kWindowPrefsFile).projection, 0);
  test::writeFile(folder / kWindowPrefsFile, "projektion=1\n" + std::string(4000, '#'));
  EXPECT_EQ(readWindowPrefs(folder / kWindowPrefsFile).projection, 1);
}
