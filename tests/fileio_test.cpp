// Whole files: replacing a file (every writer of the program goes through
// it), reading only regular files, and clearing what interrupted writes
// left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/fileio.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::vector<std::string> content(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(ReplaceFile, ReplacesWholeOrLeavesTheOldFile) {
  TempDir d;
  const fs::path file = d / "WelvDar1.bmp";
  ASSERT_TRUE(replaceFile(file, std::string(300, 'a')).ok());
  ASSERT_TRUE(replaceFile(file, std::string(148502, 'n')).ok());
  EXPECT_EQ(readFile(file), std::string(148502, 'n'));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(content(d.path), std::vector<std::string>{"WelvDar1.bmp"});

  // A folder in the file's place: the new file cannot take it; nothing is left.
  fs::create_directory(d / "Welvaro.tab");
  const FileStatus st = replaceFile(d / "Welvaro.tab", "neu");
  EXPECT_EQ(st.kind, FileStatus::kError);
  EXPECT_NE(st.err, 0);
  EXPECT_EQ(st.message.rfind((d / "Welvaro.tab").string() + ": ", 0), 0u) << st.message;
  EXPECT_EQ(content(d.path), (std::vector<std::string>{"WelvDar1.bmp", "Welvaro.tab"}));

  EXPECT_EQ(replaceFile(d / "fehlt" / "WelvDar2.bmp", "BM").kind, FileStatus::kError);
  EXPECT_FALSE(fs::exists(d / "fehlt"));
}

TEST(ReadWholeFile, OnlyRegularFilesAreOpened) {
  TempDir d;
  writeFile(d / "datei", "Inhalt");
  ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0600), 0);
  fs::create_symlink(d / "fifo", d / "zur-fifo");
  fs::create_symlink(d / "datei", d / "zur-datei");
  fs::create_directory(d / "ordner");
  struct Case {
    const char* name;
    FileStatus::Kind kind;
    std::string bytes;
  } cases[] = {
      {"datei", FileStatus::kOk, "Inhalt"},         {"zur-datei", FileStatus::kOk, "Inhalt"},
      {"fifo", FileStatus::kMissing, "vorher"},     {"zur-fifo", FileStatus::kMissing, "vorher"},
      {"ordner", FileStatus::kMissing, "vorher"},   {"fehlt", FileStatus::kMissing, "vorher"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    std::string bytes = "vorher";
    EXPECT_EQ(readWholeFile(d / f.name, bytes, 100).kind, f.kind);  // a FIFO would wait here forever
    EXPECT_EQ(bytes, f.bytes);
  }
  std::string bytes = "vorher";
  EXPECT_EQ(readWholeFile(d / "datei", bytes, 5).kind, FileStatus::kWrongLength);
  EXPECT_EQ(bytes, "vorher");
}

TEST(RemoveLeftovers, RemovesOnlyTheProgramsOwnTemporaryFiles) {
  TempDir d;
  const std::vector<std::string> leftovers = {
      ".Welvaro.dat.a1B2c3", ".Welvaro.tab.XyZ123", ".WelvDar1.bmp.000000", ".WelvDar2.bmp.Qq9Qq9",
      "Welvaro.tab.Ab3dE9",  "WelvDar1.bmp.k2LmN0", "WelvDar2.bmp.zzzzzz", "Welvaro.dat.neu4711_0",
      "Welvaro.dat.neu12_99",
  };
  const std::vector<std::string> stay = {
      "Welvaro.dat",         "Welvaro.tab",        "WelvDar1.bmp",       "Ortsvorg.txt",
      "Welvaro.dat.bak",     "Welvaro.dat.sicher", "Welvaro.tab.alt",    "Welvaro.tab.Ab3dE",
      ".Welvaro.tab.Ab3dE9x", "Welvaro.dat.neu",   "Welvaro.dat.neu12_", "MapWelt.dat.Ab3dE9",
      ".Welvaro.tab.Ab-dE9",
  };
  for (const auto& n : leftovers) writeFile(d / n, "x");
  for (const auto& n : stay) writeFile(d / n, "x");
  std::vector<std::string> expected = leftovers;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(removeLeftovers(d.path), expected);
  std::vector<std::string> rest = stay;
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(content(d.path), rest);
  EXPECT_TRUE(removeLeftovers(d / "fehlt").empty());
}

