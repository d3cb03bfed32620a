#include "ui/picturearea.h"

#include <QMouseEvent>
#include <QPainter>

namespace welvaro::ui {

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  markers_[0].color = QColor(255, 255, 255);
  markers_[1].color = QColor(255, 0, 255);
}

QSize PictureArea::sizeHint() const { return picture_.isNull() ? QSize(541, 271) : picture_.size(); }

void PictureArea::setPicture(const QImage& image) {
  const bool neueGroesse = image.size() != picture_.size();
  picture_ = image;
  setFixedSize(sizeHint());
  update();
  if (neueGroesse) emit groesseGeaendert();
}

void PictureArea::clearDrawings() {
  lines_.clear();
  update();
}

void PictureArea::addLines(const QVector<QLineF>& twipLines) {
  lines_ += twipLines;
  update();
}

void PictureArea::paintContent(QPainter& p, bool withMarkers) const {
  p.fillRect(QRect(QPoint(0, 0), size()), Qt::black);
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 0));
  for (const QLineF& l : lines_)
    p.drawLine(QLineF(l.p1() / kTwipsProPixel, l.p2() / kTwipsProPixel));
  if (!withMarkers) return;
  QPen linePen(QColor(255, 255, 255), 0);
  p.setPen(linePen);
  if (zeitlinie.visible) {
    const double x = zeitlinie.twips / kTwipsProPixel;
    p.drawLine(QLineF(x, 0, x, height()));
  }
  if (frequenzlinie.visible) {
    const double y = frequenzlinie.twips / kTwipsProPixel;
    p.drawLine(QLineF(0, y, width(), y));
  }
  for (const Marker& m : markers_) {
    if (!m.visible) continue;
    const QPointF tl = m.topLeftTwips / kTwipsProPixel;
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(m.color);
    p.drawRect(QRectF(tl, QSizeF(8, 8)));
  }
}

void PictureArea::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintContent(p, true);
}

QRgb PictureArea::colourAt(QPoint pixel) const {
  if (picture_.isNull() || !QRect(QPoint(0, 0), picture_.size()).contains(pixel)) return qRgb(0, 0, 0);
  // The read-out sees the picture with its run-time drawings, as shown.
  QImage shown(picture_.size(), QImage::Format_RGB32);
  QPainter p(&shown);
  paintContent(p, false);
  p.end();
  return shown.pixel(pixel);
}

void PictureArea::mouseMoveEvent(QMouseEvent* e) {
  const QPointF pos = e->position();
  emit cursorMoved(pos.x() * kTwipsProPixel, pos.y() * kTwipsProPixel);
}

void PictureArea::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  setFocus();
  const QPointF pos = e->position();
  emit clicked(pos.x() * kTwipsProPixel, pos.y() * kTwipsProPixel);
}

}  // namespace welvaro::ui
