#include "ui/time_bar.h"
#include "ui/qtext.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QStyle>
#include <cmath>

#include "display/window_state.h"
#include "lang/sprachtext.h"
#include "ui/time_slider.h"

namespace welvaro::ui {

namespace {

// Hours of the day played per second of real time.
constexpr double kTempi[] = {0.5, 1, 2, 4, 8};
constexpr int kPictureMs = 25;  // a frame every 25 ms: some 40 frames a second

}  // namespace

TimeBar::TimeBar(QWidget* parent) : QWidget(parent) {
  setObjectName("frmZeit");
  cmdAbspielen = new QToolButton(this);
  cmdAbspielen->setObjectName("cmdAbspielen");
  cmdAbspielen->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  cmdAbspielen->setAutoRaise(true);
  cmbTempo = new QComboBox(this);
  cmbTempo->setObjectName("cmbTempo");
  for (const double t : kTempi) cmbTempo->addItem(QString::fromUtf8("%1 h/s").arg(t));
  cmbTempo->setCurrentIndex(2);
  sldZeit = new TimeSlider(this);
  sldZeit->setObjectName("sldZeit");
  auto* hours = new HourScale(sldZeit, this);
  lblZeit = new QLabel(this);
  lblZeit->setObjectName("lblZeit");
  lblZeit->setMinimumWidth(fontMetrics().horizontalAdvance("Vorhersage für 00:00 UTC") + 8);
  cmdJetzt = new QPushButton(this);
  cmdJetzt->setObjectName("cmdJetzt");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(cmdAbspielen);
  row->addWidget(cmbTempo);
  auto* sliderColumn = new QVBoxLayout;
  sliderColumn->setSpacing(0);
  sliderColumn->addWidget(sldZeit);
  sliderColumn->addWidget(hours);
  row->addLayout(sliderColumn, 1);
  row->addWidget(lblZeit);
  row->addWidget(cmdJetzt);

  tmrAbspielen.setParent(this);
  tmrAbspielen.setObjectName("tmrAbspielen");
  tmrAbspielen.setInterval(kPictureMs);
  connect(&tmrAbspielen, &QTimer::timeout, this, &TimeBar::picture);
  connect(cmdAbspielen, &QToolButton::clicked, this, &TimeBar::togglePlay);
  connect(cmdJetzt, &QPushButton::clicked, this, [this] {
    pause();
    emit nowChosen();
  });
  // Every position to the nearest ten minutes; 1440 (24:00) is 00:00 of the
  // same forecast day again.
  connect(sldZeit, &QSlider::valueChanged, this, [this](int m) { emit minuteChosen(sliderMinute(m)); });
}

void TimeBar::present(int minute, bool now, const QString& text) {
  {
    const QSignalBlocker blocker(sldZeit);
    sldZeit->setValue(minute);
  }
  lblZeit->setText(text);
  setStyleIfChanged(lblZeit, now ? QString() : QString("color: rgb(200,0,0); font-weight: bold;"));
}

void TimeBar::retranslate(const State& s) {
  cmdAbspielen->setToolTip(q(T(s, kTxAbspielen) + " (" + T(s, kTxKeySpace) + ")"));
  cmdAbspielen->setAccessibleName(q(T(s, kTxAbspielen)));
  cmbTempo->setToolTip(q(T(s, kTxTempo)));
  sldZeit->setToolTip(q(T(s, kTxZeitleiste)));
  sldZeit->setAccessibleName(q(T(s, kTxZeitleiste)));
  cmdJetzt->setText(q(T(s, kTxJetzt)));
  cmdJetzt->setToolTip(q(T(s, kTxJetzt) + " (" + T(s, kTxKeyHome) + ")"));
}

void TimeBar::togglePlay() {
  if (playing()) {
    pause();
    return;
  }
  rest_ = 0;
  since_.start();
  tmrAbspielen.start();
  cmdAbspielen->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
}

void TimeBar::pause() {
  tmrAbspielen.stop();
  cmdAbspielen->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
}

void TimeBar::picture() {
  // A minimised window plays no frames; the film goes on where it stood.
  if (window()->isMinimized()) {
    since_.restart();
    return;
  }
  // The time moves with the clock, whatever a frame took to draw.
  const double seconds = since_.restart() / 1000.0;
  rest_ += seconds * kTempi[std::clamp(cmbTempo->currentIndex(), 0, 4)] * 60;
  const int minutes = static_cast<int>(std::floor(rest_));
  if (minutes <= 0) return;
  rest_ -= minutes;
  emit advance(minutes);
}

}  // namespace welvaro::ui
