// The four input dialogs as the user types into them: wrong characters,
// Enter checks with their markers, OK with its rounding and the one-shot
// timers it starts. Run offscreen against a temporary program folder.
#include <QtTest>

#include <QCompleter>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "files/programdir.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::InputDialog;
using welvaro::ui::MainWindow;

namespace {

// The data files of the program folder.
constexpr std::initializer_list<const char*> kFiles = {"MapWelt.dat", "MapOrt.dat", "Ortsvorg.txt", "Orte.dat"};

std::string read(const QTemporaryDir& d, const char* name) { return test::fileBytes(d, name); }

void enter(QLineEdit* box, const QString& text, bool confirm = true) { test::enterText(box, text, confirm); }

bool green(const QLabel* marker) { return InputDialog::isGreen(marker); }

constexpr int kComputeTime = 120000;  // a table regeneration, in the sanitizer build too

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void wrongCharacterIsRefusedAlone();
  void latitudeLimitsOnEnter();
  void stationAChangeRegeneratesTheTable();
  void failedOkKeepsTheDialogOpen();
  void stationBChangeMovesThePointOnly();
  void stationsByLocatorAndPlaceName();
  void conditionsSnapAndAcceptLowerCasePath();
  void timeZone();
  void labelsFollowTheLanguage();

 private:
  test::RunningWindow run_;
  MainWindow* w_ = nullptr;
};

void DialogsTest::init() {
  QVERIFY(run_.open(kFiles));
  w_ = run_.window();
}

void DialogsTest::cleanup() {
  run_.close();
}

