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

std::unique_ptr<State> zustand(bool pegel, float frequenz, int stunde, int minute) {
  auto s = std::make_unique<State>();
  s->PegelFlag = pegel ? 1 : 0;
  s->AktFrequenz = frequenz;
  s->Zeitpunkt = {2026, 12, 8, stunde, minute, 0};
  conBitmaps(*s);
  return s;
}

State::WeltArr& tabelle(State& s) { return s.PegelFlag == 1 ? s.Weltpegel : s.Weltfeld; }

// Sets table entry (f, hour) of every grid point.
void setze(State& s, int f, int stunde, int wert) {
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) tabelle(s)[i][j][f][stunde] = static_cast<int16>(wert);
}

// Fills every frequency and hour of every grid point.
void fuelle(State& s, int wert) {
  for (int f = 0; f <= 30; ++f)
    for (int h = 0; h <= 24; ++h) setze(s, f, h, wert);
}

// The one index all grid points got (they all hold the same values).
int einIndex(const State& s) {
  const int v = s.WeltRaster[0][0];
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) EXPECT_EQ(s.WeltRaster[j][i], v) << i << "," << j;
  return v;
}

unsigned pix(const std::string& bild, int reihe, int x) {
  return static_cast<unsigned char>(
      bild.at(kBmpDatenStart + static_cast<std::size_t>(reihe) * kWeltZeile + static_cast<std::size_t>(x)));
}

}  // namespace

TEST(WeltRaster, ColourIndexOfATableValue) {
  struct Fall {
    bool pegel;
    int wert;
    int index;
  };
  const Fall faelle[] = {
      {true, -140, 0},  {true, -127, 0},   {true, -109, 18}, {true, -91, 36}, {true, -73, 54},
      {true, -55, 72},  {true, -37, 90},   {true, -19, 108}, {true, -5, 108},
      {false, -64, 0},  {false, -54, 0},   {false, -36, 18}, {false, 0, 54}, {false, 18, 72},
      {false, 54, 108}, {false, 64, 108},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.pegel ? "level " : "field ") + std::to_string(f.wert));
    auto s = zustand(f.pegel, 14.2f, 13, 17);
    fuelle(*s, f.wert);
    weltRasterBilden(*s);
    EXPECT_EQ(einIndex(*s), f.index);
  }
}

TEST(WeltRaster, TimeRunsFromHourRowToHourRowAcrossMidnight) {
  // Field strength 2 x hour - 20 in rows 1..24 (row 24 = 00 UTC).
  struct Fall {
    int stunde, minute;
    int index;
  };
  const Fall faelle[] = {
      {23, 30, 81},  // halfway between 23 h (26) and 00 UTC (28)
      {23, 59, 82},  // 27.97
      {0, 0, 82},    // 00 UTC: row 24 alone
      {0, 30, 59},   // halfway from row 24 (28) to row 1 (-18): 5
      {0, 45, 48},   // -6.5 + 54 = 47.5: halves to even
      {12, 15, 58},  // 4.5 + 54 = 58.5: halves to even
      {12, 0, 58},   {22, 45, 80},  // 25.5 + 54 = 79.5: halves to even
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::to_string(f.stunde) + ":" + std::to_string(f.minute));
    auto s = zustand(false, 10.0f, f.stunde, f.minute);
    for (int h = 1; h <= 24; ++h) {
      setze(*s, 10, h, 2 * h - 20);
      setze(*s, 11, h, 64);  // weight 0 at exactly 10 MHz
    }
    weltRasterBilden(*s);
    EXPECT_EQ(einIndex(*s), f.index);
  }
}

