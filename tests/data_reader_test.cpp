// Every reader of the program's files against what a careless system or a
// hostile user puts in their place: a FIFO (a reader that opened it would
// wait for good), a link to /dev/zero (would never end), a file of 2 GB or
// one byte over the reader's limit (would fill the memory). And the data
// files that come with the program told apart as missing, damaged or
// unreadable - in the window's messages and in welvaro-cli's exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "files/datafiles.h"
#include "files/window_prefs.h"
#include "files/gazetteer.h"
#include "files/map_lines.h"
#include "files/overlay.h"
#include "files/places.h"
#include "files/read_limits.h"
#include "files/settings.h"
#include "forecast/table.h"
#include "lang/sprachtext.h"
#include "schedule/datafile_messages.h"
#include "schedule/session.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// A file of `bytes` bytes that takes no room on the disk.
void sparseFile(const fs::path& p, std::uintmax_t bytes) {
  writeFile(p, "");
  fs::resize_file(p, bytes);
}

// A reader under test: reads `file` and says whether it took it.
struct Reader {
  const char* name;
  std::size_t limit;
  std::function<bool(const fs::path&)> takes;
};

std::vector<Reader> readers() {
  return {
      {"settings", kSettingsReadLimit,
       [](const fs::path& f) {
         auto s = std::make_unique<State>();
         return readSettings(*s, f.string()) == SettingsSource::File;
       }},
      {"table", kTableReadLimit,
       [](const fs::path& f) {
         std::string image;
         return readTableFile(f, image).ok();
       }},
      {"window preferences", kWindowPrefsReadLimit,
       [](const fs::path& f) { return readWindowPrefs(f).zoneFollows >= 0; }},
      {"place list", kPlaceListReadLimit,
       [](const fs::path& f) {
         auto s = std::make_unique<State>();
         return loadPlaceList(*s, f).read();
       }},
      {"gazetteer", kGazetteerReadLimit,
       [](const fs::path& f) {
         Gazetteer g;
         return loadGazetteer(f, g).read();
       }},
      {"world overlay", kWorldOverlayReadLimit,
       [](const fs::path& f) {
         std::string mask;
         return loadOverlay(f, kWorldOverlayLength, mask).read();
       }},
      {"chart overlay", kChartOverlayReadLimit,
       [](const fs::path& f) {
         std::string mask;
         return readOverlay(f, kChartOverlayLength, mask) == OverlayStatus::kRead;
       }},
      {"map lines", kMapLinesReadLimit,
       [](const fs::path& f) {
         MapLines l;
         return loadMapLines(f, l).read();
       }},
      {"help", kHelpReadLimit,
       [](const fs::path& f) {
         std::string html;
         return loadHelpFile(f, html).read();
       }},
  };
}

}  // namespace

TEST(Readers, NoReaderWaitsOnAFifoOrReadsADeviceOrAHugeFile) {
  TempDir d;
  ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", d / "zero");
  fs::create_symlink(d / "fifo", d / "link-to-fifo");
  sparseFile(d / "two-gigabytes", std::uintmax_t{2} << 30);
  for (const Reader& r : readers()) {
    SCOPED_TRACE(r.name);
    sparseFile(d / "one-byte-over", r.limit + 1);
    for (const char* f : {"fifo", "link-to-fifo", "zero", "two-gigabytes", "one-byte-over"}) {
      SCOPED_TRACE(f);
      EXPECT_FALSE(r.takes(d / f));  // and above all: it returns
    }
  }
}

