// What the window shows of the heard decodes: where the span ends, which
// band's dots the frequency shown brings, the receiver position typed in
// the settings, the logs of the preferences, the bands panel's rows and the
// status line about the receiver.
#include <gtest/gtest.h>

#include <memory>

#include "decodes/heard_window.h"
#include "lang/sprachtext.h"
#include "state/datetime.h"

using namespace welvaro;

namespace {

std::int64_t ms(int y, int mo, int d, int h, int mi, int s = 0) { return toSerial({y, mo, d, h, mi, s}) * 1000; }

}  // namespace

TEST(HeardWindow, SpanEndsAtTheTimeShownNeverInTheFuture) {
  const std::int64_t now = ms(2026, 12, 9, 10, 30, 20);
  struct Row {
    const char* name;
    int shownMinute;
    std::int64_t end;
  } rows[] = {
      {"now", -1, now},
      {"earlier today", 9 * 60 + 15, ms(2026, 12, 9, 9, 15)},
      {"this very minute", 10 * 60 + 30, ms(2026, 12, 9, 10, 30)},
      {"later in the day: yesterday's", 10 * 60 + 31, ms(2026, 12, 8, 10, 31)},
      {"midnight", 0, ms(2026, 12, 9, 0, 0)},
      {"last minute of the day: yesterday's", 1439, ms(2026, 12, 8, 23, 59)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(heardEndMs(now, r.shownMinute), r.end);
  }
  // Just after midnight UTC, the evening shown is the evening before.
  EXPECT_EQ(heardEndMs(ms(2026, 1, 1, 0, 5), 22 * 60), ms(2025, 12, 31, 22, 0));
}

TEST(HeardWindow, BandOfTheFrequencyShown) {
  struct Row {
    float mhz;
    const char* band;  // nullptr: none
  } rows[] = {
      {14.2f, "20m"},  {14.0f, "20m"},   {14.35f, "20m"}, {7.0f, "40m"},  {28.0f, "10m"}, {21.0f, "15m"},
      {10.2f, "30m"},  // the start frequency, 50 kHz above 30 m
      {18.0f, "17m"},  {25.0f, "12m"},   {5.0f, "60m"},   {2.0f, "160m"}, {3.0f, "80m"},
      {1.0f, nullptr}, {12.0f, nullptr}, {16.0f, nullptr}, {30.0f, "10m"}, {31.0f, nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.mhz);
    const int b = heardBandOf(r.mhz);
    if (!r.band) {
      EXPECT_EQ(b, -1);
    } else {
      ASSERT_GE(b, 0);
      EXPECT_EQ(kHfBands[static_cast<std::size_t>(b)].name, r.band);
    }
  }
}

TEST(HeardWindow, ReceiverPositionAsTyped) {
  struct Row {
    const char* text;
    bool ok;
    bool position;
    double lat, lon;
  } rows[] = {
      {"", true, false, 0, 0},
      {"   ", true, false, 0, 0},
      {"48.15, 11.58", true, true, 48.15, 11.58},
      {"-33.9;18.4", true, true, -33.9, 18.4},
      {"40.4 -3.7", true, true, 40.4, -3.7},
      {"+10,+20", true, true, 10, 20},
      {"JN58", true, true, 48.5, 11},
      {"jn58td", true, true, 48.145833, 11.625},
      {"91, 0", false, false, 0, 0},
      {"0, 181", false, false, 0, 0},
      {"48.1", false, false, 0, 0},
      {"48.1, east", false, false, 0, 0},
      {"48,5 11,5", false, false, 0, 0},  // a comma is no decimal separator
      {"JZ58", false, false, 0, 0},
      {"nan, 1", false, false, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    const TypedPosition p = readTypedPosition(r.text);
    EXPECT_EQ(p.ok, r.ok);
    ASSERT_EQ(p.position.has_value(), r.position);
    if (p.position) {
      EXPECT_NEAR(p.position->lat, r.lat, 1e-5);
      EXPECT_NEAR(p.position->lon, r.lon, 1e-5);
    }
  }
  // What the settings show reads back as the same place.
  const TypedPosition back = readTypedPosition(typedPositionText(-12.345, 130.9));
  ASSERT_TRUE(back.position);
  EXPECT_NEAR(back.position->lat, -12.35, 1e-9);
  EXPECT_NEAR(back.position->lon, 130.9, 1e-9);
}

TEST(HeardWindow, LogsOfThePreferencesStandAtTheirReceiver) {
  WindowPrefs f;
  EXPECT_FALSE(heardSourcesOn(f));
  f.heardLogs = {{"/a/ALL.TXT", false, 0, 0}, {"", true, 1, 2}, {"/b/ALL.TXT", true, -33.9, 18.4}};
  const std::vector<LogFile> logs = heardLogFiles(f, 48.1, 11.5);
  ASSERT_EQ(logs.size(), 2u);  // an empty path is no log
  EXPECT_EQ(logs[0].path, "/a/ALL.TXT");
  EXPECT_DOUBLE_EQ(logs[0].rxLat, 48.1);
  EXPECT_DOUBLE_EQ(logs[0].rxLon, 11.5);
  EXPECT_DOUBLE_EQ(logs[1].rxLat, -33.9);
  EXPECT_DOUBLE_EQ(logs[1].rxLon, 18.4);
  EXPECT_TRUE(heardSourcesOn(f));
  WindowPrefs listening;
  listening.heardListen = true;
  EXPECT_TRUE(heardSourcesOn(listening));

  struct Span {
    int minutes;
    std::optional<HeardSpan> span;
  } spans[] = {{15, HeardSpan::Minutes15}, {60, HeardSpan::Hour1}, {360, HeardSpan::Hours6},
               {1440, HeardSpan::Hours24}, {0, std::nullopt},      {45, std::nullopt}};
  for (const Span& s : spans) {
    SCOPED_TRACE(s.minutes);
    WindowPrefs p;
    p.heardSpan = s.minutes;
    EXPECT_EQ(heardSpanOf(p), s.span);
  }
}

TEST(HeardWindow, PanelRowsWithTheVerdictInTheUsersLanguage) {
  auto s = std::make_unique<State>();
  HeardSummary heard{};
  for (std::size_t i = 0; i < heard.size(); ++i) heard[i].band = static_cast<int>(i);
  heard[5] = {5, 40, 7, 12, 16210.4, 3};  // 20 m: heard toward B
  heard[3] = {3, 10, 4, -3, std::nullopt, 0};  // 40 m: decoded, nothing toward B, none located
  heard[7] = {7, 2, 1, 0, 800.0, 1};  // 15 m: heard toward B, forecast closed
  std::array<Outlook, kHfBands.size()> outlook{};
  outlook.fill(Outlook::Closed);
  outlook[5] = Outlook::Good;
  outlook[3] = Outlook::Fair;
  outlook[9] = Outlook::Good;  // 10 m open, never listened to

  struct Row {
    std::size_t band;
    const char* name;
    const char* stations;
    const char* snr;
    const char* far;
    const char* toward;
    Verdict verdict;
    const char* en;
  } rows[] = {
      {5, "20 m", "7", "+12", "16210", "3", Verdict::OpenNow, "open now"},
      {3, "40 m", "4", "-3", "–", "0", Verdict::ForecastOpenNothingHeard, "forecast open, nothing heard"},
      {7, "15 m", "1", "0", "800", "1", Verdict::UnexpectedOpening, "unexpected opening"},
      {9, "10 m", "–", "–", "–", "–", Verdict::NotListened, "not listened to"},
  };
  s->L = 1;
  const auto en = heardPanelRows(*s, heard, outlook);
  s->L = 0;
  const auto de = heardPanelRows(*s, heard, outlook);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const HeardPanelRow& p = en[r.band];
    EXPECT_EQ(p.band, r.name);
    EXPECT_EQ(p.stations, r.stations);
    EXPECT_EQ(p.bestSnr, r.snr);
    EXPECT_EQ(p.farthest, r.far);
    EXPECT_EQ(p.towardB, r.toward);
    EXPECT_EQ(p.kind, r.verdict);
    EXPECT_EQ(p.verdict, r.en);
    EXPECT_EQ(de[r.band].verdict, T(*s, verdictTextKey(r.verdict)));
    EXPECT_NE(de[r.band].verdict, p.verdict);
  }
}

TEST(HeardWindow, OutlookPerBandTakesTheFirstValueAndClosedWithoutForecast) {
  std::vector<BandOutlookRow> rows;
  for (std::size_t i = 0; i < kBands.size(); ++i) {
    BandOutlookRow r{kBands[i], {}};
    BandOutlookValue v;
    v.known = i != 2;
    v.value.outlook = i % 2 ? Outlook::Good : Outlook::Poor;
    BandOutlookValue later = v;
    later.value.outlook = Outlook::Fair;
    r.values = {v, later};
    rows.push_back(r);
  }
  rows[4].values.clear();
  const auto o = outlookPerBand(rows);
  EXPECT_EQ(o[0], Outlook::Poor);
  EXPECT_EQ(o[1], Outlook::Good);
  EXPECT_EQ(o[2], Outlook::Closed);  // no forecast
  EXPECT_EQ(o[4], Outlook::Closed);  // no value at all
  EXPECT_EQ(o[5], Outlook::Good);
}

TEST(HeardWindow, StatusLineAboutTheReceiver) {
  auto s = std::make_unique<State>();
  s->L = 1;
  const std::int64_t now = ms(2026, 12, 9, 10, 0, 0);
  ListenerSnapshot none;
  ListenerSnapshot heard;
  heard.lastHeardMs = now - 12'000;
  heard.lastStatus = ReceiverStatus{"WSJT-X", 14'074'000, "FT8", "DL1ABC", "JN58", false, true, now - 12'000};
  ListenerSnapshot oldNoStatus;
  oldNoStatus.lastHeardMs = now - 3 * 60'000 - 5'000;
  ListenerSnapshot outside = heard;
  outside.lastStatus->dialHz = 50'313'000;
  outside.lastHeardMs = now - 3 * 3600'000;
  struct Row {
    const char* name;
    bool listening;
    std::string error;
    const ListenerSnapshot& seen;
    std::string text;
  } rows[] = {
      {"not listening", false, "", heard, ""},
      {"port taken", true, "address in use", none, "Receiver: cannot listen on 127.0.0.1:2237 (address in use)"},
      {"nothing yet", true, "", none, "Receiver: waiting for messages on 127.0.0.1:2237"},
      {"heard", true, "", heard, "Receiver: last message 12 s ago, 20 m FT8"},
      {"no status", true, "", oldNoStatus, "Receiver: last message 3 min ago"},
      {"outside the bands", true, "", outside, "Receiver: last message 3 h ago, FT8"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(receiverStatusText(*s, r.listening, "127.0.0.1:2237", r.error, r.seen, now), r.text);
  }
}