void DialogsTest::wrongCharacterIsRefusedAlone() {
  test::ctl<QAction>(w_, "mnuStationA")->trigger();
  auto* d = w_->stationADialog();
  QVERIFY(d->isVisible());
  QVERIFY(QTest::qWaitForWindowExposed(d));
  enter(d->txtBreite, "4y5", false);
  // The letter (no locator has it) never reaches the box; the rest stays,
  // the marker turns red and the dialog says what the box accepts.
  QCOMPARE(d->txtBreite->text(), QString("45"));
  QVERIFY(!green(d->shpBreite));
  const QString hint = QString::fromUtf8("Breitengrad -90 … 90 oder Locator (JN58TD)");
  QCOMPARE(d->lblHinweis->text(), hint);
  QCOMPARE(d->txtBreite->toolTip(), hint);

  // A minus sign, a point and a decimal comma stay; Enter reads the comma
  // as the point.
  enter(d->txtBreite, "-1,5", false);
  QCOMPARE(d->txtBreite->text(), QString("-1,5"));
  QTest::keyClick(d->txtBreite, Qt::Key_Return);
  QCOMPARE(d->txtBreite->text(), QString("-1.5"));
  QVERIFY(green(d->shpBreite));
  QCOMPARE(d->lblHinweis->text(), QString());  // an accepted entry clears the hint
  // A letter in one box leaves the others alone.
  enter(d->txtWinkel, "x", false);
  QCOMPARE(d->txtWinkel->text(), QString());
  QCOMPARE(d->txtBreite->text(), QString("-1.5"));
  // Editing commands are no characters: select all and copy keep the box.
  QTest::keyClick(d->txtBreite, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(d->txtBreite, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(d->txtBreite->text(), QString("-1.5"));
  // A name takes every character.
  enter(d->txtOrt, "Tokyo-2", false);
  QCOMPARE(d->txtOrt->text(), QString("Tokyo-2"));
}

void DialogsTest::latitudeLimitsOnEnter() {
  test::ctl<QAction>(w_, "mnuStationA")->trigger();
  auto* d = w_->stationADialog();
  QVERIFY(QTest::qWaitForWindowActive(d));
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {{"90", true}, {"-90", true}, {"90.01", false}, {"-90.01", false}, {"-", false}};
  for (const Case& f : cases) {
    enter(d->txtBreite, f.text);
    QCOMPARE(green(d->shpBreite), f.ok);
    QCOMPARE(d->txtBreite->text(), QString(f.text));  // a refused entry stays to be corrected
    // Accepted: the focus moves on to OK; rejected: it stays in the box.
    QCOMPARE(d->focusWidget() == d->cmdStationA, f.ok);
    QCOMPARE(d->focusWidget() == d->txtBreite, !f.ok);
  }
  // An empty name on Enter stays empty, marked red: nothing is put in its place.
  enter(d->txtOrt, "");
  QCOMPARE(d->txtOrt->text(), QString());
  QVERIFY(!green(d->shpOrt));
  // Power: a millionth of a kilowatt is the least.
  enter(d->txtLeistung, "0.000001");
  QVERIFY(green(d->shpLeistung));
  enter(d->txtLeistung, "0");
  QVERIFY(!green(d->shpLeistung));
}

void DialogsTest::stationAChangeRegeneratesTheTable() {
  MainWindow& w = *w_;
  State& s = w.state();
  const std::string tableBefore = read(run_.dir(), "Welvaro.tab");
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  auto* d = w.stationADialog();
  QCOMPARE(d->windowTitle(), QString("Vorgabe Station [A]"));
  QCOMPARE(d->lblBreitengrad->text(), QString("Breitengrad [-90-90]"));
  QCOMPARE(d->txtBreite->text(), QString(" 48.1"));
  QVERIFY(green(d->shpBreite));
  enter(d->txtOrt, "Tokyo");
  enter(d->txtBreite, "35.75");
  enter(d->txtLaenge, "139.75");
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(QString::fromStdString(s.OrtA), QString("Tokyo"));
  QCOMPARE(s.X1, 35.7);
  QCOMPARE(s.Y1, 139.7f);
  QVERIFY(test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  QVERIFY(!test::ctl<QTimer>(w, "tmrSetzePunkt")->isActive());
  QVERIFY(test::ctl<QLabel>(w, "imgWarten")->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive() && !test::ctl<QLabel>(w, "imgWarten")->isVisible(), kComputeTime);
  QVERIFY(read(run_.dir(), "Welvaro.tab") != tableBefore);
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().startsWith("Tokyo (A: 35.7 N"));

  // OK without a change writes nothing and starts nothing.
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
}

void DialogsTest::failedOkKeepsTheDialogOpen() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  auto* d = w.stationADialog();
  QVERIFY(QTest::qWaitForWindowActive(d));
  enter(d->txtBreite, "95", false);
  enter(d->txtLeistung, "0.5", false);
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  // The latitude fails: red, kept as typed, focused; the dialog stays open and
  // no forecast starts, but the valid power is written.
  QVERIFY(d->isVisible());
  QCOMPARE(d->flag(), 2);
  QVERIFY(!green(d->shpBreite));
  QVERIFY(green(d->shpLeistung));
  QCOMPARE(d->txtBreite->text(), QString("95"));
  QCOMPARE(d->focusWidget(), d->txtBreite);
  QCOMPARE(s.Zkw, 0.5);
  QCOMPARE(s.X1, 48.1);
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());

  // Corrected: OK closes and the new forecast starts.
  enter(d->txtBreite, "48.1", false);
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QVERIFY(test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  test::tick(w, "tickNeueDaten");

  // Closing the dialog after a failing OK wrote a value: the forecast
  // follows the value all the same.
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  enter(d->txtBreite, "", false);
  enter(d->txtWinkel, "5", false);
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(d->isVisible());
  QCOMPARE(s.Angm, 5.0);
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  d->close();
  QVERIFY(test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
}

void DialogsTest::stationBChangeMovesThePointOnly() {
  MainWindow& w = *w_;
  State& s = w.state();
  const std::string tableBefore = read(run_.dir(), "Welvaro.tab");
  const float frequency = s.AktFrequenz;
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  auto* d = w.stationBDialog();
  QCOMPARE(d->windowTitle(), QString("Vorgaben Station [B]"));
  QCOMPARE(d->txtOrt->text(), QString("Madrid"));
  QCOMPARE(d->txtLaenge->text(), QString("-3.7"));
  // A positive number as the system writes it (" 40.4") is no refused
  // input: no hint at opening, and it can be corrected at its end.
  QCOMPARE(d->txtBreite->text(), QString(" 40.4"));
  QCOMPARE(d->lblHinweis->text(), QString());
  d->txtBreite->setFocus();
  d->txtBreite->end(false);
  QTest::keyClick(d->txtBreite, Qt::Key_Backspace);
  QTest::keyClick(d->txtBreite, Qt::Key_5);
  QCOMPARE(d->txtBreite->text(), QString(" 40.5"));
  QVERIFY(green(d->shpBreite));
  QCOMPARE(d->lblHinweis->text(), QString());
  enter(d->txtOrt, " Lisboa");
  enter(d->txtBreite, "38.75");
  enter(d->txtLaenge, "-9.15");
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(QString::fromStdString(s.OrtB), QString(" Lisboa"));  // as typed
  QCOMPARE(s.OrtX2, 38.7f);
  QCOMPARE(s.OrtY2, -9.2f);
  QVERIFY(test::ctl<QTimer>(w, "tmrSetzePunkt")->isActive());
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  QTRY_VERIFY_WITH_TIMEOUT(!test::ctl<QTimer>(w, "tmrSetzePunkt")->isActive(), kComputeTime);
  QCOMPARE(read(run_.dir(), "Welvaro.tab"), tableBefore);  // the table stays
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().contains("Lisboa (B: 38.7 N"));
  QCOMPARE(s.AktFrequenz, frequency);  // a new point B keeps the display frequency

  // An empty name fails and stays empty.
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  enter(d->txtOrt, "", false);
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(d->isVisible());
  QCOMPARE(d->txtOrt->text(), QString());
  QVERIFY(!green(d->shpOrt));
  QCOMPARE(d->focusWidget(), d->txtOrt);
}

// A station as radio amateurs give it: a locator in a position box, a
// place chosen as its name is typed, a name confirmed without coordinates.
// Such positions are kept as they are, not rounded to a tenth of a degree.
void DialogsTest::stationsByLocatorAndPlaceName() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  auto* d = w.stationBDialog();
  QVERIFY(QTest::qWaitForWindowExposed(d));
  enter(d->txtBreite, "jn58td");
  QCOMPARE(d->txtBreite->text(), QString(" 48.1458333333333"));
  QCOMPARE(d->txtLaenge->text(), QString(" 11.625"));
  QVERIFY(green(d->shpBreite) && green(d->shpLaenge));
  QCOMPARE(d->lblLocatorAnzeige->text(), QString("Locator: JN58TD"));
  enter(d->txtOrt, "Home", false);
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(s.OrtX2, static_cast<float>(48.1458333333333));
  QCOMPARE(s.OrtY2, 11.625f);
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Home"));  // a name that is no place stays a label
  QTRY_VERIFY_WITH_TIMEOUT(test::ctl<QLabel>(w, "lblStationsLocator")->text().endsWith("JN58TD (B)"), kComputeTime);

  // A malformed locator is named as such.
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  enter(d->txtBreite, "JN58T");
  QVERIFY(!green(d->shpBreite));
  QVERIFY(d->lblHinweis->text().startsWith(QString::fromUtf8("Kein gültiger Locator")));

  // Typing a name offers places without regard to accents; choosing one
  // fills its position.
  d->close();
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  enter(d->txtOrt, "Munch", false);
  QCompleter* c = d->txtOrt->completer();
  QVERIFY(c->completionModel()->rowCount() > 0);
  QVERIFY(c->completionModel()->index(0, 0).data().toString().startsWith(QString::fromUtf8("München, DE")));
  emit c->activated(c->completionModel()->index(0, 0));
  QTRY_COMPARE(d->txtOrt->text(), QString::fromUtf8("München"));
  QCOMPARE(d->txtBreite->text(), QString(" 48.13743"));
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QCOMPARE(s.OrtX2, 48.13743f);
  QCOMPARE(s.OrtY2, 11.57549f);

  // A name confirmed while the coordinates stayed: the place's position.
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  enter(d->txtOrt, "tokyo", false);
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Tokyo"));
  QCOMPARE(s.OrtX2, 35.6895f);
  QCOMPARE(s.OrtY2, 139.69171f);

  // Several places bear the name: the dialog stays and lists them.
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  enter(d->txtOrt, "Springfield", false);
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(d->isVisible());
  QVERIFY(!green(d->shpOrt));
  QVERIFY(d->lblHinweis->text().contains("Springfield, US"));
  QCOMPARE(s.OrtX2, 35.6895f);
}

