// The hourglass while a long operation runs, restored on every path; `Release` gives the
// normal cursor back early. Without a GUI application (command line) it does nothing.
#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

class TBusyCursor {
 public:
  TBusyCursor() : FOn(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (FOn) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~TBusyCursor() { Release(); }
  void Release() {
    if (FOn) QGuiApplication::restoreOverrideCursor();
    FOn = false;
  }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  bool FOn;
};
