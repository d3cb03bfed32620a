// Welvaro: the desktop forecaster. Shows the start window while the main
// window runs its start-up sequence (which may compute the world forecast
// table), then the main window.
#include <QApplication>
#include <QIcon>

#include "ui/sitzungsende.h"
#include "files/programdir.h"
#include "state/datetime.h"
#include "ui/mainwindow.h"
#include "ui/splash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Welvaro");
  QApplication::setWindowIcon(QIcon(":/welvaro.svg"));

  auto* start = new welvaro::ui::StartWindow;
  start->show();
  start->repaint();
  QApplication::processEvents();

  welvaro::SystemClock clock;
  welvaro::ui::MainWindow fenster(clock, welvaro::resolveProgramDirs(welvaro::systemProgramDirInputs()));
  fenster.starten();
  welvaro::ui::beiSitzungsende(&fenster, [&fenster] { fenster.sitzungsEnde(); });
  // A session manager that logs out asks for the data first.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &fenster, [&fenster] { fenster.sitzungsEnde(); });

  // Without a display server (the session ended under the program), Qt
  // exits at once: the settings are saved on the way out all the same.
  welvaro::ui::beimAbbruch([&fenster] { fenster.speichernOhneFenster(); });

  start->close();
  delete start;
  fenster.show();
  const int rc = QApplication::exec();
  welvaro::ui::beimAbbruch({});
  return rc;
}
