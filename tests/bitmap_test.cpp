// Picture headers, the shared colour table, drawing bytes, the row painter
// and the picture writer.
#include <gtest/gtest.h>

#include <cstdint>

#include "display/bitmap.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

unsigned u8(const std::string& b, std::size_t off) { return static_cast<unsigned char>(b.at(off)); }
unsigned u16(const std::string& b, std::size_t off) { return u8(b, off) | u8(b, off + 1) << 8; }
unsigned long u32(const std::string& b, std::size_t off) {
  return u16(b, off) | static_cast<unsigned long>(u16(b, off + 2)) << 16;
}

}  // namespace

TEST(BmpHeader, FieldsOfBothPictures) {
  struct Field {
    std::size_t off;
    int bytes;
    unsigned long world, place;
  };
  const Field fields[] = {
      {2, 4, 148502, 145250},  // file size
      {6, 4, 0, 0},            // reserved
      {10, 4, 1078, 1078},     // pixel data offset
      {14, 4, 40, 40},         // information header size
      {18, 4, 541, 529},       // width
      {22, 4, 271, 271},       // height, bottom-up
      {26, 2, 1, 1},           // planes
      {28, 2, 8, 8},           // bits per pixel
      {30, 4, 0, 0},           // no compression
      {34, 4, 147424, 144172}, // pixel data size
      {38, 4, 0, 0},           {42, 4, 0, 0},  // resolution
      {46, 4, 256, 256},       {50, 4, 256, 256},
  };
  State s;
  conBitmaps(s);
  ASSERT_TRUE(bitmapsReady(s));
  ASSERT_EQ(s.BmpKopf1.size(), 54u);
  ASSERT_EQ(s.BmpKopf2.size(), 54u);
  EXPECT_EQ(s.BmpKopf1.substr(0, 2), "BM");
  EXPECT_EQ(s.BmpKopf2.substr(0, 2), "BM");
  for (const Field& f : fields) {
    SCOPED_TRACE(f.off);
    EXPECT_EQ(f.bytes == 2 ? u16(s.BmpKopf1, f.off) : u32(s.BmpKopf1, f.off), f.world);
    EXPECT_EQ(f.bytes == 2 ? u16(s.BmpKopf2, f.off) : u32(s.BmpKopf2, f.off), f.place);
  }
}

TEST(BmpPalette, EntriesOfTheValueScaleAndTheGreys) {
  struct Entry {
    int index;
    int red, green, blue;
  };
  const Entry expected[] = {
      {0, 0, 0, 0},          // black: -127 dBm / -54 dB
      {1, 0, 0, 14},         // floor(255 / 18)
      {6, 0, 0, 85},         {9, 0, 0, 127},  {12, 0, 0, 170}, {17, 0, 0, 240},
      {18, 0, 0, 255},       // blue: -109 dBm / -36 dB
      {27, 0, 127, 255},     {35, 0, 240, 255},
      {36, 0, 255, 255},     // cyan: -91 dBm / -18 dB
      {37, 0, 255, 240},     // floor(255 - 255 / 18)
      {42, 0, 255, 170},     {53, 0, 255, 14},
      {54, 0, 255, 0},       // green: -73 dBm / 0 dB
      {55, 14, 255, 0},      {71, 240, 255, 0},
      {72, 255, 255, 0},     // yellow: -55 dBm / 18 dB
      {73, 255, 240, 0},     {89, 255, 14, 0},
      {90, 255, 0, 0},       // red: -37 dBm / 36 dB
      {91, 255, 0, 14},      {107, 255, 0, 240},
      {108, 255, 0, 255},    // magenta: -19 dBm / 54 dB
      {127, 255, 0, 255},
      {128, 0, 0, 0},        {129, 2, 2, 2},  {200, 144, 144, 144}, {255, 254, 254, 254},
  };
  const std::string p = bmpPalette();
  ASSERT_EQ(p.size(), 1024u);
  for (const Entry& e : expected) {
    SCOPED_TRACE(e.index);
    const Colour f = paletteColour(e.index);
    EXPECT_EQ(f.red, e.red);
    EXPECT_EQ(f.green, e.green);
    EXPECT_EQ(f.blue, e.blue);
    // Stored as blue, green, red, 0.
    const std::size_t o = static_cast<std::size_t>(4 * e.index);
    EXPECT_EQ(u8(p, o), static_cast<unsigned>(e.blue));
    EXPECT_EQ(u8(p, o + 1), static_cast<unsigned>(e.green));
    EXPECT_EQ(u8(p, o + 2), static_cast<unsigned>(e.red));
  }
  for (int i = 0; i < 256; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(u8(p, static_cast<std::size_t>(4 * i + 3)), 0u);
  }
}

