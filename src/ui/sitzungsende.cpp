#include "ui/sitzungsende.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace welvaro::ui {

namespace {

int signalPaar[2] = {-1, -1};
// Never freed: it must outlive every static object when exit() runs.
std::function<void()>* abbruchSpeichern = nullptr;

extern "C" void beimExit() {
  if (abbruchSpeichern && *abbruchSpeichern) (*abbruchSpeichern)();
}

extern "C" void signalEmpfangen(int) {
  const char c = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPaar[0], &c, 1);
}

}  // namespace

void beiSitzungsende(QObject* parent, std::function<void()> beenden) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPaar) != 0) return;
  auto* melder = new QSocketNotifier(signalPaar[1], QSocketNotifier::Read, parent);
  QObject::connect(melder, &QSocketNotifier::activated, parent, [melder, beenden = std::move(beenden)] {
    char c;
    [[maybe_unused]] const ssize_t n = ::read(signalPaar[1], &c, 1);
    melder->setEnabled(false);  // one orderly end is enough
    beenden();
  });
  struct sigaction sa {};
  sa.sa_handler = signalEmpfangen;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
}

void beimAbbruch(std::function<void()> speichern) {
  if (!abbruchSpeichern) {
    abbruchSpeichern = new std::function<void()>;
    std::atexit(beimExit);
  }
  *abbruchSpeichern = std::move(speichern);
}

}  // namespace welvaro::ui
