// Where a replaced file lands: targets that are no regular file are left
// alone, a symbolic link is written through (the link stays, the file it
// points to is replaced in its own folder), a temporary file another
// writer still holds is not taken for a leftover, and a termination
// request during a write leaves the old file and no temporary file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "files/fileio.h"
#include "files/termination.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A socket bound to `path`; the descriptor stays open until the scope ends.
struct BoundSocket {
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  explicit BoundSocket(const fs::path& path) {
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::snprintf(a.sun_path, sizeof a.sun_path, "%s", path.c_str());
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) throw std::runtime_error("bind");
  }
  ~BoundSocket() { ::close(fd); }
};

fs::file_type typeOf(const fs::path& p) { return fs::symlink_status(p).type(); }

}  // namespace

TEST(OutputFile, TargetsThatAreNoRegularFileAreRefusedAndLeftAlone) {
  TempDir d;
  ASSERT_EQ(::mkfifo((d / "fifo.png").c_str(), 0600), 0);
  fs::create_directory(d / "folder.pdf");
  const BoundSocket socket(d / "socket.png");
  fs::create_symlink(d / "fifo.png", d / "link-to-fifo.png");
  fs::create_symlink("/dev/null", d / "link-to-null.pdf");
  const bool device = ::mknod((d / "device.png").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;  // as /dev/null
  fs::create_symlink(d / "loop-b", d / "loop-a");
  fs::create_symlink(d / "loop-a", d / "loop-b");
  struct Case {
    const char* name;
    fs::file_type type;  // of the name itself, before and after
  } cases[] = {
      {"fifo.png", fs::file_type::fifo},          {"folder.pdf", fs::file_type::directory},
      {"socket.png", fs::file_type::socket},      {"link-to-fifo.png", fs::file_type::symlink},
      {"link-to-null.pdf", fs::file_type::symlink}, {"device.png", fs::file_type::character},
      {"loop-a", fs::file_type::symlink},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.type == fs::file_type::character && !device) continue;  // no right to make a device node
    const fs::path target = d / c.name;
    const std::vector<std::string> before = namesIn(d.path);
    const FileStatus check = checkOutputFile(target);
    EXPECT_EQ(check.kind, FileStatus::kError);
    EXPECT_EQ(check.message.rfind(target.string() + ": ", 0), 0u) << check.message;
    const FileStatus st = replaceFile(target, "new bytes");
    EXPECT_EQ(st.kind, FileStatus::kError);
    EXPECT_EQ(st.message, check.message);
    EXPECT_EQ(typeOf(target), c.type);
    EXPECT_EQ(namesIn(d.path), before);  // no temporary file either
  }
  EXPECT_EQ(readFile("/dev/null"), "");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // What may be written: a new name, a regular file, a link to either.
  writeFile(d / "old.png", "old");
  fs::create_symlink("old.png", d / "link-to-old.png");
  fs::create_symlink("new.png", d / "link-to-new.png");
  for (const char* ok : {"new.png", "old.png", "link-to-old.png", "link-to-new.png"}) {
    SCOPED_TRACE(ok);
    EXPECT_TRUE(checkOutputFile(d / ok).ok()) << checkOutputFile(d / ok).message;
  }
}

TEST(OutputFile, ALinkIsWrittenThroughAndStays) {
  TempDir d;
  fs::create_directories(d / "home");
  fs::create_directories(d / "dotfiles" / "welvaro");
  writeFile(d / "dotfiles" / "welvaro" / "settings.dat", "old settings");
  // Relative links are taken from the link's folder; a chain is followed to its end.
  fs::create_symlink("../dotfiles/welvaro/settings.dat", d / "home" / "Welvaro.dat");
  fs::create_symlink("Welvaro.dat", d / "home" / "chain.dat");
  fs::create_symlink(d / "dotfiles" / "welvaro" / "future.ini", d / "home" / "WelvaroFenster.ini");

  ASSERT_TRUE(replaceFile(d / "home" / "Welvaro.dat", "new settings").ok());
  EXPECT_TRUE(fs::is_symlink(d / "home" / "Welvaro.dat"));
  EXPECT_EQ(readFile(d / "dotfiles" / "welvaro" / "settings.dat"), "new settings");

  ASSERT_TRUE(replaceFile(d / "home" / "chain.dat", "third").ok());
  EXPECT_TRUE(fs::is_symlink(d / "home" / "chain.dat"));
  EXPECT_TRUE(fs::is_symlink(d / "home" / "Welvaro.dat"));
  EXPECT_EQ(readFile(d / "dotfiles" / "welvaro" / "settings.dat"), "third");

  // A link to a file not there yet makes that file.
  ASSERT_TRUE(replaceFile(d / "home" / "WelvaroFenster.ini", "x=1\n").ok());
  EXPECT_TRUE(fs::is_symlink(d / "home" / "WelvaroFenster.ini"));
  EXPECT_EQ(readFile(d / "dotfiles" / "welvaro" / "future.ini"), "x=1\n");

  EXPECT_EQ(namesIn(d / "home"), (std::vector<std::string>{"Welvaro.dat", "WelvaroFenster.ini", "chain.dat"}));
  EXPECT_EQ(namesIn(d / "dotfiles" / "welvaro"), (std::vector<std::string>{"future.ini", "settings.dat"}));
}

