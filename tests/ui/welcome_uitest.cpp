// The welcome at the first start, as a new user meets it: offered over the
// running window only without a settings file, in the system's language,
// filled with the start values; a refused entry stays in its box, marked
// red with what the box takes; confirming renews the forecast for the new
// station, skipping changes nothing. Run offscreen against a temporary
// program folder.
#include <QtTest>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "files/programdir.h"
#include "state/station_a.h"
#include "ui/mainwindow.h"
#include "ui/welcome_dialog.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::MainWindow;
using welvaro::ui::WelcomeDialog;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "Ortsvorg.txt", "Orte.dat"});
}

void type(QLineEdit* box, const QString& text) { test::enterText(box, text, false); }

bool green(const QLabel* marker) { return marker->property("gruen").toBool(); }

}  // namespace

class WelcomeTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void offeredOverTheRunningWindow();
  void refusedEntriesStayMarkedAndOkRenews();
  void skipChangesNothing();
  void notOfferedWithASettingsFile();
  void inTheSystemsLanguage();

 private:
  void startWindow();
  QTemporaryDir* dir_ = nullptr;
  FixedClock* clock_ = nullptr;
  MainWindow* w_ = nullptr;
};

void WelcomeTest::init() {
  dir_ = new QTemporaryDir;
  clock_ = new FixedClock({2026, 12, 8, 16, 5, 0});
}

void WelcomeTest::startWindow() {
  w_ = new MainWindow(*clock_, folder(*dir_));
  w_->start();
  w_->show();
  w_->offerWelcome();
}

void WelcomeTest::cleanup() {
  delete w_;
  w_ = nullptr;
  delete clock_;
  delete dir_;
}

void WelcomeTest::offeredOverTheRunningWindow() {
  startWindow();
  auto* d = w_->findChild<WelcomeDialog*>("frmWelcome");
  QVERIFY(d);
  QVERIFY(d->isVisible());
  QVERIFY(!d->isModal());
  QVERIFY(w_->isEnabled());
  // The main window runs behind it as always: the clock, the display cycle.
  QVERIFY(test::ctl<QTimer>(w_, "tmrAktZeit")->isActive());
  QVERIFY(test::ctl<QTimer>(w_, "tmrGenDarst")->isActive());
  // The start values, the power in watts.
  QCOMPARE(d->txtWelcomeStation->text(), QString::fromUtf8("München"));
  QCOMPARE(d->txtWelcomePower->text(), QString("100"));
  QCOMPARE(d->txtWelcomeGain->text(), QString("2.15"));
  QCOMPARE(d->txtWelcomeAngle->text(), QString("20"));
  QCOMPARE(d->windowTitle(), QString("Willkommen bei Welvaro"));
  // One sentence each on what the value changes.
  for (const char* note : {"lblWelcomeStationNote", "lblWelcomePowerNote", "lblWelcomeGainNote", "lblWelcomeAngleNote"})
    QVERIFY2(!test::ctl<QLabel>(d, note)->text().isEmpty(), note);
  // Offered once.
  w_->offerWelcome();
  QCOMPARE(w_->findChildren<WelcomeDialog*>().size(), 1);
}

