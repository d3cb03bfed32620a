// The place list: item separators, fields, the 2000 limit, the spatial index
// of places and the place file.
#include <gtest/gtest.h>

#include <cstdio>

#include "files/codepage.h"
#include "files/places.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// A place list with places at the given longitudes / latitudes, numbered 1..n.
std::unique_ptr<State> withPlaces(const std::vector<std::pair<float, float>>& lonLat) {
  auto s = std::make_unique<State>();
  int g = 0;
  for (auto [lon, lat] : lonLat) {
    ++g;
    s->OrtName[g] = "P" + std::to_string(g);
    s->OrtLaenge[g] = lon;
    s->OrtBreite[g] = lat;
  }
  s->OrtZahl = static_cast<float>(g);
  buildOrtRaster(*s);
  return s;
}

bool listed(const State& s, int u, int m, int g) {
  const std::string& t = s.OrtRaster[u][m];
  char number[8];
  std::snprintf(number, sizeof number, "%04d", g);
  for (std::size_t p = 0; p + 4 <= t.size(); p += 4)
    if (t.compare(p, 4, number) == 0) return true;
  return false;
}

}  // namespace

TEST(PlaceItems, Separators) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"CR LF lines", "a:b\r\nc:d\r\n", {"a:b", "c:d"}},
      {"LF and lone CR", "a\nb\rc", {"a", "b", "c"}},
      {"commas separate", "a,b , c", {"a", "b", "c"}},
      {"quoted item keeps commas, loses quotes", "\"DL:Frankfurt, Main:8.68:50.11\",x", {"DL:Frankfurt, Main:8.68:50.11", "x"}},
      {"text after the closing quote is dropped", "\"a:b\" junk,c", {"a:b", "c"}},
      {"unclosed quote runs to the end", "\"a,b\nc", {"a,b\nc"}},
      {"blank line gives an empty item", "a\n\nb", {"a", "", "b"}},
      {"leading blanks and tabs skipped", "  \t a: b ", {"a: b"}},
      {"empty text", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(placeItems(c.text), c.items);
  }
}

TEST(PlaceList, FieldsOfAnItem) {
  auto s = std::make_unique<State>();
  readPlacesText(*s,
                 "DL:M\xFCnchen:11.5:48.1\r\n"
                 "too:few:colons\r\n"
                 "nocolon\r\n"
                 "\r\n"
                 "EA:Madrid:-3.7:40.4\r\n"
                 "X:Colon:Name:12.5:7\r\n"  // the third colon ends the longitude
                 "Y::-.5:  -33.25\r\n"
                 "\"F:Paris, Ville:2.35:48.86\"\r\n");
  ASSERT_EQ(s->OrtZahl, 5.0f);
  struct Row {
    std::string code, name;
    float lon, lat;
  };
  const Row rows[] = {
      {"DL", "München", 11.5f, 48.1f},        {"EA", "Madrid", -3.7f, 40.4f}, {"X", "Colon", 0.0f, 12.5f},
      {"Y", "", -0.5f, -33.25f}, {"F", "Paris, Ville", 2.35f, 48.86f},
  };
  for (int g = 1; g <= 5; ++g) {
    SCOPED_TRACE(g);
    const Row& r = rows[g - 1];
    EXPECT_EQ(s->OrtKennung[g], r.code);
    EXPECT_EQ(s->OrtName[g], r.name);
    EXPECT_EQ(s->OrtLaenge[g], r.lon);
    EXPECT_EQ(s->OrtBreite[g], r.lat);
  }
  EXPECT_EQ(s->OrtName[0], "");
  EXPECT_EQ(s->OrtName[6], "");
}

TEST(PlaceList, NamesInEveryCodePageByteBecomeUtf8) {
  std::string name;
  for (int b = 0x80; b <= 0xFF; ++b) name += static_cast<char>(b);
  auto s = std::make_unique<State>();
  readPlacesText(*s, "K:" + name + ":1:2");
  ASSERT_EQ(s->OrtZahl, 1.0f);
  EXPECT_TRUE(isUtf8(s->OrtName[1]));
  EXPECT_EQ(s->OrtName[1], cp1252ToUtf8(name));
}

