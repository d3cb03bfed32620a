// Where the program writes its own files and finds the shipped data files.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "files/programdir.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

ProgramDirInputs inputs() {
  ProgramDirInputs in;
  in.exeDir = "/opt/build/src/app";
  in.exeDirWritable = true;
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
  const auto installed = [](ProgramDirInputs& in) {
    in.exeDir = "/home/dl1abc/.local/bin";
    in.installedDataDir = "/home/dl1abc/.local/share/welvaro";
  };
  const std::vector<fs::path> installedData = {"/home/dl1abc/.local/bin", "/home/dl1abc/.local/share/welvaro"};
  const Case cases[] = {
      {"copy in a writable folder keeps everything beside it", [](ProgramDirInputs&) {}, false,
       "/opt/build/src/app", {"/opt/build/src/app"}},
      {"folder not writable: installed, default user folder, data beside it",
       [](ProgramDirInputs& in) { in.exeDirWritable = false; }, true, "/home/dl1abc/.local/share/welvaro",
       {"/opt/build/src/app"}},
      {"a writable bin folder with share/welvaro beside it is an installation", installed, true,
       "/home/dl1abc/.local/share/welvaro", installedData},
      {"/usr/bin, not writable: data from /usr/share/welvaro",
       [](ProgramDirInputs& in) {
         in.exeDir = "/usr/bin";
         in.exeDirWritable = false;
         in.installedDataDir = "/usr/share/welvaro";
       },
       true, "/home/dl1abc/.local/share/welvaro", {"/usr/bin", "/usr/share/welvaro"}},
      {"XDG_DATA_HOME is used when absolute",
       [](ProgramDirInputs& in) {
         in.exeDirWritable = false;
         in.xdgDataHome = "/data/me";
       },
       true, "/data/me/welvaro", {"/opt/build/src/app"}},
      {"a relative XDG_DATA_HOME is ignored",
       [](ProgramDirInputs& in) {
         in.exeDirWritable = false;
         in.xdgDataHome = "data";
       },
       true, "/home/dl1abc/.local/share/welvaro", {"/opt/build/src/app"}},
      {"no home and no XDG_DATA_HOME: no folder",
       [](ProgramDirInputs& in) {
         in.exeDirWritable = false;
         in.home.clear();
       },
       true, "", {"/opt/build/src/app"}},
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
  EXPECT_EQ(ownFile(*s, kTableFile), dir / "xdg" / "welvaro" / "Welvaro.tab");
  EXPECT_EQ(ownFile(d, kSettingsFile), dir / "xdg" / "welvaro" / "Welvaro.dat");

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
  ASSERT_EQ(::mkfifo((dir / "exe" / "Ortsvorg.txt").c_str(), 0600), 0);  // never taken for the list
  ProgramDirs d;
  d.dataDirs = {dir / "exe", dir / "share"};
  EXPECT_EQ(dataFile(d, kPlaceListFile), dir / "share" / "Ortsvorg.txt");
  EXPECT_EQ(dataFile(d, kWorldOverlayFile), dir / "exe" / "MapWelt.dat");
  EXPECT_EQ(dataFile(d, kChartOverlayFile), dir / "exe" / "MapOrt.dat");  // none: first folder
}

TEST(ProgramDir, ThisProcessIsFoundBesideItsExecutable) {
  const ProgramDirInputs in = systemProgramDirInputs();
  EXPECT_TRUE(fs::exists(in.exeDir / "core_tests")) << in.exeDir;
  EXPECT_TRUE(in.installedDataDir.empty()) << "a build tree is no installation";
}

TEST(ProgramDir, AnInstallationFindsItsDataRelativeToItsProgramFolder) {
  TempDir dir;
  fs::create_directories(dir / "prefix" / "bin");
  EXPECT_EQ(installedDataDirOf(dir / "prefix" / "bin"), fs::path());
  fs::create_directories(dir / "prefix" / "share" / "welvaro");
  EXPECT_EQ(installedDataDirOf(dir / "prefix" / "bin"), dir / "prefix" / "share" / "welvaro");
  // Another prefix: its own data folder, nothing compiled in.
  fs::create_directories(dir / "other" / "bin");
  EXPECT_EQ(installedDataDirOf(dir / "other" / "bin"), fs::path());
}

namespace {

// Sets an environment variable (or removes it: null) for one scope.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~EnvironmentVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

// The inputs this process gives: its folder, writable in a build tree, and
// the home folder from HOME, or from the user database when HOME is empty
// or not set.
TEST(ProgramDir, TheSystemsInputs) {
  const passwd* pw = ::getpwuid(::getuid());
  ASSERT_TRUE(pw && pw->pw_dir && *pw->pw_dir);
  const std::string database = pw->pw_dir;
  struct Case {
    const char* home;  // null: not set
    std::string expected;
  } cases[] = {{"/home/dl1abc", "/home/dl1abc"}, {"", database}, {nullptr, database}};
  for (const Case& f : cases) {
    SCOPED_TRACE(f.home ? f.home : "(not set)");
    const EnvironmentVariable home("HOME", f.home);
    const EnvironmentVariable xdg("XDG_DATA_HOME", "/srv/daten");
    const ProgramDirInputs in = systemProgramDirInputs();
    EXPECT_EQ(in.home, f.expected);
    EXPECT_EQ(in.xdgDataHome, "/srv/daten");
    EXPECT_TRUE(in.exeDirWritable) << in.exeDir;
  }
  const EnvironmentVariable without("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(systemProgramDirInputs().xdgDataHome, "");
}
