#include "ui/welcome_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "input/station.h"
#include "lang/sprachtext.h"
#include "ui/qtext.h"

namespace welvaro::ui {

WelcomeDialog::WelcomeDialog(State& s, PlaceSource places, QWidget* parent)
    : QDialog(parent), s_(s), places_(std::move(places)) {
  setObjectName("frmWelcome");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  lblWelcomeIntro = new QLabel(this);
  lblWelcomeIntro->setObjectName("lblWelcomeIntro");
  lblWelcomeIntro->setWordWrap(true);
  layout->addWidget(lblWelcomeIntro);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(2);
  layout->addLayout(grid);
  const char* names[4][3] = {{"txtWelcomeStation", "shpWelcomeStation", "lblWelcomeStationNote"},
                             {"txtWelcomePower", "shpWelcomePower", "lblWelcomePowerNote"},
                             {"txtWelcomeGain", "shpWelcomeGain", "lblWelcomeGainNote"},
                             {"txtWelcomeAngle", "shpWelcomeAngle", "lblWelcomeAngleNote"}};
  for (std::size_t i = 0; i < 4; ++i) {
    const int r = static_cast<int>(2 * i);
    labels_[i] = new QLabel(this);
    boxes_[i] = new QLineEdit(this);
    boxes_[i]->setObjectName(names[i][0]);
    boxes_[i]->setMinimumWidth(i == 0 ? 240 : 100);
    labels_[i]->setBuddy(boxes_[i]);
    markers_[i] = new QLabel(this);
    markers_[i]->setObjectName(names[i][1]);
    markers_[i]->setFixedSize(12, 12);
    notes_[i] = new QLabel(this);
    notes_[i]->setObjectName(names[i][2]);
    notes_[i]->setWordWrap(true);
    QFont small = notes_[i]->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    notes_[i]->setFont(small);
    notes_[i]->setForegroundRole(QPalette::PlaceholderText);
    grid->addWidget(labels_[i], r, 0);
    grid->addWidget(boxes_[i], r, 1);
    grid->addWidget(markers_[i], r, 2);
    grid->addWidget(notes_[i], r + 1, 1, 1, 2);
    grid->setRowMinimumHeight(r + 1, 0);
    // Enter in a box is OK, as a form is sent.
    connect(boxes_[i], &QLineEdit::returnPressed, this, [this] { ok(); });
    // A box typed in again is no longer known to be wrong.
    connect(boxes_[i], &QLineEdit::textEdited, this, [this, i] { setMarker(i, true); });
  }
  txtWelcomeStation = boxes_[0];
  txtWelcomePower = boxes_[1];
  txtWelcomeGain = boxes_[2];
  txtWelcomeAngle = boxes_[3];
  shpWelcomeStation = markers_[0];
  shpWelcomePower = markers_[1];
  shpWelcomeGain = markers_[2];
  shpWelcomeAngle = markers_[3];

  lblHinweis = new QLabel(this);
  lblHinweis->setObjectName("lblHinweis");
  lblHinweis->setStyleSheet("color: rgb(200,0,0);");
  lblHinweis->setWordWrap(true);
  layout->addWidget(lblHinweis);

  cmdWelcomeSkip = new QPushButton(this);
  cmdWelcomeSkip->setObjectName("cmdWelcomeSkip");
  cmdWelcomeOk = new QPushButton("OK", this);
  cmdWelcomeOk->setObjectName("cmdWelcomeOk");
  cmdWelcomeOk->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdWelcomeSkip);
  buttons->addWidget(cmdWelcomeOk);
  layout->addLayout(buttons);
  connect(cmdWelcomeOk, &QPushButton::clicked, this, [this] { ok(); });
  connect(cmdWelcomeSkip, &QPushButton::clicked, this, [this] { reject(); });
  for (std::size_t i = 0; i < 4; ++i) setMarker(i, true);
  retranslate();
}