void DialogsTest::conditionsSnapAndAcceptLowerCasePath() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QToolButton>(w, "cmdSonnenflecken")->click();
  auto* d = w.conditionsDialog();
  QVERIFY(d->isVisible());
  QCOMPARE(d->windowTitle(), QString("Vorgaben"));
  QCOMPARE(d->lblWahrscheinlichkeit->text(), QString("Wahrscheinlichkeit"));
  // Availability and path take a few values: choice lists, nothing to mistype.
  QVERIFY(d->cmbWahrscheinlichkeit->isVisible());
  QVERIFY(!d->txtWahrscheinlichkeit->isVisible());
  QVERIFY(d->cmbSendeweg->isVisible());
  QVERIFY(!d->txtSendeweg->isVisible());
  QCOMPARE(d->cmbWahrscheinlichkeit->count(), 3);
  QCOMPARE(d->cmbWahrscheinlichkeit->currentText(), QString("50 %"));
  QCOMPARE(d->cmbSendeweg->currentText(), QString("kurzer Weg (S)"));
  QCOMPARE(d->cmbSendeweg->itemText(1), QString("langer Weg (L)"));

  // A sunspot number beyond the 300 of the label is no green entry, and stays.
  enter(d->txtSsn, "450");
  QVERIFY(!green(d->shpSsn));
  QCOMPARE(d->txtSsn->text(), QString("450"));
  // A letter is refused; OK finds the box empty.
  enter(d->txtSsn, "x", false);
  QCOMPARE(d->txtSsn->text(), QString());
  d->cmbWahrscheinlichkeit->setCurrentIndex(0);
  d->cmbSendeweg->setCurrentIndex(1);
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QVERIFY(d->isVisible());
  QCOMPARE(d->flag(), 1);
  QCOMPARE(s.Ssna, 128.0);
  QCOMPARE(s.Iproz, 10.0);  // the availability passed and is written
  QCOMPARE(QString::fromStdString(s.P), QString("L"));

  enter(d->txtSsn, "95", false);
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(s.Ssna, 95.0);
  QCOMPARE(QString::fromStdString(s.Ssn), QString("95"));
  QVERIFY(test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  QVERIFY(test::ctl<QLabel>(w, "imgWarten")->isVisible());
  test::tick(w, "tickNeueDaten");
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().contains("(10%)"));

  // Opened again, the lists stand at the state's values; choosing another
  // and back again is no change.
  test::ctl<QAction>(w, "mnuSendeweg")->trigger();
  QCOMPARE(d->cmbWahrscheinlichkeit->currentText(), QString("10 %"));
  QCOMPARE(d->cmbSendeweg->currentIndex(), 1);
  d->cmbWahrscheinlichkeit->setCurrentIndex(2);
  d->cmbWahrscheinlichkeit->setCurrentIndex(0);
  d->cmbSendeweg->setCurrentIndex(0);
  d->cmbSendeweg->setCurrentIndex(1);
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());

  // 90 % on the short path.
  test::ctl<QAction>(w, "mnuWahrscheinlichkeit")->trigger();
  d->cmbWahrscheinlichkeit->setCurrentIndex(2);
  d->cmbSendeweg->setCurrentIndex(0);
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(s.Iproz, 90.0);
  QCOMPARE(QString::fromStdString(s.P), QString("S"));
  QVERIFY(test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
}

