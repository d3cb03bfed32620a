// Whole files: replacing a file (every writer of the program goes through
// it), reading only regular files, and clearing what interrupted writes
// left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

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
  } faelle[] = {
      {"datei", FileStatus::kOk, "Inhalt"},         {"zur-datei", FileStatus::kOk, "Inhalt"},
      {"fifo", FileStatus::kMissing, "vorher"},     {"zur-fifo", FileStatus::kMissing, "vorher"},
      {"ordner", FileStatus::kMissing, "vorher"},   {"fehlt", FileStatus::kMissing, "vorher"},
  };
  for (const Case& f : faelle) {
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
