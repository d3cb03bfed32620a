// The outlook through welvaro-cli and the session: point and bands --format
// json against the formulas applied to the levels of the link at each
// availability (worked out here from link --format json), the options, the
// pictures, and the mode and noise kept over a restart.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <nlohmann/json.hpp>

#include "files/window_prefs.h"
#include "schedule/session.h"
#include "state/numtext.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;
using nlohmann::json;

namespace {

// Noise density [dBm/Hz] as ITU-R P.372 gives it for the four environments
// (c, d of the man-made noise; the galactic noise 52 - 23 log10 f added as a
// power), or a noise floor in 2500 Hz less 34.
double expectedN0(const std::string& noise, double mhz) {
  struct Env {
    const char* word;
    double c, d;
  } envs[] = {{"city", 76.8, 27.7}, {"residential", 72.5, 27.7}, {"rural", 67.2, 27.7}, {"quiet", 53.6, 28.6}};
  for (const Env& e : envs)
    if (noise == e.word) {
      const double mm = e.c - e.d * std::log10(mhz), gal = 52.0 - 23.0 * std::log10(mhz);
      return 10 * std::log10(std::pow(10, mm / 10) + std::pow(10, gal / 10)) - 174;
    }
  return std::stod(noise) - 34.0;
}

double expectedNeed(const std::string& mode) {
  if (mode == "CW") return 24;
  if (mode == "SSB") return 38;
  if (mode == "FT8") return 13;
  if (mode == "FT4") return 17;
  if (mode == "WSPR") return 6;
  return std::stod(mode);
}

struct Case {
  const char* name;
  std::vector<std::string> link;  // --a, --b, --date ...
  std::string utc;
  double mhz;
  std::string avail, mode, noise;
};

// Levels held out from the program's outlook: links, days, times and
// frequencies the outlook code was not written against.
const Case kCases[] = {
    {"Lisbon to Tokyo, 15 m at 1 kW", {"--a", "38.7,-9.1", "--b", "35.7,139.7", "--date", "2026-04-23", "--power", "1"},
     "08:40", 21.2, "50", "FT8", "residential"},
    {"Sydney to Cape Town, 40 m", {"--a", "-33.9,151.2", "--b", "-33.9,18.4", "--date", "2026-07-02"}, "15:10", 7.05,
     "10", "CW", "rural"},
    {"Helsinki to Reykjavik, 80 m at night", {"--a", "60.2,24.9", "--b", "64.1,-21.9", "--date", "2026-01-11"}, "23:30",
     3.6, "10", "SSB", "city"},
    {"Helsinki to Reykjavik, 160 m, quiet", {"--a", "60.2,24.9", "--b", "64.1,-21.9", "--date", "2026-01-16"}, "02:45",
     1.9, "90", "WSPR", "quiet"},
    {"Denver to Lima, 17 m", {"--a", "39.7,-105", "--b", "-12,-77", "--date", "2026-10-15", "--ssn", "60"}, "19:05",
     18.1, "90", "FT8", "residential"},
    {"Nairobi to Berlin, own noise floor", {"--a", "-1.3,36.8", "--b", "52.5,13.4", "--date", "2026-03-01", "--power",
     "1"}, "06:55", 17.3, "50", "FT4", "-112"},
    {"Perth to Honolulu, custom need", {"--a", "-31.9,115.9", "--b", "21.3,-157.9", "--date", "2026-09-30"}, "00:20",
     28.4, "50", "5.5", "residential"},
    {"Buenos Aires to Madrid, 30 m, long path", {"--a", "-34.6,-58.4", "--b", "40.4,-3.7", "--path", "L", "--date",
     "2026-05-09"}, "21:00", 10.1, "90", "CW", "city"},
};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The field strength of the link at one availability from link --format
// json (the whole-dB grid of the day-corrected forecast), interpolated in
// time between the whole hours and then in frequency between the whole MHz.
struct LinkGrid {
  json grid;
  double field(int hour, int minute, double mhz) const {
    const int lower = hour == 0 ? 24 : hour, upper = hour + 1;
    const auto cell = [&](int row, int f) { return grid[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(1 + f)].get<double>(); };
    const auto atTime = [&](int f) {
      if (f > 30) return 0.0;
      return cell(lower, f) + (cell(upper, f) - cell(lower, f)) * (minute / 60.0);
    };
    const int f0 = static_cast<int>(std::floor(mhz));
    const double a = atTime(f0), b = atTime(f0 + 1);
    return a + (b - a) * (mhz - f0);
  }
};

LinkGrid linkAt(const Case& c, const std::string& avail) {
  const CliRun r = runCli(with(with({"link", "--format", "json", "--avail", avail}, c.link), {}));
  EXPECT_EQ(r.rc, 0) << r.err;
  return {json::parse(r.out)["grid"]};
}

struct Expected {
  double snr, margin;
  std::string outlook;
  bool nearThreshold;
};

Expected expected(const Case& c, const std::array<LinkGrid, 3>& grids, int hour, int minute, double mhz) {
  const double n0 = expectedN0(c.noise, mhz), need = expectedNeed(c.mode);
  double margin[3];
  for (int a = 0; a < 3; ++a) {
    const double level = grids[static_cast<std::size_t>(a)].field(hour, minute, mhz) + 45 - 20 * std::log10(mhz * 1e6);
    margin[a] = level - n0 - need;
  }
  const int chosen = c.avail == "10" ? 0 : c.avail == "50" ? 1 : 2;
  Expected e;
  e.margin = margin[chosen];
  e.snr = margin[chosen] + need;
  e.outlook = margin[2] >= 0 ? "good" : margin[1] >= 0 ? "fair" : margin[0] >= 0 ? "poor" : "closed";
  e.nearThreshold = std::fabs(margin[0]) < 0.2 || std::fabs(margin[1]) < 0.2 || std::fabs(margin[2]) < 0.2;
  return e;
}

void compare(const json& got, const Expected& want, double need) {
  EXPECT_NEAR(got["snr_db_hz"].get<double>(), want.snr, 0.06);
  EXPECT_NEAR(got["margin_db"].get<double>(), want.margin, 0.06);
  EXPECT_DOUBLE_EQ(got["required_db_hz"].get<double>(), need);
  if (!want.nearThreshold) {
    EXPECT_EQ(got["outlook"].get<std::string>(), want.outlook);
  }
}

}  // namespace

