#include "ui/frequency_box.h"
#include "ui/qtext.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolTip>

#include "lang/sprachtext.h"
#include "input/input_rules.h"
#include "state/numtext.h"
#include "ui/dialogs.h"

namespace welvaro::ui {

FrequencyBox::FrequencyBox(State& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("frmFrequenz");
  lblFrequenzEingabe = new QLabel(this);
  lblFrequenzEingabe->setObjectName("lblFrequenzEingabe");
  txtAktFrequenz = new QLineEdit(this);
  txtAktFrequenz->setObjectName("txtAktFrequenz");
  txtAktFrequenz->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtAktFrequenz->setMaximumWidth(120);
  txtAktFrequenz->setStyleSheet("color: rgb(128,128,128);");
  lblFrequenzEingabe->setBuddy(txtAktFrequenz);
  auto* memoryRow = new QHBoxLayout;
  memoryRow->setSpacing(2);
  for (int i = 0; i < 6; ++i) {
    cmdSpeicher[i] = new QPushButton(QString::number(i + 1), this);
    cmdSpeicher[i]->setObjectName(QString("cmdSpeicher%1").arg(i + 1));
    cmdSpeicher[i]->setFixedWidth(30);
    memoryRow->addWidget(cmdSpeicher[i]);
    connect(cmdSpeicher[i], &QPushButton::clicked, this, [this, i] { emit memoryButton(i + 1); });
  }
  cmdSpeichern = new QPushButton(this);
  cmdSpeichern->setObjectName("cmdSpeichern");
  shpSignal = new QLabel(this);
  shpSignal->setObjectName("shpSignal");
  shpSignal->setFixedSize(10, 10);
  shpSignal->setStyleSheet("background: rgb(255,0,0); border-radius: 5px;");
  shpSignal->hide();
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(lblFrequenzEingabe, 0, 0, 1, 2);
  grid->addWidget(txtAktFrequenz, 1, 0);
  grid->addLayout(memoryRow, 2, 0, 1, 2);
  auto* storeRow = new QHBoxLayout;
  storeRow->addWidget(cmdSpeichern);
  storeRow->addWidget(shpSignal);
  storeRow->addStretch(1);
  grid->addLayout(storeRow, 3, 0, 1, 2);

  tmrBlinker.setObjectName("tmrBlinker");
  tmrBlinker.setParent(this);
  tmrBlinker.setInterval(250);
  connect(&tmrBlinker, &QTimer::timeout, this, [this] { shpSignal->setVisible(prgBlinker(s_)); });

  // A typed text is an entry not yet confirmed (red); Enter confirms it. A
  // character that cannot belong to a frequency is refused and the box says
  // what it takes.
  txtAktFrequenz->setValidator(new TextValidator(frequencyTextAllowed, txtAktFrequenz));
  connect(txtAktFrequenz, &QLineEdit::inputRejected, this, [this] {
    markRed();
    QToolTip::showText(txtAktFrequenz->mapToGlobal(QPoint(0, txtAktFrequenz->height())), txtAktFrequenz->toolTip(),
                       txtAktFrequenz);
  });
  connect(txtAktFrequenz, &QLineEdit::textEdited, this, &FrequencyBox::markRed);
  txtAktFrequenz->installEventFilter(new EventFilter(txtAktFrequenz, [this](QObject*, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    enter();
    return true;
  }));
  connect(cmdSpeichern, &QPushButton::clicked, this, &FrequencyBox::store);
}

void FrequencyBox::markRed() {
  red_ = true;
  txtAktFrequenz->setStyleSheet("color: rgb(255,0,0);");
}

void FrequencyBox::showText() {
  const QSignalBlocker blocker(txtAktFrequenz);
  txtAktFrequenz->setText(q(s_.FrequenzText));
  txtAktFrequenz->setStyleSheet("color: rgb(128,128,128);");
  red_ = false;
}

void FrequencyBox::retranslate() {
  lblFrequenzEingabe->setText(q(T(s_, kTxAktuelleFrequenz)));
  cmdSpeichern->setText(q(T(s_, kTxMemoryStore)));
  cmdSpeichern->setToolTip(q(T(s_, kTxMemoryStoreTip)));
  txtAktFrequenz->setToolTip(q(T(s_, kTxHinweisFrequenz)));
  for (int n = 1; n <= 6; ++n) cmdSpeicher[n - 1]->setToolTip(q(PlainText(memory(s_, n)) + " MHz"));
}

void FrequencyBox::stopBlinking() {
  tmrBlinker.stop();
  shpSignal->hide();
}

void FrequencyBox::enter() {
  if (prgFrequenzEingabe(s_, txtAktFrequenz->text().toStdString())) {
    showText();
    emit confirmed();
    emit finished();
  } else {
    // The refused entry stays as typed, red, and the box says what it takes.
    markRed();
    QToolTip::showText(txtAktFrequenz->mapToGlobal(QPoint(0, txtAktFrequenz->height())), txtAktFrequenz->toolTip(),
                       txtAktFrequenz);
    txtAktFrequenz->setFocus();  // for the correction
  }
}

void FrequencyBox::store() {
  switch (prgSpeichern(s_, red_)) {
    case StoreAction::On:
      tmrBlinker.start();
      emit finished();
      return;
    case StoreAction::Off:
      stopBlinking();
      emit finished();
      return;
    case StoreAction::Warning:
      stopBlinking();
      emit warning();
      txtAktFrequenz->setFocus();
      return;
  }
}

}  // namespace welvaro::ui
