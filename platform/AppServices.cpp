#include "AppServices.h"

#include <QCoreApplication>
#include <QVariant>

namespace cv {

bool AppTerminating() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QCoreApplication::closingDown() || app->property("cvTerminating").toBool();
}

void SetAppTerminating(bool terminating) {
  if (QCoreApplication* app = QCoreApplication::instance()) app->setProperty("cvTerminating", terminating);
}

}  // namespace cv
