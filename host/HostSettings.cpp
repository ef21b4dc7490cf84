#include "HostSettings.h"

#include "IniFile.h"

namespace cv {

CustomLogoSettings ReadCustomLogo(const IniFile& ini) {
  CustomLogoSettings s;
  s.logoFile = ini.ReadString("CustomLogo", "logo_file", "");
  s.stretch = SameText(ini.ReadString("CustomLogo", "stretch", "yes"), "yes");
  s.proportional = SameText(ini.ReadString("CustomLogo", "proportional", "yes"), "yes");
  s.center = SameText(ini.ReadString("CustomLogo", "center", "yes"), "yes");
  return s;
}

std::map<int, std::string> ReadPortPaths(const IniFile& ini) {
  std::map<int, std::string> ports;
  for (int n = 1; n <= 12; ++n) {
    std::string path = ini.ReadString("Ports", "COM" + std::to_string(n), "");
    if (!path.empty()) ports[n] = path;
  }
  return ports;
}

}  // namespace cv
