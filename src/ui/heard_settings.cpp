#include "ui/heard_settings.h"
#include "ui/qtext.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "decodes/heard_window.h"
#include "decodes/listener.h"
#include "lang/sprachtext.h"

namespace welvaro::ui {

namespace {

// Item data of a log: its path, and its receiver's position as typed.
constexpr int kPathRole = Qt::UserRole;
constexpr int kPositionRole = Qt::UserRole + 1;

constexpr int kSpanMinutes[] = {15, 60, 360, 1440, 0};

const char* kRed = "QLineEdit { background: rgb(255,200,200); }";

}  // namespace

HeardSettingsDialog::HeardSettingsDialog(const State& s, std::function<QString()> chooseFile, QWidget* parent)
    : QDialog(parent), s_(s), chooseFile_(std::move(chooseFile)) {
  setObjectName("frmHeardSettings");
  auto* layout = new QVBoxLayout(this);
  lblLogs = new QLabel(this);
  layout->addWidget(lblLogs);
  auto* logRow = new QHBoxLayout;
  lstLogs = new QListWidget(this);
  lstLogs->setObjectName("lstLogs");
  lstLogs->setMinimumWidth(460);
  lstLogs->setMinimumHeight(90);
  logRow->addWidget(lstLogs, 1);
  auto* logButtons = new QVBoxLayout;
  cmdAddLog = new QPushButton(this);
  cmdAddLog->setObjectName("cmdAddLog");
  cmdRemoveLog = new QPushButton(this);
  cmdRemoveLog->setObjectName("cmdRemoveLog");
  logButtons->addWidget(cmdAddLog);
  logButtons->addWidget(cmdRemoveLog);
  logButtons->addStretch(1);
  logRow->addLayout(logButtons);
  layout->addLayout(logRow);

  auto* foundRow = new QHBoxLayout;
  lblFound = new QLabel(this);
  cmbFound = new QComboBox(this);
  cmbFound->setObjectName("cmbFoundLogs");
  cmdAddFound = new QPushButton(this);
  cmdAddFound->setObjectName("cmdAddFound");
  foundRow->addWidget(lblFound);
  foundRow->addWidget(cmbFound, 1);
  foundRow->addWidget(cmdAddFound);
  layout->addLayout(foundRow);

  lblPosition = new QLabel(this);
  txtPosition = new QLineEdit(this);
  txtPosition->setObjectName("txtRxPosition");
  layout->addWidget(lblPosition);
  layout->addWidget(txtPosition);

  auto* grid = new QGridLayout;
  chkListen = new QCheckBox(this);
  chkListen->setObjectName("chkListen");
  txtUdp = new QLineEdit(this);
  txtUdp->setObjectName("txtUdp");
  grid->addWidget(chkListen, 0, 0);
  grid->addWidget(txtUdp, 0, 1);
  lblKeep = new QLabel(this);
  spnKeepDays = new QSpinBox(this);
  spnKeepDays->setObjectName("spnKeepDays");
  spnKeepDays->setRange(1, 36500);
  grid->addWidget(lblKeep, 1, 0);
  grid->addWidget(spnKeepDays, 1, 1);
  lblSpan = new QLabel(this);
  cmbSpan = new QComboBox(this);
  cmbSpan->setObjectName("cmbSpan");
  for (int i = 0; i < 5; ++i) cmbSpan->addItem(QString());
  grid->addWidget(lblSpan, 2, 0);
  grid->addWidget(cmbSpan, 2, 1);
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdAbbrechen");
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &HeardSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &HeardSettingsDialog::reject);
  connect(cmdAddLog, &QPushButton::clicked, this, [this] {
    const QString file = chooseFile_ ? chooseFile_() : QString();
    if (!file.isEmpty()) addLog(file);
  });
  connect(cmdRemoveLog, &QPushButton::clicked, this, [this] { delete lstLogs->currentItem(); });
  connect(cmdAddFound, &QPushButton::clicked, this, [this] {
    if (cmbFound->currentIndex() >= 0) addLog(cmbFound->currentText());
  });
  connect(lstLogs, &QListWidget::currentItemChanged, this, &HeardSettingsDialog::logChosen);
  connect(txtPosition, &QLineEdit::textEdited, this, &HeardSettingsDialog::positionEdited);
  connect(txtUdp, &QLineEdit::textEdited, this, [this] { txtUdp->setStyleSheet(QString()); });
  connect(chkListen, &QCheckBox::toggled, txtUdp, &QLineEdit::setEnabled);
  retranslate();
}

