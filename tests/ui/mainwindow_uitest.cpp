// The desktop window: start-up, display modes, languages, months, the day
// check and the program end, run offscreen against a temporary program folder.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>

#include "files/programdir.h"
#include "files/settings.h"
#include "state/numtext.h"
#include "ui/dialogs.h"
#include "ui/helpviewer.h"
#include "ui/mainwindow.h"
#include "display/anzeige.h"
#include "ui/bildansicht.h"
#include "uitest.h"
#include "ui/sitzungsende.h"

using namespace welvaro;
using welvaro::ui::HelpViewer;
using welvaro::ui::MainWindow;
using welvaro::ui::beiSitzungsende;

namespace {

std::filesystem::path p(const QTemporaryDir& d, const char* name) {
  return std::filesystem::path(d.path().toStdString()) / name;
}

ProgramDirs ordner(const QTemporaryDir& d, bool mitDaten) {
  ProgramDirs dirs;
  dirs.writeDir = d.path().toStdString();
  dirs.dataDirs = {d.path().toStdString()};
  if (mitDaten)
    for (const char* f : {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat", "Ortsvorg.txt", "Welvaro.hlp"})
      QFile::copy(QString(WELVARO_DATA_DIR) + "/" + f, d.path() + "/" + f);
  return dirs;
}

std::string lies(const std::filesystem::path& f) {
  std::ifstream in(f, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startWithoutFilesGivesDefaultsAndATable();
  void startInEnglishFromTheSettingsFile();
  void modeSwitchesAndLevelOrField();
  void languageSwitch();
  void monthChoice();
  void dayCheckRenewsTheTableAfterMidnight();
  void endWithOkSavesAndCancelDoesNot();
  void closeBoxSavesWithoutAsking();
  void failedSaveAtTheCloseBoxIsShown();
  void sessionEndSaves();
  void everyTextFollowsTheLanguage();
  void scaleMarksStandOnThePicturesPixels();
  void projectionSavedPictureAndWindowAreRemembered();
};

void MainWindowTest::startWithoutFilesGivesDefaultsAndATable() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  const State& s = w.state();
  QCOMPARE(QString::fromStdString(s.OrtA), QString::fromUtf8("München"));
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Madrid"));
  QCOMPARE(s.AktFrequenz, 10.2f);
  QCOMPARE(test::ctl<QLineEdit>(w, "txtAktFrequenz")->text(), QString(" 10.2 MHz"));
  QVERIFY(std::filesystem::exists(p(dir, "Welvaro.tab")));
  QCOMPARE(std::filesystem::file_size(p(dir, "Welvaro.tab")), std::uintmax_t{492580});
  QVERIFY(!test::ctl<QAction>(w, "mnuNaechsteStadt")->isEnabled());  // no place list
  QCOMPARE(test::ctl<QLabel>(w, "lblAnzeige")->text(), QString("Welt-Welvaro"));
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().startsWith(QString::fromUtf8("München (A:")));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().contains("Dezember 2026"));
  // The first map is shown at once, not after a fixed wait.
  QVERIFY(!test::ctl<QTimer>(w, "tmrAnpassen")->isActive());
  QVERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisibleTo(&w));
  QVERIFY(std::filesystem::exists(p(dir, "WelvDar1.bmp")));
  QVERIFY(test::ctl<QTimer>(w, "tmrGenDarst")->isActive());
  QVERIFY(test::ctl<QTimer>(w, "tmrAktZeit")->isActive());
  QVERIFY(!test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
  QVERIFY(!test::ctl<QFrame>(w, "frmMonat")->isVisibleTo(&w));
  // German, English, Spanish and French are offered; the two German
  // variants are not.
  QStringList angeboten;
  for (int n = 0; n < 6; ++n)
    if (QAction* a = test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(n)); a->isVisible()) angeboten << a->text();
  QCOMPARE(angeboten, (QStringList{"Beschriftung (deutsch)", "Inscription (english)",
                                   QString::fromUtf8("Inscripción (español)"), QString::fromUtf8("Inscription (français)")}));
  QCOMPARE(std::filesystem::file_size(p(dir, "WelvDar1.bmp")), std::uintmax_t{148502});
  QVERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisible());
}

