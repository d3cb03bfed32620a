// The settings file: exact layout, round trip, summer time, hand-written
// and broken files, and safe replacement on disk.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <tuple>

#include "files/window_prefs.h"
#include "files/settings.h"
#include "state/calendar.h"
#include "testutil.h"

using namespace welvaro;
using test::readFile;
using test::writeFile;
namespace fs = std::filesystem;

namespace {

const DateTime kWinter{2025, 1, 15, 10, 0, 0};
const DateTime kSummer{2025, 7, 1, 10, 0, 0};

// The file the defaults give when written in winter, byte for byte
// (Windows-1252: ü = 0xFC, ä = 0xE4, ° = 0xB0).
const std::string kDefaultFile =
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

std::vector<std::string> linesOf(const std::string& file) {
  auto z = test::split(file, "\r\n");
  z.pop_back();  // the rest after the last line end
  return z;
}

std::string connectTo(const std::vector<std::string>& z, const char* end = "\r\n") {
  std::string t;
  for (const auto& x : z) t += x + end;
  return t;
}

// The stored settings of a record, for comparing two records at once.
auto saved(const State& a) {
  return std::tuple(a.OrtA, a.X1, a.Y1, a.OrtB, a.OrtX2, a.OrtY2, a.Zkwa, a.Zkw, a.Sag, a.Eag, a.Iproz, a.P, a.Angm,
                    a.Ssn, a.Ssna, a.UTCKorr, a.AktFrequenz, a.Speicher1, a.Speicher2, a.Speicher3, a.Speicher4,
                    a.Speicher5, a.Speicher6, a.L);
}

// A record holding the defaults, with the start-up flag of `flag`.
std::unique_ptr<State> defaults(int flag) {
  auto d = std::make_unique<State>();
  d->SoZeitFlag = static_cast<int16>(flag);
  settingsDefaults(*d);
  return d;
}

class Settings : public testing::Test {
 protected:
  void SetUp() override { setSummerTime(*s, kWinter); }
  std::vector<std::string> folderContent() const {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(folder.path)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
  }

  test::TempDir folder;
  std::string file = (folder / kSettingsFileName).string();
  std::unique_ptr<State> s = std::make_unique<State>();
};

}  // namespace

TEST_F(Settings, DefaultsAreWrittenByteForByteOverAnOldFile) {
  writeFile(file, std::string(10000, 'z'));
  ASSERT_TRUE(writeSettings(*s, file, kWinter).ok());
  EXPECT_EQ(readFile(file), kDefaultFile);
  EXPECT_EQ(folderContent(), std::vector<std::string>{"Welvaro.dat"});
  EXPECT_EQ(settingsText(*s, kWinter), kDefaultFile);
}

TEST_F(Settings, DefaultFileReadsBackToTheDefaults) {
  writeFile(file, kDefaultFile);
  auto r = std::make_unique<State>();
  r->OrtA = "anders";
  r->L = 4;
  ASSERT_EQ(readSettings(*r, file), SettingsSource::File);
  EXPECT_EQ(saved(*r), saved(*s));
  EXPECT_EQ(r->OrtA, "M\xC3\xBCnchen");  // held as UTF-8 in memory
  EXPECT_EQ(r->DatZeile[1], "M\xC3\xBCnchen");
  EXPECT_EQ(r->DatZeile[2], " 48.1");
  EXPECT_EQ(r->DatZeile[7], "0.1");
  EXPECT_EQ(r->DatZeile[22], " 0");
}

TEST_F(Settings, RoundTripKeepsEveryStoredSetting) {
  s->OrtA = "K\xC3\xB6ln: Dom, S\xC3\xBC" "dseite";  // colon and comma in the name
  s->X1 = 0;                                          // written as " 0"
  s->Y1 = -0.5f;
  s->OrtB = "Saint-\xC3\x89tienne, \"Loire\"x";
  s->OrtX2 = -33.87f, s->OrtY2 = 151.21f;
  s->Zkwa = " 1.5 kW", s->Zkw = 1.5;
  s->Sag = 0, s->Eag = -3.25, s->Iproz = 90, s->P = "L", s->Angm = 0.5;
  s->Ssn = "75", s->Ssna = 75, s->UTCKorr = -5, s->UTCKorrFolgt = 0, s->AktFrequenz = 14.1f;
  s->Speicher1 = 0, s->Speicher2 = 3.55f, s->Speicher3 = 7.1f;
  s->Speicher4 = 10.125f, s->Speicher5 = 24.9f, s->Speicher6 = 28.5f;
  s->L = 3;
  ASSERT_TRUE(writeSettings(*s, file, kWinter).ok());

  const auto z = linesOf(readFile(file));
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
  setSummerTime(*r, kWinter);
  ASSERT_EQ(readSettings(*r, file), SettingsSource::File);
  s->OrtB = "Saint-\xC3\x89tienne, 'Loire'x";
  EXPECT_EQ(saved(*r), saved(*s));
}

