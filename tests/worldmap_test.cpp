// The world-map display: colour indices from the forecast table, the time
// and frequency interpolation, the pixel geometry, the picture file and
// welvaro-cli map.
#include <gtest/gtest.h>

#include "display/bitmap.h"
#include "display/worldmap.h"
#include "files/overlay.h"
#include "forecast/table.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::unique_ptr<State> stateWith(bool level, float frequency, int hour, int minute) {
  auto s = std::make_unique<State>();
  s->PegelFlag = level ? 1 : 0;
  s->AktFrequenz = frequency;
  s->Zeitpunkt = {2026, 12, 8, hour, minute, 0};
  conBitmaps(*s);
  return s;
}

State::WeltArr& table(State& s) { return s.PegelFlag == 1 ? s.Weltpegel : s.Weltfeld; }

// Sets table entry (f, hour) of every grid point.
void set(State& s, int f, int hour, int value) {
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) table(s)[i][j][f][hour] = static_cast<int16>(value);
}

// Fills every frequency and hour of every grid point.
void fillAll(State& s, int value) {
  for (int f = 0; f <= 30; ++f)
    for (int h = 0; h <= 24; ++h) set(s, f, h, value);
}

// The one index all grid points got (they all hold the same values).
int oneIndex(const State& s) {
  const int v = s.WeltRaster[0][0];
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) EXPECT_EQ(s.WeltRaster[j][i], v) << i << "," << j;
  return v;
}

unsigned pix(const std::string& picture, int row, int x) {
  return static_cast<unsigned char>(
      picture.at(kBmpDataStart + static_cast<std::size_t>(row) * kWorldRowBytes + static_cast<std::size_t>(x)));
}

}  // namespace

TEST(WeltRaster, ColourIndexOfATableValue) {
  struct Case {
    bool level;
    int value;
    int index;
  };
  const Case cases[] = {
      {true, -140, 0},  {true, -127, 0},   {true, -109, 18}, {true, -91, 36}, {true, -73, 54},
      {true, -55, 72},  {true, -37, 90},   {true, -19, 108}, {true, -5, 108},
      {false, -64, 0},  {false, -54, 0},   {false, -36, 18}, {false, 0, 54}, {false, 18, 72},
      {false, 54, 108}, {false, 64, 108},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::string(f.level ? "level " : "field ") + std::to_string(f.value));
    auto s = stateWith(f.level, 14.2f, 13, 17);
    fillAll(*s, f.value);
    buildWorldRaster(*s);
    EXPECT_EQ(oneIndex(*s), f.index);
  }
}

TEST(WeltRaster, TimeRunsFromHourRowToHourRowAcrossMidnight) {
  // Field strength 2 x hour - 20 in rows 1..24 (row 24 = 00 UTC).
  struct Case {
    int hour, minute;
    int index;
  };
  const Case cases[] = {
      {23, 30, 81},  // halfway between 23 h (26) and 00 UTC (28)
      {23, 59, 82},  // 27.97
      {0, 0, 82},    // 00 UTC: row 24 alone
      {0, 30, 59},   // halfway from row 24 (28) to row 1 (-18): 5
      {0, 45, 48},   // -6.5 + 54 = 47.5: halves to even
      {12, 15, 58},  // 4.5 + 54 = 58.5: halves to even
      {12, 0, 58},   {22, 45, 80},  // 25.5 + 54 = 79.5: halves to even
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::to_string(f.hour) + ":" + std::to_string(f.minute));
    auto s = stateWith(false, 10.0f, f.hour, f.minute);
    for (int h = 1; h <= 24; ++h) {
      set(*s, 10, h, 2 * h - 20);
      set(*s, 11, h, 64);  // weight 0 at exactly 10 MHz
    }
    buildWorldRaster(*s);
    EXPECT_EQ(oneIndex(*s), f.index);
  }
}

