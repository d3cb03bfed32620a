// The welcome at the first start: a small modeless dialog over the main
// window that asks for the user's own station (locator, place name or
// degrees), the transmitter power in watts, the antenna gain and the
// minimum elevation angle, each with one sentence on what it changes. The
// main window runs behind it as always; the rules are the core's
// (input/welcome.h), the dialog only binds them.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "input/welcome.h"
#include "state/state.h"
#include "ui/dialogs.h"

namespace welvaro::ui {

class WelcomeDialog : public QDialog {
  Q_OBJECT

 public:
  WelcomeDialog(State& s, PlaceSource places, QWidget* parent);

  /// Fills the boxes from the state and shows the dialog without taking the
  /// window's input from the main window.
  void showFromState();
  /// Texts in the current language.
  void retranslate();

  QLabel* lblWelcomeIntro;
  QLineEdit *txtWelcomeStation, *txtWelcomePower, *txtWelcomeGain, *txtWelcomeAngle;
  QLabel *shpWelcomeStation, *shpWelcomePower, *shpWelcomeGain, *shpWelcomeAngle;
  QLabel* lblHinweis;
  QPushButton *cmdWelcomeOk, *cmdWelcomeSkip;

 signals:
  /// The dialog closes; `changed`: values went into the program state, so
  /// the forecast must be renewed.
  void welcomeDone(bool changed);

 protected:
  void done(int r) override;

 private:
  void ok();
  void setMarker(std::size_t i, bool green);
  QString failureText(const WelcomeResult& e) const;

  State& s_;
  PlaceSource places_;
  WelcomeTexts opened_;
  std::array<QLineEdit*, 4> boxes_{};
  std::array<QLabel*, 4> markers_{}, labels_{}, notes_{};
  bool written_ = false;
};

}  // namespace welvaro::ui
