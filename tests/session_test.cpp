// The start-up sequence with odd files in the program's folder: FIFOs and
// links to them, leftovers of interrupted writes, and a refused settings
// file that must survive the next confirmed end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "files/overlay.h"
#include "files/settings.h"
#include "lang/sprachtext.h"
#include "schedule/session.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const DateTime kStart{2026, 12, 8, 15, 4, 0};

ProgramDirs ordnerVon(const TempDir& d) {
  ProgramDirs dirs;
  dirs.writeDir = d.path;
  dirs.dataDirs = {d.path};
  return dirs;
}

}  // namespace

TEST(StartUp, FifosInPlaceOfTheFilesCountAsMissing) {
  TempDir d;
  for (const char* n : {"Welvaro.dat", "Welvaro.tab", "Ortsvorg.txt", "fifo"})
    ASSERT_EQ(::mkfifo((d / n).c_str(), 0600), 0) << n;
  fs::create_symlink(d / "fifo", d / "MapWelt.dat");
  auto s = std::make_unique<State>();
  const StartBericht b = prgStart(*s, FixedClock(kStart).read(), ordnerVon(d));  // would wait forever on a FIFO
  EXPECT_EQ(b.einstellungen, EinstellungsQuelle::Fehlt);
  EXPECT_FALSE(b.orte);
  EXPECT_TRUE(b.tabelle.generated);
  EXPECT_EQ(s->OrtA, "München");
  EXPECT_EQ(s->Weltkarte, std::string(kWeltkarteLaenge, '\0'));
  // The generated table took the FIFO's name; the settings FIFO is left alone.
  EXPECT_EQ(fs::file_size(d / "Welvaro.tab"), kTabLaenge);
  EXPECT_TRUE(fs::is_fifo(d / "Welvaro.dat"));
  EXPECT_FALSE(fs::exists(d / "Welvaro.dat.bak"));
  // No data files anywhere, and the user is told where they were looked for.
  ASSERT_FALSE(b.probleme.empty());
  EXPECT_EQ(meldungText(1, b.probleme.front()), "Data files of the program not found (looked in " + d.str() +
                                                    "): Ortsvorg.txt, MapWelt.dat, MapOrt.dat, Welvaro.hlp");
  // Said in the program's language.
  EXPECT_EQ(meldungText(0, b.probleme.front()).rfind("Dateien, die zum Programm geh", 0), 0u);
}

TEST(StartUp, LeftoversOfInterruptedWritesAreRemoved) {
  TempDir d;
  for (const char* n : {"Welvaro.tab.Ab3dE9", "WelvDar1.bmp.k2LmN0", "Welvaro.dat.neu4711_0", ".Welvaro.dat.x1Y2z3"})
    writeFile(d / n, "halb");
  writeFile(d / "Welvaro.dat.sicher", "eigene Kopie");
  auto s = std::make_unique<State>();
  const StartBericht b = prgStart(*s, FixedClock(kStart).read(), ordnerVon(d));
  EXPECT_EQ(b.reste, (std::vector<std::string>{".Welvaro.dat.x1Y2z3", "WelvDar1.bmp.k2LmN0", "Welvaro.dat.neu4711_0",
                                               "Welvaro.tab.Ab3dE9"}));
  std::vector<std::string> namen;
  for (const auto& e : fs::directory_iterator(d.path)) namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  EXPECT_EQ(namen, (std::vector<std::string>{"Welvaro.dat.sicher", "Welvaro.tab"}));
}

TEST(StartUp, ARefusedSettingsFileIsKeptAsideAndTheUserToldInTheirLanguage) {
  struct Fall {
    int sprache;  // -1: the file names no language
    const char* anfang;
  } faelle[] = {
      {0, "Die Einstellungsdatei "},        {1, "The settings file "},     {2, "Die Einstellungsdatei "},
      {3, "No se pudo usar el archivo de"}, {4, "Le fichier de réglages "}, {5, "Die Einstellungsdatei "},
      {-1, "Die Einstellungsdatei "},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.sprache);
    TempDir d;
    auto alt = std::make_unique<State>();
    alt->OrtA = "Eigener Ort";
    alt->L = static_cast<int16>(f.sprache < 0 ? 0 : f.sprache);
    auto zeilen = split(einstellungsInhalt(*alt, kStart), "\r\n");
    zeilen.erase(zeilen.begin() + (f.sprache < 0 ? 21 : 20));  // one line short
    std::string inhalt;
    for (std::size_t i = 0; i + 1 < zeilen.size(); ++i) inhalt += zeilen[i] + "\r\n";
    writeFile(d / "Welvaro.dat", inhalt);

    auto s = std::make_unique<State>();
    const StartBericht b = prgStart(*s, FixedClock(kStart).read(), ordnerVon(d));
    EXPECT_EQ(b.einstellungen, EinstellungsQuelle::Unbrauchbar);
    EXPECT_EQ(s->OrtA, "München");
    ASSERT_EQ(b.probleme.size(), 2u);  // the data files, then the settings
    // In the language the refused file was written in, whatever the program's.
    const std::string text = meldungText(1, b.probleme[1]);
    EXPECT_EQ(meldungText(0, b.probleme[1]) == text, f.sprache >= 0);
    if (f.sprache >= 0) {
      EXPECT_EQ(text.rfind(f.anfang, 0), 0u) << text;
    }
    EXPECT_EQ(meldungText(0, b.probleme[1]).rfind(f.sprache == 1 ? "The settings file " : f.sprache == 3 ? "No se pudo"
                                                  : f.sprache == 4 ? "Le fichier" : "Die Einstellungsdatei ", 0),
              0u);
    EXPECT_NE(text.find((d / "Welvaro.dat.bak").string()), std::string::npos);
    EXPECT_EQ(readFile(d / "Welvaro.dat.bak"), inhalt);

    // The confirmed end writes the start values; the refused file stays aside.
    EXPECT_TRUE(prgSpeicherDaten(*s, ordnerVon(d), kStart).empty());
    EXPECT_EQ(readFile(d / "Welvaro.dat.bak"), inhalt);
    EXPECT_NE(readFile(d / "Welvaro.dat").find("M\xFCnchen"), std::string::npos);
  }
}
