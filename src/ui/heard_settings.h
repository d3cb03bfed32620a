// The settings of the receiver's decodes: its log files (added by hand or
// taken from those found in the receivers' usual folders), each with the
// position of the receiver that wrote it (empty: station A); listening for
// its UDP messages and on which address; how many days the decodes are
// kept; the span the map and the bands panel show. It edits a copy of the
// window preferences; the binder saves and applies them when OK is pressed.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <functional>
#include <string>
#include <vector>

#include "files/window_prefs.h"
#include "state/state.h"

namespace welvaro::ui {

class HeardSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  /// `chooseFile` asks the user for a log file (empty: cancelled).
  HeardSettingsDialog(const State& s, std::function<QString()> chooseFile, QWidget* parent);

  /// Fills the controls from the preferences and offers the logs found.
  void showPrefs(const WindowPrefs& f, const std::vector<std::string>& found);
  /// The preferences as the controls have them (the other keys of `f` kept).
  WindowPrefs edited(WindowPrefs f) const;

  void accept() override;

 private:
  void addLog(const QString& path);
  void logChosen();
  void positionEdited();
  void retranslate();

  const State& s_;
  std::function<QString()> chooseFile_;
  QLabel *lblLogs, *lblFound, *lblPosition, *lblKeep, *lblSpan;
  QListWidget* lstLogs;
  QPushButton *cmdAddLog, *cmdRemoveLog, *cmdAddFound;
  QComboBox *cmbFound, *cmbSpan;
  QLineEdit *txtPosition, *txtUdp;
  QCheckBox* chkListen;
  QSpinBox* spnKeepDays;
};

}  // namespace welvaro::ui