TEST(OutlookCli, PointJsonFollowsTheFormulasFromTheLevelAtEachAvailability) {
  int belowTheScale = 0;
  std::set<std::string> classes;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::array<LinkGrid, 3> grids = {linkAt(c, "10"), linkAt(c, "50"), linkAt(c, "90")};
    const CliRun r = runCli(with({"point", "--format", "json", "--freq", PlainText(c.mhz), "--utc", c.utc, "--avail",
                                  c.avail, "--mode", c.mode, "--noise", c.noise},
                                 c.link));
    ASSERT_EQ(r.rc, 0) << r.err;
    const json p = json::parse(r.out);
    const int hour = std::stoi(c.utc.substr(0, 2)), minute = std::stoi(c.utc.substr(3));
    compare(p, expected(c, grids, hour, minute, c.mhz), expectedNeed(c.mode));
    // The level the panel shows is the same forecast rounded down twice and
    // held to -127 dBm; the signal-to-noise ratio is not held there.
    const double level = p["snr_db_hz"].get<double>() + expectedN0(c.noise, c.mhz);
    if (p["level_dbm"].get<double>() > -127) {
      EXPECT_LE(p["level_dbm"].get<double>(), level + 0.06);
      EXPECT_GT(p["level_dbm"].get<double>(), level - 2.06);
    } else {
      ++belowTheScale;
    }
    classes.insert(p["outlook"].get<std::string>());
  }
  EXPECT_GT(belowTheScale, 0);
  EXPECT_GE(classes.size(), 3u);
}

