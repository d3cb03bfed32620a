// The frequency/time chart of the link A-B: colour indices from the
// day-corrected forecast, the pixel geometry, the picture file and
// welvaro-cli chart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "display/bitmap.h"
#include "display/chart.h"
#include "files/overlay.h"
#include "forecast/tageskorr.h"

using namespace welvaro;
namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path;
  TempDir() {
    std::string t = (fs::temp_directory_path() / "welvaro-chart-XXXXXX").string();
    if (::mkdtemp(t.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = t;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<State> zustand(bool pegel) {
  auto s = std::make_unique<State>();
  s->PegelFlag = pegel ? 1 : 0;
  s->Jetzt = {2026, 12, 8, 16, 0, 0};
  s->Monat = 12;
  conBitmaps(*s);
  return s;
}

// Sets the raster of every hour 0..24 at `mhz` to `wert`.
void rasterZeile(State& s, int mhz, int wert) {
  for (int h = 0; h <= 24; ++h) s.OrtsRaster[h][mhz] = static_cast<int16>(wert);
}

unsigned pix(const std::string& bild, int reihe, int x) {
  return static_cast<unsigned char>(
      bild.at(kBmpDatenStart + static_cast<std::size_t>(reihe) * kOrtZeile + static_cast<std::size_t>(x)));
}

}  // namespace

TEST(OrtsRaster, ColourIndexOfTheForecast) {
  struct Fall {
    bool pegel;
    int mhz;
    double feld;
    int index;
  };
  const Fall faelle[] = {
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
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.pegel ? "level " : "field ") + std::to_string(f.mhz) + " MHz " +
                 std::to_string(f.feld));
    auto s = zustand(f.pegel);
    for (int h = 1; h <= 24; ++h) s->ErgFeld[0][h][f.mhz + 1] = f.feld;
    ortsRasterBilden(*s);
    for (int h = 0; h <= 24; ++h) EXPECT_EQ(s->OrtsRaster[h][f.mhz], f.index) << h;
  }
}

TEST(OrtsRaster, RowZeroRepeatsMidnightAndTheMufColumnIsNotShown) {
  auto s = zustand(false);
  for (int h = 1; h <= 24; ++h) {
    s->ErgFeld[0][h][1] = 40;  // value at the path MUF
    for (int k = 2; k <= 31; ++k) s->ErgFeld[0][h][k] = h - 30;
  }
  ortsRasterBilden(*s);
  for (int i = 1; i <= 30; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s->OrtsRaster[0][i], s->OrtsRaster[24][i]);
    EXPECT_EQ(s->OrtsRaster[24][i], 24 - 30 + 54);
    EXPECT_EQ(s->OrtsRaster[7][i], 7 - 30 + 54);
  }
  for (int h = 0; h <= 24; ++h) EXPECT_EQ(s->OrtsRaster[h][0], 0) << h;
}

TEST(OrtBild, PictureWithoutDrawing) {
  auto s = zustand(true);
  for (int i = 0; i <= 30; ++i) rasterZeile(*s, i, i == 0 ? 0 : 99);
  s->Ortskarte.assign(kOrtskarteLaenge, '\0');
  std::string bild;
  ortBildAusRaster(*s, bild);
  ASSERT_EQ(bild.size(), 145250u);
  EXPECT_EQ(bild.substr(0, 54), s->BmpKopf2);
  EXPECT_EQ(bild.substr(54, 1024), s->BmpPalette);
  // The bottom band rises from black: its first row is one ninth of the way.
  EXPECT_EQ(pix(bild, 0, 0), 11u);
  EXPECT_EQ(pix(bild, 0, 300), 11u);
  EXPECT_EQ(pix(bild, 50, 300), 99u);
  for (int r = 0; r < 271; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(pix(bild, r, 528), 0u);  // the 529th column is black
    for (int x = 529; x < 532; ++x) EXPECT_EQ(pix(bild, r, x), 0u);
  }
  for (int x = 0; x < 529; ++x) EXPECT_EQ(pix(bild, 270, x), 0u) << x;  // top row black
}

