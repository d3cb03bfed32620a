#include "ui/solar_data.h"

#include <QMessageBox>
#include <QPushButton>

#include "lang/sprachtext.h"
#include "solar/solar_update.h"
#include "ui/qtext.h"

namespace welvaro::ui {

namespace {

constexpr int kSteps = 1000;  // progress steps per file

}  // namespace

SolarData::SolarData(QWidget* window, State& s, ProgramDirs dirs, const Clock& clock, Window hooks)
    : QObject(window), window_(window), s_(s), dirs_(std::move(dirs)), clock_(clock), hooks_(std::move(hooks)) {
  setObjectName("solarData");
}

SolarData::~SolarData() {
  if (!thread_) return;
  cancel_ = true;
  thread_->wait();
  delete thread_;
}

void SolarData::update() {
  if (!running()) return begin(false);
  // The user asks while the monthly check runs: it becomes theirs, with
  // its progress window and its box at the end.
  quiet_ = false;
  if (!progress_) showProgressWindow(solarBase(s_.SolarUrl));
  progress_->show();
  progress_->raise();
}

void SolarData::checkIfDue() {
  if (!running() && solarCheckDue(s_, clock_.now())) begin(true);
}

void SolarData::cancel() {
  cancel_ = true;
  if (progress_) progress_->setLabelText(q(messageText(s_.L, Message{kTxSolarCancelled, {}, {}})));
}

void SolarData::begin(bool quiet) {
  quiet_ = quiet;
  cancel_ = false;
  SolarUpdateRequest request = solarUpdateRequest(s_, dirs_, clock_.now());
  request.cancel = &cancel_;
  request.progress = [this](const SolarProgress& p) {
    QMetaObject::invokeMethod(this, [this, p] { showProgress(p); }, Qt::QueuedConnection);
  };

  if (!quiet) showProgressWindow(request.base);

  thread_ = QThread::create([this, request = std::move(request)] {
    auto result = std::make_shared<SolarUpdateResult>(updateSunspotTable(request));
    QMetaObject::invokeMethod(this, [this, result] { done(result); }, Qt::QueuedConnection);
  });
  thread_->setObjectName("solarUpdate");
  thread_->start();
}

void SolarData::showProgressWindow(const std::string& base) {
  auto* d = new QProgressDialog(window_);
  d->setObjectName("pobSonnendaten");
  d->setWindowTitle(q(T(s_, kTxSolarUpdateMenu)));
  d->setLabelText(q(messageText(s_.L, Message{kTxSolarFetching, base, {}})));
  d->setCancelButtonText(q(T(s_, kTxAbbrechen)));
  d->setRange(0, 2 * kSteps);
  d->setValue(0);
  d->setAutoClose(false);
  d->setAutoReset(false);
  d->setMinimumDuration(0);
  d->setModal(false);  // the window goes on working meanwhile
  connect(d, &QProgressDialog::canceled, this, &SolarData::cancel);
  progress_ = d;
  d->show();
}

void SolarData::showProgress(const SolarProgress& p) {
  if (!progress_) return;
  const std::int64_t part = p.total > 0 ? std::min<std::int64_t>(p.received * kSteps / p.total, kSteps) : 0;
  progress_->setValue(static_cast<int>((p.file - 1) * kSteps + part));
}

void SolarData::done(std::shared_ptr<SolarUpdateResult> r) {
  thread_->wait();  // its last step was to post this
  delete thread_;
  thread_ = nullptr;
  if (progress_) {
    // Closing is not cancelling: the box goes without a signal.
    progress_->disconnect(this);
    progress_->close();
    progress_->deleteLater();
  }

  const bool changed = finishSolarUpdate(s_, dirs_, *r, clock_.now());
  if (hooks_.tableTaken) hooks_.tableTaken(changed);

  const QString text = q(solarUpdateMessage(s_.L, *r));
  if (r->cancelled || quiet_) {
    hooks_.notify(text);
  } else {
    QMessageBox box(r->ok ? QMessageBox::Information : QMessageBox::Warning, q(T(s_, kTxSolarUpdateMenu)), text,
                    QMessageBox::Ok, window_);
    hooks_.dialogs().ask(box);
  }
  emit finished(r->ok, r->cancelled);
}

}  // namespace welvaro::ui
