// The frequency/time chart of the link A-B: colour indices from the
// day-corrected forecast, the pixel geometry, the picture file and
// welvaro-cli chart.
#include <gtest/gtest.h>

#include "display/bitmap.h"
#include "display/chart.h"
#include "files/overlay.h"
#include "forecast/tageskorr.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::unique_ptr<State> stateWith(bool level) {
  auto s = defaultLink({2026, 12, 8, 16, 0, 0});
  s->PegelFlag = level ? 1 : 0;
  conBitmaps(*s);
  return s;
}

// Sets the raster of every hour 0..24 at `mhz` to `value`.
void rasterRow(State& s, int mhz, int value) {
  for (int h = 0; h <= 24; ++h) s.OrtsRaster[h][mhz] = static_cast<int16>(value);
}

unsigned pix(const std::string& picture, int row, int x) {
  return static_cast<unsigned char>(
      picture.at(kBmpDataStart + static_cast<std::size_t>(row) * kChartRowBytes + static_cast<std::size_t>(x)));
}

}  // namespace

TEST(OrtsRaster, ColourIndexOfTheForecast) {
  struct Case {
    bool level;
    int mhz;
    double field;
    int index;
  };
  const Case cases[] = {
      {true, 10, 0, 32},     // 45 - 140 + 0 = -95 dBm
      {true, 10, 54, 86},    // -41 dBm
      {true, 10, 100, 86},   // field strength held at 54 first
      {true, 1, 0, 52},      // -75 dBm
      {true, 1, 54, 106},    // -21 dBm
      {true, 1, -54, 0},     // -129 dBm is shown as -127
      {true, 2, 54, 100},    // -27.02 dBm
      {true, 30, 54, 76},    // -50.54 dBm
      {true, 0, 54, 0},      // 0 MHz is always black
      {false, 10, 0, 54},    {false, 10, -3, 51}, {false, 10, 60, 108}, {false, 10, -60, 0},
      {false, 30, 54, 108},  {false, 0, 54, 0},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::string(f.level ? "level " : "field ") + std::to_string(f.mhz) + " MHz " +
                 std::to_string(f.field));
    auto s = stateWith(f.level);
    for (int h = 1; h <= 24; ++h) s->ErgFeld[0][h][f.mhz + 1] = f.field;
    buildChartRaster(*s);
    for (int h = 0; h <= 24; ++h) EXPECT_EQ(s->OrtsRaster[h][f.mhz], f.index) << h;
  }
}

TEST(OrtsRaster, RowZeroRepeatsMidnightAndTheMufColumnIsNotShown) {
  auto s = stateWith(false);
  for (int h = 1; h <= 24; ++h) {
    s->ErgFeld[0][h][1] = 40;  // value at the path MUF
    for (int k = 2; k <= 31; ++k) s->ErgFeld[0][h][k] = h - 30;
  }
  buildChartRaster(*s);
  for (int i = 1; i <= 30; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s->OrtsRaster[0][i], s->OrtsRaster[24][i]);
    EXPECT_EQ(s->OrtsRaster[24][i], 24 - 30 + 54);
    EXPECT_EQ(s->OrtsRaster[7][i], 7 - 30 + 54);
  }
  for (int h = 0; h <= 24; ++h) EXPECT_EQ(s->OrtsRaster[h][0], 0) << h;
}

TEST(ChartBitmap, PictureWithoutDrawing) {
  auto s = stateWith(true);
  for (int i = 0; i <= 30; ++i) rasterRow(*s, i, i == 0 ? 0 : 99);
  s->Ortskarte.assign(kChartOverlayLength, '\0');
  std::string picture;
  chartBitmapFromRaster(*s, picture);
  ASSERT_EQ(picture.size(), 145250u);
  EXPECT_EQ(picture.substr(0, 54), s->BmpKopf2);
  EXPECT_EQ(picture.substr(54, 1024), s->BmpPalette);
  // The bottom band rises from black: its first row is one ninth of the way.
  EXPECT_EQ(pix(picture, 0, 0), 11u);
  EXPECT_EQ(pix(picture, 0, 300), 11u);
  EXPECT_EQ(pix(picture, 50, 300), 99u);
  // The 529th column, the padding and the top row are black.
  for (int r = 0; r < 271; ++r)
    for (int x = r < 270 ? 528 : 0; x < 532; ++x) ASSERT_EQ(pix(picture, r, x), 0u) << r << ", " << x;
}

