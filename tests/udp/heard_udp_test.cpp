// The receiver's UDP messages made as the receiver makes them, with Qt's
// data stream (schemas 2 and 3), sent over loopback to the listener and to
// `welvaro-cli listen`.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QTime>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "cli/commands.h"
#include "decodes/datagram.h"
#include "decodes/listener.h"
#include "decodes/logreader.h"
#include "decodes/store.h"
#include "state/bands.h"

using namespace welvaro;

namespace {

// A datagram: header, then whatever `body` writes, in the stream version of
// the schema.
QByteArray datagram(quint32 schema, quint32 type, const QByteArray& id,
                    const std::function<void(QDataStream&)>& body = {}, quint32 magic = 0xadbccbda) {
  QByteArray b;
  QDataStream s(&b, QIODevice::WriteOnly);
  s.setVersion(schema == 2 ? QDataStream::Qt_5_2 : QDataStream::Qt_5_4);
  s << magic << schema << type << id;
  if (body) body(s);
  return b;
}

QByteArray heartbeat(quint32 schema) {
  return datagram(schema, 0, "WSJT-X", [](QDataStream& s) { s << quint32(3) << QByteArray("2.6.1") << QByteArray("abc"); });
}

QByteArray status(quint32 schema, const QByteArray& id, quint64 dialHz, const QByteArray& mode) {
  return datagram(schema, 1, id, [&](QDataStream& s) {
    s << dialHz << mode << QByteArray("K1ABC") << QByteArray("-10") << mode << true << false << true << quint32(1500)
      << quint32(1500) << QByteArray("DL9XYZ") << QByteArray("JN58") << QByteArray("FN42") << false
      << QByteArray() << false;
  });
}

QByteArray decode(quint32 schema, const QByteArray& id, QTime t, qint32 snr, const QByteArray& message,
                  bool isNew = true, bool offAir = false, const QByteArray& code = "~") {
  return datagram(schema, 2, id, [&](QDataStream& s) {
    s << isNew << t << snr << 0.3 << quint32(1234) << code << message << false << offAir;
  });
}

QByteArray wspr(quint32 schema, const QByteArray& id, QTime t, qint32 snr, quint64 hz, const QByteArray& call,
                const QByteArray& grid) {
  return datagram(schema, 10, id, [&](QDataStream& s) {
    s << true << t << snr << 0.5 << hz << qint32(0) << call << grid << qint32(37) << false;
  });
}

Datagram parse(const QByteArray& b) {
  return parseDatagram(reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size()));
}

// Sends datagrams to 127.0.0.1:port (or to a group, through the loopback
// interface and only to this machine).
class Sender {
 public:
  Sender() : fd_(::socket(AF_INET, SOCK_DGRAM, 0)) {
    in_addr lo{};
    lo.s_addr = htonl(INADDR_LOOPBACK);
    ::setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_IF, &lo, sizeof lo);
    // A group datagram never leaves this machine.
    const unsigned char ttl = 0;
    ::setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
  }
  ~Sender() { ::close(fd_); }
  void send(const QByteArray& b, std::uint16_t port, const char* addr = "127.0.0.1") const {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    ::inet_pton(AF_INET, addr, &sa.sin_addr);
    ::sendto(fd_, b.constData(), static_cast<std::size_t>(b.size()), 0, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  }

 private:
  int fd_;
};

