// The world forecast table: header, bytes and levels, generation and its
// mended grid points, the table file, the calling sequences and
// welvaro-cli table.
#include <gtest/gtest.h>

#include <cmath>

#include <algorithm>
#include <array>
#include <limits>
#include <tuple>

#include "forecast/startup_table.h"
#include "forecast/table.h"
#include "lang/sprachtext.h"
#include "state/arith.h"
#include "forecast/tageskorr.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const DateTime kToday{2026, 12, 7, 12, 0, 0};

std::unique_ptr<State> onDecember7() { return defaultLink(kToday); }

// The value a cell of a table image is read back as.
int cell(const std::string& picture, int i, int j, int f, int h) {
  return std::clamp(static_cast<unsigned char>(picture.at(tabOffset(i, j, f, h))) - 128, -64, 64);
}

// Expected 720 bytes of the block for a forecast to (lat, lon), computed
// directly through the day-corrected forecast.
std::string expectedBlock(const State& templateState, double lat, float lon) {
  auto s = std::make_unique<State>(templateState);
  s->X2 = lat;
  s->Y2 = lon;
  EXPECT_EQ(prgTageskorr(*s), 0) << "forecast to " << lat << ", " << lon;
  std::string b;
  for (int k = 2; k <= 31; ++k)
    for (int h = 1; h <= 24; ++h) b += static_cast<char>(tabByte(s->ErgFeld[0][h][k]));
  return b;
}

std::string blockOf(const std::string& picture, int i, int j) { return picture.substr(tabOffset(i, j, 1, 1), kTabBlockLength); }

// One table generated from the defaults on 7 December 2026, shared by the
// tests that only look at it.
const std::string& defaultImage() {
  static const std::string picture = [] {
    auto s = onDecember7();
    EXPECT_EQ(prgGenTabPlus(*s), 0);
    return s->TabText;
  }();
  return picture;
}

void unchanged(State&) {}

}  // namespace

// ---- Header, bytes and levels ------------------------------------------------

