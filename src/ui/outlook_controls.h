// Will my mode get through? The window's side of the outlook of a mode: the
// third display quantity beside level and field strength (a menu item and a
// tool button), the tool bar's list of the mode, the outlook line under the
// S-meter, and the mode and noise in the conditions dialog. What is chosen
// and what it sets going is decided in the core (display/outlookview.h);
// these controls show it and pass the user's choices on.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

#include "display/window_state.h"
#include "state/state.h"

namespace welvaro::ui {

/// The main window's controls of the outlook.
class OutlookControls : public QObject {
  Q_OBJECT

 public:
  OutlookControls(State& s, QWidget* window);

  /// Puts the quantity's menu item at the end of `display` (the menu of
  /// level and field strength).
  void addMenuItem(QMenu* display);
  /// Captions, tool tips, accessible names and the mode list in the
  /// current language.
  void retranslate();
  /// Check marks of the quantity, the mode list at the record's mode.
  void present(const WindowState& a);
  /// The point result's outlook line for the record as it is (runs the
  /// link's forecast at the three availabilities).
  void showPoint();

  QToolButton* cmdAussicht;     ///< the quantity's tool button (checkable)
  QComboBox* cmbModus;          ///< the tool bar's list of the mode
  QAction* mnuAussicht = nullptr;  ///< the quantity's menu item (checkable)
  QLabel* lblAussicht;          ///< "FT8: good, 14 dB to spare" under the S-meter

 signals:
  /// The user chose the outlook as the displays' quantity.
  void outlookChosen();
  /// The user chose another mode in the tool bar: what the window does.
  void choiceMade(const welvaro::FollowUp& f);

 private:
  void fillModes();

  State& s_;
};

/// The mode and the noise at the receiving station in the conditions dialog:
/// two lists, a box each for the custom need and my noise floor (open only
/// while that entry is chosen), and a sentence each on what they change.
class OutlookChoices : public QWidget {
  Q_OBJECT

 public:
  OutlookChoices(State& s, QWidget* parent);

  /// The lists and boxes from the record, in the current language.
  void showFromState();
  /// Captions and list texts in the current language, the entries kept.
  void retranslate();
  /// Writes the choice into the record. A failing box is marked, takes the
  /// focus and `hint` says what it accepts; then nothing is written and
  /// false comes back. A change emits changed().
  bool apply(QLabel* hint);

  QLabel *lblBetriebsart, *lblRauschen, *lblBetriebsartErklaerung, *lblRauschenErklaerung;
  QComboBox *cmbBetriebsart, *cmbRauschen;
  QLineEdit *txtBetriebsartDbHz, *txtRauschpegel;

 signals:
  /// Mode or noise changed: what the window does.
  void changed(const welvaro::FollowUp& f);

 private:
  void fillLists();
  void openBoxes();

  State& s_;
};

}  // namespace welvaro::ui
