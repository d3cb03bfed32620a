// The main window as the user handles it with mouse and keyboard: the cursor
// read-out over the map and the chart, clicks that pick point B or the
// frequency, the frequency box, Store and the six memories. Run offscreen
// against a temporary program folder with the place list.
#include <QtTest>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>

#include "display/cursor.h"
#include "files/programdir.h"
#include "ui/mainwindow.h"
#include "display/picture_cursor.h"
#include "display/window_state.h"
#include "display/point.h"
#include "ui/picture_view.h"
#include "ui/dialogs.h"
#include "ui/time_bar.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::MainWindow;

namespace {

// The data files of the program folder.
constexpr std::initializer_list<const char*> kFiles = {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat", "Ortsvorg.txt"};

ui::PictureView* view(MainWindow& w) { return test::ctl<ui::PictureView>(w, "picDarstellung"); }

// Where the world map shows a position in degrees.
QPoint mapPixels(MainWindow& w, double lat, double lon) {
  const auto p = view(w)->pointOf(GeoPoint{lat, lon});
  if (!p) qFatal("position not on the map");
  return p->toPoint();
}

// Where the chart shows an hour and a frequency.
QPoint chartPixel(MainWindow& w, double hours, double mhz) { return view(w)->chartPoint(hours, mhz).toPoint(); }

void typeText(QWidget* w, const QString& text) {
  QTest::keyClicks(w, text);
}

}  // namespace

class InteractionTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void hoverOverTheMapReadsValuePositionAndNearestPlace();
  void clickInNearestPlaceModePicksThePlaceAsStationB();
  void clickWithTheCursorPositionAndInTheChart();
  void frequencyBoxConfirmsRoundedOrKeepsTheRefusedEntry();
  void storeThenMemoryStoresTheFrequencyOfStore();
  void storeWithAnUnconfirmedEntryWarns();
  void memoryRecallAndTooltips();
  void timeShownKeysAndBands();
  void chartClickSetsTimeAndFrequencyAndPlayStopsForNewData();
  void chartCrosshairFollowsTheMouseAndAgreesWithThePanel();

 private:
  test::RunningWindow run_;
  MainWindow* w_ = nullptr;
  test::ScriptedDialogs* answers_ = nullptr;
};

void InteractionTest::init() {
  QVERIFY(run_.open(kFiles, [this](MainWindow& w) {
    answers_ = &test::scriptDialogs(w);
    answers_->accept = true;
  }));
  w_ = run_.window();
}

void InteractionTest::cleanup() {
  run_.close();
}

void InteractionTest::hoverOverTheMapReadsValuePositionAndNearestPlace() {
  MainWindow& w = *w_;
  State& s = w.state();
  // Degrees: the position under the cursor, here one whose tenths of a
  // degree (40.4 N 3.7 W) lie nearest Madrid whatever the picture's scale
  // (a whole pixel is a third of a degree on a small map).
  const QPointF madrid = *view(w)->pointOf(GeoPoint{40.45, -3.65});
  QVERIFY(w.prgCursorBewegt(madrid));
  QTRY_VERIFY(test::ctl<QLabel>(w, "lblLocator")->text().startsWith("Position: "));
  QVERIFY(test::ctl<QLabel>(w, "lblLocator")->text().contains(QString::fromUtf8("°N")));
  QVERIFY(test::ctl<QLabel>(w, "lblLocator")->text().contains(QString::fromUtf8("°W")));
  // The value the picture shows there, in the read-out's words.
  QCOMPARE(test::ctl<QLabel>(w, "lblPegel")->text(), QString::fromStdString(valueText(s, true)));
  QVERIFY(test::ctl<QLabel>(w, "lblPegel")->text().startsWith("Pegel: "));
  QVERIFY(test::ctl<QLabel>(w, "lblPegel")->text().endsWith(" dBm"));
  // Bearing and distance from station A.
  QVERIFY(test::ctl<QLabel>(w, "lblPeilung")->text().startsWith("Richtung (A):"));
  // The nearest place of the list, with its marker.
  QCOMPARE(test::ctl<QLabel>(w, "lblOrtB")->text(), QString("Stadt: Madrid"));
  const int g = static_cast<int>(s.NahOrt);
  QCOMPARE(QString::fromStdString(s.OrtName[g]), QString("Madrid"));
  QVERIFY(!view(w)->placeMarker());  // the marker shows only in nearest-place mode

  // Locator mode.
  test::ctl<QAction>(w, "mnuLocator")->trigger();
  const QPoint munich = mapPixels(w, 48.5, 11.0);
  QTest::mouseMove(view(w), munich);
  QTRY_VERIFY2(test::ctl<QLabel>(w, "lblLocator")->text().startsWith("Position: JN58"),
               qPrintable(test::ctl<QLabel>(w, "lblLocator")->text()));
  // Field strength instead of level.
  test::ctl<QAction>(w, "mnuFeldstaerke")->trigger();
  QTest::mouseMove(view(w), mapPixels(w, 10, 10));
  QTRY_VERIFY(test::ctl<QLabel>(w, "lblPegel")->text().startsWith(QString::fromUtf8("Feldstärke: ")));
  // Over the open Pacific no place is near: the label is empty.
  QTest::mouseMove(view(w), mapPixels(w, -50, -120));
  QTRY_COMPARE(test::ctl<QLabel>(w, "lblOrtB")->text(), QString());
}

