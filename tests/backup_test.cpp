// Refused settings files kept aside: no copy ever overwrites another, five
// are kept, the oldest goes first, a link stays in place, and the user is
// told the name of the copy.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/backup.h"
#include "files/settings.h"
#include "lang/sprachtext.h"
#include "schedule/session.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const DateTime kStart{2026, 12, 8, 15, 4, 0};

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

ProgramDirs dirsOf(const TempDir& d) { return programDirs(d); }

}  // namespace

TEST(KeepAside, EveryCopyGetsANameOfItsOwnAndTheOldestGoesFirst) {
  TempDir d;
  const fs::path file = d / "Welvaro.dat";
  struct Step {
    const char* kept;                    // name the n-th refused file is kept under
    std::vector<std::string> contents;   // .bak, .bak.1, .. afterwards
  } steps[] = {
      {"Welvaro.dat.bak", {"1"}},
      {"Welvaro.dat.bak.1", {"1", "2"}},
      {"Welvaro.dat.bak.2", {"1", "2", "3"}},
      {"Welvaro.dat.bak.3", {"1", "2", "3", "4"}},
      {"Welvaro.dat.bak.4", {"1", "2", "3", "4", "5"}},
      {"Welvaro.dat.bak.4", {"2", "3", "4", "5", "6"}},
      {"Welvaro.dat.bak.4", {"3", "4", "5", "6", "7"}},
  };
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(++n);
    writeFile(file, std::to_string(n));
    fs::path kept;
    ASSERT_TRUE(keepAside(file, kept).ok());
    EXPECT_EQ(kept, d / step.kept);
    EXPECT_FALSE(fs::exists(file));
    for (std::size_t i = 0; i < step.contents.size(); ++i)
      EXPECT_EQ(readFile(backupName(file, static_cast<int>(i))), step.contents[i]) << i;
    EXPECT_EQ(namesIn(d.path).size(), step.contents.size());
  }
}

TEST(KeepAside, GapsLeftByTheUserKeepTheOrderOfAge) {
  TempDir d;
  const fs::path file = d / "Welvaro.dat";
  writeFile(d / "Welvaro.dat.bak.1", "older");
  writeFile(d / "Welvaro.dat.bak.3", "old");
  writeFile(file, "new");
  fs::path kept;
  ASSERT_TRUE(keepAside(file, kept).ok());
  EXPECT_EQ(kept, d / "Welvaro.dat.bak.4");  // after the newest, not into a gap before it
  writeFile(file, "newer");
  ASSERT_TRUE(keepAside(file, kept).ok());
  EXPECT_EQ(kept, d / "Welvaro.dat.bak.3");
  EXPECT_EQ(namesIn(d.path), (std::vector<std::string>{"Welvaro.dat.bak", "Welvaro.dat.bak.1", "Welvaro.dat.bak.2",
                                                       "Welvaro.dat.bak.3"}));
  EXPECT_EQ(readFile(d / "Welvaro.dat.bak"), "older");
  EXPECT_EQ(readFile(d / "Welvaro.dat.bak.1"), "old");
  EXPECT_EQ(readFile(d / "Welvaro.dat.bak.2"), "new");
  EXPECT_EQ(readFile(d / "Welvaro.dat.bak.3"), "newer");
}

TEST(KeepAside, ALinkStaysAndTheFileItPointsToIsCopied) {
  TempDir d;
  fs::create_directories(d / "dotfiles");
  writeFile(d / "dotfiles" / "welvaro.dat", "refused");
  fs::create_symlink(d / "dotfiles" / "welvaro.dat", d / "Welvaro.dat");
  fs::path kept;
  ASSERT_TRUE(keepAside(d / "Welvaro.dat", kept).ok());
  EXPECT_EQ(kept, d / "Welvaro.dat.bak");
  EXPECT_TRUE(fs::is_symlink(d / "Welvaro.dat"));
  EXPECT_FALSE(fs::is_symlink(kept));
  EXPECT_EQ(readFile(kept), "refused");
}

// Two damaged settings files in a row (a broken sync tool): the first
// copy, which may hold the user's last good settings, survives the second.
TEST(StartUp, TwoRefusedSettingsFilesInARowAreBothKept) {
  TempDir d;
  const std::string first = "\"Stationsort(A): Erster Versuch\"\r\n";
  const std::string second = "\"Stationsort(A): Zweiter Versuch\"\r\n";
  std::string kept;
  for (const std::string& content : {first, second}) {
    writeFile(d / "Welvaro.dat", content);
    auto s = std::make_unique<State>();
    const StartReport b = prgStart(*s, FixedClock(kStart).read(), dirsOf(d));
    ASSERT_EQ(b.settings, SettingsSource::Unusable);
    const auto m = std::find_if(b.problems.begin(), b.problems.end(),
                                [](const Message& p) { return p.text == kTxEinstellungenAufbewahrt; });
    ASSERT_NE(m, b.problems.end());
    kept = messageText(1, *m);
    EXPECT_TRUE(prgSpeicherDaten(*s, dirsOf(d), kStart).empty());
  }
  EXPECT_EQ(readFile(d / "Welvaro.dat.bak"), first);
  EXPECT_EQ(readFile(d / "Welvaro.dat.bak.1"), second);
  // The message names the copy the second file went to.
  EXPECT_NE(kept.find((d / "Welvaro.dat.bak.1").string()), std::string::npos) << kept;
}
