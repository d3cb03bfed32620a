#include "ui/splash.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "lang/sprachtext.h"
#include "ui/qtext.h"
#include "ui/version.h"

namespace welvaro::ui {

QPixmap splashPicture(int language) {
  const int slot = std::clamp(language, 0, kLanguageSlots - 1);
  auto text = [slot](int key) { return q(textEntry(kLanguageSlots * key + slot)); };
  const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
  QPixmap pm(QSize(460, 300) * dpr);
  pm.setDevicePixelRatio(dpr);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 300);
  sky.setColorAt(0, QColor(10, 20, 60));
  sky.setColorAt(1, QColor(20, 90, 140));
  p.fillRect(QRect(0, 0, 460, 300), sky);
  // The ionosphere as arcs over the earth, a signal hopping between them.
  p.setPen(QPen(QColor(255, 200, 60, 160), 2));
  p.drawArc(QRectF(-140, 150, 740, 420), 30 * 16, 120 * 16);
  p.setPen(QPen(QColor(80, 200, 120), 3));
  p.drawArc(QRectF(-80, 210, 620, 300), 30 * 16, 120 * 16);
  p.setPen(QPen(QColor(255, 80, 80), 2));
  const QPointF hops[] = {{60, 262}, {130, 176}, {200, 236}, {265, 170}, {330, 236}, {400, 178}};
  p.drawPolyline(hops, 6);

  QFont title("Sans Serif");
  title.setPixelSize(54);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 22, 460, 64), Qt::AlignHCenter, "Welvaro");
  QFont lower("Sans Serif");
  lower.setPixelSize(13);
  p.setFont(lower);
  p.setPen(QColor(220, 230, 255));
  p.drawText(QRect(0, 86, 460, 20), Qt::AlignHCenter,
             text(kTxStartSubtitle).arg(kVersion));

  const QRect frame(30, 116, 400, 40);
  p.setPen(QPen(QColor(255, 220, 120), 2));
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawRoundedRect(frame, 6, 6);
  p.setPen(Qt::white);
  p.drawText(frame, Qt::AlignCenter, text(kTxStartWait));
  return pm;
}

StartWindow::StartWindow(int language) : picture_(splashPicture(language)) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setFixedSize(460, 300);
  setWindowTitle("Welvaro");
  if (QScreen* sc = QGuiApplication::primaryScreen()) move(sc->availableGeometry().center() - rect().center());
}

void StartWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

}  // namespace welvaro::ui
