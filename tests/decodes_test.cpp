// Reading the receiver's decode log line by line, the sender of a message,
// the band of a dial frequency, and the receive period of a decode.
#include <gtest/gtest.h>

#include "decodes/datagram.h"
#include "decodes/listener.h"
#include "decodes/logreader.h"
#include "decodes/logline.h"
#include "decodes/store.h"
#include "display/bands.h"
#include "state/bands.h"
#include "state/datetime.h"
#include "testutil.h"

using namespace welvaro;

namespace {

std::int64_t ms(int y, int mo, int d, int h, int mi, int s) { return toSerial({y, mo, d, h, mi, s}) * 1000; }

}  // namespace

TEST(LogLine, LinesOfTheLog) {
  const struct {
    const char* name;
    const char* line;
    LogLineKind kind;
    const char* call;
    const char* grid;
    int snr;
    std::int64_t utcMs;
    std::int64_t dialHz;
    const char* band;
  } cases[] = {
      {"cq with grid", "261208_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62", LogLineKind::Decode, "DL1ABC",
       "JO62", -12, ms(2026, 12, 8, 14, 30, 15), 14074000, "20m"},
      {"report", "261208_143015    14.074 Rx FT8     -7 -0.1  845 K1ABC G4XYZ -15", LogLineKind::Decode, "G4XYZ", "", -7,
       ms(2026, 12, 8, 14, 30, 15), 14074000, "20m"},
      {"positive snr, CRLF", "261208_143015    14.074 Rx FT8     +7 -0.1  845 K1ABC G4XYZ R-07\r", LogLineKind::Decode,
       "G4XYZ", "", 7, ms(2026, 12, 8, 14, 30, 15), 14074000, "20m"},
      {"minute only", "261208_1431     7.074 Rx FT8    -20  0.1  900 W1AW K1ABC FN42", LogLineKind::Decode, "K1ABC",
       "FN42", -20, ms(2026, 12, 8, 14, 31, 0), 7074000, "40m"},
      {"cq dx", "261208_143030    14.074 Rx FT8      3  0.1  900 CQ DX VK2XYZ QF56", LogLineKind::Decode, "VK2XYZ",
       "QF56", 3, ms(2026, 12, 8, 14, 30, 30), 14074000, "20m"},
      {"cq pota", "261208_143030    14.074 Rx FT8      3  0.1  900 CQ POTA N1XYZ fn42", LogLineKind::Decode, "N1XYZ",
       "FN42", 3, ms(2026, 12, 8, 14, 30, 30), 14074000, "20m"},
      {"cq 3-digit number", "261208_143030    14.074 Rx FT8      3  0.1  900 CQ 291 N1XYZ FN42", LogLineKind::Decode,
       "N1XYZ", "FN42", 3, ms(2026, 12, 8, 14, 30, 30), 14074000, "20m"},
      {"rr73 is no grid", "261208_143100    14.074 Rx FT8     -1  0.3 1234 G4XYZ DL1ABC RR73", LogLineKind::Decode,
       "DL1ABC", "", -1, ms(2026, 12, 8, 14, 31, 0), 14074000, "20m"},
      {"roger and grid", "261208_143100    14.074 Rx FT8     -1  0.3 1234 G4XYZ DL1ABC R JO62", LogLineKind::Decode,
       "DL1ABC", "JO62", -1, ms(2026, 12, 8, 14, 31, 0), 14074000, "20m"},
      {"compound sender", "261208_143100    28.074 Rx FT4      5  0.3 1234 W9XYZ <PJ4/K1ABC> RR73", LogLineKind::Decode,
       "PJ4/K1ABC", "", 5, ms(2026, 12, 8, 14, 31, 0), 28074000, "10m"},
      {"compound addressee", "261208_143100    28.074 Rx FT4      5  0.3 1234 <PJ4/K1ABC> W9XYZ EM12",
       LogLineKind::Decode, "W9XYZ", "EM12", 5, ms(2026, 12, 8, 14, 31, 0), 28074000, "10m"},
      {"wspr", "261208_143200  10.1387 Rx WSPR   -25  0.5 1500 K1ABC FN42 37", LogLineKind::Decode, "K1ABC", "FN42", -25,
       ms(2026, 12, 8, 14, 32, 0), 10138700, "30m"},
      {"60 m", "261208_143200   5.357 Rx FT8   -25  0.5 1500 CQ G4XYZ IO91", LogLineKind::Decode, "G4XYZ", "IO91", -25,
       ms(2026, 12, 8, 14, 32, 0), 5357000, "60m"},
      {"6 m is outside", "261208_143200   50.313 Rx FT8   -25  0.5 1500 CQ G4XYZ IO91", LogLineKind::Decode, "G4XYZ",
       "IO91", -25, ms(2026, 12, 8, 14, 32, 0), 50313000, ""},
      {"own transmission", "261208_143030    14.074 Tx FT8      0  0.0 1500 CQ DL9ZZZ JN58", LogLineKind::Transmit, "",
       "", 0, 0, 0, ""},
      {"free text", "261208_143030    14.074 Rx FT8      0  0.0 1500 TNX BOB 73 GL", LogLineKind::NoStation, "", "", 0,
       0, 0, ""},
      {"unresolved call", "261208_143030    14.074 Rx FT8      0  0.0 1500 K1ABC <...> -10", LogLineKind::NoStation, "",
       "", 0, 0, 0, ""},
      {"empty", "", LogLineKind::Unreadable, "", "", 0, 0, 0, ""},
      {"garbage", "garbage line", LogLineKind::Unreadable, "", "", 0, 0, 0, ""},
      {"bad date", "261308_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62", LogLineKind::Unreadable, "", "", 0,
       0, 0, ""},
      {"bad frequency", "261208_143015    14,074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62", LogLineKind::Unreadable, "",
       "", 0, 0, 0, ""},
      {"frequency of many digits", "261208_143015 77777777777777777777777 Rx FT8 -12 0.3 1234 CQ DL1ABC JO62",
       LogLineKind::Unreadable, "", "", 0, 0, 0, ""},
      {"frequency of 5 digits", "261208_143015 14074.000 Rx FT8 -12 0.3 1234 CQ DL1ABC JO62", LogLineKind::Decode,
       "DL1ABC", "JO62", -12, ms(2026, 12, 8, 14, 30, 15), 14'074'000'000, ""},
      {"no message", "261208_143015    14.074 Rx FT8    -12  0.3 1234   ", LogLineKind::Unreadable, "", "", 0, 0, 0, ""},
      {"snr no number", "261208_143015    14.074 Rx FT8    x12  0.3 1234 CQ DL1ABC JO62", LogLineKind::Unreadable, "",
       "", 0, 0, 0, ""},
      {"neither Rx nor Tx", "261208_143015    14.074 Qx FT8    -12  0.3 1234 CQ DL1ABC JO62", LogLineKind::Unreadable,
       "", "", 0, 0, 0, ""},
      {"cut off", "261208_143015    14.074 Rx FT8    -12", LogLineKind::Unreadable, "", "", 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Decode d;
    ASSERT_EQ(parseLogLine(c.line, d), c.kind);
    if (c.kind != LogLineKind::Decode) continue;
    EXPECT_EQ(d.call, c.call);
    EXPECT_EQ(d.grid, c.grid);
    EXPECT_EQ(d.snr, c.snr);
    EXPECT_EQ(d.utcMs, c.utcMs);
    EXPECT_EQ(d.dialHz, c.dialHz);
    EXPECT_EQ(d.band, hfBandOfName(c.band));
    EXPECT_EQ(d.source, DecodeSource::Log);
    EXPECT_EQ(d.message.back() == '\r', false);
  }
}

TEST(LogLine, GridsAndCalls) {
  for (const char* g : {"JO62", "jo62", "AA00", "RR99", "JN58TD", "jn58td"}) {
    SCOPED_TRACE(g);
    EXPECT_TRUE(isGrid(g));
  }
  for (const char* g : {"RR73", "rr73", "SA00", "JO6", "JO62T", "JN58TZ", "73", "R-07", "-15", "JO6A"}) {
    SCOPED_TRACE(g);
    EXPECT_FALSE(isGrid(g));
  }
  for (const char* c : {"DL1ABC", "K1A", "PJ4/K1ABC", "DL1ABC/P", "3DA0XYZ"}) {
    SCOPED_TRACE(c);
    EXPECT_TRUE(isCall(c));
  }
  for (const char* c : {"CQ", "DX", "POTA", "73", "...", "DL-1ABC", "K1", "ABCDEFGHIJKLM1"}) {
    SCOPED_TRACE(c);
    EXPECT_FALSE(isCall(c));
  }
}

TEST(LogLine, SenderOfShortMessages) {
  EXPECT_EQ(senderOf("CQ K1ABC").call, "K1ABC");
  EXPECT_EQ(senderOf("CQ K1ABC").grid, "");
  EXPECT_EQ(senderOf("K1ABC DL1ABC").call, "DL1ABC");
  EXPECT_EQ(senderOf("K1ABC").call, "");
  EXPECT_EQ(senderOf("").call, "");
  EXPECT_EQ(senderOf("CQ DX").call, "");
  EXPECT_EQ(senderOf("<K1ABC/P> FN42 30", true).call, "K1ABC/P");
  EXPECT_EQ(senderOf("<K1ABC/P> FN42 30", true).grid, "FN42");
}

TEST(Bands, OneTableForTheBandButtonsAndTheDialFrequencies) {
  ASSERT_EQ(kBands.size(), kHfBands.size());
  for (std::size_t i = 0; i < kHfBands.size(); ++i) {
    SCOPED_TRACE(kHfBands[i].name);
    EXPECT_EQ(kBands[i].name, kHfBands[i].name);
    EXPECT_EQ(kBands[i].mhz, kHfBands[i].forecastMhz);
    // The forecast frequency lies inside the band, and the bands are in order.
    const auto hz = static_cast<std::int64_t>(static_cast<double>(kHfBands[i].forecastMhz) * 1e6);
    EXPECT_EQ(hfBandOfHz(hz), static_cast<int>(i));
    if (i > 0) {
      EXPECT_GT(kHfBands[i].lowHz, kHfBands[i - 1].highHz);
    }
    EXPECT_EQ(hfBandOfName(kHfBands[i].name), static_cast<int>(i));
  }
  const struct {
    std::int64_t hz;
    const char* band;
  } edges[] = {{1'809'999, ""},       {1'810'000, "160m"}, {2'000'000, "160m"}, {5'351'499, ""},
               {5'351'500, "60m"},    {5'366'500, "60m"},  {5'366'501, ""},     {7'200'001, ""},
               {10'136'000, "30m"},   {18'100'000, "17m"}, {29'700'000, "10m"}, {50'313'000, ""}};
  for (const auto& e : edges) {
    SCOPED_TRACE(e.hz);
    EXPECT_EQ(hfBandOfHz(e.hz), hfBandOfName(e.band));
  }
  EXPECT_EQ(hfBandOfName("20M"), 5);
  EXPECT_EQ(hfBandOfName("6m"), -1);
}

TEST(Decodes, ReceivePeriodsAndTheDayOfATimeOfDay) {
  Decode ft8;
  ft8.mode = "FT8";
  ft8.utcMs = ms(2026, 12, 8, 14, 30, 15);
  Decode udp = ft8;
  udp.utcMs += 400;  // the same period, given to the millisecond
  EXPECT_EQ(periodSlot(ft8), periodSlot(udp));
  udp.utcMs = ft8.utcMs + 15000;
  EXPECT_EQ(periodSlot(udp), periodSlot(ft8) + 1);
  Decode ft4 = ft8;
  ft4.mode = "FT4";
  Decode ft4b = ft4;
  ft4b.utcMs += 7500;
  EXPECT_EQ(periodSlot(ft4b), periodSlot(ft4) + 1);
  EXPECT_EQ(periodMs("WSPR"), 120000);
  EXPECT_EQ(periodMs("JT65"), 60000);
  EXPECT_EQ(periodMs("MSK144"), 15000);
  EXPECT_EQ(modeOfCode("~"), "FT8");
  EXPECT_EQ(modeOfCode("+"), "FT4");
  EXPECT_EQ(modeOfCode("?"), "");

  const std::int64_t now = ms(2026, 12, 9, 0, 0, 2);
  EXPECT_EQ(nearestDayTime(now, (23 * 3600 + 59 * 60 + 52) * 1000), ms(2026, 12, 8, 23, 59, 52));
  EXPECT_EQ(nearestDayTime(now, 1000), ms(2026, 12, 9, 0, 0, 1));
  EXPECT_EQ(nearestDayTime(ms(2026, 12, 8, 23, 59, 58), 3000), ms(2026, 12, 9, 0, 0, 3));
  EXPECT_EQ(nearestDayTime(ms(2026, 12, 8, 12, 0, 0), 0), ms(2026, 12, 8, 0, 0, 0));
}

TEST(Decodes, ListeningAddresses) {
  const struct {
    const char* text;
    bool ok;
    const char* address;
    int port;
    bool group;
  } cases[] = {
      {"127.0.0.1:2237", true, "127.0.0.1", 2237, false}, {"224.0.0.1:2237", true, "224.0.0.1", 2237, true},
      {"239.255.0.1:5000", true, "239.255.0.1", 5000, true}, {":2238", true, "127.0.0.1", 2238, false},
      {"127.0.0.1", true, "127.0.0.1", 2237, false},         {"localhost:2237", false, "", 0, false},
      {"127.0.0.1:0", false, "", 0, false},                  {"127.0.0.1:65536", false, "", 0, false},
      {"127.0.0.1:22x", false, "", 0, false},                {"127.0.0.1:", false, "", 0, false},
      {"240.0.0.1:2237", true, "240.0.0.1", 2237, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto e = parseEndpoint(c.text);
    ASSERT_EQ(e.has_value(), c.ok);
    if (!e) continue;
    EXPECT_EQ(e->address, c.address);
    EXPECT_EQ(e->port, c.port);
    EXPECT_EQ(isMulticast(e->address), c.group);
  }
}

TEST(Decodes, ReceiverLogsInTheirUsualFolders) {
  test::TempDir home;
  const auto share = home / ".local" / "share";
  for (const char* d : {"WSJT-X", "WSJT-X - IC7300", "JTDX", "Other", "WSJT-X - empty"})
    std::filesystem::create_directories(share / d);
  for (const char* d : {"WSJT-X", "WSJT-X - IC7300", "JTDX", "Other"}) test::writeFile(share / d / "ALL.TXT", "x\n");
  std::filesystem::create_directories(share / "WSJT-X - empty" / "ALL.TXT");  // a folder, not a log
  EXPECT_EQ(findReceiverLogs(home.str()),
            (std::vector<std::string>{(share / "JTDX" / "ALL.TXT").string(),
                                      (share / "WSJT-X - IC7300" / "ALL.TXT").string(),
                                      (share / "WSJT-X" / "ALL.TXT").string()}));  // in order of the path's bytes
  EXPECT_TRUE(findReceiverLogs((home / "nowhere").string()).empty());
  EXPECT_TRUE(findReceiverLogs("").empty());
}