TEST(WeltRaster, FrequencyWeightsBetweenWholeMegahertz) {
  struct Fall {
    float frequenz;
    int unten, oben;  // the two columns read
    int index;
  };
  const Fall faelle[] = {
      {29.9f, 29, 30, 94},  // -50 + 100 x 0.9 = 40 (the 29 MHz column weighs 0.1)
      {1.5f, 1, 2, 54},     // halfway
      {10.2f, 10, 11, 24},  // -50 + 100 x 0.2 = -30
      {7.0f, 7, 8, 4},      // the lower column alone
      {30.0f, 30, 30, 104}, // the top column alone
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.frequenz);
    auto s = zustand(false, f.frequenz, 6, 0);
    fuelle(*s, 64);  // any other column read would push the result up
    for (int h : {6, 7}) {
      setze(*s, f.unten, h, -50);
      setze(*s, f.oben, h, 50);  // at 30 MHz the one column read holds 50
    }
    weltRasterBilden(*s);
    EXPECT_EQ(einIndex(*s), f.index);
  }
}

TEST(WeltBild, PictureWithoutDrawing) {
  auto s = zustand(true, 14.2f, 9, 0);
  fuelle(*s, -60);  // index 67
  s->Weltkarte.assign(kWeltkarteLaenge, '\0');
  std::string bild;
  weltBild(*s, bild);
  ASSERT_EQ(bild.size(), 148502u);
  EXPECT_EQ(bild.substr(0, 54), s->BmpKopf1);
  EXPECT_EQ(bild.substr(54, 1024), s->BmpPalette);
  // Pure value colours; the 541st column, the top row and the padding black.
  for (int r = 0; r < 271; ++r)
    for (int x = 0; x < 544; ++x) ASSERT_EQ(pix(bild, r, x), r < 270 && x < 540 ? 67u : 0u) << r << ", " << x;
  // The same picture when the start-up has not built the headers.
  s->BmpKopf1.clear();
  s->BmpPalette.clear();
  std::string ohne;
  weltBild(*s, ohne);
  EXPECT_EQ(ohne, bild);
}

TEST(WeltBild, GridPointsLieWhereTheirLongitudeAndLatitudeAre) {
  auto s = zustand(true, 14.2f, 9, 0);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) s->WeltRaster[j][i] = static_cast<int16>(i <= 7 ? 15 * i : 105);
  s->WeltRaster[18][12] = 0;  // longitude 0, latitude 30
  std::string bild;
  weltBildAusRaster(*s, bild);
  // Band b (between latitude indices b and b + 1) starts one step up.
  for (int b = 0; b < 7; ++b)
    for (int r = 0; r < 15; ++r) EXPECT_EQ(pix(bild, 15 * b + r, 0), static_cast<unsigned>(15 * b + r + 1)) << b << "/" << r;
  // Latitude index 12 is the last row of band 11 (row 179); longitude 0 is
  // pixel 270 (x = 4050 twips).
  EXPECT_EQ(pix(bild, 179, 270), 0u);
  EXPECT_EQ(pix(bild, 179, 255), 105u);  // the segment before runs towards 0 ...
  EXPECT_EQ(pix(bild, 179, 262), 56u);
  EXPECT_EQ(pix(bild, 179, 269), 7u);
  EXPECT_EQ(pix(bild, 179, 271), 7u);    // ... and the one after away from it
  EXPECT_EQ(pix(bild, 178, 270), 7u);    // one row below: 105 - 14 x 7
  EXPECT_EQ(pix(bild, 165, 270), 98u);   // the first row of the band: 105 - 7
}

TEST(WeltBild, LastColumnRunsTowardsMinus180) {
  auto s = zustand(false, 14.2f, 9, 0);
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) s->WeltRaster[j][i] = static_cast<int16>(j == 0 ? 30 : 0);
  std::string bild;
  weltBildAusRaster(*s, bild);
  for (int k = 0; k < 15; ++k) EXPECT_EQ(pix(bild, 100, 525 + k), static_cast<unsigned>(2 * k)) << k;
  EXPECT_EQ(pix(bild, 100, 0), 30u);
  EXPECT_EQ(pix(bild, 100, 1), 28u);
  EXPECT_EQ(pix(bild, 100, 540), 0u);
}

