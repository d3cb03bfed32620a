// Welvaro: the desktop forecaster. Shows the start window while the main
// window runs its start-up sequence (which may compute the world forecast
// table), then the main window.
#include <QApplication>
#include <QIcon>

#include "schedule/session.h"
#include "ui/session_end.h"
#include "files/programdir.h"
#include "state/datetime.h"
#include "ui/mainwindow.h"
#include "ui/splash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Welvaro");
  QApplication::setWindowIcon(QIcon(":/welvaro.svg"));

  const welvaro::ProgramDirs dirs = welvaro::resolveProgramDirs(welvaro::systemProgramDirInputs());
  auto* start = new welvaro::ui::StartWindow(welvaro::startLanguage(dirs));
  start->show();
  start->repaint();
  QApplication::processEvents();

  welvaro::SystemClock clock;
  welvaro::ui::MainWindow window(clock, dirs);
  window.start();
  welvaro::ui::onSessionEnd(&window, [&window] { window.endSession(); });
  // A session manager that logs out asks for the data first.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.endSession(); });

  // Without a display server (the session ended under the program), Qt
  // exits at once: the settings are saved on the way out all the same.
  welvaro::ui::onAbort([&window] { window.saveWithoutWindow(); });

  start->close();
  delete start;
  window.show();
  window.offerWelcome();  // first start: the user's own station, over the running window
  const int rc = QApplication::exec();
  welvaro::ui::onAbort({});
  return rc;
}