TEST(BmpPalette, RampsChangeOneChannelSteadily) {
  // Inside each ramp of 18 entries exactly one channel moves, always the
  // same way, by 14 or 15 per step.
  for (int ramp = 0; ramp < 6; ++ramp) {
    SCOPED_TRACE(ramp);
    for (int n = 1; n < 18; ++n) {
      const Colour a = paletteColour(ramp * 18 + n - 1), b = paletteColour(ramp * 18 + n);
      const int dr = b.red - a.red, dg = b.green - a.green, db = b.blue - a.blue;
      EXPECT_EQ((dr != 0) + (dg != 0) + (db != 0), 1) << n;
      const int d = dr + dg + db;
      EXPECT_TRUE(d == 14 || d == 15 || d == -14 || d == -15) << n << ": " << d;
    }
  }
}

TEST(OverlayIndex, WholePartInsideRowsNearestAtTheEdges) {
  struct Case {
    int byte;
    int whole, rounded;
  };
  const Case cases[] = {
      {17, 136, 136},   // 136.5: whole part 136, nearest even 136
      {18, 137, 137},   {19, 137, 138},  // 137.5 goes up to the even 138
      {35, 145, 146},   {100, 178, 178}, {200, 228, 228},
      {253, 254, 254},  // 254.5 goes down to 254
      {254, 255, 255},  // 255 exactly
      {255, 255, 255},  // 255.5 would be 256: held at the last entry
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.byte);
    EXPECT_EQ(overlayIndexWhole(static_cast<std::uint8_t>(f.byte)), f.whole);
    EXPECT_EQ(overlayIndexRounded(static_cast<std::uint8_t>(f.byte)), f.rounded);
  }
}

namespace {

// A world-map grid whose every grid row has the same values across.
std::vector<int16> worldGridOf(const std::vector<int>& rowValues) {
  std::vector<int16> w;
  for (int v : rowValues)
    for (int j = 0; j < 36; ++j) w.push_back(static_cast<int16>(v));
  return w;
}

unsigned pix(const std::vector<char>& px, std::size_t rowBytes, int row, int x) {
  return static_cast<unsigned char>(px.at(static_cast<std::size_t>(row) * rowBytes + static_cast<std::size_t>(x)));
}

}  // namespace

TEST(PaintRows, RowStartsAreSinglesAndRunningValuesDoubles) {
  // Summing 1/15 fifteen times in single precision lands on 1 exactly (a
  // double sum stays below it): the top row of a 0 -> 1 band shows 1.
  {
    std::vector<int> values(19, 1);
    values[0] = 0;
    const auto w = worldGridOf(values);
    std::vector<char> px(271 * kWorldRowBytes);
    paintRows(kWorldBitmapGrid, w.data(), {}, px.data());
    EXPECT_EQ(pix(px, kWorldRowBytes, 13, 100), 0u);
    EXPECT_EQ(pix(px, kWorldRowBytes, 14, 100), 1u);
  }
  // Along a row from 0 to 3 in 15 steps of 0.2, the double sum after ten
  // steps is just below 2: that pixel shows 1.
  {
    std::vector<int16> w(19 * 36, 0);
    for (int i = 0; i < 19; ++i) w[static_cast<std::size_t>(i * 36 + 1)] = 3;
    std::vector<char> px(271 * kWorldRowBytes);
    paintRows(kWorldBitmapGrid, w.data(), {}, px.data());
    const unsigned expected[15] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2};
    for (int k = 0; k < 15; ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(pix(px, kWorldRowBytes, 40, k), expected[k]);
    }
    EXPECT_EQ(pix(px, kWorldRowBytes, 40, 15), 3u);
  }
}

