// Termination requests (SIGINT, SIGTERM, SIGHUP) for a program without an
// event loop, the command line: such a signal ends the program at once, as
// its default action would, unless a file is being replaced at that moment.
// Then the handler only notes the signal; the writer sees it, removes its
// temporary file and returns, and the program ends by endIfTerminated().
// So an interrupted run leaves the old file whole and nothing beside it.
//
// The desktop window has its own handling of these signals (an orderly
// close); it does not install this handler.
#pragma once

namespace welvaro {

/// Installs the handler for SIGINT, SIGTERM and SIGHUP, except for a
/// signal the program was started with ignored (nohup, a background job).
void installTerminationHandler();

/// The signal noted while a file was being written, 0 when none.
int terminationSignal();

/// When a signal was noted: ends the program by that signal with its
/// default action (the caller's shell sees it killed by the signal).
/// Otherwise returns.
void endIfTerminated();

/// Marks the time a temporary file of the one writer exists: a signal that
/// arrives meanwhile is only noted. Nested marks count.
class WriteInProgress {
 public:
  WriteInProgress();
  ~WriteInProgress();
  WriteInProgress(const WriteInProgress&) = delete;
  WriteInProgress& operator=(const WriteInProgress&) = delete;
};

}  // namespace welvaro
