#include "ui/time_slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "display/window_state.h"

namespace welvaro::ui {

TimeSlider::TimeSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setRange(0, 1440);
  setSingleStep(10);
  setPageStep(60);
  setTickInterval(60);
  setTickPosition(QSlider::TicksBelow);
}

QRect TimeSlider::part(QStyle::SubControl c) const {
  QStyleOptionSlider o;
  initStyleOption(&o);
  return style()->subControlRect(QStyle::CC_Slider, &o, c, this);
}

int TimeSlider::positionAt(int x) const {
  const QRect handle = part(QStyle::SC_SliderHandle);
  const QRect g = part(QStyle::SC_SliderGroove);
  return QStyle::sliderValueFromPosition(minimum(), maximum(), x - g.x() - handle.width() / 2,
                                         g.width() - handle.width());
}

int TimeSlider::xOf(int minute) const {
  const QRect handle = part(QStyle::SC_SliderHandle);
  const QRect g = part(QStyle::SC_SliderGroove);
  return g.x() + handle.width() / 2 +
         QStyle::sliderPositionFromValue(minimum(), maximum(), minute, g.width() - handle.width());
}

void TimeSlider::mousePressEvent(QMouseEvent* e) {
  // A click beside the handle puts it there; it can be dragged on from there.
  if (e->button() == Qt::LeftButton && !part(QStyle::SC_SliderHandle).contains(e->position().toPoint()))
    setValue(positionAt(e->position().toPoint().x()));
  QSlider::mousePressEvent(e);
}

HourScale::HourScale(TimeSlider* slider, QWidget* parent) : QWidget(parent), slider_(slider) {
  setObjectName("hourScale");
}

QSize HourScale::sizeHint() const { return {0, fontMetrics().height()}; }

QList<int> HourScale::hours() const {
  const int step =
      hourLabelStep((slider_->xOf(1440) - slider_->xOf(0)) / 24.0, fontMetrics().horizontalAdvance("00"));
  QList<int> h;
  for (int hour = 0; hour <= 24; hour += step) h << hour;
  return h;
}

void HourScale::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(QPalette::WindowText));
  const int dx = slider_->x() - x();  // the slider and the scale share their parent
  const int y = fontMetrics().ascent();
  for (const int hour : hours()) {
    const QString t = QString::number(hour % 24).rightJustified(2, '0');
    const int w = fontMetrics().horizontalAdvance(t);
    p.drawText(std::clamp(dx + slider_->xOf(hour * 60) - w / 2, 0, width() - w), y, t);
  }
}

}  // namespace welvaro::ui