TEST(TableHeader, FieldsAndPaddingToOneHundred) {
  struct Case {
    const char* name;
    void (*set)(State&);
    std::string prefix;
  };
  const Case cases[] = {
      {"defaults", unchanged, "12:341: 48.1: 11.5: 2.15: 20: 0.1: S: 50: 128: QX9QQ :07.12.2026:"},
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
      {"too long an input is cut", [](State& s) { s.Zkwa = std::string(120, '9'); },
       "12:341: 48.1: 11.5: 2.15: 20: " + std::string(70, '9')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = onDecember7();
    c.set(*s);
    const std::string k = tableHeader(*s);
    ASSERT_EQ(k.size(), kTabHeaderLength);
    EXPECT_EQ(k, c.prefix + std::string(kTabHeaderLength - c.prefix.size(), '.'));
  }
}

TEST(TableBytes, StoredByteAndValueReadBack) {
  struct Case {
    double field;
    int byte, readBack;
  };
  const Case cases[] = {
      {-200, 0, -64}, {100, 228, 64},   {0, 128, 0},     {0.5, 128, 0},    {-0.5, 127, -1}, {-64, 64, -64},
      {-64.5, 63, -64}, {64.9, 192, 64}, {127.9, 255, 64}, {500, 255, 64}, {-128, 0, -64},  {-127.5, 0, -64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(tabByte(c.field), c.byte);
    // Parse an image whose every byte is this one.
    auto s = onDecember7();
    s->TabText = std::string(kTabHeaderLength, '.') + std::string(kTabLength - kTabHeaderLength, static_cast<char>(c.byte));
    ASSERT_TRUE(prgTabPlus(*s));
    EXPECT_EQ(s->Weltfeld[0][0][1][1], c.readBack);
    EXPECT_EQ(s->Weltfeld[18][35][30][24], c.readBack);
  }
  EXPECT_EQ(tabByte(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TableLevel, FieldStrengthPlusTheFrequencyTermRoundedHalfToEven) {
  // 10 MHz: 45 - 140.0000000087; 1 MHz: 45 - 120; 30 MHz: 45 - 149.54;
  // 2 MHz: 45 - 126.02.
  struct Case {
    int f, v, level;
  } cases[] = {{10, -64, -159}, {10, 0, -95}, {10, 64, -31}, {1, 0, -75}, {30, 0, -105}, {2, 10, -71}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.f << " MHz, " << c.v);
    EXPECT_EQ(worldLevel(c.f, c.v), c.level);
  }
  // The one level conversion of the program gives the table's own form at
  // every table frequency and value.
  for (int f = 1; f <= 30; ++f)
    for (int v = -64; v <= 64; ++v)
      ASSERT_EQ(worldLevel(f, v), RoundEven(45 - 20 * std::log(f * 1000000.0) / 2.3025851 + v)) << f << " " << v;
}

TEST(TableParse, EveryByteLandsInItsCell) {
  // Each cell gets a value derived from its position, so a mix-up of
  // blocks, frequencies or hours shows.
  auto s = onDecember7();
  s->TabText = tableHeader(*s);
  s->TabText.resize(kTabLength);
  auto value = [](int i, int j, int f, int h) { return (i * 7 + j * 3 + f * 5 + h) % 129 - 64; };
  for (int i = 0; i < kTabLats; ++i)
    for (int j = 0; j < kTabLons; ++j)
      for (int f = 1; f <= 30; ++f)
        for (int h = 1; h <= 24; ++h) s->TabText[tabOffset(i, j, f, h)] = static_cast<char>(value(i, j, f, h) + 128);
  ASSERT_TRUE(prgTabPlus(*s));
  for (int i = 0; i < kTabLats; ++i)
    for (int j = 0; j < kTabLons; ++j)
      for (int f = 1; f <= 30; ++f)
        for (int h = 1; h <= 24; ++h) {
          const int v = value(i, j, f, h);
          ASSERT_EQ(s->Weltfeld[i][j][f][h], v) << i << " " << j << " " << f << " " << h;
          ASSERT_EQ(s->Weltpegel[i][j][f][h], worldLevel(f, v)) << i << " " << j << " " << f << " " << h;
        }
  EXPECT_EQ(s->TabText.size(), kTabHeaderLength);
  EXPECT_EQ(s->TabMonat, "12");
  EXPECT_EQ(s->TabTag, "341");
  // Cells outside 1..30 MHz and hours 1..24 are not part of the table.
  EXPECT_EQ(s->Weltfeld[5][5][0][5], 0);
  EXPECT_EQ(s->Weltfeld[5][5][5][0], 0);
}

TEST(TableParse, IncompleteImageChangesNothing) {
  auto s = onDecember7();
  s->Weltfeld[3][4][5][6] = 17;
  for (std::size_t n : {std::size_t{0}, kTabHeaderLength, kTabLength - 1, kTabLength + 1}) {
    SCOPED_TRACE(n);
    s->TabText.assign(n, static_cast<char>(200));
    EXPECT_FALSE(prgTabPlus(*s));
    EXPECT_EQ(s->TabText.size(), n);
    EXPECT_EQ(s->Weltfeld[3][4][5][6], 17);
  }
}

// ---- Generation ---------------------------------------------------------------

TEST(TableGenerate, LayoutAndBlockOrder) {
  const std::string& picture = defaultImage();
  ASSERT_EQ(picture.size(), 492580u);
  EXPECT_EQ(picture.substr(0, kTabHeaderLength), tableHeader(*onDecember7()));
  EXPECT_EQ(tabOffset(0, 0, 1, 1), 100u);
  EXPECT_EQ(tabOffset(0, 1, 1, 1), 820u);
  EXPECT_EQ(tabOffset(9, 18, 1, 1), 100u + 342u * 720u);
  EXPECT_EQ(tabOffset(18, 35, 30, 24), kTabLength - 1);

  auto s = onDecember7();
  struct Case {
    int i, j;
    double lat;
    float lon;
  };
  const Case cases[] = {{0, 0, -89.5, -180}, {0, 1, -89.5, -170}, {9, 18, 0, 0}, {18, 35, 89.5, 170}, {13, 19, 40, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lat << ", " << c.lon);
    EXPECT_EQ(tabLat(c.i), c.lat);
    EXPECT_EQ(tabLon(c.j), c.lon);
    EXPECT_EQ(blockOf(picture, c.i, c.j), expectedBlock(*s, c.lat, c.lon));
  }
}

TEST(TableGenerate, RoundTripThroughTheFile) {
  TempDir dir;
  const fs::path file = dir / "Welvaro.tab";
  auto s = onDecember7();
  ASSERT_EQ(prgGenTabPlus(*s), 0);
  // The far end is left at the last grid point, the month unchanged.
  EXPECT_EQ(s->X2, 89.5);
  EXPECT_EQ(s->Y2, 170.0f);
  EXPECT_EQ(s->Monat, 12.0f);
  const std::string picture = s->TabText;
  EXPECT_EQ(picture, defaultImage());
  ASSERT_TRUE(writeTableFile(file, picture).ok());
  EXPECT_EQ(fs::file_size(file), kTabLength);

  auto r = onDecember7();
  ASSERT_TRUE(readTableFile(file, r->TabText).ok());
  EXPECT_EQ(r->TabText, picture);
  ASSERT_TRUE(prgTabPlus(*r));
  EXPECT_EQ(r->TabText, picture.substr(0, kTabHeaderLength));
  for (auto [i, j, f, h] : {std::array{0, 0, 1, 1}, std::array{9, 18, 10, 12}, std::array{18, 35, 30, 24}}) {
    EXPECT_EQ(r->Weltfeld[i][j][f][h], cell(picture, i, j, f, h));
    EXPECT_EQ(r->Weltpegel[i][j][f][h], worldLevel(f, cell(picture, i, j, f, h)));
  }
}

// Mended: a grid point on station A or on its antipode makes the model
// divide by zero; such a point is computed 0.1 degree towards the equator,
// never copied from the previous grid point.
TEST(TableGenerate, GridPointOnStationAOrItsAntipode) {
  struct Case {
    const char* name;
    double x1;
    float y1;
    int i, j;    // grid point on A
    int ai, aj;  // grid point on the antipode
  };
  const Case cases[] = {
      {"station A at 50, 10", 50, 10, 14, 19, 4, 1},
      {"station A at -50, -170", -50, -170, 4, 1, 14, 19},
      {"station A at 0, 0", 0, 0, 9, 18, 9, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = onDecember7();
    s->X1 = c.x1;
    s->Y1 = c.y1;
    {
      auto probe = std::make_unique<State>(*s);
      probe->X2 = tabLat(c.i);
      probe->Y2 = tabLon(c.j);
      EXPECT_NE(prgTageskorr(*probe), 0) << "the model no longer faults on station A itself";
    }
    GenTabInfo info;
    ASSERT_EQ(prgGenTabPlus(*s, &info), 0);
    EXPECT_EQ(info.moved, 2);
    EXPECT_EQ(info.filled, 0);
    ASSERT_EQ(s->TabText.size(), kTabLength);
    for (auto [i, j] : {std::pair{c.i, c.j}, std::pair{c.ai, c.aj}}) {
      SCOPED_TRACE(testing::Message() << "grid point " << i << ", " << j);
      const double lat = tabLat(i);
      const double moved = lat > 0 ? lat - 0.1 : lat + 0.1;
      EXPECT_EQ(blockOf(s->TabText, i, j), expectedBlock(*s, moved, tabLon(j)));
      EXPECT_NE(blockOf(s->TabText, i, j), blockOf(s->TabText, i, j - 1 >= 0 ? j - 1 : j + 1));
    }
  }
}

// Worker threads, each with its own state record, make the same bytes as
// one thread, also where grid points are moved or fail, and leave the
// record holding the forecast of the last grid point.
TEST(TableGenerate, ThreadsMakeTheImageOfOneThread) {
  struct Case {
    const char* name;
    double x1;
    float y1;
    float month;
  } cases[] = {{"defaults", 48.1, 11.5f, 12}, {"station A on a grid point", 50, 10, 6},
               {"every point fails", 48.1, 11.5f, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto isOne = onDecember7();
    isOne->X1 = c.x1;
    isOne->Y1 = c.y1;
    isOne->Monat = c.month;
    auto more = std::make_unique<State>(*isOne);
    GenTabInfo a, b;
    const int rc = prgGenTabPlus(*isOne, 1, &a);
    for (int threads : {2, 5}) {
      SCOPED_TRACE(threads);
      EXPECT_EQ(prgGenTabPlus(*more, threads, &b), rc);
      EXPECT_TRUE(more->TabText == isOne->TabText);
      EXPECT_EQ(std::tie(b.moved, b.filled, b.firstFault, b.faultLat, b.faultLon),
                std::tie(a.moved, a.filled, a.firstFault, a.faultLat, a.faultLon));
      EXPECT_EQ(std::tie(more->X2, more->Y2), std::tie(isOne->X2, isOne->Y2));
      for (int h = 1; h <= 24; ++h)
        for (int k = 1; k <= 31; ++k) ASSERT_EQ(more->ErgFeld[0][h][k], isOne->ErgFeld[0][h][k]) << h << " " << k;
    }
  }
}

// Mended: a grid point whose forecast fails holds "no signal", never what
// an earlier forecast left behind.
TEST(TableGenerate, PointsThatCannotBeComputedHoldNoSignal) {
  auto s = onDecember7();
  s->Monat = 13;  // every forecast faults (subscript error)
  for (int h = 0; h <= 24; ++h)
    for (int k = 0; k <= 32; ++k) s->ErgFeld[0][h][k] = 30;  // must not leak into the table
  GenTabInfo info;
  const int rc = prgGenTabPlus(*s, &info);
  EXPECT_NE(rc, 0);
  EXPECT_EQ(info.firstFault, rc);
  EXPECT_EQ(info.filled, kTabBlocks);
  EXPECT_EQ(info.faultLat, 0);
  EXPECT_EQ(info.faultLon, 0);
  ASSERT_EQ(s->TabText.size(), kTabLength);
  EXPECT_EQ(s->TabText.find_first_not_of('\0', kTabHeaderLength), std::string::npos);
  s->Monat = 12;
  ASSERT_TRUE(prgTabPlus(*s));
  EXPECT_EQ(s->Weltfeld[9][18][10][12], -64);
  EXPECT_EQ(s->Weltpegel[9][18][10][12], -64 - 95);
}

// ---- The table file -----------------------------------------------------------

TEST(TableFile, WrongLengthsAreTreatedAsMissing) {
  TempDir dir;
  const fs::path file = dir / "Welvaro.tab";
  for (std::size_t length : {std::size_t{0}, std::size_t{100}, kTabLength - 1, kTabLength + 1, kTabLength}) {
    SCOPED_TRACE(length);
    writeFile(file, std::string(length, 'x'));
    std::string picture = "unchanged";
    const TableFileStatus r = readTableFile(file, picture);
    if (length == kTabLength) {
      EXPECT_EQ(r.kind, TableFileStatus::kOk);
      EXPECT_EQ(picture, std::string(kTabLength, 'x'));
    } else {
      EXPECT_EQ(r.kind, TableFileStatus::kWrongLength);
      EXPECT_EQ(picture, "unchanged");
      EXPECT_NE(r.message.find("Welvaro.tab"), std::string::npos);
    }
  }
  std::string picture;
  EXPECT_EQ(readTableFile(dir / "none.tab", picture).kind, TableFileStatus::kMissing);
  EXPECT_EQ(readTableFile(dir.path, picture).kind, TableFileStatus::kMissing);  // a folder: not a regular file
}

TEST(TableFile, WholeWriteReplacesAndLeavesNoTemporaryFile) {
  TempDir dir;
  const fs::path file = dir / "Welvaro.tab";
  writeFile(file, std::string(kTabLength + 5000, 'o'));  // an older, longer file
  const std::string picture = defaultImage();
  ASSERT_TRUE(writeTableFile(file, picture).ok());
  EXPECT_EQ(readFile(file), picture);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);

  // An image that is not a whole table is refused, the file stays.
  EXPECT_EQ(writeTableFile(file, picture.substr(0, kTabHeaderLength)).kind, TableFileStatus::kWrongLength);
  EXPECT_EQ(readFile(file), picture);
  // A folder in the way: reported, nothing left behind.
  fs::create_directories(dir / "sub" / "Welvaro.tab");
  EXPECT_EQ(writeTableFile(dir / "sub" / "Welvaro.tab", picture).kind, TableFileStatus::kError);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "sub"), fs::directory_iterator()), 1);
  EXPECT_EQ(writeTableFile(dir / "missing" / "Welvaro.tab", picture).kind, TableFileStatus::kError);
}

TEST(TableFile, HeaderRewriteTouchesOnlyTheFirstHundredBytes) {
  TempDir dir;
  const fs::path file = dir / "Welvaro.tab";
  const std::string old(kTabLength, 'a');
  writeFile(file, old);
  const std::string head = std::string(kTabHeaderLength - 1, 'K') + ':';
  ASSERT_TRUE(writeTableHeader(file, head).ok());
  EXPECT_EQ(readFile(file), head + old.substr(kTabHeaderLength));
  // Only the first 100 bytes of a longer image are written.
  ASSERT_TRUE(writeTableHeader(file, std::string(kTabLength, 'Z')).ok());
  EXPECT_EQ(readFile(file).substr(kTabHeaderLength - 1, 2), "Za");

  // No whole table on disk: nothing is written, nothing created.
  EXPECT_EQ(writeTableHeader(dir / "none.tab", head).kind, TableFileStatus::kMissing);
  EXPECT_FALSE(fs::exists(dir / "none.tab"));
  writeFile(dir / "short.tab", "short");
  EXPECT_EQ(writeTableHeader(dir / "short.tab", head).kind, TableFileStatus::kWrongLength);
  EXPECT_EQ(readFile(dir / "short.tab"), "short");
  EXPECT_EQ(writeTableHeader(file, "too short").kind, TableFileStatus::kWrongLength);
}

// ---- Calling sequences --------------------------------------------------------

TEST(TableSequence, StartUpReusesAFreshTableAndRenewsAnyOther) {
  // A marker byte tells whether the table was read or generated.
  std::string marked = defaultImage();
  marked[tabOffset(9, 18, 10, 12)] = static_cast<char>(128 + 33);
  struct Case {
    const char* name;
    std::string file;  // empty: no file
    void (*change)(State&);
    bool regenerated;
    std::size_t problems;
  };
  const Case cases[] = {
      {"same day, same inputs", marked, unchanged, false, 0},
      {"no file", "", unchanged, true, 0},
      {"not a whole table", marked.substr(0, 1000), unchanged, true, 1},
      {"next day", marked, [](State& s) { s.Jetzt = {2026, 12, 8, 12, 0, 0}; }, true, 0},
      {"same day a year later", marked, [](State& s) { s.Jetzt = {2027, 12, 7, 12, 0, 0}; }, true, 0},
      {"other month", marked, [](State& s) { s.Monat = 11; }, true, 0},
      {"other station A", marked, [](State& s) { s.X1 = 52.5; }, true, 0},
      {"other sunspot number", marked,
       [](State& s) {
         s.Ssn = "60";
         s.Ssna = 60;
       },
       true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path file = dir / "Welvaro.tab";
    if (!c.file.empty()) writeFile(file, c.file);
    auto s = onDecember7();
    c.change(*s);
    const TableRun run = tableAtStartUp(*s, file);
    EXPECT_EQ(run.generated, c.regenerated);
    EXPECT_EQ(run.fault, 0);
    EXPECT_EQ(run.problems.size(), c.problems);
    EXPECT_EQ(s->TabText, tableHeader(*s));
    const std::string after = readFile(file);
    EXPECT_EQ(s->TabMonat + ":" + s->TabTag, after.substr(0, 6));
    EXPECT_EQ(s->Weltfeld[9][18][10][12], cell(after, 9, 18, 10, 12));
    if (!c.regenerated)
      EXPECT_EQ(after, marked);
    else if (c.change == unchanged)
      EXPECT_EQ(after, defaultImage());
    else
      EXPECT_EQ(after.substr(0, kTabHeaderLength), tableHeader(*s));
  }
}

TEST(TableSequence, UnwritableFileStillLeavesTheTableInMemory) {
  TempDir dir;
  auto s = onDecember7();
  const TableRun run = tableRenew(*s, dir / "missing-folder" / "Welvaro.tab");
  EXPECT_TRUE(run.generated);
  ASSERT_EQ(run.problems.size(), 1u);
  EXPECT_EQ(run.problems[0].text, kTxTabelleNichtGeschrieben);
  EXPECT_NE(run.problems[0].isOne.find("Welvaro.tab"), std::string::npos);
  EXPECT_EQ(s->TabTag, "341");
  EXPECT_EQ(s->Weltfeld[9][18][10][12], cell(defaultImage(), 9, 18, 10, 12));
}

TEST(TableSequence, DayCheckRenewsOnlyOnANewDay) {
  TempDir dir;
  const fs::path file = dir / "Welvaro.tab";
  auto s = onDecember7();
  tableAtStartUp(*s, file);
  EXPECT_FALSE(tableDayCheck(*s, file).generated);
  EXPECT_EQ(readFile(file), defaultImage());

  s->Jetzt = {2026, 12, 8, 0, 5, 0};
  EXPECT_TRUE(tableDayCheck(*s, file).generated);
  EXPECT_EQ(s->TabTag, "342");
  EXPECT_EQ(readFile(file).substr(0, 6), "12:342");
  EXPECT_FALSE(tableDayCheck(*s, file).generated);
}

TEST(TableSequence, ProgramEndRewritesTheHeaderOnly) {
  TempDir dir;
  const fs::path file = dir / "Welvaro.tab";
  auto s = onDecember7();
  tableRenew(*s, file);
  std::string layout = readFile(file);
  layout[kTabLength - 1] = 'e';
  layout.replace(0, 5, "xxxxx");
  writeFile(file, layout);
  ASSERT_TRUE(tableAtEnd(*s, file).ok());
  EXPECT_EQ(readFile(file), tableHeader(*s) + layout.substr(kTabHeaderLength));
}

// ---- welvaro-cli table --------------------------------------------------------

TEST(CliTable, ExitCodesAndFile) {
  TempDir dir;
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "table");
    return runCli(args, kToday);
  };
  EXPECT_EQ(run({"--dir", dir.str(), "--date", "2026-12-07"}).rc, 0);
  EXPECT_EQ(readFile(dir / "Welvaro.tab"), defaultImage());

  EXPECT_EQ(run({"--dir", dir.str(), "--date", "2026-03-01", "--a", "50,10"}).rc, 0);
  const std::string picture = readFile(dir / "Welvaro.tab");
  ASSERT_EQ(picture.size(), kTabLength);
  EXPECT_EQ(picture.substr(0, 20), "03:060: 50: 10: 2.15");
  EXPECT_NE(picture.find(": QX9QQ :01.03.2026:."), std::string::npos);

  fs::create_directories(dir / "blocked" / "Welvaro.tab");
  const CliRun blocked = run({"--dir", (dir / "blocked").string()});
  EXPECT_EQ(blocked.rc, 4);
  EXPECT_NE(blocked.err.find("Welvaro.tab"), std::string::npos);
}
