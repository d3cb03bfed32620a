#include "ui/zeitleiste.h"
#include "ui/qtext.h"

#include <QHBoxLayout>
#include <QStyle>
#include <cmath>

#include "lang/sprachtext.h"

namespace welvaro::ui {

namespace {

// Hours of the day played per second of real time.
constexpr double kTempi[] = {0.5, 1, 2, 4, 8};
constexpr int kBildMs = 25;  // a frame every 25 ms: some 40 frames a second

}  // namespace

Zeitleiste::Zeitleiste(QWidget* parent) : QWidget(parent) {
  setObjectName("frmZeit");
  cmdAbspielen = new QToolButton(this);
  cmdAbspielen->setObjectName("cmdAbspielen");
  cmdAbspielen->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  cmdAbspielen->setAutoRaise(true);
  cmbTempo = new QComboBox(this);
  cmbTempo->setObjectName("cmbTempo");
  for (const double t : kTempi) cmbTempo->addItem(QString::fromUtf8("%1 h/s").arg(t));
  cmbTempo->setCurrentIndex(2);
  sldZeit = new QSlider(Qt::Horizontal, this);
  sldZeit->setObjectName("sldZeit");
  sldZeit->setRange(0, 1440);
  sldZeit->setSingleStep(10);
  sldZeit->setPageStep(60);
  sldZeit->setTickInterval(60);
  sldZeit->setTickPosition(QSlider::TicksBelow);
  lblZeit = new QLabel(this);
  lblZeit->setObjectName("lblZeit");
  lblZeit->setMinimumWidth(fontMetrics().horizontalAdvance("Vorhersage für 00:00 UTC") + 8);
  cmdJetzt = new QPushButton(this);
  cmdJetzt->setObjectName("cmdJetzt");
  auto* zeile = new QHBoxLayout(this);
  zeile->setContentsMargins(0, 0, 0, 0);
  zeile->addWidget(cmdAbspielen);
  zeile->addWidget(cmbTempo);
  zeile->addWidget(sldZeit, 1);
  zeile->addWidget(lblZeit);
  zeile->addWidget(cmdJetzt);

  tmrAbspielen.setParent(this);
  tmrAbspielen.setObjectName("tmrAbspielen");
  tmrAbspielen.setInterval(kBildMs);
  connect(&tmrAbspielen, &QTimer::timeout, this, &Zeitleiste::bild);
  connect(cmdAbspielen, &QToolButton::clicked, this, &Zeitleiste::schalteSpielen);
  connect(cmdJetzt, &QPushButton::clicked, this, [this] {
    halte();
    emit jetztGewaehlt();
  });
  // 1440 (24:00) is 00:00 of the same forecast day again.
  connect(sldZeit, &QSlider::valueChanged, this, [this](int m) { emit minuteGewaehlt(m % 1440); });
}

void Zeitleiste::zeige(int minute, bool jetzt, const QString& text) {
  {
    const QSignalBlocker sperre(sldZeit);
    sldZeit->setValue(minute);
  }
  lblZeit->setText(text);
  setzeStil(lblZeit, jetzt ? QString() : QString("color: rgb(200,0,0); font-weight: bold;"));
}

void Zeitleiste::sprache(const State& s) {
  cmdAbspielen->setToolTip(q(T(s, kTxAbspielen)) + " (Space)");
  cmbTempo->setToolTip(q(T(s, kTxTempo)));
  sldZeit->setToolTip(q(T(s, kTxZeitleiste)));
  sldZeit->setAccessibleName(q(T(s, kTxZeitleiste)));
  cmdJetzt->setText(q(T(s, kTxJetzt)));
  cmdJetzt->setToolTip(q(T(s, kTxJetzt)) + " (Home)");
}

void Zeitleiste::schalteSpielen() {
  if (spielt()) {
    halte();
    return;
  }
  rest_ = 0;
  seit_.start();
  tmrAbspielen.start();
  cmdAbspielen->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
}

void Zeitleiste::halte() {
  tmrAbspielen.stop();
  cmdAbspielen->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
}

void Zeitleiste::bild() {
  // The time moves with the clock, whatever a frame took to draw.
  const double sekunden = seit_.restart() / 1000.0;
  rest_ += sekunden * kTempi[std::clamp(cmbTempo->currentIndex(), 0, 4)] * 60;
  const int minuten = static_cast<int>(std::floor(rest_));
  if (minuten <= 0) return;
  rest_ -= minuten;
  emit weiter(minuten);
}

}  // namespace welvaro::ui
