// The desktop window: start-up, display modes, languages, months, the day
// check and the program end, run offscreen against a temporary program folder.
#include <QStatusBar>
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QProgressBar>
#include <QTemporaryDir>
#include <algorithm>
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
#include "display/window_state.h"
#include "ui/picture_view.h"
#include "uitest.h"
#include "ui/session_end.h"
#include "ui/smeterscale.h"
#include "display/smeter.h"

using namespace welvaro;
using welvaro::ui::HelpViewer;
using welvaro::ui::MainWindow;
using welvaro::ui::onSessionEnd;

namespace {

std::filesystem::path p(const QTemporaryDir& d, const char* name) {
  return std::filesystem::path(d.path().toStdString()) / name;
}

ProgramDirs folder(const QTemporaryDir& d, bool withData) {
  if (!withData) return test::programFolder(d);
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat", "Ortsvorg.txt", "Welvaro.hlp"});
}

std::string read(const std::filesystem::path& f) { return test::fileBytes(f); }

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
  void smeterMarksStandWhereTheFillEnds();
  void projectionSavedPictureAndWindowAreRemembered();
  void storedWindowSizeIsHeldToTheScreen();
};

void MainWindowTest::startWithoutFilesGivesDefaultsAndATable() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
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
  // Sunrise and sunset at München and Madrid on 8 December (UTC).
  QCOMPARE(test::ctl<QLabel>(w, "lblSunTimes")->text(),
           QString("Sonne bei A: auf 06:51, unter 15:21 UTC\nSonne bei B: auf 07:25, unter 16:48 UTC"));
  // The first map is shown at once, not after a fixed wait.
  QVERIFY(!test::ctl<QTimer>(w, "tmrAnpassen")->isActive());
  QVERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisibleTo(&w));
  QVERIFY(std::filesystem::exists(p(dir, "WelvDar1.bmp")));
  QVERIFY(test::ctl<QTimer>(w, "tmrGenDarst")->isActive());
  QVERIFY(test::ctl<QTimer>(w, "tmrAktZeit")->isActive());
  QVERIFY(!test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
  QVERIFY(!test::ctl<QFrame>(w, "frmMonat")->isVisibleTo(&w));
  // German, English, Spanish and French are offered, each by its own name;
  // the two German variants are not.
  QStringList offered;
  for (int n = 0; n < 6; ++n)
    if (QAction* a = test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(n)); a->isVisible()) offered << a->text();
  QCOMPARE(offered,
           (QStringList{"Deutsch", "English", QString::fromUtf8("Español"), QString::fromUtf8("Français")}));
  QCOMPARE(std::filesystem::file_size(p(dir, "WelvDar1.bmp")), std::uintmax_t{148502});
  QVERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisible());
}

void MainWindowTest::startInEnglishFromTheSettingsFile() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  {
    auto s = std::make_unique<State>();
    s->L = 1;
    s->OrtA = "Berlin";
    QVERIFY(writeSettings(*s, p(dir, "Welvaro.dat").string(), {2026, 12, 1}).ok());
  }
  MainWindow w(clock, folder(dir, true));
  w.start();
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&File"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuVorgaben")->title(), QString("&Settings"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuAnzeige")->title(), QString("&View"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuHilfe")->title(), QString("&Help"));
  QVERIFY(test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->isChecked());
  QVERIFY(!test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->isChecked());
  QCOMPARE(test::ctl<QLabel>(w, "lblAnzeige")->text(), QString("Worldwide forecast"));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().startsWith("Forecast (50%) for"));
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().startsWith("Berlin (A:"));
  QVERIFY(test::ctl<QAction>(w, "mnuNaechsteStadt")->isEnabled());  // place list present
}

