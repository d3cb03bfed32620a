// The end of the session: SIGTERM (logout, shutdown, `kill`), SIGHUP and
// SIGINT reach the main window as an orderly close, so the settings are
// saved as at the close box.
#pragma once

#include <functional>

class QObject;

namespace welvaro::ui {

/// Calls `quit` on the GUI thread when one of the signals arrives. The
/// signal handler only writes a byte to a socket pair; the event loop reads
/// it, so nothing but async-signal-safe code runs in the handler.
void onSessionEnd(QObject* parent, std::function<void()> quit);

/// Calls `store` when the process exits without the window having
/// ended in order: the display server went away with the session, and Qt
/// leaves through exit() without closing any window. `store` must not
/// touch the window system. An empty function ends the watch (after the
/// event loop has returned normally).
void onAbort(std::function<void()> store);

}  // namespace welvaro::ui
