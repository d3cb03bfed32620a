// The update of the sunspot table against a server of the test's own on
// 127.0.0.1: good files, and every way the network or the data can fail,
// each of which must leave the table in use as it was, byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <thread>

#include "lang/sprachtext.h"
#include "local_http_server.h"
#include "solar/http_get.h"
#include "solar/solar_update.h"
#include "solar/sunspot_choice.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// NOAA's observed file from 2020-01 to 2026-09, smoothed values known up to
// 2026-03 (-1 for the last six months); the predicted one from 2026-04 to
// 2027-12, 2027-01 at 42.5.
std::string observedJson(int months = 81) {
  std::string j = "[";
  for (int i = 0; i < months; ++i) {
    const YearMonth m{2020 + i / 12, 1 + i % 12};
    const std::string smoothed = m.index() <= YearMonth{2026, 3}.index() ? std::to_string(10 + i) + ".5" : "-1";
    j += std::string(i ? ", " : "") + R"({"time-tag": ")" + yearMonthText(m) + R"(", "ssn": 70.1, "smoothed_ssn": )" +
         smoothed + R"(, "observed_swpc_ssn": 60, "smoothed_swpc_ssn": -1, "f10.7": 150.2, "smoothed_f10.7": -1})";
  }
  return j + "]";
}

std::string predictedJson(const std::map<std::string, std::string>& changed = {}) {
  std::string j = "[";
  for (int i = 0; i < 21; ++i) {
    const YearMonth m{2026 + (3 + i) / 12, 1 + (3 + i) % 12};
    const std::string tag = yearMonthText(m);
    const auto c = changed.find(tag);
    const std::string v = c != changed.end() ? c->second : tag == "2027-01" ? "42.5" : std::to_string(90 - i) + ".25";
    j += std::string(i ? ",\n" : "\n") + R"({"time-tag": ")" + tag + R"(", "predicted_ssn": )" + v +
         R"(, "high_ssn": 120, "low_ssn": 60, "predicted_f10.7": 140, "high_f10.7": 160, "low_f10.7": 120})";
  }
  return j + "\n]";
}

// The two files, each answer replaceable by a test.
struct Noaa {
  HttpReply observed{.body = observedJson()};
  HttpReply predicted{.body = predictedJson()};
  HttpReply operator()(const std::string& path) const {
    if (path == kSolarObservedPath) return observed;
    if (path == kSolarPredictedPath) return predicted;
    return {.status = 404, .body = "not here"};
  }
};

// Requests go straight to 127.0.0.1, never through a proxy of the machine.
class SolarUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::unsetenv(kSolarUrlVariable);
  }
  SolarUpdateRequest request(const std::string& base) const {
    SolarUpdateRequest r;
    r.base = base;
    r.target = user / kSunspotUpdatedFile;
    r.today = {2026, 12};
    return r;
  }
  std::vector<std::string> folder() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(user.path)) names.push_back(e.path().filename().string());
    return names;
  }
  TempDir user;
};

}  // namespace

TEST_F(SolarUpdate, GoodFilesAreMergedAndWrittenAndTakePrecedence) {
  Noaa noaa;
  LocalHttpServer server(std::ref(noaa));
  SolarUpdateRequest r = request(server.base() + "/");
  std::vector<SolarProgress> seen;
  r.progress = [&](const SolarProgress& p) { seen.push_back(p); };
  r.base = server.base();
  const SolarUpdateResult res = updateSunspotTable(r);
  ASSERT_TRUE(res.ok) << solarUpdateMessage(1, res);
  EXPECT_EQ(solarUpdateMessage(1, res), "Solar data updated: table of 2026-12, 96 months.");
  EXPECT_EQ(solarUpdateMessage(0, res), "Sonnendaten aktualisiert: Tabelle Stand 2026-12, 96 Monate.");
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().file, 1);
  EXPECT_EQ(seen.back().file, 2);
  EXPECT_EQ(seen.back().received, static_cast<std::int64_t>(predictedJson().size()));

  // Observed where its smoothed value is known, predicted from there on.
  SunspotTable t;
  ASSERT_EQ(readSunspotFile(user / kSunspotUpdatedFile, t, nullptr), SunspotRead::kOk);
  EXPECT_EQ(t.date, (YearMonth{2026, 12}));
  EXPECT_EQ(t.months.front().month, (YearMonth{2020, 1}));
  EXPECT_EQ(t.months.back().month, (YearMonth{2027, 12}));
  EXPECT_EQ(findMonth(t, {2026, 3})->kind, SunspotKind::kObserved);
  EXPECT_EQ(findMonth(t, {2026, 3})->ssn, 84.5);
  EXPECT_EQ(findMonth(t, {2026, 4})->kind, SunspotKind::kPredicted);
  EXPECT_EQ(findMonth(t, {2026, 4})->ssn, 90.25);
  EXPECT_EQ(findMonth(t, {2027, 1})->ssn, 42.5);
  EXPECT_EQ(folder(), std::vector<std::string>{std::string(kSunspotUpdatedFile)});

  // The record takes it up for the forecast month.
  auto held = std::make_unique<State>();
  State& s = *held;
  s.Jetzt = {2026, 12, 8, 0, 0, 0};
  s.Monat = 1;
  s.SsnFromTable = 1;
  ProgramDirs dirs;
  dirs.writeDir = user.path;
  dirs.dataDirs = {shippedData()};
  EXPECT_TRUE(finishSolarUpdate(s, dirs, res, {2026, 12, 8, 0, 0, 0}));
  EXPECT_EQ(s.Ssn, "42.5");
  EXPECT_EQ(s.SsnTableUpdated, 1);
  EXPECT_EQ(s.SolarLastCheck, "2026-12-08");
  EXPECT_EQ(readWindowPrefs(user / kWindowPrefsFile).solarLastCheck, "2026-12-08");
}

