// The choices about what a receiver heard in the window's preferences file:
// logs with their receiver positions, listening, address, retention, span.
#include <gtest/gtest.h>

#include "files/window_prefs.h"

using namespace welvaro;

TEST(HeardPreferences, WrittenAndReadBack) {
  WindowPrefs f;
  f.heardLogs = {{"/home/u/.local/share/WSJT-X/ALL.TXT", false, 0, 0},
                 {"/home/u/JTDX; second/ALL.TXT", true, -33.5, 151.25}};
  f.heardListen = true;
  f.heardUdp = "224.0.0.1:2237";
  f.heardKeepDays = 30;
  f.heardSpan = 360;
  const WindowPrefs r = windowPrefsFromText(windowPrefsText(f));
  ASSERT_EQ(r.heardLogs.size(), 2u);
  EXPECT_EQ(r.heardLogs[0].path, f.heardLogs[0].path);
  EXPECT_FALSE(r.heardLogs[0].ownPosition);
  EXPECT_EQ(r.heardLogs[1].path, f.heardLogs[1].path);
  EXPECT_TRUE(r.heardLogs[1].ownPosition);
  EXPECT_DOUBLE_EQ(r.heardLogs[1].lat, -33.5);
  EXPECT_DOUBLE_EQ(r.heardLogs[1].lon, 151.25);
  EXPECT_TRUE(r.heardListen);
  EXPECT_EQ(r.heardUdp, "224.0.0.1:2237");
  EXPECT_EQ(r.heardKeepDays, 30);
  EXPECT_EQ(r.heardSpan, 360);
}

TEST(HeardPreferences, DamagedValuesKeepTheStartValues) {
  const WindowPrefs d = windowPrefsFromText(
      "heard_log=91;0;/a\nheard_log=;;\nheard_log=1;/b\nheard_log=;5;/c\nheard_log=;;/ok\n"
      "heard_listen=2\nheard_keep_days=0\nheard_span=30\nheard_udp=\n");
  ASSERT_EQ(d.heardLogs.size(), 1u);
  EXPECT_EQ(d.heardLogs[0].path, "/ok");
  EXPECT_FALSE(d.heardListen);
  EXPECT_EQ(d.heardKeepDays, 90);
  EXPECT_EQ(d.heardSpan, 60);
  EXPECT_EQ(d.heardUdp, "127.0.0.1:2237");
}
