#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "outlook/outlook.h"

namespace welvaro::ui {

namespace {

// Small icons for the tool bar, drawn so that they read at any scaling.
QIcon drawIcon(const std::function<void(QPainter&)>& paint) {
  QIcon icon;
  for (int size : {24, 48}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    paint(p);
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace

QIcon worldIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 140), 1.5));
    p.setBrush(QColor(120, 180, 240));
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 3, 8, 18));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
  });
}

QIcon chartIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(4, 3), QPointF(4, 20));
    p.drawLine(QPointF(4, 20), QPointF(21, 20));
    QPainterPath curve(QPointF(5, 17));
    curve.cubicTo(QPointF(9, 17), QPointF(11, 5), QPointF(14, 5));
    curve.cubicTo(QPointF(17, 5), QPointF(18, 15), QPointF(21, 15));
    p.setPen(QPen(QColor(220, 40, 40), 2));
    p.drawPath(curve);
  });
}

QIcon greylineIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 90));
    p.drawRect(QRectF(3, 4, 9, 16));
    p.setBrush(QColor(30, 40, 80));
    p.drawRect(QRectF(12, 4, 9, 16));
    p.setPen(QPen(Qt::black, 1.5));
    QPainterPath limit(QPointF(12, 4));
    limit.cubicTo(QPointF(7, 9), QPointF(17, 15), QPointF(12, 20));
    p.setBrush(Qt::NoBrush);
    p.drawPath(limit);
  });
}

QIcon clockIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));
    p.drawLine(QPointF(12, 12), QPointF(16, 14));
  });
}

QIcon printerIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 14, 10, 7));
  });
}

QIcon sunIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(230, 150, 20), 1.5));
    for (int i = 0; i < 8; ++i) {
      const double w = i * M_PI / 4;
      p.drawLine(QPointF(12 + 7 * std::cos(w), 12 + 7 * std::sin(w)), QPointF(12 + 10 * std::cos(w), 12 + 10 * std::sin(w)));
    }
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRectF(7, 7, 10, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 70, 10));
    p.drawEllipse(QRectF(10, 10, 2.5, 2.5));
    p.drawEllipse(QRectF(13, 12.5, 2, 2));
  });
}

QIcon endIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(180, 30, 30), 2.2));
    p.drawArc(QRectF(4, 5, 16, 16), 120 * 16, 300 * 16);
    p.drawLine(QPointF(12, 3), QPointF(12, 12));
  });
}

QIcon outlookIcon() {
  // The four classes' colours as a row of quarter discs, so it reads as
  // "good to closed".
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    const Outlook order[] = {Outlook::Good, Outlook::Fair, Outlook::Poor, Outlook::Closed};
    for (int i = 0; i < 4; ++i) {
      const OutlookColour c = outlookColour(order[i]);
      p.setBrush(QColor(c.red, c.green, c.blue));
      p.drawPie(QRectF(2, 2, 20, 20), 90 * 16 - i * 90 * 16, -90 * 16);
    }
  });
}

QIcon azimuthalIcon() {
  return drawIcon([](QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 140), 1.3));
    p.setBrush(QColor(120, 180, 240));
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7, 7, 10, 10));
    p.drawLine(QPointF(12, 2.5), QPointF(12, 21.5));
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QRectF(10, 10, 4, 4));
  });
}

QPixmap waitPicture(const QString& text) {
  const int w = 200, h = 64;
  QPixmap pm(w * 2, h * 2);
  pm.setDevicePixelRatio(2);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(255, 220, 120), 2));
  p.setBrush(QColor(0, 0, 0, 200));
  p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 8, 8);
  // Hourglass.
  p.setPen(QPen(QColor(255, 220, 120), 2));
  p.drawLine(QPointF(16, 12), QPointF(40, 12));
  p.drawLine(QPointF(16, 52), QPointF(40, 52));
  QPainterPath glass;
  glass.moveTo(19, 12);
  glass.lineTo(37, 12);
  glass.lineTo(28, 32);
  glass.lineTo(37, 52);
  glass.lineTo(19, 52);
  glass.lineTo(28, 32);
  glass.closeSubpath();
  p.setBrush(Qt::NoBrush);
  p.drawPath(glass);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 200, 60));
  QPolygonF sand({QPointF(22, 50), QPointF(34, 50), QPointF(28, 40)});
  p.drawPolygon(sand);
  QFont f = p.font();
  f.setPixelSize(15);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(50, 10, w - 56, h - 20), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
  return pm;
}

}  // namespace welvaro::ui
