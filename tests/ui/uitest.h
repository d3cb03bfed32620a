// What the window tests share: controls found by their system names, timer
// events run at once by name, and answers to the window's questions.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <memory>

#include "files/programdir.h"
#include "state/datetime.h"
#include "ui/mainwindow.h"
#include "ui/user_dialogs.h"

namespace welvaro::test {

// The control named `name` below `o`; a missing control fails the test run.
template <class T>
T* ctl(QObject& o, const QString& name) {
  T* c = o.findChild<T*>(name);
  if (!c) qFatal("no control %s", qPrintable(name));
  return c;
}
template <class T>
T* ctl(QObject* o, const QString& name) {
  return ctl<T>(*o, name);
}

// Runs a timer event of the window now, as its timer would.
inline void tick(QObject& w, const char* slot) {
  if (!QMetaObject::invokeMethod(&w, slot, Qt::DirectConnection)) qFatal("no timer event %s", slot);
}
inline void tick(QObject* w, const char* slot) { tick(*w, slot); }

// The program folder of one test in `d`, for writing and as the data
// folder, holding copies of the shipped data files named.
inline ProgramDirs programFolder(const QTemporaryDir& d, std::initializer_list<const char*> files = {}) {
  ProgramDirs dirs;
  dirs.writeDir = d.path().toStdString();
  dirs.dataDirs = {d.path().toStdString()};
  for (const char* f : files) QFile::copy(QString(WELVARO_DATA_DIR) + "/" + f, d.path() + "/" + f);
  return dirs;
}

// The bytes of a file, empty when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& f) {
  std::ifstream in(f, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
// The bytes of the file `name` in the test's folder `d`.
inline std::string fileBytes(const QTemporaryDir& d, const char* name) {
  return fileBytes(std::filesystem::path(d.path().toStdString()) / name);
}

// Replaces the text of a box as the user does: select all, delete, type,
// then Enter unless `confirm` is false.
inline void enterText(QLineEdit* box, const QString& text, bool confirm = true) {
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
  if (confirm) QTest::keyClick(box, Qt::Key_Return);
}

// Answers the window's boxes and dialogs as the test says, without showing
// them, and keeps the text of every box asked.
class ScriptedDialogs : public ui::UserDialogs {
 public:
  bool accept = false;      // OK or Yes to every box and dialog, else Cancel or No
  QString file;             // the file "chosen" to save to; empty: cancelled
  bool printers = false;    // whether printers are set up
  QStringList asked;        // the texts of the boxes, in order

  int ask(QMessageBox& box) override {
    asked << box.text();
    const auto b = box.standardButtons();
    if (accept) return b & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
    return b & QMessageBox::No ? QMessageBox::No : QMessageBox::Cancel;
  }
  int run(QDialog&) override { return accept ? QDialog::Accepted : QDialog::Rejected; }
  QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return file; }
  QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return file; }
  QPrinterInfo defaultPrinter() override { return {}; }
  bool anyPrinter() override { return printers; }
};

// Gives window `w` scripted answers; the returned object stays owned by it.
template <class Window>
ScriptedDialogs& scriptDialogs(Window& w) {
  auto d = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs& r = *d;
  w.setUserDialogs(std::move(d));
  return r;
}

// A main window started in a program folder of its own (holding copies of
// the data files named) on a fixed clock, 8 December 2026 16:05: its first
// display generated, then shown. `beforeStart` runs on the window before
// its start (scripted answers), `beforeShow` after the first display (a size).
class RunningWindow {
 public:
  using Step = std::function<void(ui::MainWindow&)>;
  /// Whether the window came up active.
  bool open(std::initializer_list<const char*> files, const Step& beforeStart = {}, const Step& beforeShow = {}) {
    dir_ = std::make_unique<QTemporaryDir>();
    clock_ = std::make_unique<FixedClock>(DateTime{2026, 12, 8, 16, 5, 0});
    window_ = std::make_unique<ui::MainWindow>(*clock_, programFolder(*dir_, files));
    if (beforeStart) beforeStart(*window_);
    window_->start();
    tick(*window_, "tickAnpassen");  // the first display generation
    if (beforeShow) beforeShow(*window_);
    window_->show();
    return QTest::qWaitForWindowActive(window_.get());
  }
  /// The window closed first, then its clock and folder.
  void close() {
    window_.reset();
    clock_.reset();
    dir_.reset();
  }
  ui::MainWindow* window() const { return window_.get(); }
  const QTemporaryDir& dir() const { return *dir_; }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<FixedClock> clock_;
  std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace welvaro::test
