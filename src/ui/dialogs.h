// The four modeless input dialogs: station A, station B, the conditions
// (sunspot number, availability, path) and the time zone. Each shows one
// text box per field with a green or red marker beside it; Enter checks a
// box, a character that does not belong in a box is refused as it is typed
// (the marker turns red and the dialog says what the box accepts), and OK
// checks every box and writes the changed values into the program state. The rules themselves live in the core (input/eingabe.h); these
// windows only bind them to their controls.
#pragma once

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QValidator>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "input/eingabe.h"
#include "input/station.h"
#include "state/state.h"

namespace welvaro::ui {

/// Passes the events of the objects it watches to a function; the function
/// returns true for an event it has taken.
class Ereignisfilter : public QObject {
 public:
  using Funktion = std::function<bool(QObject*, QEvent*)>;
  Ereignisfilter(QObject* parent, Funktion f) : QObject(parent), f_(std::move(f)) {}
  bool eventFilter(QObject* o, QEvent* e) override { return f_(o, e); }

 private:
  Funktion f_;
};

/// Lets into a box only what a rule of the core allows, so a wrong character
/// is refused alone as it is typed (or pasted) and the rest of the box stays;
/// the box then emits inputRejected().
class TextPruefer : public QValidator {
 public:
  using Regel = std::function<bool(std::string_view)>;
  TextPruefer(Regel regel, QObject* parent) : QValidator(parent), regel_(std::move(regel)) {}
  State validate(QString& text, int&) const override {
    return regel_(text.toStdString()) ? Intermediate : Invalid;
  }

 private:
  Regel regel_;
};

/// What the input dialogs have in common: the boxes with their markers and
/// labels, the key handling, the hint line and the end of OK.
class EingabeDialog : public QDialog {
  Q_OBJECT

 public:
  /// The line under the boxes that says what a box accepts after it refused
  /// a character or a value.
  QLabel* lblHinweis = nullptr;

  /// Whether a marker shows green (accepted) rather than red (rejected).
  static bool istGruen(const QLabel* marker);

  /// Title, labels and the boxes' hints in the current language.
  virtual void sprachWechsel();

  /// The failing field of the last OK (1..n), 0 when none failed.
  int flagge() const { return flagge_; }

 signals:
  /// OK passed and the dialog closes. `neu`: a changed value went into the
  /// program state (by this OK or by an earlier one that failed elsewhere),
  /// so the displays must follow.
  void bestaetigt(bool neu);
  /// The dialog was closed without a passing OK, after a failing OK had
  /// written the fields that passed: the displays must follow them all the same.
  void verlassenNachAenderung();

 protected:
  /// `titel`: the language key of the window title.
  EingabeDialog(State& s, const char* name, int titel, QWidget* parent);

  struct Zeile {
    Feld feld;
    QLineEdit* box;
    QLabel* marker;
    QLabel* label;
  };

  /// Adds a row (label, box, marker) and returns the box.
  QLineEdit* zeile(Feld feld, const char* boxName, const char* markerName, QLabel*& label, const char* labelName,
                   const char* labelText, QLabel*& marker);
  /// Adds the OK button under the rows; it comes first in the tab order.
  QPushButton* okKnopf(const char* name);

  /// Puts the texts into the boxes, turns every marker green, sets the title
  /// and the boxes' hints in the current language and shows the dialog with
  /// the focus on OK.
  void zeigeMitTexten(const std::vector<std::string>& texte);

  void setzeMarker(std::size_t i, bool gruen);

  /// The boxes' texts for the core's checks.
  template <std::size_t N>
  std::array<std::string, N> texte() const {
    std::array<std::string, N> t;
    for (std::size_t i = 0; i < N; ++i) t[i] = zeilen_[i].box->text().toStdString();
    return t;
  }

  /// Shows what the core's OK left (box texts, markers) and ends the OK:
  /// with a failing field its box takes the focus and the dialog stays open
  /// for correction; otherwise bestaetigt() and the dialog closes.
  template <std::size_t N>
  void okZeigen(const std::array<std::string, N>& boxen, const OkErgebnis<N>& e) {
    for (std::size_t i = 0; i < N; ++i) {
      const QString t = QString::fromStdString(boxen[i]);
      if (zeilen_[i].box->text() != t) zeilen_[i].box->setText(t);
      setzeMarker(i, !e.rot[i]);
    }
    if (e.flagge != 0) zeigeHinweis(static_cast<std::size_t>(e.flagge - 1));
    okEnde(e.flagge, e.start);
  }

  /// The check of OK, done by each dialog with its core rule.
  virtual void ok() = 0;
  /// Enter in box i when the dialog reads it its own way (a locator in a
  /// position box); returns false for the usual check.
  virtual bool enterSonder(std::size_t) { return false; }
  /// What box i accepts, in the current language.
  virtual QString hinweis(std::size_t i) const;
  /// The hint line says `text` for box i, whose marker turns red.
  void zeigeHinweisText(std::size_t i, const QString& text);