TEST(OutlookCli, BandsJsonFollowsTheFormulasForEveryBandAndHour) {
  for (const Case& c : {kCases[0], kCases[2], kCases[4]}) {
    SCOPED_TRACE(c.name);
    const std::array<LinkGrid, 3> grids = {linkAt(c, "10"), linkAt(c, "50"), linkAt(c, "90")};
    const CliRun r = runCli(with({"bands", "--format", "json", "--utc", c.utc, "--hours", "3", "--avail", c.avail,
                                  "--mode", c.mode, "--noise", c.noise},
                                 c.link));
    ASSERT_EQ(r.rc, 0) << r.err;
    const json b = json::parse(r.out);
    ASSERT_EQ(b["bands"].size(), 10u);
    for (const json& band : b["bands"])
      for (const json& h : band["hours"]) {
        const std::string utc = h["utc"];
        SCOPED_TRACE(band["band"].get<std::string>() + " " + utc);
        compare(h, expected(c, grids, std::stoi(utc.substr(0, 2)), std::stoi(utc.substr(3)), band["mhz"].get<double>()),
                expectedNeed(c.mode));
        EXPECT_TRUE(h.contains("level_dbm"));  // the existing members stay
      }
  }
}

TEST(OutlookCli, OptionsAndTheirErrors) {
  struct Row {
    std::vector<std::string> args;
    std::string message;
  } rows[] = {
      {{"point", "--freq", "14", "--utc", "12:00", "--mode", "PSK31"}, "--mode takes CW, SSB, FT8, FT4, WSPR"},
      {{"point", "--freq", "14", "--utc", "12:00", "--mode", "90"}, "--mode: 90 dB-Hz is outside 0 .. 80"},
      {{"bands", "--utc", "12:00", "--noise", "suburb"}, "--noise takes city, residential, rural, quiet"},
      {{"bands", "--utc", "12:00", "--noise", "-170"}, "--noise: -170 dBm is outside -160 .. 0"},
      {{"bands", "--utc", "12:00", "--outlook", "--level"}, "--outlook excludes --level and --field"},
      {{"link", "--outlook", "--memories", "1,2,3,4,5,6"}, "--outlook excludes --memories"},
      {{"point", "--freq", "14", "--utc", "12:00", "--outlook"}, "unknown option '--outlook'"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.args[0] + " " + r.message);
    const CliRun c = runCli(r.args);
    EXPECT_EQ(c.rc, 2);
    EXPECT_NE(c.err.find(r.message), std::string::npos) << c.err;
  }
  const CliRun help = runCli({"--help"});
  for (const char* o : {"--mode CW|SSB|FT8|FT4|WSPR|DBHZ", "--noise city|residential|rural|quiet|DBM", "--outlook"})
    EXPECT_NE(help.out.find(o), std::string::npos) << o;
}

TEST(OutlookCli, BandsAndLinkShowTheSymbols) {
  const CliRun t = runCli({"bands", "--utc", "16:00", "--hours", "3", "--outlook", "--mode", "SSB", "--lang", "1"});
  ASSERT_EQ(t.rc, 0) << t.err;
  const auto lines = split(t.out);
  EXPECT_EQ(lines[0].rfind("Outlook for SSB (38 dB-Hz needed), residential noise;", 0), 0u);
  ASSERT_GE(lines.size(), 15u);
  EXPECT_EQ(lines[3].substr(0, 4), "160m");
  EXPECT_TRUE(lines[13].starts_with("Best band for SSB now: ") || lines[13].starts_with("No band open for SSB now"))
      << lines[13];
  const CliRun csv = runCli({"bands", "--utc", "16:00", "--outlook", "--format", "csv", "--noise", "-100"});
  ASSERT_EQ(csv.rc, 0) << csv.err;
  EXPECT_EQ(split(csv.out)[0], "band,mhz,utc,snr_db_hz,required_db_hz,margin_db,outlook");

  const CliRun link = runCli({"link", "--outlook", "--format", "json", "--mode", "CW"});
  ASSERT_EQ(link.rc, 0) << link.err;
  const json l = json::parse(link.out);
  ASSERT_EQ(l["outlook"]["grid"].size(), 24u);
  EXPECT_EQ(l["outlook"]["mode"], "CW");
  EXPECT_EQ(l["grid"].size(), 24u);  // the field strengths as before
  const CliRun text = runCli({"link", "--outlook"});
  EXPECT_NE(text.out.find("Outlook for FT8 (13 dB-Hz needed)"), std::string::npos);
}

