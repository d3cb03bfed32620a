// The sunspot number in the window: NOAA's table or the typed number chosen
// in the conditions dialog, the panel's words for where it came from, and
// "Update solar data" against a server of the test's own on 127.0.0.1 that
// answers well, badly, or not at all. Run offscreen against a temporary
// program folder.
#include <QtTest>

#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "../local_http_server.h"
#include "files/programdir.h"
#include "solar/solar_update.h"
#include "solar/sunspot_choice.h"
#include "solar/sunspot_table.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"
#include "ui/message_bar.h"
#include "ui/solar_data.h"
#include "ui/sunspot_source.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::test::HttpReply;
using welvaro::test::LocalHttpServer;
using welvaro::ui::MainWindow;
using welvaro::ui::SolarData;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "Ortsvorg.txt", "SunspotNumbers.csv"});
}

std::string read(const QTemporaryDir& d, std::string_view name) {
  std::ifstream in(std::filesystem::path(d.path().toStdString()) / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write(const QTemporaryDir& d, std::string_view name, const std::string& text) {
  std::ofstream(std::filesystem::path(d.path().toStdString()) / name, std::ios::binary) << text;
}

// NOAA's two files: observed smoothed values 2024-01 .. 2025-12, predicted
// ones 2026-01 .. 2027-12 with the forecast month 2026-12 at `december`.
std::string observedJson() {
  std::string j = "[";
  for (int i = 0; i < 24; ++i)
    j += std::string(i ? "," : "") + R"({"time-tag": ")" + yearMonthText({2024 + i / 12, 1 + i % 12}) +
         R"(", "ssn": 100, "smoothed_ssn": )" + std::to_string(150 - i) + ".5}";
  return j + "]";
}
std::string predictedJson(const std::string& december = "42.5") {
  std::string j = "[";
  for (int i = 0; i < 24; ++i) {
    const YearMonth m{2026 + i / 12, 1 + i % 12};
    const std::string v = m == YearMonth{2026, 12} ? december : std::to_string(100 - i) + ".25";
    j += std::string(i ? "," : "") + R"({"time-tag": ")" + yearMonthText(m) + R"(", "predicted_ssn": )" + v + "}";
  }
  return j + "]";
}

// The two files, each answer replaceable by a test.
struct Noaa {
  HttpReply observed{.body = observedJson()};
  HttpReply predicted{.body = predictedJson()};
  HttpReply operator()(const std::string& path) const {
    if (path == kSolarObservedPath) return observed;
    if (path == kSolarPredictedPath) return predicted;
    return {.status = 404, .body = "not here"};
  }
};

constexpr int kWait = 60000;  // bound for an update's end, in the sanitizer build too

}  // namespace

class SolarTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void newUserSeesTheTablesValueAndItsSource();
  void updateChangesTheNumberShown();
  void badAnswersLeaveTheTableAndTellWhy();
  void cancelStopsTheTransfer();
  void dialogChoiceReachesTheRecordAndThePreferences();
  void monthOutsideTheTableFallsBackAndSaysSo();
  void onlineOnlyWhenAskedOrTicked();
  void askingDuringTheMonthlyCheckShowsItsProgress();
  void aboutBoxCreditsNoaa();

 private:
  // A window on the test's folder, started; `before` prepares the folder.
  void startWindow(const DateTime& now, const std::function<void()>& before = {});
  // "Update solar data" from the menu, waited for; its (ok, cancelled).
  std::pair<bool, bool> update();
  QString panel() { return test::ctl<QLabel>(w_, "lblSonnenflecken")->text(); }

  QTemporaryDir* dir_ = nullptr;
  FixedClock* clock_ = nullptr;
  MainWindow* w_ = nullptr;
  test::ScriptedDialogs* dialogs_ = nullptr;
  Noaa noaa_;
  LocalHttpServer* server_ = nullptr;
};

