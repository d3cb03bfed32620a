// The colour bar and the S-meter scale: every value of the colour bar is
// marked by a triangle pointing at its row, which cannot be read as a
// minus sign; the level scale carries the S-units beside the dBm (S9 on the
// row of -73 dBm); the S-meter's marks stand where the bar's fill ends.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "display/map_picture.h"
#include "display/smeter.h"
#include "display/font.h"
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

namespace {

// Every way two labels of the azimuthal plate could collide, for a plate of
// width x height device pixels at `scale` with `captionLines` caption lines.
void expectAzimuthalLabelsApart(int width, int height, double scale, int captionLines) {
  SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " at " + std::to_string(scale) + ", " +
               std::to_string(captionLines) + " caption lines");
  const Layout t = planLayout(LayoutKind::Azimuthal, width, height, true, fontDot(scale), captionLines);
  ASSERT_TRUE(t.scales);
  const MapProjection p = MapProjection::azimuthal(t.picture, {48.1, 11.5});
  const std::vector<LabelBox> bearings = bearingLabels(t, p), rings = ringLabels(p, t.point);
  ASSERT_GE(bearings.size(), 4u);  // every 30 degrees, or 60 or 90 on a small disc
  // The S-units left of the colour bar, its values and the unit above it.
  const int n = t.point;
  const Rect bar{t.bar.x - textWidth("+50") * n - 3 * n, 0, width, height};
  for (std::size_t i = 0; i < bearings.size(); ++i) {
    const Rect& b = bearings[i].box;
    SCOPED_TRACE(bearings[i].text);
    EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.width <= width && b.y + b.height <= height);
    EXPECT_FALSE(overlaps(b, bar));
    EXPECT_FALSE(overlaps(b, t.caption));
    for (std::size_t j = i + 1; j < bearings.size(); ++j) EXPECT_FALSE(overlaps(b, bearings[j].box)) << bearings[j].text;
    for (const LabelBox& r : rings) EXPECT_FALSE(overlaps(b, r.box)) << r.text;
  }
  const Point c = p.discCentre();
  for (std::size_t i = 0; i < rings.size(); ++i) {
    const Rect& r = rings[i].box;
    SCOPED_TRACE(rings[i].text);
    // Inside the disc, wholly.
    for (const double x : {double(r.x), double(r.x + r.width)})
      for (const double y : {double(r.y), double(r.y + r.height)}) EXPECT_LT(std::hypot(x - c.x, y - c.y), p.radius());
    for (std::size_t j = i + 1; j < rings.size(); ++j) EXPECT_FALSE(overlaps(r, rings[j].box)) << rings[j].text;
  }
}

}  // namespace

// The bearing labels around the azimuthal map and the distance labels of
// its rings stay apart, inside the plate and off the colour bar and the
// caption, from the window's smallest picture (480 x 260) upwards, at every
// scaling; the ring labels shrink or drop on a small disc.
TEST(AzimuthalScales, LabelsDoNotOverlapFromTheSmallestPicture) {
  for (const double scale : {1.0, 1.25, 1.5, 2.0, 3.0})
    for (int width = 480; width <= 1400; width += 46)
      for (int height = 260; height <= 900; height += 32)
        for (const int lines : {0, 2, 4})
          expectAzimuthalLabelsApart(static_cast<int>(width * scale), static_cast<int>(height * scale), scale, lines);
}

TEST(AzimuthalScales, RingsAreLabelledWhereTheDiscHasRoom) {
  // The window's smallest picture with a four-line caption: a small disc,
  // the labels in smaller dots but there.
  const Layout small = planLayout(LayoutKind::Azimuthal, 480, 260, true, fontDot(1.0), 4);
  const std::vector<LabelBox> few = ringLabels(MapProjection::azimuthal(small.picture, {48.1, 11.5}), small.point);
  ASSERT_FALSE(few.empty());
  EXPECT_EQ(few.front().text, "5000 km");
  EXPECT_LT(few.front().point, small.point);
  // A full-screen picture: all three rings in the plate's own dots.
  const Layout large = planLayout(LayoutKind::Azimuthal, 1600, 900, true, fontDot(1.0), 2);
  const std::vector<LabelBox> all = ringLabels(MapProjection::azimuthal(large.picture, {48.1, 11.5}), large.point);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(bearingLabels(large, MapProjection::azimuthal(large.picture, {48.1, 11.5})).size(), 12u);
  EXPECT_EQ(all.back().text, "15000 km");
  EXPECT_EQ(all.back().point, large.point);
}
