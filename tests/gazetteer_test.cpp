// The gazetteer file "Orte.dat": its layout, bad files (cut short, absurd
// counts and lengths, not a regular file), and the shipped file against the
// place list.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "files/gazetteer.h"
#include "files/places.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const std::vector<PlaceEntry> kPlaces = {
    {{"Munich", "München"}, "DE", 48.13743, 11.57549},
    {{"N'Djamena"}, "TD", 12.10672, 15.0444},
    {{"Łódź"}, "PL", -90, -180},
    {{"Edge"}, "NZ", 90, 180},
};

std::filesystem::path shipped(std::string_view name) {
  return shippedData() / name;
}

// The first place of a file of kPlaces starts after mark, version and count.
constexpr std::size_t kHeaderBytes = 8 + 1 + 4;

}  // namespace

TEST(GazetteerFile, RoundTrip) {
  const std::string bytes = gazetteerBytes(kPlaces);
  EXPECT_EQ(bytes.substr(0, 13), std::string("WelvOrte\x01\x04\0\0\0", 13));
  std::string problem;
  const auto places = parseGazetteer(bytes, &problem);
  ASSERT_TRUE(places) << problem;
  ASSERT_EQ(places->size(), kPlaces.size());
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    const PlaceEntry& o = (*places)[i];
    EXPECT_TRUE(o.names == kPlaces[i].names && o.country == kPlaces[i].country);
    // The nearest double, as the number typed.
    EXPECT_TRUE(o.lat == kPlaces[i].lat && o.lon == kPlaces[i].lon) << o.lat << " " << o.lon;
  }
  EXPECT_EQ(gazetteerBytes(*places), bytes);
}

