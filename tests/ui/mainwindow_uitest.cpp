// The desktop window: start-up, display modes, languages, months, the day
// check and the program end, run offscreen against a temporary program folder.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>

#include "files/programdir.h"
#include "files/settings.h"
#include "state/numtext.h"
#include "ui/mainwindow.h"

using namespace welvaro;
using welvaro::ui::MainWindow;

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
  void closeBoxSavesNothing();
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
  QCOMPARE(w.txtAktFrequenz->text(), QString(" 10.2 MHz"));
  QVERIFY(std::filesystem::exists(p(dir, "Welvaro.tab")));
  QCOMPARE(std::filesystem::file_size(p(dir, "Welvaro.tab")), std::uintmax_t{492580});
  QVERIFY(!w.mnuNaechsteStadt->isEnabled());  // no place list
  QCOMPARE(w.lblAnzeige->text(), QString("Welt-Welvaro"));
  QVERIFY(w.lblGeoAuswertung->text().startsWith(QString::fromUtf8("München (A:")));
  QVERIFY(w.lblWelvaroAnzeige->text().contains("Dezember 2026"));
  QVERIFY(w.tmrAnpassen.isActive());
  QVERIFY(w.tmrGenDarst.isActive());
  QVERIFY(w.tmrAktZeit.isActive());
  QVERIFY(!w.cmdDrucker->isEnabled());
  QVERIFY(!w.frmMonat->isVisibleTo(&w));
  // Only German and English are offered.
  int sichtbar = 0;
  for (QAction* a : w.mnuBeschriftung) sichtbar += a->isVisible();
  QCOMPARE(sichtbar, 2);
  QCOMPARE(w.mnuBeschriftung[1]->text(), QString("Inscription (english)"));
  // The first display generation puts the world map into the picture area.
  w.tickAnpassen();
  QCOMPARE(w.picDarstellung->picture().size(), QSize(541, 271));
  QCOMPARE(std::filesystem::file_size(p(dir, "WelvDar1.bmp")), std::uintmax_t{148502});
  QVERIFY(!w.imgWarten->isVisible());
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
  QCOMPARE(w.mnuDatei->title(), QString("&File"));
  QCOMPARE(w.mnuVorgaben->title(), QString("&Precondition"));
  QCOMPARE(w.mnuAnzeige->title(), QString("&Configure"));
  QCOMPARE(w.mnuHilfe->title(), QString("&Help"));
  QVERIFY(w.mnuBeschriftung[1]->isChecked());
  QVERIFY(!w.mnuBeschriftung[0]->isChecked());
  QCOMPARE(w.lblAnzeige->text(), QString("HF-Propagation World Wide"));
  QVERIFY(w.lblWelvaroAnzeige->text().startsWith("Forecast (50%) for"));
  QVERIFY(w.lblGeoAuswertung->text().startsWith("Berlin (A:"));
  QVERIFY(w.mnuNaechsteStadt->isEnabled());  // place list present
}

void MainWindowTest::modeSwitchesAndLevelOrField() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, true));
  w.starten();
  w.show();
  w.cmdGreyline->click();
  QCOMPARE(w.state().GreylineFlag, int16{1});
  QVERIFY(!w.picDarstellung->drawings().isEmpty());

  w.cmdOrt->click();
  State& s = w.state();
  QCOMPARE(s.Darstellung, 2.0f);
  QCOMPARE(s.GreylineFlag, int16{0});
  QVERIFY(!w.cmdGreyline->isEnabled());
  QVERIFY(w.cmdDrucker->isEnabled());
  QVERIFY(w.mnuDrucker->isEnabled());
  QVERIFY(w.mnuDarstellung2->isChecked() && !w.mnuDarstellung1->isChecked());
  QCOMPARE(w.picDarstellung->picture().size(), QSize(529, 271));
  QVERIFY(w.picDarstellung->zeitlinie.visible && w.picDarstellung->frequenzlinie.visible);
  QCOMPARE(w.picDarstellung->frequenzlinie.twips, 4050 - 135 * static_cast<double>(10.2f));
  QCOMPARE(w.lblAnzeige->text(), QString("Orts-Welvaro"));
  QCOMPARE(std::filesystem::file_size(p(dir, "WelvDar2.bmp")), std::uintmax_t{145250});

  // Field strength: regenerates at once and restarts the three-minute cycle.
  const QImage pegel = w.picDarstellung->picture();
  s.GenZaehler = 2;
  w.mnuFeldstaerke->trigger();
  QVERIFY(w.mnuFeldstaerke->isChecked() && !w.mnuPegel->isChecked());
  QCOMPARE(s.PegelFlag, int16{0});
  QCOMPARE(s.GenZaehler, int16{0});
  QVERIFY(w.picDarstellung->picture() != pegel);
  // The first two ticks do nothing, the third regenerates.
  w.tickGenDarst();
  w.tickGenDarst();
  QCOMPARE(s.GenZaehler, int16{2});
  w.tickGenDarst();
  QCOMPARE(s.GenZaehler, int16{0});

  w.cmdWelt->click();
  QCOMPARE(s.Darstellung, 1.0f);
  QVERIFY(w.cmdGreyline->isEnabled());
  QCOMPARE(s.GreylineFlag, int16{0});  // stays off until turned on
  QVERIFY(!w.cmdDrucker->isEnabled());
  QCOMPARE(w.picDarstellung->picture().size(), QSize(541, 271));
}