  void done(int r) override;

  State& s_;
  std::vector<Zeile> zeilen_;
  QPushButton* ok_ = nullptr;

 private:
  void okEnde(int flagge, bool start);
  bool taste(std::size_t i, QKeyEvent* e);
  void enter(std::size_t i);
  void zeigeHinweis(std::size_t i);

  QGridLayout* raster_ = nullptr;
  int titel_;
  int flagge_ = 0;
  bool geschrieben_ = false;  // an OK of this opening wrote values
  bool okSchliesst_ = false;
};

/// The places the station dialogs complete and look names up in: the place
/// list and the gazetteer, read at their first use.
using Ortsquelle = std::function<const Ortsverzeichnis&()>;

/// What the two station dialogs share in their first three rows (name,
/// latitude, longitude): place names completed as they are typed, a
/// Maidenhead locator in a position box, the locator of the position as it
/// is typed, and a confirmed name that stands for a place or a locator.
class StationsDialog : public EingabeDialog {
  Q_OBJECT

 public:
  /// The locator of the position the boxes give as they are typed.
  QLabel* lblLocatorAnzeige = nullptr;

 protected:
  StationsDialog(State& s, const char* name, int titel, Ortsquelle orte, QWidget* parent);
  /// Binds the rows 0 (name), 1 (latitude) and 2 (longitude).
  void bindeStation();
  /// At opening: no position from a locator or place yet.
  void oeffnenStation();
  /// Before OK's checks: a name typed while the coordinates stayed as they
  /// were opened becomes its place's or locator's position. Returns false
  /// when the dialog stays open (several places bear the name, a malformed
  /// locator).
  bool nameVorOk(const std::string& name0, const std::string& breite0, const std::string& laenge0);
  /// The position texts from a locator or a chosen place, or null.
  const GenauePosition* genau() const { return genau_.breiteText.empty() ? nullptr : &genau_; }

  bool enterSonder(std::size_t i) override;
  QString hinweis(std::size_t i) const override;

 private:
  void setzePosition(const std::string& breite, const std::string& laenge);
  void zeigeLocator();

  Ortsquelle orte_;
  GenauePosition genau_;
  std::vector<Treffer> vorschlaege_;
  QStringListModel* vorschlagListe_ = nullptr;
};

/// "Vorgabe Station [A]": place, latitude, longitude, gain, angle, power.
class StationADialog : public StationsDialog {
  Q_OBJECT

 public:
  StationADialog(State& s, Ortsquelle orte, QWidget* parent);
  /// Fills the boxes from the state, labels in the current language, shows.
  void oeffnen();

  QLineEdit *txtOrt, *txtBreite, *txtLaenge, *txtGewinn, *txtWinkel, *txtLeistung;
  QLabel *shpOrt, *shpBreite, *shpLaenge, *shpGewinn, *shpWinkel, *shpLeistung;
  QLabel *lblStationsort, *lblBreitengrad, *lblLaengengrad, *lblAntennengewinn, *lblAbstrahlwinkel,
      *lblSendeleistung;
  QPushButton* cmdStationA;

  void sprachWechsel() override;

 protected:
  void ok() override;

 private:
  StationATexte textS_;
};

/// "Vorgaben Station [B]": place, latitude, longitude.
class StationBDialog : public StationsDialog {
  Q_OBJECT

 public:
  StationBDialog(State& s, Ortsquelle orte, QWidget* parent);
  void oeffnen();

  QLineEdit *txtOrt, *txtBreite, *txtLaenge;
  QLabel *shpOrt, *shpBreite, *shpLaenge;
  QLabel *lblOrt, *lblBreite, *lblLaenge;
  QPushButton* cmdStationB;

  void sprachWechsel() override;

 protected:
  void ok() override;

 private:
  StationBTexte textS_;
};

/// "Vorgaben": sunspot number, availability, path.
class BedingungenDialog : public EingabeDialog {
  Q_OBJECT

 public:
  BedingungenDialog(State& s, QWidget* parent);
  void oeffnen();

  QLineEdit *txtSsn, *txtWahrscheinlichkeit, *txtSendeweg;
  QLabel *shpSsn, *shpWahrscheinlichkeit, *shpSendeweg;
  QLabel *lblSsn, *lblWahrscheinlichkeit, *lblSendeweg;
  QPushButton* cmdRest;

 protected:
  void ok() override;

 private:
  BedingungenTexte textS_;
};

/// "UTC-Zeitkorrektur": local time minus UTC in hours.
class ZeitzoneDialog : public EingabeDialog {
  Q_OBJECT

 public:
  ZeitzoneDialog(State& s, QWidget* parent);
  void oeffnen();

  QLineEdit* txtUTCZeitkorrektur;
  QLabel* shpUTC;
  QLabel* lblZeitkorrektur;
  QPushButton* cmdZeitkorrektur;

 protected:
  void ok() override;

 private:
  std::string textS_;
};

}  // namespace welvaro::ui
