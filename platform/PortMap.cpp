#include "PortMap.h"

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
    for (const auto& [n, path] : comNumberToPath) m.insert(QString::number(n), QString::fromStdString(path));
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

std::string PortPath(const std::string& name) {
  const int n = PortNumberOf(name);
  if (n <= 0) return name;
  const std::string var = "CV_PORT_COM" + std::to_string(n);
  if (const char* env = std::getenv(var.c_str()); env && *env) return env;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    const QVariant v = app->property(kPortPathsProperty);
    if (v.isValid()) {
      const QString path = v.toMap().value(QString::number(n)).toString();
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

}  // namespace cv
