// The window with odd data files: F1 on a help file that is a FIFO (the
// window must go on answering), and damaged map lines and gazetteer named
// as damaged in the message bar, in the user's language.
#include <QtTest>

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "files/programdir.h"
#include "files/settings.h"
#include "ui/dialogs.h"
#include "ui/helpviewer.h"
#include "ui/mainwindow.h"
#include "ui/message_bar.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::HelpViewer;
using welvaro::ui::MainWindow;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d, {"MapWelt.dat", "MapOrt.dat", "MapLinien.dat", "Ortsvorg.txt", "Orte.dat", "Welvaro.hlp"});
}

void writeText(const QTemporaryDir& d, const char* name, const std::string& bytes) {
  QFile::remove(d.path() + "/" + name);
  std::ofstream(std::filesystem::path(d.path().toStdString()) / name, std::ios::binary) << bytes;
}

// Opens the FIFO for writing whenever a reader waits on it, so that a
// reader that opened it does not hang the test run but finds it empty.
class FifoWriter {
 public:
  explicit FifoWriter(std::string path) : path_(std::move(path)), t_([this] { run(); }) {}
  ~FifoWriter() {
    end_ = true;
    t_.join();
  }

 private:
  void run() {
    while (!end_) {
      const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  std::string path_;
  std::atomic<bool> end_{false};
  std::thread t_;
};

QStringList messages(MainWindow& w) { return w.findChild<ui::MessageBar*>()->texts(); }

}  // namespace

class DataFilesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void helpOnAFifoLeavesTheWindowAnswering();
  void damagedMapLinesAreNamedDamaged();
  void damagedGazetteerIsNamedWhenANameIsLookedUp();
};

void DataFilesWindowTest::helpOnAFifoLeavesTheWindowAnswering() {
  QTemporaryDir dir;
  const std::string help = (std::filesystem::path(dir.path().toStdString()) / "Welvaro.hlp").string();
  QCOMPARE(::mkfifo(help.c_str(), 0600), 0);
  FifoWriter writer(help);
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, folder(dir));
  w.start();
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();  // English

  QTest::keyClick(&w, Qt::Key_F1);
  auto* viewer = w.findChild<HelpViewer*>();
  QVERIFY(viewer);
  QVERIFY(viewer->isVisible());
  QVERIFY2(viewer->shownText().contains(QString::fromStdString(help) + " could not be read: not a regular file"),
           qPrintable(viewer->shownText()));
  // The start-up named it too, as unreadable rather than missing.
  QVERIFY2(messages(w).join("\n").contains("Welvaro.hlp konnte nicht gelesen werden: not a regular file"),
           qPrintable(messages(w).join("\n")));

  // The window still answers: another F1, a change of display, a timer.
  QTest::keyClick(&w, Qt::Key_F1);
  test::ctl<QAction>(w, "mnuDarstellung2")->trigger();
  QCOMPARE(w.state().Darstellung, 2.0f);
  QTest::qWait(50);
  test::ctl<QAction>(w, "mnuDarstellung1")->trigger();
  QCOMPARE(w.state().Darstellung, 1.0f);
  w.close();
}

void DataFilesWindowTest::damagedMapLinesAreNamedDamaged() {
  struct Case {
    int language;
    const char* text;
  } cases[] = {{0, "ist beschädigt"}, {1, "is damaged"}, {3, "está dañado"}, {4, "est endommagé"}};
  for (const Case& f : cases) {
    QTemporaryDir dir;
    const ProgramDirs dirs = folder(dir);
    writeText(dir, "MapLinien.dat", "WVLINIEN and then anything");
    // The language of the settings file is the one the message speaks.
    auto old = std::make_unique<State>();
    old->L = static_cast<int16>(f.language);
    writeText(dir, "Welvaro.dat", settingsText(*old, {2026, 12, 8, 16, 5, 0}));
    FixedClock clock({2026, 12, 8, 16, 5, 0});
    MainWindow w(clock, dirs);
    w.start();
    const QString all = messages(w).join("\n");
    QVERIFY2(all.contains(QString::fromUtf8(f.text)), qPrintable(all));
    QVERIFY2(all.contains("MapLinien.dat"), qPrintable(all));
    QVERIFY2(!all.contains(QString::fromUtf8("fehlt")) && !all.contains("missing"), qPrintable(all));
  }
}

void DataFilesWindowTest::damagedGazetteerIsNamedWhenANameIsLookedUp() {
  QTemporaryDir dir;
  const ProgramDirs dirs = folder(dir);
  writeText(dir, "Orte.dat", "WelvOrte\x01 cut off");
  FixedClock clock({2026, 12, 8, 16, 5, 0});
  MainWindow w(clock, dirs);
  w.start();
  w.show();
  QVERIFY(!messages(w).join("\n").contains("Orte.dat"));  // read when a name is first looked up
  test::ctl<QAction>(w, "mnuStationB")->trigger();
  auto* d = w.stationBDialog();
  d->txtOrt->setFocus();
  d->txtOrt->selectAll();
  QTest::keyClicks(d->txtOrt, "Tok");
  const QString all = messages(w).join("\n");
  QVERIFY2(all.contains(QString::fromUtf8("Orte.dat ist beschädigt und wird nicht verwendet: ")), qPrintable(all));
}

QTEST_MAIN(DataFilesWindowTest)
#include "datafiles_uitest.moc"
