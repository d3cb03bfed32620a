// The receiver's decodes in the window: a log read at start, datagrams sent
// over loopback to the listening window, the dots on the map with their
// read-out, the heard rows beside the bands, the status line, the settings
// dialog's round trip through the preferences file, and a damaged store set
// aside with the user told.
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QCheckBox>
#include <QDataStream>
#include <QDialog>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>

#include "decodes/heard_window.h"
#include "decodes/store.h"
#include "files/programdir.h"
#include "files/settings.h"
#include "files/window_prefs.h"
#include "lang/sprachtext.h"
#include "ui/heard_binder.h"
#include "ui/heard_panel.h"
#include "ui/mainwindow.h"
#include "ui/message_bar.h"
#include "ui/picture_view.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::HeardBinder;
using welvaro::ui::HeardPanel;
using welvaro::ui::MainWindow;

namespace {

// 2026-12-08 15:05:00 UTC, a clock in UTC.
FixedClock utcClock() { return FixedClock({2026, 12, 8, 15, 5, 0}, 0, 0); }

std::filesystem::path p(const QTemporaryDir& d, const char* name) {
  return std::filesystem::path(d.path().toStdString()) / name;
}

void write(const std::filesystem::path& f, const std::string& text) {
  std::ofstream out(f, std::ios::binary);
  out << text;
}

// A program folder with the map data, the display frequency in 20 m and
// the window preferences `prefs` (key=value lines).
ProgramDirs folder(const QTemporaryDir& d, const std::string& prefs, float mhz = 14.2f) {
  ProgramDirs dirs;
  dirs.writeDir = d.path().toStdString();
  dirs.dataDirs = {d.path().toStdString()};
  for (const char* f : {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat"})
    QFile::copy(QString(WELVARO_DATA_DIR) + "/" + f, d.path() + "/" + f);
  auto s = std::make_unique<State>();
  s->AktFrequenz = mhz;
  writeSettings(*s, p(d, "Welvaro.dat").string(), {2026, 12, 1});
  // The program's time zone follows the clock's (UTC): its time now is 15:05 UTC.
  write(p(d, "WelvaroFenster.ini"), "zonefolgt=1\n" + prefs);
  return dirs;
}

// What the receiver logged on 8 December: three stations in 20 m (one near
// Madrid, station B, so heard toward B), one in 40 m twice (the second
// message without a grid), its own transmission and a line of noise.
const char* kLog =
    "261208_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62\r\n"
    "261208_144500    14.074 Rx FT8      5  0.1  845 CQ EA4XYZ IN80\n"
    "261208_145030    14.074 Rx FT8    -20  0.1  900 CQ K1ABC FN42\n"
    "261208_145045    14.074 Tx FT8      0  0.0 1500 K1ABC DL9XYZ JN58\n"
    "261208_145100     7.074 Rx FT8     -7  0.1  900 CQ G4XYZ IO91\n"
    "this line is no decode\n"
    "261208_145115     7.074 Rx FT8     -3  0.1  900 K1ABC G4XYZ -15\n"
    "261208_150000    14.074 Rx FT8     -9  0.2  700 CQ DL1ABC JO62\n";

HeardBinder& binder(MainWindow& w) { return *test::ctl<HeardBinder>(w, "heardBinder"); }
HeardPanel& panel(MainWindow& w) { return *test::ctl<HeardPanel>(w, "frmHeard"); }

QStringList calls(MainWindow& w) {
  QStringList c;
  for (const HeardStation& s : binder(w).dots().stations) c << QString::fromStdString(s.call);
  c.sort();
  return c;
}

// ---- Datagrams as the receiver makes them ----

QByteArray datagram(quint32 schema, quint32 type, const std::function<void(QDataStream&)>& body,
                    quint32 magic = 0xadbccbda) {
  QByteArray b;
  QDataStream s(&b, QIODevice::WriteOnly);
  s.setVersion(schema == 2 ? QDataStream::Qt_5_2 : QDataStream::Qt_5_4);
  s << magic << schema << type << QByteArray("WSJT-X");
  body(s);
  return b;
}

QByteArray status(quint32 schema, quint64 dialHz, const QByteArray& mode) {
  return datagram(schema, 1, [&](QDataStream& s) {
    s << dialHz << mode << QByteArray("K1ABC") << QByteArray("-10") << mode << true << false << true << quint32(1500)
      << quint32(1500) << QByteArray("DL9XYZ") << QByteArray("JN58") << QByteArray("FN42") << false << QByteArray()
      << false;
  });
}

QByteArray decode(quint32 schema, QTime t, qint32 snr, const QByteArray& message, quint32 magic = 0xadbccbda) {
  return datagram(
      schema, 2, [&](QDataStream& s) { s << true << t << snr << 0.3 << quint32(1234) << QByteArray("~") << message
                                         << false << false; },
      magic);
}

// A free port on the loopback interface.
quint16 freePort() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t n = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  ::close(fd);
  return ntohs(a.sin_port);
}

void send(const QByteArray& b, quint16 port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::sendto(fd, b.constData(), static_cast<std::size_t>(b.size()), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::close(fd);
}

}  // namespace

class DecodesTest : public QObject {
  Q_OBJECT

 private slots:
  void logReadAtStartGivesDotsRowsAndReadOut();
  void spanAndBandFollowTheTimeAndFrequencyShown();
  void datagramsSentToTheListeningWindow();
  void settingsRoundTripThroughThePreferences();
  void damagedStoreIsSetAsideAndTheUserTold();
  void withoutSourcesNothingIsShown();
  void aPortTakenIsToldInTheStatusLine();
};

void DecodesTest::logReadAtStartGivesDotsRowsAndReadOut() {
  QTemporaryDir dir;
  write(p(dir, "ALL.TXT"), kLog);
  FixedClock clock = utcClock();
  MainWindow w(clock, folder(dir, "heard_log=;;" + p(dir, "ALL.TXT").string() + "\nheard_span=1440\n"));
  w.resize(1400, 900);
  w.start();
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QTRY_COMPARE(calls(w), (QStringList{"DL1ABC", "EA4XYZ", "K1ABC"}));
  QVERIFY(panel(w).isVisibleTo(&w));
  // The rows: band, stations, best SNR, farthest km, toward B.
  struct Row {
    int band;
    const char* cells[5];
  } rows[] = {
      {5, {"20 m", "3", "+5", nullptr, "1"}},
      {3, {"40 m", "1", "-3", nullptr, "1"}},  // London lies within 1500 km of Madrid
      {9, {"10 m", "–", "–", "–", "–"}},
  };
  for (const Row& r : rows) {
    for (int c = 0; c < 5; ++c) {
      if (!r.cells[c]) continue;
      QCOMPARE(panel(w).cell(r.band, c)->text(), QString::fromUtf8(r.cells[c]));
    }
  }
  // Farthest in 20 m is K1ABC near Boston, some 6000 km from München.
  const int far = panel(w).cell(5, 3)->text().toInt();
  QVERIFY2(far > 5800 && far < 6300, qPrintable(panel(w).cell(5, 3)->text()));
  // Never listened to 10 m; 20 m heard toward B: a verdict of what was heard.
  const State& s = w.state();
  QCOMPARE(panel(w).cell(9, 5)->text(), QString::fromStdString(T(s, kTxHeardNotListened)));
  const QString v20 = panel(w).cell(5, 5)->text();
  QVERIFY2(v20 == QString::fromStdString(T(s, kTxHeardOpenNow)) ||
               v20 == QString::fromStdString(T(s, kTxHeardBetterThanForecast)) ||
               v20 == QString::fromStdString(T(s, kTxHeardUnexpectedOpening)),
           qPrintable(v20));
  QCOMPARE(test::ctl<QLabel>(w, "lblHeard")->text(), QString::fromUtf8("Gehört (24 Stunden bis 15:05 UTC)"));

  // The read-out over K1ABC's dot names it; beside the dots it names none.
  auto* view = test::ctl<ui::PictureView>(w, "picDarstellung");
  const std::optional<QPointF> at = view->pointOf(GeoPoint{42.5, -71.0});
  QVERIFY(at);
  QVERIFY(w.prgCursorBewegt(*at));
  QVERIFY2(test::ctl<QLabel>(w, "lblPeilung")->text().contains("K1ABC  -20 dB  14:50 UTC"),
           qPrintable(test::ctl<QLabel>(w, "lblPeilung")->text()));
  const std::optional<QPointF> sea = view->pointOf(GeoPoint{-40.0, -120.0});
  QVERIFY(sea);
  QVERIFY(w.prgCursorBewegt(*sea));
  QVERIFY(!test::ctl<QLabel>(w, "lblPeilung")->text().contains("UTC"));

  // The dots are drawn on the map: K1ABC's in the colour of its SNR class.
  const QImage picture = view->picture();
  if (!qgetenv("WELVARO_DEBUG").isEmpty()) {
    picture.save("/tmp/w23run/pic.png");
    qDebug() << *at << picture.size() << binder(w).dots().marks.size();
  }
  const qreal dpr = picture.devicePixelRatio();
  const QColor dot = picture.pixelColor((*at * dpr).toPoint());
  QCOMPARE(dot.rgb() & 0xFFFFFF, snrColour(-20) & 0xFFFFFF);
  // And in the azimuthal projection too.
  w.chooseProjection(true);
  const std::optional<QPointF> atAz = view->pointOf(GeoPoint{42.5, -71.0});
  QVERIFY(atAz);
  QCOMPARE(view->picture().pixelColor((*atAz * dpr).toPoint()).rgb() & 0xFFFFFF, snrColour(-20) & 0xFFFFFF);
  w.chooseProjection(false);

  // In English: the menu item, the title and the verdicts follow at once.
  test::ctl<QAction>(w, "mnuBeschriftung1")->trigger();
  QCOMPARE(test::ctl<QAction>(w, "mnuHeard")->text(), QString::fromUtf8("Receiver decodes…"));
  QTRY_COMPARE(test::ctl<QLabel>(w, "lblHeard")->text(), QString("Heard (24 hours to 15:05 UTC)"));
  QCOMPARE(panel(w).cell(9, 5)->text(), QString("not listened to"));
  test::ctl<QAction>(w, "mnuBeschriftung0")->trigger();

  if (const QByteArray shot = qgetenv("WELVARO_SHOT"); !shot.isEmpty()) {
    QTest::qWait(300);
    w.grab().save(QString::fromLocal8Bit(shot));
  }
}

void DecodesTest::spanAndBandFollowTheTimeAndFrequencyShown() {
  QTemporaryDir dir;
  write(p(dir, "ALL.TXT"), kLog);
  FixedClock clock = utcClock();
  MainWindow w(clock, folder(dir, "heard_log=;;" + p(dir, "ALL.TXT").string() + "\nheard_span=15\n"));
  w.start();
  // Now (15:05): the last 15 minutes hold DL1ABC's second call and K1ABC.
  QTRY_COMPARE(calls(w), (QStringList{"DL1ABC", "K1ABC"}));
  // An hour back and forth from the keyboard, as a day played steps: an
  // hour earlier nothing was heard in the quarter of an hour before.
  test::ctl<QAction>(w, "mnuStundeZurueck")->trigger();
  QVERIFY(w.state().AnzeigeMinute >= 14 * 60 && w.state().AnzeigeMinute <= 14 * 60 + 5);
  QTRY_COMPARE(calls(w), QStringList{});
  test::ctl<QAction>(w, "mnuStundeVor")->trigger();
  QTRY_COMPARE(calls(w), (QStringList{"DL1ABC", "K1ABC"}));
  // 14:50: the span after 14:35 up to 14:50 holds EA4XYZ in 20 m (K1ABC
  // came half a minute later).
  w.state().AnzeigeMinute = 14 * 60 + 50;
  binder(w).shownChanged();
  QTRY_COMPARE(calls(w), (QStringList{"EA4XYZ"}));
  // 15:00 in 40 m: G4XYZ, its grid taken from its earlier message.
  w.state().AnzeigeMinute = 15 * 60;
  w.state().AktFrequenz = 7.1f;
  binder(w).shownChanged();
  QTRY_COMPARE(calls(w), (QStringList{"G4XYZ"}));
  // A time of day later than now is yesterday's: nothing was heard then.
  w.state().AnzeigeMinute = 20 * 60;
  binder(w).shownChanged();
  QTRY_COMPARE(calls(w), QStringList{});
  QCOMPARE(test::ctl<QLabel>(w, "lblHeard")->text(), QString::fromUtf8("Gehört (15 Minuten bis 20:00 UTC)"));
}

void DecodesTest::datagramsSentToTheListeningWindow() {
  QTemporaryDir dir;
  const quint16 port = freePort();
  FixedClock clock = utcClock();
  const std::string endpoint = "127.0.0.1:" + std::to_string(port);
  MainWindow w(clock, folder(dir, "heard_listen=1\nheard_udp=" + endpoint + "\nheard_span=60\n"));
  w.start();
  auto* line = test::ctl<QLabel>(w, "lblReceiver");
  QTRY_COMPARE(line->text(), QString::fromStdString("Empfänger: warte auf Meldungen an " + endpoint));
  QVERIFY(line->isVisibleTo(&w));

  send(status(2, 14'074'000, "FT8"), port);
  send(decode(3, QTime(15, 4, 30), -8, "CQ VK2XYZ QF56"), port);
  send(decode(2, QTime(15, 4, 45), 3, "CQ JA1ABC PM95"), port);
  // Ignored: a wrong magic number, a datagram cut short, a decode of another
  // band (40 m Status first), none of them stored.
  send(decode(3, QTime(15, 4, 45), 9, "CQ ZS6AAA KG33", 0x12345678), port);
  send(decode(3, QTime(15, 4, 45), 9, "CQ ZS6AAA KG33").left(30), port);
  QTRY_COMPARE(calls(w), (QStringList{"JA1ABC", "VK2XYZ"}));
  QCOMPARE(panel(w).cell(5, 1)->text(), QString("2"));
  QCOMPARE(panel(w).cell(5, 2)->text(), QString("+3"));
  QTRY_VERIFY2(line->text().contains("20 m FT8"), qPrintable(line->text()));

  send(status(3, 7'074'000, "FT4"), port);
  send(decode(3, QTime(15, 4, 52), -1, "CQ PY2ABC GG66"), port);
  QTRY_VERIFY2(line->text().contains("40 m FT4"), qPrintable(line->text()));
  QTRY_COMPARE(panel(w).cell(3, 1)->text(), QString("1"));
  QCOMPARE(calls(w), (QStringList{"JA1ABC", "VK2XYZ"}));  // 40 m is not the band shown

  if (const QByteArray shot = qgetenv("WELVARO_SHOT_UDP"); !shot.isEmpty()) {
    w.resize(1400, 900);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(300);
    w.grab().save(QString::fromLocal8Bit(shot));
  }

  // What arrived is in the store, once.
  DecodeStore store;
  QCOMPARE(QString::fromStdString(store.open(p(dir, std::string(kHeardStoreFile).c_str()))), QString());
  QTRY_COMPARE(store.count(), std::int64_t{3});

  // Station A moves to Cape Town: what the receiver hears from now on is
  // measured from there.
  w.state().X1 = -33.9;
  w.state().Y1 = 18.4f;
  binder(w).shownChanged();
  QTRY_VERIFY2(line->text().contains(QString::fromUtf8("warte")), qPrintable(line->text()));
  send(status(3, 14'074'000, "FT8"), port);
  send(decode(3, QTime(15, 4, 58), -4, "CQ ZS1ABC JF96"), port);
  QTRY_COMPARE(store.count(), std::int64_t{4});
  const std::vector<StoredDecode> last = store.between(0, std::numeric_limits<std::int64_t>::max(), 5);
  QCOMPARE(QString::fromStdString(last.back().call), QString("ZS1ABC"));
  QCOMPARE(last.back().rxLat, -33.9);
  QVERIFY(last.back().distanceKm < 100);
}

void DecodesTest::settingsRoundTripThroughThePreferences() {
  QTemporaryDir dir;
  FixedClock clock = utcClock();
  MainWindow w(clock, folder(dir, "projektion=1\n"));
  auto& answers = test::scriptDialogs(w);
  w.start();
  QVERIFY(!panel(w).isVisibleTo(&w));
  // The receivers' usual folders of the user hold one log.
  QTemporaryDir home;
  std::filesystem::create_directories(p(home, ".local/share/WSJT-X - IC7300"));
  write(p(home, ".local/share/WSJT-X - IC7300/ALL.TXT"), kLog);
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  test::ctl<QAction>(w, "mnuHeard")->trigger();
  qputenv("HOME", oldHome);
  auto* d = test::ctl<QDialog>(w, "frmHeardSettings");
  auto* found = test::ctl<QComboBox>(d, "cmbFoundLogs");
  QCOMPARE(found->count(), 1);
  QCOMPARE(found->itemText(0), QString::fromStdString(p(home, ".local/share/WSJT-X - IC7300/ALL.TXT").string()));
  QVERIFY(d->isVisible());
  auto* list = test::ctl<QListWidget>(d, "lstLogs");
  auto* position = test::ctl<QLineEdit>(d, "txtRxPosition");
  auto* listen = test::ctl<QCheckBox>(d, "chkListen");
  auto* udp = test::ctl<QLineEdit>(d, "txtUdp");
  auto* keep = test::ctl<QSpinBox>(d, "spnKeepDays");
  auto* span = test::ctl<QComboBox>(d, "cmbSpan");
  // The start values.
  QCOMPARE(list->count(), 0);
  QVERIFY(!listen->isChecked());
  QCOMPARE(udp->text(), QString("127.0.0.1:2237"));
  QCOMPARE(keep->value(), 90);
  QCOMPARE(span->currentIndex(), 1);  // 1 hour

  answers.file = QString::fromStdString(p(dir, "a/ALL.TXT").string());
  test::ctl<QPushButton>(d, "cmdAddLog")->click();
  answers.file = QString::fromStdString(p(dir, "b/ALL.TXT").string());
  test::ctl<QPushButton>(d, "cmdAddLog")->click();
  test::ctl<QPushButton>(d, "cmdAddLog")->click();  // the same log again: not twice
  QCOMPARE(list->count(), 2);
  test::ctl<QPushButton>(d, "cmdAddFound")->click();
  QCOMPARE(list->count(), 3);
  test::ctl<QPushButton>(d, "cmdRemoveLog")->click();  // the found one again
  QCOMPARE(list->count(), 2);
  list->setCurrentRow(1);
  QTest::keyClicks(position, "JN58");
  list->setCurrentRow(0);
  QCOMPARE(position->text(), QString());  // the first log's receiver stands at A
  listen->setChecked(true);
  keep->setValue(30);
  span->setCurrentIndex(0);

  // An address or a position that cannot be read keeps the dialog open.
  struct Bad {
    const char* name;
    const char* address;
    const char* position;
  } bad[] = {{"no port", "127.0.0.1:", ""}, {"no address", "localhost:2237", ""}, {"bad position", "127.0.0.1:2238", "91, 0"}};
  for (const Bad& b : bad) {
    udp->setText(b.address);
    list->setCurrentRow(0);
    position->clear();
    QTest::keyClicks(position, b.position);
    test::ctl<QPushButton>(d, "cmdOK")->click();
    QVERIFY2(d->isVisible(), b.name);
  }
  position->clear();
  QTest::keyClicks(position, " ");  // blank: station A
  test::ctl<QPushButton>(d, "cmdOK")->click();
  QVERIFY(!d->isVisible());

  const WindowPrefs f = readWindowPrefs(p(dir, "WelvaroFenster.ini"));
  QCOMPARE(f.projection, 1);  // other keys kept
  QCOMPARE(f.heardLogs.size(), std::size_t{2});
  QCOMPARE(QString::fromStdString(f.heardLogs[0].path), QString::fromStdString(p(dir, "a/ALL.TXT").string()));
  QVERIFY(!f.heardLogs[0].ownPosition);
  QVERIFY(f.heardLogs[1].ownPosition);
  QCOMPARE(f.heardLogs[1].lat, 48.5);
  QCOMPARE(f.heardLogs[1].lon, 11.0);
  QVERIFY(f.heardListen);
  QCOMPARE(QString::fromStdString(f.heardUdp), QString("127.0.0.1:2238"));
  QCOMPARE(f.heardKeepDays, 30);
  QCOMPARE(f.heardSpan, 15);
  // Applied at once: the panel and the status line show.
  QVERIFY(panel(w).isVisibleTo(&w));
  QVERIFY(test::ctl<QLabel>(w, "lblReceiver")->isVisibleTo(&w));

  // Opened again, the dialog shows what was kept.
  test::ctl<QAction>(w, "mnuHeard")->trigger();
  QCOMPARE(list->count(), 2);
  list->setCurrentRow(1);
  QCOMPARE(position->text(), QString("48.50, 11.00"));
  if (const QByteArray shot = qgetenv("WELVARO_SHOT_SETTINGS"); !shot.isEmpty()) {
    QVERIFY(QTest::qWaitForWindowExposed(d));
    d->grab().save(QString::fromLocal8Bit(shot));
  }
  QVERIFY(listen->isChecked());
  QCOMPARE(udp->text(), QString("127.0.0.1:2238"));
  QCOMPARE(keep->value(), 30);
  QCOMPARE(span->currentIndex(), 0);
  // Removing a log and cancelling changes nothing.
  test::ctl<QPushButton>(d, "cmdRemoveLog")->click();
  QCOMPARE(list->count(), 1);
  test::ctl<QPushButton>(d, "cmdAbbrechen")->click();
  QCOMPARE(readWindowPrefs(p(dir, "WelvaroFenster.ini")).heardLogs.size(), std::size_t{2});
}

void DecodesTest::damagedStoreIsSetAsideAndTheUserTold() {
  QTemporaryDir dir;
  write(p(dir, "ALL.TXT"), kLog);
  write(p(dir, std::string(kHeardStoreFile).c_str()), std::string(8192, 'x'));
  FixedClock clock = utcClock();
  MainWindow w(clock, folder(dir, "heard_log=;;" + p(dir, "ALL.TXT").string() + "\nheard_span=1440\n"));
  w.start();
  // A new store is started and the log read into it.
  QTRY_COMPARE(calls(w), (QStringList{"DL1ABC", "EA4XYZ", "K1ABC"}));
  const QStringList shown = test::ctl<ui::MessageBar>(w, "frmMeldungen")->texts();
  QVERIFY2(shown.filter(QString::fromUtf8("beschädigt")).size() == 1, qPrintable(shown.join("|")));
  bool setAside = false;
  for (const auto& e : std::filesystem::directory_iterator(dir.path().toStdString()))
    setAside = setAside || e.path().filename().string().starts_with(std::string(kHeardStoreFile) + ".damaged-");
  QVERIFY(setAside);
}

void DecodesTest::withoutSourcesNothingIsShown() {
  QTemporaryDir dir;
  FixedClock clock = utcClock();
  MainWindow w(clock, folder(dir, ""));
  w.start();
  QVERIFY(!panel(w).isVisibleTo(&w));
  QVERIFY(!test::ctl<QLabel>(w, "lblReceiver")->isVisibleTo(&w));
  QVERIFY(binder(w).dots().stations.empty());
  // No store is made for nothing.
  QTest::qWait(100);
  QVERIFY(!std::filesystem::exists(p(dir, std::string(kHeardStoreFile).c_str())));
}

void DecodesTest::aPortTakenIsToldInTheStatusLine() {
  // Another program holds the port.
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  socklen_t n = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  const std::string endpoint = "127.0.0.1:" + std::to_string(ntohs(a.sin_port));
  QTemporaryDir dir;
  FixedClock clock = utcClock();
  MainWindow w(clock, folder(dir, "heard_listen=1\nheard_udp=" + endpoint + "\n"));
  w.start();
  auto* line = test::ctl<QLabel>(w, "lblReceiver");
  QTRY_VERIFY2(line->text().startsWith(QString::fromStdString("Empfänger: Empfang auf " + endpoint + " nicht möglich (")),
               qPrintable(line->text()));
  ::close(fd);
}

QTEST_MAIN(DecodesTest)
#include "decodes_uitest.moc"
