#include "ui/session_end.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace welvaro::ui {

namespace {

int signalPair[2] = {-1, -1};
// Never freed: it must outlive every static object when exit() runs.
std::function<void()>* saveOnAbort = nullptr;

extern "C" void atExit() {
  if (saveOnAbort && *saveOnAbort) (*saveOnAbort)();
}

extern "C" void signalReceived(int) {
  const char c = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPair[0], &c, 1);
}

}  // namespace

void onSessionEnd(QObject* parent, std::function<void()> quit) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPair) != 0) return;
  auto* notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, parent);
  QObject::connect(notifier, &QSocketNotifier::activated, parent, [notifier, quit = std::move(quit)] {
    char c;
    [[maybe_unused]] const ssize_t n = ::read(signalPair[1], &c, 1);
    notifier->setEnabled(false);  // one orderly end is enough
    quit();
  });
  struct sigaction sa {};
  sa.sa_handler = signalReceived;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
}

void onAbort(std::function<void()> store) {
  if (!saveOnAbort) {
    saveOnAbort = new std::function<void()>;
    std::atexit(atExit);
  }
  *saveOnAbort = std::move(store);
}

}  // namespace welvaro::ui
