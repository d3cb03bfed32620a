// What the window tests share: controls found by their system names, and
// timer events run at once by name.
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

}  // namespace welvaro::test
