#include "PortMap.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QVariant>
#include <QVariantMap>
#include <cstdlib>
#include <mutex>

namespace cv {

namespace {

const char kPortPathsProperty[] = "cvPortPaths";

// Used only when there is no application object (command-line tools, benchmarks).
std::mutex gFallbackMutex;
std::map<int, std::string> gFallbackPaths;

}  // namespace

void SetPortPaths(const std::map<int, std::string>& comNumberToPath) {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QVariantMap m;
    // Bytes, not text: a device path need not be UTF-8, and decoded it would name another file.
    for (const auto& [n, path] : comNumberToPath) m.insert(QString::number(n), QByteArray::fromStdString(path));
    app->setProperty(kPortPathsProperty, m);
  }
  std::lock_guard<std::mutex> lock(gFallbackMutex);
  gFallbackPaths = comNumberToPath;
}

int PortNumberOf(const std::string& name) {
  size_t pos = 0;
  if (name.rfind("\\\\.\\", 0) == 0) pos = 4;
  if (name.compare(pos, 3, "COM") != 0) return 0;
  pos += 3;
  if (pos >= name.size() || name.size() - pos > 3) return 0;
  int n = 0;
  for (; pos < name.size(); ++pos) {
    if (name[pos] < '0' || name[pos] > '9') return 0;
    n = n * 10 + (name[pos] - '0');
  }
  return n;
}

namespace {

std::string MappedPath(int n) {
  const std::string var = "CV_PORT_COM" + std::to_string(n);
  if (const char* env = std::getenv(var.c_str()); env && *env) return env;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    const QVariant v = app->property(kPortPathsProperty);
    if (v.isValid()) {
      const QByteArray path = v.toMap().value(QString::number(n)).toByteArray();
      if (!path.isEmpty()) return path.toStdString();
      return "/dev/ttyS" + std::to_string(n - 1);
    }
  }
  {
    std::lock_guard<std::mutex> lock(gFallbackMutex);
    auto it = gFallbackPaths.find(n);
    if (it != gFallbackPaths.end() && !it->second.empty()) return it->second;
  }
  return "/dev/ttyS" + std::to_string(n - 1);
}

// A bare name in the settings ("usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0") is a stable link
// under /dev/serial/by-id, which survives the adapter moving to another USB socket.
std::string Resolve(std::string path) {
  if (!path.empty() && path.find('/') == std::string::npos) return "/dev/serial/by-id/" + path;
  return path;
}

}  // namespace

std::string PortPath(const std::string& name) {
  const int n = PortNumberOf(name);
  if (n <= 0) return name;
  return Resolve(MappedPath(n));
}

}  // namespace cv
