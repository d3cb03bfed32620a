// The land areas: the file that comes with the program, files that are cut
// short, too long or of another kind (the map then shows no land), and the
// raster the maps take from them: the even-odd rule with a lake, a ring
// led along the map's edge and through the pole, the pole row itself.
#include <gtest/gtest.h>

#include <filesystem>

#include "display/landraster.h"
#include "files/landareas.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

void varint(std::string& b, std::uint64_t v) {
  for (; v >= 0x80; v >>= 7) b += static_cast<char>((v & 0x7F) | 0x80);
  b += static_cast<char>(v);
}

void word(std::string& b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

using Ring = std::vector<std::pair<int, int>>;  // longitude, latitude [1/100 deg]

// A file of the generator's layout.
std::string landFile(const std::vector<Ring>& rings) {
  std::string body;
  std::uint32_t points = 0;
  for (const Ring& r : rings) {
    varint(body, r.size());
    int x = 0, y = 0;
    for (const auto& [lx, ly] : r) {
      const auto zz = [](int v) { return static_cast<std::uint64_t>(v >= 0 ? 2 * v : -2 * v - 1); };
      varint(body, zz(lx - x));
      varint(body, zz(ly - y));
      x = lx;
      y = ly;
    }
    points += static_cast<std::uint32_t>(r.size());
  }
  std::string b = "WVLAND00";
  word(b, 1);
  word(b, static_cast<std::uint32_t>(rings.size()));
  word(b, points);
  return b + body;
}

// A square 0..20 E, 0..20 N with a lake 5..10 E, 5..10 N; and an island
// that steps across 180 degrees at 10..20 S, led through the South Pole as
// the generator leads it.
const Ring kSquare = {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}};
const Ring kLake = {{500, 500}, {1000, 500}, {1000, 1000}, {500, 1000}};
const Ring kIsland = {{17500, -1000}, {18000, -1000}, {18000, -9000}, {-18000, -9000}, {-18000, -1000},
                      {-17500, -1000}, {-17500, -2000}, {-18000, -2000}, {-18000, -9000}, {18000, -9000},
                      {18000, -2000}, {17500, -2000}};

}  // namespace

TEST(LandAreas, TheFileThatComesWithTheProgram) {
  LandAreas land;
  ASSERT_EQ(readLandAreas(shippedData() / "MapLand.dat", land), LandStatus::kRead);
  EXPECT_GT(land.rings(), 1000u);
  EXPECT_EQ(land.ringStart.back(), land.longitude.size());
  EXPECT_EQ(land.latitude.size(), land.longitude.size());
}

TEST(LandAreas, BrokenFilesGiveNoLand) {
  const std::string good = landFile({kSquare, kLake});
  LandAreas land;
  ASSERT_EQ(decodeLandAreas(good, land), LandStatus::kRead);
  EXPECT_EQ(land.rings(), 2u);
  struct Case {
    const char* what;
    std::string bytes;
    LandStatus status;
  };
  std::string otherTag = good, otherVersion = good, twoPoints = landFile({{{0, 0}, {100, 100}}});
  otherTag[2] = 'X';
  otherVersion[8] = 2;
  const Case cases[] = {
      {"empty", "", LandStatus::kWrongLength},
      {"cut", good.substr(0, good.size() - 1), LandStatus::kWrongLength},
      {"longer", good + "x", LandStatus::kWrongLength},
      {"another tag", otherTag, LandStatus::kBad},
      {"another version", otherVersion, LandStatus::kBad},
      {"a ring of two points", twoPoints, LandStatus::kBad},
      {"beyond the pole", landFile({{{0, 0}, {100, 9001}, {200, 0}}}), LandStatus::kBad},
      {"beyond 180 degrees", landFile({{{0, 0}, {18001, 0}, {200, 100}}}), LandStatus::kBad},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(decodeLandAreas(c.bytes, land), c.status);
    EXPECT_TRUE(land.empty());
  }
  TempDir d;
  EXPECT_EQ(readLandAreas(d / "none.dat", land), LandStatus::kMissing);
  EXPECT_EQ(readLandAreas(d.path, land), LandStatus::kMissing);  // a folder
  writeFile(d / "cut.dat", good.substr(0, 30));
  EXPECT_EQ(readLandAreas(d / "cut.dat", land), LandStatus::kWrongLength);
  EXPECT_TRUE(land.empty());
}

TEST(LandRaster, EvenOddWithALakeAndAnIslandOverTheDateLine) {
  LandAreas land;
  ASSERT_EQ(decodeLandAreas(landFile({kSquare, kLake, kIsland}), land), LandStatus::kRead);
  // One point per degree: column x at -180 + x, row y at 90 - y.
  LandRaster r;
  r.build(land, 361, 181, -180, 1, 90, 1, true);
  struct Case {
    double lat, lon;
    bool land;
  };
  const Case cases[] = {
      {15, 15, true},    {2, 2, true},       {7, 7, false},  // the lake
      {25, 15, false},   {15, -5, false},    {15, 25, false},
      {-15, 178, true},  {-15, -178, true},  {-15, 180, true}, {-15, -180, true},
      {-15, 170, false}, {-15, -170, false},
      {-30, 179, false}, {-30, -179, false}, {-89, 0, false},  {-90, 0, false},  // led through the pole, no land there
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.lat << "," << c.lon);
    EXPECT_EQ(r.at(c.lat, c.lon), c.land);
  }
  // The runs of a row give the same.
  std::vector<std::uint16_t> row(361);
  r.fillRow(90 - 15, row.data(), 1, 2);
  for (int x = 0; x <= 360; ++x) EXPECT_EQ(row[x] == 1, r.cell(x, 90 - 15)) << x;
  EXPECT_EQ(row[180 + 15], 1);
  EXPECT_EQ(row[180 + 7], 1);
  EXPECT_EQ(row[180 - 5], 2);
}

// Land round the South Pole (a coast ring led along the map's edge through
// the pole) covers the pole row too.
TEST(LandRaster, LandRoundThePoleCoversThePole) {
  LandAreas land;
  const Ring coast = {{-18000, -7000}, {0, -6500}, {18000, -7000}, {18000, -9000}, {-18000, -9000}};
  ASSERT_EQ(decodeLandAreas(landFile({coast}), land), LandStatus::kRead);
  LandRaster r;
  r.build(land, 361, 181, -180, 1, 90, 1, true);
  for (const double lon : {-180.0, -90.0, 0.0, 90.0, 180.0}) {
    EXPECT_TRUE(r.at(-90, lon)) << lon;
    EXPECT_TRUE(r.at(-80, lon)) << lon;
    EXPECT_FALSE(r.at(-60, lon)) << lon;
  }
}
