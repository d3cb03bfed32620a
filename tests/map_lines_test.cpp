// The map lines file: the file that comes with the program, and files that
// are cut short, too long, of another kind or no file at all, which count
// as missing (the map is then drawn without lines).
#include <gtest/gtest.h>

#include <filesystem>

#include "files/map_lines.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::filesystem::path shipped() { return shippedData() / "MapLinien.dat"; }

void varint(std::string& b, std::uint64_t v) {
  for (; v >= 0x80; v >>= 7) b += static_cast<char>((v & 0x7F) | 0x80);
  b += static_cast<char>(v);
}

void word(std::string& b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A file of the generator's layout: lines of (kind, points in hundredths).
std::string file(const std::vector<std::pair<int, std::vector<std::pair<int, int>>>>& lines) {
  std::string k;
  std::uint32_t points = 0;
  for (const auto& [kind, p] : lines) {
    k += static_cast<char>(kind);
    varint(k, p.size());
    int x = 0, y = 0;
    for (const auto& [lx, ly] : p) {
      const auto zz = [](int v) { return static_cast<std::uint64_t>(v >= 0 ? 2 * v : -2 * v - 1); };
      varint(k, zz(lx - x));
      varint(k, zz(ly - y));
      x = lx;
      y = ly;
    }
    points += static_cast<std::uint32_t>(p.size());
  }
  std::string b = "WVLINIEN";
  word(b, 1);
  word(b, static_cast<std::uint32_t>(lines.size()));
  word(b, points);
  return b + k;
}

const std::string kGood = file({{1, {{-18000, 0}, {18000, 9000}, {1, -9000}}}, {2, {{500, 500}, {-500, -500}}}});

}  // namespace

TEST(MapLines, TheFileThatComesWithTheProgram) {
  MapLines l;
  ASSERT_EQ(readMapLines(shipped(), l), LinesStatus::kRead);
  int coasts = 0, borders = 0;
  for (const auto& line : l.lines) (line.kind == LineKind::Coast ? coasts : borders)++;
  EXPECT_GT(coasts, 1000);
  EXPECT_GT(borders, 100);
  EXPECT_GT(l.lat.size(), 50000u);
  const auto& last = l.lines.back();
  EXPECT_EQ(last.start + last.count, l.lat.size());
  // A coast point within a quarter degree of Cape Horn.
  bool capeHorn = false;
  for (std::size_t i = 0; i < l.lat.size(); ++i)
    capeHorn = capeHorn || (std::fabs(l.lat[i] + 55.98) < 0.25 && std::fabs(l.lon[i] + 67.27) < 0.25);
  EXPECT_TRUE(capeHorn);
}

TEST(MapLines, DecodesPositionsKindsAndRuns) {
  MapLines l;
  ASSERT_EQ(decodeMapLines(kGood, l), LinesStatus::kRead);
  ASSERT_EQ(l.lines.size(), 2u);
  EXPECT_EQ(l.lines[1].kind, LineKind::Border);
  EXPECT_EQ(l.lines[1].start, 3u);
  EXPECT_FLOAT_EQ(l.lon[0], -180);
  EXPECT_FLOAT_EQ(l.lat[1], 90);
  EXPECT_FLOAT_EQ(l.lon[2], 0.01f);
  EXPECT_FLOAT_EQ(l.lat[2], -90);
  EXPECT_FLOAT_EQ(l.lat[4], -5);
}

TEST(MapLines, EveryCutOrLengthenedFileCountsAsMissing) {
  MapLines l;
  for (std::size_t n = 0; n < kGood.size(); ++n) {
    EXPECT_NE(decodeMapLines(kGood.substr(0, n), l), LinesStatus::kRead) << n;
    EXPECT_TRUE(l.blank());
  }
  EXPECT_EQ(decodeMapLines(kGood + '\0', l), LinesStatus::kWrongLength);
  EXPECT_TRUE(l.blank());
}

