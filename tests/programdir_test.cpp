// Where the program writes its own files and finds the shipped data files.
#include <gtest/gtest.h>

#include "files/programdir.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

ProgramDirInputs inputs() {
  ProgramDirInputs in;
  in.exeDir = "/opt/build/src/app";
  in.exeDirWritable = true;
  in.installedBinDir = "/usr/bin";
  in.installedDataDir = "/usr/share/welvaro";
  in.home = "/home/dl1abc";
  return in;
}

}  // namespace

TEST(ProgramDir, WhereFilesAreWrittenAndRead) {
  struct Case {
    const char* name;
    void (*change)(ProgramDirInputs&);
    bool installed;
    fs::path writeDir;
    std::vector<fs::path> dataDirs;
  };
  const Case cases[] = {
      {"copy in a writable folder keeps everything beside it", [](ProgramDirInputs&) {}, false,
       "/opt/build/src/app", {"/opt/build/src/app", "/usr/share/welvaro"}},
      {"folder not writable: installed, default user folder",
       [](ProgramDirInputs& in) { in.exeDirWritable = false; }, true, "/home/dl1abc/.local/share/welvaro",
       {"/usr/share/welvaro"}},
      {"the installation's program folder counts as installed even when writable",
       [](ProgramDirInputs& in) { in.exeDir = "/usr/bin/"; }, true, "/home/dl1abc/.local/share/welvaro",
       {"/usr/share/welvaro"}},
      {"XDG_DATA_HOME is used when absolute",
       [](ProgramDirInputs& in) {
         in.exeDirWritable = false;
         in.xdgDataHome = "/data/me";
       },
       true, "/data/me/welvaro", {"/usr/share/welvaro"}},
      {"a relative XDG_DATA_HOME is ignored",
       [](ProgramDirInputs& in) {
         in.exeDirWritable = false;
         in.xdgDataHome = "data";
       },
       true, "/home/dl1abc/.local/share/welvaro", {"/usr/share/welvaro"}},
      {"no home and no XDG_DATA_HOME: no folder",
       [](ProgramDirInputs& in) {
         in.exeDirWritable = false;
         in.home.clear();
       },
       true, "", {"/usr/share/welvaro"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramDirInputs in = inputs();
    c.change(in);
    const ProgramDirs d = resolveProgramDirs(in);
    EXPECT_EQ(d.installed, c.installed);
    EXPECT_EQ(d.writeDir, c.writeDir);
    EXPECT_EQ(d.dataDirs, c.dataDirs);
  }
}

TEST(ProgramDir, PrepareCreatesTheUserFolderAndSetsPfad) {
  TempDir dir;
  ProgramDirInputs in = inputs();
  in.exeDirWritable = false;
  in.xdgDataHome = (dir / "xdg").string();
  const ProgramDirs d = resolveProgramDirs(in);
  auto s = std::make_unique<State>();
  EXPECT_EQ(prepareProgramDir(*s, d), "");
  EXPECT_TRUE(fs::is_directory(dir / "xdg" / "welvaro"));
  EXPECT_EQ(s->Pfad, (dir / "xdg" / "welvaro").string());
  EXPECT_EQ(ownFile(*s, kTabelleDatei), dir / "xdg" / "welvaro" / "Welvaro.tab");
  EXPECT_EQ(ownFile(d, kEinstellungDatei), dir / "xdg" / "welvaro" / "Welvaro.dat");

  // A file where the folder should be: reported, Pfad unchanged.
  writeFile(dir / "blocked", "x");
  in.xdgDataHome = (dir / "blocked").string();
  s->Pfad = "before";
  EXPECT_NE(prepareProgramDir(*s, resolveProgramDirs(in)), "");
  EXPECT_EQ(s->Pfad, "before");

  in.xdgDataHome.clear();
  in.home.clear();
  EXPECT_NE(prepareProgramDir(*s, resolveProgramDirs(in)), "");
}

TEST(ProgramDir, DataFileIsTakenFromTheFirstFolderHoldingIt) {
  TempDir dir;
  fs::create_directories(dir / "exe");
  fs::create_directories(dir / "share");
  for (const char* f : {"share/Ortsvorg.txt", "share/MapWelt.dat", "exe/MapWelt.dat"}) writeFile(dir / f, "x");
  ProgramDirs d;
  d.dataDirs = {dir / "exe", dir / "share"};
  EXPECT_EQ(dataFile(d, kOrtsvorgDatei), dir / "share" / "Ortsvorg.txt");
  EXPECT_EQ(dataFile(d, kMapWeltDatei), dir / "exe" / "MapWelt.dat");
  EXPECT_EQ(dataFile(d, kMapOrtDatei), dir / "exe" / "MapOrt.dat");  // none: first folder
}

TEST(ProgramDir, ThisProcessIsFoundBesideItsExecutable) {
  const ProgramDirInputs in = systemProgramDirInputs();
  EXPECT_TRUE(fs::exists(in.exeDir / "core_tests")) << in.exeDir;
  EXPECT_FALSE(in.installedDataDir.empty());
}