TEST(Readers, TheHelpIsReadThroughTheCoreAndSaysWhatIsWrong) {
  TempDir d;
  auto s = std::make_unique<State>();
  s->L = 1;
  ProgramDirs dirs;
  dirs.dataDirs = {d.path};
  HelpText h = readHelp(*s, dirs);
  EXPECT_FALSE(h.ok);
  EXPECT_EQ(h.message, "The help file " + (d / "Welvaro.hlp").string() + " is missing.");

  ASSERT_EQ(::mkfifo((d / "Welvaro.hlp").c_str(), 0600), 0);
  h = readHelp(*s, dirs);
  EXPECT_FALSE(h.ok);
  EXPECT_EQ(h.message, "The file " + (d / "Welvaro.hlp").string() + " could not be read: not a regular file");
  EXPECT_EQ(checkHelpFile(d / "Welvaro.hlp").state, DataFileState::kUnreadable);

  fs::remove(d / "Welvaro.hlp");
  sparseFile(d / "Welvaro.hlp", std::uintmax_t{2} << 30);
  s->L = 3;
  h = readHelp(*s, dirs);
  EXPECT_FALSE(h.ok);
  EXPECT_EQ(h.message, "El archivo " + (d / "Welvaro.hlp").string() +
                           " está dañado y no se utiliza: 2147483648 bytes, more than such a file holds");
  EXPECT_EQ(checkHelpFile(d / "Welvaro.hlp").state, DataFileState::kDamaged);

  fs::remove(d / "Welvaro.hlp");
  fs::copy_file(shippedData() / "Welvaro.hlp", d / "Welvaro.hlp");
  h = readHelp(*s, dirs);
  EXPECT_TRUE(h.ok);
  EXPECT_EQ(h.html, readFile(shippedData() / "Welvaro.hlp"));
  EXPECT_EQ(checkHelpFile(d / "Welvaro.hlp").state, DataFileState::kRead);
}

TEST(DataFiles, MissingDamagedAndUnreadableAreToldApart) {
  using S = DataFileState;
  TempDir d;
  const std::string random = [] {
    std::string t;
    unsigned x = 12345;
    for (int i = 0; i < 5000; ++i) t += static_cast<char>((x = x * 1103515245 + 12345) >> 16);
    return t;
  }();
  fs::create_directory(d / "folder");
  ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0600), 0);
  fs::create_symlink(d / "nowhere", d / "dangling");
  const std::string gazetteer = readFile(shippedData() / "Orte.dat");

  using Load = std::function<DataFileStatus(const fs::path&)>;
  const Load placeList = [](const fs::path& f) {
    auto s = std::make_unique<State>();
    DataFileStatus st = loadPlaceList(*s, f);
    EXPECT_EQ(s->OrtFlag, st.read() ? 1 : 0);
    return st;
  };
  const Load places = [](const fs::path& f) {
    Gazetteer g;
    DataFileStatus st = loadGazetteer(f, g);
    EXPECT_EQ(g.empty(), !st.read() || g.size() == 0);
    return st;
  };
  const Load overlay = [](const fs::path& f) {
    std::string mask;
    DataFileStatus st = loadOverlay(f, kWorldOverlayLength, mask);
    if (!st.read()) {
      EXPECT_EQ(mask, std::string(kWorldOverlayLength, '\0'));
    }
    return st;
  };
  const Load lines = [](const fs::path& f) {
    MapLines l;
    DataFileStatus st = loadMapLines(f, l);
    EXPECT_EQ(l.blank(), !st.read());
    return st;
  };
  const Load help = [](const fs::path& f) {
    std::string html;
    return loadHelpFile(f, html);
  };
  struct Case {
    const char* what;
    Load load;
    std::string content;  // written to the file; "@name" uses d/name instead
    S state;
    const char* reason;
  } cases[] = {
      {"place list", placeList, readFile(shippedData() / "Ortsvorg.txt"), S::kRead, ""},
      {"empty place list", placeList, "", S::kRead, ""},
      {"place list with blank lines", placeList, "DL:Hof:11.9:50.3\r\n\r\n  \r\nEA:Madrid:-3.7:40.4", S::kRead, ""},
      {"random place list", placeList, random, S::kDamaged, "no text file"},
      {"place list item without colons", placeList, "DL:Hof:11.9:50.3\r\nHof 11.9 50.3\r\n", S::kDamaged,
       "item 2 'Hof 11.9 50.3' is not identifier:name:longitude:latitude"},
      {"place list longitude no number", placeList, "DL:Hof:east:50.3", S::kDamaged, "item 1 'DL:Hof:east:50.3': the longitude"},
      {"place list latitude off the earth", placeList, "DL:Hof:11.9:95", S::kDamaged, "the latitude is no number -90..90"},
      {"place list missing", placeList, "@nowhere", S::kMissing, ""},
      {"place list dangling link", placeList, "@dangling", S::kMissing, ""},
      {"place list folder", placeList, "@folder", S::kUnreadable, "not a regular file"},
      {"place list FIFO", placeList, "@fifo", S::kUnreadable, "not a regular file"},
      {"gazetteer", places, gazetteer, S::kRead, ""},
      {"random gazetteer", places, random, S::kDamaged, "not a gazetteer file"},
      {"gazetteer cut short", places, gazetteer.substr(0, gazetteer.size() / 2), S::kDamaged, "cannot be in"},
      {"gazetteer missing", places, "@nowhere", S::kMissing, ""},
      {"gazetteer FIFO", places, "@fifo", S::kUnreadable, "not a regular file"},
      {"overlay", overlay, std::string(kWorldOverlayLength, '\x5A'), S::kRead, ""},
      {"overlay too short", overlay, random, S::kDamaged, "5000 bytes instead of 147424 bytes"},
      {"overlay too long", overlay, std::string(kWorldOverlayLength + 1, '\0'), S::kDamaged, "147425 bytes instead of 147424"},
      {"overlay folder", overlay, "@folder", S::kUnreadable, "not a regular file"},
      {"overlay missing", overlay, "@nowhere", S::kMissing, ""},
      {"map lines", lines, readFile(shippedData() / "MapLinien.dat"), S::kRead, ""},
      {"random map lines", lines, random, S::kDamaged, "not map lines"},
      {"map lines cut short", lines, readFile(shippedData() / "MapLinien.dat").substr(0, 1000), S::kDamaged,
       "shorter or longer than its own counts"},
      {"map lines missing", lines, "@nowhere", S::kMissing, ""},
      {"help with NUL bytes", help, std::string("<html>\0</html>", 14), S::kDamaged, "NUL bytes"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    fs::path file = d / "file";
    if (f.content.rfind("@", 0) == 0)
      file = d / f.content.substr(1);
    else
      writeFile(file, f.content);
    const DataFileStatus st = f.load(file);
    EXPECT_EQ(st.state, f.state) << st.message();
    EXPECT_EQ(st.file, file);
    EXPECT_NE(st.reason.find(f.reason), std::string::npos) << st.reason;
    EXPECT_EQ(st.broken(), f.state == S::kDamaged || f.state == S::kUnreadable);
    const std::string word = f.state == S::kDamaged ? ": damaged: " : f.state == S::kUnreadable ? ": cannot be read: "
                             : f.state == S::kMissing ? ": missing" : "";
    EXPECT_EQ(st.message(), f.state == S::kRead ? "" : file.string() + word + st.reason);
  }
}

