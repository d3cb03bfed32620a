#include "ui/scales.h"

#include <QFontDatabase>
#include <QPainter>
#include <QResizeEvent>

#include "ui/picturearea.h"

namespace welvaro::ui {

namespace {

constexpr int kLangeMarke = 6, kKurzeMarke = 3;
constexpr int kBalkenBreite = 14, kBalkenAbstand = 8;
const QColor kSchrift(60, 60, 60);

QFont skalenFont() {
  QFont f = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
  f.setPixelSize(10);
  return f;
}

// An axis title, upright or turned to read from bottom to top.
QPixmap achseText(const QString& text, bool senkrecht, qreal dpr) {
  QFont f = skalenFont();
  f.setPixelSize(11);
  const QFontMetrics fm(f);
  const int w = fm.horizontalAdvance(text) + 4, h = fm.height();
  QPixmap pm(QSize(senkrecht ? h : w, senkrecht ? w : h) * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setFont(f);
  p.setPen(kSchrift);
  if (senkrecht) {
    p.translate(0, w);
    p.rotate(-90);
  }
  p.drawText(QPointF(2, fm.ascent()), text);
  return pm;
}

}  // namespace

// ---- Scale ----------------------------------------------------------------

Skala::Skala(Qt::Orientation richtung, const char* name, QWidget* parent) : QWidget(parent), richtung_(richtung) {
  setObjectName(name);
  setFont(skalenFont());
}

void Skala::setzeMarken(std::vector<Skalenmarke> marken) {
  marken_ = std::move(marken);
  update();
}

int Skala::dicke() const {
  const QFontMetrics fm(font());
  if (richtung_ == Qt::Horizontal) return kLangeMarke + 2 + fm.height();
  int breit = 0;
  for (const Skalenmarke& m : marken_) breit = std::max(breit, fm.horizontalAdvance(QString::fromStdString(m.text)));
  return std::max(breit, fm.horizontalAdvance("90N")) + kLangeMarke + 4;
}

void Skala::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  const QFontMetrics fm(font());
  for (const Skalenmarke& m : marken_) {
    const int s = stelle(m.pixel);
    const int laenge = m.lang ? kLangeMarke : kKurzeMarke;
    const QString text = QString::fromStdString(m.text);
    const int w = fm.horizontalAdvance(text);
    // A mark covers exactly the picture's pixel of its value.
    if (richtung_ == Qt::Horizontal) {
      p.fillRect(QRect(s, 0, 1, laenge), kSchrift);
      if (m.lang) {
        p.setPen(kSchrift);
        p.drawText(QPointF(s + 0.5 - w / 2.0, laenge + 1 + fm.ascent()), text);
      }
    } else {
      p.fillRect(QRect(width() - laenge, s, laenge, 1), kSchrift);
      if (m.lang) {
        p.setPen(kSchrift);
        p.drawText(QPointF(width() - laenge - 2 - w, s + 0.5 + fm.ascent() / 2.0 - 1), text);
      }
    }
  }
}

// ---- Colour bar -------------------------------------------------------------------

Farbbalken::Farbbalken(const char* name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFont(skalenFont());
}

void Farbbalken::setzeFarben(const std::string& palette, bool pegel) {
  palette_ = palette;
  pegel_ = pegel;
  update();
}

void Farbbalken::setzeHoehe(int bildHoehe) {
  bildHoehe_ = std::max(2, bildHoehe);
  update();
}

void Farbbalken::paintEvent(QPaintEvent*) {
  if (palette_.size() < 4 * 256) return;
  QPainter p(this);
  const int oben = Skala::kUeberstand;
  const int h = bildHoehe_;
  for (int y = 0; y < h; ++y) {
    const int index = static_cast<int>((h - 1 - y) * 108.0 / (h - 1) + 0.5);
    const auto* e = reinterpret_cast<const unsigned char*>(palette_.data()) + 4 * index;
    p.fillRect(QRect(kBalkenAbstand, oben + y, kBalkenBreite, 1), QColor(e[2], e[1], e[0]));
  }
  p.setPen(kSchrift);
  p.drawRect(QRect(kBalkenAbstand, oben, kBalkenBreite - 1, h - 1));
  const QFontMetrics fm(font());
  for (int index = 0; index <= 108; index += 18) {
    const int y = oben + static_cast<int>(std::lround((h - 1) - index * (h - 1) / 108.0));
    p.fillRect(QRect(kBalkenAbstand + kBalkenBreite, y, 4, 1), kSchrift);
    const int wert = pegel_ ? index - 127 : index - 54;
    p.drawText(QPointF(kBalkenAbstand + kBalkenBreite + 6, y + 0.5 + fm.ascent() / 2.0 - 1), QString::number(wert));
  }
  // The unit above the bar, clear of the labels of the scale under the picture.
  p.drawText(QPointF(kBalkenAbstand, oben - 4 - fm.descent()), pegel_ ? "dBm" : QString::fromUtf8("dBµV/m"));
}

// ---- Frame ------------------------------------------------------------------------

Bildrahmen::Bildrahmen(PictureArea* bild, QWidget* parent) : QWidget(parent), bild_(bild) {
  setObjectName("frmBild");
  bild_->setParent(this);
  imgScala180_24 = new Skala(Qt::Horizontal, "imgScala180_24", this);
  imgScala90_30 = new Skala(Qt::Vertical, "imgScala90_30", this);
  imgBreite_Frequenz = new QLabel(this);
  imgBreite_Frequenz->setObjectName("imgBreite_Frequenz");
  imgLaenge_Zeit = new QLabel(this);
  imgLaenge_Zeit->setObjectName("imgLaenge_Zeit");
  farbbalken_ = new Farbbalken("imgFarbbalken", this);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(bild_, &PictureArea::groesseGeaendert, this, [this] {
    ordne();
    updateGeometry();
  });
}

void Bildrahmen::setzeSkalen(bool welt, const QString& titelSenkrecht, const QString& titelWaagrecht) {
  imgScala180_24->setzeMarken(welt ? skalaLaenge() : skalaZeit());
  imgScala90_30->setzeMarken(welt ? skalaBreite() : skalaFrequenz());
  imgBreite_Frequenz->setPixmap(achseText(titelSenkrecht, true, devicePixelRatioF()));
  imgBreite_Frequenz->adjustSize();
  imgLaenge_Zeit->setPixmap(achseText(titelWaagrecht, false, devicePixelRatioF()));
  imgLaenge_Zeit->adjustSize();
  ordne();
  updateGeometry();
}

int Bildrahmen::links() const {
  return QFontMetrics(skalenFont()).height() + 6 + imgScala90_30->dicke();
}

int Bildrahmen::oben() const { return QFontMetrics(skalenFont()).height() + 6; }

QRect Bildrahmen::bildRechteck() const { return QRect(QPoint(links(), oben()), bild_->sizeHint()); }

QSize Bildrahmen::sizeHint() const {
  const QRect b = bildRechteck();
  const int rechts = kBalkenAbstand + kBalkenBreite + 6 + QFontMetrics(skalenFont()).horizontalAdvance("-127") + 4;
  const int unten = imgScala180_24->dicke() + imgLaenge_Zeit->sizeHint().height() + 4;
  return QSize(b.right() + 1 + std::max(rechts, Skala::kUeberstand), b.bottom() + 1 + unten);
}

void Bildrahmen::resizeEvent(QResizeEvent*) { ordne(); }

void Bildrahmen::ordne() {
  const QRect b = bildRechteck();
  bild_->setGeometry(b);
  const int u = Skala::kUeberstand;
  imgScala180_24->setGeometry(b.left() - u, b.bottom() + 1, b.width() + 2 * u, imgScala180_24->dicke());
  const int dicke = imgScala90_30->dicke();
  imgScala90_30->setGeometry(b.left() - dicke, b.top() - u, dicke, b.height() + 2 * u);
  imgScala90_30->lower();
  imgScala180_24->lower();
  imgBreite_Frequenz->move(0, b.top() + (b.height() - imgBreite_Frequenz->height()) / 2);
  imgLaenge_Zeit->move(b.left() + (b.width() - imgLaenge_Zeit->width()) / 2, b.bottom() + 1 + imgScala180_24->dicke());
  farbbalken_->setzeHoehe(b.height());
  farbbalken_->setGeometry(b.right() + 1, b.top() - u, width() - b.right() - 1, b.height() + 2 * u);
}

}  // namespace welvaro::ui
