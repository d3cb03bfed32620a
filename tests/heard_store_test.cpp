// The store of heard decodes and the reading of the receiver's logs into
// it: positions across appends, replaced and shortened files, half-written
// lines, grids sent earlier, a damaged store set aside, retention, a kill
// at any moment, and welvaro-cli heard on a log it has not seen before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "decodes/logreader.h"
#include "decodes/store.h"
#include "lang/sprachtext.h"
#include "state/bands.h"
#include "testutil.h"

using namespace welvaro;
using welvaro::test::TempDir;

namespace {

std::int64_t ms(int y, int mo, int d, int h, int mi, int s) { return toSerial({y, mo, d, h, mi, s}) * 1000; }

void append(const std::filesystem::path& p, const std::string& text) {
  std::ofstream f(p, std::ios::binary | std::ios::app);
  f << text;
}

// A log line of FT8 on 20 m at 2026-12-08 00:00:00 plus `period` x 15 s.
std::string line(int period, const std::string& message, int snr = -10, const char* mhz = "14.074") {
  const DateTime t = fromSerial(toSerial({2026, 12, 8, 0, 0, 0}) + period * 15LL);
  char b[160];
  std::snprintf(b, sizeof b, "%02d%02d%02d_%02d%02d%02d %9s Rx FT8 %6d  0.1 1200 %s\n", t.year % 100, t.month, t.day,
                t.hour, t.minute, t.second, mhz, snr, message.c_str());
  return b;
}

struct Fixture : ::testing::Test {
  TempDir dir;
  DecodeStore store;
  std::filesystem::path log = dir / "ALL.TXT";
  void SetUp() override { ASSERT_EQ(store.open(dir / "heard.sqlite"), ""); }
  LogReadCounts import(std::size_t batch = 20000) { return importLogs(store, {{log.string(), 48.1, 11.5}}, nullptr, batch); }
  std::vector<StoredDecode> all() { return store.between(0, ms(2100, 1, 1, 0, 0, 0)); }
};

using LogReading = Fixture;
using HeardStore = Fixture;

}  // namespace

TEST_F(LogReading, OnlyNewLinesAreReadAfterAnAppend) {
  append(log, line(0, "CQ DL1ABC JO62") + line(1, "K1ABC G4XYZ -15") + "garbage\n");
  LogReadCounts c = import();
  EXPECT_TRUE(c.fromStart);
  EXPECT_EQ(c.lines, 3u);
  EXPECT_EQ(c.decodes, 2u);
  EXPECT_EQ(c.unreadable, 1u);
  append(log, line(2, "CQ F5ABC JN18"));
  c = import();
  EXPECT_FALSE(c.fromStart);
  EXPECT_EQ(c.lines, 1u);
  EXPECT_EQ(c.unreadable, 0u);
  EXPECT_EQ(store.count(), 3);
  c = import();
  EXPECT_EQ(c.lines, 0u);
}

TEST_F(LogReading, AHalfWrittenLineWaitsForItsEnd) {
  const std::string whole = line(0, "CQ DL1ABC JO62");
  append(log, whole + whole.substr(0, 0) + line(1, "CQ F5ABC JN18").substr(0, 20));
  LogReadCounts c = import();
  EXPECT_EQ(c.lines, 1u);
  EXPECT_EQ(store.count(), 1);
  append(log, line(1, "CQ F5ABC JN18").substr(20));
  c = import();
  EXPECT_EQ(c.lines, 1u);
  EXPECT_EQ(c.unreadable, 0u);
  EXPECT_EQ(store.count(), 2);
}

TEST_F(LogReading, CrLfLinesAndTransmissions) {
  std::string crlf = line(0, "CQ DL1ABC JO62");
  crlf.insert(crlf.size() - 1, "\r");
  append(log, crlf + "261208_000015    14.074 Tx FT8      0  0.0 1500 CQ DL9ZZZ JN58\r\n");
  const LogReadCounts c = import();
  EXPECT_EQ(c.decodes, 1u);
  EXPECT_EQ(c.transmits, 1u);
  EXPECT_EQ(c.unreadable, 0u);
  ASSERT_EQ(all().size(), 1u);
  EXPECT_EQ(all()[0].message, "CQ DL1ABC JO62");
}