TEST(ChartBitmap, HoursRunAcrossAndTheDayClosesAtMidnight) {
  auto s = stateWith(true);
  for (int i = 0; i <= 30; ++i)
    for (int h = 0; h <= 24; ++h) s->OrtsRaster[h][i] = static_cast<int16>(h == 23 ? 0 : (h == 0 || h == 24 ? 44 : 4 * h));
  std::string picture;
  chartBitmapFromRaster(*s, picture);
  // 22 pixels per hour: the hour h begins at pixel 22 h.
  for (int h = 1; h <= 22; ++h) EXPECT_EQ(pix(picture, 100, 22 * h), static_cast<unsigned>(4 * h)) << h;
  // 23 h to 24 h runs towards the 00 UTC value at the left edge.
  for (int k = 0; k < 22; ++k) EXPECT_EQ(pix(picture, 100, 506 + k), static_cast<unsigned>(2 * k)) << k;
  EXPECT_EQ(pix(picture, 100, 0), 44u);
}

TEST(PrgAktDarst2, ChartOfTheLinkToPointB) {
  TempDir d;
  auto s = stateWith(true);
  s->Pfad = d.str();
  s->X2 = 0;
  s->Y2 = 0;
  std::string picture;
  const DisplayStatus st = prgAktDarst2(*s, &picture);
  ASSERT_TRUE(st.ok()) << st.fault << " " << st.message;
  EXPECT_EQ(s->X2, static_cast<double>(s->OrtX2));
  EXPECT_EQ(s->Y2, s->OrtY2);
  EXPECT_EQ(readFile(d / "WelvDar2.bmp"), picture);

  // The same from a forecast run by hand.
  auto t = stateWith(true);
  ASSERT_EQ(prgTageskorr(*t), 0);
  buildChartRaster(*t);
  std::string expected;
  chartBitmapFromRaster(*t, expected);
  EXPECT_EQ(picture, expected);
  // München - Madrid at noon on 10 MHz is not black, and the field-strength
  // chart differs from the level chart.
  EXPECT_GT(pix(picture, 9 * 10 - 1, 22 * 12), 0u);
  s->PegelFlag = 0;
  std::string field;
  ASSERT_EQ(chartBitmap(*s, field), 0);
  EXPECT_NE(field, picture);
}

TEST(PrgAktDarst2, FailedForecastWritesNothing) {
  TempDir d;
  auto s = stateWith(true);
  s->Pfad = d.str();
  s->X1 = 40;
  s->Y1 = 10;
  s->OrtX2 = 40;
  s->OrtY2 = 10;  // point B on station A: the model divides by zero
  std::string picture = "alt";
  const DisplayStatus st = prgAktDarst2(*s, &picture);
  EXPECT_NE(st.fault, 0);
  EXPECT_FALSE(st.ok());
  EXPECT_EQ(picture, "alt");
  EXPECT_FALSE(fs::exists(d / "WelvDar2.bmp"));
}

// ---- welvaro-cli chart ------------------------------------------------------

TEST(CliChart, WritesTheChartOfTheLink) {
  TempDir d;
  std::string map(kChartOverlayLength, '\0');
  for (std::size_t k = 0; k < map.size(); k += 11) map[k] = static_cast<char>(40);
  writeFile(d / "MapOrt.dat", map);
  const CliRun r = runCli({"chart", "--dir", d.str()});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("145250 bytes"), std::string::npos) << r.out;
  const std::string picture = readFile(d / "WelvDar2.bmp");

  auto s = stateWith(true);
  s->Jetzt = {2026, 12, 8, 15, 4, 0};
  readOverlay(d / "MapOrt.dat", kChartOverlayLength, s->Ortskarte);
  std::string expected;
  ASSERT_EQ(chartBitmap(*s, expected), 0);
  EXPECT_EQ(picture, expected);
  EXPECT_EQ(pix(picture, 0, 0), 148u);

  ASSERT_EQ(runCli({"chart", "--dir", d.str(), "--field"}).rc, 0);
  EXPECT_NE(readFile(d / "WelvDar2.bmp"), picture);
  ASSERT_EQ(runCli({"chart", "--level", "--dir", d.str(), "--b", "40.4,-3.7"}).rc, 0);
  EXPECT_EQ(readFile(d / "WelvDar2.bmp"), picture);
  // Another link, month and day give another chart.
  ASSERT_EQ(runCli({"chart", "--dir", d.str(), "--b", "35.7,139.7", "--date", "2026-06-03"}).rc, 0);
  EXPECT_NE(readFile(d / "WelvDar2.bmp"), picture);
}

TEST(CliChart, AModelFaultWritesNoPicture) {
  TempDir d;
  const CliRun r = runCli({"chart", "--dir", d.str(), "--a", "40,10", "--b", "40,10"});  // B on A
  EXPECT_EQ(r.rc, 3);
  EXPECT_NE(r.err.find("model fault"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(d / "WelvDar2.bmp"));
}