void MainWindowTest::modeSwitchesAndLevelOrField() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, true));
  w.start();
  w.show();
  test::ctl<QToolButton>(w, "cmdGreyline")->click();
  QCOMPARE(w.state().GreylineFlag, int16{1});
  QVERIFY(windowStateOf(w.state()).greyline);

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
  auto* picture = test::ctl<ui::PictureView>(w, "picDarstellung");
  const QImage level = picture->picture();
  s.GenZaehler = 2;
  test::ctl<QAction>(w, "mnuFeldstaerke")->trigger();
  QVERIFY(test::ctl<QAction>(w, "mnuFeldstaerke")->isChecked() && !test::ctl<QAction>(w, "mnuPegel")->isChecked());
  QCOMPARE(s.PegelFlag, int16{0});
  QCOMPARE(s.GenZaehler, int16{0});
  QVERIFY(picture->picture() != level);
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
  FixedClock clock({2026, 5, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().contains(QString::fromUtf8("für Mai 2026")));
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  QCOMPARE(w.state().L, int16{1});
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&File"));
  QVERIFY(test::ctl<QLabel>(w, "lblWelvaroAnzeige")->text().contains("for May 2026"));
  QVERIFY(test::ctl<QLabel>(w, "lblPegelAnzeige")->text().startsWith("Field strength ="));
  QVERIFY(test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->isChecked() && !test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->isChecked());
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->trigger();
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&Datei"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuAnzeige")->title(), QString("D&arstellung"));
}

void MainWindowTest::monthChoice() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  State& s = w.state();
  const auto before = std::filesystem::last_write_time(p(dir, "Welvaro.tab"));
  // The month shown already: nothing is recomputed.
  test::ctl<QComboBox>(w, "cmbMonat")->setCurrentIndex(11);
  test::tick(w, "tickMonat");
  QCOMPARE(s.Monat, 12.0f);
  QCOMPARE(std::filesystem::last_write_time(p(dir, "Welvaro.tab")), before);
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
  FixedClock clock({2026, 12, 8, 23, 55, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  State& s = w.state();
  QCOMPARE(QString::fromStdString(s.TabTag), QString("342"));
  clock.set({2026, 12, 9, 0, 1, 0});
  test::tick(w, "tickAktZeit");
  for (int i = 0; i < 9; ++i) test::tick(w, "tickTagesaktualisieren");
  QCOMPARE(QString::fromStdString(s.TabTag), QString("342"));  // not yet: every tenth tick
  test::tick(w, "tickTagesaktualisieren");
  QCOMPARE(QString::fromStdString(s.TabTag), QString("343"));
  const std::string head = read(p(dir, "Welvaro.tab")).substr(0, 7);
  QCOMPARE(QString::fromStdString(head), QString("12:343:"));
}

void MainWindowTest::endWithOkSavesAndCancelDoesNot() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  w.state().OrtB = "Tokyo";
  const std::string table = read(p(dir, "Welvaro.tab"));

  test::ScriptedDialogs& answers = test::scriptDialogs(w);
  test::ctl<QToolButton>(w, "cmdEnde")->click();
  QVERIFY(!w.ended());
  QVERIFY(!std::filesystem::exists(p(dir, "Welvaro.dat")));

  answers.accept = true;
  test::ctl<QAction>(w, "mnuEnde")->trigger();
  QVERIFY(w.ended());
  const std::string dat = read(p(dir, "Welvaro.dat"));
  QVERIFY(dat.find("\"Stationsort(B): Tokyo\"\r\n") != std::string::npos);
  QVERIFY(dat.find("\"Landessprache:  0\"\r\n") != std::string::npos);
  const std::string after = read(p(dir, "Welvaro.tab"));
  QCOMPARE(after.size(), table.size());
  QVERIFY(after == table);  // header rewritten unchanged, blocks kept
}

