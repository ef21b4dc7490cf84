#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace cv {

BusyCursor::BusyCursor() { SetBusyCursor(true); }
BusyCursor::~BusyCursor() { SetBusyCursor(false); }

void SetBusyCursor(bool busy) {
  // Without a window system (a fuzz target, a core application) there is no cursor to change.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace cv
