#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "forecast/startup_table.h"
#include "forecast/table.h"
#include "forecast/tageskorr.h"

using namespace welvaro;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
struct TempDir {
  fs::path path;
  TempDir() {
    std::string t = (fs::temp_directory_path() / "welvaro-table-XXXXXX").string();
    if (::mkdtemp(t.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = t;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

std::unique_ptr<State> defaults(DateTime heute = {2026, 12, 7, 12, 0, 0}) {
  auto s = std::make_unique<State>();
  s->Jetzt = heute;
  s->Monat = static_cast<float>(heute.month);
  return s;
}

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int byteAt(const std::string& bild, std::size_t off) { return static_cast<unsigned char>(bild.at(off)); }

// Expected 720 bytes of the block for a forecast to (lat, lon), computed
// directly through the day-corrected forecast.
std::string expectedBlock(const State& vorlage, double lat, float lon) {
  auto s = std::make_unique<State>(vorlage);
  s->X2 = lat;
  s->Y2 = lon;
  EXPECT_EQ(prgTageskorr(*s), 0) << "forecast to " << lat << ", " << lon;
  std::string b;
  for (int k = 2; k <= 31; ++k)
    for (int h = 1; h <= 24; ++h) b += static_cast<char>(tabByte(s->ErgFeld[0][h][k]));
  return b;
}

std::string blockOf(const std::string& bild, int i, int j) {
  return bild.substr(tabOffset(i, j, 1, 1), kTabBlockLaenge);
}

// One table generated from the defaults on 7 December 2026, shared by the
// tests that only look at it.
const std::string& defaultImage() {
  static const std::string bild = [] {
    auto s = defaults();
    EXPECT_EQ(prgGenTabPlus(*s), 0);
    return s->TabText;
  }();
  return bild;
}

}  // namespace

// ---- Header -----------------------------------------------------------------

TEST(TableHeader, DefaultsOnSeventhDecember) {
  auto s = defaults();
  const std::string expected =
      "12:341: 48.1: 11.5: 2.15: 20: 0.1: S: 50: 128: QX9QQ :07.12.2026:" + std::string(35, '.');
  EXPECT_EQ(tableHeader(*s), expected);
  EXPECT_EQ(defaultImage().substr(0, kTabKopfLaenge), expected);
}

TEST(TableHeader, FieldsAndPadding) {
  struct Case {
    const char* name;
    void (*set)(State&);
    std::string prefix;
  };
  const Case cases[] = {
      {"month and day with leading zeros",
       [](State& s) {
         s.Monat = 3;
         s.Jetzt = {2026, 1, 5};
       },
       "03:005: 48.1: 11.5: 2.15: 20: 0.1: S: 50: 128: QX9QQ :05.01.2026:"},
      {"negative position, fractions below one, long path",
       [](State& s) {
         s.X1 = -33.9;
         s.Y1 = -70.5f;
         s.Sag = -0.5;
         s.Angm = 0;
         s.Zkwa = "1.5";
         s.P = "L";
         s.Iproz = 90;
         s.Ssn = "7";
         s.Jetzt = {2024, 12, 31};
       },
       "12:366:-33.9:-70.5:-.5: 0: 1.5: L: 90: 7: QX9QQ :31.12.2024:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = defaults();
    c.set(*s);
    const std::string k = tableHeader(*s);
    ASSERT_EQ(k.size(), kTabKopfLaenge);
    EXPECT_EQ(k.substr(0, c.prefix.size()), c.prefix);
    EXPECT_EQ(k.substr(c.prefix.size()), std::string(kTabKopfLaenge - c.prefix.size(), '.'));
  }
}

TEST(TableHeader, TooLongInputsAreCutToOneHundred) {
  auto s = defaults();
  s->Zkwa = std::string(120, '9');
  const std::string k = tableHeader(*s);
  ASSERT_EQ(k.size(), kTabKopfLaenge);
  EXPECT_EQ(k.back(), '9');
}

// ---- Bytes and levels -------------------------------------------------------

TEST(TableBytes, StoredByteAndValueReadBack) {
  struct Case {
    double feld;
    int byte;
    int gelesen;
  };
  const Case cases[] = {
      {-200, 0, -64},  {100, 228, 64},  {0, 128, 0},    {0.5, 128, 0},   {-0.5, 127, -1},
      {-64, 64, -64},  {-64.5, 63, -64}, {64.9, 192, 64}, {127.9, 255, 64}, {500, 255, 64},
      {-128, 0, -64},  {-127.5, 0, -64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.feld);
    EXPECT_EQ(tabByte(c.feld), c.byte);
    // Parse an image whose every byte is this one.
    auto s = defaults();
    s->TabText = std::string(kTabKopfLaenge, '.') + std::string(kTabLaenge - kTabKopfLaenge, static_cast<char>(c.byte));
    ASSERT_TRUE(prgTabPlus(*s));
    EXPECT_EQ(s->Weltfeld[0][0][1][1], c.gelesen);
    EXPECT_EQ(s->Weltfeld[18][35][30][24], c.gelesen);
  }
  EXPECT_EQ(tabByte(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TableLevel, TenMegahertzIsFieldMinus95) {
  for (int v = -64; v <= 64; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(weltpegel(10, v), v - 95);
  }
  // 1 MHz: 45 - 120; 30 MHz: 45 - 149.54 rounds to -105.
  EXPECT_EQ(weltpegel(1, 0), -75);
  EXPECT_EQ(weltpegel(30, 0), -105);
  EXPECT_EQ(weltpegel(2, 10), 45 - 126 + 10);  // 45 - 126.02 + 10
}

TEST(TableParse, EveryByteLandsInItsCell) {
  // Each cell gets a value derived from its position, so a mix-up of
  // blocks, frequencies or hours shows.
  auto s = defaults();
  s->TabText = tableHeader(*s);
  s->TabText.resize(kTabLaenge);
  auto wert = [](int i, int j, int f, int h) { return (i * 7 + j * 3 + f * 5 + h) % 129 - 64; };
  for (int i = 0; i < kTabBreiten; ++i)
    for (int j = 0; j < kTabLaengen; ++j)
      for (int f = 1; f <= 30; ++f)
        for (int h = 1; h <= 24; ++h) s->TabText[tabOffset(i, j, f, h)] = static_cast<char>(wert(i, j, f, h) + 128);
  ASSERT_TRUE(prgTabPlus(*s));
  for (int i = 0; i < kTabBreiten; ++i)
    for (int j = 0; j < kTabLaengen; ++j)
      for (int f = 1; f <= 30; ++f)
        for (int h = 1; h <= 24; ++h) {
          const int v = wert(i, j, f, h);
          ASSERT_EQ(s->Weltfeld[i][j][f][h], v) << i << " " << j << " " << f << " " << h;
          ASSERT_EQ(s->Weltpegel[i][j][f][h], weltpegel(f, v)) << i << " " << j << " " << f << " " << h;
        }
  EXPECT_EQ(s->TabText.size(), kTabKopfLaenge);
  EXPECT_EQ(s->TabMonat, "12");
  EXPECT_EQ(s->TabTag, "341");
}

TEST(TableParse, IncompleteImageChangesNothing) {
  auto s = defaults();
  s->Weltfeld[3][4][5][6] = 17;
  for (std::size_t n : {std::size_t{0}, kTabKopfLaenge, kTabLaenge - 1, kTabLaenge + 1}) {
    SCOPED_TRACE(n);
    s->TabText.assign(n, static_cast<char>(200));
    EXPECT_FALSE(prgTabPlus(*s));
    EXPECT_EQ(s->TabText.size(), n);
    EXPECT_EQ(s->Weltfeld[3][4][5][6], 17);
  }
}

// ---- Generation ---------------------------------------------------------------

TEST(TableGenerate, LayoutAndBlockOrder) {
  const std::string& bild = defaultImage();
  ASSERT_EQ(bild.size(), kTabLaenge);
  EXPECT_EQ(kTabLaenge, 492580u);
  EXPECT_EQ(tabOffset(0, 0, 1, 1), 100u);
  EXPECT_EQ(tabOffset(0, 1, 1, 1), 820u);
  EXPECT_EQ(tabOffset(9, 18, 1, 1), 100u + 342u * 720u);
  EXPECT_EQ(tabOffset(18, 35, 30, 24), kTabLaenge - 1);

  auto s = defaults();
  struct Case {
    int i, j;
    double lat;
    float lon;
  };
  const Case cases[] = {{0, 0, -89.5, -180}, {0, 1, -89.5, -170}, {9, 18, 0, 0}, {18, 35, 89.5, 170}, {13, 19, 40, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lat << ", " << c.lon);
    EXPECT_EQ(tabBreite(c.i), c.lat);
    EXPECT_EQ(tabLaenge(c.j), c.lon);
    EXPECT_EQ(blockOf(bild, c.i, c.j), expectedBlock(*s, c.lat, c.lon));
  }
}

TEST(TableGenerate, LeavesFarEndAtLastGridPoint) {
  auto s = defaults();
  ASSERT_EQ(prgGenTabPlus(*s), 0);
  EXPECT_EQ(s->X2, 89.5);
  EXPECT_EQ(s->Y2, 170.0f);
  EXPECT_EQ(s->Monat, 12.0f);
  EXPECT_EQ(s->TabText, defaultImage());
}

TEST(TableGenerate, RoundTripThroughTheFile) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  auto s = defaults();
  ASSERT_EQ(prgGenTabPlus(*s), 0);
  const std::string bild = s->TabText;
  ASSERT_TRUE(writeTableFile(datei, s->TabText).ok());
  EXPECT_EQ(fs::file_size(datei), kTabLaenge);

  auto r = defaults();
  ASSERT_TRUE(readTableFile(datei, r->TabText).ok());
  EXPECT_EQ(r->TabText, bild);
  ASSERT_TRUE(prgTabPlus(*r));
  for (int i = 0; i < kTabBreiten; ++i)
    for (int j = 0; j < kTabLaengen; ++j)
      for (int f = 1; f <= 30; ++f)
        for (int h = 1; h <= 24; ++h) {
          const int v = std::clamp(byteAt(bild, tabOffset(i, j, f, h)) - 128, -64, 64);
          ASSERT_EQ(r->Weltfeld[i][j][f][h], v);
          ASSERT_EQ(r->Weltpegel[i][j][f][h], weltpegel(f, v));
        }
  EXPECT_EQ(r->TabText, bild.substr(0, kTabKopfLaenge));
  // Cells outside 1..30 MHz and hours 1..24 are not part of the table.
  EXPECT_EQ(r->Weltfeld[5][5][0][5], 0);
  EXPECT_EQ(r->Weltfeld[5][5][5][0], 0);
}

// A grid point on station A or on its antipode makes the model divide by
// zero; such a point is computed 0.1 degree towards the equator, never
// copied from the previous grid point.
TEST(TableGenerate, GridPointOnStationAOrItsAntipode) {
  struct Case {
    const char* name;
    double x1;
    float y1;
    int i, j;       // grid point on A
    int ai, aj;     // grid point on the antipode
  };
  const Case cases[] = {
      {"station A at 50, 10", 50, 10, 14, 19, 4, 1},
      {"station A at -50, -170", -50, -170, 4, 1, 14, 19},
      {"station A at 0, 0", 0, 0, 9, 18, 9, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = defaults();
    s->X1 = c.x1;
    s->Y1 = c.y1;
    {
      auto probe = std::make_unique<State>(*s);
      probe->X2 = tabBreite(c.i);
      probe->Y2 = tabLaenge(c.j);
      EXPECT_NE(prgTageskorr(*probe), 0) << "the model no longer faults on station A itself";
    }
    GenTabInfo info;
    ASSERT_EQ(prgGenTabPlus(*s, &info), 0);
    EXPECT_EQ(info.verschoben, 2);
    EXPECT_EQ(info.gefuellt, 0);
    ASSERT_EQ(s->TabText.size(), kTabLaenge);
    for (auto [i, j] : {std::pair{c.i, c.j}, std::pair{c.ai, c.aj}}) {
      SCOPED_TRACE(testing::Message() << "grid point " << i << ", " << j);
      const double lat = tabBreite(i);
      const double moved = lat > 0 ? lat - 0.1 : lat + 0.1;
      EXPECT_EQ(blockOf(s->TabText, i, j), expectedBlock(*s, moved, tabLaenge(j)));
      EXPECT_NE(blockOf(s->TabText, i, j), blockOf(s->TabText, i, j - 1 >= 0 ? j - 1 : j + 1));
    }
  }
}

TEST(TableGenerate, PointsThatCannotBeComputedHoldNoSignal) {
  // A month outside 1..12 makes every forecast fault (subscript error).
  auto s = defaults();
  s->Monat = 13;
  for (int h = 0; h <= 24; ++h)
    for (int k = 0; k <= 32; ++k) s->ErgFeld[0][h][k] = 30;  // must not leak into the table
  GenTabInfo info;
  const int rc = prgGenTabPlus(*s, &info);
  EXPECT_NE(rc, 0);
  EXPECT_EQ(info.ersterFehler, rc);
  EXPECT_EQ(info.gefuellt, kTabBloecke);
  EXPECT_EQ(info.fehlerBreite, 0);
  EXPECT_EQ(info.fehlerLaenge, 0);
  ASSERT_EQ(s->TabText.size(), kTabLaenge);
  EXPECT_EQ(s->TabText.find_first_not_of('\0', kTabKopfLaenge), std::string::npos);
  s->Monat = 12;
  ASSERT_TRUE(prgTabPlus(*s));
  EXPECT_EQ(s->Weltfeld[9][18][10][12], -64);
  EXPECT_EQ(s->Weltpegel[9][18][10][12], -64 - 95);
}

// ---- The table file -----------------------------------------------------------

TEST(TableFile, WrongLengthsAreTreatedAsMissing) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  struct Case {
    std::size_t laenge;
    TableFileStatus::Kind kind;
  };
  const Case cases[] = {{0, TableFileStatus::kWrongLength},
                        {100, TableFileStatus::kWrongLength},
                        {kTabLaenge - 1, TableFileStatus::kWrongLength},
                        {kTabLaenge + 1, TableFileStatus::kWrongLength},
                        {kTabLaenge, TableFileStatus::kOk}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.laenge);
    writeAll(datei, std::string(c.laenge, 'x'));
    std::string bild = "unchanged";
    const TableFileStatus r = readTableFile(datei, bild);
    EXPECT_EQ(r.kind, c.kind);
    if (c.kind == TableFileStatus::kOk) {
      EXPECT_EQ(bild, std::string(kTabLaenge, 'x'));
    } else {
      EXPECT_EQ(bild, "unchanged");
      EXPECT_NE(r.message.find("Welvaro.tab"), std::string::npos);
    }
  }
  std::string bild;
  EXPECT_EQ(readTableFile(dir.path / "none.tab", bild).kind, TableFileStatus::kMissing);
  EXPECT_EQ(readTableFile(dir.path, bild).kind, TableFileStatus::kError);
}

TEST(TableFile, WholeWriteReplacesAndLeavesNoTemporaryFile) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  writeAll(datei, std::string(kTabLaenge + 5000, 'o'));  // an older, longer file
  const std::string bild = defaultImage();
  ASSERT_TRUE(writeTableFile(datei, bild).ok());
  EXPECT_EQ(readAll(datei), bild);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);

  // An image that is not a whole table is refused, the file stays.
  EXPECT_EQ(writeTableFile(datei, bild.substr(0, kTabKopfLaenge)).kind, TableFileStatus::kWrongLength);
  EXPECT_EQ(readAll(datei), bild);
  // A folder in the way: reported, nothing left behind.
  fs::create_directory(dir.path / "sub");
  fs::create_directory(dir.path / "sub" / "Welvaro.tab");
  const TableFileStatus w = writeTableFile(dir.path / "sub" / "Welvaro.tab", bild);
  EXPECT_EQ(w.kind, TableFileStatus::kError);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "sub"), fs::directory_iterator()), 1);
  EXPECT_EQ(writeTableFile(dir.path / "missing" / "Welvaro.tab", bild).kind, TableFileStatus::kError);
}

