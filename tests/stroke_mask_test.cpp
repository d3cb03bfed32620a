// Strokes and layers of the pictures: a stroke that grazes a pixel by less
// than 1/510 marks nothing (it used to give the layer a 0/0 cover, a NaN
// turned into an integer, which the float-cast sanitizer reports when the
// shipped map lines are drawn at the default size), and a layer collected
// in passes looks as the passes laid on one after the other.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "display/map_picture.h"
#include "display/canvas.h"
#include "files/map_lines.h"
#include "testutil.h"

using namespace welvaro;

namespace {

int channel(std::uint32_t c, int k) { return static_cast<int>((c >> (8 * k)) & 0xFF); }

}  // namespace

TEST(StrokeMask, AHairlineMarksNothingAndLeavesTheLayerEmpty) {
  StrokeMask m;
  m.setSize(40, 20);
  // 1/1000 of a pixel wide: its cover rounds to 0 everywhere.
  m.segment({2, 3}, {35, 15}, 0.001);
  CoverLayer layer;
  m.collect(layer, rgb(200, 100, 50));
  std::vector<std::uint32_t> picture(40 * 20, rgb(1, 2, 3));
  std::size_t pos = 0;
  layer.applyUntil(picture.data(), pos, 40 * 20);
  EXPECT_EQ(pos, 0u);  // no entry
  for (const std::uint32_t c : picture) ASSERT_EQ(c, rgb(1, 2, 3));
}

// Random strokes in three colours: collected into one layer and laid on,
// the picture is the one the three passes give laid on directly (to a
// step of rounding), with many pixels (the sort by index in halves) and
// with few.
TEST(StrokeMask, ALayerLooksAsItsPassesLaidOnInTurn) {
  for (const int strokes : {3, 400}) {
    SCOPED_TRACE(strokes);
    const int w = 300, h = 200;
    StrokeMask m;
    m.setSize(w, h);
    std::vector<std::uint32_t> direct(static_cast<std::size_t>(w) * h, rgb(10, 120, 240));
    std::vector<std::uint32_t> over = direct;
    Canvas l{direct.data(), w, h};
    CoverLayer layer;
    std::srand(7);
    const auto random = [](int n) { return std::rand() % n + 0.37 * (std::rand() % 3); };
    for (const std::uint32_t colour : {rgb(255, 0, 0), rgb(0, 255, 40), rgb(90, 90, 90)}) {
      for (int pass = 0; pass < 2; ++pass) {
        std::srand(static_cast<unsigned>(colour % 1000));
        for (int i = 0; i < strokes; ++i)
          m.segment({random(w), random(h)}, {random(w), random(h)}, 0.4 + (i % 4) * 0.8);
        if (pass == 0)
          m.apply(l, colour);
        else
          m.collect(layer, colour);
      }
    }
    std::size_t pos = 0;
    layer.applyUntil(over.data(), pos, static_cast<std::uint32_t>(over.size()));
    int different = 0;
    for (std::size_t i = 0; i < direct.size(); ++i)
      for (int k = 0; k < 3; ++k) {
        ASSERT_LE(std::abs(channel(direct[i], k) - channel(over[i], k)), 2) << i;
        different += direct[i] != rgb(10, 120, 240);
      }
    EXPECT_GT(different, 0);
  }
}

TEST(StrokeMask, TheShippedLinesAtTheDefaultSizes) {
  MapLines lines;
  ASSERT_EQ(readMapLines(test::shippedData() / "MapLinien.dat", lines), LinesStatus::kRead);
  auto s = std::make_unique<State>();
  for (const Projection pr : {Projection::Rectangular, Projection::Azimuthal}) {
    auto map = std::make_unique<MapPicture>();
    map->setLines(&lines);
    MapView a;
    a.projection = pr;
    a.scales = true;
    const int w = pr == Projection::Rectangular ? 1240 : 960, h = pr == Projection::Rectangular ? 580 : 800;
    const std::uint32_t* p = map->render(*s, a, w, h);
    for (int i = 0; i < w * h; ++i) ASSERT_EQ(p[i] >> 24, 0xFFu) << i;
  }
}
