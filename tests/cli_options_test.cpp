// welvaro-cli's options: one table of bad arguments for every subcommand,
// numbers by the number-reading rule, and the shipped drawings used when
// --dir has none.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "cli/options.h"
#include "files/overlay.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

TEST(CliOptions, BadArgumentsExitWithTwoNamingTheProblemAndWriteNothing) {
  TempDir d;
  const std::string dir = d.str();
  writeFile(d / "Welvaro.tab", std::string(10, 'x'));  // map must not get as far as reading it
  struct Case {
    std::vector<std::string> args;
    std::string message;  // a part of the message after "welvaro-cli <command>: "
  } cases[] = {
      {{}, "usage: welvaro-cli"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      // The common options, in every subcommand that takes them.
      {{"link", "--a", "91,0"}, "--a latitude: 91 is outside -90 .. 90"},
      {{"link", "--a", "48.1"}, "--a takes LAT,LON"},
      {{"link", "--b", "x,y"}, "--b: no place is named 'x,y'"},
      {{"link", "--b", "40.4,y"}, "--b longitude: 'y' is not a number"},
      {{"link", "--b", "40,-181"}, "--b longitude: -181 is outside -180 .. 180"},
      {{"link", "--ssn", "301"}, "--ssn: 301 is outside 0 .. 300"},
      {{"link", "--ssn", "12abc"}, "--ssn: '12abc' is not a number"},
      {{"link", "--power", "0"}, "--power: 0 is outside 1E-06 .. 1000"},
      {{"link", "--gain", "21"}, "--gain: 21 is outside -40 .. 20"},
      {{"link", "--angle", "-1"}, "--angle: -1 is outside 0 .. 90"},
      {{"link", "--avail", "30"}, "--avail takes 10, 50 or 90"},
      {{"link", "--path", "short"}, "--path takes S (short) or L (long)"},
      {{"link", "--date", "2026-02-30"}, "--date: '2026-02-30' is not a date YYYY-MM-DD"},
      {{"link", "--date", "8.12.2026"}, "is not a date"},
      {{"link", "--month", "13"}, "--month: 13 is outside 1 .. 12"},
      {{"link", "--month", "2.5"}, "--month takes a whole month 1..12"},
      {{"link", "--format", "xml"}, "--format takes text, csv or json"},
      {{"link", "--memories", "1,2,3"}, "--memories takes 6 numbers separated by commas"},
      {{"link", "--bogus"}, "unknown option '--bogus'"},
      {{"link", "--a"}, "--a needs a value"},
      {{"link", "--freq", "10"}, "unknown option '--freq'"},
      {{"table", "--dir", dir, "--avail", "60"}, "--avail takes 10, 50 or 90"},
      {{"chart", "--dir", dir, "--b", "91,0"}, "--b latitude"},
      {{"report", "--text", "--avail", "70"}, "--avail takes 10, 50 or 90"},
      {{"point", "--freq", "10", "--utc", "12:00", "--b", "91,0"}, "--b latitude"},
      // Frequency and time.
      {{"point", "--utc", "12:00"}, "--freq MHZ is required"},
      {{"point", "--freq", "10"}, "--utc HH:MM is required"},
      {{"point", "--freq", "0.5", "--utc", "12:00"}, "--freq: 0.5 is outside 1 .. 30"},
      {{"point", "--freq", "ten", "--utc", "12:00"}, "--freq: 'ten' is not a number"},
      {{"map", "--dir", dir, "--freq", "31", "--utc", "12:30"}, "--freq: 31 is outside 1 .. 30"},
      {{"map", "--dir", dir, "--freq", "14,2", "--utc", "12:30"}, "--freq: '14,2' is not a number"},
      {{"point", "--freq", "10", "--utc", "24:30"}, "--utc: '24:30' is not a time HH:MM (00:00 .. 24:00)"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "12:60"}, "--utc: '12:60'"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "12:5"}, "--utc: '12:5'"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "1230"}, "--utc: '1230'"},
      {{"map", "--dir", dir, "--freq", "14.2"}, "--utc HH:MM is required"},
      {{"map", "--freq", "14.2", "--utc", "12:30"}, "--dir DIR is required"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "12:30", "--ssn", "100"}, "unknown option '--ssn'"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "12:30", "--size", "800x600"}, "need --png FILE"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "12:30", "--png", "x.png", "--size", "8x600"},
       "--size: '8x600' is not WxH"},
      {{"map", "--dir", dir, "--freq", "14.2", "--utc", "12:30", "--png", "x.png", "--projection", "polar"},
       "--projection takes rect or azimuthal"},
      // Folders, switches, languages, names and outputs.
      {{"table"}, "--dir DIR is required"},
      {{"table", "--dir", (d / "fehlt").string()}, "is not a folder"},
      {{"map", "--dir", (d / "Welvaro.tab").string(), "--freq", "14.2", "--utc", "12:30"}, "is not a folder"},
      {{"chart", "--dir", dir, "--level", "--field"}, "--level and --field exclude each other"},
      {{"chart", "--dir", dir, "--freq", "14.2"}, "unknown option '--freq'"},
      {{"point", "--freq", "10", "--utc", "12:00", "--lang", "6"}, "--lang takes a language index 0..5"},
      {{"point", "--freq", "10", "--utc", "12:00", "--lang", "-1"}, "--lang takes a language index 0..5"},
      {{"point", "--freq", "10", "--utc", "12:00", "--name-a"}, "--name-a needs a value"},
      {{"point", "--freq", "10", "--utc", "12:00", "--format", "csv"}, "--format takes text or json"},
      {{"bands", "--utc", "12:00", "--hours", "2.5"}, "--hours takes a whole number of hours 1..24"},
      {{"report"}, "give one of --text or --pdf FILE"},
      {{"report", "--text", "--pdf", (d / "r.pdf").string()}, "give one of --text or --pdf FILE"},
      {{"report", "--pdf"}, "--pdf needs a value"},
      {{"report", "--pdf", ""}, "--pdf needs a file name"},
      {{"report", "--text", "--memories", "1,2,3,4,5,0"}, "--memories: 0 is outside 1E-06 .. 1000"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(testing::PrintToString(f.args));
    const CliRun r = runCli(f.args);
    EXPECT_EQ(r.rc, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(f.message), std::string::npos) << r.err;
    if (f.args.size() > 1) {
      EXPECT_EQ(r.err.rfind("welvaro-cli " + f.args[0] + ": ", 0), 0u);
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(d.path), fs::directory_iterator()), 1);  // only Welvaro.tab
}

