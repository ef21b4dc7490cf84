#pragma once
// What the host takes from its INI file at start: the custom logo and the port paths.
#include <map>
#include <string>

namespace cv {

class IniFile;

struct CustomLogoSettings {
  std::string logoFile;  // empty keeps the built-in logo
  bool stretch = true;
  bool proportional = true;
  bool center = true;
};

// Section [CustomLogo]: logo_file, then stretch, proportional and center, each on only when it
// reads "yes" (without case); each defaults to "yes".
CustomLogoSettings ReadCustomLogo(const IniFile& ini);

// Section [Ports]: COM1 to COM12 = the device path behind that port number (for example
// COM1=/dev/ttyUSB0). Keys without a path, or outside 1 to 12, are left out.
std::map<int, std::string> ReadPortPaths(const IniFile& ini);

}  // namespace cv