TEST(PaintRows, LastPixelPaddingAndTopRow) {
  std::vector<int16> w(19 * 36, 50);
  std::string map(271 * kWorldRowBytes, '\0');
  std::vector<char> px(271 * kWorldRowBytes, 'x');
  // Without a drawing: value pixels, black last column and top row, zero padding.
  paintRows(kWorldBitmapGrid, w.data(), map, px.data());
  for (int r = 0; r < 271; ++r) {
    SCOPED_TRACE(r);
    if (r < 270) {
      EXPECT_EQ(pix(px, kWorldRowBytes, r, 539), 50u);
    }
    EXPECT_EQ(pix(px, kWorldRowBytes, r, 540), 0u);
    for (int x = 541; x < 544; ++x) EXPECT_EQ(pix(px, kWorldRowBytes, r, x), 0u);
  }
  for (int x = 0; x < 541; ++x) EXPECT_EQ(pix(px, kWorldRowBytes, 270, x), 0u) << x;

  // Drawing bytes: 16 shows the value, 17 and above a grey; in the last
  // column and the top row the nearest index.
  map[5 * kWorldRowBytes + 7] = 16;
  map[5 * kWorldRowBytes + 8] = 17;
  map[5 * kWorldRowBytes + 9] = static_cast<char>(35);
  map[5 * kWorldRowBytes + 540] = static_cast<char>(35);
  map[5 * kWorldRowBytes + 541] = static_cast<char>(200);  // padding byte: never shown
  map[269 * kWorldRowBytes + 540] = static_cast<char>(255);
  paintRows(kWorldBitmapGrid, w.data(), map, px.data());
  EXPECT_EQ(pix(px, kWorldRowBytes, 5, 7), 50u);
  EXPECT_EQ(pix(px, kWorldRowBytes, 5, 8), 136u);
  EXPECT_EQ(pix(px, kWorldRowBytes, 5, 9), 145u);
  EXPECT_EQ(pix(px, kWorldRowBytes, 5, 540), 146u);
  EXPECT_EQ(pix(px, kWorldRowBytes, 5, 541), 0u);
  EXPECT_EQ(pix(px, kWorldRowBytes, 269, 540), 255u);
  // The top row copies the last pixel of the row below when its own byte is clear ...
  for (int x = 0; x < 541; ++x) EXPECT_EQ(pix(px, kWorldRowBytes, 270, x), 255u) << x;
  // ... and takes the first byte of its own drawing row when that is drawn.
  map[270 * kWorldRowBytes] = static_cast<char>(19);
  map[270 * kWorldRowBytes + 1] = static_cast<char>(200);  // not looked at
  paintRows(kWorldBitmapGrid, w.data(), map, px.data());
  for (int x = 0; x < 541; ++x) EXPECT_EQ(pix(px, kWorldRowBytes, 270, x), 138u) << x;
  for (int x = 541; x < 544; ++x) EXPECT_EQ(pix(px, kWorldRowBytes, 270, x), 0u) << x;
}

TEST(PaintRows, DrawingOfTheWrongLengthIsIgnored) {
  std::vector<int16> w(19 * 36, 20);
  std::vector<char> px(271 * kWorldRowBytes);
  const std::string shortPath(1000, static_cast<char>(200));
  paintRows(kWorldBitmapGrid, w.data(), shortPath, px.data());
  EXPECT_EQ(pix(px, kWorldRowBytes, 0, 0), 20u);
  EXPECT_EQ(pix(px, kWorldRowBytes, 0, 540), 0u);
}
