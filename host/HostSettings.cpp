#include "HostSettings.h"

#include "IniFile.h"

namespace cv {

std::map<int, std::string> ReadPortPaths(const IniFile& ini) {
  std::map<int, std::string> ports;
  for (int n = 1; n <= 12; ++n) {
    std::string path = ini.ReadString("Ports", "COM" + std::to_string(n), "");
    if (!path.empty()) ports[n] = path;
  }
  return ports;
}

}  // namespace cv
