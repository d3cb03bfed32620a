// The slider of the time bar and the hour labels under it: the UTC day in
// ten-minute steps. A click on the groove moves the handle to where it was
// clicked (not a page towards it); the bar reads every position to the
// nearest ten minutes (sliderMinute), so dragging steps by ten minutes.
#pragma once

#include <QSlider>
#include <QStyle>
#include <QWidget>

namespace welvaro::ui {

class TimeSlider : public QSlider {
  Q_OBJECT

 public:
  explicit TimeSlider(QWidget* parent);

  /// The slider's position (0..1440) for `x` (pixels of the slider).
  int positionAt(int x) const;
  /// The x of the mark of `minute` (pixels of the slider).
  int xOf(int minute) const;

 protected:
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QRect part(QStyle::SubControl c) const;
};

/// The hours under the slider's marks, as many as there is room for.
class HourScale : public QWidget {
  Q_OBJECT

 public:
  HourScale(TimeSlider* slider, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  /// The hours labelled at the present width.
  QList<int> hours() const;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  TimeSlider* slider_;
};

}  // namespace welvaro::ui
