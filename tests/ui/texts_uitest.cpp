// The window's words as the user meets them: the language of a first start,
// the names screen readers give the tool buttons, key names, the clock's
// date, and no English text left in the French and Spanish windows.
#include <QtTest>

#include <QAbstractButton>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "files/programdir.h"
#include "files/settings.h"
#include "ui/mainwindow.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::MainWindow;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat", "Ortsvorg.txt", "Orte.dat", "Welvaro.hlp"});
}

// The locale variables for one test, put back as they were at its end.
class Locale {
 public:
  Locale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (auto [name, value] : {std::pair{"LC_ALL", lcAll}, std::pair{"LC_MESSAGES", lcMessages},
                               std::pair{"LANG", lang}}) {
      old_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
      if (value) qputenv(name, value);
      else qunsetenv(name);
    }
  }
  ~Locale() {
    for (const auto& [name, value] : old_) {
      if (value) qputenv(name.c_str(), *value);
      else qunsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<QByteArray>> old_;
};

// The language chosen in the menu; the clock's next second writes its date.
void chooseLanguage(MainWindow& w, int slot) {
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(slot))->trigger();
  test::tick(w, "tickAktZeit");
}

// The four input dialogs, opened (again): they take the language at opening.
void openDialogs(MainWindow& w) {
  for (const char* m : {"mnuStationA", "mnuStationB", "mnuSonnenfleckenzahl", "mnuUTCZeitkorrektur"})
    test::ctl<QAction>(w, m)->trigger();
}

const char* const kTools[] = {"cmdWelt",          "cmdOrt",     "cmdAzimutal", "cmdGreyline", "cmdWelvarozeit",
                                  "cmdSonnenflecken", "cmdDrucker", "cmdEnde",     "cmdAbspielen"};

// Every text the window and its four dialogs show or give a screen reader,
// by the object and what of it is read.
std::map<QString, QString> allTexts(MainWindow& w) {
  std::map<QString, QString> t;
  auto remember = [&t](QObject* o, const char* what, const QString& text) {
    if (!text.isEmpty()) t[QString("%1 %2 %3").arg(quintptr(o)).arg(o->objectName(), what)] = text;
  };
  for (QWidget* x : w.findChildren<QWidget*>()) {
    remember(x, "toolTip", x->toolTip());
    remember(x, "accessibleName", x->accessibleName());
    remember(x, "windowTitle", x->isWindow() ? x->windowTitle() : QString());
    if (auto* l = qobject_cast<QLabel*>(x)) remember(x, "text", l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(x)) remember(x, "text", b->text());
    if (auto* m = qobject_cast<QMenu*>(x)) remember(x, "title", m->title());
    if (auto* c = qobject_cast<QComboBox*>(x))
      for (int i = 0; i < c->count(); ++i) remember(x, qPrintable(QString("item%1").arg(i)), c->itemText(i));
  }
  for (QAction* a : w.findChildren<QAction*>())
    if (a->isVisible()) remember(a, "text", a->text());
  return t;
}

// Words a French or Spanish text may share with the English one: names,
// units, codes and the words the languages have in common.
bool shared(const QString& text) {
  static const QStringList allowed = {"UTC",      "MHz",      "km",        "dBm",       "dBi",    "kW",    "dB",
                                      "V",        "m",        "h",         "s",         "A",      "B",     "N",
                                      "S",        "E",        "W",         "OK",        "Welvaro", "Locator",
                                      "Station",  "Distance", "Position",  "Latitude",  "Longitude",
                                      "Conditions", "Options", "English",  "Deutsch",   "Espa\u00F1ol",
                                      "Fran\u00E7ais", "M\u00FCnchen", "Madrid", "JN", "SC", "IN", "DJ",
                                      // the modes and the unit of their need; French "Mode"
                                      "CW", "SSB", "FT", "WSPR", "Hz", "Mode"};
  static const QRegularExpression word("[A-Za-z\u00C0-\u024F]+");
  for (auto it = word.globalMatch(text); it.hasNext();)
    if (!allowed.contains(it.next().captured())) return false;
  return true;
}

}  // namespace

class TextsTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartSpeaksTheSystemsLanguage_data();
  void firstStartSpeaksTheSystemsLanguage();
  void aSettingsFileKeepsItsLanguage();
  void toolButtonsHaveNamesInEveryLanguage();
  void keyNamesDateAndMemoryButtonFollowTheLanguage();
  void frenchAndSpanishWindowsHoldNoEnglishText();
};

void TextsTest::firstStartSpeaksTheSystemsLanguage_data() {
  QTest::addColumn<QByteArray>("lcAll");
  QTest::addColumn<QByteArray>("lcMessages");
  QTest::addColumn<QByteArray>("lang");
  QTest::addColumn<int>("slot");
  QTest::addColumn<QString>("file");
  QTest::newRow("LANG French") << QByteArray() << QByteArray() << QByteArray("fr_FR.UTF-8") << 4 << "&Fichier";
  QTest::newRow("LC_ALL Spanish") << QByteArray("es_ES.UTF-8") << QByteArray() << QByteArray("de_DE.UTF-8") << 3
                                  << "&Archivo";
  QTest::newRow("LC_MESSAGES English") << QByteArray() << QByteArray("en_GB.UTF-8") << QByteArray("fr_FR") << 1
                                       << "&File";
  QTest::newRow("C") << QByteArray() << QByteArray() << QByteArray("C.UTF-8") << 1 << "&File";
  QTest::newRow("Austrian German") << QByteArray() << QByteArray() << QByteArray("de_AT.UTF-8") << 0 << "&Datei";
}

