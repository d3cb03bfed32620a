// The map lines file: the file that comes with the program, and files that
// are cut short, too long, of another kind or no file at all, which count
// as missing (the map is then drawn without lines).
#include <gtest/gtest.h>

#include <filesystem>

#include "files/kartenlinien.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::filesystem::path mitgeliefert() { return shippedData() / "MapLinien.dat"; }

void varint(std::string& b, std::uint64_t v) {
  for (; v >= 0x80; v >>= 7) b += static_cast<char>((v & 0x7F) | 0x80);
  b += static_cast<char>(v);
}

void wort(std::string& b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A file of the generator's layout: lines of (kind, points in hundredths).
std::string datei(const std::vector<std::pair<int, std::vector<std::pair<int, int>>>>& linien) {
  std::string k;
  std::uint32_t punkte = 0;
  for (const auto& [art, p] : linien) {
    k += static_cast<char>(art);
    varint(k, p.size());
    int x = 0, y = 0;
    for (const auto& [lx, ly] : p) {
      const auto zz = [](int v) { return static_cast<std::uint64_t>(v >= 0 ? 2 * v : -2 * v - 1); };
      varint(k, zz(lx - x));
      varint(k, zz(ly - y));
      x = lx;
      y = ly;
    }
    punkte += static_cast<std::uint32_t>(p.size());
  }
  std::string b = "WVLINIEN";
  wort(b, 1);
  wort(b, static_cast<std::uint32_t>(linien.size()));
  wort(b, punkte);
  return b + k;
}

const std::string kGut = datei({{1, {{-18000, 0}, {18000, 9000}, {1, -9000}}}, {2, {{500, 500}, {-500, -500}}}});

}  // namespace

TEST(Kartenlinien, TheFileThatComesWithTheProgram) {
  Kartenlinien l;
  ASSERT_EQ(leseKartenlinien(mitgeliefert(), l), LinienStatus::kRead);
  int kuesten = 0, grenzen = 0;
  for (const auto& linie : l.linien) (linie.art == Linienart::Kueste ? kuesten : grenzen)++;
  EXPECT_GT(kuesten, 1000);
  EXPECT_GT(grenzen, 100);
  EXPECT_GT(l.breite.size(), 50000u);
  const auto& letzte = l.linien.back();
  EXPECT_EQ(letzte.anfang + letzte.anzahl, l.breite.size());
  // A coast point within a quarter degree of Cape Horn.
  bool kapHoorn = false;
  for (std::size_t i = 0; i < l.breite.size(); ++i)
    kapHoorn = kapHoorn || (std::fabs(l.breite[i] + 55.98) < 0.25 && std::fabs(l.laenge[i] + 67.27) < 0.25);
  EXPECT_TRUE(kapHoorn);
}

TEST(Kartenlinien, DecodesPositionsKindsAndRuns) {
  Kartenlinien l;
  ASSERT_EQ(dekodiereKartenlinien(kGut, l), LinienStatus::kRead);
  ASSERT_EQ(l.linien.size(), 2u);
  EXPECT_EQ(l.linien[1].art, Linienart::Grenze);
  EXPECT_EQ(l.linien[1].anfang, 3u);
  EXPECT_FLOAT_EQ(l.laenge[0], -180);
  EXPECT_FLOAT_EQ(l.breite[1], 90);
  EXPECT_FLOAT_EQ(l.laenge[2], 0.01f);
  EXPECT_FLOAT_EQ(l.breite[2], -90);
  EXPECT_FLOAT_EQ(l.breite[4], -5);
}

TEST(Kartenlinien, EveryCutOrLengthenedFileCountsAsMissing) {
  Kartenlinien l;
  for (std::size_t n = 0; n < kGut.size(); ++n) {
    EXPECT_NE(dekodiereKartenlinien(kGut.substr(0, n), l), LinienStatus::kRead) << n;
    EXPECT_TRUE(l.leer());
  }
  EXPECT_EQ(dekodiereKartenlinien(kGut + '\0', l), LinienStatus::kWrongLength);
  EXPECT_TRUE(l.leer());
}