TEST(OrtBild, HoursRunAcrossAndTheDayClosesAtMidnight) {
  auto s = zustand(true);
  for (int i = 0; i <= 30; ++i)
    for (int h = 0; h <= 24; ++h) s->OrtsRaster[h][i] = static_cast<int16>(h == 23 ? 0 : (h == 0 || h == 24 ? 44 : 4 * h));
  std::string bild;
  ortBildAusRaster(*s, bild);
  // 22 pixels per hour: the hour h begins at pixel 22 h.
  for (int h = 1; h <= 22; ++h) EXPECT_EQ(pix(bild, 100, 22 * h), static_cast<unsigned>(4 * h)) << h;
  // 23 h to 24 h runs towards the 00 UTC value at the left edge.
  for (int k = 0; k < 22; ++k) EXPECT_EQ(pix(bild, 100, 506 + k), static_cast<unsigned>(2 * k)) << k;
  EXPECT_EQ(pix(bild, 100, 0), 44u);
}

TEST(OrtBild, SingleRowStartsDoubleRunningValues) {
  auto s = zustand(true);
  // Up the bottom band from index 0 to 7 in steps of 7 / 9 summed in single
  // precision: the band's top row lands just below 7.
  rasterZeile(*s, 0, 0);
  for (int i = 1; i <= 30; ++i) rasterZeile(*s, i, 7);
  // Along the rows of band 5 from hour 0 (0) to hour 1 (6): the double sum
  // of 11 steps of 6 / 22 stays just below 3.
  for (int i = 5; i <= 6; ++i) {
    s->OrtsRaster[0][i] = 0;
    s->OrtsRaster[24][i] = 0;
    s->OrtsRaster[1][i] = 6;
  }
  std::string bild;
  ortBildAusRaster(*s, bild);
  EXPECT_EQ(pix(bild, 7, 200), 6u);
  EXPECT_EQ(pix(bild, 8, 200), 6u);
  EXPECT_EQ(pix(bild, 9, 200), 7u);
  EXPECT_EQ(pix(bild, 53, 10), 2u);
  EXPECT_EQ(pix(bild, 53, 11), 2u);
  EXPECT_EQ(pix(bild, 53, 12), 3u);
}

TEST(OrtBild, DrawingOverTheValues) {
  auto s = zustand(false);
  for (int i = 0; i <= 30; ++i) rasterZeile(*s, i, 54);
  s->Ortskarte.assign(kOrtskarteLaenge, '\0');
  s->Ortskarte[3 * kOrtZeile + 17] = static_cast<char>(255);
  s->Ortskarte[3 * kOrtZeile + 528] = static_cast<char>(255);
  s->Ortskarte[3 * kOrtZeile + 530] = static_cast<char>(255);  // padding: never shown
  s->Ortskarte[269 * kOrtZeile + 528] = static_cast<char>(101);
  std::string bild;
  ortBildAusRaster(*s, bild);
  EXPECT_EQ(pix(bild, 3, 16), 54u);
  EXPECT_EQ(pix(bild, 3, 17), 255u);
  EXPECT_EQ(pix(bild, 3, 528), 255u);  // 255.5 is held at 255
  EXPECT_EQ(pix(bild, 3, 530), 0u);
  EXPECT_EQ(pix(bild, 269, 528), 178u);  // 178.5 to the even 178
  for (int x = 0; x < 529; ++x) EXPECT_EQ(pix(bild, 270, x), 178u) << x;  // copied up
}

TEST(PrgAktDarst2, ChartOfTheLinkToPointB) {
  TempDir d;
  auto s = zustand(true);
  s->Pfad = d.path.string();
  s->X2 = 0;
  s->Y2 = 0;
  std::string bild;
  const DarstStatus st = prgAktDarst2(*s, &bild);
  ASSERT_TRUE(st.ok()) << st.fehler << " " << st.meldung;
  EXPECT_EQ(s->X2, static_cast<double>(s->OrtX2));
  EXPECT_EQ(s->Y2, s->OrtY2);
  EXPECT_EQ(readAll(d.path / "WelvDar2.bmp"), bild);

  // The same from a forecast run by hand.
  auto t = zustand(true);
  t->X2 = t->OrtX2;
  t->Y2 = t->OrtY2;
  ASSERT_EQ(prgTageskorr(*t), 0);
  ortsRasterBilden(*t);
  std::string erwartet;
  ortBildAusRaster(*t, erwartet);
  EXPECT_EQ(bild, erwartet);
  // München - Madrid at noon on 10 MHz is not black, and the field-strength
  // chart differs from the level chart.
  EXPECT_GT(pix(bild, 9 * 10 - 1, 22 * 12), 0u);
  s->PegelFlag = 0;
  std::string feld;
  ASSERT_EQ(ortBild(*s, feld), 0);
  EXPECT_NE(feld, bild);
}

