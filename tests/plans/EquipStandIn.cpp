// Stand-ins for the equipment object's text utilities, which the plan files use; they follow the
// equipment's documented rules. Remove this file once the equipment object's own definitions are
// linked into the framework library.
#include <string>

#include "Cv3Equip.h"

std::string TCv3Equip::FixWidth(const std::string& text, int width) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "--";
  size_t end = text.find(' ', first);
  std::string out = text.substr(0, end == std::string::npos ? std::string::npos : end);
  out.resize(static_cast<size_t>(width), ' ');
  return out;
}

std::string TCv3Equip::GetFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

float TCv3Equip::IFToFreq(float oscillator, float intermediate) {
  return oscillator > 5000 && oscillator < 6000 ? oscillator - intermediate : oscillator + intermediate;
}

float TCv3Equip::FreqToIF(float oscillator, float frequency) {
  if (oscillator > 5000 && oscillator < 6000)
    return frequency > oscillator ? frequency - oscillator : oscillator - frequency;
  return frequency - oscillator;
}
