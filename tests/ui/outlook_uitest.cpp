// Will my mode get through, in the window: the outlook as the third display
// quantity, the mode from the tool bar, mode and noise in the conditions
// dialog, the outlook line and the bands, the cursor read-out, and the
// choices kept over a restart. Run offscreen against a temporary program
// folder, on 8 December 2026 at 15:05 UTC, München to Madrid at 10.2 MHz.
#include <QtTest>

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <set>

#include "display/outlookview.h"
#include "files/programdir.h"
#include "ui/band_panel.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"
#include "ui/outlook_controls.h"
#include "ui/picture_view.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::BandPanel;
using welvaro::ui::MainWindow;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat", "MapLand.dat", "Ortsvorg.txt"});
}

std::string read(const QTemporaryDir& d, const char* name) { return test::fileBytes(d, name); }

// The colour table of a bitmap file the window wrote (after the 54-byte headers).
std::string palette(const QTemporaryDir& d, const char* name) { return read(d, name).substr(54, 1024); }

ui::PictureView* view(MainWindow& w) { return test::ctl<ui::PictureView>(w, "picDarstellung"); }
BandPanel* bands(MainWindow& w) { return test::ctl<BandPanel>(w, "frmBaender"); }
QString text(MainWindow& w, const char* label) { return test::ctl<QLabel>(w, label)->text(); }
QString u(const char* s) { return QString::fromUtf8(s); }

// Whether the picture holds every class colour (the legend shows all four).
bool holdsEveryClassColour(const QImage& picture) {
  std::set<QRgb> found;
  const QImage im = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) found.insert(im.pixel(x, y) | 0xFF000000u);
  for (Outlook o : {Outlook::Good, Outlook::Fair, Outlook::Poor, Outlook::Closed}) {
    const OutlookColour c = outlookColour(o);
    if (!found.count(qRgb(c.red, c.green, c.blue))) return false;
  }
  return true;
}

struct Checks {
  bool level, field, outlook;
};
Checks checks(MainWindow& w) {
  return {test::ctl<QAction>(w, "mnuPegel")->isChecked(), test::ctl<QAction>(w, "mnuFeldstaerke")->isChecked(),
          test::ctl<QAction>(w, "mnuAussicht")->isChecked()};
}

}  // namespace

class OutlookTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void quantitySwitchRedrawsAndIsExclusive();
  void modeFromTheToolBarByKeyboard();
  void conditionsDialogWritesModeAndNoise_data();
  void conditionsDialogWritesModeAndNoise();
  void pointLineBandsAndBestBand();
  void cursorNamesTheClass();
  void choicesSurviveARestart();

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<FixedClock> clock_;
  std::unique_ptr<MainWindow> w_;
};

void OutlookTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  clock_ = std::make_unique<FixedClock>(DateTime{2026, 12, 8, 16, 5, 0});
  w_ = std::make_unique<MainWindow>(*clock_, folder(*dir_));
  w_->start();
  w_->show();
}

void OutlookTest::cleanup() {
  w_.reset();
  dir_.reset();
}

