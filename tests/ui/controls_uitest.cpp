// Controls that behave as people expect: station names cut with a note, a
// locator typed over a named station, places of one name told apart in the
// completion, Cancel in the dialogs, the time slider that jumps where it is
// clicked and labels its hours, no frames played in a minimised window, and
// the zones up to UTC+14. Run offscreen against a temporary program folder.
#include <QtTest>

#include <QAbstractItemModel>
#include <QCompleter>
#include <QFile>
#include <QTemporaryDir>

#include "files/programdir.h"
#include "input/input_rules.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"
#include "ui/time_slider.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::InputDialog;
using welvaro::ui::MainWindow;

namespace {

// The data files of the program folder.
constexpr std::initializer_list<const char*> kFiles = {"MapWelt.dat", "MapOrt.dat", "Ortsvorg.txt", "Orte.dat"};

void enter(QLineEdit* box, const QString& text, bool confirm = true) { test::enterText(box, text, confirm); }

bool green(const QLabel* marker) { return InputDialog::isGreen(marker); }

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void longNameCutWithANote();
  void locatorOverANamedStationReplacesTheName();
  void completionTellsPlacesOfOneNameApart();
  void cancelLeavesTheStateAlone();
  void sliderJumpsWhereClickedAndLabelsItsHours();
  void minimisedWindowPlaysNoFrames();
  void zonesUpToUtcPlus14();
  void monthListOffReturnsToTheCurrentMonth();

 private:
  test::RunningWindow run_;
  MainWindow* w_ = nullptr;
};

void ControlsTest::init() {
  QVERIFY(run_.open(kFiles, {}, [](MainWindow& w) { w.resize(1200, 800); }));
  w_ = run_.window();
}

void ControlsTest::cleanup() {
  run_.close();
}

void ControlsTest::longNameCutWithANote() {
  State& s = w_->state();
  test::ctl<QAction>(w_, "mnuStationA")->trigger();
  auto* d = w_->stationADialog();
  const QString longName = "City of Westminster, Greater London, England";  // 44 characters
  enter(d->txtOrt, longName, false);
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  // Not cut silently: the box shows what is kept, the note says why, and
  // nothing is written yet.
  QVERIFY(d->isVisible());
  QCOMPARE(d->txtOrt->text(), longName.left(static_cast<int>(kStationNameMax)));
  QVERIFY2(d->lblHinweis->text().contains("40 Zeichen"), qPrintable(d->lblHinweis->text()));
  QCOMPARE(s.OrtA, std::string("München"));
  // The next OK keeps it.
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(QString::fromStdString(s.OrtA), longName.left(40));
}

void ControlsTest::locatorOverANamedStationReplacesTheName() {
  State& s = w_->state();
  struct Case {
    const char* name;
    const char* menu;
    bool a;
  } cases[] = {{"station A", "mnuStationA", true}, {"station B", "mnuStationB", false}};
  for (const Case& c : cases) {
    test::ctl<QAction>(w_, c.menu)->trigger();
    auto* d = c.a ? static_cast<InputDialog*>(w_->stationADialog()) : w_->stationBDialog();
    auto* name = test::ctl<QLineEdit>(d, "txtOrt");
    auto* lat = test::ctl<QLineEdit>(d, "txtBreite");
    const QString before = name->text();
    QVERIFY2(!before.isEmpty(), c.name);
    enter(lat, "io91wm");
    // London is no longer called by the old station's name.
    QCOMPARE(name->text(), QString("IO91WM"));
    QTest::mouseClick(test::ctl<QPushButton>(d, c.a ? "cmdStationA" : "cmdStationB"), Qt::LeftButton);
    QVERIFY2(!d->isVisible(), c.name);
    QCOMPARE(c.a ? s.OrtA : s.OrtB, std::string("IO91WM"));
  }
  // A name the user typed stays on the locator's position.
  test::ctl<QAction>(w_, "mnuStationB")->trigger();
  auto* d = w_->stationBDialog();
  enter(d->txtOrt, "Club station", false);
  enter(d->txtBreite, "JN58TD");
  QCOMPARE(d->txtOrt->text(), QString("Club station"));
}

void ControlsTest::completionTellsPlacesOfOneNameApart() {
  test::ctl<QAction>(w_, "mnuStationB")->trigger();
  auto* d = w_->stationBDialog();
  enter(d->txtOrt, "Springfield", false);
  QAbstractItemModel* m = d->txtOrt->completer()->model();
  QStringList us;
  for (int r = 0; r < m->rowCount(); ++r) {
    const QString line = m->index(r, 0).data().toString();
    if (line.startsWith("Springfield, US")) us << line;
  }
  QVERIFY2(us.size() >= 2, qPrintable(us.join('\n')));
  // Each says which larger place it lies near, so they read apart.
  for (const QString& line : us) QVERIFY2(line.contains(QString::fromUtf8(" – bei ")), qPrintable(line));
  QCOMPARE(QSet<QString>(us.begin(), us.end()).size(), us.size());
}

