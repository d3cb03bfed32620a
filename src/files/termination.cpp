#include "files/termination.h"

#include <atomic>
#include <csignal>

namespace welvaro {

namespace {

// A signal handler can reach nothing but objects of static storage; these
// two are lock-free atomics, safe to touch from it.
std::atomic<int> noted{0};
std::atomic<int> writes{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void defaultAction(int sig) {
  struct sigaction sa {};
  sa.sa_handler = SIG_DFL;
  sigemptyset(&sa.sa_mask);
  ::sigaction(sig, &sa, nullptr);
}

// Only async-signal-safe work: note the signal, or when no temporary file
// exists end the program by the signal's default action.
extern "C" void onTermination(int sig) {
  noted.store(sig);
  if (writes.load() == 0) {
    defaultAction(sig);
    ::raise(sig);
  }
}

}  // namespace

void installTerminationHandler() {
  struct sigaction sa {};
  sa.sa_handler = onTermination;
  sigemptyset(&sa.sa_mask);
  for (const int sig : kSignals) sigaddset(&sa.sa_mask, sig);
  sa.sa_flags = SA_RESTART;
  for (const int sig : kSignals) {
    // A signal ignored from the start stays ignored: a job a script runs in
    // the background ignores SIGINT, one run by nohup SIGHUP.
    struct sigaction before {};
    if (::sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(sig, &sa, nullptr);
  }
}

int terminationSignal() { return noted.load(); }

void endIfTerminated() {
  const int sig = noted.load();
  if (sig == 0) return;
  defaultAction(sig);
  ::raise(sig);
}

WriteInProgress::WriteInProgress() { writes.fetch_add(1); }
WriteInProgress::~WriteInProgress() { writes.fetch_sub(1); }

}  // namespace welvaro
