#include "SpectrumSim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cvsim {

double SpectrumState::LevelAt(double mhz) const {
  double level = floorLevel;
  for (auto& [f, peak] : carriers) level = std::max(level, peak - 6.0 * std::fabs(mhz - f) / width * 1.5);
  return std::min(level, 409.5);
}

std::string SpectrumState::BerDigits(double ber) {
  // mantissa 0..127 and exponent -16..15 in a 12-bit word
  int exponent = -16;
  int mantissa = 0;
  for (int e = -16; e <= 15; ++e) {
    double m = ber / std::pow(10.0, e);
    if (m < 127.5) {
      mantissa = static_cast<int>(std::lround(m));
      exponent = e;
      if (m >= 9.95 || e == -16) break;
    }
  }
  int x = ((mantissa & 0x7F) << 5) | (exponent & 0x1F);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03X", x);
  return buf;
}

std::string SpectrumState::LevelReply() const {
  if (impossible) return "*LV!?000";
  if (measureMode >= 4 && measureMode <= 6) return "*LV=+" + BerDigits(berValue);
  int tenths = static_cast<int>(std::lround(LevelAt(tunedMHz) * 10));
  if (measureMode == 1 || measureMode == 3 || measureMode == 7) tenths = 385;  // dB ratios
  char buf[16];
  std::snprintf(buf, sizeof buf, "*LV=+%03X", std::clamp(tenths, 0, 0xFFF));
  return buf;
}

std::shared_ptr<SpectrumState> AddSpectrumCommands(Profile& profile) {
  auto s = std::make_shared<SpectrumState>();
  profile.On("*SP0", [s](const std::string&) {
    s->spectrumMode = false;
    return Answer::Ok();
  });
  profile.On("*?SP", [s](const std::string&) { return Answer::Reply(s->spectrumMode ? "*SP1" : "*SP0"); });
  profile.On("*7205&", [s](const std::string&) {
    s->protectedMode = true;
    return Answer::Ok();
  });
  for (const char* cmd : {"*MF0F", "*MF1F"}) {
    profile.On(cmd, [s, cmd](const std::string&) {
      if (!s->protectedMode) return Answer::Nak();
      s->filterOn = cmd[3] == '1';
      s->protectedMode = false;
      return Answer::Ok();
    });
  }
  profile.On("*?SY", [s](const std::string&) { return Answer::Reply(s->systemReply); });
  profile.On("*ME", [s](const std::string& line) {
    if (line.size() != 4 || line[3] < '0' || line[3] > '7') return Answer::Nak();
    s->measureMode = line[3] - '0';
    return Answer::Ok();
  });
  profile.On("*FR", [s](const std::string& line) {
    // "*FR", 'T' or 'S', four hex digits of the PLL word
    if (line.size() != 8 || (line[3] != 'T' && line[3] != 'S')) return Answer::Nak();
    char* end = nullptr;
    long word = std::strtol(line.c_str() + 4, &end, 16);
    if (*end) return Answer::Nak();
    s->tunedMHz = line[3] == 'T' ? word / 20.0 - 38.9 : word / 8.0 - 479.5;
    return Answer::Ok();
  });
  profile.On("*?LV", [s](const std::string&) { return Answer::Reply(s->LevelReply()); });
  return s;
}

}  // namespace cvsim