TEST(PlaceList, StopsAtTwoThousandPlaces) {
  // Places 1..2000 at 0, 0; the five beyond the limit far from them.
  std::string text;
  for (int g = 1; g <= 2005; ++g) text += "K:Place" + std::to_string(g) + (g <= 2000 ? ":0:0\n" : ":100:50\n");
  auto s = std::make_unique<State>();
  readPlacesText(*s, text);
  EXPECT_EQ(s->OrtZahl, 2000.0f);
  EXPECT_EQ(s->OrtName[2000], "Place2000");
  buildOrtRaster(*s);
  EXPECT_EQ(s->OrtRaster[28][14], "0000");
  EXPECT_EQ(s->OrtRaster[18][9].substr(0, 8), "20001999");
  EXPECT_EQ(s->OrtRaster[18][9].size(), 2001u * 4u);
}

TEST(PlaceList, ShorterListClearsTheOldEntries) {
  auto s = std::make_unique<State>();
  readPlacesText(*s, "A:a:1:1\nB:b:2:2\nC:c:3:3\n");
  readPlacesText(*s, "D:d:4:4\n");
  EXPECT_EQ(s->OrtZahl, 1.0f);
  EXPECT_EQ(s->OrtName[1], "d");
  EXPECT_EQ(s->OrtName[2], "");
  EXPECT_EQ(s->OrtLaenge[3], 0.0f);
}