void SolarTest::initTestCase() {
  // Requests go straight to the test's server, never through a proxy.
  ::setenv("no_proxy", "127.0.0.1", 1);
  ::setenv("NO_PROXY", "127.0.0.1", 1);
  ::unsetenv(kSolarUrlVariable);
}

void SolarTest::init() {
  noaa_ = Noaa{};
  server_ = new LocalHttpServer([this](const std::string& path) { return noaa_(path); });
  dir_ = new QTemporaryDir;
}

void SolarTest::cleanup() {
  delete w_;
  w_ = nullptr;
  delete clock_;
  clock_ = nullptr;
  delete server_;
  server_ = nullptr;
  delete dir_;
  dir_ = nullptr;
}

void SolarTest::startWindow(const DateTime& now, const std::function<void()>& before) {
  const ProgramDirs dirs = folder(*dir_);
  if (before) before();
  clock_ = new FixedClock(now);
  w_ = new MainWindow(*clock_, dirs);
  dialogs_ = &test::scriptDialogs(*w_);
  w_->start();
  test::tick(w_, "tickAnpassen");
  w_->state().SolarUrl = server_->base();
}

std::pair<bool, bool> SolarTest::update() {
  auto* solar = w_->findChild<SolarData*>("solarData");
  QSignalSpy spy(solar, &SolarData::finished);
  test::ctl<QAction>(w_, "mnuSonnendaten")->trigger();
  if (!spy.wait(kWait)) qFatal("the update did not end");
  return {spy.at(0).at(0).toBool(), spy.at(0).at(1).toBool()};
}

void SolarTest::newUserSeesTheTablesValueAndItsSource() {
  startWindow({2026, 12, 8, 16, 5, 0});
  QCOMPARE(w_->state().SsnFromTable, 1);
  QCOMPARE(w_->state().Ssna, 88.7);
  QCOMPARE(panel(), QString("SSN 88.7 (NOAA vorhergesagt, Tabelle Stand 2026-10)"));
  // The language follows the user's choice.
  test::ctl<QAction>(w_, "mnuBeschriftung1")->trigger();
  QCOMPARE(panel(), QString("SSN 88.7 (NOAA predicted, table of 2026-10)"));
}

void SolarTest::updateChangesTheNumberShown() {
  startWindow({2026, 12, 8, 16, 5, 0});
  const auto [ok, cancelled] = update();
  QVERIFY(ok);
  QVERIFY(!cancelled);
  QCOMPARE(server_->requests(), 2);
  QCOMPARE(dialogs_->asked.size(), 1);
  QCOMPARE(dialogs_->asked[0], QString("Sonnendaten aktualisiert: Tabelle Stand 2026-12, 48 Monate."));
  QCOMPARE(w_->state().Ssna, 42.5);
  QCOMPARE(w_->state().SolarLastCheck, std::string("2026-12-08"));
  // The forecast is renewed as after a changed sunspot number.
  QVERIFY(test::ctl<QTimer>(w_, "tmrNeueDaten")->isActive());
  test::tick(w_, "tickNeueDaten");
  QCOMPARE(panel(), QString("SSN 42.5 (NOAA vorhergesagt, Tabelle Stand 2026-12)"));
  QVERIFY(read(*dir_, kSunspotUpdatedFile).find("2026-12,42.5,predicted") != std::string::npos);
  QVERIFY(!w_->findChild<SolarData*>("solarData")->running());
}

