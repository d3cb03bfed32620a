// The conditions dialog's part for the sunspot number's source and the solar
// data: the number typed in the box or NOAA's table's value for the forecast
// month (with that value beside the choice, and a note when the month is not
// in the table), whether to look for new solar data once a month, and the
// address the solar data come from (for mirrors). The decisions are the
// core's (solar/sunspot_choice.h); this frame binds them to its controls.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>
#include <string>

#include "files/programdir.h"
#include "state/state.h"

namespace welvaro::ui {

class SunspotSource : public QWidget {
  Q_OBJECT

 public:
  SunspotSource(State& s, ProgramDirs dirs, QWidget* parent);

  /// At opening: the choice, the table's offer and the settings from the
  /// record, every text in the current language.
  void showFromState();
  /// The box's text at opening (the typed number, also when the table is
  /// chosen: it is what the table falls back to).
  std::string boxText() const;
  /// Empty when the address may be taken, else what is wrong with it.
  QString addressProblem() const;
  /// OK: writes the choice (the box's text `typed`, `typedPassed` whether it
  /// passed the check) and the solar data's settings. Returns whether the
  /// sunspot number in use changed since the opening.
  bool confirm(const std::string& typed, bool typedPassed);

  QRadioButton* optSsnEingabe = nullptr;   ///< the number typed
  QRadioButton* optSsnTabelle = nullptr;   ///< NOAA's table, its value beside it
  QLabel* lblSsnHinweis = nullptr;         ///< the table has no value for the month
  QGroupBox* fraSonnendaten = nullptr;
  QCheckBox* chkMonatlich = nullptr;       ///< check once a month
  QLabel* lblAdresse = nullptr;
  QLineEdit* txtAdresse = nullptr;         ///< address up to "/json/solar-cycle/..."

 private:
  void showNote();

  State& s_;
  ProgramDirs dirs_;
  double ssnaAtOpening_ = 0;
};

}  // namespace welvaro::ui