// The close box saves what the confirmed end saves, without asking: a
// station changed since the start is there at the next start.
void MainWindowTest::closeBoxSavesWithoutAsking() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  {
    MainWindow w(clock, folder(dir, false));
    w.start();
    w.show();
    w.state().OrtB = "Tokyo";
    w.state().L = 3;
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(!test::ctl<QTimer>(w, "tmrAktZeit")->isActive());
  }
  QVERIFY(read(p(dir, "Welvaro.dat")).find("\"Stationsort(B): Tokyo\"\r\n") != std::string::npos);
  MainWindow w(clock, folder(dir, false));
  w.start();
  QCOMPARE(QString::fromStdString(w.state().OrtB), QString("Tokyo"));
  QCOMPARE(w.state().L, int16{3});
}

// A save that fails is shown; the user may keep the program open and lose
// nothing, or close all the same.
void MainWindowTest::failedSaveAtTheCloseBoxIsShown() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  w.show();
  QVERIFY(QDir(dir.path()).mkdir("Welvaro.dat"));  // the settings file cannot be written
  test::ScriptedDialogs& answers = test::scriptDialogs(w);
  w.close();
  QVERIFY(w.isVisible());
  QVERIFY(answers.asked.last().contains("Welvaro.dat"));
  QVERIFY(answers.asked.last().contains("Welvaro trotzdem beenden?"));
  answers.accept = true;
  w.close();
  QVERIFY(!w.isVisible());
}

// The end of the session (SIGTERM) closes the window in order and saves.
void MainWindowTest::sessionEndSaves() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  w.show();
  w.state().OrtA = "Sydney";
  onSessionEnd(&w, [&w] { w.endSession(); });
  ::raise(SIGTERM);
  QTRY_VERIFY(!w.isVisible());
  QVERIFY(read(p(dir, "Welvaro.dat")).find("\"Stationsort(A): Sydney\"\r\n") != std::string::npos);
}

// Every text of the window follows the language, Qt's own buttons too.
void MainWindowTest::everyTextFollowsTheLanguage() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, true));
  w.start();
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(0), QString("January"));
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(11), QString("December"));
  QCOMPARE(test::ctl<QAction>(w, "mnuWelvaroHilfe")->text(), QString("Welvaro Help"));
  QCOMPARE(test::ctl<QMenu>(w, "mnuExtras")->title(), QString("&Options"));
  QCOMPARE(test::ctl<QAction>(w, "mnuInfo")->text(), QString("About"));
  QCOMPARE(w.stationADialog()->windowTitle(), QString("Station [A]"));
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  QCOMPARE(w.stationADialog()->windowTitle(), QString("Station [A]"));
  QCOMPARE(w.stationADialog()->txtBreite->toolTip(), QString::fromUtf8("Latitude -90 … 90 or locator (JN58TD)"));
  w.stationADialog()->close();
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));

  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(4))->trigger();  // French
  QCOMPARE(w.state().L, int16{4});
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(1), QString::fromUtf8("février"));
  QCOMPARE(test::ctl<QAction>(w, "mnuWelvaroHilfe")->text(), QString("Aide de Welvaro"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));

  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(0))->trigger();
  QCOMPARE(test::ctl<QComboBox>(w, "cmbMonat")->itemText(2), QString::fromUtf8("März"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Ja"));

  // The help opens at the part of the user's language.
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  test::ctl<QAction>(w, "mnuWelvaroHilfe")->trigger();
  auto* help = w.findChild<HelpViewer*>();
  QVERIFY(help);
  QVERIFY(help->shownSource().endsWith("#Contents"));
  QCOMPARE(help->windowTitle(), QString("Welvaro Help"));
}

// The scales rendered as the user sees them: the mark of 0° longitude, of
// the equator, of 12:00 UTC and of 15 MHz stands on the picture's own pixel
// of that value, and the picture fills most of a large window.
void MainWindowTest::scaleMarksStandOnThePicturesPixels() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  w.resize(1920, 1050);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  // Usable on a small screen: the window can be made 1024 x 600.
  QVERIFY2(w.minimumSizeHint().width() <= 1024 && w.minimumSizeHint().height() <= 600,
           qPrintable(QString("%1 x %2").arg(w.minimumSizeHint().width()).arg(w.minimumSizeHint().height())));
  auto* view = test::ctl<ui::PictureView>(w, "picDarstellung");
  // Nearly half the window is picture: the text panel, the scales and the
  // colour bar with its dBm and S-unit columns take the rest.
  const Rect r = view->pictureRect();
  const double dpr = view->devicePixelRatioF();
  QVERIFY2(1.0 * r.width * r.height >= 0.47 * w.width() * w.height() * dpr * dpr,
           qPrintable(QString("%1 x %2 in %3 x %4").arg(r.width).arg(r.height).arg(w.width()).arg(w.height())));
  auto check = [&](QPointF value) {
    const QImage picture = view->picture();
    const Rect b = view->pictureRect();
    const int x = static_cast<int>(value.x() * picture.devicePixelRatio());
    const int y = static_cast<int>(value.y() * picture.devicePixelRatio());
    const QRgb mark = picture.pixel(x, b.y + b.height + 1);
    // Under the picture: the mark at the value's column, none beside it.
    QVERIFY(qGray(mark) < 80);
    QVERIFY(picture.pixel(x - 1, b.y + b.height + 1) != mark);
    QVERIFY(picture.pixel(x + 1, b.y + b.height + 1) != mark);
    // Left of the picture: the mark at the value's row.
    QVERIFY(qGray(picture.pixel(b.x - 2, y)) < 80);
    QVERIFY(picture.pixel(b.x - 2, y - 1) != picture.pixel(b.x - 2, y));
    QVERIFY(picture.pixel(b.x - 2, y + 1) != picture.pixel(b.x - 2, y));
  };
  check(*view->pointOf(GeoPoint{0, 0}));  // 0° and the equator
  w.prgDarstellung2();
  check(view->chartPoint(12, 15));  // 12:00 UTC and 15 MHz
}