void OutlookTest::quantitySwitchRedrawsAndIsExclusive() {
  MainWindow& w = *w_;
  State& s = w.state();
  auto* button = test::ctl<QToolButton>(w, "cmdAussicht");
  QCOMPARE(button->accessibleName(), QString("Aussicht (FT8)"));
  QCOMPARE(button->toolTip(), QString("Aussicht (FT8)"));
  QVERIFY(button->focusPolicy() & Qt::TabFocus);
  QCOMPARE(test::ctl<QAction>(w, "mnuAussicht")->text(), QString("Aussicht (FT8)"));
  QVERIFY(!button->isChecked());
  const QImage levelMap = view(w)->picture();
  const std::string levelPalette = palette(*dir_, "WelvDar1.bmp");
  QVERIFY(!holdsEveryClassColour(levelMap));

  button->click();
  QCOMPARE(s.OutlookFlag, int16{1});
  QVERIFY(button->isChecked());
  QVERIFY(test::ctl<QTimer>(w, "tmrGenDarst")->isActive());
  // The map and its bitmap file are drawn anew in the class colours, the
  // legend in the colour bar's place.
  const QImage outlookMap = view(w)->picture();
  QVERIFY(outlookMap != levelMap);
  QVERIFY(holdsEveryClassColour(outlookMap));
  QVERIFY(palette(*dir_, "WelvDar1.bmp") == outlookPalette());
  QVERIFY(levelPalette != outlookPalette());

  // The chart too.
  test::ctl<QAction>(w, "mnuDarstellung2")->trigger();
  QVERIFY(holdsEveryClassColour(view(w)->picture()));
  QVERIFY(palette(*dir_, "WelvDar2.bmp") == outlookPalette());
  const QImage outlookChart = view(w)->picture();

  // One of the three quantities is checked, whichever way it was chosen.
  struct Step {
    const char* name;
    const char* control;
    bool level, field, outlook;
  };
  const Step steps[] = {
      {"level from the menu", "mnuPegel", true, false, false},
      {"outlook from the menu", "mnuAussicht", false, false, true},
      {"outlook chosen again stays", "mnuAussicht", false, false, true},
      {"field strength", "mnuFeldstaerke", false, true, false},
      {"outlook from the button", "cmdAussicht", false, false, true},
      {"the checked button pressed again stays", "cmdAussicht", false, false, true},
      {"level again", "mnuPegel", true, false, false},
  };
  for (const Step& st : steps) {
    const QString control = st.control;
    if (control.startsWith("cmd"))
      test::ctl<QToolButton>(w, control)->click();
    else
      test::ctl<QAction>(w, control)->trigger();
    const Checks c = checks(w);
    QVERIFY2(c.level == st.level && c.field == st.field && c.outlook == st.outlook, st.name);
    QVERIFY2(button->isChecked() == st.outlook, st.name);
    QVERIFY2(s.OutlookFlag == (st.outlook ? 1 : 0), st.name);
  }
  // Back in the level, the chart is the level's again.
  QVERIFY(view(w)->picture() != outlookChart);
  QVERIFY(!holdsEveryClassColour(view(w)->picture()));
}

void OutlookTest::modeFromTheToolBarByKeyboard() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QToolButton>(w, "cmdAussicht")->click();
  const QImage ft8 = view(w)->picture();
  auto* modes = test::ctl<QComboBox>(w, "cmbModus");
  QCOMPARE(modes->accessibleName(), QString("Betriebsart"));
  QCOMPARE(modes->count(), 6);
  QCOMPARE(modes->currentText(), QString("FT8 (13 dB-Hz)"));
  // Two steps down the list from FT8: FT4, then WSPR.
  modes->setFocus();
  QTest::keyClick(modes, Qt::Key_Down);
  QCOMPARE(s.OutlookMode, int16{3});
  QTest::keyClick(modes, Qt::Key_Down);
  QCOMPARE(s.OutlookMode, int16{4});
  QCOMPARE(modes->currentText(), QString("WSPR (6 dB-Hz)"));
  // Everything that names or uses the mode follows, without a new forecast.
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  QCOMPARE(test::ctl<QAction>(w, "mnuAussicht")->text(), QString("Aussicht (WSPR)"));
  QCOMPARE(test::ctl<QToolButton>(w, "cmdAussicht")->accessibleName(), QString("Aussicht (WSPR)"));
  QVERIFY(text(w, "lblAussicht").startsWith("WSPR: "));
  QVERIFY(text(w, "lblBestesBand").contains("WSPR"));
  QVERIFY(view(w)->picture() != ft8);  // WSPR needs 7 dB less: more of the world is open
  // The dialog opens at the mode chosen.
  test::ctl<QAction>(w, "mnuSendeweg")->trigger();
  QCOMPARE(w.conditionsDialog()->outlookChoices->cmbBetriebsart->currentData().toInt(), 4);
}

