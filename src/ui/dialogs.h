// The four modeless input dialogs: station A, station B, the conditions
// (sunspot number, availability, path) and the time zone. Each shows one
// text box per field with a green or red marker beside it; Enter checks a
// box, a character that does not belong in a box is refused as it is typed
// (the marker turns red and the dialog says what the box accepts), and OK
// checks every box and writes the changed values into the program state. The rules themselves live in the core (input/eingabe.h); these
// windows only bind them to their controls.
#pragma once

#include <QComboBox>
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

#include "files/programdir.h"
#include "input/input_rules.h"
#include "input/station.h"
#include "state/state.h"

namespace welvaro::ui {

class SunspotSource;
class OutlookChoices;

/// Passes the events of the objects it watches to a function; the function
/// returns true for an event it has taken.
class EventFilter : public QObject {
 public:
  using Function = std::function<bool(QObject*, QEvent*)>;
  EventFilter(QObject* parent, Function f) : QObject(parent), f_(std::move(f)) {}
  bool eventFilter(QObject* o, QEvent* e) override { return f_(o, e); }

 private:
  Function f_;
};

/// Lets into a box only what a rule of the core allows, so a wrong character
/// is refused alone as it is typed (or pasted) and the rest of the box stays;
/// the box then emits inputRejected().
class TextValidator : public QValidator {
 public:
  using Rule = std::function<bool(std::string_view)>;
  TextValidator(Rule rule, QObject* parent) : QValidator(parent), rule_(std::move(rule)) {}
  State validate(QString& text, int&) const override {
    return rule_(text.toStdString()) ? Intermediate : Invalid;
  }

 private:
  Rule rule_;
};

/// What the input dialogs have in common: the boxes with their markers and
/// labels, the key handling, the hint line and the end of OK.
class InputDialog : public QDialog {
  Q_OBJECT

 public:
  /// The line under the boxes that says what a box accepts after it refused
  /// a character or a value.
  QLabel* lblHinweis = nullptr;

  /// Whether a marker shows green (accepted) rather than red (rejected).
  static bool isGreen(const QLabel* marker);

  /// Title, labels and the boxes' hints in the current language.
  virtual void retranslate();

  /// The failing field of the last OK (1..n), 0 when none failed.
  int flag() const { return flag_; }

 signals:
  /// OK passed and the dialog closes. `changed`: a changed value went into the
  /// program state (by this OK or by an earlier one that failed elsewhere),
  /// so the displays must follow.
  void confirmed(bool changed);
  /// The dialog was closed without a passing OK, after a failing OK had
  /// written the fields that passed: the displays must follow them all the same.
  void leftAfterChange();

 protected:
  /// `title`: the language key of the window title.
  InputDialog(State& s, const char* name, int title, QWidget* parent);

  struct Row {
    Field field;
    QLineEdit* box;
    QLabel* marker;
    QLabel* label;
  };

  /// Adds a row (label, box, marker) and returns the box.
  QLineEdit* row(Field field, const char* boxName, const char* markerName, QLabel*& label, const char* labelName,
                   const char* labelText, QLabel*& marker);
  /// Shows `choice` in place of box i, which stays hidden behind it and
  /// holds the text of the choice for the checks.
  void replaceBox(std::size_t i, QWidget* choice);
  /// Adds the OK button under the rows, with Cancel beside it; OK comes first
  /// in the tab order.
  QPushButton* okButton(const char* name);

  /// Puts the texts into the boxes, turns every marker green, sets the title
  /// and the boxes' hints in the current language and shows the dialog with
  /// the focus on OK.
  void showTexts(const std::vector<std::string>& texts);

  void setMarker(std::size_t i, bool green);

  /// The boxes' texts for the core's checks.
  template <std::size_t N>
  std::array<std::string, N> texts() const {
    std::array<std::string, N> t;
    for (std::size_t i = 0; i < N; ++i) t[i] = rows_[i].box->text().toStdString();
    return t;
  }

  /// Shows what the core's OK left (box texts, markers) and ends the OK:
  /// with a failing field its box takes the focus and the dialog stays open
  /// for correction; otherwise confirmed() and the dialog closes.
  template <std::size_t N>
  void showOk(const std::array<std::string, N>& boxes, const OkResult<N>& e) {
    for (std::size_t i = 0; i < N; ++i) {
      const QString t = QString::fromStdString(boxes[i]);
      if (rows_[i].box->text() != t) rows_[i].box->setText(t);
      setMarker(i, !e.red[i]);
    }
    if (e.flag != 0) showHint(static_cast<std::size_t>(e.flag - 1));
    finishOk(e.flag, e.start);
  }

  /// The check of OK, done by each dialog with its core rule.
  virtual void ok() = 0;
  /// Enter in box i when the dialog reads it its own way (a locator in a
  /// position box); returns false for the usual check.
  virtual bool specialEnter(std::size_t) { return false; }
  /// What box i accepts, in the current language.
  virtual QString hint(std::size_t i) const;
  /// The hint line says `text` for box i, whose marker turns red.
  void showHintText(std::size_t i, const QString& text);

  void done(int r) override;

  State& s_;
  std::vector<Row> rows_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;  ///< closes without taking the boxes

