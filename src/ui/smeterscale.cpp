#include "ui/smeterscale.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "display/smeter.h"

namespace welvaro::ui {

namespace {

// The bar's frame (its style sheet gives it a border of one pixel).
constexpr int kBorder = 1;

}  // namespace

SmeterScale::SmeterScale(const QProgressBar* bar, QWidget* parent) : QWidget(parent), bar_(bar) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int SmeterScale::fillLeft() const {
  const QWidget* w = window();
  return bar_->mapTo(w, QPoint(0, 0)).x() - mapTo(w, QPoint(0, 0)).x() + kBorder;
}

int SmeterScale::fillWidth() const { return std::max(0, bar_->width() - 2 * kBorder); }

void SmeterScale::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QFont f = p.font();
  f.setPixelSize(10);
  p.setFont(f);
  p.setPen(QColor(60, 60, 60));
  const int left = fillLeft();
  for (const SmeterMark& m : smeterMarks(fillWidth())) {
    // The tick on the first pixel past the fill's end, the label centred
    // on it and kept inside the widget.
    const int x = left + static_cast<int>(std::floor(m.x));
    p.drawLine(x, 0, x, 2);
    const QString text = QString::fromStdString(m.text);
    const int w = p.fontMetrics().horizontalAdvance(text);
    p.drawText(QPointF(std::clamp(x + 0.5 - w / 2.0, 0.0, std::max(0.0, width() - w * 1.0)), 13), text);
  }
}

}  // namespace welvaro::ui