void MainWindowTest::startInEnglishFromTheSettingsFile() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  {
    auto s = std::make_unique<State>();
    s->L = 1;
    s->OrtA = "Berlin";
    QVERIFY(schreibeEinstellungen(*s, p(dir, "Welvaro.dat").string(), {2026, 12, 1}).ok());
  }
  MainWindow w(uhr, ordner(dir, true));
  w.starten();
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&File"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuVorgaben")->title(), QString("&Precondition"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuAnzeige")->title(), QString("&Configure"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuHilfe")->title(), QString("&Help"));
  QVERIFY(test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->isChecked());
  QVERIFY(!test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->isChecked());
  QCOMPARE(test::ctl<QLabel>(w, "lblAnzeige")->text(), QString("HF-Propagation World Wide"));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().startsWith("Forecast (50%) for"));
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().startsWith("Berlin (A:"));
  QVERIFY(test::ctl<QAction>(w, "mnuNaechsteStadt")->isEnabled());  // place list present
}

void MainWindowTest::modeSwitchesAndLevelOrField() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, true));
  w.starten();
  w.show();
  test::ctl<QToolButton>(w, "cmdGreyline")->click();
  QCOMPARE(w.state().GreylineFlag, int16{1});
  QVERIFY(anzeigeVon(w.state()).greyline);

  test::ctl<QToolButton>(w, "cmdOrt")->click();
  State& s = w.state();
  QCOMPARE(s.Darstellung, 2.0f);
  QCOMPARE(s.GreylineFlag, int16{0});
  QVERIFY(!test::ctl<QToolButton>(w, "cmdGreyline")->isEnabled());
  QVERIFY(test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
  QVERIFY(test::ctl<QAction>(w, "mnuDrucker")->isEnabled());
  QVERIFY(test::ctl<QAction>(w, "mnuDarstellung2")->isChecked() && !test::ctl<QAction>(w, "mnuDarstellung1")->isChecked());
  QCOMPARE(test::ctl<QLabel>(w, "lblAnzeige")->text(), QString("Orts-Welvaro"));
  QCOMPARE(std::filesystem::file_size(p(dir, "WelvDar2.bmp")), std::uintmax_t{145250});

  // Field strength: regenerates at once and restarts the three-minute cycle.
  auto* bild = test::ctl<ui::Bildansicht>(w, "picDarstellung");
  const QImage pegel = bild->bild();
  s.GenZaehler = 2;
  test::ctl<QAction>(w, "mnuFeldstaerke")->trigger();
  QVERIFY(test::ctl<QAction>(w, "mnuFeldstaerke")->isChecked() && !test::ctl<QAction>(w, "mnuPegel")->isChecked());
  QCOMPARE(s.PegelFlag, int16{0});
  QCOMPARE(s.GenZaehler, int16{0});
  QVERIFY(bild->bild() != pegel);
  // The first two ticks do nothing, the third regenerates.
  test::tick(w, "tickGenDarst");
  test::tick(w, "tickGenDarst");
  QCOMPARE(s.GenZaehler, int16{2});
  test::tick(w, "tickGenDarst");
  QCOMPARE(s.GenZaehler, int16{0});

  test::ctl<QToolButton>(w, "cmdWelt")->click();
  QCOMPARE(s.Darstellung, 1.0f);
  QVERIFY(test::ctl<QToolButton>(w, "cmdGreyline")->isEnabled());
  QCOMPARE(s.GreylineFlag, int16{0});  // stays off until turned on
  QVERIFY(!test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
}

void MainWindowTest::languageSwitch() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 5, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().contains(QString::fromUtf8("für Mai 2026")));
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  QCOMPARE(w.state().L, int16{1});
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&File"));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().contains("for May 2026"));
  QVERIFY(test::ctl<QLabel>(w, "lblPegelAnzeige")->text().startsWith("Field-Strength ="));
  QVERIFY(test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->isChecked() && !test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->isChecked());
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->trigger();
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&Datei"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuAnzeige")->title(), QString("D&arstellung"));
}

