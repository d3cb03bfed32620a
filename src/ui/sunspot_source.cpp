#include "ui/sunspot_source.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QVBoxLayout>

#include "lang/sprachtext.h"
#include "solar/solar_update.h"
#include "solar/sunspot_choice.h"
#include "ui/qtext.h"

namespace welvaro::ui {

SunspotSource::SunspotSource(State& s, ProgramDirs dirs, QWidget* parent)
    : QWidget(parent), s_(s), dirs_(std::move(dirs)) {
  setObjectName("fraSsnQuelle");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  optSsnEingabe = new QRadioButton(this);
  optSsnEingabe->setObjectName("optSsnEingabe");
  optSsnTabelle = new QRadioButton(this);
  optSsnTabelle->setObjectName("optSsnTabelle");
  auto* group = new QButtonGroup(this);
  group->addButton(optSsnEingabe);
  group->addButton(optSsnTabelle);
  lblSsnHinweis = new QLabel(this);
  lblSsnHinweis->setObjectName("lblSsnHinweis");
  lblSsnHinweis->setWordWrap(true);
  lblSsnHinweis->setContentsMargins(22, 0, 0, 0);
  layout->addWidget(optSsnEingabe);
  layout->addWidget(optSsnTabelle);
  layout->addWidget(lblSsnHinweis);

  fraSonnendaten = new QGroupBox(this);
  fraSonnendaten->setObjectName("fraSonnendaten");
  auto* grid = new QGridLayout(fraSonnendaten);
  chkMonatlich = new QCheckBox(fraSonnendaten);
  chkMonatlich->setObjectName("chkMonatlich");
  lblAdresse = new QLabel(fraSonnendaten);
  lblAdresse->setObjectName("lblAdresse");
  txtAdresse = new QLineEdit(fraSonnendaten);
  txtAdresse->setObjectName("txtAdresse");
  txtAdresse->setPlaceholderText(q(std::string(kSolarDefaultBase)));
  txtAdresse->setMinimumWidth(260);
  lblAdresse->setBuddy(txtAdresse);
  grid->addWidget(chkMonatlich, 0, 0, 1, 2);
  grid->addWidget(lblAdresse, 1, 0);
  grid->addWidget(txtAdresse, 1, 1);
  layout->addWidget(fraSonnendaten);

  // The note belongs to the table's choice only.
  connect(optSsnTabelle, &QRadioButton::toggled, this, [this] { showNote(); });
}

void SunspotSource::showFromState() {
  ssnaAtOpening_ = s_.Ssna;
  optSsnEingabe->setText(q(T(s_, kTxSsnTypedChoice)));
  optSsnTabelle->setText(q(ssnTableOfferText(s_)));
  (s_.SsnFromTable == 1 ? optSsnTabelle : optSsnEingabe)->setChecked(true);
  fraSonnendaten->setTitle(q(T(s_, kTxSolarData)));
  chkMonatlich->setText(q(T(s_, kTxSolarCheckMonthly)));
  chkMonatlich->setChecked(s_.SolarCheckMonthly == 1);
  lblAdresse->setText(q(T(s_, kTxSolarAddress)));
  txtAdresse->setText(q(s_.SolarUrl));
  showNote();
}

void SunspotSource::showNote() {
  // Without a value for the forecast month the table gives the typed
  // number: the user learns it before choosing the table.
  std::string note;
  if (s_.SsnTableValue < 0)
    note = s_.SsnTableDate.empty() ? T(s_, kTxSsnNoTable)
                                   : messageText(s_.L, Message{kTxSsnNotInTable, s_.SsnMonth, {}});
  lblSsnHinweis->setText(q(note));
  lblSsnHinweis->setVisible(!note.empty() && optSsnTabelle->isChecked());
}

std::string SunspotSource::boxText() const { return ssnBoxText(s_); }

QString SunspotSource::addressProblem() const {
  const std::string a = txtAdresse->text().trimmed().toStdString();
  if (a.empty() || isHttpAddress(a)) return {};
  return q(messageText(s_.L, Message{kTxSolarBadAddress, a, {}}));
}

bool SunspotSource::confirm(const std::string& typed, bool typedPassed) {
  s_.SolarCheckMonthly = static_cast<int16>(chkMonatlich->isChecked() ? 1 : 0);
  s_.SolarUrl = txtAdresse->text().trimmed().toStdString();
  const bool changed = confirmSunspotChoice(s_, dirs_, optSsnTabelle->isChecked(), typed, typedPassed, ssnaAtOpening_);
  // The offer follows what the record now says.
  optSsnTabelle->setText(q(ssnTableOfferText(s_)));
  if (!changed) return false;
  ssnaAtOpening_ = s_.Ssna;
  return true;
}

}  // namespace welvaro::ui