TEST(OrtRaster, CellOfAPlaceAndItsNineCells) {
  struct Case {
    const char* name;
    float lon, lat;
    double cellU, cellM;
    int uFrom, uTo, mFrom, mTo;  // cells listing the place (inclusive)
  };
  const Case cases[] = {
      {"Munich", 11.5f, 48.1f, 19, 13, 18, 20, 12, 14},
      {"longitude 179: no wrap at the date line", 179, 0, 35, 9, 34, 35, 8, 10},
      {"longitude 180 is cell 36", 180, 0, 36, 9, 35, 35, 8, 10},
      {"longitude -180 is cell 0", -180, 0, 0, 9, 0, 1, 8, 10},
      {"latitude -90", 0, -90, 18, 0, 17, 19, 0, 1},
      {"latitude 90 is cell 18", 0, 90, 18, 18, 17, 19, 17, 17},
      {"negative fraction floors down", -0.5f, -0.5f, 17, 8, 16, 18, 7, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(placeCellLon(c.lon), c.cellU);
    EXPECT_EQ(placeCellLat(c.lat), c.cellM);
    auto s = withPlaces({{c.lon, c.lat}});
    for (int u = 0; u <= 35; ++u)
      for (int m = 0; m <= 17; ++m) {
        const bool should = u >= c.uFrom && u <= c.uTo && m >= c.mFrom && m <= c.mTo;
        EXPECT_EQ(s->OrtRaster[u][m], should ? "00010000" : "0000") << "cell " << u << ", " << m;
      }
  }
}

TEST(OrtRaster, NumbersDescendingAndEndingWithZeros) {
  std::vector<std::pair<float, float>> places(12, {100.0f, -60.0f});  // far away
  places[4] = {11.5f, 48.1f};   // place 5
  places[11] = {12.0f, 47.0f};  // place 12
  places[6] = {35.0f, 48.0f};   // place 7, two cells further east
  auto s = withPlaces(places);
  EXPECT_EQ(s->OrtRaster[19][13], "001200050000");
  EXPECT_EQ(s->OrtRaster[20][13], "0012000700050000");
  EXPECT_EQ(s->OrtRaster[22][13], "00070000");
  // The ten far-away places share cell (28, 3).
  EXPECT_EQ(s->OrtRaster[28][2], "0011001000090008000600040003000200010000");
  EXPECT_TRUE(listed(*s, 28, 2, 1));
  EXPECT_FALSE(listed(*s, 28, 2, 5));
  EXPECT_EQ(s->OrtRaster[0][0], "0000");
}

TEST(OrtRaster, OutlandishCoordinatesAreListedNowhere) {
  auto s = withPlaces({{1e30f, 1e30f}, {-500.0f, 10.0f}, {10.0f, 48.0f}});
  for (int u = 0; u <= 35; ++u)
    for (int m = 0; m <= 17; ++m) {
      EXPECT_FALSE(listed(*s, u, m, 1));
      EXPECT_FALSE(listed(*s, u, m, 2));
    }
  EXPECT_EQ(s->OrtRaster[19][13], "00030000");
}

TEST(PlaceFile, PresentMissingAndUnreadable) {
  TempDir dir;
  const fs::path file = dir / "Ortsvorg.txt";
  auto s = std::make_unique<State>();

  std::string problem;
  EXPECT_FALSE(readPlaceFile(*s, file, &problem));
  EXPECT_EQ(s->OrtFlag, 0);
  EXPECT_EQ(s->OrtZahl, 0.0f);
  EXPECT_EQ(s->OrtRaster[19][13], "");
  EXPECT_EQ(problem, "");

  writeFile(file, "DL:M\xFCnchen:11.5:48.1\r\nEA:Madrid:-3.7:40.4\r\n");
  EXPECT_TRUE(readPlaceFile(*s, file));
  EXPECT_EQ(s->OrtFlag, 1);
  EXPECT_EQ(s->OrtZahl, 2.0f);
  EXPECT_EQ(s->OrtName[1], "München");
  EXPECT_EQ(s->OrtRaster[19][13], "00010000");

  // An empty file is present: the feature is on, with nothing to name.
  writeFile(file, "");
  EXPECT_TRUE(readPlaceFile(*s, file));
  EXPECT_EQ(s->OrtFlag, 1);
  EXPECT_EQ(s->OrtZahl, 0.0f);
  EXPECT_EQ(s->OrtRaster[19][13], "0000");

  // A folder in its place counts as missing, with a reason.
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_FALSE(readPlaceFile(*s, file, &problem));
  EXPECT_EQ(s->OrtFlag, 0);
  EXPECT_EQ(s->OrtName[1], "");
  EXPECT_NE(problem.find("Ortsvorg.txt"), std::string::npos);
}

// An empty item between blanks stays empty: the blanks are not taken as
// part of the items around it.
TEST(PlaceItems, EmptyItemsBetweenBlanks) {
  struct Case {
    std::string text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {" ,x", {"", "x"}},
      {"\t,x", {"", "x"}},
      {"a, ,b", {"a", "", "b"}},
      {"a ,", {"a"}},
      {" \n x", {"", "x"}},
      {"\"\" ,x", {"", "x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(placeItems(c.text), c.items);
  }
}

// A shorter list after a full one leaves nothing of the old places, the
// last of the 2000 included.
TEST(PlaceList, ShorterListAfterAFullOneClearsTheLastEntry) {
  std::string text;
  for (int g = 1; g <= 2000; ++g) text += "K:Place" + std::to_string(g) + ":5:6\n";
  auto s = std::make_unique<State>();
  readPlacesText(*s, text);
  ASSERT_EQ(s->OrtName[2000], "Place2000");
  readPlacesText(*s, "D:d:4:4\n");
  EXPECT_EQ(s->OrtZahl, 1.0f);
  EXPECT_EQ(s->OrtKennung[2000], "");
  EXPECT_EQ(s->OrtName[2000], "");
  EXPECT_EQ(s->OrtLaenge[2000], 0.0f);
  EXPECT_EQ(s->OrtBreite[2000], 0.0f);
}

// When the file is gone at the next reading, every cell of the index is
// empty again, those at the date line and the poles included.
TEST(PlaceFile, MissingFileEmptiesEveryCell) {
  TempDir dir;
  const fs::path file = dir / "Ortsvorg.txt";
  auto s = std::make_unique<State>();
  writeFile(file, "A:a:179:89\nB:b:-180:-90\nC:c:0:0\n");
  ASSERT_TRUE(readPlaceFile(*s, file));
  ASSERT_TRUE(listed(*s, 35, 17, 1));
  fs::remove(file);
  EXPECT_FALSE(readPlaceFile(*s, file));
  int occupied = 0;
  for (int u = 0; u <= 35; ++u)
    for (int m = 0; m <= 17; ++m) occupied += s->OrtRaster[u][m].empty() ? 0 : 1;
  EXPECT_EQ(occupied, 0);
}