void MainWindowTest::monthChoice() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  State& s = w.state();
  const auto vorher = std::filesystem::last_write_time(p(dir, "Welvaro.tab"));
  // The month shown already: nothing is recomputed.
  test::ctl<QComboBox>(w, "cmbMonat")->setCurrentIndex(11);
  test::tick(w, "tickMonat");
  QCOMPARE(s.Monat, 12.0f);
  QCOMPARE(std::filesystem::last_write_time(p(dir, "Welvaro.tab")), vorher);
  QVERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisible());

  test::ctl<QComboBox>(w, "cmbMonat")->setCurrentIndex(5);
  test::tick(w, "tickMonat");
  QCOMPARE(s.Monat, 6.0f);
  QCOMPARE(s.MonatFremd, 1.0f);
  QVERIFY(!test::ctl<QToolButton>(w, "cmdGreyline")->isEnabled());
  QVERIFY(test::ctl<QLabel>(w, "lblPegelAnzeige")->styleSheet().contains("255,0,0"));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->styleSheet().contains("255,0,0"));
  QCOMPARE(QString::fromStdString(s.TabMonat), QString("06"));

  test::ctl<QComboBox>(w, "cmbMonat")->setCurrentIndex(11);
  test::tick(w, "tickMonat");
  QCOMPARE(s.MonatFremd, 0.0f);
  QVERIFY(test::ctl<QToolButton>(w, "cmdGreyline")->isEnabled());
  QVERIFY(test::ctl<QLabel>(w, "lblPegelAnzeige")->styleSheet().contains("128,128,128"));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->styleSheet().contains("64,64,64"));
  QVERIFY(!test::ctl<QFrame>(w, "frmMonat")->isVisibleTo(&w));
}

void MainWindowTest::dayCheckRenewsTheTableAfterMidnight() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 23, 55, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  State& s = w.state();
  QCOMPARE(QString::fromStdString(s.TabTag), QString("342"));
  uhr.set({2026, 12, 9, 0, 1, 0});
  test::tick(w, "tickAktZeit");
  for (int i = 0; i < 9; ++i) test::tick(w, "tickTagesaktualisieren");
  QCOMPARE(QString::fromStdString(s.TabTag), QString("342"));  // not yet: every tenth tick
  test::tick(w, "tickTagesaktualisieren");
  QCOMPARE(QString::fromStdString(s.TabTag), QString("343"));
  const std::string kopf = lies(p(dir, "Welvaro.tab")).substr(0, 7);
  QCOMPARE(QString::fromStdString(kopf), QString("12:343:"));
}

void MainWindowTest::endWithOkSavesAndCancelDoesNot() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  w.state().OrtB = "Tokyo";
  const std::string tabelle = lies(p(dir, "Welvaro.tab"));

  w.testAntwort = MainWindow::Antwort::Abbrechen;
  test::ctl<QToolButton>(w, "cmdEnde")->click();
  QVERIFY(!w.beendet());
  QVERIFY(!std::filesystem::exists(p(dir, "Welvaro.dat")));

  w.testAntwort = MainWindow::Antwort::Ok;
  test::ctl<QAction>(w, "mnuEnde")->trigger();
  QVERIFY(w.beendet());
  const std::string dat = lies(p(dir, "Welvaro.dat"));
  QVERIFY(dat.find("\"Stationsort(B): Tokyo\"\r\n") != std::string::npos);
  QVERIFY(dat.find("\"Landessprache:  0\"\r\n") != std::string::npos);
  const std::string nachher = lies(p(dir, "Welvaro.tab"));
  QCOMPARE(nachher.size(), tabelle.size());
  QVERIFY(nachher == tabelle);  // header rewritten unchanged, blocks kept
}