TEST(TableFile, HeaderRewriteTouchesOnlyTheFirstHundredBytes) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  std::string alt(kTabLaenge, 'a');
  writeAll(datei, alt);
  const std::string kopf = std::string(kTabKopfLaenge - 1, 'K') + ':';
  ASSERT_TRUE(writeTableHeader(datei, kopf).ok());
  const std::string neu = readAll(datei);
  ASSERT_EQ(neu.size(), kTabLaenge);
  EXPECT_EQ(neu.substr(0, kTabKopfLaenge), kopf);
  EXPECT_EQ(neu.substr(kTabKopfLaenge), alt.substr(kTabKopfLaenge));

  // Only the first 100 bytes of a longer image are written.
  ASSERT_TRUE(writeTableHeader(datei, std::string(kTabLaenge, 'Z')).ok());
  EXPECT_EQ(readAll(datei).substr(kTabKopfLaenge - 1, 2), "Za");

  // No whole table on disk: nothing is written, nothing created.
  EXPECT_EQ(writeTableHeader(dir.path / "none.tab", kopf).kind, TableFileStatus::kMissing);
  EXPECT_FALSE(fs::exists(dir.path / "none.tab"));
  writeAll(dir.path / "short.tab", "short");
  EXPECT_EQ(writeTableHeader(dir.path / "short.tab", kopf).kind, TableFileStatus::kWrongLength);
  EXPECT_EQ(readAll(dir.path / "short.tab"), "short");
  EXPECT_EQ(writeTableHeader(datei, "too short").kind, TableFileStatus::kWrongLength);
}

