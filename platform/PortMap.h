#pragma once
// Port names to device paths. The programs name ports "COM1" .. "COM9", "\\.\COM10" ...; on this
// platform "COMn" is /dev/ttyS<n-1> unless mapped otherwise:
//   1. the environment variable CV_PORT_COM<n> (e.g. CV_PORT_COM1=/tmp/cvsim-pty), which wins;
//   2. SetPortPaths (the host's INI section [Ports]: COM3=/dev/ttyUSB0, or a /dev/serial/by-id
//      link, given whole or by its bare name);
//   3. /dev/ttyS<n-1>.
// The mapping set by the host lives on the application object, so a plug-in (which carries its
// own copy of this code) opens the same devices as the host.
#include <map>
#include <string>

namespace cv {

void SetPortPaths(const std::map<int, std::string>& comNumberToPath);
// The port number in a name ("COM3" -> 3, "\\.\COM10" -> 10), or 0 when the name has none.
int PortNumberOf(const std::string& name);
// The device path for a port name; a name that is not "COMn" is taken as a path itself.
std::string PortPath(const std::string& name);

}  // namespace cv