TEST_F(Settings, TimeZoneLineHoldsStandardTime) {
  setSummerTime(*s, kSummer);  // window of 2025: 30 March .. 26 October
  s->UTCKorr = 2;
  ASSERT_TRUE(writeSettings(*s, file, kSummer).ok());
  EXPECT_EQ(linesOf(readFile(file))[13], "\"Zeitzone (O=+/W=- Std.):  1\"");
  EXPECT_EQ(s->UTCKorr, 2);  // the running record keeps local time

  struct Case {
    DateTime start;
    float utcOffset;
  } starts[] = {{kSummer, 2}, {kWinter, 1}, {{2025, 3, 30, 0, 0, 0}, 2}, {{2025, 10, 26, 0, 0, 0}, 1}};
  for (const auto& c : starts) {
    SCOPED_TRACE(shortDate(c.start));
    auto r = std::make_unique<State>();
    setSummerTime(*r, c.start);
    ASSERT_EQ(readSettings(*r, file), SettingsSource::File);
    EXPECT_EQ(r->UTCKorr, c.utcOffset);
  }

  // For a zone the user chose, the moment of writing decides, not the
  // start-up flag.
  s->UTCKorrFolgt = 0;
  struct WriteCase {
    DateTime now;
    const char* value;
  } writeText[] = {
      {{2025, 3, 29, 23, 59, 59}, " 2"}, {{2025, 3, 30, 0, 0, 0}, " 1"},
      {{2025, 10, 25, 23, 0, 0}, " 1"},  {{2025, 10, 26, 0, 0, 0}, " 2"},
  };
  s->SoZeitFlag = 0;
  for (const auto& c : writeText) {
    SCOPED_TRACE(shortDate(c.now));
    EXPECT_EQ(linesOf(settingsText(*s, c.now))[13], std::string("\"Zeitzone (O=+/W=- Std.): ") + c.value + "\"");
  }
}

TEST_F(Settings, HandWrittenLinesAreReadByTheItemRule) {
  auto z = linesOf(kDefaultFile);
  z[0] = "  Stationsort(A): Berlin, Germany";              // unquoted: up to the comma
  z[3] = "\"Stationsort(B): Paris, France\" rest, ignored";  // quoted: comma kept
  z[1] = "Breite:52.5";                                    // no blank after the colon
  z[4] = "\"Irgendwas: Text: 51.3\"";                      // label never compared
  z[20] = "\"Speicher6-Frequenz(MHz):  28,5\"";            // a comma is no decimal point
  z[21] = "\"Landessprache:  1";                           // closing quote missing
  writeFile(file, connectTo(z, "\n"));                     // LF line ends from an editor
  ASSERT_EQ(readSettings(*s, file), SettingsSource::File);
  EXPECT_EQ(s->OrtA, "Berlin");
  EXPECT_EQ(s->X1, 52.5);
  EXPECT_EQ(s->OrtB, "Paris, France");
  EXPECT_EQ(s->OrtX2, 0.0f);  // "Text: 51.3" does not begin with a number
  EXPECT_EQ(s->Y1, 11.5f);    // the lines after the hand-written ones stay in place
  EXPECT_EQ(s->OrtY2, -3.7f);
  EXPECT_EQ(s->Speicher6, 28.0f);
  EXPECT_EQ(s->L, 1);

  // Items after the 22nd are ignored.
  writeFile(file, kDefaultFile + "\"Landessprache:  4\"\r\n\r\nbinary\x01\x02\r\n");
  ASSERT_EQ(readSettings(*s, file), SettingsSource::File);
  EXPECT_EQ(s->L, 0);
  EXPECT_EQ(s->DatZeile[23], "");
}