void TextsTest::firstStartSpeaksTheSystemsLanguage() {
  QFETCH(QByteArray, lcAll);
  QFETCH(QByteArray, lcMessages);
  QFETCH(QByteArray, lang);
  QFETCH(int, slot);
  QFETCH(QString, file);
  const Locale locale(lcAll.isEmpty() ? nullptr : lcAll.constData(),
                      lcMessages.isEmpty() ? nullptr : lcMessages.constData(), lang.constData());
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  QCOMPARE(int(w.state().L), slot);
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), file);
  QVERIFY(test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(slot))->isChecked());
}

void TextsTest::aSettingsFileKeepsItsLanguage() {
  const Locale locale("fr_FR.UTF-8", nullptr, "fr_FR.UTF-8");
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  {
    auto s = std::make_unique<State>();
    s->L = 0;
    QVERIFY(writeSettings(*s, dir.filePath("Welvaro.dat").toStdString(), {2026, 12, 1}).ok());
  }
  MainWindow w(clock, folder(dir));
  w.start();
  QCOMPARE(int(w.state().L), 0);
  QCOMPARE(test::ctl<QMenu>(w, "mnuDatei")->title(), QString("&Datei"));
}

void TextsTest::toolButtonsHaveNamesInEveryLanguage() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  std::map<QString, QString> english;
  chooseLanguage(w, 1);
  for (const char* name : kTools) english[name] = test::ctl<QAbstractButton>(w, name)->accessibleName();
  QCOMPARE(english["cmdWelt"], QString("Worldwide forecast"));
  QCOMPARE(english["cmdWelvarozeit"], QString("Forecast month"));
  for (const int slot : {0, 3, 4}) {
    chooseLanguage(w, slot);
    for (const char* name : kTools) {
      const QString n = test::ctl<QAbstractButton>(w, name)->accessibleName();
      QVERIFY2(!n.isEmpty(), name);
      QVERIFY2(n != english[name], qPrintable(QString("%1 in slot %2: %3").arg(name).arg(slot).arg(n)));
    }
  }
  QCOMPARE(test::ctl<QAbstractButton>(w, "cmdEnde")->accessibleName(), QString("Quitter"));
}

void TextsTest::keyNamesDateAndMemoryButtonFollowTheLanguage() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  chooseLanguage(w, 0);
  QCOMPARE(test::ctl<QPushButton>(w, "cmdJetzt")->toolTip(), QString("Jetzt (Pos1)"));
  QVERIFY(test::ctl<QToolButton>(w, "cmdAbspielen")->toolTip().endsWith("(Leertaste)"));
  QCOMPARE(test::ctl<QPushButton>(w, "cmdSpeichern")->text(), QString("Merken"));
  QVERIFY(test::ctl<QPushButton>(w, "cmdSpeichern")->toolTip().contains("Speichertasten"));
  QVERIFY(test::ctl<QLabel>(w, "lblZeitanzeige")->toolTip().contains("Dezember 2026"));
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().contains("km (kurzer Weg)"));
  QVERIFY(test::ctl<QLabel>(w, "lblPegelAnzeige")->text().contains(QString::fromUtf8(" dB(µV/m)")));

  chooseLanguage(w, 4);
  QCOMPARE(test::ctl<QPushButton>(w, "cmdJetzt")->toolTip(), QString::fromUtf8("Maintenant (Début)"));
  QVERIFY(test::ctl<QToolButton>(w, "cmdAbspielen")->toolTip().endsWith("(Espace)"));
  QCOMPARE(test::ctl<QPushButton>(w, "cmdSpeichern")->text(), QString::fromUtf8("Mettre en mémoire"));
  QVERIFY(test::ctl<QLabel>(w, "lblZeitanzeige")->toolTip().contains(QString::fromUtf8("décembre 2026")));
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().contains("km (chemin court)"));
  QCOMPARE(test::ctl<QAction>(w, "mnuCursorposition")->text(), QString("Position du curseur"));

  chooseLanguage(w, 3);
  QCOMPARE(test::ctl<QPushButton>(w, "cmdJetzt")->toolTip(), QString("Ahora (Inicio)"));
  QVERIFY(test::ctl<QLabel>(w, "lblZeitanzeige")->toolTip().contains("diciembre de 2026"));
  QVERIFY(test::ctl<QLabel>(w, "lblGeoAuswertung")->text().contains("km (trayecto corto)"));
}

// What the accessibility tree of a French or a Spanish window reads: each
// text differs from the English window's text of the same control, unless
// its words are names, units or words both languages use.
void TextsTest::frenchAndSpanishWindowsHoldNoEnglishText() {
  QTemporaryDir dir;
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  chooseLanguage(w, 1);
  openDialogs(w);
  const std::map<QString, QString> english = allTexts(w);
  QVERIFY(english.size() > 100);
  for (const int slot : {3, 4}) {
    chooseLanguage(w, slot);
    openDialogs(w);
    for (const auto& [where, text] : allTexts(w)) {
      const auto e = english.find(where);
      if (e == english.end() || e->second != text) continue;
      QVERIFY2(shared(text), qPrintable(QString("slot %1, %2: %3").arg(slot).arg(where, text)));
    }
  }
}

QTEST_MAIN(TextsTest)
#include "texts_uitest.moc"
