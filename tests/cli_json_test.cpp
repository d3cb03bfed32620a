// Every --format json output of welvaro-cli is valid JSON, parsed here
// strictly: numbers are JSON numbers (never ".5" or "-.125"), station names
// of any bytes come out as valid UTF-8 strings (a byte that is no UTF-8
// becomes U+FFFD), and the keys and values are those the outputs always had.
#include <gtest/gtest.h>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;
using Json = nlohmann::json;

namespace {

const DateTime kNow{2026, 12, 8, 15, 4, 0};

// The subcommands, each with the options it needs besides --format json.
struct Command {
  const char* name;
  std::vector<std::string> args;
};

const std::vector<Command>& commands() {
  static const std::vector<Command> c = {
      {"link", {"link"}},
      {"point", {"point", "--freq", "14.2", "--utc", "12:00"}},
      {"table", {"table", "--dir", "."}},
      {"map", {"map", "--dir", ".", "--freq", "10", "--utc", "12:00"}},
      {"chart", {"chart", "--dir", "."}},
      {"report", {"report", "--text"}},
      {"bands", {"bands", "--utc", "12:00"}},
  };
  return c;
}

// Parses `text` as one JSON document followed by a line end, strictly
// (the library refuses invalid UTF-8, bare ".5", trailing commas ...).
Json parseStrictly(const std::string& text) {
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  return Json::parse(text);  // throws on anything that is not JSON
}

}  // namespace

TEST(CliJson, EverySubcommandWithJsonGivesValidJsonWhateverTheNames) {
  const std::vector<std::pair<const char*, std::string>> names = {
      {"plain", "Ham Shack"},
      {"umlauts", "München"},
      {"quotes and backslashes", "a \"q\" \\ b"},
      {"control characters", "tab\there\nnl\x01\x1f"},
      {"invalid UTF-8", "bad\xff\xfe x \xc3 end"},
      {"cut sequence at the end", "cut \xe2\x82"},
      {"emoji", "\xF0\x9F\x93\xA1 antenna"},
  };
  int withJson = 0;
  for (const Command& c : commands()) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--format", "json"});
    const CliRun r = runCli(args, kNow);
    if (r.rc == 2) {  // a subcommand without JSON output says so
      EXPECT_NE(r.err.find("--format"), std::string::npos) << r.err;
      continue;
    }
    ++withJson;
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NO_THROW(parseStrictly(r.out)) << r.out;

    // Odd station names, where the subcommand takes names.
    for (const auto& [what, name] : names) {
      SCOPED_TRACE(what);
      std::vector<std::string> named = args;
      named.insert(named.end(), {"--name-a", name, "--name-b", name});
      const CliRun n = runCli(named, kNow);
      if (n.rc == 2) break;  // no names here
      ASSERT_EQ(n.rc, 0) << n.err;
      Json j;
      ASSERT_NO_THROW(j = parseStrictly(n.out)) << n.out;
      const std::string a = j["a"]["name"];
      if (name == "bad\xff\xfe x \xc3 end") {
        EXPECT_EQ(a, "bad\xEF\xBF\xBD\xEF\xBF\xBD x \xEF\xBF\xBD end");
      } else if (name == "cut \xe2\x82") {
        EXPECT_EQ(a.substr(0, 4), "cut ");
        EXPECT_NE(a.find("\xEF\xBF\xBD"), std::string::npos);
      } else {
        EXPECT_EQ(a, name);  // everything else passes unchanged (names of up to 15 characters)
      }
    }
  }
  EXPECT_EQ(withJson, 3);  // link, point, bands
}