TEST(DataFiles, TheOldReadersNameADamagedFile) {
  TempDir d;
  auto s = std::make_unique<State>();
  writeFile(d / "Ortsvorg.txt", "DL:Hof:11.9:50.3\r\nkaputt\r\n");
  std::string problem;
  EXPECT_FALSE(readPlaceFile(*s, d / "Ortsvorg.txt", &problem));
  EXPECT_EQ(s->OrtFlag, 0);
  EXPECT_EQ(s->OrtZahl, 0);
  EXPECT_NE(problem.find("Ortsvorg.txt: damaged: item 2 'kaputt'"), std::string::npos) << problem;
}

// The window's start-up names a damaged file as damaged, in the user's
// language, and uses none of it.
TEST(DataFiles, StartUpSaysDamagedNotMissing) {
  struct Case {
    int language;
    const char* word;
  } cases[] = {{0, "ist beschädigt"}, {1, "is damaged"}, {3, "está dañado"}, {4, "est endommagé"}};
  TempDir d;
  for (const char* f : {"MapOrt.dat", "Welvaro.hlp"}) fs::copy_file(shippedData() / f, d / f);
  writeFile(d / "Ortsvorg.txt", std::string("\x01\x02\0\x03", 4));
  writeFile(d / "MapWelt.dat", "kurz");
  const ProgramDirs dirs = programDirs(d);
  auto s = std::make_unique<State>();
  const StartReport b = prgStart(*s, FixedClock({2026, 12, 8, 15, 4, 0}).read(), dirs);
  EXPECT_FALSE(b.places);
  EXPECT_EQ(s->OrtFlag, 0);
  EXPECT_EQ(s->Weltkarte, std::string(kWorldOverlayLength, '\0'));
  ASSERT_EQ(b.problems.size(), 2u);  // nothing is missing
  for (const Case& f : cases) {
    SCOPED_TRACE(f.language);
    const std::string places = messageText(f.language, b.problems[0]);
    const std::string map = messageText(f.language, b.problems[1]);
    EXPECT_NE(places.find((d / "Ortsvorg.txt").string() + " " + f.word), std::string::npos) << places;
    EXPECT_NE(places.find("no text file"), std::string::npos) << places;
    EXPECT_NE(map.find((d / "MapWelt.dat").string() + " " + f.word), std::string::npos) << map;
    EXPECT_NE(map.find("4 bytes instead of 147424 bytes"), std::string::npos) << map;
  }
  // The map lines of the window: damaged is not "missing".
  writeFile(d / "MapLinien.dat", "WVLINIEN kaputt, kaputt");
  MapLines l;
  const auto m = dataFileMessage(loadMapLines(d / "MapLinien.dat", l), kTxZeichnungFehlt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, kTxFileDamaged);
  EXPECT_EQ(dataFileMessage(loadMapLines(d / "nowhere", l), kTxZeichnungFehlt)->text, kTxZeichnungFehlt);
}