void ControlsTest::cancelLeavesTheStateAlone() {
  State& s = w_->state();
  const double x1 = s.X1;
  const float x2 = s.OrtX2;
  const double ssn = s.Ssna;
  struct Case {
    const char* menu;
    const char* box;
    const char* text;
  } cases[] = {{"mnuStationA", "txtBreite", "12"},
               {"mnuStationB", "txtBreite", "12"},
               {"mnuSonnenfleckenzahl", "txtSsn", "12"},
               {"mnuUTCZeitkorrektur", "txtUTCZeitkorrektur", "3"}};
  for (const Case& c : cases) {
    test::ctl<QAction>(w_, c.menu)->trigger();
    InputDialog* d = nullptr;
    for (InputDialog* i : w_->findChildren<InputDialog*>())
      if (i->isVisible()) d = i;
    QVERIFY2(d, c.menu);
    auto* cancel = test::ctl<QPushButton>(d, "cmdAbbrechen");
    QCOMPARE(cancel->text(), QString("Abbrechen"));
    enter(test::ctl<QLineEdit>(d, c.box), c.text, false);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY2(!d->isVisible(), c.menu);
  }
  QCOMPARE(s.X1, x1);
  QCOMPARE(s.OrtX2, x2);
  QCOMPARE(s.Ssna, ssn);
  QCOMPARE(s.UTCKorr, 1.0f);
  for (const char* t : {"tmrNeueDaten", "tmrSetzePunkt", "tmrSofort"})
    QVERIFY2(!test::ctl<QTimer>(w_, t)->isActive(), t);
}

void ControlsTest::sliderJumpsWhereClickedAndLabelsItsHours() {
  State& s = w_->state();
  auto* slider = test::ctl<ui::TimeSlider>(w_, "sldZeit");
  struct Case {
    int minute;  // clicked at its mark
  } cases[] = {{1080}, {370}, {60}, {1430}};
  for (const Case& c : cases) {
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->xOf(c.minute), slider->height() / 2));
    // At once there, not a page step towards it, on whole ten minutes.
    QCOMPARE(static_cast<int>(s.AnzeigeMinute), c.minute);
  }
  // Dragged, the time steps in ten minutes.
  slider->setSliderDown(true);
  slider->setSliderPosition(733);
  slider->setSliderDown(false);
  QCOMPARE(static_cast<int>(s.AnzeigeMinute), 730);
  // The hours under the marks, as many as there is room for.
  auto* hours = test::ctl<ui::HourScale>(w_, "hourScale");
  QVERIFY(hours->isVisible());
  QList<int> wide = hours->hours();
  QVERIFY(wide.size() >= 5);
  QCOMPARE(wide.front(), 0);
  QCOMPARE(wide.back(), 24);
  w_->resize(w_->minimumSizeHint());
  QTest::qWait(0);
  QVERIFY(hours->hours().size() <= wide.size());
}

void ControlsTest::minimisedWindowPlaysNoFrames() {
  State& s = w_->state();
  auto* play = test::ctl<QTimer>(w_, "tmrAbspielen");
  w_->showMinimized();
  QVERIFY(w_->isMinimized());
  test::ctl<QAction>(w_, "mnuAbspielen")->trigger();
  QVERIFY(play->isActive());
  const int before = s.AnzeigeMinute;
  QTest::qWait(300);  // some frames' time
  QCOMPARE(static_cast<int>(s.AnzeigeMinute), before);
  w_->showNormal();
  QTRY_VERIFY_WITH_TIMEOUT(s.AnzeigeMinute != before, 10000);
  test::ctl<QAction>(w_, "mnuAbspielen")->trigger();
}

void ControlsTest::zonesUpToUtcPlus14() {
  State& s = w_->state();
  test::ctl<QAction>(w_, "mnuUTCZeitkorrektur")->trigger();
  auto* d = w_->timeZoneDialog();
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {{"13", true}, {"14", true}, {"15", false}, {"-12", true}, {"-13", false}};
  for (const Case& c : cases) {
    enter(d->txtUTCZeitkorrektur, c.text);
    QCOMPARE(green(d->shpUTC), c.ok);
    QCOMPARE(d->txtUTCZeitkorrektur->text(), QString(c.text));
  }
  enter(d->txtUTCZeitkorrektur, "14", false);
  QTest::mouseClick(d->cmdZeitkorrektur, Qt::LeftButton);
  QCOMPARE(s.UTCKorr, 14.0f);
  // 16:05 local in Kiribati is 02:05 UTC.
  QCOMPARE(s.Zeitpunkt.hour, 2);
}

void ControlsTest::monthListOffReturnsToTheCurrentMonth() {
  State& s = w_->state();
  auto* period = test::ctl<QToolButton>(w_, "cmdWelvarozeit");
  auto* months = test::ctl<QComboBox>(w_, "cmbMonat");
  auto* greyline = test::ctl<QToolButton>(w_, "cmdGreyline");
  QCOMPARE(s.Monat, 12.0f);
  period->click();
  QVERIFY(months->isVisible());
  months->setCurrentIndex(5);
  emit months->activated(5);  // June, as the user picks it
  test::tick(w_, "tickMonat");
  QCOMPARE(s.Monat, 6.0f);
  QCOMPARE(s.MonatFremd, 1.0f);
  // Turning the month list off: back to December, the greyline again.
  period->click();
  QVERIFY(!months->isVisible());
  QVERIFY(test::ctl<QTimer>(w_, "tmrMonat")->isActive());
  test::tick(w_, "tickMonat");
  QCOMPARE(s.Monat, 12.0f);
  QCOMPARE(s.MonatFremd, 0.0f);
  QCOMPARE(months->currentIndex(), 11);
  QVERIFY(greyline->isEnabled());
}

QTEST_MAIN(ControlsTest)
#include "controls_uitest.moc"