TEST(CliJson, NumbersAreJsonNumbersWithTheirValues) {
  // A position below one degree: its number text is ".5", "-.5".
  const CliRun p = runCli({"point", "--freq", "7", "--utc", "06:30", "--a", ".5,-.5", "--b", "-3.7,40.4",
                           "--format", "json"},
                          kNow);
  ASSERT_EQ(p.rc, 0) << p.err;
  const Json j = parseStrictly(p.out);
  EXPECT_EQ(j["a"]["lat"], 0.5);
  EXPECT_EQ(j["a"]["lon"], -0.5);
  EXPECT_EQ(j["b"]["lat"], -3.7);
  EXPECT_EQ(j["b"]["lon"], 40.4);
  EXPECT_EQ(j["mhz"], 7);
  EXPECT_TRUE(j["mhz"].is_number_integer());
  EXPECT_EQ(j["utc"], "06:30");
  for (const char* key : {"level_dbm", "field_dbuv", "s_meter", "distance_km", "bearing_ab", "bearing_ba"})
    EXPECT_TRUE(j[key].is_number()) << key;
  // The keys in the order they always had, the outlook's after them.
  std::size_t at = 0;
  for (const char* key : {"\"a\":", "\"b\":", "\"mhz\":", "\"utc\":", "\"level_dbm\":", "\"field_dbuv\":",
                          "\"s_meter\":", "\"distance_km\":", "\"bearing_ab\":", "\"bearing_ba\":",
                          "\"snr_db_hz\":", "\"required_db_hz\":", "\"margin_db\":", "\"outlook\":"}) {
    const std::size_t next = p.out.find(key, at);
    EXPECT_NE(next, std::string::npos) << key;
    at = next;
  }
  EXPECT_EQ(j.size(), 14u);

  // A point the model cannot compute: its values are null.
  const CliRun f = runCli({"point", "--freq", "7", "--utc", "06:30", "--a", "0,0", "--b", "0,0", "--format", "json"},
                          kNow);
  EXPECT_EQ(f.rc, 3);
  const Json g = parseStrictly(f.out);
  EXPECT_TRUE(g["level_dbm"].is_null());
  EXPECT_TRUE(g["a"]["lat"].is_number());

  const CliRun b = runCli({"bands", "--utc", "23:00", "--hours", "2", "--format", "json"}, kNow);
  ASSERT_EQ(b.rc, 0) << b.err;
  const Json bands = parseStrictly(b.out)["bands"];
  ASSERT_EQ(bands.size(), 10u);
  EXPECT_EQ(bands[0]["band"], "160m");
  EXPECT_EQ(bands[0]["mhz"], 1.85);
  EXPECT_EQ(bands[9]["mhz"], 28.5);
  ASSERT_EQ(bands[0]["hours"].size(), 2u);
  EXPECT_EQ(bands[0]["hours"][1]["utc"], "00:00");
  EXPECT_TRUE(bands[0]["hours"][1]["level_dbm"].is_number_integer());

  const CliRun l = runCli({"link", "--format", "json"}, kNow);
  ASSERT_EQ(l.rc, 0) << l.err;
  const Json link = parseStrictly(l.out);
  EXPECT_GT(link["distance_km"].get<double>(), 1478);
  EXPECT_EQ(link["hops_f"], 2);
  ASSERT_EQ(link["columns"].size(), 32u);
  EXPECT_EQ(link["columns"][1], "muf");
  ASSERT_EQ(link["grid"].size(), 24u);
  EXPECT_EQ(link["grid"][23][0], 24);
  EXPECT_TRUE(link["grid"][23][31].is_number_integer());
}

// The subcommands of the sun, the sunspot table and the heard decodes give
// strict JSON too, with the keys their outputs promise.
TEST(CliJson, SunSunspotAndHeardGiveValidJson) {
  TempDir dir;
  const auto log = dir / "ALL.TXT";
  writeFile(log,
            "261208_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62\n"
            "261208_143030    14.074 Rx FT8      3  0.1  900 CQ DX VK2XYZ QF56\n"
            "not a line of the log\n");
  const std::string store = (dir / "heard.sqlite").string();
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::vector<const char*> keys;
  } cases[] = {
      {"sun", {"sun", "--utc", "12:00"}, {"sun_lat", "sun_lon", "sunrise_a", "sunset_a", "sunrise_b", "sunset_b"}},
      {"ssn", {"ssn", "--month", "2026-12"}, {"month", "ssn", "kind", "table", "origin"}},
      {"heard", {"heard", "--log", log.string(), "--store", store}, {"bands", "skipped_lines"}},
      {"heard list", {"heard", "--log", log.string(), "--store", store, "--list"}, {}},
      {"listen", {"listen", "--udp", "127.0.0.1:" + std::to_string(20000 + ::getpid() % 20000), "--seconds", "1",
                  "--store", store},
       {"datagrams", "decodes", "ignored"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--format", "json"});
    const CliRun r = runCli(args, kNow, {shippedData()});
    ASSERT_EQ(r.rc, 0) << r.err;
    Json j;
    ASSERT_NO_THROW(j = parseStrictly(r.out)) << r.out;
    for (const char* key : c.keys) EXPECT_TRUE(j.contains(key)) << key << " in " << r.out;
  }
}