// Waits (at most 10 s) until the listener has seen `n` datagrams.
bool waitFor(const UdpListener& l, std::uint64_t n) {
  for (int i = 0; i < 1000; ++i) {
    if (l.snapshot().counts.datagrams >= n) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// 2026-12-08 14:30:20 UTC (a clock in UTC).
FixedClock utcClock() { return FixedClock({2026, 12, 8, 14, 30, 20}, 0, 0); }

std::int64_t utcMs(int y, int mo, int d, int h, int mi, int s) {
  return toSerial({y, mo, d, h, mi, s}) * 1000;
}

struct TempFolder {
  std::string path;
  TempFolder() {
    std::string t = "/tmp/welvaro-udp-XXXXXX";
    path = ::mkdtemp(t.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
};

}  // namespace

TEST(Datagrams, BothSchemasReadAsTheReceiverWritesThem) {
  for (const quint32 schema : {2u, 3u}) {
    SCOPED_TRACE(schema);
    const Datagram h = parse(heartbeat(schema));
    EXPECT_EQ(h.kind, Datagram::Kind::Heartbeat);
    EXPECT_EQ(h.id, "WSJT-X");
    EXPECT_EQ(h.maxSchema, 3u);
    EXPECT_EQ(h.version, "2.6.1");

    const Datagram st = parse(status(schema, "WSJT-X", 14074000, "FT8"));
    ASSERT_EQ(st.kind, Datagram::Kind::Status);
    EXPECT_EQ(st.dialHz, 14074000u);
    EXPECT_EQ(st.mode, "FT8");
    EXPECT_EQ(st.deCall, "DL9XYZ");
    EXPECT_EQ(st.deGrid, "JN58");
    EXPECT_TRUE(st.decoding);

    const Datagram d = parse(decode(schema, "WSJT-X", QTime(14, 30, 15), -12, "CQ DL1ABC JO62"));
    ASSERT_EQ(d.kind, Datagram::Kind::Decode);
    EXPECT_TRUE(d.isNew);
    EXPECT_EQ(d.timeMs, (14 * 3600 + 30 * 60 + 15) * 1000u);
    EXPECT_EQ(d.snr, -12);
    EXPECT_DOUBLE_EQ(d.dt, 0.3);
    EXPECT_EQ(d.deltaHz, 1234u);
    EXPECT_EQ(d.mode, "~");
    EXPECT_EQ(d.message, "CQ DL1ABC JO62");

    const Datagram w = parse(wspr(schema, "WSJT-X", QTime(14, 30, 0), -25, 14097050, "K1ABC", "FN42"));
    ASSERT_EQ(w.kind, Datagram::Kind::WsprDecode);
    EXPECT_EQ(w.frequencyHz, 14097050u);
    EXPECT_EQ(w.call, "K1ABC");
    EXPECT_EQ(w.grid, "FN42");
    EXPECT_EQ(w.powerDbm, 37);
  }
}

TEST(Datagrams, MalformedOnesAreIgnoredWithoutReadingPastThem) {
  const QByteArray good = decode(3, "WSJT-X", QTime(14, 30, 15), -12, "CQ DL1ABC JO62");
  // A text of declared length 0xfffffffe (4 GB) in place of the message.
  QByteArray huge = datagram(3, 2, "WSJT-X", [](QDataStream& s) {
    s << true << QTime(14, 30, 15) << qint32(-12) << 0.3 << quint32(1234) << QByteArray("~");
    s << quint32(0xfffffffe);
    s.writeRawData("CQ", 2);
  });
  // A message whose declared length is a little beyond the datagram.
  QByteArray beyond = datagram(3, 2, "WSJT-X", [](QDataStream& s) {
    s << true << QTime(14, 30, 15) << qint32(-12) << 0.3 << quint32(1234) << QByteArray("~");
    s << quint32(20);
    s.writeRawData("CQ DL1ABC JO62", 14);
  });
  // An Id of 4 GB.
  QByteArray hugeId;
  {
    QDataStream s(&hugeId, QIODevice::WriteOnly);
    s << quint32(0xadbccbda) << quint32(3) << quint32(2) << quint32(0xfffffffe);
  }
  const struct {
    const char* name;
    QByteArray bytes;
    Datagram::Kind kind;
  } cases[] = {
      {"empty", QByteArray(), Datagram::Kind::Malformed},
      {"wrong magic", datagram(3, 0, "WSJT-X", {}, 0xadbccbdb), Datagram::Kind::Malformed},
      {"schema 1", heartbeat(1), Datagram::Kind::Malformed},
      {"schema 4", heartbeat(4), Datagram::Kind::Malformed},
      {"header cut off", good.left(10), Datagram::Kind::Malformed},
      {"decode cut in its time", good.left(4 + 4 + 4 + 4 + 6 + 1 + 2), Datagram::Kind::Malformed},
      {"decode cut in its message", good.left(good.size() - 6), Datagram::Kind::Malformed},
      {"message of 4 GB", huge, Datagram::Kind::Malformed},
      {"message beyond the datagram", beyond, Datagram::Kind::Malformed},
      {"id of 4 GB", hugeId, Datagram::Kind::Malformed},
      {"status cut in its mode", status(3, "WSJT-X", 14074000, "FT8").left(4 + 4 + 4 + 10 + 8 + 3), Datagram::Kind::Malformed},
      {"unknown type", datagram(3, 99, "WSJT-X", [](QDataStream& s) { s << quint32(7); }), Datagram::Kind::Other},
      {"clear", datagram(3, 3, "WSJT-X"), Datagram::Kind::Other},
      {"extra bytes after a decode", good + QByteArray("more fields"), Datagram::Kind::Decode},
  };
  const FixedClock clock = utcClock();
  DatagramDecoder decoder(clock, 48.1, 11.5);
  Decode out;
  std::uint64_t ignored = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A copy of exactly the datagram's size, so the sanitizer sees any read past it.
    std::vector<std::uint8_t> exact(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(parseDatagram(exact.data(), exact.size()).kind, c.kind);
    const bool taken = decoder.take(exact.data(), exact.size(), out);
    EXPECT_FALSE(taken);  // no Status yet: even the good decode is not taken
    ++ignored;
  }
  EXPECT_EQ(decoder.counts().datagrams, std::size(cases));
  EXPECT_EQ(decoder.counts().ignored, ignored);
  EXPECT_EQ(decoder.counts().malformed, std::size(cases) - 3);
  EXPECT_EQ(decoder.counts().decodes, 0u);
}

TEST(Datagrams, OnlyLiveDecodesAfterAStatusOfTheSameSender) {
  const FixedClock clock = utcClock();
  DatagramDecoder decoder(clock, 48.1, 11.5);
  Decode d;
  const auto take = [&](const QByteArray& b) {
    return decoder.take(reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size()), d);
  };
  EXPECT_FALSE(take(decode(2, "A", QTime(14, 30, 0), -5, "CQ DL1ABC JO62")));  // no Status of A yet
  EXPECT_FALSE(take(status(2, "A", 7074000, "FT8")));
  EXPECT_FALSE(take(decode(2, "B", QTime(14, 30, 0), -5, "CQ DL1ABC JO62")));  // Status of A, not of B
  EXPECT_FALSE(take(decode(2, "A", QTime(14, 30, 0), -5, "CQ DL1ABC JO62", false)));  // a replay
  EXPECT_FALSE(take(decode(2, "A", QTime(14, 30, 0), -5, "CQ DL1ABC JO62", true, true)));  // played back
  ASSERT_TRUE(take(decode(2, "A", QTime(14, 30, 0), -5, "TNX FOR QSO ")));  // a decode, but of no station
  EXPECT_EQ(d.call, "");
  EXPECT_EQ(d.message, "TNX FOR QSO");
  ASSERT_TRUE(take(decode(2, "A", QTime(14, 30, 15), -5, "K1ABC DL1ABC -10")));
  EXPECT_EQ(d.call, "DL1ABC");
  EXPECT_EQ(d.grid, "");
  EXPECT_EQ(d.band, hfBandOfName("40m"));
  EXPECT_EQ(d.dialHz, 7074000);
  EXPECT_EQ(d.mode, "FT8");
  EXPECT_EQ(d.utcMs, utcMs(2026, 12, 8, 14, 30, 15));
  EXPECT_EQ(d.source, DecodeSource::Udp);
  // A decode of the evening before, arriving just after midnight.
  const FixedClock late({2026, 12, 9, 0, 0, 2}, 0, 0);
  DatagramDecoder after(late, 0, 0);
  const QByteArray st = status(3, "A", 14074000, "FT4"), dec = decode(3, "A", QTime(23, 59, 52), 3, "CQ DX W1AW FN31", true, false, "+");
  after.take(reinterpret_cast<const std::uint8_t*>(st.constData()), static_cast<std::size_t>(st.size()), d);
  ASSERT_TRUE(after.take(reinterpret_cast<const std::uint8_t*>(dec.constData()), static_cast<std::size_t>(dec.size()), d));
  EXPECT_EQ(d.utcMs, utcMs(2026, 12, 8, 23, 59, 52));
  EXPECT_EQ(d.mode, "FT4");
  EXPECT_EQ(d.call, "W1AW");
  EXPECT_EQ(d.grid, "FN31");
  EXPECT_EQ(after.counts().decodes, 1u);
  EXPECT_EQ(decoder.counts().decodes, 2u);
  EXPECT_EQ(decoder.counts().ignored, 4u);
  ASSERT_TRUE(after.lastStatus());
  EXPECT_EQ(after.lastStatus()->deCall, "DL9XYZ");
}

TEST(Listener, DecodesSentOverLoopbackAreHandedOverInOrder) {
  const FixedClock clock = utcClock();
  UdpListener l(clock, 48.1, 11.5);
  ASSERT_EQ(l.start({"127.0.0.1", 0}), "");
  const std::uint16_t port = l.boundPort();
  ASSERT_NE(port, 0);
  Sender s;
  s.send(heartbeat(3), port);
  s.send(status(3, "WSJT-X", 14074000, "FT8"), port);
  s.send(decode(3, "WSJT-X", QTime(14, 30, 15), -12, "CQ DL1ABC JO62"), port);
  s.send(decode(2, "WSJT-X", QTime(14, 30, 15), 4, "DL1ABC <PJ4/K1ABC> RR73"), port);
  s.send(wspr(2, "WSJT-X", QTime(14, 28, 0), -25, 14097050, "<G4XYZ>", "IO91"), port);
  s.send(datagram(3, 2, "WSJT-X", {}, 0x12345678), port);  // wrong magic
  ASSERT_TRUE(waitFor(l, 6));
  std::vector<Decode> got;
  EXPECT_EQ(l.take(got), 3u);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].call, "DL1ABC");
  EXPECT_EQ(got[0].grid, "JO62");
  EXPECT_EQ(got[0].snr, -12);
  EXPECT_EQ(got[0].band, hfBandOfName("20m"));
  EXPECT_EQ(got[1].call, "PJ4/K1ABC");
  EXPECT_EQ(got[1].grid, "");  // RR73 is no grid
  EXPECT_EQ(got[2].call, "G4XYZ");
  EXPECT_EQ(got[2].mode, "WSPR");
  EXPECT_EQ(got[2].grid, "IO91");
  EXPECT_EQ(got[2].dialHz, 14074000);
  EXPECT_EQ(got[2].audioHz, 23050);
  const ListenerSnapshot snap = l.snapshot();
  EXPECT_EQ(snap.counts.decodes, 3u);
  EXPECT_EQ(snap.counts.ignored, 1u);
  EXPECT_EQ(snap.counts.malformed, 1u);
  ASSERT_TRUE(snap.lastStatus);
  EXPECT_EQ(snap.lastStatus->mode, "FT8");
  l.stop();
  EXPECT_FALSE(l.running());
}