TEST(WeltRaster, FrequencyWeightsBetweenWholeMegahertz) {
  struct Case {
    float frequency;
    int bottom, top;  // the two columns read
    int index;
  };
  const Case cases[] = {
      {29.9f, 29, 30, 94},  // -50 + 100 x 0.9 = 40 (the 29 MHz column weighs 0.1)
      {1.5f, 1, 2, 54},     // halfway
      {10.2f, 10, 11, 24},  // -50 + 100 x 0.2 = -30
      {7.0f, 7, 8, 4},      // the lower column alone
      {30.0f, 30, 30, 104}, // the top column alone
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.frequency);
    auto s = stateWith(false, f.frequency, 6, 0);
    fillAll(*s, 64);  // any other column read would push the result up
    for (int h : {6, 7}) {
      set(*s, f.bottom, h, -50);
      set(*s, f.top, h, 50);  // at 30 MHz the one column read holds 50
    }
    buildWorldRaster(*s);
    EXPECT_EQ(oneIndex(*s), f.index);
  }
}

TEST(WorldBitmap, PictureWithoutDrawing) {
  auto s = stateWith(true, 14.2f, 9, 0);
  fillAll(*s, -60);  // index 67
  s->Weltkarte.assign(kWorldOverlayLength, '\0');
  std::string picture;
  worldBitmap(*s, picture);
  ASSERT_EQ(picture.size(), 148502u);
  EXPECT_EQ(picture.substr(0, 54), s->BmpKopf1);
  EXPECT_EQ(picture.substr(54, 1024), s->BmpPalette);
  // Pure value colours; the 541st column, the top row and the padding black.
  for (int r = 0; r < 271; ++r)
    for (int x = 0; x < 544; ++x) ASSERT_EQ(pix(picture, r, x), r < 270 && x < 540 ? 67u : 0u) << r << ", " << x;
  // The same picture when the start-up has not built the headers.
  s->BmpKopf1.clear();
  s->BmpPalette.clear();
  std::string without;
  worldBitmap(*s, without);
  EXPECT_EQ(without, picture);
}

TEST(WorldBitmap, GridPointsLieWhereTheirLongitudeAndLatitudeAre) {
  auto s = stateWith(true, 14.2f, 9, 0);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) s->WeltRaster[j][i] = static_cast<int16>(i <= 7 ? 15 * i : 105);
  s->WeltRaster[18][12] = 0;  // longitude 0, latitude 30
  std::string picture;
  worldBitmapFromRaster(*s, picture);
  // Band b (between latitude indices b and b + 1) starts one step up.
  for (int b = 0; b < 7; ++b)
    for (int r = 0; r < 15; ++r) EXPECT_EQ(pix(picture, 15 * b + r, 0), static_cast<unsigned>(15 * b + r + 1)) << b << "/" << r;
  // Latitude index 12 is the last row of band 11 (row 179); longitude 0 is
  // pixel 270 (x = 4050 twips).
  EXPECT_EQ(pix(picture, 179, 270), 0u);
  EXPECT_EQ(pix(picture, 179, 255), 105u);  // the segment before runs towards 0 ...
  EXPECT_EQ(pix(picture, 179, 262), 56u);
  EXPECT_EQ(pix(picture, 179, 269), 7u);
  EXPECT_EQ(pix(picture, 179, 271), 7u);    // ... and the one after away from it
  EXPECT_EQ(pix(picture, 178, 270), 7u);    // one row below: 105 - 14 x 7
  EXPECT_EQ(pix(picture, 165, 270), 98u);   // the first row of the band: 105 - 7
}

TEST(WorldBitmap, LastColumnRunsTowardsMinus180) {
  auto s = stateWith(false, 14.2f, 9, 0);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) s->WeltRaster[j][i] = static_cast<int16>(j == 0 ? 30 : 0);
  std::string picture;
  worldBitmapFromRaster(*s, picture);
  for (int k = 0; k < 15; ++k) EXPECT_EQ(pix(picture, 100, 525 + k), static_cast<unsigned>(2 * k)) << k;
  EXPECT_EQ(pix(picture, 100, 0), 30u);
  EXPECT_EQ(pix(picture, 100, 1), 28u);
  EXPECT_EQ(pix(picture, 100, 540), 0u);
}