TEST_F(SolarUpdate, EveryFailureLeavesTheTableInUseByteForByte) {
  const std::string inUse = readFile(shippedData() / kSunspotShippedFile);
  const std::string big(1024 * 1024, ' ');
  struct Case {
    const char* name;
    std::function<void(Noaa&)> serve;
    int key;
    std::string insertion;  // the reason's %2, when it is fixed
  };
  const Case cases[] = {
      {"404", [](Noaa& n) { n.predicted = {.status = 404, .body = "no such file"}; }, kTxSolarHttpStatus, "404"},
      {"500 with a large body", [&](Noaa& n) { n.observed = {.status = 500, .body = big, .repeat = 50}; },
       kTxSolarHttpStatus, "500"},
      {"malformed JSON", [](Noaa& n) { n.observed.body.pop_back(); }, kTxSolarNotJson, ""},
      {"not a list", [](Noaa& n) { n.predicted.body = R"({"time-tag": "2026-04"})"; }, kTxSolarNotList, ""},
      {"entry without its value",
       [](Noaa& n) { n.predicted.body = predictedJson({{"2026-06", "null"}}); }, kTxSolarUnexpected, "3"},
      {"truncated body",
       [](Noaa& n) { n.observed.announced = n.observed.body.size() + 1000; }, kTxSolarIncomplete, ""},
      {"50 MB announced", [&](Noaa& n) { n.predicted = {.body = big, .repeat = 50}; }, kTxSolarTooLarge, "2 MB"},
      {"50 MB without a length",
       [&](Noaa& n) {
         n.predicted = {.body = big, .repeat = 50, .announce = false};
       },
       kTxSolarTooLarge, "2 MB"},
      {"value above 500", [](Noaa& n) { n.predicted.body = predictedJson({{"2027-02", "500.5"}}); },
       kTxSolarOutOfRange, "2027-02"},
      {"negative predicted value", [](Noaa& n) { n.predicted.body = predictedJson({{"2026-05", "-1"}}); },
       kTxSolarOutOfRange, "2026-05"},
      {"too few months", [](Noaa& n) { n.observed.body = observedJson(11); }, kTxSolarTooFewMonths, "11"},
      {"months not ascending",
       [](Noaa& n) {
         std::string& b = n.predicted.body;
         b.replace(b.find("2026-07"), 7, "2026-05");
       },
       kTxSolarNotAscending, "2026-05"},
      {"redirect to a file", [](Noaa& n) { n.observed = {.status = 302, .location = "file:///etc/passwd"}; },
       kTxSolarNoConnection, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(user / kSunspotUpdatedFile, inUse);
    Noaa noaa;
    c.serve(noaa);
    LocalHttpServer server(std::ref(noaa));
    const SolarUpdateResult res = updateSunspotTable(request(server.base()));
    EXPECT_FALSE(res.ok);
    EXPECT_FALSE(res.cancelled);
    EXPECT_EQ(res.message.text, c.key) << solarUpdateMessage(1, res);
    if (!c.insertion.empty()) {
      EXPECT_EQ(res.message.two, c.insertion);
    }
    EXPECT_EQ(readFile(user / kSunspotUpdatedFile), inUse);
    EXPECT_EQ(folder(), std::vector<std::string>{std::string(kSunspotUpdatedFile)});
  }
}

TEST_F(SolarUpdate, SilenceTimesOutAndCancelStopsWithoutATrace) {
  Noaa noaa;
  noaa.predicted.hang = true;
  LocalHttpServer server(std::ref(noaa));

  // The time-out counts for both files together.
  SolarUpdateRequest r = request(server.base());
  r.timeout = std::chrono::milliseconds(400);
  SolarUpdateResult res = updateSunspotTable(r);
  EXPECT_FALSE(res.ok);
  EXPECT_EQ(res.message.text, kTxSolarTimeout);
  EXPECT_EQ(solarUpdateMessage(1, res), "The solar data were not updated; the table in use stays. " +
                                            server.base() + " did not answer within .4 s.");

  // Cancelled from another thread while the server keeps silent.
  std::atomic<bool> cancel{false};
  r = request(server.base());
  r.cancel = &cancel;
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    cancel = true;
  });
  res = updateSunspotTable(r);
  canceller.join();
  EXPECT_TRUE(res.cancelled);
  EXPECT_EQ(res.message.text, kTxSolarCancelled);

  // Cancelled before it began: nothing asked at all.
  const int asked = server.requests();
  res = updateSunspotTable(r);
  EXPECT_TRUE(res.cancelled);
  EXPECT_EQ(server.requests(), asked);
  EXPECT_TRUE(folder().empty());

  // A cancelled update is no check: the date stays.
  auto held = std::make_unique<State>();
  State& s = *held;
  ProgramDirs dirs;
  dirs.writeDir = user.path;
  EXPECT_FALSE(finishSolarUpdate(s, dirs, res, {2026, 12, 8, 0, 0, 0}));
  EXPECT_EQ(s.SolarLastCheck, "");
  EXPECT_TRUE(folder().empty());
}