// welvaro-cli: a command that needs a damaged or unreadable data file ends
// with exit status 4 and names the file and what is wrong; a missing one
// leaves things as they were.
TEST(DataFiles, CommandLineExitsWithFourOnABrokenFileItNeeds) {
  static TempDir table;
  ASSERT_EQ(runCli({"table", "--dir", table.str(), "--date", "2026-12-08"}).rc, 0);
  struct Case {
    const char* what;
    const char* file;
    std::string content;  // empty: a FIFO
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {"broken place list", "Ortsvorg.txt", "kaputt", {"link", "--b", "munchen"},
       "welvaro-cli link: --b: DIR/Ortsvorg.txt: damaged: item 1 'kaputt' is not identifier"},
      {"broken gazetteer", "Orte.dat", std::string("WelvOrte\1\7\0\0\0", 13), {"point", "--a", "Paris", "--freq", "7", "--utc", "1:00"},
       "welvaro-cli point: --a: DIR/Orte.dat: damaged: 7 places cannot be in 13 bytes"},
      {"gazetteer a FIFO", "Orte.dat", "", {"bands", "--b", "Tokyo", "--utc", "1:00"},
       "welvaro-cli bands: --b: DIR/Orte.dat: cannot be read: not a regular file"},
      {"broken world overlay", "MapWelt.dat", "kurz", {"map", "--dir", "DIR", "--freq", "7", "--utc", "1:00"},
       "welvaro-cli map: DIR/MapWelt.dat: damaged: 4 bytes instead of 147424 bytes"},
      {"broken chart overlay", "MapOrt.dat", "kurz", {"chart", "--dir", "DIR"},
       "welvaro-cli chart: DIR/MapOrt.dat: damaged: 4 bytes instead of 144172 bytes"},
      {"broken map lines", "MapLinien.dat", "kurz",
       {"map", "--dir", "DIR", "--freq", "7", "--utc", "1:00", "--png", "DIR/k.png", "--size", "64x32"},
       "welvaro-cli map: DIR/MapLinien.dat: damaged: shorter or longer"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    TempDir d;
    fs::copy_file(table / "Welvaro.tab", d / "Welvaro.tab");
    for (const char* name : {"Ortsvorg.txt", "Orte.dat"}) fs::copy_file(shippedData() / name, d / name);
    auto replaced = [&](std::string t) {
      for (std::size_t p; (p = t.find("DIR")) != std::string::npos;) t.replace(p, 3, d.str());
      return t;
    };
    std::vector<std::string> args;
    for (const std::string& a : f.args) args.push_back(replaced(a));
    const CliRun before = runCli(args, {2026, 12, 8, 15, 4, 0}, {d.path});
    EXPECT_EQ(before.rc, 0) << before.err;

    fs::remove(d / f.file);
    if (f.content.empty())
      ASSERT_EQ(::mkfifo((d / f.file).c_str(), 0600), 0);
    else
      writeFile(d / f.file, f.content);
    const CliRun r = runCli(args, {2026, 12, 8, 15, 4, 0}, {d.path});
    EXPECT_EQ(r.rc, 4);
    EXPECT_EQ(r.err.rfind(replaced(f.message), 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");

    // Without the file, as before: a feature less, or the name unknown.
    fs::remove(d / f.file);
    const CliRun without = runCli(args, {2026, 12, 8, 15, 4, 0}, {d.path});
    EXPECT_NE(without.rc, 4) << without.err;
  }
}