TEST(MapLines, ForeignOrBrokenContentCountsAsMissing) {
  const auto withLine = [](std::size_t at, std::string_view fresh) {
    std::string b = kGood;
    b.replace(at, fresh.size(), fresh);
    return b;
  };
  struct Case {
    const char* what;
    std::string bytes;
    LinesStatus status;
  };
  const Case cases[] = {
      {"another tag", withLine(0, "WVLINIEX"), LinesStatus::kBad},
      {"version 2", withLine(8, std::string("\2", 1)), LinesStatus::kBad},
      {"kind 3", withLine(20, "\3"), LinesStatus::kBad},
      {"a line of one point", file({{1, {{0, 0}}}, {1, {{0, 0}, {1, 1}, {2, 2}}}}), LinesStatus::kBad},
      {"longitude beyond 180", file({{1, {{18001, 0}, {0, 0}}}}), LinesStatus::kBad},
      {"latitude beyond 90", file({{2, {{0, 0}, {0, -9001}}}}), LinesStatus::kBad},
      {"more points than counted", withLine(16, std::string("\4\0\0\0", 4)), LinesStatus::kBad},
      {"more lines than the file holds", withLine(12, std::string("\377\377\377\177", 4)), LinesStatus::kWrongLength},
      {"a varint of six bytes",
       file({}).substr(0, 12) + std::string("\1\0\0\0\2\0\0\0\1\377\377\377\377\377\1", 15),
       LinesStatus::kWrongLength},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    MapLines l;
    EXPECT_EQ(decodeMapLines(f.bytes, l), f.status);
    EXPECT_TRUE(l.blank());
  }
}

TEST(MapLines, MissingFileOrFolderReadsAsNoLines) {
  TempDir d;
  MapLines l;
  EXPECT_EQ(readMapLines(d / "MapLinien.dat", l), LinesStatus::kMissing);
  std::filesystem::create_directory(d / "MapLinien.dat");
  EXPECT_EQ(readMapLines(d / "MapLinien.dat", l), LinesStatus::kMissing);
  writeFile(d / "kurz.dat", kGood.substr(0, kGood.size() - 1));
  EXPECT_NE(readMapLines(d / "kurz.dat", l), LinesStatus::kRead);
  EXPECT_TRUE(l.blank());
  writeFile(d / "gut.dat", kGood);
  EXPECT_EQ(readMapLines(d / "gut.dat", l), LinesStatus::kRead);
  EXPECT_EQ(l.lat.size(), 5u);
}

// Random bytes changed in a good file: either read whole and consistent, or
// nothing at all (the sanitizer build checks that no byte beyond is read).
TEST(MapLines, ChangedBytesGiveAWholeFileOrNone) {
  std::uint32_t seed = 7;
  const auto random = [&] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  int readBack = 0;
  for (int attempt = 0; attempt < 20000; ++attempt) {
    std::string b = kGood;
    for (int k = 1 + random() % 3; k > 0; --k) b[random() % b.size()] = static_cast<char>(random());
    MapLines l;
    if (decodeMapLines(b, l) != LinesStatus::kRead) {
      ASSERT_TRUE(l.blank() && l.lat.empty() && l.lon.empty());
      continue;
    }
    ++readBack;
    std::uint32_t nearest = 0;
    for (const auto& line : l.lines) {
      ASSERT_EQ(line.start, nearest);
      ASSERT_GE(line.count, 2u);
      nearest += line.count;
    }
    ASSERT_EQ(nearest, l.lat.size());
    for (std::size_t i = 0; i < l.lat.size(); ++i)
      ASSERT_TRUE(std::fabs(l.lat[i]) <= 90 && std::fabs(l.lon[i]) <= 180);
  }
  EXPECT_GT(readBack, 0);  // some changes keep a valid file (a changed coordinate)
}

// The limits of the layout at their ends: a file of no lines at all, and a
// point count of the full 32 bits that the file's points cannot hold (a
// broken file, not a cut one).
TEST(MapLines, LimitsOfTheLayoutAtTheirEnds) {
  std::string bigNumber = file({}).substr(0, 12);
  word(bigNumber, 1);
  word(bigNumber, 2);
  bigNumber += '\1';
  varint(bigNumber, 0xF0000000u);
  bigNumber += std::string(4, '\0');
  std::string tooBig = bigNumber;
  tooBig[25] = '\x10';  // the fifth byte of the count: bit 32 set
  struct Case {
    const char* what;
    std::string bytes;
    LinesStatus status;
    std::size_t lines;
  };
  const Case cases[] = {
      {"no lines", file({}), LinesStatus::kRead, 0},
      {"a line at the corners of the map", file({{2, {{-18000, -9000}, {18000, 9000}}}}), LinesStatus::kRead, 1},
      {"a count of 32 bits beyond the points", bigNumber, LinesStatus::kBad, 0},
      {"a count of 33 bits", tooBig, LinesStatus::kWrongLength, 0},
      {"version 0", std::string(file({})).replace(8, 1, std::string(1, '\0')), LinesStatus::kBad, 0},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    MapLines l;
    EXPECT_EQ(decodeMapLines(f.bytes, l), f.status);
    EXPECT_EQ(l.lines.size(), f.lines);
  }
}