TEST(GazetteerFile, BadBytesAreRefused) {
  const std::string good = gazetteerBytes(kPlaces);
  // Every shorter file, and one byte more.
  for (std::size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(parseGazetteer(good.substr(0, n))) << n;
  EXPECT_FALSE(parseGazetteer(good + '\0'));

  auto withLine = [&](std::size_t at, std::string_view fresh) { return std::string(good).replace(at, fresh.size(), fresh); };
  struct Case {
    const char* name;
    std::string bytes;
    const char* why;
  } cases[] = {
      {"wrong mark", withLine(0, "Welvorte"), "not a gazetteer file"},
      {"version 3", withLine(8, "\x03"), "version"},
      {"absurd count", withLine(9, "\xff\xff\xff\xff"), "4294967295 places cannot be in"},
      {"count beyond the bytes", withLine(9, std::string("\x40\0\0\0", 4)), "64 places cannot be in"},
      {"lower-case country", withLine(kHeaderBytes, "de"), "place 1: no country code"},
      {"latitude beyond 90", withLine(kHeaderBytes + 2, std::string("\x41\x54\x89\x00", 4)), "off the earth"},
      {"no names", withLine(kHeaderBytes + 10, std::string(1, '\0')), "place 1: 0 names"},
      {"nine names", withLine(kHeaderBytes + 10, "\x09"), "place 1: 9 names"},
      {"empty name", withLine(kHeaderBytes + 11, std::string(1, '\0')), "place 1: "},
      {"name not UTF-8", withLine(kHeaderBytes + 12, "\xc3\x28"), "not text"},
      {"control character", withLine(kHeaderBytes + 12, "\t"), "not text"},
      {"name longer than the rest", withLine(kHeaderBytes + 11, "\xff"), "place 1: "},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    std::string problem;
    EXPECT_FALSE(parseGazetteer(f.bytes, &problem));
    EXPECT_NE(problem.find(f.why), std::string::npos) << problem;
  }
}

namespace {

std::string u32(std::uint32_t v) {
  std::string b;
  for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  return b;
}

// A file of one place: country, position in 1/100000 degree, names.
std::string onePlace(std::string_view country, std::int32_t lat, std::int32_t lon,
                   const std::vector<std::string>& names) {
  std::string b = "WelvOrte\x01" + u32(1) + std::string(country) + u32(static_cast<std::uint32_t>(lat)) +
                  u32(static_cast<std::uint32_t>(lon)) + static_cast<char>(names.size());
  for (const std::string& n : names) b += static_cast<char>(n.size()) + n;
  return b;
}

}  // namespace

// Positions up to the poles and the date line are on the earth, one
// hundred-thousandth of a degree beyond them is not; the other limits of a
// place likewise at their ends.
TEST(GazetteerFile, EachLimitOfAPlaceAtItsEndAndJustBeyond) {
  const std::vector<std::string> isOne{"A"};
  struct Case {
    const char* name;
    std::string bytes;
    bool good;
  } cases[] = {
      {"south pole", onePlace("AQ", -9000000, 0, isOne), true},
      {"south of the south pole", onePlace("AQ", -9000001, 0, isOne), false},
      {"north pole", onePlace("NO", 9000000, 0, isOne), true},
      {"north of the north pole", onePlace("NO", 9000001, 0, isOne), false},
      {"date line west", onePlace("FJ", 0, -18000000, isOne), true},
      {"west of the date line", onePlace("FJ", 0, -18000001, isOne), false},
      {"date line east", onePlace("FJ", 0, 18000000, isOne), true},
      {"east of the date line", onePlace("FJ", 0, 18000001, isOne), false},
      {"most negative latitude", onePlace("AQ", INT32_MIN, 0, isOne), false},
      {"most negative longitude", onePlace("AQ", 0, INT32_MIN, isOne), false},
      {"country AZ", onePlace("AZ", 0, 0, isOne), true},
      {"country ZA", onePlace("ZA", 0, 0, isOne), true},
      {"country A@", onePlace("A@", 0, 0, isOne), false},
      {"country A[", onePlace("A[", 0, 0, isOne), false},
      {"country @A", onePlace("@A", 0, 0, isOne), false},
      {"country [A", onePlace("[A", 0, 0, isOne), false},
      {"country Dz", onePlace("Dz", 0, 0, isOne), false},
      {"country D1", onePlace("D1", 0, 0, isOne), false},
      {"eight names", onePlace("DE", 0, 0, std::vector<std::string>(8, "A")), true},
      {"a name of 255 bytes", onePlace("DE", 0, 0, {std::string(255, 'a')}), true},
      {"a name with DEL", onePlace("DE", 0, 0, {"A\x7F"}), false},
      {"a name with US", onePlace("DE", 0, 0, {"A\x1F"}), false},
      {"a name with a blank", onePlace("DE", 0, 0, {"A B"}), true},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    std::string problem;
    const auto places = parseGazetteer(f.bytes, &problem);
    EXPECT_EQ(places.has_value(), f.good) << problem;
    // What is read is written back byte for byte.
    if (places) {
      EXPECT_EQ(gazetteerBytes(*places), f.bytes);
    }
  }
  // A place takes at least 13 bytes: a count beyond that is refused before
  // any place is read.
  std::string two = onePlace("DE", 0, 0, isOne) + std::string(11, 'x');
  two.replace(9, 4, u32(2));
  std::string problem;
  EXPECT_FALSE(parseGazetteer(two, &problem));
  EXPECT_NE(problem.find("2 places cannot be in 37 bytes"), std::string::npos) << problem;
}

// Writing leaves out what the file cannot hold and keeps the rest.
TEST(GazetteerFile, WritingLeavesOutPlacesTheFileCannotHold) {
  const std::vector<PlaceEntry> places = {
      {{"Eight"}, "DE", 1, 2},
      {std::vector<std::string>(9, "Nine"), "DE", 1, 2},
      {std::vector<std::string>(8, "Eight"), "DE", 1, 2},
      {{std::string(256, 'a')}, "DE", 1, 2},
      {{std::string(255, 'a')}, "DE", 1, 2},
      {{"A", ""}, "DE", 1, 2},
      {{}, "DE", 1, 2},
      {{"Lower"}, "de", 1, 2},
      {{"Three"}, "DEU", 1, 2},
      {{"Zed"}, "ZZ", -90, -180},
  };
  const auto readBack = parseGazetteer(gazetteerBytes(places));
  ASSERT_TRUE(readBack);
  std::vector<std::string> names;
  for (const PlaceEntry& o : *readBack) names.push_back(o.names[0].substr(0, 5) + ":" + std::to_string(o.names.size()));
  EXPECT_EQ(names, (std::vector<std::string>{"Eight:1", "Eight:8", "aaaaa:1", "Zed:1"}));
}

TEST(GazetteerFile, MissingOrNotARegularFileGivesAnEmptyList) {
  TempDir d;
  std::string problem;
  EXPECT_TRUE(readGazetteerFile(d / "Orte.dat", &problem).empty());
  EXPECT_EQ(problem, "");
  std::filesystem::create_directory(d / "Ordner");
  EXPECT_TRUE(readGazetteerFile(d / "Ordner", &problem).empty());
  EXPECT_NE(problem.find("not a regular file"), std::string::npos);
  ASSERT_EQ(::mkfifo((d / "Rohr").c_str(), 0600), 0);  // would block a reader that opened it
  EXPECT_TRUE(readGazetteerFile(d / "Rohr", &problem).empty());
  writeFile(d / "kurz.dat", gazetteerBytes(kPlaces).substr(0, 30));
  EXPECT_TRUE(readGazetteerFile(d / "kurz.dat", &problem).empty());
  EXPECT_NE(problem.find("kurz.dat: 4 places cannot be in 30 bytes"), std::string::npos) << problem;
  writeFile(d / "Orte.dat", gazetteerBytes(kPlaces));
  EXPECT_EQ(readGazetteerFile(d / "Orte.dat").size(), kPlaces.size());
}

// The shipped gazetteer holds every place of the shipped place list, in the
// same order and at the same position, so that a name means the same place
// in both.
TEST(GazetteerFile, ShippedFileAgreesWithThePlaceList) {
  std::string problem;
  const Gazetteer g = readGazetteerFile(shipped(kGazetteerFile), &problem);
  ASSERT_GT(g.size(), 20000u) << problem;
  auto s = std::make_unique<State>();
  ASSERT_TRUE(readPlaceFile(*s, shipped(kPlaceListFile)));
  ASSERT_EQ(s->OrtZahl, 2000);
  for (int i = 1; i <= 2000; ++i) {
    const PlaceEntry& o = g.place(static_cast<std::size_t>(i - 1));
    SCOPED_TRACE(s->OrtName[i]);
    ASSERT_EQ(searchForm(o.names[0]), searchForm(s->OrtName[i]));
    ASSERT_EQ(o.country, s->OrtKennung[i]);
    ASSERT_EQ(static_cast<float>(o.lat), s->OrtBreite[i]);
    ASSERT_EQ(static_cast<float>(o.lon), s->OrtLaenge[i]);
  }
  EXPECT_EQ(g.exact("München").size(), 1u);
  EXPECT_EQ(g.exact("Sankt Petersburg").size(), 1u);
}

// Version 2 carries the inhabitants of every place; a list where one is
// not known is written as version 1, without them.
TEST(GazetteerFile, InhabitantsInVersionTwo) {
  std::vector<PlaceEntry> places = kPlaces;
  for (std::size_t i = 0; i < places.size(); ++i) places[i].population = static_cast<std::uint32_t>(4000000000u >> i);
  const std::string bytes = gazetteerBytes(places);
  EXPECT_EQ(bytes.substr(0, 13), std::string("WelvOrte\x02\x04\0\0\0", 13));
  EXPECT_EQ(bytes.size(), gazetteerBytes(kPlaces).size() + 4 * kPlaces.size());
  const auto readBack = parseGazetteer(bytes);
  ASSERT_TRUE(readBack);
  for (std::size_t i = 0; i < places.size(); ++i) EXPECT_EQ((*readBack)[i].population, places[i].population);
  EXPECT_EQ(gazetteerBytes(*readBack), bytes);
  EXPECT_EQ(Gazetteer(*readBack).exact("Munich").front().population, 4000000000u);

  places[2].population = 0;
  EXPECT_EQ(gazetteerBytes(places), gazetteerBytes(kPlaces));

  struct Case {
    const char* name;
    std::string bytes;
    const char* why;
  } cases[] = {
      {"no population", std::string(bytes).replace(kHeaderBytes + 10, 4, std::string(4, '\0')), "place 1: no population"},
      {"no places", std::string("WelvOrte\x02\0\0\0\0", 13), "no places"},
      {"version 1 read as 2", std::string(gazetteerBytes(kPlaces)).replace(8, 1, "\x02"), "place"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    std::string problem;
    EXPECT_FALSE(parseGazetteer(f.bytes, &problem));
    EXPECT_NE(problem.find(f.why), std::string::npos) << problem;
  }
}

// The shipped gazetteer knows how many live in each place, so a name
// several places bear can be settled by size.
TEST(GazetteerFile, ShippedFileKnowsTheInhabitants) {
  const Gazetteer g = readGazetteerFile(shipped(kGazetteerFile));
  ASSERT_GT(g.size(), 20000u);
  for (std::size_t i = 0; i < g.size(); ++i) {
    ASSERT_GE(g.place(i).population, 15000u) << g.place(i).names[0];
    if (i > 0) {
      ASSERT_LE(g.place(i).population, g.place(i - 1).population) << g.place(i).names[0];
    }
  }
  const auto nyc = g.exact("New York City"), wny = g.exact("West New York");
  ASSERT_EQ(nyc.size(), 1u);
  ASSERT_EQ(wny.size(), 1u);
  EXPECT_GE(nyc[0].population, 10u * wny[0].population);
}
