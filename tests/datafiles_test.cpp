// Checks of the data files that come with the program (data/): the two
// overlay masks and the place list, as the start-up readers will meet them.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "files/codepage.h"
#include "files/places.h"
#include "testutil.h"

namespace {

std::filesystem::path dataDir() { return welvaro::test::shippedData(); }

std::vector<std::uint8_t> readWhole(const std::string& name) {
  std::ifstream in(dataDir() / name, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << (dataDir() / name);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An overlay mask as stored: rows bottom-up, each padded to four bytes.
struct Mask {
  const char* file;
  int width;
  int height;
  std::size_t size;

  int stride() const { return (width + 3) & ~3; }
  // Pixel (x, y) with y counted from the top of the picture, as on screen.
  std::uint8_t at(const std::vector<std::uint8_t>& bytes, int x, int y) const {
    return bytes[static_cast<std::size_t>(height - 1 - y) * stride() + x];
  }
};

constexpr Mask kWorld{"MapWelt.dat", 541, 271, 147424};
constexpr Mask kChart{"MapOrt.dat", 529, 271, 144172};

bool isDrawingByte(std::uint8_t v) { return v == 0 || v == 90 || v == 132 || v == 224; }

// Only the three greys the cursor read-out ignores, or no overlay; zero
// padding. The program paints the top row of each picture in a single index
// taken from the mask, so a drawing there must be one grey across the width.
TEST(ShippedOverlays, LayoutBytesAndUniformTopRow) {
  for (const Mask& m : {kWorld, kChart}) {
    SCOPED_TRACE(m.file);
    const auto bytes = readWhole(m.file);
    ASSERT_EQ(bytes.size(), m.size);
    ASSERT_EQ(static_cast<std::size_t>(m.stride()) * m.height, m.size);
    std::size_t drawn = 0;
    for (int row = 0; row < m.height; ++row) {
      for (int i = 0; i < m.stride(); ++i) {
        const std::uint8_t v = bytes[static_cast<std::size_t>(row) * m.stride() + i];
        if (i >= m.width) {
          EXPECT_EQ(v, 0) << "padding byte " << i << " of file row " << row;
        } else {
          EXPECT_TRUE(isDrawingByte(v)) << "byte " << int(v) << " at " << i << ", file row " << row;
          drawn += v != 0;
        }
      }
    }
    // A real drawing, yet the forecast colours must still dominate.
    EXPECT_GT(drawn, m.size / 50);
    EXPECT_LT(drawn, m.size / 5);
    for (int x = 1; x < m.width; ++x) EXPECT_EQ(m.at(bytes, x, 0), m.at(bytes, 0, 0)) << "x = " << x;
  }
}

// The world map in the map's geometry: pixel column x is longitude
// -180 + x / 1.5, pixel row y (from the top) latitude 90 - y / 1.5. Some
// well-known capes must lie on a coast pixel (within two pixels), and most
// of the coastline lies in the northern half. This fails when the rows are
// upside down, mirrored or shifted.
TEST(ShippedOverlays, WorldMapCoastsInPlace) {
  const auto bytes = readWhole(kWorld.file);
  ASSERT_EQ(bytes.size(), kWorld.size);
  const auto column = [](double lon) { return static_cast<int>((lon + 180.0) * 1.5 + 0.5); };
  const auto row = [](double lat) { return static_cast<int>((90.0 - lat) * 1.5 + 0.5); };
  struct Cape {
    const char* name;
    double lon, lat;
  } capes[] = {
      {"Cape Agulhas", 20.0, -34.8},       {"Cape Horn", -67.3, -55.9},
      {"Cape York", 142.5, -10.7},         {"Kanyakumari", 77.5, 8.1},
      {"Cabo da Roca", -9.5, 38.8},        {"Cape Farewell", -43.9, 59.8},
      {"North Cape", 25.8, 71.1},          {"Cape Prince of Wales", -168.1, 65.6},
  };
  for (const Cape& c : capes) {
    SCOPED_TRACE(c.name);
    bool coast = false;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) coast |= kWorld.at(bytes, column(c.lon) + dx, row(c.lat) + dy) == 90;
    EXPECT_TRUE(coast);
  }
  int north = 0, south = 0;
  for (int y = 0; y < kWorld.height; ++y)
    for (int x = 0; x < kWorld.width; ++x)
      if (kWorld.at(bytes, x, y) == 90) (y < row(0) ? north : south) += 1;
  EXPECT_GT(north, 2 * south);
}

// The chart's MHz grid lies on y = 4050 - 135 * MHz twips, 9 pixels per MHz
// from the bottom edge: every fifth MHz is a line across the chart, the rows
// between the lines stay mostly clear.
TEST(ShippedOverlays, ChartGridLinesLieOnWholeMegahertz) {
  const auto bytes = readWhole(kChart.file);
  ASSERT_EQ(bytes.size(), kChart.size);
  const auto drawnInRow = [&](int rowFromBottom) {
    int n = 0;
    for (int x = 0; x < kChart.width; ++x) n += kChart.at(bytes, x, kChart.height - 1 - rowFromBottom) != 0;
    return n;
  };
  for (int mhz = 5; mhz < 30; mhz += 5) {
    SCOPED_TRACE(mhz);
    EXPECT_GT(drawnInRow(9 * mhz), kChart.width / 3);
    EXPECT_LT(drawnInRow(9 * mhz + 4), kChart.width / 8);
  }
  // The hour lines: 22 pixels per hour from 00 UTC.
  const auto drawnInColumn = [&](int x) {
    int n = 0;
    for (int y = 0; y < kChart.height; ++y) n += kChart.at(bytes, x, y) != 0;
    return n;
  };
  for (int hour = 1; hour < 24; ++hour) {
    SCOPED_TRACE(hour);
    EXPECT_GT(drawnInColumn(22 * hour), kChart.height / 4);
    EXPECT_LT(drawnInColumn(22 * hour + 11), kChart.height / 4);
  }
}

std::vector<std::string> placeLines(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = static_cast<char>(bytes[i]);
    if (c == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR after line " << lines.size();
      lines.push_back(line);
      line.clear();
      ++i;
    } else {
      EXPECT_NE(c, '\n') << "LF without CR after line " << lines.size();
      line += c;
    }
  }
  EXPECT_TRUE(line.empty()) << "last line has no line end";
  return lines;
}

bool readDegrees(std::string_view text, double lo, double hi, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= lo && value <= hi;
}

TEST(ShippedPlaceList, ItemsAreWellFormedAndKnownPlacesInWindows1252) {
  const auto lines = placeLines(readWhole("Ortsvorg.txt"));
  ASSERT_EQ(lines.size(), 2000u);
  std::set<std::string> seen;
  std::map<std::string, std::pair<double, double>> places;  // "CC:name:" -> longitude, latitude
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    SCOPED_TRACE("line " + std::to_string(n + 1) + ": " + line);
    ASSERT_GE(std::count(line.begin(), line.end(), ':'), 3);
    // Commas and double quotes would split or quote the item when read.
    EXPECT_EQ(line.find(','), std::string::npos);
    EXPECT_EQ(line.find('"'), std::string::npos);
    const std::size_t p1 = line.find(':');
    const std::size_t p2 = line.find(':', p1 + 1);
    const std::size_t p3 = line.find(':', p2 + 1);
    const std::string country = line.substr(0, p1);
    EXPECT_EQ(country.size(), 2u);
    EXPECT_TRUE(std::all_of(country.begin(), country.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
    EXPECT_GT(p2 - p1, 1u) << "empty name";
    double lon = 0, lat = 0;
    EXPECT_TRUE(readDegrees(std::string_view(line).substr(p2 + 1, p3 - p2 - 1), -180, 180, lon));
    EXPECT_TRUE(readDegrees(std::string_view(line).substr(p3 + 1), -90, 90, lat));
    places[line.substr(0, p2 + 1)] = {lon, lat};
    for (const char c : line) {
      const auto b = static_cast<std::uint8_t>(c);
      // Control characters and the five bytes Windows-1252 leaves unassigned.
      EXPECT_GE(b, 0x20) << "control byte";
      EXPECT_NE(b, 0x7F);
      for (const std::uint8_t hole : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_NE(b, hole);
    }
    EXPECT_TRUE(seen.insert(line).second) << "repeated item";
  }
  struct Case {
    const char* prefix;  // identifier and name, as bytes of the code page
    double lon, lat;
  } cases[] = {
      {"DE:K\xF6ln:", 6.95, 50.93333},
      {"GB:London:", -0.12574, 51.50853},
      {"BR:S\xE3o Paulo:", -46.63611, -23.5475},
      {"AU:Sydney:", 151.20732, -33.86785},
      {"PL:Wroclaw:", 17.03333, 51.1},  // the l with stroke has no place in the code page
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prefix);
    ASSERT_EQ(places.count(c.prefix), 1u);
    EXPECT_NEAR(places[c.prefix].first, c.lon, 0.01);
    EXPECT_NEAR(places[c.prefix].second, c.lat, 0.01);
  }
  // Sorted by population: the largest city comes first.
  EXPECT_EQ(lines.front().rfind("CN:Shanghai:", 0), 0u);
}

// The place reader takes the whole shipped list, names as UTF-8.
TEST(ShippedPlaceList, ReadsIntoThePlaceList) {
  auto s = std::make_unique<welvaro::State>();
  ASSERT_TRUE(welvaro::readPlaceFile(*s, dataDir() / "Ortsvorg.txt"));
  ASSERT_EQ(s->OrtZahl, 2000.0f);
  for (int g = 1; g <= 2000; ++g) {
    SCOPED_TRACE(g);
    EXPECT_TRUE(welvaro::isUtf8(s->OrtName[g]));
    EXPECT_FALSE(s->OrtName[g].empty());
  }
}

}  // namespace