void InteractionTest::clickInNearestPlaceModePicksThePlaceAsStationB() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QAction>(w, "mnuNaechsteStadt")->trigger();
  QVERIFY(test::ctl<QAction>(w, "mnuNaechsteStadt")->isChecked() && !test::ctl<QAction>(w, "mnuCursorposition")->isChecked());
  QVERIFY(test::ctl<QLabel>(w, "lblOrtB")->isVisible());
  // Honolulu is the only place for a thousand kilometres around.
  const QPoint near = mapPixels(w, 21.0, -158.3);
  QTest::mouseMove(view(w), near);
  QTRY_COMPARE(test::ctl<QLabel>(w, "lblOrtB")->text(), QString("Stadt: Honolulu"));
  QVERIFY(view(w)->placeMarker() && std::abs(view(w)->placeMarker()->lat - 21.30694) < 1e-4);
  QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, near);
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Honolulu"));
  QCOMPARE(s.OrtX2, 21.30694f);
  QCOMPARE(s.OrtY2, -157.85833f);
  // Back to the cursor position mode, the nearest-place read-out hidden.
  QVERIFY(test::ctl<QAction>(w, "mnuCursorposition")->isChecked());
  QVERIFY(!test::ctl<QAction>(w, "mnuNaechsteStadt")->isChecked());
  QVERIFY(!test::ctl<QLabel>(w, "lblOrtB")->isVisible());
  QVERIFY(!view(w)->placeMarker());
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().contains("Honolulu (B:"));

  // Nearest-place mode over a place-less ocean: the click changes nothing.
  test::ctl<QAction>(w, "mnuNaechsteStadt")->trigger();
  QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, mapPixels(w, -50, -120));
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Honolulu"));
  QVERIFY(test::ctl<QAction>(w, "mnuNaechsteStadt")->isChecked());
}

void InteractionTest::clickWithTheCursorPositionAndInTheChart() {
  MainWindow& w = *w_;
  State& s = w.state();
  const float frequency = s.AktFrequenz;
  // A click without a movement before it takes its own position.
  QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, mapPixels(w, 35.7, 139.7));
  QCOMPARE(QString::fromStdString(s.OrtB), QString("Station"));
  QVERIFY(std::abs(s.OrtX2 - 35.7f) < 0.7f);
  QVERIFY(std::abs(s.OrtY2 - 139.7f) < 0.7f);
  QCOMPARE(s.AktFrequenz, frequency);  // the frequency is not touched

  // The chart: the click sets the display frequency.
  test::ctl<QToolButton>(w, "cmdOrt")->click();
  QCOMPARE(s.Darstellung, 2.0f);
  const QPoint at21 = chartPixel(w, 13.6, 21.2);
  QTest::mouseMove(view(w), at21);
  QTRY_VERIFY(test::ctl<QLabel>(w, "lblFrequenz")->text().startsWith("Frequenz: "));
  QVERIFY(test::ctl<QLabel>(w, "lblLocator")->text().startsWith("Zeit [UTC]: "));
  QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, at21);
  QCOMPARE(test::ctl<QLineEdit>(w, "txtAktFrequenz")->text(), QString::fromStdString(s.FrequenzText));
  QVERIFY(std::abs(s.AktFrequenz - 21.2f) < 0.15f);
  // The bottom of the chart is held at 1.5 MHz.
  QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, chartPixel(w, 13.6, 0.2));
  QCOMPARE(s.AktFrequenz, 1.5f);
  QCOMPARE(test::ctl<QLineEdit>(w, "txtAktFrequenz")->text(), QString("  1.5 MHz"));
}