// ---- Calling sequences --------------------------------------------------------

TEST(TableSequence, StartUpWithoutFileGeneratesAndWrites) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  auto s = defaults();
  const TableRun run = tableAtStartUp(*s, datei);
  EXPECT_TRUE(run.generated);
  EXPECT_EQ(run.fault, 0);
  EXPECT_TRUE(run.problems.empty());
  EXPECT_EQ(readAll(datei), defaultImage());
  EXPECT_EQ(s->TabText, defaultImage().substr(0, kTabKopfLaenge));
  EXPECT_EQ(s->TabTag, "341");
  EXPECT_EQ(s->TabMonat, "12");
  EXPECT_EQ(s->Weltfeld[9][18][10][12], std::clamp(byteAt(defaultImage(), tabOffset(9, 18, 10, 12)) - 128, -64, 64));
}

TEST(TableSequence, StartUpReusesAFreshTableAndRenewsAStaleOne) {
  // A marker byte in the file tells whether the table was read or generated.
  const std::size_t marke = tabOffset(9, 18, 10, 12);
  struct Case {
    const char* name;
    void (*change)(State&);
    bool regenerated;
  };
  const Case cases[] = {
      {"same day, same inputs", [](State&) {}, false},
      {"next day", [](State& s) { s.Jetzt = {2026, 12, 8, 12, 0, 0}; }, true},
      {"same day a year later", [](State& s) { s.Jetzt = {2027, 12, 7, 12, 0, 0}; }, true},
      {"other month", [](State& s) { s.Monat = 11; }, true},
      {"other station A", [](State& s) { s.X1 = 52.5; }, true},
      {"other sunspot number", [](State& s) { s.Ssn = "60"; s.Ssna = 60; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path datei = dir.path / "Welvaro.tab";
    std::string bild = defaultImage();
    bild[marke] = static_cast<char>(128 + 33);
    writeAll(datei, bild);
    auto s = defaults();
    c.change(*s);
    const TableRun run = tableAtStartUp(*s, datei);
    EXPECT_EQ(run.generated, c.regenerated);
    EXPECT_TRUE(run.problems.empty());
    EXPECT_EQ(s->TabText, tableHeader(*s));
    if (c.regenerated) {
      EXPECT_NE(readAll(datei), bild);
      EXPECT_EQ(readAll(datei).substr(0, kTabKopfLaenge), tableHeader(*s));
    } else {
      EXPECT_EQ(s->Weltfeld[9][18][10][12], 33);
      EXPECT_EQ(readAll(datei), bild);
    }
  }
}

TEST(TableSequence, StartUpReplacesABadFile) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  writeAll(datei, defaultImage().substr(0, 1000));
  auto s = defaults();
  const TableRun run = tableAtStartUp(*s, datei);
  EXPECT_TRUE(run.generated);
  ASSERT_EQ(run.problems.size(), 1u);
  EXPECT_EQ(readAll(datei), defaultImage());
}

TEST(TableSequence, UnwritableFileStillLeavesTheTableInMemory) {
  TempDir dir;
  const fs::path datei = dir.path / "missing-folder" / "Welvaro.tab";
  auto s = defaults();
  const TableRun run = tableRenew(*s, datei);
  EXPECT_TRUE(run.generated);
  ASSERT_EQ(run.problems.size(), 1u);
  EXPECT_NE(run.problems[0].find("Welvaro.tab"), std::string::npos);
  EXPECT_EQ(s->TabTag, "341");
  EXPECT_EQ(s->Weltfeld[9][18][10][12], std::clamp(byteAt(defaultImage(), tabOffset(9, 18, 10, 12)) - 128, -64, 64));
}

TEST(TableSequence, DayCheckRenewsOnlyOnANewDay) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  auto s = defaults();
  tableAtStartUp(*s, datei);
  const auto gestern = readAll(datei);

  EXPECT_FALSE(tableDayCheck(*s, datei).generated);
  EXPECT_EQ(readAll(datei), gestern);

  s->Jetzt = {2026, 12, 8, 0, 5, 0};
  const TableRun run = tableDayCheck(*s, datei);
  EXPECT_TRUE(run.generated);
  EXPECT_EQ(s->TabTag, "342");
  EXPECT_EQ(readAll(datei).substr(0, 6), "12:342");
  EXPECT_FALSE(tableDayCheck(*s, datei).generated);
}