void HeardSettingsDialog::retranslate() {
  auto t = [this](int key) { return q(T(s_, key)); };
  setWindowTitle(t(kTxHeardTitle));
  lblLogs->setText(t(kTxHeardLogs));
  cmdAddLog->setText(t(kTxHeardAddLog));
  cmdRemoveLog->setText(t(kTxHeardRemoveLog));
  lblFound->setText(t(kTxHeardFoundLogs));
  cmdAddFound->setText(t(kTxHeardAddFound));
  lblPosition->setText(t(kTxHeardRxPosition));
  txtPosition->setPlaceholderText(t(kTxHeardAtA));
  chkListen->setText(t(kTxHeardListen));
  txtUdp->setToolTip(t(kTxHeardBadAddress));
  lblKeep->setText(t(kTxHeardKeepDays));
  lblSpan->setText(t(kTxHeardSpan));
  const int keys[] = {kTxHeardSpan15, kTxHeardSpan60, kTxHeardSpan360, kTxHeardSpan1440, kTxHeardSpanNone};
  for (int i = 0; i < 5; ++i) cmbSpan->setItemText(i, t(keys[i]));
}

void HeardSettingsDialog::showPrefs(const WindowPrefs& f, const std::vector<std::string>& found) {
  retranslate();
  lstLogs->clear();
  for (const WindowPrefs::HeardLog& l : f.heardLogs) {
    addLog(q(l.path));
    if (l.ownPosition) {
      QListWidgetItem* item = lstLogs->currentItem();
      const QString pos = q(typedPositionText(l.lat, l.lon));
      item->setData(kPositionRole, pos);
      item->setText(q(l.path) + "  (" + pos + ")");
    }
  }
  logChosen();
  cmbFound->clear();
  for (const std::string& p : found) cmbFound->addItem(q(p));
  cmbFound->setEnabled(!found.empty());
  cmdAddFound->setEnabled(!found.empty());
  chkListen->setChecked(f.heardListen);
  txtUdp->setText(q(f.heardUdp));
  txtUdp->setEnabled(f.heardListen);
  txtUdp->setStyleSheet(QString());
  spnKeepDays->setValue(f.heardKeepDays);
  int span = 1;
  for (int i = 0; i < 5; ++i)
    if (kSpanMinutes[i] == f.heardSpan) span = i;
  cmbSpan->setCurrentIndex(span);
}

void HeardSettingsDialog::addLog(const QString& path) {
  for (int i = 0; i < lstLogs->count(); ++i)
    if (lstLogs->item(i)->data(kPathRole).toString() == path) {
      lstLogs->setCurrentRow(i);
      return;
    }
  auto* item = new QListWidgetItem(path, lstLogs);
  item->setData(kPathRole, path);
  item->setData(kPositionRole, QString());
  lstLogs->setCurrentItem(item);
}

void HeardSettingsDialog::logChosen() {
  QListWidgetItem* item = lstLogs->currentItem();
  txtPosition->setEnabled(item != nullptr);
  txtPosition->setText(item ? item->data(kPositionRole).toString() : QString());
  txtPosition->setStyleSheet(QString());
}

void HeardSettingsDialog::positionEdited() {
  QListWidgetItem* item = lstLogs->currentItem();
  if (!item) return;
  item->setData(kPositionRole, txtPosition->text());
  txtPosition->setStyleSheet(readTypedPosition(txtPosition->text().toStdString()).ok ? QString() : kRed);
  const QString pos = txtPosition->text().trimmed();
  const QString path = item->data(kPathRole).toString();
  item->setText(pos.isEmpty() ? path : path + "  (" + pos + ")");
}

WindowPrefs HeardSettingsDialog::edited(WindowPrefs f) const {
  f.heardLogs.clear();
  for (int i = 0; i < lstLogs->count(); ++i) {
    const QListWidgetItem* item = lstLogs->item(i);
    WindowPrefs::HeardLog l;
    l.path = item->data(kPathRole).toString().toStdString();
    const TypedPosition p = readTypedPosition(item->data(kPositionRole).toString().toStdString());
    if (p.position) {
      l.ownPosition = true;
      l.lat = p.position->lat;
      l.lon = p.position->lon;
    }
    f.heardLogs.push_back(l);
  }
  f.heardListen = chkListen->isChecked();
  f.heardUdp = txtUdp->text().trimmed().toStdString();
  f.heardKeepDays = spnKeepDays->value();
  f.heardSpan = kSpanMinutes[std::max(0, cmbSpan->currentIndex())];
  return f;
}

void HeardSettingsDialog::accept() {
  // A position or an address that cannot be read keeps the dialog open,
  // its box red, as the other input dialogs do.
  for (int i = 0; i < lstLogs->count(); ++i)
    if (!readTypedPosition(lstLogs->item(i)->data(kPositionRole).toString().toStdString()).ok) {
      lstLogs->setCurrentRow(i);
      txtPosition->setStyleSheet(kRed);
      return;
    }
  if (chkListen->isChecked() && !parseEndpoint(txtUdp->text().trimmed().toStdString())) {
    txtUdp->setStyleSheet(kRed);
    return;
  }
  QDialog::accept();
}

}  // namespace welvaro::ui
