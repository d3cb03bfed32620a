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
#include <initializer_list>
#include <iterator>
#include <string>
#include <memory>

#include "files/programdir.h"
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

}  // namespace welvaro::test