void WelcomeTest::refusedEntriesStayMarkedAndOkRenews() {
  startWindow();
  auto* d = w_->findChild<WelcomeDialog*>("frmWelcome");
  QVERIFY(d);
  State& s = w_->state();
  const std::string zkwa = s.Zkwa;
  struct Case {
    const char* name;
    QLineEdit* box;
    QLabel* marker;
    const char* text;
    const char* hint;
  } cases[] = {
      {"power 0 W", d->txtWelcomePower, d->shpWelcomePower, "0", "Sendeleistung 0.001 … 1000000 W"},
      {"gain 25 dBi", d->txtWelcomeGain, d->shpWelcomeGain, "25", "Antennengewinn -40 … 20 dBi"},
      {"latitude 99", d->txtWelcomeStation, d->shpWelcomeStation, "99, 10",
       "Breite -90 … 90 und Länge -180 … 180 in Grad, durch Komma getrennt (48.1, 11.6)"},
      {"unknown place", d->txtWelcomeStation, d->shpWelcomeStation, "Xyzzyqwv",
       "Kein Ort dieses Namens bekannt: bitte einen Locator (JN58TD) oder Breite, Länge in Grad (48.1, 11.6) angeben."},
  };
  for (const Case& c : cases) {
    const QString opened = c.box->text();
    type(c.box, QString::fromUtf8(c.text));
    QTest::mouseClick(d->cmdWelcomeOk, Qt::LeftButton);
    QVERIFY2(d->isVisible(), c.name);
    // The refused text stays as typed, marked red, with what the box takes.
    QCOMPARE(c.box->text(), QString::fromUtf8(c.text));
    QVERIFY2(!green(c.marker), c.name);
    QCOMPARE(d->lblHinweis->text(), QString::fromUtf8(c.hint));
    QCOMPARE(s.Zkwa, zkwa);
    QVERIFY2(!test::ctl<QTimer>(w_, "tmrNeueDaten")->isActive(), c.name);
    // Typing again takes the red away.
    QTest::keyClick(c.box, Qt::Key_Backspace);
    QVERIFY2(green(c.marker), c.name);
    c.box->setText(opened);
  }
  type(d->txtWelcomeStation, "io91wm");
  type(d->txtWelcomePower, "400");
  type(d->txtWelcomeGain, "6");
  type(d->txtWelcomeAngle, "5");
  QTest::keyClick(d->txtWelcomeAngle, Qt::Key_Return);  // Enter sends the form
  QVERIFY(!d->isVisible());
  QCOMPARE(s.OrtA, std::string("IO91WM"));
  const StationAPosition a = enteredStationA(s);
  QVERIFY(std::abs(a.latitude - 51.52083) < 1e-4);  // the square's centre, kept exactly
  QVERIFY(std::abs(a.longitude - -0.125f) < 1e-4f);
  QCOMPARE(s.Zkwa, std::string("0.4"));
  QCOMPARE(s.Sag, 6.0);
  QCOMPARE(s.Angm, 5.0);
  // The forecast is renewed for the new station.
  QVERIFY(test::ctl<QTimer>(w_, "tmrNeueDaten")->isActive());
}

void WelcomeTest::skipChangesNothing() {
  startWindow();
  auto* d = w_->findChild<WelcomeDialog*>("frmWelcome");
  QVERIFY(d);
  type(d->txtWelcomePower, "5");
  QTest::mouseClick(d->cmdWelcomeSkip, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(w_->state().Zkwa, std::string("0.1"));
  QVERIFY(!test::ctl<QTimer>(w_, "tmrNeueDaten")->isActive());
}

void WelcomeTest::notOfferedWithASettingsFile() {
  {
    // The first run ends in order and writes its settings file.
    startWindow();
    auto& answers = test::scriptDialogs(*w_);
    answers.accept = true;
    w_->prgEnde();
    delete w_;
    w_ = nullptr;
  }
  QVERIFY(QFile::exists(dir_->path() + "/Welvaro.dat"));
  startWindow();
  QVERIFY(!w_->findChild<WelcomeDialog*>());
}

void WelcomeTest::inTheSystemsLanguage() {
  const QByteArray before = qgetenv("LC_MESSAGES");
  qputenv("LC_MESSAGES", "fr_FR.UTF-8");
  startWindow();
  qputenv("LC_MESSAGES", before);
  auto* d = w_->findChild<WelcomeDialog*>("frmWelcome");
  QVERIFY(d);
  QCOMPARE(d->windowTitle(), QString("Bienvenue dans Welvaro"));
  QCOMPARE(d->cmdWelcomeSkip->text(), QString("Passer"));
  QCOMPARE(test::ctl<QLabel>(d, "lblWelcomePowerNote")->text().left(19), QString("Plus de puissance \u00E9"));
  // The language menu changes it with the window.
  test::ctl<QAction>(w_, "mnuBeschriftung1")->trigger();
  QCOMPARE(d->windowTitle(), QString("Welcome to Welvaro"));
}

QTEST_MAIN(WelcomeTest)
#include "welcome_uitest.moc"