// Blanks and tabs before a quoted item are skipped, so an indented line
// keeps its comma and nothing of its quotes; every kind of line end, the
// last line with or without one.
TEST_F(Settings, IndentedLinesAndEveryLineEnd) {
  auto z = linesOf(kDefaultFile);
  z[0] = " \t \"Stationsort(A): Berlin, Mitte\"";
  z[3] = "\t\"Stationsort(B): Rom\"";
  for (const char* end : {"\r\n", "\n", "\r"}) {
    for (const bool lastWithEnd : {true, false}) {
      SCOPED_TRACE(testing::Message() << testing::PrintToString(std::string(end)) << " " << lastWithEnd);
      std::string text = connectTo(z, end);
      if (!lastWithEnd) text.resize(text.size() - std::string(end).size());
      auto r = std::make_unique<State>();
      ASSERT_TRUE(readSettingsText(*r, text));
      EXPECT_EQ(r->OrtA, "Berlin, Mitte");
      EXPECT_EQ(r->OrtB, "Rom");
      EXPECT_EQ(r->X1, 48.1);
      EXPECT_EQ(r->L, 0);
      EXPECT_EQ(r->DatZeile[22], " 0");
    }
  }
}

// Every number must fit its field: no field takes a number beyond any
// double, and the single fields none beyond the largest single; a double
// field takes such a number.
TEST_F(Settings, EveryNumberMustFitItsField) {
  const auto z = linesOf(kDefaultFile);
  const std::string huge = "1" + std::string(400, '0'), tooBigForSingle = "1" + std::string(60, '0');
  struct Case {
    int line;  // 1..22
    bool single;
  } cases[] = {{2, false},  {3, true},  {5, true},  {6, true},  {7, false}, {8, false}, {9, false},
                {10, false}, {12, false}, {13, false}, {14, true}, {15, true}, {16, true}, {17, true},
                {18, true},  {19, true},  {20, true},  {21, true}};
  for (const Case& f : cases) {
    SCOPED_TRACE(z[static_cast<std::size_t>(f.line - 1)]);
    auto withLine = [&](const std::string& number) {
      auto k = z;
      const std::string& old = k[static_cast<std::size_t>(f.line - 1)];
      k[static_cast<std::size_t>(f.line - 1)] = old.substr(0, old.find(':') + 2) + number + "\"";
      return connectTo(k);
    };
    auto r = std::make_unique<State>();
    EXPECT_FALSE(readSettingsText(*r, withLine(huge)));
    EXPECT_EQ(readSettingsText(*r, withLine(tooBigForSingle)), !f.single);
    EXPECT_TRUE(readSettingsText(*r, withLine("-7.5")));
  }
}

// A settings file is a few hundred bytes: one with a long tail after its 22
// lines is still read, one beyond a megabyte is none.
TEST_F(Settings, LongTailIsReadButNoFileBeyondAMegabyte) {
  const std::string line = "\"Kommentar: " + std::string(1000, 'x') + "\"\r\n";
  std::string lang = kDefaultFile;
  while (lang.size() < 500000) lang += line;
  writeFile(file, lang);
  EXPECT_EQ(readSettings(*s, file), SettingsSource::File);
  while (lang.size() <= (1u << 20)) lang += line;
  writeFile(file, lang);
  EXPECT_EQ(readSettings(*s, file), SettingsSource::Unusable);
}

