#include "ui/outlook_controls.h"

#include <QGridLayout>
#include <QSignalBlocker>

#include "display/outlookview.h"
#include "lang/sprachtext.h"
#include "outlook/outlook.h"
#include "state/numtext.h"
#include "ui/icons.h"
#include "ui/qtext.h"

namespace welvaro::ui {

namespace {

// Fills a list with the choices, the entry `chosen` current. A list that
// holds them already keeps its entries, so an open list stays open when the
// window shows its state again (every minute, with the clock).
void fill(QComboBox* list, const std::vector<OutlookChoice>& choices, int chosen) {
  const QSignalBlocker blocker(list);
  bool same = list->count() == static_cast<int>(choices.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->itemText(i) == q(choices[static_cast<std::size_t>(i)].text) &&
           list->itemData(i).toInt() == choices[static_cast<std::size_t>(i)].value;
  if (!same) {
    list->clear();
    for (const OutlookChoice& c : choices) list->addItem(q(c.text), c.value);
  }
  list->setCurrentIndex(std::max(0, list->findData(chosen)));
}

void markBox(QLineEdit* box, bool wrong) {
  box->setStyleSheet(wrong ? "QLineEdit { background: rgb(255,200,200); }" : QString());
}

}  // namespace

// ---- The main window's controls --------------------------------------------------

OutlookControls::OutlookControls(State& s, QWidget* window) : QObject(window), s_(s) {
  cmdAussicht = new QToolButton(window);
  cmdAussicht->setObjectName("cmdAussicht");
  cmdAussicht->setIcon(outlookIcon());
  cmdAussicht->setIconSize(QSize(24, 24));
  cmdAussicht->setAutoRaise(true);
  cmdAussicht->setCheckable(true);
  cmdAussicht->setFocusPolicy(Qt::StrongFocus);
  connect(cmdAussicht, &QToolButton::clicked, this, [this] { emit outlookChosen(); });

  cmbModus = new QComboBox(window);
  cmbModus->setObjectName("cmbModus");
  cmbModus->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(cmbModus, &QComboBox::activated, this, [this](int i) {
    // The tool bar chooses the mode only; the noise stays as it is.
    const OutlookChoiceResult r = applyOutlookChoice(s_, cmbModus->itemData(i).toInt(), PlainText(s_.CustomSnr),
                                                     s_.NoiseEnvironment, PlainText(s_.NoiseFloor));
    fillModes();
    emit choiceMade(r.follow);
  });

  lblAussicht = new QLabel(window);
  lblAussicht->setObjectName("lblAussicht");
  lblAussicht->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void OutlookControls::addMenuItem(QMenu* display) {
  mnuAussicht = display->addAction(QString());
  mnuAussicht->setObjectName("mnuAussicht");
  mnuAussicht->setCheckable(true);
  connect(mnuAussicht, &QAction::triggered, this, [this] { emit outlookChosen(); });
}

void OutlookControls::fillModes() { fill(cmbModus, modeChoices(s_), s_.OutlookMode); }

void OutlookControls::retranslate() {
  const QString quantity = q(quantityText(s_));
  if (mnuAussicht) mnuAussicht->setText(quantity);
  cmdAussicht->setToolTip(quantity);
  cmdAussicht->setAccessibleName(quantity);
  cmbModus->setToolTip(q(T(s_, kTxMode)));
  cmbModus->setAccessibleName(q(T(s_, kTxMode)));
  fillModes();
}

void OutlookControls::present(const WindowState& a) {
  // The caption names the mode, which the dialog may have changed.
  retranslate();
  cmdAussicht->setChecked(a.outlookChecked);
  if (mnuAussicht) mnuAussicht->setChecked(a.outlookChecked);
}

void OutlookControls::showPoint() {
  prgPointOutlook(s_);
  lblAussicht->setText(q(s_.OutlookLine));
}

// ---- The conditions dialog's part ------------------------------------------------

OutlookChoices::OutlookChoices(State& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("fraAussicht");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 8, 0, 0);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  auto label = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    return l;
  };
  auto explanation = [&](const char* name) {
    QLabel* l = label(name);
    l->setWordWrap(true);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    l->setFont(f);
    l->setMaximumWidth(440);
    return l;
  };
  auto box = [this](const char* name) {
    auto* b = new QLineEdit(this);
    b->setObjectName(name);
    b->setMaximumWidth(80);
    return b;
  };
  lblBetriebsart = label("lblBetriebsart");
  cmbBetriebsart = new QComboBox(this);
  cmbBetriebsart->setObjectName("cmbBetriebsart");
  txtBetriebsartDbHz = box("txtBetriebsartDbHz");
  lblBetriebsartErklaerung = explanation("lblBetriebsartErklaerung");
  lblRauschen = label("lblRauschen");
  cmbRauschen = new QComboBox(this);
  cmbRauschen->setObjectName("cmbRauschen");
  txtRauschpegel = box("txtRauschpegel");
  lblRauschenErklaerung = explanation("lblRauschenErklaerung");
  lblBetriebsart->setBuddy(cmbBetriebsart);
  lblRauschen->setBuddy(cmbRauschen);
  grid->addWidget(lblBetriebsart, 0, 0);
  grid->addWidget(cmbBetriebsart, 0, 1);
  grid->addWidget(txtBetriebsartDbHz, 0, 2);
  grid->addWidget(new QLabel("dB-Hz", this), 0, 3);
  grid->addWidget(lblBetriebsartErklaerung, 1, 0, 1, 4);
  grid->addWidget(lblRauschen, 2, 0);
  grid->addWidget(cmbRauschen, 2, 1);
  grid->addWidget(txtRauschpegel, 2, 2);
  grid->addWidget(new QLabel("dBm", this), 2, 3);
  grid->addWidget(lblRauschenErklaerung, 3, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  setTabOrder(cmbBetriebsart, txtBetriebsartDbHz);
  setTabOrder(txtBetriebsartDbHz, cmbRauschen);
  setTabOrder(cmbRauschen, txtRauschpegel);
  connect(cmbBetriebsart, &QComboBox::currentIndexChanged, this, [this] { openBoxes(); });
  connect(cmbRauschen, &QComboBox::currentIndexChanged, this, [this] { openBoxes(); });
}

void OutlookChoices::fillLists() {
  // The entries chosen so far stay chosen.
  const int mode = cmbBetriebsart->count() ? cmbBetriebsart->currentData().toInt() : s_.OutlookMode;
  const int noise = cmbRauschen->count() ? cmbRauschen->currentData().toInt() : s_.NoiseEnvironment;
  fill(cmbBetriebsart, modeChoices(s_), mode);
  fill(cmbRauschen, noiseChoices(s_), noise);
}

void OutlookChoices::retranslate() {
  lblBetriebsart->setText(q(T(s_, kTxMode)));
  lblRauschen->setText(q(T(s_, kTxNoise)));
  lblBetriebsartErklaerung->setText(q(T(s_, kTxModeExplain)));
  lblRauschenErklaerung->setText(q(T(s_, kTxNoiseExplain)));
  txtBetriebsartDbHz->setToolTip(q(T(s_, kTxHintRequiredSnr)));
  txtRauschpegel->setToolTip(q(T(s_, kTxHintNoiseFloor)));
  fillLists();
}

void OutlookChoices::showFromState() {
  cmbBetriebsart->clear();
  cmbRauschen->clear();
  retranslate();
  txtBetriebsartDbHz->setText(q(PlainText(s_.CustomSnr)));
  txtRauschpegel->setText(q(PlainText(s_.NoiseFloor)));
  markBox(txtBetriebsartDbHz, false);
  markBox(txtRauschpegel, false);
  openBoxes();
}

void OutlookChoices::openBoxes() {
  txtBetriebsartDbHz->setEnabled(cmbBetriebsart->currentData().toInt() == static_cast<int>(Mode::Custom));
  txtRauschpegel->setEnabled(cmbRauschen->currentData().toInt() == static_cast<int>(Noise::MyNoiseFloor));
}

bool OutlookChoices::apply(QLabel* hint) {
  const OutlookChoiceResult r =
      applyOutlookChoice(s_, cmbBetriebsart->currentData().toInt(), txtBetriebsartDbHz->text().toStdString(),
                         cmbRauschen->currentData().toInt(), txtRauschpegel->text().toStdString());
  markBox(txtBetriebsartDbHz, r.failed == 1);
  markBox(txtRauschpegel, r.failed == 2);
  if (r.failed != 0) {
    QLineEdit* box = r.failed == 1 ? txtBetriebsartDbHz : txtRauschpegel;
    if (hint) hint->setText(box->toolTip());
    box->setFocus();
    box->selectAll();
    return false;
  }
  // The lists name the values as they now are ("Custom (20 dB-Hz)").
  fillLists();
  if (r.changed) emit changed(r.follow);
  return true;
}

}  // namespace welvaro::ui