void InteractionTest::frequencyBoxConfirmsRoundedOrKeepsTheRefusedEntry() {
  MainWindow& w = *w_;
  State& s = w.state();
  QLineEdit* box = test::ctl<QLineEdit>(w, "txtAktFrequenz");
  box->setFocus();
  box->clear();
  typeText(box, "14.25");
  QVERIFY(box->styleSheet().contains("255,0,0"));  // typed, not confirmed: red
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(box->text(), QString(" 14.3 MHz"));
  QCOMPARE(s.AktFrequenz, 14.3f);
  QVERIFY(box->styleSheet().contains("128,128,128"));  // confirmed: grey
  QCOMPARE(w.focusWidget(), static_cast<QWidget*>(view(w)));

  box->setFocus();
  box->selectAll();
  typeText(box, "29.95");
  QTest::keyClick(box, Qt::Key_Return);
  // The refused entry stays as typed, red, the focus in the box for the correction.
  QCOMPARE(box->text(), QString("29.95"));
  QVERIFY(box->styleSheet().contains("255,0,0"));
  QCOMPARE(w.focusWidget(), static_cast<QWidget*>(box));
  QCOMPARE(s.AktFrequenz, 14.3f);  // unchanged

  box->selectAll();
  typeText(box, "7");
  QTest::keyClick(box, Qt::Key_Enter);
  QCOMPARE(box->text(), QString("    7 MHz"));
  QCOMPARE(s.AktFrequenz, 7.0f);
}

void InteractionTest::storeThenMemoryStoresTheFrequencyOfStore() {
  MainWindow& w = *w_;
  State& s = w.state();
  QLineEdit* box = test::ctl<QLineEdit>(w, "txtAktFrequenz");
  box->selectAll();
  typeText(box, "18.1");
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(s.AktFrequenz, 18.1f);

  QTest::mouseClick(test::ctl<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
  QCOMPARE(s.SpeicherModus, int16{1});
  QVERIFY(test::ctl<QTimer>(w, "tmrBlinker")->isActive());
  QTRY_VERIFY(test::ctl<QLabel>(w, "shpSignal")->isVisible());  // it blinks

  // The frequency changes before the memory button: memory 3 still takes 18.1.
  box->selectAll();
  typeText(box, "24.9");
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(s.AktFrequenz, 24.9f);
  QTest::mouseClick(test::ctl<QPushButton>(w, QString("cmdSpeicher%1").arg((2) + 1)), Qt::LeftButton);
  QTRY_VERIFY(!test::ctl<QTimer>(w, "tmrSpeicher")->isActive());
  QCOMPARE(s.Speicher3, 18.1f);
  QCOMPARE(s.SpeicherModus, int16{0});
  QVERIFY(!test::ctl<QTimer>(w, "tmrBlinker")->isActive());
  QVERIFY(!test::ctl<QLabel>(w, "shpSignal")->isVisible());
  QCOMPARE(s.AktFrequenz, 24.9f);  // storing recalls nothing
  QVERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisible());

  // Memory 3 recalls it.
  QTest::mouseClick(test::ctl<QPushButton>(w, QString("cmdSpeicher%1").arg((2) + 1)), Qt::LeftButton);
  QCOMPARE(s.AktFrequenz, 18.1f);
  QCOMPARE(box->text(), QString(" 18.1 MHz"));
  QTRY_VERIFY(!test::ctl<QLabel>(w, "imgWarten")->isVisible());
}