TEST(Kartenlinien, ForeignOrBrokenContentCountsAsMissing) {
  const auto mit = [](std::size_t at, std::string_view neu) {
    std::string b = kGut;
    b.replace(at, neu.size(), neu);
    return b;
  };
  struct Fall {
    const char* was;
    std::string bytes;
    LinienStatus status;
  };
  const Fall faelle[] = {
      {"another tag", mit(0, "WVLINIEX"), LinienStatus::kBad},
      {"version 2", mit(8, std::string("\2", 1)), LinienStatus::kBad},
      {"kind 3", mit(20, "\3"), LinienStatus::kBad},
      {"a line of one point", datei({{1, {{0, 0}}}, {1, {{0, 0}, {1, 1}, {2, 2}}}}), LinienStatus::kBad},
      {"longitude beyond 180", datei({{1, {{18001, 0}, {0, 0}}}}), LinienStatus::kBad},
      {"latitude beyond 90", datei({{2, {{0, 0}, {0, -9001}}}}), LinienStatus::kBad},
      {"more points than counted", mit(16, std::string("\4\0\0\0", 4)), LinienStatus::kBad},
      {"more lines than the file holds", mit(12, std::string("\377\377\377\177", 4)), LinienStatus::kWrongLength},
      {"a varint of six bytes",
       datei({}).substr(0, 12) + std::string("\1\0\0\0\2\0\0\0\1\377\377\377\377\377\1", 15),
       LinienStatus::kWrongLength},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.was);
    Kartenlinien l;
    EXPECT_EQ(dekodiereKartenlinien(f.bytes, l), f.status);
    EXPECT_TRUE(l.leer());
  }
}

TEST(Kartenlinien, MissingFileOrFolderReadsAsNoLines) {
  TempDir d;
  Kartenlinien l;
  EXPECT_EQ(leseKartenlinien(d / "MapLinien.dat", l), LinienStatus::kMissing);
  std::filesystem::create_directory(d / "MapLinien.dat");
  EXPECT_EQ(leseKartenlinien(d / "MapLinien.dat", l), LinienStatus::kMissing);
  writeFile(d / "kurz.dat", kGut.substr(0, kGut.size() - 1));
  EXPECT_NE(leseKartenlinien(d / "kurz.dat", l), LinienStatus::kRead);
  EXPECT_TRUE(l.leer());
  writeFile(d / "gut.dat", kGut);
  EXPECT_EQ(leseKartenlinien(d / "gut.dat", l), LinienStatus::kRead);
  EXPECT_EQ(l.breite.size(), 5u);
}

// Random bytes changed in a good file: either read whole and consistent, or
// nothing at all (the sanitizer build checks that no byte beyond is read).
TEST(Kartenlinien, ChangedBytesGiveAWholeFileOrNone) {
  std::uint32_t saat = 7;
  const auto zufall = [&] { return saat = saat * 1103515245u + 12345u, saat >> 8; };
  int gelesen = 0;
  for (int versuch = 0; versuch < 20000; ++versuch) {
    std::string b = kGut;
    for (int k = 1 + zufall() % 3; k > 0; --k) b[zufall() % b.size()] = static_cast<char>(zufall());
    Kartenlinien l;
    if (dekodiereKartenlinien(b, l) != LinienStatus::kRead) {
      ASSERT_TRUE(l.leer() && l.breite.empty() && l.laenge.empty());
      continue;
    }
    ++gelesen;
    std::uint32_t naechster = 0;
    for (const auto& linie : l.linien) {
      ASSERT_EQ(linie.anfang, naechster);
      ASSERT_GE(linie.anzahl, 2u);
      naechster += linie.anzahl;
    }
    ASSERT_EQ(naechster, l.breite.size());
    for (std::size_t i = 0; i < l.breite.size(); ++i)
      ASSERT_TRUE(std::fabs(l.breite[i]) <= 90 && std::fabs(l.laenge[i]) <= 180);
  }
  EXPECT_GT(gelesen, 0);  // some changes keep a valid file (a changed coordinate)
}