TEST(Listener, AFullQueueDropsAndCountsInsteadOfGrowing) {
  const FixedClock clock = utcClock();
  UdpListener l(clock, 48.1, 11.5, 10);
  ASSERT_EQ(l.start({"127.0.0.1", 0}), "");
  Sender s;
  s.send(status(3, "X", 14074000, "FT8"), l.boundPort());
  for (int i = 0; i < 50; ++i)
    s.send(decode(3, "X", QTime(14, 30, 15), -10, QByteArray("CQ K") + QByteArray::number(i) + "AB JO62"), l.boundPort());
  ASSERT_TRUE(waitFor(l, 51));
  const ListenerSnapshot snap = l.snapshot();
  EXPECT_EQ(snap.queued, 10u);
  EXPECT_EQ(snap.counts.decodes, 50u);
  EXPECT_EQ(snap.counts.dropped, 40u);
  std::vector<Decode> got;
  EXPECT_EQ(l.take(got, 4), 4u);
  EXPECT_EQ(got[0].call, "K0AB");
  EXPECT_EQ(l.take(got), 6u);
  EXPECT_EQ(got[9].call, "K9AB");
}

TEST(Listener, AMulticastGroupIsSharedWithOtherListeners) {
  const FixedClock clock = utcClock();
  UdpListener a(clock, 0, 0), b(clock, 0, 0);
  const std::string err = a.start({"239.255.42.99", 0});
  if (!err.empty()) GTEST_SKIP() << "no multicast on loopback here: " << err;
  ASSERT_EQ(b.start({"239.255.42.99", a.boundPort()}), "");  // the same group and port
  Sender s;
  s.send(heartbeat(3), a.boundPort(), "239.255.42.99");
  const bool both = waitFor(a, 1) && waitFor(b, 1);
  if (!both && a.snapshot().counts.datagrams == 0) GTEST_SKIP() << "multicast is not looped back here";
  EXPECT_TRUE(both);
  EXPECT_EQ(a.snapshot().counts.heartbeats, 1u);
  EXPECT_EQ(b.snapshot().counts.heartbeats, 1u);
}