void WelcomeDialog::retranslate() {
  setWindowTitle(q(T(s_, kTxWelcomeTitle)));
  lblWelcomeIntro->setText(q(T(s_, kTxWelcomeIntro)));
  labels_[0]->setText(q(T(s_, kTxWelcomeStation)));
  labels_[1]->setText(q(T(s_, kTxWelcomePower)));
  labels_[2]->setText(q(T(s_, kTxAntennengewinn) + " [dBi]"));
  labels_[3]->setText(q(T(s_, kTxAbstrahlwinkel) + " [°]"));
  notes_[0]->setText(q(T(s_, kTxWelcomeStationNote)));
  notes_[1]->setText(q(T(s_, kTxWelcomePowerNote)));
  notes_[2]->setText(q(T(s_, kTxWelcomeGainNote)));
  notes_[3]->setText(q(T(s_, kTxWelcomeAngleNote)));
  boxes_[1]->setToolTip(q(T(s_, kTxHintWatts)));
  boxes_[2]->setToolTip(q(inputHint(s_, Field::Gain)));
  boxes_[3]->setToolTip(q(inputHint(s_, Field::Angle)));
  cmdWelcomeSkip->setText(q(T(s_, kTxWelcomeSkip)));
}

void WelcomeDialog::showFromState() {
  opened_ = openWelcome(s_);
  for (std::size_t i = 0; i < 4; ++i) {
    boxes_[i]->setText(q(opened_[i]));
    setMarker(i, true);
  }
  lblHinweis->clear();
  written_ = false;
  retranslate();
  show();
  raise();
  txtWelcomeStation->setFocus();
  txtWelcomeStation->selectAll();
}

void WelcomeDialog::setMarker(std::size_t i, bool green) {
  markers_[i]->setProperty("gruen", green);
  markers_[i]->setStyleSheet(green ? "background: rgb(0,255,0); border: 1px solid #444;"
                                   : "background: rgb(255,0,0); border: 1px solid #444;");
}

QString WelcomeDialog::failureText(const WelcomeResult& e) const {
  switch (e.flag) {
    case 1:
      switch (e.station.kind) {
        case WelcomeStation::Kind::BadLocator: return q(T(s_, kTxLocatorFalsch));
        case WelcomeStation::Kind::BadDegrees: return q(T(s_, kTxStationDegrees));
        case WelcomeStation::Kind::Ambiguous: {
          QString text = q(T(s_, kTxOrtMehrdeutig));
          for (const Match& m : e.station.candidates) text += "\n" + q(matchText(m));
          return text;
        }
        case WelcomeStation::Kind::Empty: return q(T(s_, kTxHinweisName));
        case WelcomeStation::Kind::Unknown:
        case WelcomeStation::Kind::Found: break;
      }
      return q(T(s_, kTxStationUnknown));
    case 2: return q(T(s_, kTxHintWatts));
    case 3: return q(inputHint(s_, Field::Gain));
    case 4: return q(inputHint(s_, Field::Angle));
  }
  return {};
}

void WelcomeDialog::ok() {
  WelcomeTexts texts;
  for (std::size_t i = 0; i < 4; ++i) texts[i] = boxes_[i]->text().toStdString();
  const PlaceIndex& p = places_();
  const WelcomeResult e = applyWelcome(s_, texts, opened_, p.placeList, p.places);
  written_ = written_ || e.start;
  // What went into the state counts as opened from now on: a second OK
  // does not write it again.
  for (std::size_t i = 0; i < 4; ++i) {
    setMarker(i, !e.red[i]);
    if (!e.red[i]) opened_[i] = texts[i];
  }
  if (e.flag != 0) {
    // A refused entry stays in its box, marked red, with what the box takes.
    lblHinweis->setText(failureText(e));
    boxes_[static_cast<std::size_t>(e.flag - 1)]->setFocus();
    return;
  }
  if (e.station.kind == WelcomeStation::Kind::Found && e.station.takenAmong >= 2) {
    // Several places bear the name: say which one was taken; the next OK keeps it.
    Match taken;
    taken.name = e.station.name;
    taken.country = e.station.country;
    taken.lat = e.station.lat;
    taken.lon = e.station.lon;
    lblHinweis->setText(q(T(s_, kTxPlaceTaken))
                            .replace("%1", q(matchText(taken)))
                            .replace("%2", QString::number(e.station.takenAmong)));
    cmdWelcomeOk->setFocus();
    return;
  }
  accept();
}

void WelcomeDialog::done(int r) {
  const bool changed = written_;
  written_ = false;
  QDialog::done(r);
  emit welcomeDone(changed);
}

}  // namespace welvaro::ui
