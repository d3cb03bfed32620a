#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "files/programdir.h"

using namespace welvaro;
namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path;
  TempDir() {
    std::string t = (fs::temp_directory_path() / "welvaro-progdir-XXXXXX").string();
    if (::mkdtemp(t.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = t;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

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
  in.xdgDataHome = (dir.path / "xdg").string();
  const ProgramDirs d = resolveProgramDirs(in);
  auto s = std::make_unique<State>();
  EXPECT_EQ(prepareProgramDir(*s, d), "");
  EXPECT_TRUE(fs::is_directory(dir.path / "xdg" / "welvaro"));
  EXPECT_EQ(s->Pfad, (dir.path / "xdg" / "welvaro").string());
  EXPECT_EQ(ownFile(*s, kTabelleDatei), dir.path / "xdg" / "welvaro" / "Welvaro.tab");
  EXPECT_EQ(ownFile(d, kEinstellungDatei), dir.path / "xdg" / "welvaro" / "Welvaro.dat");

  // A file where the folder should be: reported, Pfad unchanged.
  std::ofstream(dir.path / "blocked") << "x";
  in.xdgDataHome = (dir.path / "blocked").string();
  s->Pfad = "before";
  EXPECT_NE(prepareProgramDir(*s, resolveProgramDirs(in)), "");
  EXPECT_EQ(s->Pfad, "before");

  in.xdgDataHome.clear();
  in.home.clear();
  EXPECT_NE(prepareProgramDir(*s, resolveProgramDirs(in)), "");
}

TEST(ProgramDir, DataFileIsTakenFromTheFirstFolderHoldingIt) {
  TempDir dir;
  fs::create_directories(dir.path / "exe");
  fs::create_directories(dir.path / "share");
  std::ofstream(dir.path / "share" / "Ortsvorg.txt") << "x";
  std::ofstream(dir.path / "share" / "MapWelt.dat") << "x";
  std::ofstream(dir.path / "exe" / "MapWelt.dat") << "x";
  ProgramDirs d;
  d.dataDirs = {dir.path / "exe", dir.path / "share"};
  EXPECT_EQ(dataFile(d, kOrtsvorgDatei), dir.path / "share" / "Ortsvorg.txt");
  EXPECT_EQ(dataFile(d, kMapWeltDatei), dir.path / "exe" / "MapWelt.dat");
  EXPECT_EQ(dataFile(d, kMapOrtDatei), dir.path / "exe" / "MapOrt.dat");  // none: first folder
}

TEST(ProgramDir, ThisProcessIsFoundBesideItsExecutable) {
  const ProgramDirInputs in = systemProgramDirInputs();
  EXPECT_TRUE(fs::exists(in.exeDir / "core_tests")) << in.exeDir;
  EXPECT_FALSE(in.installedDataDir.empty());
}