TEST(Listener, ADecodeHeardByBothRoutesIsStoredOnce) {
  TempFolder dir;
  const std::string log = dir.path + "/ALL.TXT";
  {
    std::ofstream f(log);
    f << "261208_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62\n"
         "261208_143015    14.074 Rx FT8     -7 -0.1  845 K1ABC G4XYZ -15\n";
  }
  DecodeStore store;
  ASSERT_EQ(store.open(dir.path + "/heard.sqlite"), "");
  const LogReadCounts c = importLogs(store, {{log, 48.1, 11.5}});
  EXPECT_EQ(c.decodes, 2u);
  const FixedClock clock = utcClock();
  DatagramDecoder decoder(clock, 48.1, 11.5);
  std::vector<Decode> batch;
  for (const QByteArray& b : {status(2, "W", 14074000, "FT8"), decode(2, "W", QTime(14, 30, 15), -12, "CQ DL1ABC JO62"),
                              decode(2, "W", QTime(14, 30, 15), -3, "CQ F5ABC JN18")}) {
    Decode d;
    if (decoder.take(reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size()), d))
      batch.push_back(d);
  }
  ASSERT_EQ(batch.size(), 2u);
  AddCounts added;
  ASSERT_TRUE(store.add(batch, {}, &added));
  EXPECT_EQ(added.added, 1u);
  EXPECT_EQ(added.duplicates, 1u);
  EXPECT_EQ(store.count(), 3);
}