TEST(PrgAktDarst2, FailedForecastWritesNothing) {
  TempDir d;
  auto s = zustand(true);
  s->Pfad = d.path.string();
  s->X1 = 40;
  s->Y1 = 10;
  s->OrtX2 = 40;
  s->OrtY2 = 10;  // point B on station A: the model divides by zero
  std::string bild = "alt";
  const DarstStatus st = prgAktDarst2(*s, &bild);
  EXPECT_NE(st.fehler, 0);
  EXPECT_FALSE(st.ok());
  EXPECT_EQ(bild, "alt");
  EXPECT_FALSE(fs::exists(d.path / "WelvDar2.bmp"));
}

// ---- welvaro-cli chart ------------------------------------------------------

namespace {

struct CliRun {
  int rc;
  std::string out, err;
};

CliRun runTool(std::vector<std::string> args) {
  args.insert(args.begin(), "welvaro-cli");
  FixedClock clock({2026, 12, 8, 15, 4, 0});
  std::ostringstream out, err;
  const int rc = cli::runCli(args, clock, out, err);
  return {rc, out.str(), err.str()};
}

}  // namespace

TEST(CliChart, WritesTheChartOfTheLink) {
  TempDir d;
  std::string karte(kOrtskarteLaenge, '\0');
  for (std::size_t k = 0; k < karte.size(); k += 11) karte[k] = static_cast<char>(40);
  writeAll(d.path / "MapOrt.dat", karte);
  const CliRun r = runTool({"chart", "--dir", d.path.string()});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("145250 bytes"), std::string::npos) << r.out;
  const std::string bild = readAll(d.path / "WelvDar2.bmp");

  auto s = zustand(true);
  s->Jetzt = {2026, 12, 8, 15, 4, 0};
  readOverlay(d.path / "MapOrt.dat", kOrtskarteLaenge, s->Ortskarte);
  std::string erwartet;
  ASSERT_EQ(ortBild(*s, erwartet), 0);
  EXPECT_EQ(bild, erwartet);
  EXPECT_EQ(pix(bild, 0, 0), 148u);

  ASSERT_EQ(runTool({"chart", "--dir", d.path.string(), "--field"}).rc, 0);
  EXPECT_NE(readAll(d.path / "WelvDar2.bmp"), bild);
  ASSERT_EQ(runTool({"chart", "--level", "--dir", d.path.string(), "--b", "40.4,-3.7"}).rc, 0);
  EXPECT_EQ(readAll(d.path / "WelvDar2.bmp"), bild);
  // Another link, month and day give another chart.
  ASSERT_EQ(runTool({"chart", "--dir", d.path.string(), "--b", "35.7,139.7", "--date", "2026-06-03"}).rc, 0);
  EXPECT_NE(readAll(d.path / "WelvDar2.bmp"), bild);
}

TEST(CliChart, ModelFaultWritesNoPicture) {
  TempDir d;
  const CliRun r = runTool({"chart", "--dir", d.path.string(), "--a", "40,10", "--b", "40,10"});
  EXPECT_EQ(r.rc, 3);
  EXPECT_NE(r.err.find("model fault"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(d.path / "WelvDar2.bmp"));
}

TEST(CliChart, BadArguments) {
  TempDir d;
  const std::string dir = d.path.string();
  const std::vector<std::vector<std::string>> faelle = {
      {"chart"},
      {"chart", "--dir", (d.path / "fehlt").string()},
      {"chart", "--dir", dir, "--level", "--field"},
      {"chart", "--dir", dir, "--freq", "14.2"},
      {"chart", "--dir", dir, "--b", "91,0"},
      {"chart", "--dir", dir, "--avail", "60"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::PrintToString(f));
    const CliRun r = runTool(f);
    EXPECT_EQ(r.rc, 2);
    EXPECT_NE(r.err, "");
  }
  EXPECT_FALSE(fs::exists(d.path / "WelvDar2.bmp"));
}
