// The settings file: exact layout, round trip, summer time, hand-written
// and broken files, and safe replacement on disk.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "files/settings.h"
#include "state/calendar.h"

using namespace welvaro;
namespace fs = std::filesystem;

namespace {

const DateTime kWinter{2025, 1, 15, 10, 0, 0};
const DateTime kSommer{2025, 7, 1, 10, 0, 0};

// The file the defaults give when written in winter, byte for byte
// (Windows-1252: ü = 0xFC, ä = 0xE4, ° = 0xB0).
const std::string kDefaultDatei =
    "\"Stationsort(A): M\xFCnchen\"\r\n"
    "\"Breitengrad/A(N=+/S=-):  48.1\"\r\n"
    "\"L\xE4ngengrad/A(O=+/W=-):  11.5\"\r\n"
    "\"Stationsort(B): Madrid\"\r\n"
    "\"Breitengrad/B(N=+/S=-):  40.4\"\r\n"
    "\"L\xE4ngengrad/B(O=+/W=-): -3.7\"\r\n"
    "\"Sendeleistung(kW): 0.1\"\r\n"
    "\"Antennengewinn-A(dBi):  2.15\"\r\n"
    "\"Antennengewinn-B(dBi):  0\"\r\n"
    "\"Verf\xFCgbarkeit(%):  50\"\r\n"
    "\"Weg(S=short/L=long): S\"\r\n"
    "\"min Abstrahlwinkel(\xB0):  20\"\r\n"
    "\"Sonnfleckenzahl: 128\"\r\n"
    "\"Zeitzone (O=+/W=- Std.):  1\"\r\n"
    "\"Anzeige-Frequenz(MHz):  10.2\"\r\n"
    "\"Speicher1-Frequenz(MHz):  1.8\"\r\n"
    "\"Speicher2-Frequenz(MHz):  3.7\"\r\n"
    "\"Speicher3-Frequenz(MHz):  7\"\r\n"
    "\"Speicher4-Frequenz(MHz):  14.2\"\r\n"
    "\"Speicher5-Frequenz(MHz):  21.3\"\r\n"
    "\"Speicher6-Frequenz(MHz):  29.1\"\r\n"
    "\"Landessprache:  0\"\r\n";

std::vector<std::string> zeilenVon(const std::string& datei) {
  std::vector<std::string> z;
  std::size_t a = 0, e;
  while ((e = datei.find("\r\n", a)) != std::string::npos) {
    z.push_back(datei.substr(a, e - a));
    a = e + 2;
  }
  return z;
}

std::string verbinde(const std::vector<std::string>& z, const char* ende = "\r\n") {
  std::string t;
  for (const auto& x : z) t += x + ende;
  return t;
}

// The stored settings of two records agree.
void erwarteGleicheEinstellungen(const State& a, const State& b) {
  EXPECT_EQ(a.OrtA, b.OrtA);
  EXPECT_EQ(a.X1, b.X1);
  EXPECT_EQ(a.Y1, b.Y1);
  EXPECT_EQ(a.OrtB, b.OrtB);
  EXPECT_EQ(a.OrtX2, b.OrtX2);
  EXPECT_EQ(a.OrtY2, b.OrtY2);
  EXPECT_EQ(a.Zkwa, b.Zkwa);
  EXPECT_EQ(a.Zkw, b.Zkw);
  EXPECT_EQ(a.Sag, b.Sag);
  EXPECT_EQ(a.Eag, b.Eag);
  EXPECT_EQ(a.Iproz, b.Iproz);
  EXPECT_EQ(a.P, b.P);
  EXPECT_EQ(a.Angm, b.Angm);
  EXPECT_EQ(a.Ssn, b.Ssn);
  EXPECT_EQ(a.Ssna, b.Ssna);
  EXPECT_EQ(a.UTCKorr, b.UTCKorr);
  EXPECT_EQ(a.AktFrequenz, b.AktFrequenz);
  EXPECT_EQ(a.Speicher1, b.Speicher1);
  EXPECT_EQ(a.Speicher2, b.Speicher2);
  EXPECT_EQ(a.Speicher3, b.Speicher3);
  EXPECT_EQ(a.Speicher4, b.Speicher4);
  EXPECT_EQ(a.Speicher5, b.Speicher5);
  EXPECT_EQ(a.Speicher6, b.Speicher6);
  EXPECT_EQ(a.L, b.L);
}

class Einstellungen : public testing::Test {
 protected:
  void SetUp() override {
    std::string muster = (fs::temp_directory_path() / "welvaro_settings_XXXXXX").string();
    ASSERT_NE(::mkdtemp(muster.data()), nullptr);
    ordner = muster;
    datei = (ordner / kEinstellungsDatei).string();
    setzeSommerzeit(*s, kWinter);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(ordner, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(ordner, ec);
  }

  static std::string lies(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream o;
    o << in.rdbuf();
    return o.str();
  }
  static void schreib(const fs::path& p, const std::string& inhalt) {
    std::ofstream out(p, std::ios::binary);
    out << inhalt;
  }
  std::vector<std::string> ordnerInhalt() const {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(ordner)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
  }
  // A record holding the defaults, with the start-up flag of `flag`.
  static std::unique_ptr<State> defaults(int flag) {
    auto d = std::make_unique<State>();
    d->SoZeitFlag = static_cast<int16>(flag);
    einstellungsDefaults(*d);
    return d;
  }

  fs::path ordner;
  std::string datei;
  std::unique_ptr<State> s = std::make_unique<State>();
};

}  // namespace

TEST_F(Einstellungen, DefaultsAreWrittenByteForByte) {
  ASSERT_EQ(schreibeEinstellungen(*s, datei, kWinter), 0);
  EXPECT_EQ(lies(datei), kDefaultDatei);
  EXPECT_EQ(ordnerInhalt(), std::vector<std::string>{"Welvaro.dat"});
  EXPECT_EQ(einstellungsInhalt(*s, kWinter), kDefaultDatei);
}

TEST_F(Einstellungen, DefaultFileReadsBackToTheDefaults) {
  schreib(datei, kDefaultDatei);
  auto r = std::make_unique<State>();
  r->OrtA = "anders";
  r->L = 4;
  ASSERT_EQ(leseEinstellungen(*r, datei), EinstellungsQuelle::Datei);
  erwarteGleicheEinstellungen(*r, *s);
  EXPECT_EQ(r->OrtA, "M\xC3\xBCnchen");  // held as UTF-8 in memory
  EXPECT_EQ(r->DatZeile[1], "M\xC3\xBCnchen");
  EXPECT_EQ(r->DatZeile[2], " 48.1");
  EXPECT_EQ(r->DatZeile[7], "0.1");
  EXPECT_EQ(r->DatZeile[22], " 0");
}

TEST_F(Einstellungen, RoundTripKeepsEveryStoredSetting) {
  s->OrtA = "K\xC3\xB6ln: Dom, S\xC3\xBC" "dseite";  // colon and comma in the name
  s->X1 = 0;                                          // written as " 0"
  s->Y1 = -0.5f;
  s->OrtB = "Saint-\xC3\x89tienne, \"Loire\"x";
  s->OrtX2 = -33.87f;
  s->OrtY2 = 151.21f;
  s->Zkwa = " 1.5 kW";
  s->Zkw = 1.5;
  s->Sag = 0;
  s->Eag = -3.25;
  s->Iproz = 90;
  s->P = "L";
  s->Angm = 0.5;
  s->Ssn = "75";
  s->Ssna = 75;
  s->UTCKorr = -5;
  s->AktFrequenz = 14.1f;
  s->Speicher1 = 0;
  s->Speicher2 = 3.55f;
  s->Speicher3 = 7.1f;
  s->Speicher4 = 10.125f;
  s->Speicher5 = 24.9f;
  s->Speicher6 = 28.5f;
  s->L = 3;
  ASSERT_EQ(schreibeEinstellungen(*s, datei, kWinter), 0);

  const auto z = zeilenVon(lies(datei));
  ASSERT_EQ(z.size(), 22u);
  EXPECT_EQ(z[0], "\"Stationsort(A): K\xF6ln: Dom, S\xFC" "dseite\"");
  EXPECT_EQ(z[1], "\"Breitengrad/A(N=+/S=-):  0\"");
  EXPECT_EQ(z[2], "\"L\xE4ngengrad/A(O=+/W=-): -.5\"");
  // A double quote would end the item early: it is stored as an apostrophe.
  EXPECT_EQ(z[3], "\"Stationsort(B): Saint-\xC9tienne, 'Loire'x\"");
  EXPECT_EQ(z[6], "\"Sendeleistung(kW):  1.5 kW\"");
  EXPECT_EQ(z[13], "\"Zeitzone (O=+/W=- Std.): -5\"");
  EXPECT_EQ(z[15], "\"Speicher1-Frequenz(MHz):  0\"");
  EXPECT_EQ(z[21], "\"Landessprache:  3\"");

  auto r = std::make_unique<State>();
  setzeSommerzeit(*r, kWinter);
  ASSERT_EQ(leseEinstellungen(*r, datei), EinstellungsQuelle::Datei);
  s->OrtB = "Saint-\xC3\x89tienne, 'Loire'x";
  erwarteGleicheEinstellungen(*r, *s);
}

TEST_F(Einstellungen, TimeZoneLineHoldsStandardTime) {
  setzeSommerzeit(*s, kSommer);  // window of 2025: 30 March .. 26 October
  s->UTCKorr = 2;
  ASSERT_EQ(schreibeEinstellungen(*s, datei, kSommer), 0);
  EXPECT_EQ(zeilenVon(lies(datei))[13], "\"Zeitzone (O=+/W=- Std.):  1\"");
  EXPECT_EQ(s->UTCKorr, 2);  // the running record keeps local time

  struct Case {
    DateTime start;
    float utcKorr;
  } starts[] = {{kSommer, 2}, {kWinter, 1}, {{2025, 3, 30, 0, 0, 0}, 2}, {{2025, 10, 26, 0, 0, 0}, 1}};
  for (const auto& c : starts) {
    SCOPED_TRACE(testing::Message() << c.start.month << "-" << c.start.day);
    auto r = std::make_unique<State>();
    setzeSommerzeit(*r, c.start);
    ASSERT_EQ(leseEinstellungen(*r, datei), EinstellungsQuelle::Datei);
    EXPECT_EQ(r->UTCKorr, c.utcKorr);
  }

  // The moment of writing decides, not the start-up flag.
  struct Schreib {
    DateTime jetzt;
    const char* zeile;
  } schreibe[] = {
      {{2025, 3, 29, 23, 59, 59}, "\"Zeitzone (O=+/W=- Std.):  2\""},
      {{2025, 3, 30, 0, 0, 0}, "\"Zeitzone (O=+/W=- Std.):  1\""},
      {{2025, 10, 25, 23, 0, 0}, "\"Zeitzone (O=+/W=- Std.):  1\""},
      {{2025, 10, 26, 0, 0, 0}, "\"Zeitzone (O=+/W=- Std.):  2\""},
  };
  s->SoZeitFlag = 0;
  for (const auto& c : schreibe) {
    SCOPED_TRACE(c.zeile);
    EXPECT_EQ(zeilenVon(einstellungsInhalt(*s, c.jetzt))[13], c.zeile);
  }
}

TEST_F(Einstellungen, HandWrittenLinesAreReadByTheItemRule) {
  auto z = zeilenVon(kDefaultDatei);
  z[0] = "  Stationsort(A): Berlin, Germany";              // unquoted: up to the comma
  z[3] = "\"Stationsort(B): Paris, France\" rest, ignored";  // quoted: comma kept
  z[1] = "Breite:52.5";                                    // no blank after the colon
  z[4] = "\"Irgendwas: Text: 51.3\"";                      // label never compared
  z[20] = "\"Speicher6-Frequenz(MHz):  28,5\"";            // a comma is no decimal point
  z[21] = "\"Landessprache:  1";                           // closing quote missing
  schreib(datei, verbinde(z, "\n"));                       // LF line ends from an editor
  ASSERT_EQ(leseEinstellungen(*s, datei), EinstellungsQuelle::Datei);
  EXPECT_EQ(s->OrtA, "Berlin");
  EXPECT_EQ(s->X1, 52.5);
  EXPECT_EQ(s->OrtB, "Paris, France");
  EXPECT_EQ(s->OrtX2, 0.0f);  // "Text: 51.3" does not begin with a number
  EXPECT_EQ(s->Y1, 11.5f);    // the lines after the hand-written ones stay in place
  EXPECT_EQ(s->OrtY2, -3.7f);
  EXPECT_EQ(s->Speicher6, 28.0f);
  EXPECT_EQ(s->L, 1);
}

TEST_F(Einstellungen, ItemsAfterTheTwentySecondAreIgnored) {
  schreib(datei, kDefaultDatei + "\"Landessprache:  4\"\r\n\r\nbinary\x01\x02\r\n");
  s->L = 2;
  ASSERT_EQ(leseEinstellungen(*s, datei), EinstellungsQuelle::Datei);
  EXPECT_EQ(s->L, 0);
  EXPECT_EQ(s->DatZeile[23], "");
}

TEST_F(Einstellungen, LanguageIsRoundedHalfToEvenAndHeldInZeroToFive) {
  struct Case {
    const char* wert;
    int l;
  } cases[] = {{" 2.5", 2}, {" 3.5", 4}, {" 9", 5}, {"-1", 0}, {" 4.6", 5}, {" 5.5", 5},
               {" .5", 0}, {" 1.5", 2}, {"-0.4", 0}, {"abc", 0}, {" 1,7", 1},
               {" 99999999999999999999999999999999999999999999", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wert);
    auto z = zeilenVon(kDefaultDatei);
    z[21] = std::string("\"Landessprache: ") + c.wert + "\"";
    s->L = 3;
    ASSERT_TRUE(leseEinstellungsInhalt(*s, verbinde(z)));
    EXPECT_EQ(s->L, c.l);
  }
}

TEST_F(Einstellungen, BrokenFileGivesTheDefaultsForTheWholeRecord) {
  const auto z = zeilenVon(kDefaultDatei);
  auto mit = [&](int zeile, const std::string& text) {
    auto k = z;
    k[static_cast<std::size_t>(zeile)] = text;
    return verbinde(k);
  };
  auto ohneLetzte = z;
  ohneLetzte.pop_back();
  auto mitLeerzeile = z;
  mitLeerzeile.insert(mitLeerzeile.begin() + 5, "");
  struct Case {
    const char* name;
    std::string inhalt;
  } cases[] = {
      {"empty", ""},
      {"21 lines", verbinde(ohneLetzte)},
      {"21 lines and a blank last line", verbinde(ohneLetzte) + "\r\n"},
      {"empty line among the first 22", verbinde(mitLeerzeile)},
      {"blank-only line", mit(9, "    ")},
      {"empty quoted item", mit(3, "\"\"")},
      {"line without a label", mit(12, "\"128\"")},
      {"binary", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0", 11) + verbinde(z)},
      {"control character in an item", mit(0, std::string("\"Stationsort(A): M\0nchen\"", 25))},
      {"one long garbage line", std::string(5000, 'x')},
      {"latitude of station B too large for a single",
       mit(4, "\"Breitengrad/B(N=+/S=-):  1" + std::string(60, '0') + "\"")},
      {"power beyond any number", mit(6, "\"Sendeleistung(kW): 1" + std::string(400, '0') + "\"")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    schreib(datei, c.inhalt);
    for (int flag : {0, 1}) {
      auto r = std::make_unique<State>();
      r->SoZeitFlag = static_cast<int16>(flag);
      r->OrtA = "vorher";
      r->X1 = -10;
      r->L = 3;
      r->UTCKorr = 7;
      r->DatZeile[1] = "vorher";
      EXPECT_EQ(leseEinstellungen(*r, datei), EinstellungsQuelle::Unbrauchbar);
      erwarteGleicheEinstellungen(*r, *defaults(flag));
      EXPECT_EQ(r->UTCKorr, 1 + flag);
      EXPECT_EQ(r->DatZeile[1], "");
    }
  }
}

TEST_F(Einstellungen, MissingFileGivesTheDefaults) {
  s->SoZeitFlag = 1;
  s->OrtB = "vorher";
  s->Speicher4 = 1;
  EXPECT_EQ(leseEinstellungen(*s, datei), EinstellungsQuelle::Fehlt);
  erwarteGleicheEinstellungen(*s, *defaults(1));
  EXPECT_EQ(s->UTCKorr, 2);
}

TEST_F(Einstellungen, FileSavedAsUtf8IsReadAsWell) {
  std::string utf8 = kDefaultDatei;
  auto ersetze = [&](const std::string& von, const std::string& nach) {
    for (std::size_t p = 0; (p = utf8.find(von, p)) != std::string::npos; p += nach.size())
      utf8.replace(p, von.size(), nach);
  };
  ersetze("\xFC", "\xC3\xBC");
  ersetze("\xE4", "\xC3\xA4");
  ersetze("\xB0", "\xC2\xB0");
  for (const std::string& inhalt : {utf8, "\xEF\xBB\xBF" + utf8}) {
    SCOPED_TRACE(inhalt.size());
    auto r = std::make_unique<State>();
    ASSERT_TRUE(leseEinstellungsInhalt(*r, inhalt));
    EXPECT_EQ(r->OrtA, "M\xC3\xBCnchen");
    EXPECT_EQ(r->X1, 48.1);
  }
}

TEST_F(Einstellungen, TextsThatTheFileCannotHoldAreWrittenSafely) {
  s->OrtA = "\xC5\x81\xC3\xB3" "d\xC5\xBA";  // Łódź: Ł and ź are not in Windows-1252
  s->OrtB = "zwei\r\nZeilen\tund \"Zitat\"";
  ASSERT_EQ(schreibeEinstellungen(*s, datei, kWinter), 0);
  auto r = std::make_unique<State>();
  ASSERT_EQ(leseEinstellungen(*r, datei), EinstellungsQuelle::Datei);
  EXPECT_EQ(r->OrtA, "?\xC3\xB3" "d?");
  EXPECT_EQ(r->OrtB, "zwei  Zeilen\tund 'Zitat'");
  EXPECT_EQ(r->X1, 48.1);  // no line was shifted
  EXPECT_EQ(r->L, 0);
}

TEST_F(Einstellungen, RewritingReplacesTheOldFileWhole) {
  schreib(datei, std::string(10000, 'z'));
  ASSERT_EQ(schreibeEinstellungen(*s, datei, kWinter), 0);
  EXPECT_EQ(lies(datei), kDefaultDatei);
  EXPECT_EQ(ordnerInhalt(), std::vector<std::string>{"Welvaro.dat"});
}

TEST_F(Einstellungen, WriteErrorIsReportedAndLeavesNoPartialFile) {
  // Folder missing.
  const fs::path fehlt = ordner / "gibtsnicht" / kEinstellungsDatei;
  EXPECT_NE(schreibeEinstellungen(*s, fehlt.string(), kWinter), 0);
  EXPECT_FALSE(fs::exists(fehlt.parent_path()));

  // The path is a folder: the new file is complete but cannot take its place.
  const fs::path belegt = ordner / "belegt";
  fs::create_directory(belegt);
  schreib(belegt / "drin", "alt");
  EXPECT_NE(schreibeEinstellungen(*s, belegt.string(), kWinter), 0);
  EXPECT_EQ(lies(belegt / "drin"), "alt");
  EXPECT_EQ(ordnerInhalt(), std::vector<std::string>{"belegt"});

  // A parent that is a file.
  schreib(ordner / "datei", "x");
  EXPECT_NE(schreibeEinstellungen(*s, (ordner / "datei" / kEinstellungsDatei).string(), kWinter), 0);
  EXPECT_EQ(lies(ordner / "datei"), "x");
}

TEST_F(Einstellungen, ReadOnlyFolderKeepsTheOldFile) {
  schreib(datei, "alt");
  fs::permissions(ordner, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  // Whoever may write into a read-only folder anyway (the superuser) cannot
  // see this failure.
  const std::string probe = (ordner / "probe").string();
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd >= 0) {
    ::close(fd);
    ::unlink(probe.c_str());
    GTEST_SKIP() << "running with the right to write into read-only folders";
  }
  EXPECT_NE(schreibeEinstellungen(*s, datei, kWinter), 0);
  EXPECT_EQ(lies(datei), "alt");
  EXPECT_EQ(ordnerInhalt(), std::vector<std::string>{"Welvaro.dat"});
}
