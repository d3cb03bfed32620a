// The station dialogs with names and locators as people give them: a name
// several places bear taken as the largest by far, with a hint saying which
// (and the dialog open until the user confirms it), and station A from a
// locator kept as entered when the dialog opens again.
#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include "files/programdir.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::InputDialog;
using welvaro::ui::MainWindow;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "Ortsvorg.txt", "Orte.dat"});
}

void enter(QLineEdit* box, const QString& text) { test::enterText(box, text, false); }

constexpr int kComputeTime = 120000;  // a table regeneration, in the sanitizer build too

}  // namespace

class PlaceNamesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aNameOfSeveralPlacesSaysWhichItTook();
  void stationAFromALocatorOpensAsEntered();
};

void PlaceNamesWindowTest::aNameOfSeveralPlacesSaysWhichItTook() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  State& s = w.state();
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();  // English
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  auto* d = w.stationBDialog();
  enter(d->txtOrt, "St. Petersburg");
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  // Filled with the Russian city, and the dialog says so and stays open.
  QVERIFY(d->isVisible());
  QCOMPARE(d->txtOrt->text(), QString("Saint Petersburg"));
  QCOMPARE(d->txtBreite->text(), QString(" 59.93863"));
  QCOMPARE(d->txtLaenge->text(), QString(" 30.31413"));
  QVERIFY2(d->lblHinweis->text().startsWith("Taken: Saint Petersburg, RU (59.93863, 30.31413), by far the largest of "),
           qPrintable(d->lblHinweis->text()));
  QVERIFY(!test::ctl<QTimer>(w, "tmrSetzePunkt")->isActive());
  // The next OK keeps it.
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Saint Petersburg"));
  QCOMPARE(s.OrtX2, 59.93863f);
  QVERIFY(test::ctl<QTimer>(w, "tmrSetzePunkt")->isActive());
  QTRY_VERIFY_WITH_TIMEOUT(!test::ctl<QTimer>(w, "tmrSetzePunkt")->isActive(), kComputeTime);

  // With its country the name is the one place: OK closes at once.
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  enter(d->txtOrt, "St. Petersburg, US");
  QTest::mouseClick(d->cmdStationB, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(QString::fromStdString(s.OrtB), QString("St. Petersburg"));
  QCOMPARE(s.OrtX2, 27.77086f);
}

void PlaceNamesWindowTest::stationAFromALocatorOpensAsEntered() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  auto* d = w.stationADialog();
  enter(d->txtBreite, "IO91WM");
  QTest::keyClick(d->txtBreite, Qt::Key_Return);
  QCOMPARE(d->txtBreite->text(), QString(" 51.5208333333333"));
  QCOMPARE(d->txtLaenge->text(), QString("-.125"));
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive() &&
                               !test::ctl<QLabel>(w, "imgWarten")->isVisible(),
                           kComputeTime);
  // The point result computed from the tenth; shown and opened as entered.
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().contains("(A: 51.5 N .2 W)"));
  QVERIFY2(test::ctl<QLabel>(w, "lblStationsLocator")->text().contains("IO91WM (A)"),
           qPrintable(test::ctl<QLabel>(w, "lblStationsLocator")->text()));
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  QCOMPARE(d->txtBreite->text(), QString(" 51.5208333333333"));
  QCOMPARE(d->txtLaenge->text(), QString("-.125"));
  QCOMPARE(d->lblLocatorAnzeige->text(), QString("Locator: IO91WM"));
}

QTEST_MAIN(PlaceNamesWindowTest)
#include "placenames_uitest.moc"