void DialogsTest::timeZone() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QAction>(w, "mnuUTCZeitkorrektur")->trigger();
  auto* d = w.timeZoneDialog();
  QCOMPARE(d->windowTitle(), QString("UTC-Zeitkorrektur"));
  QCOMPARE(d->lblZeitkorrektur->text(), QString("Zeitzone (-12 bis 14)"));
  QCOMPARE(d->txtUTCZeitkorrektur->text(), QString("1"));
  // Unchanged: closes, writes nothing, redraws nothing.
  QTest::mouseClick(d->cmdZeitkorrektur, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QVERIFY(!test::ctl<QTimer>(w, "tmrSofort")->isActive());

  test::ctl<QAction>(w, "mnuUTCZeitkorrektur")->trigger();
  enter(d->txtUTCZeitkorrektur, "5,5", false);  // half-hour zones take a decimal point
  QCOMPARE(d->txtUTCZeitkorrektur->text(), QString("5,5"));
  enter(d->txtUTCZeitkorrektur, "15");  // UTC+14 is the last zone on earth
  QVERIFY(!green(d->shpUTC));
  enter(d->txtUTCZeitkorrektur, "14");
  QVERIFY(green(d->shpUTC));
  enter(d->txtUTCZeitkorrektur, "15", false);
  QTest::mouseClick(d->cmdZeitkorrektur, Qt::LeftButton);
  QVERIFY(d->isVisible());
  QCOMPARE(d->txtUTCZeitkorrektur->text(), QString("15"));
  QCOMPARE(s.UTCKorr, 1.0f);

  enter(d->txtUTCZeitkorrektur, "-12", false);
  QTest::mouseClick(d->cmdZeitkorrektur, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(s.UTCKorr, -12.0f);
  QVERIFY(test::ctl<QTimer>(w, "tmrSofort")->isActive());
  // The clock follows at once: 16:05 local is 04:05 UTC the next day.
  QCOMPARE(s.Zeitpunkt.hour, 4);
  QCOMPARE(s.Zeitpunkt.day, 9);
  QTRY_VERIFY_WITH_TIMEOUT(!test::ctl<QTimer>(w, "tmrSofort")->isActive(), kComputeTime);
}

void DialogsTest::labelsFollowTheLanguage() {
  MainWindow& w = *w_;
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  // The language switch renames the name labels of both station dialogs.
  QCOMPARE(w.stationADialog()->lblStationsort->text(), QString("Station (A)"));
  QCOMPARE(w.stationBDialog()->lblOrt->text(), QString("Station (B)"));
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  QCOMPARE(w.stationADialog()->lblBreitengrad->text(), QString("Latitude [-90-90]"));
  QCOMPARE(w.stationADialog()->lblSendeleistung->text(), QString("Transmitter power [kW]"));
  test::ctl<QAction>(w, "mnuSonnenfleckenzahl")->trigger();
  QCOMPARE(w.conditionsDialog()->lblSsn->text(), QString("Sunspot number [0-300]"));
  test::ctl<QAction>(w, "mnuUTCZeitkorrektur")->trigger();
  QCOMPARE(w.timeZoneDialog()->lblZeitkorrektur->text(), QString("Time zone (-12 to 14)"));
  // All four may be open at once, beside the usable main window.
  QVERIFY(w.stationADialog()->isVisible() && w.conditionsDialog()->isVisible() && w.timeZoneDialog()->isVisible());
  QVERIFY(!w.stationADialog()->isModal());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_uitest.moc"
