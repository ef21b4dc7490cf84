#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace cv {

BusyCursor::BusyCursor() { SetBusyCursor(true); }
BusyCursor::~BusyCursor() { SetBusyCursor(false); }

void SetBusyCursor(bool busy) {
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace cv
