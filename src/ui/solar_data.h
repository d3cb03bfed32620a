// The update of the solar data from the window: the core's update
// (solar/solar_update.h) runs on a worker thread so the window keeps
// working; a progress window shows how far it got and its Cancel button
// stops the transfer. When it ends, the core records the check and takes
// the new table, the forecast follows a changed sunspot number, and the
// user learns the outcome in their language (a box when they asked, the
// message bar for the monthly check at start-up). The program goes online
// only here: when the user asks, or at start-up when they ticked the
// monthly check and it is due.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "files/programdir.h"
#include "state/datetime.h"
#include "state/state.h"
#include "ui/user_dialogs.h"

namespace welvaro {
struct SolarUpdateResult;
struct SolarProgress;
}  // namespace welvaro

namespace welvaro::ui {

class SolarData : public QObject {
  Q_OBJECT

 public:
  /// What the update needs of the window.
  struct Window {
    std::function<UserDialogs&()> dialogs;             ///< who is asked (boxes)
    std::function<void(const QString&)> notify;        ///< a line in the message bar
    std::function<void(bool ssnChanged)> tableTaken;   ///< after an update: renew the forecast or the panel
  };

  SolarData(QWidget* window, State& s, ProgramDirs dirs, const Clock& clock, Window hooks);
  /// A running update is cancelled and waited for.
  ~SolarData() override;

  /// "Update solar data": starts the update with its progress window; while
  /// one runs, brings its progress window to the front instead (and gives
  /// the monthly check one).
  void update();
  /// At start-up: the monthly check, without a progress window, when the
  /// user ticked it and it is due.
  void checkIfDue();
  /// Stops the running update (the progress window's Cancel).
  void cancel();

  bool running() const { return thread_ != nullptr; }
  /// The progress window while an update runs that the user asked for.
  QProgressDialog* progressWindow() const { return progress_; }

 signals:
  /// The update ended and its outcome was shown.
  void finished(bool ok, bool cancelled);

 private:
  void begin(bool quiet);
  void showProgressWindow(const std::string& base);
  void showProgress(const SolarProgress& p);
  void done(std::shared_ptr<SolarUpdateResult> r);

  QWidget* window_;
  State& s_;
  ProgramDirs dirs_;
  const Clock& clock_;
  Window hooks_;
  QThread* thread_ = nullptr;
  std::atomic<bool> cancel_{false};
  QPointer<QProgressDialog> progress_;
  bool quiet_ = false;
};

}  // namespace welvaro::ui
