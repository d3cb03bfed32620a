// The frequency box with its six memories: the box shows the display
// frequency (grey) or an entry not yet confirmed (red), Enter confirms it,
// the memory buttons recall a frequency, and Store with the blinking marker
// stores the display frequency into the next memory pressed. The rules are
// the core's (input/eingabe.h); the main window does what a new frequency
// means for the displays.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>

#include "state/state.h"

namespace welvaro::ui {

class FrequencyBox : public QWidget {
  Q_OBJECT

 public:
  FrequencyBox(State& s, QWidget* parent);

  /// The box shows the record's frequency text, grey (confirmed).
  void showText();
  /// Captions and tool tips in the current language; the memory buttons
  /// say their frequencies.
  void retranslate();
  /// Store mode ends: the marker stops blinking.
  void stopBlinking();
  /// The box holds an entry not confirmed with Enter.
  bool unconfirmed() const { return red_; }
  QLineEdit* box() const { return txtAktFrequenz; }

 signals:
  /// Enter confirmed a frequency: AktFrequenz holds it.
  void confirmed();
  /// Memory button n (1..6) was pressed.
  void memoryButton(int n);
  /// Store was pressed while the box held an unconfirmed entry.
  void warning();
  /// The focus goes back to the picture.
  void finished();

 private:
  void enter();
  void store();
  void markRed();

  State& s_;
  QLabel* lblFrequenzEingabe;
  QLineEdit* txtAktFrequenz;
  std::array<QPushButton*, 6> cmdSpeicher{};
  QPushButton* cmdSpeichern;
  QLabel* shpSignal;
  QTimer tmrBlinker;
  bool red_ = false;
};

}  // namespace welvaro::ui
