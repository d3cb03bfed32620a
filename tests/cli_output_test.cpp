// Where welvaro-cli writes: every file replaced whole through the one
// writer, output names that are no regular file refused with exit 4 before
// anything is computed or opened, symbolic links written through, and the
// leftovers of an earlier interrupted run removed at the start.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const DateTime kNow{2026, 12, 8, 15, 4, 0};

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A FIFO with its reading end held open (without waiting), so that a
// program that wrongly writes into it does not hang the test but leaves
// bytes to be found.
struct OpenFifo {
  int fd = -1;
  explicit OpenFifo(const fs::path& p) {
    if (::mkfifo(p.c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
    fd = ::open(p.c_str(), O_RDWR | O_NONBLOCK);
  }
  ~OpenFifo() { ::close(fd); }
  bool empty() const {
    char c;
    return ::read(fd, &c, 1) < 0;
  }
};

// The subcommands that write a file, each with the name it writes in
// `dir` (`out` stands for a name of the user's choosing).
struct Writer {
  const char* name;
  std::vector<std::string> args;  // "DIR" and "OUT" are filled in
  const char* writes;             // the file in DIR it writes: OUT or a name of the program
};

const std::vector<Writer>& writers() {
  static const std::vector<Writer> w = {
      {"table", {"table", "--dir", "DIR"}, "Welvaro.tab"},
      {"map bitmap", {"map", "--dir", "DIR", "--freq", "10", "--utc", "12:00"}, "WelvDar1.bmp"},
      {"map png", {"map", "--dir", "DIR", "--freq", "10", "--utc", "12:00", "--png", "OUT"}, "OUT"},
      {"chart bitmap", {"chart", "--dir", "DIR"}, "WelvDar2.bmp"},
      {"chart png", {"chart", "--dir", "DIR", "--png", "OUT"}, "OUT"},
      {"report pdf", {"report", "--pdf", "OUT"}, "OUT"},
  };
  return w;
}

CliRun runIn(const TempDir& d, const Writer& w, const std::string& out) {
  std::vector<std::string> args = w.args;
  for (std::string& a : args) {
    if (a == "DIR") a = d.str();
    if (a == "OUT") a = (d / out).string();
  }
  return runCli(args, kNow);
}

// A folder with the table the map reads.
void withTable(const TempDir& d) { ASSERT_EQ(runCli({"table", "--dir", d.str()}, kNow).rc, 0); }

}  // namespace

TEST(CliOutput, NamesThatAreNoRegularFileAreRefusedWithExit4) {
  for (const Writer& w : writers()) {
    for (const char* kind : {"fifo", "folder", "link to fifo"}) {
      SCOPED_TRACE(std::string(w.name) + ", " + kind);
      TempDir d;
      withTable(d);
      const std::string target = std::string(w.writes) == "OUT" ? "out.file" : w.writes;
      fs::remove(d / target);
      std::optional<OpenFifo> fifo;
      if (std::string(kind) == "fifo") fifo.emplace(d / target);
      if (std::string(kind) == "folder") fs::create_directory(d / target);
      if (std::string(kind) == "link to fifo") {
        fifo.emplace(d / "fifo");
        fs::create_symlink(d / "fifo", d / target);
      }
      const std::vector<std::string> before = namesIn(d.path);
      const CliRun r = runIn(d, w, "out.file");
      EXPECT_EQ(r.rc, 4) << r.out << r.err;
      EXPECT_NE(r.err.find((d / target).string() + ": is a "), std::string::npos) << r.err;
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(namesIn(d.path), before);
      if (fifo) {
        EXPECT_TRUE(fifo->empty());  // nothing was written into it
      }
    }
  }
}

TEST(CliOutput, ALinkIsWrittenThroughAndStays) {
  for (const Writer& w : writers()) {
    SCOPED_TRACE(w.name);
    TempDir d;
    withTable(d);
    fs::create_directories(d / "real");
    const std::string target = std::string(w.writes) == "OUT" ? "out.file" : w.writes;
    fs::remove(d / target);
    writeFile(d / "real" / "file", "old");
    fs::create_symlink("real/file", d / target);
    const CliRun r = runIn(d, w, "out.file");
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(d / target));
    const std::string written = readFile(d / "real" / "file");
    EXPECT_GT(written.size(), 100u);
    EXPECT_NE(written.substr(0, 3), "old");
    EXPECT_EQ(namesIn(d / "real"), std::vector<std::string>{"file"});
  }
}

TEST(CliOutput, LeftoversOfAnEarlierRunAreRemovedAtTheStart) {
  for (const Writer& w : writers()) {
    SCOPED_TRACE(w.name);
    TempDir d;
    withTable(d);
    const std::string target = std::string(w.writes) == "OUT" ? "out.file" : w.writes;
    writeFile(d / ("." + target + ".Ab3dE9"), "half of a killed write");
    writeFile(d / ".someone-elses.Ab3dE9", "not ours");
    const CliRun r = runIn(d, w, "out.file");
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_FALSE(fs::exists(d / ("." + target + ".Ab3dE9")));
    EXPECT_TRUE(fs::exists(d / ".someone-elses.Ab3dE9"));
  }
}

TEST(CliOutput, ReportPdfReplacesTheOldReportWhole) {
  TempDir d;
  writeFile(d / "report.pdf", "the report of yesterday");
  // A second name of the same file shows whether the old file was written
  // over (both names change) or replaced by a new one (only the first).
  fs::create_hard_link(d / "report.pdf", d / "yesterday.pdf");
  const CliRun r = runCli({"report", "--pdf", (d / "report.pdf").string()}, kNow);
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(readFile(d / "report.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(readFile(d / "yesterday.pdf"), "the report of yesterday");
  EXPECT_EQ(namesIn(d.path), (std::vector<std::string>{"report.pdf", "yesterday.pdf"}));
}
