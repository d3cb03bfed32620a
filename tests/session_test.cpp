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

ProgramDirs folderOf(const TempDir& d) { return programDirs(d); }

}  // namespace

TEST(StartUp, FifosInPlaceOfTheFilesAreNamedAsUnreadable) {
  TempDir d;
  for (const char* n : {"Welvaro.dat", "Welvaro.tab", "Ortsvorg.txt", "fifo"})
    ASSERT_EQ(::mkfifo((d / n).c_str(), 0600), 0) << n;
  fs::create_symlink(d / "fifo", d / "MapWelt.dat");
  auto s = std::make_unique<State>();
  const StartReport b = prgStart(*s, FixedClock(kStart).read(), folderOf(d));  // would wait forever on a FIFO
  EXPECT_EQ(b.settings, SettingsSource::Missing);
  EXPECT_FALSE(b.places);
  EXPECT_TRUE(b.table.generated);
  EXPECT_EQ(s->OrtA, "München");
  EXPECT_EQ(s->Weltkarte, std::string(kWorldOverlayLength, '\0'));
  // The generated table is used from memory; no file takes a FIFO's place.
  EXPECT_EQ(s->TabText.size(), kTabHeaderLength);  // parsed, its header kept
  EXPECT_TRUE(fs::is_fifo(d / "Welvaro.tab"));
  EXPECT_TRUE(fs::is_fifo(d / "Welvaro.dat"));
  EXPECT_TRUE(std::any_of(b.problems.begin(), b.problems.end(),
                          [](const Message& m) { return m.text == kTxTabelleNichtGeschrieben; }));
  EXPECT_FALSE(fs::exists(d / "Welvaro.dat.bak"));
  // The data files not there, and the user is told where they were looked
  // for; those that are there but are no files are named as unreadable.
  // (and, above, that the table could not be written in a FIFO's place).
  ASSERT_EQ(b.problems.size(), 4u);
  std::vector<std::string> said;
  for (const Message& m : b.problems) said.push_back(messageText(1, m));
  for (const std::string& t :
       {"Some of the program's data files are missing (looked in " + d.str() + "): MapOrt.dat, Welvaro.hlp",
        "The file " + (d / "Ortsvorg.txt").string() + " could not be read: not a regular file",
        "The file " + (d / "MapWelt.dat").string() + " could not be read: not a regular file"})
    EXPECT_NE(std::find(said.begin(), said.end(), t), said.end()) << t;
  // Said in the program's language.
  EXPECT_EQ(messageText(0, b.problems.front()).rfind("Dateien, die zum Programm geh", 0), 0u);
}

TEST(StartUp, LeftoversOfInterruptedWritesAreRemoved) {
  TempDir d;
  for (const char* n : {"Welvaro.tab.Ab3dE9", "WelvDar1.bmp.k2LmN0", "Welvaro.dat.neu4711_0", ".Welvaro.dat.x1Y2z3"})
    writeFile(d / n, "halb");
  writeFile(d / "Welvaro.dat.sicher", "eigene Kopie");
  auto s = std::make_unique<State>();
  const StartReport b = prgStart(*s, FixedClock(kStart).read(), folderOf(d));
  EXPECT_EQ(b.leftovers, (std::vector<std::string>{".Welvaro.dat.x1Y2z3", "WelvDar1.bmp.k2LmN0", "Welvaro.dat.neu4711_0",
                                               "Welvaro.tab.Ab3dE9"}));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(d.path)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Welvaro.dat.sicher", "Welvaro.tab"}));
}

TEST(StartUp, ARefusedSettingsFileIsKeptAsideAndTheUserToldInTheirLanguage) {
  struct Case {
    int language;  // -1: the file names no language
    const char* start;
  } cases[] = {
      {0, "Die Einstellungsdatei "},        {1, "The settings file "},     {2, "Die Einstellungsdatei "},
      {3, "No se pudo usar el archivo de"}, {4, "Le fichier de réglages "}, {5, "Die Einstellungsdatei "},
      {-1, "Die Einstellungsdatei "},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.language);
    TempDir d;
    auto old = std::make_unique<State>();
    old->OrtA = "Eigener Ort";
    old->L = static_cast<int16>(f.language < 0 ? 0 : f.language);
    auto rows = split(settingsText(*old, kStart), "\r\n");
    rows.erase(rows.begin() + (f.language < 0 ? 21 : 20));  // one line short
    std::string content;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) content += rows[i] + "\r\n";
    writeFile(d / "Welvaro.dat", content);

    auto s = std::make_unique<State>();
    const StartReport b = prgStart(*s, FixedClock(kStart).read(), folderOf(d));
    EXPECT_EQ(b.settings, SettingsSource::Unusable);
    EXPECT_EQ(s->OrtA, "München");
    ASSERT_EQ(b.problems.size(), 2u);  // the data files, then the settings
    // In the language the refused file was written in, whatever the program's.
    const std::string text = messageText(1, b.problems[1]);
    EXPECT_EQ(messageText(0, b.problems[1]) == text, f.language >= 0);
    if (f.language >= 0) {
      EXPECT_EQ(text.rfind(f.start, 0), 0u) << text;
    }
    EXPECT_EQ(messageText(0, b.problems[1]).rfind(f.language == 1 ? "The settings file " : f.language == 3 ? "No se pudo"
                                                  : f.language == 4 ? "Le fichier" : "Die Einstellungsdatei ", 0),
              0u);
    EXPECT_NE(text.find((d / "Welvaro.dat.bak").string()), std::string::npos);
    EXPECT_EQ(readFile(d / "Welvaro.dat.bak"), content);

    // The confirmed end writes the start values; the refused file stays aside.
    EXPECT_TRUE(prgSpeicherDaten(*s, folderOf(d), kStart).empty());
    EXPECT_EQ(readFile(d / "Welvaro.dat.bak"), content);
    EXPECT_NE(readFile(d / "Welvaro.dat").find("M\xFCnchen"), std::string::npos);
  }
}