// The S-meter's scale as the user sees it: every mark stands on the pixel
// where the bar's fill ends for its value, at the bar's own width and at
// two others (the scale follows the bar), and -106 dBm ends between "3"
// and "5".
void MainWindowTest::smeterMarksStandWhereTheFillEnds() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir, false));
  w.start();
  auto* bar = test::ctl<QProgressBar>(w, "pobSmeter");
  auto* scale = test::ctl<ui::SmeterScale>(w, "smeterScale");
  w.resize(1280, 900);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  for (const int width : {0, 180, 400}) {
    if (width > 0) bar->setFixedWidth(width);
    QApplication::processEvents();
    if (width > 0) QCOMPARE(bar->width(), width);
    const int barX = bar->mapTo(&w, QPoint(0, 0)).x(), scaleX = scale->mapTo(&w, QPoint(0, 0)).x();
    // The ticks: the dark pixels of the scale's top row, in window columns.
    const QImage picture = scale->grab().toImage();
    std::vector<int> ticks;
    for (int x = 0; x < picture.width(); ++x)
      if (qGray(picture.pixel(x, 1)) < 128) ticks.push_back(scaleX + x);
    const std::vector<SmeterMark> marks = smeterMarks(scale->fillWidth());
    QCOMPARE(ticks.size(), marks.size());
    // Where the fill ends for a value: the first pixel of the bar's middle
    // row that shows its empty background, in window columns.
    const auto fillEnd = [&](int value) {
      bar->setValue(value);
      const QImage b = bar->grab().toImage();
      for (int x = 1; x < b.width(); ++x)
        if (b.pixel(x, b.height() / 2) == qRgb(0x20, 0x20, 0x20)) return barX + x;
      return barX + b.width();
    };
    for (std::size_t i = 0; i < marks.size(); ++i) {
      const int end = fillEnd(marks[i].value);
      QVERIFY2(std::abs(end - ticks[i]) <= 1, qPrintable(QString("%1: fill ends at %2, tick at %3")
                                                              .arg(QString::fromStdString(marks[i].text))
                                                              .arg(end)
                                                              .arg(ticks[i])));
    }
    const int end = fillEnd(-106 + 127);
    QVERIFY(end > ticks[1] && end < ticks[2]);
  }
}

