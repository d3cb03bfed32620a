#include "ui/frequenzfeld.h"
#include "ui/qtext.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolTip>

#include "lang/sprachtext.h"
#include "input/eingabe.h"
#include "state/numtext.h"
#include "ui/dialogs.h"

namespace welvaro::ui {

FrequenzFeld::FrequenzFeld(State& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("frmFrequenz");
  lblFrequenzEingabe = new QLabel(this);
  lblFrequenzEingabe->setObjectName("lblFrequenzEingabe");
  txtAktFrequenz = new QLineEdit(this);
  txtAktFrequenz->setObjectName("txtAktFrequenz");
  txtAktFrequenz->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtAktFrequenz->setMaximumWidth(120);
  txtAktFrequenz->setStyleSheet("color: rgb(128,128,128);");
  lblFrequenzEingabe->setBuddy(txtAktFrequenz);
  auto* speicherZeile = new QHBoxLayout;
  speicherZeile->setSpacing(2);
  for (int i = 0; i < 6; ++i) {
    cmdSpeicher[i] = new QPushButton(QString::number(i + 1), this);
    cmdSpeicher[i]->setObjectName(QString("cmdSpeicher%1").arg(i + 1));
    cmdSpeicher[i]->setFixedWidth(30);
    speicherZeile->addWidget(cmdSpeicher[i]);
    connect(cmdSpeicher[i], &QPushButton::clicked, this, [this, i] { emit speicherTaste(i + 1); });
  }
  cmdSpeichern = new QPushButton(this);
  cmdSpeichern->setObjectName("cmdSpeichern");
  shpSignal = new QLabel(this);
  shpSignal->setObjectName("shpSignal");
  shpSignal->setFixedSize(10, 10);
  shpSignal->setStyleSheet("background: rgb(255,0,0); border-radius: 5px;");
  shpSignal->hide();
  auto* raster = new QGridLayout(this);
  raster->setContentsMargins(0, 0, 0, 0);
  raster->addWidget(lblFrequenzEingabe, 0, 0, 1, 2);
  raster->addWidget(txtAktFrequenz, 1, 0);
  raster->addLayout(speicherZeile, 2, 0, 1, 2);
  auto* zeileSpeichern = new QHBoxLayout;
  zeileSpeichern->addWidget(cmdSpeichern);
  zeileSpeichern->addWidget(shpSignal);
  zeileSpeichern->addStretch(1);
  raster->addLayout(zeileSpeichern, 3, 0, 1, 2);

  tmrBlinker.setObjectName("tmrBlinker");
  tmrBlinker.setParent(this);
  tmrBlinker.setInterval(250);
  connect(&tmrBlinker, &QTimer::timeout, this, [this] { shpSignal->setVisible(prgBlinker(s_)); });

  // A typed text is an entry not yet confirmed (red); Enter confirms it. A
  // character that cannot belong to a frequency is refused and the box says
  // what it takes.
  txtAktFrequenz->setValidator(new TextPruefer(frequenzTextErlaubt, txtAktFrequenz));
  connect(txtAktFrequenz, &QLineEdit::inputRejected, this, [this] {
    rot();
    QToolTip::showText(txtAktFrequenz->mapToGlobal(QPoint(0, txtAktFrequenz->height())), txtAktFrequenz->toolTip(),
                       txtAktFrequenz);
  });
  connect(txtAktFrequenz, &QLineEdit::textEdited, this, &FrequenzFeld::rot);
  txtAktFrequenz->installEventFilter(new Ereignisfilter(txtAktFrequenz, [this](QObject*, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste != Qt::Key_Return && taste != Qt::Key_Enter) return false;
    enter();
    return true;
  }));
  connect(cmdSpeichern, &QPushButton::clicked, this, &FrequenzFeld::speichern);
}

void FrequenzFeld::rot() {
  rot_ = true;
  txtAktFrequenz->setStyleSheet("color: rgb(255,0,0);");
}

void FrequenzFeld::zeigeText() {
  const QSignalBlocker sperre(txtAktFrequenz);
  txtAktFrequenz->setText(q(s_.FrequenzText));
  txtAktFrequenz->setStyleSheet("color: rgb(128,128,128);");
  rot_ = false;
}

void FrequenzFeld::sprache() {
  lblFrequenzEingabe->setText(q(T(s_, kTxAktuelleFrequenz)));
  cmdSpeichern->setText(q(T(s_, kTxSpeichern)));
  txtAktFrequenz->setToolTip(q(T(s_, kTxHinweisFrequenz)));
  for (int n = 1; n <= 6; ++n) cmdSpeicher[n - 1]->setToolTip(q(PlainText(speicher(s_, n)) + " MHz"));
}

void FrequenzFeld::blinkenAus() {
  tmrBlinker.stop();
  shpSignal->hide();
}

void FrequenzFeld::enter() {
  if (prgFrequenzEingabe(s_, txtAktFrequenz->text().toStdString())) {
    zeigeText();
    emit bestaetigt();
  } else {
    const QSignalBlocker sperre(txtAktFrequenz);
    txtAktFrequenz->setText(q(std::string(kFrequenzFehler)));
    rot();
  }
  emit fertig();
}

void FrequenzFeld::speichern() {
  switch (prgSpeichern(s_, rot_)) {
    case Speichern::An:
      tmrBlinker.start();
      emit fertig();
      return;
    case Speichern::Aus:
      blinkenAus();
      emit fertig();
      return;
    case Speichern::Warnung:
      blinkenAus();
      emit warnung();
      txtAktFrequenz->setFocus();
      return;
  }
}

}  // namespace welvaro::ui