 private:
  void finishOk(int flag, bool start);
  bool key(std::size_t i, QKeyEvent* e);
  void enter(std::size_t i);
  void showHint(std::size_t i);

  QGridLayout* grid_ = nullptr;
  int title_;
  int flag_ = 0;
  bool written_ = false;  // an OK of this opening wrote values
  bool okCloses_ = false;
};

/// The places the station dialogs complete and look names up in: the place
/// list and the gazetteer, read at their first use.
using PlaceSource = std::function<const PlaceIndex&()>;

/// What the two station dialogs share in their first three rows (name,
/// latitude, longitude): place names completed as they are typed, a
/// Maidenhead locator in a position box, the locator of the position as it
/// is typed, and a confirmed name that stands for a place or a locator.
class StationDialog : public InputDialog {
  Q_OBJECT

 public:
  /// The locator of the position the boxes give as they are typed.
  QLabel* lblLocatorAnzeige = nullptr;

 protected:
  StationDialog(State& s, const char* name, int title, PlaceSource places, QWidget* parent);
  /// Binds the rows 0 (name), 1 (latitude) and 2 (longitude).
  void bindStation();
  /// At opening with the station's name: no position from a locator or place yet.
  void openStation(const std::string& name);
  /// Before OK's checks: a name typed while the coordinates stayed as they
  /// were opened becomes its place's or locator's position. Returns false
  /// when the dialog stays open (several places bear the name, a malformed
  /// locator).
  bool nameBeforeOk(const std::string& name0, const std::string& lat0, const std::string& lon0);
  /// The position texts from a locator or a chosen place, or null.
  const ExactPosition* exact() const { return exact_.latText.empty() ? nullptr : &exact_; }

  bool specialEnter(std::size_t i) override;
  QString hint(std::size_t i) const override;

 private:
  void setPosition(const std::string& lat, const std::string& lon);
  void showLocator();

  PlaceSource places_;
  std::string nameAtOpening_;
  ExactPosition exact_;
  std::vector<Match> suggestions_;
  QStringListModel* suggestionModel_ = nullptr;
};

/// "Vorgabe Station [A]": place, latitude, longitude, gain, angle, power.
class StationADialog : public StationDialog {
  Q_OBJECT

 public:
  StationADialog(State& s, PlaceSource places, QWidget* parent);
  /// Fills the boxes from the state, labels in the current language, shows.
  void showFromState();

  QLineEdit *txtOrt, *txtBreite, *txtLaenge, *txtGewinn, *txtWinkel, *txtLeistung;
  QLabel *shpOrt, *shpBreite, *shpLaenge, *shpGewinn, *shpWinkel, *shpLeistung;
  QLabel *lblStationsort, *lblBreitengrad, *lblLaengengrad, *lblAntennengewinn, *lblAbstrahlwinkel,
      *lblSendeleistung;
  QPushButton* cmdStationA;

  void retranslate() override;

 protected:
  void ok() override;

 private:
  StationATexts openedTexts_;
};

/// "Vorgaben Station [B]": place, latitude, longitude.
class StationBDialog : public StationDialog {
  Q_OBJECT

 public:
  StationBDialog(State& s, PlaceSource places, QWidget* parent);
  void showFromState();

  QLineEdit *txtOrt, *txtBreite, *txtLaenge;
  QLabel *shpOrt, *shpBreite, *shpLaenge;
  QLabel *lblOrt, *lblBreite, *lblLaenge;
  QPushButton* cmdStationB;

  void retranslate() override;

 protected:
  void ok() override;

 private:
  StationBTexts openedTexts_;
};

/// "Vorgaben": sunspot number (typed or from NOAA's table), availability,
/// path, and the solar data's settings.
class ConditionsDialog : public InputDialog {
  Q_OBJECT

 public:
  ConditionsDialog(State& s, const ProgramDirs& dirs, QWidget* parent);
  void showFromState();
  void retranslate() override;

  QLineEdit *txtSsn, *txtWahrscheinlichkeit, *txtSendeweg;
  /// Availability and path take a few values only: choice lists, whose
  /// choice stands in the hidden boxes above.
  QComboBox *cmbWahrscheinlichkeit, *cmbSendeweg;
  QLabel *shpSsn, *shpWahrscheinlichkeit, *shpSendeweg;
  QLabel *lblSsn, *lblWahrscheinlichkeit, *lblSendeweg;
  QPushButton* cmdRest;
  SunspotSource* fraSsnQuelle;  ///< typed or from the table; the solar data's settings
  OutlookChoices* outlookChoices;  ///< the outlook's mode and noise


 protected:
  void ok() override;

 private:
  ConditionsTexts openedTexts_;
};

/// "UTC-Zeitkorrektur": local time minus UTC in hours.
class TimeZoneDialog : public InputDialog {
  Q_OBJECT

 public:
  TimeZoneDialog(State& s, QWidget* parent);
  void showFromState();

  QLineEdit* txtUTCZeitkorrektur;
  QLabel* shpUTC;
  QLabel* lblZeitkorrektur;
  QPushButton* cmdZeitkorrektur;

 protected:
  void ok() override;

 private:
  std::string openedTexts_;
};

}  // namespace welvaro::ui