TEST(PrgAktDarst1, WritesThePictureIntoTheProgramDirectory) {
  TempDir d;
  auto s = zustand(true, 21.3f, 17, 40);
  fuelle(*s, -90);
  s->Pfad = d.path.string();
  std::string bild;
  const DarstStatus st = prgAktDarst1(*s, &bild);
  ASSERT_TRUE(st.ok()) << st.meldung;
  EXPECT_EQ(bild.size(), kWeltBildLaenge);
  EXPECT_EQ(readFile(d / "WelvDar1.bmp"), bild);

  s->Pfad = (d / "fehlt").string();
  const DarstStatus kaputt = prgAktDarst1(*s);
  EXPECT_FALSE(kaputt.ok());
  EXPECT_EQ(kaputt.fehler, 0);
  EXPECT_NE(kaputt.meldung, "");
  EXPECT_EQ(readFile(d / "WelvDar1.bmp"), bild);
}

// ---- welvaro-cli map --------------------------------------------------------

namespace {

// A folder with a forecast table from the defaults, made once.
const fs::path& tabellenOrdner() {
  static TempDir d;
  static const bool fertig = [] {
    const CliRun r = runCli({"table", "--dir", d.str(), "--date", "2026-12-08"});
    EXPECT_EQ(r.rc, 0) << r.err;
    return true;
  }();
  (void)fertig;
  return d.path;
}

// The picture the core makes from the files in `dir`.
std::string kernBild(const fs::path& dir, bool pegel, float frequenz, int stunde, int minute) {
  auto s = zustand(pegel, frequenz, stunde, minute);
  EXPECT_TRUE(readTableFile(dir / "Welvaro.tab", s->TabText).ok());
  EXPECT_TRUE(prgTabPlus(*s));
  readOverlay(dir / "MapWelt.dat", kWeltkarteLaenge, s->Weltkarte);
  std::string bild;
  weltBild(*s, bild);
  return bild;
}

}  // namespace

TEST(CliMap, WritesTheWorldMapOfTheTable) {
  TempDir d;
  fs::copy_file(tabellenOrdner() / "Welvaro.tab", d / "Welvaro.tab");
  auto karte = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"map", "--dir", d.str()});
    const CliRun r = runCli(args);
    EXPECT_EQ(r.rc, 0) << r.err;
    return readFile(d / "WelvDar1.bmp");
  };
  const CliRun r = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:30"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("148502 bytes"), std::string::npos) << r.out;
  const std::string bild = readFile(d / "WelvDar1.bmp");
  EXPECT_EQ(bild, kernBild(d.path, true, 14.2f, 12, 30));

  // Field strength instead of level; --level is the default.
  const std::string feld = karte({"--freq", "14.2", "--utc", "12:30", "--field"});
  EXPECT_EQ(feld, kernBild(d.path, false, 14.2f, 12, 30));
  EXPECT_NE(feld, bild);
  EXPECT_EQ(karte({"--level", "--freq", "14.2", "--utc", "12:30"}), bild);
  // A one-digit hour, another frequency and time.
  EXPECT_EQ(karte({"--freq", "3.7", "--utc", "0:05"}), kernBild(d.path, true, 3.7f, 0, 5));

  // The map drawing is laid over the values.
  std::string zeichnung(kWeltkarteLaenge, '\0');
  for (std::size_t k = 0; k < zeichnung.size(); k += 7) zeichnung[k] = static_cast<char>(150);
  writeFile(d / "MapWelt.dat", zeichnung);
  const std::string mit = karte({"--freq", "7.1", "--utc", "03:00"});
  EXPECT_EQ(mit, kernBild(d.path, true, 7.1f, 3, 0));
  EXPECT_EQ(pix(mit, 0, 0), 203u);
  EXPECT_EQ(pix(mit, 0, 7), 203u);
}

TEST(CliMap, MissingTableIsAFileError) {
  TempDir d;
  const CliRun r = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:30"});
  EXPECT_EQ(r.rc, 4);
  EXPECT_NE(r.err.find("Welvaro.tab"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(d / "WelvDar1.bmp"));
}

