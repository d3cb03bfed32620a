// The end of the session: SIGTERM (logout, shutdown, `kill`), SIGHUP and
// SIGINT reach the main window as an orderly close, so the settings are
// saved as at the close box.
#pragma once

#include <functional>

class QObject;

namespace welvaro::ui {

/// Calls `beenden` on the GUI thread when one of the signals arrives. The
/// signal handler only writes a byte to a socket pair; the event loop reads
/// it, so nothing but async-signal-safe code runs in the handler.
void beiSitzungsende(QObject* parent, std::function<void()> beenden);

}  // namespace welvaro::ui
