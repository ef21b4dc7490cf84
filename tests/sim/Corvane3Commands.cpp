// The CORVANE-3 commands the equipment object sends: protected mode, tuner probe, tuning, level.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Simulator.h"

namespace cvsim {

namespace {

bool ParseHexWord(const std::string& digits, unsigned& word) {
  if (digits.size() != 4) return false;
  char* end = nullptr;
  word = static_cast<unsigned>(std::strtoul(digits.c_str(), &end, 16));
  return end && *end == '\0';
}

}  // namespace

double Corvane3Profile::LevelAt(double mhz) const {
  double level = floorDbuv;
  for (const Carrier& c : carriers)
    level = std::max(level, c.dbuv - 20.0 * std::fabs(mhz - c.mhz) / c.halfWidthMHz);
  return level;
}

std::string Corvane3Profile::BerDigits(double ber) {
  int exponent = -16;
  int mantissa = 0;
  for (int e = -16; e <= 15; ++e) {
    const double m = ber / std::pow(10.0, e);
    if (m < 127.5) {
      mantissa = static_cast<int>(std::lround(m));
      exponent = e;
      // The smallest exponent that still leaves two significant digits.
      if (m >= 9.95 || e == -16) break;
    }
  }
  const int x = ((mantissa & 0x7F) << 5) | (exponent & 0x1F);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03X", x);
  return buf;
}

std::string Corvane3Profile::LevelReply() const {
  if (levelImpossible) return "*LV!?000";
  if (measureMode >= 4 && measureMode <= 6) return "*LV=+" + BerDigits(berValue);
  const bool ratio = measureMode == 1 || measureMode == 3 || measureMode == 7;
  const double flicker = levelReads++ % 2 ? levelFlickerDb : 0.0;
  const long tenths = std::lround(((ratio ? ratioDb : LevelAt(tunedMHz)) + flicker) * 10.0);
  char buf[16];
  std::snprintf(buf, sizeof buf, "*LV=+%03lX", std::clamp(tenths, 0L, 0xFFFL));
  return buf;
}

void Corvane3Profile::SetTunerVariant(int variant) {
  registers[0x106A] = 0x01;
  registers[0x106B] = variant == 5 ? 0x00 : 0xFF;
  tunerReply.clear();
}

void AddCorvane3Commands(Corvane3Profile& p) {
  p.On("*7205&", [&p](const std::string&) {
    p.protectedMode = true;
    return Answer::Ok();
  });
  p.On("*?I20A0106A002", [&p](const std::string&) {
    return Answer::Reply(p.tunerReply.empty() ? p.RegisterReply(0x106A, 2) : p.tunerReply);
  });
  // "*FRT" + word: terrestrial, word = (MHz + 38.9) x 20; "*FRS" + word: satellite, (MHz + 479.5) x 8.
  p.On("*FR", [&p](const std::string& line) {
    unsigned word = 0;
    if (line.size() != 8 || (line[3] != 'T' && line[3] != 'S') || !ParseHexWord(line.substr(4), word))
      return Answer::Nak();
    p.tunedMHz = line[3] == 'T' ? word / 20.0 - 38.9 : word / 8.0 - 479.5;
    p.lastTuning = line;
    ++p.tuneCount;
    return Answer::Ok();
  });
  p.On("*?LV", [&p](const std::string&) { return Answer::Reply(p.LevelReply()); });
}

}  // namespace cvsim