void OutlookTest::conditionsDialogWritesModeAndNoise_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<QString>("need");
  QTest::addColumn<int>("noise");
  QTest::addColumn<QString>("floor");
  QTest::addColumn<int>("failed");  // 0, 1 the need's box, 2 the floor's box
  QTest::addColumn<int>("modeAfter");
  QTest::addColumn<double>("needAfter");
  QTest::addColumn<int>("noiseAfter");
  QTest::addColumn<double>("floorAfter");
  QTest::addColumn<QString>("line");  // how the outlook line begins

  QTest::newRow("CW in a city") << 0 << "20" << 0 << "-100" << 0 << 0 << 20.0 << 0 << -100.0 << "CW: ";
  QTest::newRow("SSB in quiet countryside") << 1 << "20" << 3 << "-100" << 0 << 1 << 20.0 << 3 << -100.0 << "SSB: ";
  QTest::newRow("custom need") << 5 << "27.5" << 1 << "-100" << 0 << 5 << 27.5 << 1 << -100.0
                               << "Eigener Wert (27.5 dB-Hz): ";
  QTest::newRow("my noise floor") << 2 << "20" << 4 << "-118" << 0 << 2 << 20.0 << 4 << -118.0 << "FT8: ";
  QTest::newRow("both typed values") << 5 << "8" << 4 << "-140" << 0 << 5 << 8.0 << 4 << -140.0
                                     << "Eigener Wert (8 dB-Hz): ";
  QTest::newRow("custom need too high") << 5 << "81" << 1 << "-100" << 1 << 2 << 20.0 << 1 << -100.0 << "FT8: ";
  QTest::newRow("custom need empty") << 5 << "" << 1 << "-100" << 1 << 2 << 20.0 << 1 << -100.0 << "FT8: ";
  QTest::newRow("noise floor not a number") << 0 << "20" << 4 << "laut" << 2 << 2 << 20.0 << 1 << -100.0 << "FT8: ";
  QTest::newRow("noise floor above 0") << 3 << "20" << 4 << "3" << 2 << 2 << 20.0 << 1 << -100.0 << "FT8: ";
}

void OutlookTest::conditionsDialogWritesModeAndNoise() {
  QFETCH(int, mode);
  QFETCH(QString, need);
  QFETCH(int, noise);
  QFETCH(QString, floor);
  QFETCH(int, failed);
  QFETCH(int, modeAfter);
  QFETCH(double, needAfter);
  QFETCH(int, noiseAfter);
  QFETCH(double, floorAfter);
  QFETCH(QString, line);
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QAction>(w, "mnuSendeweg")->trigger();
  auto* d = w.conditionsDialog();
  auto* c = d->outlookChoices;
  QVERIFY(d->isVisible());
  // Opened at the record: FT8, residential, the typed values' boxes closed.
  QCOMPARE(c->cmbBetriebsart->currentData().toInt(), 2);
  QCOMPARE(c->cmbRauschen->currentData().toInt(), 1);
  QVERIFY(!c->txtBetriebsartDbHz->isEnabled() && !c->txtRauschpegel->isEnabled());
  QVERIFY(c->lblBetriebsartErklaerung->text().startsWith("Die Betriebsart bestimmt"));
  QVERIFY(c->lblRauschenErklaerung->text().startsWith("Das Rauschen am Empfangsort bestimmt"));

  c->cmbBetriebsart->setCurrentIndex(c->cmbBetriebsart->findData(mode));
  c->cmbRauschen->setCurrentIndex(c->cmbRauschen->findData(noise));
  QCOMPARE(c->txtBetriebsartDbHz->isEnabled(), mode == 5);
  QCOMPARE(c->txtRauschpegel->isEnabled(), noise == 4);
  c->txtBetriebsartDbHz->setText(need);
  c->txtRauschpegel->setText(floor);
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);

  QCOMPARE(int{s.OutlookMode}, modeAfter);
  QCOMPARE(s.CustomSnr, needAfter);
  QCOMPARE(int{s.NoiseEnvironment}, noiseAfter);
  QCOMPARE(s.NoiseFloor, floorAfter);
  QCOMPARE(d->isVisible(), failed != 0);
  if (failed != 0) {
    // The failing box keeps the focus and the line under the boxes says what it takes.
    QLineEdit* box = failed == 1 ? c->txtBetriebsartDbHz : c->txtRauschpegel;
    QCOMPARE(d->focusWidget(), box);
    QCOMPARE(d->lblHinweis->text(), box->toolTip());
    QVERIFY(!d->lblHinweis->text().isEmpty());
  }
  // Only the outlook's choice changed: no new forecast table.
  QVERIFY(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive());
  QVERIFY2(text(w, "lblAussicht").startsWith(line), qPrintable(text(w, "lblAussicht")));
  QCOMPARE(text(w, "lblAussicht"), QString::fromStdString(s.OutlookLine));
}

