// The colour bar and the S-meter scale: every value of the colour bar is
// marked by a triangle pointing at its row, which cannot be read as a
// minus sign; the level scale carries the S-units beside the dBm (S9 on the
// row of -73 dBm); the S-meter's marks stand where the bar's fill ends.
#include <gtest/gtest.h>

#include <memory>

#include "display/map_picture.h"
#include "display/smeter.h"
#include "display/layout.h"
#include "state/state.h"

using namespace welvaro;

namespace {

struct Picture {
  std::unique_ptr<MapPicture> map = std::make_unique<MapPicture>();
  bool ink(int x, int y) const {
    return map->pixel()[static_cast<std::size_t>(y) * map->width() + x] != rgb(255, 255, 255);
  }
};

Picture draw(bool level) {
  auto s = std::make_unique<State>();
  Picture b;
  MapView a;
  a.level = level;
  a.scales = true;
  a.lines = false;
  b.map->render(*s, a, 1240, 580);
  return b;
}

int rowOf(const Rect& b, int index) {
  return static_cast<int>(std::lround(b.y + b.height - 1 - index * (b.height - 1) / 108.0));
}

}  // namespace

TEST(ColourBar, ValuesAreMarkedByTrianglesNotDashes) {
  for (const bool level : {true, false}) {
    SCOPED_TRACE(level);
    const Picture picture = draw(level);
    const Layout& t = picture.map->layout();
    const Rect& b = t.bar;
    const int n = t.point;
    for (int v = 0; v <= 108; v += 18) {
      SCOPED_TRACE(v);
      const int y = rowOf(b, v), x = b.x + b.width;
      // The tip touches the bar; the mark is 2n + 1 pixels tall there and
      // narrows outwards: a triangle, where a minus sign is n pixels tall.
      for (int dy = -n; dy <= n; ++dy) EXPECT_TRUE(picture.ink(x, y + dy)) << dy;
      EXPECT_FALSE(picture.ink(x, y - n - 1));
      EXPECT_FALSE(picture.ink(x, y + n + 1));
      EXPECT_TRUE(picture.ink(x + 2 * n - 1, y));
      EXPECT_FALSE(picture.ink(x + 2 * n - 1, y - n));
      // A gap of a dot before the label.
      for (int dx = 2 * n; dx < 3 * n; ++dx)
        for (int dy = -n; dy <= n; ++dy) EXPECT_FALSE(picture.ink(x + dx, y + dy)) << dx << "," << dy;
    }
    // The S-units left of the bar on the level scale only: S9 on the row of
    // -73 dBm (index 54), S1 on -121 dBm (index 6).
    for (const int v : {6, 54, 104}) {
      const int y = rowOf(b, v);
      EXPECT_EQ(picture.ink(b.x - 1, y), level) << v;
      EXPECT_EQ(picture.ink(b.x - 1, y - n), level) << v;
    }
  }
}

TEST(ColourBar, SUnitsAllOrEverySecondAsTheBarAllows) {
  const std::vector<SUnitMark> all = sUnitMarks(500, 16);
  ASSERT_EQ(all.size(), 9u + 5u);
  EXPECT_EQ(all.front().index, 6);
  EXPECT_EQ(all.front().text, "S1");
  EXPECT_EQ(all[8].index, 54);
  EXPECT_EQ(all[8].text, "S9");
  EXPECT_EQ(all[9].index, 64);
  EXPECT_EQ(all[9].text, "+10");
  EXPECT_EQ(all.back().index, 104);
  EXPECT_EQ(all.back().text, "+50");
  // A short bar: every second S-unit, 20 dB steps above S9; S9 stays.
  const std::vector<SUnitMark> half = sUnitMarks(200, 16);
  std::vector<std::string> texts;
  for (const SUnitMark& m : half) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"S1", "S3", "S5", "S7", "S9", "+20", "+40"}));
  // Labels never closer than their height.
  for (const int height : {150, 300, 900}) {
    const auto m = sUnitMarks(height, 16);
    for (std::size_t i = 1; i < m.size(); ++i)
      EXPECT_GE((m[i].index - m[i - 1].index) * (height - 1) / 108.0, 16) << height;
  }
}

TEST(Smeter, MarksStandWhereTheFillEnds) {
  struct Case {
    int value, lat;
    double x;
  };
  for (const Case f : {Case{0, 311, 0}, Case{108, 311, 311}, Case{54, 311, 155.5}, Case{21, 216, 42},
                       Case{120, 216, 216}, Case{-5, 216, 0}, Case{54, 0, 0}}) {
    SCOPED_TRACE(::testing::Message() << f.value << " of " << f.lat);
    EXPECT_DOUBLE_EQ(smeterPosition(f.value, f.lat), f.x);
  }
  const std::vector<SmeterMark> m = smeterMarks(216);
  std::vector<std::string> texts;
  for (const SmeterMark& k : m) {
    texts.push_back(k.text);
    EXPECT_DOUBLE_EQ(k.x, 2.0 * k.value);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"1", "3", "5", "7", "S9", "+20", "+40"}));
  // S9 is -73 dBm: SmeterWert 54; S5 is 24 dB below it.
  EXPECT_EQ(m[4].value, -73 + 127);
  EXPECT_EQ(m[2].value, 54 - 24);
}
