// What the receiver heard, bound to the window: the store of decodes, the
// receiver's logs and its UDP messages, the dots on the world map, the
// heard rows beside the bands, the status line and the settings dialog.
//
// A worker thread owns the writing connection to the store: at start it
// opens the store (a damaged one is set aside, the user told), drops what is
// older than the retention and reads the logs (only what is new), then
// takes the listener's decodes a few times a second and looks for new log
// lines every few seconds. It tells the window by a queued signal; the
// window reads the store through a connection of its own and draws anew at
// most a few times a second, so neither a long log nor a flood of
// datagrams freezes it.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "decodes/dots.h"
#include "decodes/heard_window.h"
#include "decodes/listener.h"
#include "decodes/logreader.h"
#include "decodes/store.h"
#include "display/dotlayer.h"
#include "files/programdir.h"
#include "files/window_prefs.h"
#include "state/datetime.h"
#include "state/message.h"
#include "state/state.h"

namespace welvaro::ui {

class HeardPanel;
class HeardSettingsDialog;
class PictureView;
class UserDialogs;

/// What the worker is to do.
struct HeardSources {
  std::filesystem::path store;
  std::vector<LogFile> logs;
  bool listen = false;
  UdpEndpoint endpoint;
  double rxLat = 0, rxLon = 0;  ///< where the UDP receiver stands (station A) [deg]
  int keepDays = 90;
};

/// The worker thread's side: the writing connection, the listener, the
/// logs. Lives in the worker thread; reports through `changed()`.
class HeardWorker : public QObject {
  Q_OBJECT

 public:
  explicit HeardWorker(const Clock& clock);
  ~HeardWorker() override;

  /// What happened since the last call (called from the window's thread).
  struct Report {
    bool opened = false;      ///< the store was (re)opened: the reader opens it anew
    bool stored = false;      ///< new decodes were stored
    std::vector<Message> messages;
    std::vector<std::pair<std::string, std::string>> logProblems;  ///< path, reason
    std::string listenError;
    bool listening = false;
    ListenerSnapshot seen;
  };
  Report take();

  /// Asks a running read to stop after its batch (called from any thread;
  /// the next begin clears it).
  void cancel() { cancel_ = true; }

  // Run in the worker thread.
  void begin(const HeardSources& sources);
  void end();

 signals:
  void changed();

 private:
  void poll();
  void readLogs();
  void retain();

  const Clock& clock_;
  HeardSources sources_;
  DecodeStore store_;
  std::unique_ptr<UdpListener> listener_;
  QTimer* timer_ = nullptr;
  int polls_ = 0;
  std::vector<std::string> reported_;  // logs whose problem was told already
  std::atomic<bool> cancel_{false};
  std::mutex mutex_;
  Report report_;  // guarded by mutex_
};

class HeardBinder : public QObject {
  Q_OBJECT

 public:
  HeardBinder(State& s, const Clock& clock, ProgramDirs dirs, QMainWindow* window, PictureView* view);
  ~HeardBinder() override;

  /// The panel for the window's side panel.
  HeardPanel* panel() const { return panel_; }
  /// The menu item in `menu`; `dialogs` answers the file choice, `notify`
  /// shows a message in the window.
  void wire(QMenu* menu, std::function<UserDialogs&()> dialogs, std::function<void(const QString&)> notify);

  /// Reads the preferences and starts reading and listening.
  void start();
  /// Stops the worker (the window closes).
  void stop();
  /// The time, frequency or point B shown changed: dots and rows follow.
  void shownChanged();
  void retranslate();
  /// The read-out of the dot under a point of the picture (logical
  /// coordinates); empty when there is none.
  QString readOutAt(QPointF p) const;
  /// The settings dialog, created at its first use.
  HeardSettingsDialog* settingsDialog();
  /// The dots shown.
  const HeardDots& dots() const { return dots_; }

 private:
  void apply(const WindowPrefs& f);
  void workerChanged();
  void fitSidePanel();
  void refresh();
  void showStatus();
  void drawOverlay(Canvas& c, const MapProjection& p, Rect picture, double scale);

  State& s_;
  const Clock& clock_;
  ProgramDirs dirs_;
  QMainWindow* window_;
  PictureView* view_;
  HeardPanel* panel_;
  QLabel* lblReceiver;
  QAction* mnuHeard = nullptr;
  HeardSettingsDialog* settings_ = nullptr;
  std::function<UserDialogs&()> dialogs_;
  std::function<void(const QString&)> notify_;

  QThread thread_;
  HeardWorker* worker_;
  DecodeStore reader_;
  WindowPrefs prefs_;
  std::string endpoint_;  // "ADDR:PORT" listened on
  bool on_ = false;
  QTimer tmrRefresh, tmrStatus;
  HeardWorker::Report last_;
  GeoPoint stationA_;  // where the receiver stood when the worker was started [deg]
  std::unique_ptr<State> scratch_;  // the outlook per band is computed on a copy
  std::array<Outlook, kHfBands.size()> outlook_{};
  HeardDots dots_;
  MapDotLayer layer_;
};

}  // namespace welvaro::ui