// The close box saves what the confirmed end saves, without asking: a
// station changed since the start is there at the next start.
void MainWindowTest::closeBoxSavesWithoutAsking() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  {
    MainWindow w(uhr, ordner(dir, false));
    w.starten();
    w.show();
    w.state().OrtB = "Tokyo";
    w.state().L = 3;
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(!test::ctl<QTimer>(w, "tmrAktZeit")->isActive());
  }
  QVERIFY(lies(p(dir, "Welvaro.dat")).find("\"Stationsort(B): Tokyo\"\r\n") != std::string::npos);
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  QCOMPARE(QString::fromStdString(w.state().OrtB), QString("Tokyo"));
  QCOMPARE(w.state().L, int16{3});
}

// A save that fails is shown; the user may keep the program open and lose
// nothing, or close all the same.
void MainWindowTest::failedSaveAtTheCloseBoxIsShown() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  w.show();
  QVERIFY(QDir(dir.path()).mkdir("Welvaro.dat"));  // the settings file cannot be written
  w.testAntwort = MainWindow::Antwort::Abbrechen;
  w.close();
  QVERIFY(w.isVisible());
  QVERIFY(w.letzteSchliessFrage.contains("Welvaro.dat"));
  QVERIFY(w.letzteSchliessFrage.contains("Welvaro trotzdem beenden?"));
  w.testAntwort = MainWindow::Antwort::Ok;
  w.close();
  QVERIFY(!w.isVisible());
}

// The end of the session (SIGTERM) closes the window in order and saves.
void MainWindowTest::sessionEndSaves() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  w.show();
  w.state().OrtA = "Sydney";
  beiSitzungsende(&w, [&w] { w.sitzungsEnde(); });
  ::raise(SIGTERM);
  QTRY_VERIFY(!w.isVisible());
  QVERIFY(lies(p(dir, "Welvaro.dat")).find("\"Stationsort(A): Sydney\"\r\n") != std::string::npos);
}

// Every text of the window follows the language, Qt's own buttons too.
void MainWindowTest::everyTextFollowsTheLanguage() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, true));
  w.starten();
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(0), QString("January"));
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(11), QString("December"));
  QCOMPARE(test::ctl<QAction>(w, "mnuWelvaroHilfe")->text(), QString("Welvaro Help"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuExtras")->title(), QString("E&xtras"));
  QCOMPARE(test::ctl<QAction>(w, "mnuInfo")->text(), QString("About"));
  QCOMPARE(w.dialogStationA()->windowTitle(), QString("Station [A]"));
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  QCOMPARE(w.dialogStationA()->windowTitle(), QString("Station [A]"));
  QCOMPARE(w.dialogStationA()->txtBreite->toolTip(), QString::fromUtf8("Latitude -90 … 90 or locator (JN58TD)"));
  w.dialogStationA()->close();
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));

  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(4))->trigger();  // French
  QCOMPARE(w.state().L, int16{4});
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(1), QString("Fevrier"));
  QCOMPARE(test::ctl<QAction>(w, "mnuWelvaroHilfe")->text(), QString("Aide de Welvaro"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));

  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->trigger();
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(2), QString::fromUtf8("März"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Ja"));

  // The help opens at the part of the user's language.
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  test::ctl<QAction>(w, "mnuWelvaroHilfe")->trigger();
  auto* hilfe = w.findChild<HelpViewer*>();
  QVERIFY(hilfe);
  QVERIFY(hilfe->shownSource().endsWith("#Contents"));
  QCOMPARE(hilfe->windowTitle(), QString("Welvaro Help"));
}