TEST(Listener, CommandLineListenCountsWhatArrives) {
  TempFolder dir;
  // A free port: bound and let go again.
  std::uint16_t port = 0;
  {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    socklen_t len = sizeof sa;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
    port = ntohs(sa.sin_port);
    ::close(fd);
  }
  const FixedClock clock = utcClock();
  std::ostringstream out, err;
  int rc = -1;
  std::thread run([&] {
    rc = cli::runCli({"welvaro-cli", "listen", "--udp", "127.0.0.1:" + std::to_string(port), "--seconds", "3",
                      "--store", dir.path + "/heard.sqlite", "--format", "json"},
                     cli::Context{clock, {}, out, err});
  });
  // Once the port is taken, the listener is there.
  for (int i = 0; i < 500; ++i) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool taken = ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0;
    ::close(fd);
    if (taken) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  Sender s;
  s.send(heartbeat(3), port);
  s.send(status(3, "WSJT-X", 21074000, "FT8"), port);
  s.send(decode(3, "WSJT-X", QTime(14, 30, 15), -12, "CQ DL1ABC JO62"), port);
  s.send(decode(3, "WSJT-X", QTime(14, 30, 15), -1, "DL1ABC VK2XYZ QF56"), port);
  s.send(decode(3, "WSJT-X", QTime(14, 30, 15), -1, "DL1ABC VK2XYZ QF56").left(30), port);  // cut off
  s.send(heartbeat(7), port);  // unknown schema
  run.join();
  EXPECT_EQ(rc, 0) << err.str();
  EXPECT_EQ(out.str(), "{\"datagrams\":6,\"decodes\":2,\"ignored\":2}\n");
  DecodeStore store;
  ASSERT_EQ(store.open(dir.path + "/heard.sqlite"), "");
  const auto rows = store.between(0, utcMs(2027, 1, 1, 0, 0, 0));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].call, "VK2XYZ");
  EXPECT_EQ(rows[1].band, hfBandOfName("15m"));
  EXPECT_TRUE(rows[1].located);
  EXPECT_NEAR(rows[1].distanceKm, 16300, 300);
}