TEST(CliOptions, NumbersMayHaveBlanksAroundThem) {
  const std::string without = runCli({"link", "--format", "csv", "--a", "35.68,139.69", "--ssn", "90"}).out;
  ASSERT_FALSE(without.empty());
  const CliRun withLine = runCli({"link", "--format", "csv", "--a", "  35.68,  139.69 ", "--ssn", " 90"});
  EXPECT_EQ(withLine.rc, 0) << withLine.err;
  EXPECT_EQ(withLine.out, without);
  const CliRun point = runCli({"point", "--freq", " 14.2", "--utc", "12:00"});
  EXPECT_EQ(point.out, runCli({"point", "--freq", "14.2", "--utc", "12:00"}).out);
}

// A number on the command line: blanks, a sign, digits with at most one
// point, and nothing else; all of the argument is the number.
TEST(CliOptions, StrictNumbers) {
  struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"48.1", 48.1},   {" -3.7", -3.7},  {"+2", 2},        {".5", 0.5},          {"5.", 5},
      {"-.25 ", -0.25}, {"007", 7},       {"0", 0},         {"  12  ", 12},       {"1.2.3", std::nullopt},
      {"1..2", std::nullopt},             {"..5", std::nullopt},                  {"5..", std::nullopt},
      {".", std::nullopt},                {"-", std::nullopt},                    {"+.", std::nullopt},
      {"", std::nullopt},                 {"   ", std::nullopt},                  {"--5", std::nullopt},
      {"+-5", std::nullopt},              {"5-", std::nullopt},                   {"1 2", std::nullopt},
      {"1e3", std::nullopt},              {"5,5", std::nullopt},                  {"0x10", std::nullopt},
      {"\t5", std::nullopt},              {"5\n", std::nullopt},                  {"inf", std::nullopt},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(f.text)));
    EXPECT_EQ(cli::strictNumber(f.text), f.value);
  }
  // As an argument: a second point is refused, not read up to it.
  struct Invocation {
    std::vector<std::string> args;
    const char* message;
  } invocations[] = {
      {{"link", "--ssn", "1.2.3"}, "--ssn: '1.2.3' is not a number"},
      {{"link", "--a", "48.1.5,11"}, "--a latitude: '48.1.5' is not a number"},
      {{"link", "--b", "40,11..5"}, "--b longitude: '11..5' is not a number"},
      {{"point", "--freq", "14.2.1", "--utc", "12:00"}, "--freq: '14.2.1' is not a number"},
  };
  for (const Invocation& a : invocations) {
    SCOPED_TRACE(testing::PrintToString(a.args));
    const CliRun r = runCli(a.args);
    EXPECT_EQ(r.rc, 2);
    EXPECT_NE(r.err.find(a.message), std::string::npos) << r.err;
  }
}