// The scales rendered as the user sees them: the mark of 0° longitude, of
// the equator, of 12:00 UTC and of 15 MHz stands on the picture's own pixel
// of that value, and the picture fills most of a large window.
void MainWindowTest::scaleMarksStandOnThePicturesPixels() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  w.resize(1920, 1050);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  // Usable on a small screen: the window can be made 1024 x 600.
  QVERIFY2(w.minimumSizeHint().width() <= 1024 && w.minimumSizeHint().height() <= 600,
           qPrintable(QString("%1 x %2").arg(w.minimumSizeHint().width()).arg(w.minimumSizeHint().height())));
  auto* ansicht = test::ctl<ui::Bildansicht>(w, "picDarstellung");
  // At least half the window is picture.
  const Rahmen r = ansicht->bildRahmen();
  const double dpr = ansicht->devicePixelRatioF();
  QVERIFY2(1.0 * r.breite * r.hoehe >= 0.5 * w.width() * w.height() * dpr * dpr,
           qPrintable(QString("%1 x %2 in %3 x %4").arg(r.breite).arg(r.hoehe).arg(w.width()).arg(w.height())));
  auto pruefe = [&](QPointF wert) {
    const QImage bild = ansicht->bild();
    const Rahmen b = ansicht->bildRahmen();
    const int x = static_cast<int>(wert.x() * bild.devicePixelRatio());
    const int y = static_cast<int>(wert.y() * bild.devicePixelRatio());
    const QRgb marke = bild.pixel(x, b.y + b.hoehe + 1);
    // Under the picture: the mark at the value's column, none beside it.
    QVERIFY(qGray(marke) < 80);
    QVERIFY(bild.pixel(x - 1, b.y + b.hoehe + 1) != marke);
    QVERIFY(bild.pixel(x + 1, b.y + b.hoehe + 1) != marke);
    // Left of the picture: the mark at the value's row.
    QVERIFY(qGray(bild.pixel(b.x - 2, y)) < 80);
    QVERIFY(bild.pixel(b.x - 2, y - 1) != bild.pixel(b.x - 2, y));
    QVERIFY(bild.pixel(b.x - 2, y + 1) != bild.pixel(b.x - 2, y));
  };
  pruefe(*ansicht->punktVon(Ort{0, 0}));  // 0° and the equator
  w.prgDarstellung2();
  pruefe(ansicht->chartPunkt(12, 15));  // 12:00 UTC and 15 MHz
}

// The azimuthal map is one click away and needs no new forecast; the view
// saves as a PNG of its own size; projection and window size are there at
// the next start.
void MainWindowTest::projectionSavedPictureAndWindowAreRemembered() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  {
    MainWindow w(uhr, ordner(dir, true));
    w.starten();
    w.resize(1200, 760);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* ansicht = test::ctl<ui::Bildansicht>(w, "picDarstellung");
    const auto tabelle = std::filesystem::last_write_time(p(dir, "Welvaro.tab"));
    test::ctl<QToolButton>(w, "cmdAzimutal")->click();
    QCOMPARE(ansicht->projektion(), Projektion::Azimutal);
    QVERIFY(test::ctl<QAction>(w, "mnuAzimutal")->isChecked());
    QCOMPARE(std::filesystem::last_write_time(p(dir, "Welvaro.tab")), tabelle);
    // Over Madrid the read-out gives bearing and distance from München.
    const auto madrid = ansicht->punktVon(Ort{40.4, -3.7});
    QVERIFY(madrid);
    QVERIFY(w.prgCursorBewegt(*madrid));
    QVERIFY(test::ctl<QLabel>(w, "lblPeilung")->text().contains("Distanz: 14"));

    w.testBildDatei = QString::fromStdString(p(dir, "Karte.png").string());
    test::ctl<QAction>(w, "mnuBildSpeichern")->trigger();
    const QImage gespeichert(w.testBildDatei);
    QCOMPARE(gespeichert.size(), ansicht->size() * ansicht->devicePixelRatioF());
    w.close();
  }
  QVERIFY(lies(p(dir, "WelvaroFenster.ini")).find("projektion=1") != std::string::npos);
  MainWindow w(uhr, ordner(dir, true));
  w.starten();
  QCOMPARE(test::ctl<ui::Bildansicht>(w, "picDarstellung")->projektion(), Projektion::Azimutal);
  QCOMPARE(w.size(), QSize(1200, 760));
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_uitest.moc"
