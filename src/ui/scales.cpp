#include "ui/scales.h"

#include <QFontDatabase>
#include <QPainter>
#include <functional>

namespace welvaro::ui {

namespace {

constexpr int kDicke = 24;  // thickness of a scale strip [px]

QFont skalenFont() {
  QFont f = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
  f.setPixelSize(10);
  return f;
}

QPixmap leer(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

// A horizontal graduation: `n` intervals of `schritt` px from x = 0, label i
// at every `jede`-th tick.
QPixmap horizontal(int breite, double schritt, int n, int jede, const std::function<QString(int)>& text) {
  QPixmap pm = leer(breite + 20, kDicke);
  QPainter p(&pm);
  p.setFont(skalenFont());
  p.setPen(QColor(60, 60, 60));
  for (int i = 0; i <= n; ++i) {
    const double x = 10 + i * schritt;
    const bool lang = i % jede == 0;
    p.drawLine(QLineF(x, 0, x, lang ? 6 : 3));
    if (lang) {
      const QString t = text(i);
      const int w = p.fontMetrics().horizontalAdvance(t);
      p.drawText(QPointF(x - w / 2.0, 17), t);
    }
  }
  return pm;
}

QPixmap vertikal(int hoehe, double schritt, int n, int jede, const std::function<QString(int)>& text) {
  QPixmap pm = leer(34, hoehe + 12);
  QPainter p(&pm);
  p.setFont(skalenFont());
  p.setPen(QColor(60, 60, 60));
  for (int i = 0; i <= n; ++i) {
    const double y = 6 + i * schritt;
    const bool lang = i % jede == 0;
    p.drawLine(QLineF(pm.width() - (lang ? 6 : 3), y, pm.width(), y));
    if (lang) {
      const QString t = text(i);
      const int w = p.fontMetrics().horizontalAdvance(t);
      p.drawText(QPointF(pm.width() - 8 - w, y + 4), t);
    }
  }
  return pm;
}

}  // namespace

QPixmap scalaLaenge() {
  return horizontal(540, 15, 36, 3, [](int i) {
    const int grad = -180 + i * 10;
    if (grad == 0 || grad == 180 || grad == -180) return QString::number(std::abs(grad)) + "°";
    return QString::number(std::abs(grad)) + (grad < 0 ? "W" : "E");
  });
}

QPixmap scalaZeit() {
  return horizontal(528, 22, 24, 2, [](int i) { return QString::number(i); });
}

QPixmap scalaBreite() {
  return vertikal(270, 15, 18, 3, [](int i) {
    const int grad = 90 - i * 10;
    return grad == 0 ? QString("0°") : QString::number(std::abs(grad)) + (grad < 0 ? "S" : "N");
  });
}

QPixmap scalaFrequenz() {
  return vertikal(270, 9, 30, 5, [](int i) { return QString::number(30 - i); });
}

QPixmap achseText(const QString& text, bool vertical) {
  QFont f = skalenFont();
  f.setPixelSize(11);
  QFontMetrics fm(f);
  const int w = fm.horizontalAdvance(text) + 4, h = fm.height();
  QPixmap pm = vertical ? leer(h, w) : leer(w, h);
  QPainter p(&pm);
  p.setFont(f);
  p.setPen(QColor(60, 60, 60));
  if (vertical) {
    p.translate(0, w);
    p.rotate(-90);
  }
  p.drawText(QPointF(2, fm.ascent()), text);
  return pm;
}

QPixmap farbbalken(const unsigned char* palette, bool pegel) {
  const int hoehe = 271, balken = 14;
  QPixmap pm = leer(balken + 46, hoehe + 28);
  QPainter p(&pm);
  for (int y = 0; y < hoehe; ++y) {
    const int index = static_cast<int>((hoehe - 1 - y) * 108.0 / (hoehe - 1) + 0.5);
    const unsigned char* e = palette + 4 * index;
    p.setPen(QColor(e[2], e[1], e[0]));
    p.drawLine(0, 6 + y, balken - 1, 6 + y);
  }
  p.setPen(QColor(60, 60, 60));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 6, balken - 1, hoehe - 1);
  p.setFont(skalenFont());
  for (int index = 0; index <= 108; index += 18) {
    const double y = 6 + (hoehe - 1) - index * (hoehe - 1) / 108.0;
    p.drawLine(QLineF(balken, y, balken + 4, y));
    const int wert = pegel ? index - 127 : index - 54;
    p.drawText(QPointF(balken + 6, y + 4), QString::number(wert));
  }
  p.drawText(QPointF(0, hoehe + 26), pegel ? "dBm" : QString::fromUtf8("dBµV/m"));
  return pm;
}

}  // namespace welvaro::ui