void SolarTest::badAnswersLeaveTheTableAndTellWhy() {
  startWindow({2026, 12, 8, 16, 5, 0});
  // A first good update: the table in use is then the user's own file.
  QVERIFY(update().first);
  test::tick(w_, "tickNeueDaten");
  const std::string table = read(*dir_, kSunspotUpdatedFile);
  QVERIFY(!table.empty());

  struct Case {
    const char* name;
    std::function<void(Noaa&)> spoil;
    const char* reason;  // part of the box's text
  } cases[] = {
      {"404", [](Noaa& n) { n.predicted = {.status = 404, .body = "gone"}; }, "404"},
      {"malformed JSON", [](Noaa& n) { n.observed.body = "[{\"time-tag\": \"2024-01\", "; }, "kein gültiges JSON"},
      {"value out of range", [](Noaa& n) { n.predicted.body = predictedJson("600"); }, "2026-12"},
      {"truncated body", [](Noaa& n) { n.predicted.announced = n.predicted.body.size() + 100; }, "unvollständig"},
  };
  for (const Case& c : cases) {
    noaa_ = Noaa{};
    c.spoil(noaa_);
    dialogs_->asked.clear();
    const auto [ok, cancelled] = update();
    QVERIFY2(!ok && !cancelled, c.name);
    QCOMPARE(dialogs_->asked.size(), 1);
    const QString said = dialogs_->asked[0];
    QVERIFY2(said.startsWith("Die Sonnendaten wurden nicht aktualisiert; die bisherige Tabelle gilt weiter."),
             qPrintable(QString(c.name) + ": " + said));
    QVERIFY2(said.contains(QString::fromUtf8(c.reason)), qPrintable(QString(c.name) + ": " + said));
    QVERIFY2(read(*dir_, kSunspotUpdatedFile) == table, c.name);
    QCOMPARE(w_->state().Ssna, 42.5);
    QVERIFY2(!test::ctl<QTimer>(w_, "tmrNeueDaten")->isActive(), c.name);
    QCOMPARE(panel(), QString("SSN 42.5 (NOAA vorhergesagt, Tabelle Stand 2026-12)"));
  }
}

void SolarTest::cancelStopsTheTransfer() {
  startWindow({2026, 12, 8, 16, 5, 0});
  noaa_.observed = {.hang = true};
  auto* solar = w_->findChild<SolarData*>("solarData");
  QSignalSpy spy(solar, &SolarData::finished);
  test::ctl<QAction>(w_, "mnuSonnendaten")->trigger();
  QVERIFY(solar->running());
  QProgressDialog* progress = solar->progressWindow();
  QVERIFY(progress);
  QVERIFY(progress->isVisible());
  QCOMPARE(progress->findChild<QPushButton*>()->text(), QString("Abbrechen"));
  // The window goes on working meanwhile.
  QVERIFY(!progress->isModal());
  // A second request brings the same update to the front.
  test::ctl<QAction>(w_, "mnuSonnendaten")->trigger();
  QCOMPARE(spy.size(), 0);

  QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
  QVERIFY(spy.wait(kWait));
  QCOMPARE(spy.at(0).at(0).toBool(), false);
  QCOMPARE(spy.at(0).at(1).toBool(), true);  // stopped by Cancel, not by the time-out
  QVERIFY(!solar->running());
  QVERIFY(dialogs_->asked.isEmpty());  // the user knows: no box, a line in the message bar
  QVERIFY(test::ctl<ui::MessageBar>(w_, "frmMeldungen")->texts().join("\n").contains("abgebrochen"));
  QVERIFY(read(*dir_, kSunspotUpdatedFile).empty());
  QCOMPARE(w_->state().SolarLastCheck, std::string());  // a cancelled update is no check
  QCOMPARE(w_->state().Ssna, 88.7);
}