TEST_F(SolarUpdate, AddressesAndTls) {
  // Nobody listens: no connection. https against a plain server: no
  // secure connection. An address of another kind: refused. None writes.
  Noaa noaa;
  LocalHttpServer server(std::ref(noaa));
  const std::string https = "https://127.0.0.1:" + std::to_string(server.port());
  for (const std::string& base : {https, std::string("http://127.0.0.1:1"), std::string("ftp://127.0.0.1"),
                                 std::string("127.0.0.1")}) {
    SCOPED_TRACE(base);
    SolarUpdateRequest r = request(base);
    r.timeout = std::chrono::milliseconds(500);
    const SolarUpdateResult res = updateSunspotTable(r);
    EXPECT_FALSE(res.ok);
    EXPECT_NE(res.message.text, kTxSolarUpdated);
  }
  EXPECT_EQ(updateSunspotTable(request("ftp://127.0.0.1")).message.text, kTxSolarBadAddress);
  EXPECT_TRUE(folder().empty());

  // A redirect to another http address is followed.
  Noaa moved;
  moved.observed = {.status = 301, .location = server.base() + std::string(kSolarObservedPath)};
  LocalHttpServer old(std::ref(moved));
  EXPECT_TRUE(updateSunspotTable(request(old.base())).ok);

  // The address: the environment, else the setting, else NOAA's.
  EXPECT_EQ(solarBase(""), kSolarDefaultBase);
  EXPECT_EQ(solarBase("http://127.0.0.1:8080/noaa/"), "http://127.0.0.1:8080/noaa");
  ::setenv(kSolarUrlVariable, "http://127.0.0.1:1//", 1);
  EXPECT_EQ(solarBase("http://127.0.0.1:8080/noaa"), "http://127.0.0.1:1");
  ::unsetenv(kSolarUrlVariable);
  EXPECT_TRUE(isHttpAddress("HTTPS://a"));
  EXPECT_FALSE(isHttpAddress("https://"));
  EXPECT_FALSE(isHttpAddress("file:///etc"));
}

TEST(SolarCheck, OnceAMonthOnlyWhenTicked) {
  auto held = std::make_unique<State>();
  State& s = *held;
  const DateTime today{2026, 12, 8, 10, 0, 0};
  EXPECT_FALSE(solarCheckDue(s, today));
  s.SolarCheckMonthly = 1;
  for (const auto& [last, due] : std::vector<std::pair<std::string, bool>>{
           {"", true}, {"garbage", true}, {"2026-11-09", false}, {"2026-11-08", true}, {"2026-12-08", false},
           {"2027-01-01", true}, {"2026-02-30", true}}) {
    s.SolarLastCheck = last;
    EXPECT_EQ(solarCheckDue(s, today), due) << last;
  }
}