TEST(PrgAktDarst1, WritesThePictureIntoTheProgramDirectory) {
  TempDir d;
  auto s = stateWith(true, 21.3f, 17, 40);
  fillAll(*s, -90);
  s->Pfad = d.path.string();
  std::string picture;
  const DisplayStatus st = prgAktDarst1(*s, &picture);
  ASSERT_TRUE(st.ok()) << st.message;
  EXPECT_EQ(picture.size(), kWorldBitmapLength);
  EXPECT_EQ(readFile(d / "WelvDar1.bmp"), picture);

  s->Pfad = (d / "fehlt").string();
  const DisplayStatus broken = prgAktDarst1(*s);
  EXPECT_FALSE(broken.ok());
  EXPECT_EQ(broken.fault, 0);
  EXPECT_NE(broken.message, "");
  EXPECT_EQ(readFile(d / "WelvDar1.bmp"), picture);
}

// ---- welvaro-cli map --------------------------------------------------------

namespace {

// A folder with a forecast table from the defaults, made once.
const fs::path& tableFolder() {
  static TempDir d;
  static const bool finished = [] {
    const CliRun r = runCli({"table", "--dir", d.str(), "--date", "2026-12-08"});
    EXPECT_EQ(r.rc, 0) << r.err;
    return true;
  }();
  (void)finished;
  return d.path;
}

// The picture the core makes from the files in `dir`.
std::string coreBitmap(const fs::path& dir, bool level, float frequency, int hour, int minute) {
  auto s = stateWith(level, frequency, hour, minute);
  EXPECT_TRUE(readTableFile(dir / "Welvaro.tab", s->TabText).ok());
  EXPECT_TRUE(prgTabPlus(*s));
  readOverlay(dir / "MapWelt.dat", kWorldOverlayLength, s->Weltkarte);
  std::string picture;
  worldBitmap(*s, picture);
  return picture;
}

}  // namespace

TEST(CliMap, WritesTheWorldMapOfTheTable) {
  TempDir d;
  fs::copy_file(tableFolder() / "Welvaro.tab", d / "Welvaro.tab");
  auto map = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"map", "--dir", d.str()});
    const CliRun r = runCli(args);
    EXPECT_EQ(r.rc, 0) << r.err;
    return readFile(d / "WelvDar1.bmp");
  };
  const CliRun r = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:30"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("148502 bytes"), std::string::npos) << r.out;
  const std::string picture = readFile(d / "WelvDar1.bmp");
  EXPECT_EQ(picture, coreBitmap(d.path, true, 14.2f, 12, 30));

  // Field strength instead of level; --level is the default.
  const std::string field = map({"--freq", "14.2", "--utc", "12:30", "--field"});
  EXPECT_EQ(field, coreBitmap(d.path, false, 14.2f, 12, 30));
  EXPECT_NE(field, picture);
  EXPECT_EQ(map({"--level", "--freq", "14.2", "--utc", "12:30"}), picture);
  // A one-digit hour, another frequency and time.
  EXPECT_EQ(map({"--freq", "3.7", "--utc", "0:05"}), coreBitmap(d.path, true, 3.7f, 0, 5));

  // The map drawing is laid over the values.
  std::string drawing(kWorldOverlayLength, '\0');
  for (std::size_t k = 0; k < drawing.size(); k += 7) drawing[k] = static_cast<char>(150);
  writeFile(d / "MapWelt.dat", drawing);
  const std::string withLine = map({"--freq", "7.1", "--utc", "03:00"});
  EXPECT_EQ(withLine, coreBitmap(d.path, true, 7.1f, 3, 0));
  EXPECT_EQ(pix(withLine, 0, 0), 203u);
  EXPECT_EQ(pix(withLine, 0, 7), 203u);
}

TEST(CliMap, MissingTableIsAFileError) {
  TempDir d;
  const CliRun r = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:30"});
  EXPECT_EQ(r.rc, 4);
  EXPECT_NE(r.err.find("Welvaro.tab"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(d / "WelvDar1.bmp"));
}