TEST(OutlookCli, MapAndChartDrawTheOutlook) {
  TempDir d;
  ASSERT_EQ(runCli({"table", "--dir", d.str(), "--date", "2026-12-07"}).rc, 0);
  const std::string level = [&] {
    EXPECT_EQ(runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:00"}).rc, 0);
    return readFile(d / "WelvDar1.bmp");
  }();
  const CliRun map = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:00", "--outlook", "--mode", "SSB"});
  ASSERT_EQ(map.rc, 0) << map.err;
  const std::string outlook = readFile(d / "WelvDar1.bmp");
  ASSERT_EQ(outlook.size(), level.size());
  EXPECT_NE(outlook, level);
  const CliRun png = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:00", "--outlook", "--png",
                             (d / "o.png").string(), "--lang", "1"});
  ASSERT_EQ(png.rc, 0) << png.err;
  EXPECT_EQ(readFile(d / "o.png").substr(1, 3), "PNG");

  // A table that does not follow from its header cannot give the outlook.
  std::string tab = readFile(d / "Welvaro.tab");
  const std::size_t middle = tab.size() / 2;
  tab[middle] = static_cast<char>(tab[middle] + 1);
  writeFile(d / "Welvaro.tab", tab);
  const CliRun bad = runCli({"map", "--dir", d.str(), "--freq", "14.2", "--utc", "12:00", "--outlook"});
  EXPECT_EQ(bad.rc, 4);
  EXPECT_NE(bad.err.find("make it anew with welvaro-cli table"), std::string::npos) << bad.err;

  ASSERT_EQ(runCli({"chart", "--dir", d.str(), "--outlook", "--mode", "FT4"}).rc, 0);
  EXPECT_EQ(readFile(d / "WelvDar2.bmp").size(), 145250u);
  const CliRun chart = runCli({"chart", "--dir", d.str(), "--outlook", "--png", (d / "c.png").string()});
  ASSERT_EQ(chart.rc, 0) << chart.err;
  EXPECT_EQ(runCli({"chart", "--dir", d.str(), "--outlook", "--a", "0,0", "--b", "0,180"}).rc, 3);
}

TEST(OutlookSession, ModeAndNoiseKeptOverARestart) {
  TempDir d;
  const ProgramDirs dirs = programDirs(d);
  const DateTime start{2026, 12, 8, 15, 4, 0};
  auto s = std::make_unique<State>();
  prgStart(*s, FixedClock(start).read(), dirs);
  EXPECT_EQ(s->OutlookMode, 2);  // FT8 and residential noise at first
  EXPECT_EQ(s->NoiseEnvironment, 1);
  EXPECT_EQ(s->AvailabilityTables[1].size(), 492580u);  // made with the table
  s->OutlookMode = 4;
  s->NoiseEnvironment = 4;
  s->NoiseFloor = -118;
  ASSERT_TRUE(prgSpeicherDaten(*s, dirs, start).empty());
  const std::string ini = readFile(d / "WelvaroFenster.ini");
  EXPECT_NE(ini.find("mode=WSPR\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("noise_dbm=-118\n"), std::string::npos) << ini;
  auto again = std::make_unique<State>();
  prgStart(*again, FixedClock(start).read(), dirs);
  EXPECT_EQ(again->OutlookMode, 4);
  EXPECT_EQ(again->NoiseEnvironment, 4);
  EXPECT_EQ(again->NoiseFloor, -118);
  // The settings file keeps its layout: nothing of the outlook in it.
  EXPECT_EQ(readFile(d / "Welvaro.dat").find("WSPR"), std::string::npos);
}
