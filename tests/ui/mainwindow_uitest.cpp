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
#include "ui/picturearea.h"
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
    for (const char* f : {"MapWelt.dat", "MapOrt.dat", "Ortsvorg.txt", "Welvaro.hlp"})
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
  QCOMPARE(test::ctl<ui::PictureArea>(w, "picDarstellung")->picture().size(), QSize(541, 271));
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
    QCOMPARE(schreibeEinstellungen(*s, p(dir, "Welvaro.dat").string(), {2026, 12, 1}), 0);
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
  QVERIFY(!test::ctl<ui::PictureArea>(w, "picDarstellung")->drawings().isEmpty());

  test::ctl<QToolButton>(w, "cmdOrt")->click();
  State& s = w.state();
  QCOMPARE(s.Darstellung, 2.0f);
  QCOMPARE(s.GreylineFlag, int16{0});
  QVERIFY(!test::ctl<QToolButton>(w, "cmdGreyline")->isEnabled());
  QVERIFY(test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
  QVERIFY(test::ctl<QAction>(w, "mnuDrucker")->isEnabled());
  QVERIFY(test::ctl<QAction>(w, "mnuDarstellung2")->isChecked() && !test::ctl<QAction>(w, "mnuDarstellung1")->isChecked());
  QCOMPARE(test::ctl<ui::PictureArea>(w, "picDarstellung")->picture().size(), QSize(529, 271));
  QVERIFY(test::ctl<ui::PictureArea>(w, "picDarstellung")->zeitlinie.visible && test::ctl<ui::PictureArea>(w, "picDarstellung")->frequenzlinie.visible);
  QCOMPARE(test::ctl<ui::PictureArea>(w, "picDarstellung")->frequenzlinie.twips, 4050 - 135 * static_cast<double>(10.2f));
  QCOMPARE(test::ctl<QLabel>(w, "lblAnzeige")->text(), QString("Orts-Welvaro"));
  QCOMPARE(std::filesystem::file_size(p(dir, "WelvDar2.bmp")), std::uintmax_t{145250});

  // Field strength: regenerates at once and restarts the three-minute cycle.
  const QImage pegel = test::ctl<ui::PictureArea>(w, "picDarstellung")->picture();
  s.GenZaehler = 2;
  test::ctl<QAction>(w, "mnuFeldstaerke")->trigger();
  QVERIFY(test::ctl<QAction>(w, "mnuFeldstaerke")->isChecked() && !test::ctl<QAction>(w, "mnuPegel")->isChecked());
  QCOMPARE(s.PegelFlag, int16{0});
  QCOMPARE(s.GenZaehler, int16{0});
  QVERIFY(test::ctl<ui::PictureArea>(w, "picDarstellung")->picture() != pegel);
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
  QCOMPARE(test::ctl<ui::PictureArea>(w, "picDarstellung")->picture().size(), QSize(541, 271));
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
// of that value (column 270 / row 135 of the map, column 264 / row 135 of
// the chart), and the outermost labels are not cut.
void MainWindowTest::scaleMarksStandOnThePicturesPixels() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  const QColor marke(60, 60, 60);
  auto pruefe = [&](int spalte, int zeile) {
    const QImage bild = w.grab().toImage();
    const QPoint ecke = test::ctl<ui::PictureArea>(w, "picDarstellung")->mapTo(&w, QPoint(0, 0));
    const qreal dpr = bild.devicePixelRatio();
    auto farbe = [&](int x, int y) { return QColor(bild.pixel(int(x * dpr), int(y * dpr))); };
    // Under the picture: the long mark at the column, none beside it.
    const int unten = ecke.y() + test::ctl<ui::PictureArea>(w, "picDarstellung")->height() + 2;
    QCOMPARE(farbe(ecke.x() + spalte, unten), marke);
    QVERIFY(farbe(ecke.x() + spalte - 1, unten) != marke);
    QVERIFY(farbe(ecke.x() + spalte + 1, unten) != marke);
    // Left of the picture: the mark at the row.
    const int links = ecke.x() - 2;
    QCOMPARE(farbe(links, ecke.y() + zeile), marke);
    QVERIFY(farbe(links, ecke.y() + zeile - 1) != marke);
    QVERIFY(farbe(links, ecke.y() + zeile + 1) != marke);
  };
  pruefe(270, 135);  // 0° and the equator
  // The last label ("180°") lies inside the window and its scale.
  auto* skala = w.findChild<QWidget*>("imgScala180_24");
  QVERIFY(skala);
  const QFontMetrics fm(skala->font());
  QVERIFY(skala->mapTo(&w, QPoint(0, 0)).x() + skala->width() >=
          test::ctl<ui::PictureArea>(w, "picDarstellung")->mapTo(&w, QPoint(0, 0)).x() + 540 + fm.horizontalAdvance(QString::fromUtf8("180°")) / 2);
  w.prgDarstellung2();
  pruefe(264, 135);  // 12:00 UTC and 15 MHz
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_uitest.moc"