TEST_F(LogReading, AReplacedOrShortenedOrRewrittenFileIsReadAgainFromTheStart) {
  const struct {
    const char* name;
    std::function<void(const std::filesystem::path&)> change;
  } cases[] = {
      {"replaced by a longer file",
       [](const std::filesystem::path& p) {
         const auto tmp = p.string() + ".new";
         std::ofstream(tmp) << line(10, "CQ W1AW FN31") << line(11, "CQ W2AW FN31") << line(12, "CQ W3AW FN31")
                            << line(13, "CQ W4AW FN31");
         std::filesystem::rename(tmp, p);
       }},
      {"shortened",
       [](const std::filesystem::path& p) { std::ofstream(p, std::ios::trunc) << line(20, "CQ W5AW FN31"); }},
      {"rewritten in place, longer",
       [](const std::filesystem::path& p) {
         std::ofstream(p, std::ios::trunc) << line(30, "CQ W6AW FN31") << line(31, "CQ W7AW FN31")
                                           << line(32, "CQ W8AW FN31") << line(33, "CQ W9AW FN31");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(log);
    append(log, line(0, "CQ DL1ABC JO62") + line(1, "CQ DL2ABC JO62") + line(2, "CQ DL3ABC JO62"));
    import();
    const std::int64_t before = store.count();
    c.change(log);
    const LogReadCounts r = import();
    EXPECT_TRUE(r.fromStart);
    const std::string now = test::readFile(log);
    EXPECT_EQ(r.lines, static_cast<std::uint64_t>(std::count(now.begin(), now.end(), '\n')));
    EXPECT_EQ(store.count(), before + static_cast<std::int64_t>(r.decodes));
  }
}

TEST_F(LogReading, AMissingLogOrAFolderIsAnErrorNotACrash) {
  LogReadCounts c = import();
  EXPECT_NE(c.error, "");
  std::filesystem::create_directory(log);
  c = import();
  EXPECT_NE(c.error, "");
  EXPECT_EQ(store.count(), 0);
}

TEST_F(LogReading, AMillionLinesCountedExactly) {
  // 1,000,000 lines: decodes of 2000 stations in all bands, every 10th
  // line an own transmission, every 1000th garbage instead.
  {
    std::ofstream f(log, std::ios::binary);
    const char* mhz[] = {"1.840", "3.573", "7.074", "10.136", "14.074", "18.100", "21.074", "24.915", "28.074", "5.357"};
    std::uint64_t decodes = 0;
    for (int i = 0; i < 1'000'000; ++i) {
      if (i % 1000 == 999) {
        f << "x\n";
      } else if (i % 10 == 9) {
        f << "261208_000000    14.074 Tx FT8      0  0.0 1500 CQ DL9ZZZ JN58\n";
      } else {
        const int st = i % 2000;
        f << line(i / 40, "CQ K" + std::to_string(st % 10) + "A" + std::string(1, static_cast<char>('A' + st / 100)) +
                              std::string(1, static_cast<char>('A' + (st / 10) % 10)) + " FN42",
                  -20 + i % 30, mhz[(i / 7) % 10]);
        ++decodes;
      }
    }
    EXPECT_EQ(decodes, 900'000u);
  }
  const LogReadCounts c = readNewLines({log.string(), 0, 0}, std::nullopt,
                                       [](std::vector<Decode>&, const LogPosition&) { return true; });
  EXPECT_EQ(c.lines, 1'000'000u);
  EXPECT_EQ(c.decodes, 900'000u);
  EXPECT_EQ(c.transmits, 99'000u);
  EXPECT_EQ(c.unreadable, 1'000u);
  EXPECT_EQ(c.noStation, 0u);
}

TEST_F(HeardStore, AGridSentEarlierIsTakenAndMarked) {
  append(log, line(0, "K1ABC DL1ABC -10") + line(1, "CQ DL1ABC JO62") + line(2, "K1ABC DL1ABC RR73"));
  import();
  const auto rows = all();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].gridSource, GridSource::None);
  EXPECT_FALSE(rows[0].located);
  EXPECT_EQ(rows[1].gridSource, GridSource::Message);
  EXPECT_EQ(rows[2].gridSource, GridSource::Earlier);
  EXPECT_EQ(rows[2].grid, "JO62");
  ASSERT_TRUE(rows[2].located);
  // JO62 is centred on 52.5 N 13 E; from 48.1 N 11.5 E that is about 500 km to the north.
  EXPECT_DOUBLE_EQ(rows[2].lat, 52.5);
  EXPECT_DOUBLE_EQ(rows[2].lon, 13.0);
  EXPECT_NEAR(rows[2].distanceKm, 501, 2);
  EXPECT_NEAR(rows[2].bearing, 12, 2);
}

TEST_F(HeardStore, ReadingALogTwiceOrUnderTwoNamesStoresEachDecodeOnce) {
  std::string fox = line(2, "K1ABC KH1/KH7Z -12");
  fox.replace(fox.find(" 1200 "), 6, " 1860 ");  // the same station in the same period at another offset
  append(log, line(0, "CQ DL1ABC JO62") + line(0, "CQ DL2ABC JO62", -3) + line(1, "CQ DL1ABC JO62") +
                  line(2, "W9XYZ KH1/KH7Z -12") + fox + line(3, "TNX 73 GL"));
  import();
  EXPECT_EQ(store.count(), 6);
  std::filesystem::copy_file(log, dir / "copy.txt");
  AddCounts a;
  importLogs(store, {{(dir / "copy.txt").string(), 48.1, 11.5}}, &a);
  EXPECT_EQ(a.added, 0u);
  EXPECT_EQ(a.duplicates, 6u);
  EXPECT_EQ(store.count(), 6);
}

TEST_F(HeardStore, OldDecodesAreDropped) {
  append(log, line(0, "CQ DL1ABC JO62") + line(4 * 60 * 24, "CQ DL2ABC JO62"));
  import();
  EXPECT_EQ(store.newestMs(), ms(2026, 12, 9, 0, 0, 0));
  EXPECT_EQ(store.dropOlderThan(ms(2026, 12, 8, 12, 0, 0)), 1);
  EXPECT_EQ(store.count(), 1);
  EXPECT_EQ(all()[0].call, "DL2ABC");
}

TEST(HeardStoreFile, ADamagedStoreIsSetAsideAndANewOneStarted) {
  TempDir dir;
  const auto file = dir / "heard.sqlite";
  {
    DecodeStore s;
    ASSERT_EQ(s.open(file), "");
    Decode d;
    d.utcMs = ms(2026, 12, 8, 0, 0, 0);
    d.band = 5;
    d.mode = "FT8";
    d.call = "DL1ABC";
    ASSERT_TRUE(s.add({d}));
  }
  // Everything after the first page overwritten.
  std::string bytes = test::readFile(file);
  ASSERT_GT(bytes.size(), 4096u);
  for (std::size_t i = 100; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  test::writeFile(file, bytes);
  DecodeStore s;
  EXPECT_EQ(s.open(file), "");
  const auto m = s.takeSetAside();
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, kTxHeardStoreSetAside);
  EXPECT_EQ(m->isOne, file.string());
  EXPECT_TRUE(std::filesystem::exists(m->two));
  EXPECT_EQ(test::readFile(m->two), bytes);
  EXPECT_EQ(s.count(), 0);
  EXPECT_TRUE(s.integrityOk());
  EXPECT_FALSE(s.takeSetAside());

  // A file that is no database at all.
  test::writeFile(dir / "text.sqlite", std::string(8192, 'x'));
  DecodeStore t;
  EXPECT_EQ(t.open(dir / "text.sqlite"), "");
  EXPECT_TRUE(t.takeSetAside());
}

TEST(HeardStoreFile, AKillDuringALargeImportLeavesAWholeStore) {
  TempDir dir;
  const auto log = dir / "ALL.TXT";
  {
    std::ofstream f(log, std::ios::binary);
    for (int i = 0; i < 300'000; ++i) f << line(i, "CQ K" + std::to_string(i % 10) + "ABC FN42", -20 + i % 30);
  }
  for (const int delayMs : {30, 150, 400}) {
    SCOPED_TRACE(delayMs);
    const auto file = dir / ("heard" + std::to_string(delayMs) + ".sqlite");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      DecodeStore s;
      if (!s.open(file).empty()) ::_exit(2);
      importLogs(s, {{log.string(), 48.1, 11.5}}, nullptr, 5000);
      ::_exit(0);
    }
    ::usleep(static_cast<useconds_t>(delayMs) * 1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    DecodeStore s;
    ASSERT_EQ(s.open(file), "");
    EXPECT_FALSE(s.takeSetAside());
    EXPECT_TRUE(s.integrityOk());
    // The decodes stored are exactly the lines before the position stored.
    const auto pos = s.logPosition(log.string());
    const std::int64_t n = s.count();
    if (!pos) {
      EXPECT_EQ(n, 0);
    } else {
      const std::string text = test::readFile(log).substr(0, pos->offset);
      EXPECT_EQ(n, std::count(text.begin(), text.end(), '\n'));
    }
    // And reading on completes it.
    importLogs(s, {{log.string(), 48.1, 11.5}});
    EXPECT_EQ(s.count(), 300'000);
  }
}

TEST(HeardCommand, PerBandCountsBestSnrAndFarthestDistance) {
  TempDir dir;
  const auto log = dir / "ALL.TXT";
  test::writeFile(log,
                  "261208_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62\n"
                  "261208_143015    14.074 Rx FT8     -7 -0.1  845 K1ABC G4XYZ -15\n"
                  "261208_143030    14.074 Tx FT8      0  0.0 1500 CQ DL9ZZZ JN58\n"
                  "261208_143030    14.074 Rx FT8      3  0.1  900 CQ DX VK2XYZ QF56\n"
                  "not a line of the log\n"
                  "261208_143030    14.074 Rx FT8    -16  0.1 1900 TNX BOB 73 GL\n"
                  "261208_1431       7.074 Rx FT8    -20  0.1  900 W1AW K1ABC FN42\n"
                  "261208_143045    14.074 Rx FT8     -3 -0.1  845 DL1ABC G4XYZ R-10\n"
                  "261208_143100    14.074 Rx FT8     -1  0.3 1234 G4XYZ DL1ABC RR73\r\n"
                  "251208_143100    14.074 Rx FT8     15  0.3 1234 CQ JA1ABC PM95\n"
                  "261208_1432");
  FixedClock clock({2026, 12, 20, 12, 0, 0}, 0, 0);
  const auto run = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = {"welvaro-cli", "heard", "--log", log.string(), "--store", (dir / "s.db").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::ostringstream out, err;
    const int rc = cli::runCli(args, cli::Context{clock, {}, out, err});
    EXPECT_EQ(rc, 0) << err.str();
    return out.str();
  };
  const std::string all = run({"--format", "json"});
  EXPECT_EQ(all,
            "{\"bands\":[{\"band\":\"40m\",\"decodes\":1,\"stations\":1,\"best_snr\":-20,\"farthest_km\":6166},"
            "{\"band\":\"20m\",\"decodes\":7,\"stations\":4,\"best_snr\":15,\"farthest_km\":16295}],"
            "\"skipped_lines\":1}\n");
  // The last hour before the newest decode; the year-old one is out, and
  // the longest path is now VK2 (from the receiver at JN58, not A).
  const auto j = nlohmann::json::parse(run({"--since", "1h", "--band", "20m", "--rx", "JN58", "--format", "json"}));
  ASSERT_EQ(j["bands"].size(), 1u);
  EXPECT_EQ(j["bands"][0]["decodes"], 6);  // the free text counts as a decode, not as a station
  EXPECT_EQ(j["bands"][0]["stations"], 3);
  EXPECT_EQ(j["bands"][0]["best_snr"], 3);
  EXPECT_EQ(j["bands"][0]["farthest_km"], 16295);  // distances were stored with the first read's receiver
  EXPECT_EQ(j["skipped_lines"], 0);  // nothing new read
  const std::string text = run({"--list", "--since", "1h"});
  EXPECT_NE(text.find("VK2XYZ"), std::string::npos);
  EXPECT_NE(text.find("JO62*"), std::string::npos);  // a grid sent earlier is marked
  EXPECT_NE(text.find("band   decodes  stations  best SNR  farthest km\n"), std::string::npos);

  std::ostringstream out, err;
  EXPECT_EQ(cli::runCli({"welvaro-cli", "heard", "--log", (dir / "none.txt").string(), "--store",
                         (dir / "s.db").string()},
                        cli::Context{clock, {}, out, err}),
            cli::kExitFileError);
  EXPECT_EQ(cli::runCli({"welvaro-cli", "heard", "--store", (dir / "s.db").string()}, cli::Context{clock, {}, out, err}),
            cli::kExitBadArguments);
  EXPECT_EQ(cli::runCli({"welvaro-cli", "heard", "--log", log.string(), "--since", "2h"},
                        cli::Context{clock, {}, out, err}),
            cli::kExitBadArguments);
  EXPECT_EQ(cli::runCli({"welvaro-cli", "heard", "--log", log.string(), "--band", "6m"},
                        cli::Context{clock, {}, out, err}),
            cli::kExitBadArguments);
  EXPECT_EQ(cli::runCli({"welvaro-cli", "listen", "--udp", "localhost:99999"}, cli::Context{clock, {}, out, err}),
            cli::kExitBadArguments);
}