// The azimuthal map is one click away and needs no new forecast; the view
// saves as a PNG of its own size; projection and window size are there at
// the next start.
void MainWindowTest::projectionSavedPictureAndWindowAreRemembered() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  // A size the screen has room for (the test screen may be small).
  const QSize size = QSize(1200, 760).boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size());
  {
    MainWindow w(clock, folder(dir, true));
    w.start();
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* view = test::ctl<ui::PictureView>(w, "picDarstellung");
    const auto table = std::filesystem::last_write_time(p(dir, "Welvaro.tab"));
    test::ctl<QToolButton>(w, "cmdAzimutal")->click();
    QCOMPARE(view->projection(), Projection::Azimuthal);
    QVERIFY(test::ctl<QAction>(w, "mnuAzimutal")->isChecked());
    QCOMPARE(std::filesystem::last_write_time(p(dir, "Welvaro.tab")), table);
    // Over Madrid the read-out gives bearing and distance from München.
    const auto madrid = view->pointOf(GeoPoint{40.4, -3.7});
    QVERIFY(madrid);
    QVERIFY(w.prgCursorBewegt(*madrid));
    QVERIFY(test::ctl<QLabel>(w, "lblPeilung")->text().contains("Distanz: 14"));

    test::ScriptedDialogs& answers = test::scriptDialogs(w);
    answers.accept = true;
    answers.file = QString::fromStdString(p(dir, "Karte.png").string());
    test::ctl<QAction>(w, "mnuBildSpeichern")->trigger();
    const QImage saved(answers.file);
    QCOMPARE(saved.size(), view->size() * view->devicePixelRatioF());
    // Copying says so in the status line.
    test::ctl<QAction>(w, "mnuBildKopieren")->trigger();
    QCOMPARE(w.statusBar()->currentMessage(), QString("Bild in die Zwischenablage kopiert."));
    w.close();
  }
  QVERIFY(read(p(dir, "WelvaroFenster.ini")).find("projektion=1") != std::string::npos);
  MainWindow w(clock, folder(dir, true));
  w.start();
  QCOMPARE(test::ctl<ui::PictureView>(w, "picDarstellung")->projection(), Projection::Azimuthal);
  QCOMPARE(w.size(), size);
}

// Preferences cannot stop the program starting: a size larger than the
// screen is held to its free area, one no screen could have gives the
// window's own start size.
void MainWindowTest::storedWindowSizeIsHeldToTheScreen() {
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    const char* text;
    bool ownSize;  // the window's own start size
  } cases[] = {
      {"x=0\ny=0\nbreite=16000\nhoehe=16000\n", false},
      {"x=-50\ny=-50\nbreite=16384\nhoehe=300\n", false},
      {"x=0\ny=0\nbreite=100000\nhoehe=100000\n", true},
  };
  QSize startSize;
  {
    QTemporaryDir dir;
    MainWindow w(clock, folder(dir, false));
    w.start();
    startSize = w.size();
  }
  for (const Case& c : cases) {
    QTemporaryDir dir;
    QFile prefs(dir.filePath("WelvaroFenster.ini"));
    QVERIFY(prefs.open(QIODevice::WriteOnly));
    prefs.write(c.text);
    prefs.close();
    MainWindow w(clock, folder(dir, false));
    w.start();
    QVERIFY2(w.width() <= std::max(area.width(), w.minimumSizeHint().width()), c.text);
    QVERIFY2(w.height() <= std::max(area.height(), w.minimumSizeHint().height()), c.text);
    if (c.ownSize) QCOMPARE(w.size(), startSize);
    QVERIFY2(area.contains(w.pos()), c.text);
  }
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_uitest.moc"