TEST(CliLink, TextPrintsCoordinatesAsNumberText) {
  const CliRun r = runCli({"link", "--b", "35.7,139.7"});
  ASSERT_EQ(r.rc, 0);
  EXPECT_EQ(split(r.out)[0], "Link München (48.1, 11.5) -> 35.7, 139.7");
  EXPECT_EQ(split(runCli({"link"}).out)[0], "Link München (48.1, 11.5) -> 40.4, -3.7");
}

TEST(CliOptions, MapAndChartDrawTheShippedDrawingsWhenDirHasNone) {
  TempDir d, data, withDrawings;
  ASSERT_EQ(runCli({"table", "--dir", d.str()}).rc, 0);
  fs::copy_file(d / "Welvaro.tab", withDrawings / "Welvaro.tab");
  std::string world(kWorldOverlayLength, '\0'), place(kChartOverlayLength, '\0');
  for (std::size_t k = 0; k < world.size(); k += 5) world[k] = static_cast<char>(200);
  for (std::size_t k = 0; k < place.size(); k += 3) place[k] = static_cast<char>(90);
  writeFile(data / "MapWelt.dat", world);
  writeFile(data / "MapOrt.dat", place);
  writeFile(withDrawings / "MapWelt.dat", world);
  writeFile(withDrawings / "MapOrt.dat", place);

  struct Case {
    std::vector<std::string> args;
    const char* picture;
  } cases[] = {{{"map", "--freq", "14.2", "--utc", "12:30"}, "WelvDar1.bmp"}, {{"chart"}, "WelvDar2.bmp"}};
  for (const Case& f : cases) {
    SCOPED_TRACE(f.picture);
    auto withLine = [&](const TempDir& folder, std::vector<fs::path> dataFolders) {
      auto args = f.args;
      args.insert(args.begin() + 1, {"--dir", folder.str()});
      EXPECT_EQ(runCli(args, {2026, 12, 8, 15, 4, 0}, std::move(dataFolders)).rc, 0);
      return readFile(folder / f.picture);
    };
    const std::string expected = withLine(withDrawings, {});
    EXPECT_EQ(withLine(d, {data.path}), expected);           // the shipped drawing
    EXPECT_NE(withLine(d, {}), expected);                      // none anywhere: values only
    EXPECT_EQ(withLine(withDrawings, {d.path}), expected);    // --dir's own drawing first
  }
}

TEST(CliOptions, AFifoInPlaceOfTheTableIsNoTable) {
  TempDir d;
  ASSERT_EQ(::mkfifo((d / "Welvaro.tab").c_str(), 0600), 0);
  const CliRun r = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:30"});  // must not wait
  EXPECT_EQ(r.rc, 4);
  EXPECT_NE(r.err.find("no table file"), std::string::npos) << r.err;
}