void OutlookTest::pointLineBandsAndBestBand() {
  MainWindow& w = *w_;
  State& s = w.state();
  BandPanel* b = bands(w);
  // Under the S-meter, whatever the quantity; the margin at 50 %.
  QCOMPARE(text(w, "lblAussicht"), u("FT8: gut, 25 dB Reserve"));
  QCOMPARE(text(w, "lblBestesBand"), u("Bestes Band für FT8 jetzt: 30 m (gut, 25 dB Reserve)"));
  QCOMPARE(b->cellText(4, 0), QString("-92"));  // 30 m in dBm (level)
  test::ctl<QToolButton>(w, "cmdAussicht")->click();
  // Per band and hour the symbol and the margin in whole dB; far below
  // what the mode needs only the symbol.
  struct Cell {
    int band, column;
    const char* text;
  };
  const Cell cells[] = {
      {0, 0, "\u2013"},       // 160 m at 15:05: closed by far
      {0, 4, "\u25D0 2"},     // 160 m at 19:05: fair
      {3, 0, "\u25CF 13"},    // 40 m: good
      {4, 0, "\u25CF 25"},    // 30 m: good, the best, as the best-band line says
      {5, 0, "\u25CF 20"},    // 20 m: good
      {5, 2, "\u25D0 8"},     // 20 m at 17:05: fair
      {5, 3, "\u25CB -3"},    // 20 m at 18:05: poor
      {9, 0, "\u2013 -43"},   // 10 m: closed
      {9, 3, "\u2013"},       // 10 m at 18:05: closed by far
  };
  for (const Cell& c : cells) QVERIFY2(b->cellText(c.band, c.column) == u(c.text), qPrintable(b->cellText(c.band, c.column)));
  QCOMPARE(text(w, "lblBestesBand"), QString::fromStdString(s.BestBandLine));

  // In another language; at 90 % the margin of nine days in ten.
  s.L = 1;
  w.prgLandessprache();
  QCOMPARE(text(w, "lblAussicht"), u("FT8: good, 25 dB to spare"));
  QCOMPARE(text(w, "lblBestesBand"), u("Best band for FT8 now: 30 m (good, 25 dB to spare)"));
  QCOMPARE(test::ctl<QAction>(w, "mnuAussicht")->text(), QString("Outlook (FT8)"));
  w.conditionsDialog()->showFromState();
  QCOMPARE(w.conditionsDialog()->outlookChoices->lblRauschen->text(), QString("Noise at the receiver"));
  w.conditionsDialog()->txtWahrscheinlichkeit->setText("90");
  QTest::mouseClick(w.conditionsDialog()->cmdRest, Qt::LeftButton);
  test::tick(w, "tickNeueDaten");
  QVERIFY(text(w, "lblAussicht").startsWith("FT8: "));
  QVERIFY(text(w, "lblAussicht") != u("FT8: good, 25 dB to spare"));
  QVERIFY(b->cellText(4, 0) != u("\u25CF 25"));
}