TEST(TableSequence, ProgramEndRewritesTheHeaderOnly) {
  TempDir dir;
  const fs::path datei = dir.path / "Welvaro.tab";
  auto s = defaults();
  tableRenew(*s, datei);
  std::string tafel = readAll(datei);
  tafel[kTabLaenge - 1] = 'e';
  tafel.replace(0, 5, "xxxxx");
  writeAll(datei, tafel);
  ASSERT_TRUE(tableAtEnd(*s, datei).ok());
  const std::string nachher = readAll(datei);
  EXPECT_EQ(nachher.substr(0, kTabKopfLaenge), tableHeader(*s));
  EXPECT_EQ(nachher.substr(kTabKopfLaenge), tafel.substr(kTabKopfLaenge));
}

// ---- welvaro-cli table --------------------------------------------------------

TEST(CliTable, ExitCodesAndFile) {
  TempDir dir;
  FixedClock clock({2026, 12, 7, 12, 0, 0});
  auto run = [&](std::vector<std::string> args, std::string* err = nullptr) {
    args.insert(args.begin(), {"welvaro-cli", "table"});
    std::ostringstream o, e;
    const int rc = cli::runCli(args, clock, o, e);
    if (err) *err = e.str();
    return rc;
  };
  std::string err;
  EXPECT_EQ(run({}, &err), 2);
  EXPECT_NE(err.find("--dir"), std::string::npos);
  EXPECT_EQ(run({"--dir", (dir.path / "nope").string()}), 2);
  EXPECT_EQ(run({"--dir", dir.path.string(), "--bogus"}), 2);
  EXPECT_EQ(run({"--dir", dir.path.string(), "--month", "13"}), 2);
  EXPECT_FALSE(fs::exists(dir.path / "Welvaro.tab"));

  EXPECT_EQ(run({"--dir", dir.path.string(), "--date", "2026-12-07"}), 0);
  EXPECT_EQ(readAll(dir.path / "Welvaro.tab"), defaultImage());

  EXPECT_EQ(run({"--dir", dir.path.string(), "--date", "2026-03-01", "--a", "50,10"}), 0);
  const std::string bild = readAll(dir.path / "Welvaro.tab");
  ASSERT_EQ(bild.size(), kTabLaenge);
  EXPECT_EQ(bild.substr(0, 20), "03:060: 50: 10: 2.15");
  EXPECT_NE(bild.find(": QX9QQ :01.03.2026:."), std::string::npos);

  fs::create_directory(dir.path / "blocked");
  fs::create_directory(dir.path / "blocked" / "Welvaro.tab");
  EXPECT_EQ(run({"--dir", (dir.path / "blocked").string()}, &err), 4);
  EXPECT_NE(err.find("Welvaro.tab"), std::string::npos);
}
