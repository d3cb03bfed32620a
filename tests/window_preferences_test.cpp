// The window preferences file "WelvaroFenster.ini": every key at the ends
// of its range and just beyond them, files written on other systems (CR LF
// line ends), and each value of the time-zone flag through a write and a
// read.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <tuple>

#include "files/read_limits.h"
#include "files/window_prefs.h"
#include "testutil.h"

using namespace welvaro;

namespace {

auto fields(const WindowPrefs& f) {
  return std::make_tuple(f.x, f.y, f.width, f.height, f.maximized, f.projection, f.zoneFollows);
}

}  // namespace

TEST(WindowPreferences, EachKeyWithinItsRangeAndBeyond) {
  const WindowPrefs start;
  struct Case {
    const char* text;
    WindowPrefs expected;
  } cases[] = {
      {"x=-32768", {.x = kWindowPlaceMin}},
      {"x=-32769", {}},
      {"y=32767", {.y = kWindowPlaceMax}},
      {"y=32768", {}},
      {"breite=0", {}},
      {"breite=-1", {}},
      {"breite=199", {}},
      {"breite=200", {.width = kWindowMinWidth}},
      {"breite=16384", {.width = kWindowSizeMax}},
      {"breite=16385", {}},
      {"hoehe=149", {}},
      {"hoehe=150", {.height = kWindowMinHeight}},
      {"hoehe=16384", {.height = kWindowSizeMax}},
      {"hoehe=16385", {}},
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
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(fields(windowPrefsFromText(f.text)), fields(f.expected));
  }
  EXPECT_EQ(fields(windowPrefsFromText("")), fields(start));
}

// A file edited on another system ends its lines with CR LF, or CR LF and
// no end on the last line; every value is read all the same.
TEST(WindowPreferences, LineEndsOfOtherSystems) {
  const WindowPrefs expected{.x = -20, .y = 40, .width = 1920, .height = 1050, .maximized = true,
                                 .projection = 1, .zoneFollows = 0};
  const char* cases[] = {
      "x=-20\ny=40\nbreite=1920\nhoehe=1050\nmaximiert=1\nprojektion=1\nzonefolgt=0\n",
      "x=-20\r\ny=40\r\nbreite=1920\r\nhoehe=1050\r\nmaximiert=1\r\nprojektion=1\r\nzonefolgt=0\r\n",
      "x=-20\r\ny=40\r\nbreite=1920\r\nhoehe=1050\r\nmaximiert=1\r\nprojektion=1\r\nzonefolgt=0",
      "\r\nzonefolgt=0\r\nprojektion=1\r\n\r\nmaximiert=1\r\nhoehe=1050\r\nbreite=1920\r\ny=40\r\nx=-20\r\n",
  };
  for (const char* text : cases) {
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
  } cases[] = {{1, "zonefolgt=1\n"}, {0, "zonefolgt=0\n"}, {-1, nullptr}};
  for (const Case& f : cases) {
    SCOPED_TRACE(f.zoneFollows);
    WindowPrefs v{.x = 5, .y = 6, .width = 800, .height = 600, .projection = 1, .zoneFollows = f.zoneFollows};
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
      const WindowPrefs v{.x = kWindowPlaceMin, .y = kWindowPlaceMax, .width = kWindowSizeMax, .height = 0,
                          .maximized = maximized,
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
  EXPECT_EQ(writeWindowPrefs(folder / "missing" / kWindowPrefsFile, v), ENOENT);
  EXPECT_EQ(fields(readWindowPrefs(folder / "missing" / kWindowPrefsFile)), fields(WindowPrefs{}));
  std::filesystem::create_directory(folder / "folder.ini");
  EXPECT_NE(writeWindowPrefs(folder / "folder.ini", v), 0);
  EXPECT_EQ(fields(readWindowPrefs(folder / "folder.ini")), fields(WindowPrefs{}));
  // More than a preferences file can be is not read.
  test::writeFile(folder / kWindowPrefsFile, "projektion=1\n" + std::string(kWindowPrefsReadLimit, '#'));
  EXPECT_EQ(readWindowPrefs(folder / kWindowPrefsFile).projection, 0);
  test::writeFile(folder / kWindowPrefsFile, "projektion=1\n" + std::string(kWindowPrefsReadLimit - 13, '#'));
  EXPECT_EQ(readWindowPrefs(folder / kWindowPrefsFile).projection, 1);
}