void SolarTest::dialogChoiceReachesTheRecordAndThePreferences() {
  startWindow({2026, 12, 8, 16, 5, 0});
  auto* d = w_->conditionsDialog();
  auto* source = d->fraSsnQuelle;
  auto* timer = test::ctl<QTimer>(w_, "tmrNeueDaten");
  struct Step {
    const char* name;
    bool table;         // the choice
    QString box;        // typed into the sunspot box; empty: left as it is
    QString boxShown;   // the box at opening
    double ssna;
    int fromTable;
    bool renewed;       // a new forecast starts
    QString panelText;
  } steps[] = {
      {"the table stays", true, "", " 128", 88.7, 1, false,
       "SSN 88.7 (NOAA vorhergesagt, Tabelle Stand 2026-10)"},
      {"typed 120", false, "120", " 128", 120, 0, true, "SSN 120 (eingegeben)"},
      {"typed stays", false, "", " 120", 120, 0, false, "SSN 120 (eingegeben)"},
      {"back to the table", true, "", " 120", 88.7, 1, true, "SSN 88.7 (NOAA vorhergesagt, Tabelle Stand 2026-10)"},
      {"typed again, number as opened", false, "", " 120", 120, 0, true, "SSN 120 (eingegeben)"},
  };
  for (const Step& c : steps) {
    d->showFromState();
    QCOMPARE(d->txtSsn->text(), c.boxShown);
    QCOMPARE(source->optSsnTabelle->text(),
             QString("Aus der NOAA-Tabelle: 88.7 (NOAA vorhergesagt, Tabelle Stand 2026-10)"));
    QVERIFY(!source->lblSsnHinweis->isVisible());
    (c.table ? source->optSsnTabelle : source->optSsnEingabe)->click();
    if (!c.box.isEmpty()) d->txtSsn->setText(c.box);
    QTest::mouseClick(d->cmdRest, Qt::LeftButton);
    QVERIFY2(!d->isVisible(), c.name);
    QCOMPARE(w_->state().Ssna, c.ssna);
    QCOMPARE(w_->state().SsnFromTable, c.fromTable);
    QVERIFY2(timer->isActive() == c.renewed, c.name);
    if (timer->isActive()) test::tick(w_, "tickNeueDaten");
    QCOMPARE(panel(), c.panelText);
  }

  // A wrong address is refused and the dialog stays open; a mirror's is taken.
  d->showFromState();
  source->txtAdresse->setText("ftp://127.0.0.1");
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QVERIFY(d->isVisible());
  QCOMPARE(d->lblHinweis->text(), QString("ftp://127.0.0.1 ist keine http- oder https-Adresse."));
  QCOMPARE(w_->state().SolarUrl, server_->base());
  source->txtAdresse->setText("https://127.0.0.1:8443/noaa");
  source->chkMonatlich->setChecked(true);
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QVERIFY(!d->isVisible());
  QCOMPARE(w_->state().SolarUrl, std::string("https://127.0.0.1:8443/noaa"));
  QCOMPARE(w_->state().SolarCheckMonthly, 1);

  // The choice outlives the program: the preferences file keeps it.
  w_->close();
  const std::string prefs = read(*dir_, kWindowPrefsFile);
  for (const char* line : {"ssnfromtable=0\n", "ssntyped=120\n", "solarurl=https://127.0.0.1:8443/noaa\n",
                           "solarmonthly=1\n"})
    QVERIFY2(prefs.find(line) != std::string::npos, line);
}

void SolarTest::monthOutsideTheTableFallsBackAndSaysSo() {
  startWindow({2031, 5, 8, 16, 5, 0});
  QCOMPARE(w_->state().SsnFromTable, 1);
  QCOMPARE(panel(), QString("SSN 128 (eingegeben; 2031-05 fehlt in der Tabelle)"));
  auto* d = w_->conditionsDialog();
  auto* source = d->fraSsnQuelle;
  d->showFromState();
  QCOMPARE(source->optSsnTabelle->text(), QString("Aus der NOAA-Tabelle"));
  QVERIFY(source->lblSsnHinweis->isVisible());
  QCOMPARE(source->lblSsnHinweis->text(), QString("eingegeben; 2031-05 fehlt in der Tabelle"));
  // The note belongs to the table's choice.
  source->optSsnEingabe->click();
  QVERIFY(!source->lblSsnHinweis->isVisible());
  // With the table kept, a new number in the box is the one it falls back to.
  source->optSsnTabelle->click();
  d->txtSsn->setText("95");
  QTest::mouseClick(d->cmdRest, Qt::LeftButton);
  QCOMPARE(w_->state().Ssna, 95.0);
  QCOMPARE(w_->state().SsnFromTable, 1);
  QCOMPARE(w_->state().SsnTyped, std::string("95"));
  test::tick(w_, "tickNeueDaten");
  QCOMPARE(panel(), QString("SSN 95 (eingegeben; 2031-05 fehlt in der Tabelle)"));
}