void MainWindowTest::languageSwitch() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 5, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  QVERIFY(w.lblWelvaroAnzeige->text().contains(QString::fromUtf8("für Mai 2026")));
  w.mnuBeschriftung[1]->trigger();
  QCOMPARE(w.state().L, int16{1});
  QCOMPARE(w.mnuDatei->title(), QString("&File"));
  QVERIFY(w.lblWelvaroAnzeige->text().contains("for May 2026"));
  QVERIFY(w.lblPegelAnzeige->text().startsWith("Field-Strength ="));
  QVERIFY(w.mnuBeschriftung[1]->isChecked() && !w.mnuBeschriftung[0]->isChecked());
  w.mnuBeschriftung[0]->trigger();
  QCOMPARE(w.mnuDatei->title(), QString("&Datei"));
  QCOMPARE(w.mnuAnzeige->title(), QString("D&arstellung"));
}

void MainWindowTest::monthChoice() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  State& s = w.state();
  const auto vorher = std::filesystem::last_write_time(p(dir, "Welvaro.tab"));
  // The month shown already: nothing is recomputed.
  w.cmbMonat->setCurrentIndex(11);
  w.tickMonat();
  QCOMPARE(s.Monat, 12.0f);
  QCOMPARE(std::filesystem::last_write_time(p(dir, "Welvaro.tab")), vorher);
  QVERIFY(!w.imgWarten->isVisible());

  w.cmbMonat->setCurrentIndex(5);
  w.tickMonat();
  QCOMPARE(s.Monat, 6.0f);
  QCOMPARE(s.MonatFremd, 1.0f);
  QVERIFY(!w.cmdGreyline->isEnabled());
  QVERIFY(w.lblPegelAnzeige->styleSheet().contains("255,0,0"));
  QVERIFY(w.lblWelvaroAnzeige->styleSheet().contains("255,0,0"));
  QCOMPARE(QString::fromStdString(s.TabMonat), QString("06"));

  w.cmbMonat->setCurrentIndex(11);
  w.tickMonat();
  QCOMPARE(s.MonatFremd, 0.0f);
  QVERIFY(w.cmdGreyline->isEnabled());
  QVERIFY(w.lblPegelAnzeige->styleSheet().contains("128,128,128"));
  QVERIFY(w.lblWelvaroAnzeige->styleSheet().contains("64,64,64"));
  QVERIFY(!w.frmMonat->isVisibleTo(&w));
}

void MainWindowTest::dayCheckRenewsTheTableAfterMidnight() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 23, 55, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  State& s = w.state();
  QCOMPARE(QString::fromStdString(s.TabTag), QString("342"));
  uhr.set({2026, 12, 9, 0, 1, 0});
  w.tickAktZeit();
  for (int i = 0; i < 9; ++i) w.tickTagesaktualisieren();
  QCOMPARE(QString::fromStdString(s.TabTag), QString("342"));  // not yet: every tenth tick
  w.tickTagesaktualisieren();
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
  w.cmdEnde->click();
  QVERIFY(!w.beendet());
  QVERIFY(!std::filesystem::exists(p(dir, "Welvaro.dat")));

  w.testAntwort = MainWindow::Antwort::Ok;
  w.mnuEnde->trigger();
  QVERIFY(w.beendet());
  const std::string dat = lies(p(dir, "Welvaro.dat"));
  QVERIFY(dat.find("\"Stationsort(B): Tokyo\"\r\n") != std::string::npos);
  QVERIFY(dat.find("\"Landessprache:  0\"\r\n") != std::string::npos);
  const std::string nachher = lies(p(dir, "Welvaro.tab"));
  QCOMPARE(nachher.size(), tabelle.size());
  QVERIFY(nachher == tabelle);  // header rewritten unchanged, blocks kept
}

void MainWindowTest::closeBoxSavesNothing() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 12, 8, 16, 5, 0});
  MainWindow w(uhr, ordner(dir, false));
  w.starten();
  w.show();
  w.close();
  QVERIFY(!std::filesystem::exists(p(dir, "Welvaro.dat")));
  QVERIFY(!w.tmrAktZeit.isActive());
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_uitest.moc"
