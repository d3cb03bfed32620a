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

class TimeSlider;

class TimeBar : public QWidget {
  Q_OBJECT

 public:
  explicit TimeBar(QWidget* parent);

  /// Shows the time: the slider at `minute`, the text (red when it is not now).
  void present(int minute, bool now, const QString& text);
  void retranslate(const State& s);
  bool playing() const { return tmrAbspielen.isActive(); }
  /// Play starts or stops.
  void togglePlay();
  /// Play stops (new data are computed, a dialog changed the inputs ...).
  void pause();

 signals:
  /// The user set the slider to `minute` of the UTC day.
  void minuteChosen(int minute);
  /// The user asked for the time now.
  void nowChosen();
  /// Playing moved on by `minutes`.
  void advance(int minutes);

 private:
  void picture();

  QToolButton* cmdAbspielen;
  QComboBox* cmbTempo;
  TimeSlider* sldZeit;
  QLabel* lblZeit;
  QPushButton* cmdJetzt;
  QTimer tmrAbspielen;
  QElapsedTimer since_;
  double rest_ = 0;  // minutes played but not yet shown
};

}  // namespace welvaro::ui