void InteractionTest::storeWithAnUnconfirmedEntryWarns() {
  MainWindow& w = *w_;
  State& s = w.state();
  const float memory1 = s.Speicher1;
  QLineEdit* box = test::ctl<QLineEdit>(w, "txtAktFrequenz");
  box->setFocus();
  box->selectAll();
  typeText(box, "5");
  QTest::mouseClick(test::ctl<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
  QCOMPARE(answers_->asked.last(), QString::fromUtf8("Die Frequenzeingabe muß mit\nRETURN abgeschlossen werden"));
  QCOMPARE(s.SpeicherModus, int16{0});
  QVERIFY(!test::ctl<QTimer>(w, "tmrBlinker")->isActive());
  QVERIFY(!test::ctl<QLabel>(w, "shpSignal")->isVisible());
  QTest::mouseClick(test::ctl<QPushButton>(w, QString("cmdSpeicher%1").arg((0) + 1)), Qt::LeftButton);
  QTRY_VERIFY(!test::ctl<QTimer>(w, "tmrSpeicher")->isActive());
  QCOMPARE(s.Speicher1, memory1);  // nothing stored

  // Store pressed twice cancels store mode.
  QTest::mouseClick(test::ctl<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
  QCOMPARE(s.SpeicherModus, int16{1});
  QTest::mouseClick(test::ctl<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
  QCOMPARE(s.SpeicherModus, int16{0});
  QVERIFY(!test::ctl<QTimer>(w, "tmrBlinker")->isActive());
}

void InteractionTest::memoryRecallAndTooltips() {
  MainWindow& w = *w_;
  State& s = w.state();
  s.Speicher6 = 35;  // from an edited settings file
  QTest::mouseClick(test::ctl<QPushButton>(w, QString("cmdSpeicher%1").arg((5) + 1)), Qt::LeftButton);
  QCOMPARE(s.AktFrequenz, 29.9f);
  QCOMPARE(s.Speicher6, 35.0f);
  s.Speicher2 = 0.5f;
  QTest::mouseClick(test::ctl<QPushButton>(w, QString("cmdSpeicher%1").arg((1) + 1)), Qt::LeftButton);
  QCOMPARE(test::ctl<QLineEdit>(w, "txtAktFrequenz")->text(), QString("  1.5 MHz"));
  QTRY_VERIFY(!test::ctl<QTimer>(w, "tmrSpeicher")->isActive());

  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(test::ctl<QToolButton>(w, "cmdOrt"), &enter);
  QCOMPARE(test::ctl<QToolButton>(w, "cmdOrt")->toolTip(), QString::fromUtf8("Orts-Welvaro für Madrid <--> München"));
  QCoreApplication::sendEvent(test::ctl<QToolButton>(w, "cmdSonnenflecken"), &enter);
  QCOMPARE(test::ctl<QToolButton>(w, "cmdSonnenflecken")->toolTip(), QString("Sonnenfleckenzahl (Ri = 128)"));
}

// The time shown: the slider, the keys and the way back to now; the point
// result follows it; band buttons and keys set the display frequency.
void InteractionTest::timeShownKeysAndBands() {
  MainWindow& w = *w_;
  State& s = w.state();
  QCOMPARE(s.AnzeigeMinute, int16{-1});
  QCOMPARE(test::ctl<QLabel>(w, "lblZeit")->text(), QString("15:05 UTC"));  // 16:05 in Central Europe
  test::ctl<QSlider>(w, "sldZeit")->setValue(18 * 60);
  QCOMPARE(shownMinute(s), 18 * 60);
  QCOMPARE(view(w)->minute(), 18 * 60);
  QCOMPARE(test::ctl<QLabel>(w, "lblZeit")->text(), QString::fromUtf8("Vorhersage für 18:00 UTC"));
  // The point result is the link's at 18:00.
  auto probe = std::make_unique<State>(s);
  probe->AnzeigeMinute = -1;
  probe->Zeitpunkt.hour = 18;
  probe->Zeitpunkt.minute = 0;
  prgPointErgebnis(*probe);
  QCOMPARE(s.PunktPegel, probe->PunktPegel);

  test::ctl<QAction>(w, "mnuStundeVor")->trigger();
  QCOMPARE(shownMinute(s), 19 * 60);
  test::ctl<QAction>(w, "mnuMinutenZurueck")->trigger();
  QCOMPARE(shownMinute(s), 18 * 60 + 50);
  test::ctl<QSlider>(w, "sldZeit")->setValue(23 * 60 + 30);
  test::ctl<QAction>(w, "mnuStundeVor")->trigger();
  QCOMPARE(shownMinute(s), 30);  // on past midnight
  test::ctl<QSlider>(w, "sldZeit")->setValue(1440);  // 24:00 is 00:00 of the day
  QCOMPARE(shownMinute(s), 0);
  test::ctl<QAction>(w, "mnuJetzt")->trigger();
  QCOMPARE(s.AnzeigeMinute, int16{-1});
  QCOMPARE(test::ctl<QLabel>(w, "lblZeit")->text(), QString("15:05 UTC"));

  // Bands: the button sets the band's frequency as it is; keys step on.
  test::ctl<QToolButton>(w, "cmdBand20m")->click();
  QCOMPARE(s.AktFrequenz, 14.2f);
  QCOMPARE(test::ctl<QLineEdit>(w, "txtAktFrequenz")->text(), QString(" 14.2 MHz"));
  QVERIFY(test::ctl<QToolButton>(w, "cmdBand20m")->isChecked());
  test::ctl<QAction>(w, "mnuBandHoch")->trigger();
  QCOMPARE(s.AktFrequenz, 18.12f);
  QVERIFY(test::ctl<QToolButton>(w, "cmdBand17m")->isChecked());
  test::ctl<QAction>(w, "mnuFrequenzHoch")->trigger();
  QCOMPARE(s.AktFrequenz, 18.2f);
  QVERIFY(!test::ctl<QToolButton>(w, "cmdBand17m")->isChecked());
  test::ctl<QToolButton>(w, "cmdBand10m")->click();
  test::ctl<QAction>(w, "mnuBandHoch")->trigger();  // the last band stays the last
  QCOMPARE(s.AktFrequenz, 28.5f);
  QVERIFY(test::ctl<QPushButton>(w, "cmdSpeicher4")->toolTip().contains("14.2 MHz"));
}

// A click in the chart sets the frequency and the time shown, which the
// map then shows; playing the day stops cleanly when new data are computed,
// and the time shown stays through a station change.
void InteractionTest::chartClickSetsTimeAndFrequencyAndPlayStopsForNewData() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QToolButton>(w, "cmdOrt")->click();
  QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, chartPixel(w, 18.5, 21.2));
  QVERIFY(std::abs(s.AktFrequenz - 21.2f) < 0.15f);
  QVERIFY(std::abs(shownMinute(s) - (18 * 60 + 30)) <= 5);
  const int minute = shownMinute(s);
  test::ctl<QToolButton>(w, "cmdWelt")->click();
  QCOMPARE(view(w)->minute(), minute);

  auto* bar = w.findChild<ui::TimeBar*>();
  bar->togglePlay();
  QVERIFY(bar->playing());
  QTRY_VERIFY(shownMinute(s) != minute);  // the day moves on
  test::ctl<QAction>(w, "mnuStationA")->trigger();
  auto* d = w.stationADialog();
  d->txtBreite->setText("35.7");
  QTest::mouseClick(d->cmdStationA, Qt::LeftButton);
  QVERIFY(!bar->playing());  // new data: the film stops
  const int shown = shownMinute(s);
  QTRY_VERIFY_WITH_TIMEOUT(!test::ctl<QTimer>(w, "tmrNeueDaten")->isActive(), 120000);
  QCOMPARE(shownMinute(s), shown);  // the time shown stays after the station change
  QCOMPARE(s.X1, 35.7);
}

// The cross-hair follows the mouse over the chart and leaves with it; its
// label, the read-out below the picture and the panel after a click name
// the same value.
void InteractionTest::chartCrosshairFollowsTheMouseAndAgreesWithThePanel() {
  MainWindow& w = *w_;
  State& s = w.state();
  test::ctl<QToolButton>(w, "cmdOrt")->click();
  QVERIFY(!view(w)->crosshair());
  for (const auto& [hours, mhz] : {std::pair{13.6, 14.23}, std::pair{3.1, 7.07}, std::pair{21.9, 28.4}}) {
    const QPoint at = chartPixel(w, hours, mhz);
    QTest::mouseMove(view(w), at);
    QTRY_VERIFY(view(w)->crosshair().has_value());
    const ChartCrosshair c = *view(w)->crosshair();
    QVERIFY(std::abs(c.at.hours - hours) < 0.1);
    QVERIFY(std::abs(c.at.mhz - mhz) < 0.15);
    QCOMPARE(c.lines.size(), std::size_t{2});
    QVERIFY(QString::fromStdString(c.lines[0]).endsWith(" UTC"));
    const QString value = QString::fromStdString(c.lines[1].substr(0, c.lines[1].find(' ')));
    const QString readOut = test::ctl<QLabel>(w, "lblPegel")->text();
    QVERIFY2(readOut.endsWith(" " + value + " dBm") || readOut.endsWith("<" + value + " dBm"), qPrintable(readOut));
    QTest::mouseClick(view(w), Qt::LeftButton, Qt::NoModifier, at);
    QVERIFY2(QString::fromStdString(s.PegelAnzeige).contains("=" + value + " dBm"), s.PegelAnzeige.c_str());
  }
  // Off the widget the cross-hair is gone; over the world map there is none.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(view(w), &leave);
  QVERIFY(!view(w)->crosshair());
}

QTEST_MAIN(InteractionTest)
#include "interaction_uitest.moc"
