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

class FrequenzFeld : public QWidget {
  Q_OBJECT

 public:
  FrequenzFeld(State& s, QWidget* parent);

  /// The box shows the record's frequency text, grey (confirmed).
  void zeigeText();
  /// Captions and tool tips in the current language; the memory buttons
  /// say their frequencies.
  void sprache();
  /// Store mode ends: the marker stops blinking.
  void blinkenAus();
  /// The box holds an entry not confirmed with Enter.
  bool unbestaetigt() const { return rot_; }
  QLineEdit* box() const { return txtAktFrequenz; }

 signals:
  /// Enter confirmed a frequency: AktFrequenz holds it.
  void bestaetigt();
  /// Memory button n (1..6) was pressed.
  void speicherTaste(int n);
  /// Store was pressed while the box held an unconfirmed entry.
  void warnung();
  /// The focus goes back to the picture.
  void fertig();

 private:
  void enter();
  void speichern();
  void rot();

  State& s_;
  QLabel* lblFrequenzEingabe;
  QLineEdit* txtAktFrequenz;
  std::array<QPushButton*, 6> cmdSpeicher{};
  QPushButton* cmdSpeichern;
  QLabel* shpSignal;
  QTimer tmrBlinker;
  bool rot_ = false;
};

}  // namespace welvaro::ui
