// The window's preferences file cannot stop the program starting: a size
// or place no screen has falls back to the start value (the window then
// takes its own size), whatever number stands in the file.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "files/window_prefs.h"

using namespace welvaro;

TEST(WindowPreferences, SizesAndPlacesOutsideAnyScreenGiveTheStartValues) {
  struct Case {
    const char* text;
    int x, y, width, height;
  } cases[] = {
      {"breite=100000\nhoehe=100000", 0, 0, 0, 0},  // aborted every start (no memory for the picture)
      {"breite=16384\nhoehe=16384", 0, 0, 16384, 16384},
      {"breite=16385\nhoehe=16385", 0, 0, 0, 0},
      {"breite=2147483647\nhoehe=-2147483648", 0, 0, 0, 0},
      {"breite=99999999999999999999\nhoehe=1e9", 0, 0, 0, 0},
      {"breite=199\nhoehe=149", 0, 0, 0, 0},  // too small to show anything
      {"breite=200\nhoehe=150", 0, 0, 200, 150},
      {"x=-32768\ny=32767", -32768, 32767, 0, 0},
      {"x=-32769\ny=32768", 0, 0, 0, 0},
      {"x=100000\ny=-100000", 0, 0, 0, 0},
      {"x=-1920\ny=-40\nbreite=1920\nhoehe=1080", -1920, -40, 1920, 1080},  // a screen left of the first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WindowPrefs f = windowPrefsFromText(c.text);
    EXPECT_EQ(std::tie(f.x, f.y, f.width, f.height), std::tie(c.x, c.y, c.width, c.height));
  }
}
