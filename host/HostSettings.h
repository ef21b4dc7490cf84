#pragma once
// What the host takes from its INI file at start: the custom logo and the port paths.
#include <map>
#include <string>

#include "CustomLogo.h"

namespace cv {

class IniFile;

// Section [Ports]: COM1 to COM12 = the device path behind that port number (for example
// COM1=/dev/ttyUSB0). Keys without a path, or outside 1 to 12, are left out.
std::map<int, std::string> ReadPortPaths(const IniFile& ini);

}  // namespace cv
