#include "ui/bildansicht.h"

#include <QMouseEvent>
#include <QPainter>

#include "display/anzeige.h"

namespace welvaro::ui {

namespace {

std::uint32_t grundFarbe(const QWidget* w) { return w->palette().color(QPalette::Window).rgb() | 0xFF000000u; }

QImage alsBild(const std::uint32_t* pixel, int breite, int hoehe) {
  return QImage(reinterpret_cast<const uchar*>(pixel), breite, hoehe, 4 * breite, QImage::Format_RGB32).copy();
}

}  // namespace

Bildansicht::Bildansicht(const State& s, QWidget* parent)
    : QWidget(parent), s_(s), link_(std::make_unique<State>()) {
  setObjectName("picDarstellung");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  imgWarten = new QLabel(this);
  imgWarten->setObjectName("imgWarten");
  imgWarten->hide();
}

void Bildansicht::setzeLinien(const Kartenlinien* linien) {
  linien_ = linien;
  karte_.setzeLinien(linien);
  neu();
}

void Bildansicht::setzeProjektion(Projektion p) {
  projektion_ = p;
  neu();
}

void Bildansicht::uebernimmLink(bool gueltig) {
  // A copy: later computations (a table renewed after midnight, the printed
  // report) reuse the record's result grid, and a resize must not draw them.
  link_->ErgFeld = s_.ErgFeld;
  chartGueltig_ = gueltig;
  neu();
}

void Bildansicht::neu() {
  veraltet_ = true;
  update();
}

void Bildansicht::setzeOrtMarke(std::optional<Ort> ort) {
  ortMarke_ = ort;
  update();
}

Ansicht Bildansicht::kartenAnsicht(double skala) const {
  Ansicht a;
  a.projektion = projektion_;
  a.frequenz = s_.AktFrequenz;
  a.utcMinute = minute();
  a.pegel = s_.PegelFlag == 1;
  a.greyline = greylineZeichnen(s_);
  a.pfad = true;
  a.linien = true;
  a.skalen = true;
  a.skala = skala;
  a.grund = grundFarbe(this);
  return a;
}

ChartAnsicht Bildansicht::chartAnsicht(double skala) const {
  ChartAnsicht a;
  a.pegel = s_.PegelFlag == 1;
  a.skalen = true;
  a.zeitlinie = true;
  a.utcMinute = minute();
  a.frequenzlinie = true;
  a.frequenz = s_.AktFrequenz;
  a.skala = skala;
  a.grund = grundFarbe(this);
  return a;
}

void Bildansicht::zeichneFallsNoetig() {
  const qreal dpr = devicePixelRatioF();
  const int b = std::max(1, static_cast<int>(width() * dpr)), h = std::max(1, static_cast<int>(height() * dpr));
  if (!veraltet_ && bild_.width() == b && bild_.height() == h) return;
  veraltet_ = false;
  if (welt()) {
    karte_.render(s_, kartenAnsicht(dpr), b, h);
    bild_ = alsBild(karte_.pixel(), karte_.breite(), karte_.hoehe());
  } else {
    chart_.render(*link_, chartAnsicht(dpr), b, h);
    bild_ = alsBild(chart_.pixel(), chart_.breite(), chart_.hoehe());
    if (!chartGueltig_) {
      // The link has no forecast (point B on station A or its antipode):
      // an empty chart rather than the values of another link.
      const Rahmen r = chart_.tafel().bild;
      QPainter p(&bild_);
      p.fillRect(QRect(r.x, r.y, r.breite, r.hoehe), Qt::black);
    }
  }
  bild_.setDevicePixelRatio(dpr);
}

Rahmen Bildansicht::bildRahmen() {
  zeichneFallsNoetig();
  return welt() ? karte_.tafel().bild : chart_.tafel().bild;
}

QImage Bildansicht::bild() {
  zeichneFallsNoetig();
  return bild_;
}

QImage Bildansicht::bildInGroesse(QSize groesse) const {
  const int b = std::max(16, groesse.width()), h = std::max(16, groesse.height());
  const double skala = std::max(1.0, std::min(b / 1082.0, h / 580.0));
  if (welt()) {
    Kartenbild k;
    k.setzeLinien(linien_);
    k.render(s_, kartenAnsicht(skala), b, h);
    return alsBild(k.pixel(), k.breite(), k.hoehe());
  }
  Chartbild c;
  c.render(*link_, chartAnsicht(skala), b, h);
  return alsBild(c.pixel(), c.breite(), c.hoehe());
}

Punkt Bildansicht::geraetePunkt(QPointF p) const {
  const qreal dpr = devicePixelRatioF();
  return {p.x() * dpr - 0.5, p.y() * dpr - 0.5};
}

std::optional<KartenAblesung> Bildansicht::ableseKarte(QPointF p) const {
  if (!welt() || bild_.isNull()) return std::nullopt;
  return karte_.ablesen(s_, geraetePunkt(p));
}

std::optional<ChartAblesung> Bildansicht::ableseChart(QPointF p) const {
  if (welt() || bild_.isNull() || !chartGueltig_) return std::nullopt;
  return chart_.ablesen(geraetePunkt(p));
}

std::optional<QPointF> Bildansicht::punktVon(Ort ort) {
  zeichneFallsNoetig();
  const Punkt q = karte_.projektion().zuPixel(ort);
  if (!karte_.projektion().zuOrt(q)) return std::nullopt;
  const qreal dpr = devicePixelRatioF();
  return QPointF((q.x + 0.5) / dpr, (q.y + 0.5) / dpr);
}

QPointF Bildansicht::chartPunkt(double stunden, double mhz) {
  zeichneFallsNoetig();
  const Punkt q = chart_.projektion().zuPixel(ChartOrt{stunden, mhz});
  const qreal dpr = devicePixelRatioF();
  return QPointF((q.x + 0.5) / dpr, (q.y + 0.5) / dpr);
}

void Bildansicht::paintEvent(QPaintEvent*) {
  zeichneFallsNoetig();
  QPainter p(this);
  p.drawImage(QPointF(0, 0), bild_);
  if (welt() && ortMarke_) {
    const Punkt q = karte_.projektion().zuPixel(*ortMarke_);
    const qreal dpr = devicePixelRatioF();
    const QPointF m((q.x + 0.5) / dpr, (q.y + 0.5) / dpr);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 0, 255));
    p.drawRect(QRectF(m.x() - 4.5, m.y() - 4.5, 9, 9));
  }
}

void Bildansicht::resizeEvent(QResizeEvent*) {
  veraltet_ = true;
  imgWarten->move((width() - imgWarten->width()) / 2, (height() - imgWarten->height()) / 2);
}

void Bildansicht::mouseMoveEvent(QMouseEvent* e) { emit cursorBewegt(e->position()); }

void Bildansicht::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit geklickt(e->position());
}

}  // namespace welvaro::ui