void OutlookTest::cursorNamesTheClass() {
  MainWindow& w = *w_;
  test::ctl<QToolButton>(w, "cmdAussicht")->click();
  QVERIFY(w.prgCursorBewegt(*view(w)->pointOf(GeoPoint{40.4, -3.7})));  // Madrid, inside the good area
  QCOMPARE(text(w, "lblPegel"), u("\u25CF gut"));
  QVERIFY(w.prgCursorBewegt(*view(w)->pointOf(GeoPoint{-60, -120})));  // South Pacific, closed
  QCOMPARE(text(w, "lblPegel"), u("\u2013 geschlossen"));
  test::ctl<QAction>(w, "mnuDarstellung2")->trigger();
  struct Spot {
    double hour, mhz;
    const char* text;
  };
  const Spot spots[] = {{15.1, 10.2, "\u25CF gut"}, {12, 25, "\u2013 geschlossen"}, {3, 3, "\u25CF gut"}};
  for (const Spot& p : spots) {
    QVERIFY(w.prgCursorBewegt(view(w)->chartPoint(p.hour, p.mhz)));
    QCOMPARE(text(w, "lblPegel"), u(p.text));
  }
  // Level again: the read-out gives the level.
  test::ctl<QAction>(w, "mnuPegel")->trigger();
  QVERIFY(w.prgCursorBewegt(view(w)->chartPoint(15.1, 10.2)));
  QVERIFY(text(w, "lblPegel").endsWith(" dBm"));
}

void OutlookTest::choicesSurviveARestart() {
  {
    MainWindow& w = *w_;
    test::ScriptedDialogs& answers = test::scriptDialogs(w);
    answers.accept = true;
    test::ctl<QToolButton>(w, "cmdAussicht")->click();
    test::ctl<QAction>(w, "mnuSendeweg")->trigger();
    auto* c = w.conditionsDialog()->outlookChoices;
    c->cmbBetriebsart->setCurrentIndex(c->cmbBetriebsart->findData(5));
    c->txtBetriebsartDbHz->setText("30");
    c->cmbRauschen->setCurrentIndex(c->cmbRauschen->findData(4));
    c->txtRauschpegel->setText("-115");
    QTest::mouseClick(w.conditionsDialog()->cmdRest, Qt::LeftButton);
    w.prgEnde();
    QVERIFY(w.ended());
  }
  const std::string ini = read(*dir_, "WelvaroFenster.ini");
  for (const char* line : {"outlook=1\n", "mode=custom\n", "mode_dbhz=30\n", "noise=floor\n", "noise_dbm=-115\n"})
    QVERIFY2(ini.find(line) != std::string::npos, line);

  struct Start {
    const char* name;
    const char* quantity;  // what this run chooses before its end
    bool outlook;          // what the next start shows
  };
  const Start starts[] = {{"outlook kept", nullptr, true}, {"level chosen", "mnuPegel", false},
                          {"level kept", nullptr, false}, {"outlook chosen", "mnuAussicht", true}};
  bool expected = true;
  for (const Start& st : starts) {
    w_ = std::make_unique<MainWindow>(*clock_, folder(*dir_));
    MainWindow& w = *w_;
    w.start();
    test::scriptDialogs(w).accept = true;
    State& s = w.state();
    QVERIFY2(s.OutlookFlag == (expected ? 1 : 0), st.name);
    QVERIFY2(checks(w).outlook == expected && checks(w).level == !expected, st.name);
    QVERIFY2((palette(*dir_, "WelvDar1.bmp") == outlookPalette()) == expected, st.name);
    QVERIFY2(s.OutlookMode == 5 && s.CustomSnr == 30 && s.NoiseEnvironment == 4 && s.NoiseFloor == -115, st.name);
    QCOMPARE(test::ctl<QComboBox>(w, "cmbModus")->currentText(), u("Eigener Wert (30 dB-Hz)"));
    QVERIFY(text(w, "lblAussicht").startsWith(u("Eigener Wert (30 dB-Hz): ")));
    if (st.quantity) test::ctl<QAction>(w, st.quantity)->trigger();
    w.prgEnde();
    expected = st.outlook;
  }
}

QTEST_MAIN(OutlookTest)
#include "outlook_uitest.moc"