// A path the system cannot even look at is an error with its number; a path
// through a file names nothing and is missing.
TEST(ReadWholeFile, PathsTheSystemRefuses) {
  TempDir d;
  writeFile(d / "datei", "Inhalt");
  fs::create_symlink(d / "schleife", d / "schleife");
  struct Case {
    const char* name;
    fs::path path;
    FileStatus::Kind kind;
    int err;
  } cases[] = {
      {"a link to itself", d / "schleife", FileStatus::kError, ELOOP},
      {"a name too long", d / std::string(300, 'a'), FileStatus::kError, ENAMETOOLONG},
      {"a path through a file", d / "datei" / "x", FileStatus::kMissing, 0},
      {"a missing folder", d / "fehlt" / "x", FileStatus::kMissing, 0},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    std::string bytes = "vorher";
    const FileStatus st = readWholeFile(f.path, bytes, 100);
    EXPECT_EQ(st.kind, f.kind);
    EXPECT_EQ(st.err, f.err);
    EXPECT_EQ(bytes, "vorher");
    EXPECT_EQ(st.message.rfind(f.path.string() + ": ", 0), 0u) << st.message;
  }
}

// A message is the file name, what went wrong and the system's text of its
// error number when there is one; the reason alone is the message without
// the file name.
TEST(FileStatusText, MessageAndReason) {
  const fs::path file = "/srv/welvaro/Welvaro.tab";
  const FileStatus withNumber = fileStatus(FileStatus::kError, file, "cannot open the file", ENOENT);
  EXPECT_EQ(withNumber.message, "/srv/welvaro/Welvaro.tab: cannot open the file: " + std::string(std::strerror(ENOENT)));
  EXPECT_EQ(withNumber.err, ENOENT);
  const FileStatus without = fileStatus(FileStatus::kMissing, file, "not a regular file");
  EXPECT_EQ(without.message, "/srv/welvaro/Welvaro.tab: not a regular file");
  EXPECT_TRUE(fileStatus(FileStatus::kOk, file, "egal", EIO).message.empty());

  EXPECT_EQ(reasonOf(without, file), "not a regular file");
  EXPECT_EQ(reasonOf(without, "/srv/andere/Welvaro.tab"), without.message);  // another file: all of it
  FileStatus foreign;
  foreign.message = "nothing to do with a file";
  EXPECT_EQ(reasonOf(foreign, file), "nothing to do with a file");
}

// Temporary files of other names stay, even where the name is as long as one
// of the program's files; the window preferences' own are removed.
TEST(RemoveLeftovers, OtherNamesOfTheSameLengthStay) {
  TempDir d;
  const std::vector<std::string> leftovers = {".WelvaroFenster.ini.Zz0099", ".Welvaro.tab.a1B2c3"};
  const std::vector<std::string> stay = {".MapWelt.dat.a1B2c3", ".Ortsvorg.tx.a1B2c3", "_Welvaro.tab.a1B2c3",
                                            ".Welvaro.tab_a1B2c3", "MapWelt.dat.Ab3dE9"};
  for (const auto& n : leftovers) writeFile(d / n, "x");
  for (const auto& n : stay) writeFile(d / n, "x");
  std::vector<std::string> expected = leftovers;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(removeLeftovers(d.path), expected);
  std::vector<std::string> rest = stay;
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(content(d.path), rest);
}

// Only regular files are removed: a link or a FIFO that bears the name of a
// temporary file stays, and so does the file a link points to.
TEST(RemoveLeftovers, LinksAndFifosStay) {
  TempDir d;
  fs::create_directory(d / "anderswo");
  writeFile(d / "anderswo" / "wichtig", "x");
  fs::create_symlink(d / "anderswo" / "wichtig", d / ".Welvaro.tab.a1B2c3");
  ASSERT_EQ(::mkfifo((d / ".Welvaro.dat.Zz0099").c_str(), 0600), 0);
  fs::create_directory(d / ".WelvDar1.bmp.000000");
  writeFile(d / ".WelvDar2.bmp.Qq9Qq9", "x");
  EXPECT_EQ(removeLeftovers(d.path), std::vector<std::string>{".WelvDar2.bmp.Qq9Qq9"});
  EXPECT_EQ(content(d.path),
            (std::vector<std::string>{".WelvDar1.bmp.000000", ".Welvaro.dat.Zz0099", ".Welvaro.tab.a1B2c3", "anderswo"}));
  EXPECT_TRUE(fs::exists(d / "anderswo" / "wichtig"));
}