TEST_F(Settings, LanguageIsRoundedHalfToEvenAndHeldInZeroToFive) {
  struct Case {
    const char* value;
    int l;
  } cases[] = {{" 2.5", 2}, {" 3.5", 4}, {" 9", 5},    {"-1", 0},  {" 4.6", 5}, {" 5.5", 5},
               {" .5", 0},  {" 1.5", 2}, {"-0.4", 0}, {"abc", 0}, {" 1,7", 1},
               {" 99999999999999999999999999999999999999999999", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    auto z = linesOf(kDefaultFile);
    z[21] = std::string("\"Landessprache: ") + c.value + "\"";
    s->L = 3;
    ASSERT_TRUE(readSettingsText(*s, connectTo(z)));
    EXPECT_EQ(s->L, c.l);
  }
}

TEST_F(Settings, TimeZoneIsHeldToTheDialogsRangeBeforeTheSummerHour) {
  struct Case {
    const char* value;
    float winter, summer;  // UTCKorr read with SoZeitFlag 0 and 1
  } cases[] = {{" 1", 1, 2},      {" 12", 12, 13},    {"-12", -12, -11}, {" 5.5", 5.5f, 6.5f},
               {" 10000000000000000", 14, 15}, {"-10000000000000000", -12, -11}, {" 13", 13, 14},
               {" 15", 14, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    auto z = linesOf(kDefaultFile);
    z[13] = std::string("\"Zeitzone (O=+/W=- Std.): ") + c.value + "\"";
    for (int flag : {0, 1}) {
      s->SoZeitFlag = static_cast<int16>(flag);
      ASSERT_TRUE(readSettingsText(*s, connectTo(z)));
      EXPECT_EQ(s->UTCKorr, flag ? c.summer : c.winter);
    }
  }
}

TEST_F(Settings, TheLanguageOfARefusedFileIsFoundForItsMessage) {
  auto z = linesOf(kDefaultFile);
  z[21] = "\"Landessprache:  3\"";
  z.erase(z.begin() + 4);  // one line short: refused as a whole
  ASSERT_FALSE(readSettingsText(*s, connectTo(z)));
  EXPECT_EQ(languageOfFile(connectTo(z)), 3);
  EXPECT_EQ(languageOfFile("\"Landessprache: 7\"\n"), 5);
  EXPECT_EQ(languageOfFile(std::string(5000, 'x')), std::nullopt);
}

TEST_F(Settings, MissingOrBrokenFileGivesTheDefaultsForTheWholeRecord) {
  const auto z = linesOf(kDefaultFile);
  auto withLine = [&](int line, const std::string& text) {
    auto k = z;
    k[static_cast<std::size_t>(line)] = text;
    return connectTo(k);
  };
  const auto withoutLast = connectTo({z.begin(), z.end() - 1});
  auto withEmptyLine = z;
  withEmptyLine.insert(withEmptyLine.begin() + 5, "");
  struct Case {
    const char* name;
    std::optional<std::string> content;  // none: no file
  } cases[] = {
      {"no file", std::nullopt},
      {"empty", ""},
      {"21 lines", withoutLast},
      {"21 lines and a blank last line", withoutLast + "\r\n"},
      {"empty line among the first 22", connectTo(withEmptyLine)},
      {"empty line among the first 22, LF line ends", connectTo(withEmptyLine, "\n")},
      {"empty line among the first 22, CR line ends", connectTo(withEmptyLine, "\r")},
      {"blank-only line", withLine(9, "    ")},
      {"empty quoted item", withLine(3, "\"\"")},
      {"line without a label", withLine(12, "\"128\"")},
      {"binary", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0", 11) + connectTo(z)},
      {"control character in an item", withLine(0, std::string("\"Stationsort(A): M\0nchen\"", 25))},
      {"DEL in an item", withLine(0, "\"Stationsort(A): M\x7Fnchen\"")},
      {"one long garbage line", std::string(5000, 'x')},
      {"latitude of station B too large for a single",
       withLine(4, "\"Breitengrad/B(N=+/S=-):  1" + std::string(60, '0') + "\"")},
      {"power beyond any number", withLine(6, "\"Sendeleistung(kW): 1" + std::string(400, '0') + "\"")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(file);
    if (c.content) writeFile(file, *c.content);
    for (int flag : {0, 1}) {
      auto r = std::make_unique<State>();
      r->SoZeitFlag = static_cast<int16>(flag);
      r->OrtA = "vorher";
      r->X1 = -10;
      r->L = 3;
      r->UTCKorr = 7;
      r->DatZeile[1] = "vorher";
      r->DatZeile[22] = "vorher";
      EXPECT_EQ(readSettings(*r, file), c.content ? SettingsSource::Unusable : SettingsSource::Missing);
      EXPECT_EQ(saved(*r), saved(*defaults(flag)));
      EXPECT_EQ(r->UTCKorr, 1 + flag);
      EXPECT_EQ(r->DatZeile[1], "");
      EXPECT_EQ(r->DatZeile[22], "");
    }
  }
}

TEST_F(Settings, FileSavedAsUtf8IsReadAsWell) {
  std::string utf8 = kDefaultFile;
  auto replace = [&](const std::string& from, const std::string& to) {
    for (std::size_t p = 0; (p = utf8.find(from, p)) != std::string::npos; p += to.size()) utf8.replace(p, from.size(), to);
  };
  replace("\xFC", "\xC3\xBC");
  replace("\xE4", "\xC3\xA4");
  replace("\xB0", "\xC2\xB0");
  for (const std::string& content : {utf8, "\xEF\xBB\xBF" + utf8}) {
    SCOPED_TRACE(content.size());
    auto r = std::make_unique<State>();
    ASSERT_TRUE(readSettingsText(*r, content));
    EXPECT_EQ(r->OrtA, "M\xC3\xBCnchen");
    EXPECT_EQ(r->X1, 48.1);
  }
}

TEST_F(Settings, TextsThatTheFileCannotHoldAreWrittenSafely) {
  s->OrtA = "\xC5\x81\xC3\xB3" "d\xC5\xBA";  // Łódź: Ł and ź are not in Windows-1252
  s->OrtB = "zwei\r\nZeilen\tund \"Zitat\"";
  ASSERT_TRUE(writeSettings(*s, file, kWinter).ok());
  auto r = std::make_unique<State>();
  ASSERT_EQ(readSettings(*r, file), SettingsSource::File);
  EXPECT_EQ(r->OrtA, "L\xC3\xB3" "dz");  // the nearest letters, never "?"
  EXPECT_EQ(r->OrtB, "zwei  Zeilen\tund 'Zitat'");
  EXPECT_EQ(r->X1, 48.1);  // no line was shifted
  EXPECT_EQ(r->L, 0);
}

TEST_F(Settings, WriteErrorIsReportedAndLeavesNoPartialFile) {
  // Folder missing.
  const fs::path missing = folder / "gibtsnicht" / kSettingsFileName;
  EXPECT_FALSE(writeSettings(*s, missing.string(), kWinter).ok());
  EXPECT_FALSE(fs::exists(missing.parent_path()));

  // The path is a folder: the new file is complete but cannot take its place.
  const fs::path occupied = folder / "belegt";
  fs::create_directory(occupied);
  writeFile(occupied / "drin", "alt");
  EXPECT_FALSE(writeSettings(*s, occupied.string(), kWinter).ok());
  EXPECT_EQ(readFile(occupied / "drin"), "alt");
  EXPECT_EQ(folderContent(), std::vector<std::string>{"belegt"});

  // A parent that is a file.
  writeFile(folder / "datei", "x");
  EXPECT_FALSE(writeSettings(*s, (folder / "datei" / kSettingsFileName).string(), kWinter).ok());
  EXPECT_EQ(readFile(folder / "datei"), "x");
}

TEST_F(Settings, ReadOnlyFolderKeepsTheOldFile) {
  writeFile(file, "alt");
  fs::permissions(folder.path, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  // Whoever may write into a read-only folder anyway (the superuser) cannot
  // see this failure.
  const std::string probe = (folder / "probe").string();
  if (const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600); fd >= 0) {
    ::close(fd);
    ::unlink(probe.c_str());
    GTEST_SKIP() << "running with the right to write into read-only folders";
  }
  EXPECT_FALSE(writeSettings(*s, file, kWinter).ok());
  EXPECT_EQ(readFile(file), "alt");
  EXPECT_EQ(folderContent(), std::vector<std::string>{"Welvaro.dat"});
}

// The window's preferences file: written and read back; damaged lines,
// values out of range and a file that is not regular give the start values.
TEST(WindowPrefs, RoundTripAndDamagedFiles) {
  WindowPrefs f;
  f.x = -20, f.y = 40, f.width = 1920, f.height = 1050, f.maximized = true, f.projection = 1;
  const WindowPrefs r = windowPrefsFromText(windowPrefsText(f));
  EXPECT_EQ(std::tie(r.x, r.y, r.width, r.height, r.maximized, r.projection),
            std::tie(f.x, f.y, f.width, f.height, f.maximized, f.projection));

  const WindowPrefs d = windowPrefsFromText("breite=abc\r\nhoehe=-5\nprojektion=7\nx=12\ngarbage\n=3\nmaximiert=1");
  EXPECT_EQ(d.width, 0);
  EXPECT_EQ(d.height, 0);
  EXPECT_EQ(d.projection, 0);
  EXPECT_EQ(d.x, 12);
  EXPECT_TRUE(d.maximized);

  test::TempDir folder;
  EXPECT_EQ(writeWindowPrefs(folder / "WelvaroFenster.ini", f), 0);
  EXPECT_EQ(readWindowPrefs(folder / "WelvaroFenster.ini").width, 1920);
  fs::create_directory(folder / "Ordner.ini");
  EXPECT_EQ(readWindowPrefs(folder / "Ordner.ini").width, 0);
  EXPECT_EQ(readWindowPrefs(folder / "fehlt.ini").projection, 0);
}
