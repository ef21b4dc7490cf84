#include "Printers.h"

#include <QCoreApplication>
#include <QPrinterInfo>
#include <QVariant>

namespace cv {

namespace {
// Kept on the application object, so the host and every plug-in see the same setting.
constexpr const char* kCountProperty = "cvInstalledPrinterCount";
}  // namespace

int InstalledPrinterCount() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    const QVariant v = app->property(kCountProperty);
    if (v.isValid() && v.toInt() >= 0) return v.toInt();
  }
  return static_cast<int>(QPrinterInfo::availablePrinters().size());
}

void SetInstalledPrinterCount(int count) {
  if (QCoreApplication* app = QCoreApplication::instance()) app->setProperty(kCountProperty, count);
}

}  // namespace cv