void SolarTest::onlineOnlyWhenAskedOrTicked() {
  struct Case {
    const char* name;
    std::string prefs;
    int requests;
  } cases[] = {
      {"not ticked", "", 0},
      {"ticked, checked a week ago", "solarmonthly=1\nsolarlastcheck=2026-12-01\n", 0},
      {"ticked, due", "solarmonthly=1\nsolarlastcheck=2026-11-01\n", 2},
      {"ticked, never checked", "solarmonthly=1\n", 2},
  };
  for (const Case& c : cases) {
    cleanup();
    init();
    const std::string prefs = c.prefs + "solarurl=" + server_->base() + "\n";
    startWindow({2026, 12, 8, 16, 5, 0}, [&] { write(*dir_, kWindowPrefsFile, prefs); });
    auto* solar = w_->findChild<SolarData*>("solarData");
    if (solar->running()) {
      QSignalSpy spy(solar, &SolarData::finished);
      QVERIFY(spy.wait(kWait));
      QVERIFY2(spy.at(0).at(0).toBool(), c.name);
      // The monthly check reports in the message bar, without a box.
      QVERIFY(dialogs_->asked.isEmpty());
      QVERIFY(test::ctl<ui::MessageBar>(w_, "frmMeldungen")->texts().join("\n").contains("Sonnendaten aktualisiert"));
      QCOMPARE(w_->state().SolarLastCheck, std::string("2026-12-08"));
    }
    QCOMPARE(server_->requests(), c.requests);
  }
}

void SolarTest::askingDuringTheMonthlyCheckShowsItsProgress() {
  noaa_.observed = {.hang = true};
  startWindow({2026, 12, 8, 16, 5, 0}, [&] {
    write(*dir_, kWindowPrefsFile, "solarmonthly=1\nsolarurl=" + server_->base() + "\n");
  });
  auto* solar = w_->findChild<SolarData*>("solarData");
  QVERIFY(solar->running());
  QVERIFY(!solar->progressWindow());  // the monthly check runs unseen
  QSignalSpy spy(solar, &SolarData::finished);
  test::ctl<QAction>(w_, "mnuSonnendaten")->trigger();
  QVERIFY(solar->progressWindow());
  QVERIFY(solar->progressWindow()->isVisible());
  QCOMPARE(spy.size(), 0);  // the same update, not a second one
  // Cancel once the request is at the server (on a busy machine it may not be yet).
  QTRY_COMPARE_WITH_TIMEOUT(server_->requests(), 1, kWait);
  QTest::mouseClick(solar->progressWindow()->findChild<QPushButton*>(), Qt::LeftButton);
  QVERIFY(spy.wait(kWait));
  QCOMPARE(spy.at(0).at(1).toBool(), true);
  QCOMPARE(server_->requests(), 1);
}

void SolarTest::aboutBoxCreditsNoaa() {
  startWindow({2026, 12, 8, 16, 5, 0});
  test::ctl<QAction>(w_, "mnuInfo")->trigger();
  QCOMPARE(dialogs_->asked.size(), 1);
  QVERIFY(dialogs_->asked[0].contains("Sonnenfleckenzahlen: NOAA Space Weather Prediction Center (SWPC), gemeinfrei."));
  test::ctl<QAction>(w_, "mnuBeschriftung4")->trigger();
  QCOMPARE(test::ctl<QAction>(w_, "mnuSonnendaten")->text(), QString::fromUtf8("Mettre à jour les données solaires"));
}

QTEST_MAIN(SolarTest)
#include "solar_uitest.moc"
