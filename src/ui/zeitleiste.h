// The time bar under the picture: the UTC time the displays show, as a
// slider over the day in ten-minute steps, the button back to now, and the
// day played as a film (play/pause and its speed). The window decides what
// a time means; this bar only reports what the user chose.
#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "state/state.h"

namespace welvaro::ui {

class Zeitleiste : public QWidget {
  Q_OBJECT

 public:
  explicit Zeitleiste(QWidget* parent);

  /// Shows the time: the slider at `minute`, the text (red when it is not now).
  void zeige(int minute, bool jetzt, const QString& text);
  void sprache(const State& s);
  bool spielt() const { return tmrAbspielen.isActive(); }
  /// Play starts or stops.
  void schalteSpielen();
  /// Play stops (new data are computed, a dialog changed the inputs ...).
  void halte();

 signals:
  /// The user set the slider to `minute` of the UTC day.
  void minuteGewaehlt(int minute);
  /// The user asked for the time now.
  void jetztGewaehlt();
  /// Playing moved on by `minuten`.
  void weiter(int minuten);

 private:
  void bild();

  QToolButton* cmdAbspielen;
  QComboBox* cmbTempo;
  QSlider* sldZeit;
  QLabel* lblZeit;
  QPushButton* cmdJetzt;
  QTimer tmrAbspielen;
  QElapsedTimer seit_;
  double rest_ = 0;  // minutes played but not yet shown
};

}  // namespace welvaro::ui