TEST(OutputFile, ATemporaryFileAWriterStillHoldsIsNoLeftover) {
  TempDir d;
  writeFile(d / ".Welvaro.tab.Ab3dE9", "being written");
  writeFile(d / ".Welvaro.dat.x1Y2z3", "left by a killed write");
  const int writer = ::open((d / ".Welvaro.tab.Ab3dE9").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(::flock(writer, LOCK_EX), 0);
  EXPECT_EQ(removeLeftovers(d.path), std::vector<std::string>{".Welvaro.dat.x1Y2z3"});
  EXPECT_EQ(namesIn(d.path), std::vector<std::string>{".Welvaro.tab.Ab3dE9"});
  ::close(writer);  // the writer is gone (killed): now it is a leftover
  EXPECT_EQ(removeLeftovers(d.path), std::vector<std::string>{".Welvaro.tab.Ab3dE9"});
}

TEST(OutputFile, LeftoversOfOneFileAndBesideTheProgramsLinkedFiles) {
  TempDir d;
  fs::create_directories(d / "out");
  fs::create_directories(d / "dotfiles");
  for (const char* n : {".map.png.Ab3dE9", ".map.png.zzzzzz", ".other.png.Ab3dE9", ".map.png.Ab3d", "map.png"})
    writeFile(d / "out" / n, "x");
  EXPECT_EQ(removeLeftoversOf(d / "out" / "map.png"), (std::vector<std::string>{".map.png.Ab3dE9", ".map.png.zzzzzz"}));
  EXPECT_EQ(namesIn(d / "out"), (std::vector<std::string>{".map.png.Ab3d", ".other.png.Ab3dE9", "map.png"}));

  // The settings file kept elsewhere through a link: its write left its
  // temporary file beside the file the link points to.
  fs::create_symlink(d / "dotfiles" / "welvaro.dat", d / "Welvaro.dat");
  writeFile(d / "dotfiles" / "welvaro.dat", "settings");
  writeFile(d / "dotfiles" / ".welvaro.dat.q1W2e3", "half");
  writeFile(d / "dotfiles" / ".bashrc.q1W2e3", "not ours");
  EXPECT_EQ(removeLeftovers(d.path), std::vector<std::string>{".welvaro.dat.q1W2e3"});
  EXPECT_EQ(namesIn(d / "dotfiles"), (std::vector<std::string>{".bashrc.q1W2e3", "welvaro.dat"}));
}

// The termination handler of the command line: a signal while no file is
// being written ends the program at once; during a write it is noted, the
// writer gives up and removes its temporary file, and the program then ends
// by the same signal.
TEST(OutputFileDeathTest, TerminationDuringAWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempDir d;
  writeFile(d / "report.pdf", "old report");
  EXPECT_EXIT(
      {
        installTerminationHandler();
        ::raise(SIGTERM);
        std::fprintf(stderr, "still running\n");
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "^$");
  EXPECT_EXIT(
      {
        installTerminationHandler();
        {
          const WriteInProgress writing;
          ::raise(SIGINT);  // noted only
          std::fprintf(stderr, "noted %d\n", terminationSignal());
        }
        const FileStatus st = replaceFile(d / "report.pdf", std::string(1 << 20, 'n'));
        std::fprintf(stderr, "%s\n", st.message.c_str());
        endIfTerminated();
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGINT), "noted 2\n.*report.pdf: interrupted");
  EXPECT_EQ(readFile(d / "report.pdf"), "old report");
  EXPECT_EQ(namesIn(d.path), std::vector<std::string>{"report.pdf"});
  // Started with the signal ignored (nohup, a background job): it stays so.
  EXPECT_EXIT(
      {
        std::signal(SIGHUP, SIG_IGN);
        installTerminationHandler();
        ::raise(SIGHUP);
        std::_Exit(7);
      },
      ::testing::ExitedWithCode(7), "");
}
