// The CORVANE-3 commands the equipment object sends: protected mode, tuner probe, tuning, level.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Simulator.h"

namespace cvsim {

namespace {

struct Carrier {
  double mhz, dbuv, halfWidthMHz;
};

// A few analogue and digital carriers over a 22 dBuV floor.
constexpr Carrier kCarriers[] = {
    {471.25, 72.0, 3.0}, {607.25, 65.0, 3.0}, {746.0, 58.0, 4.0}, {1200.0, 75.0, 15.0}, {1750.0, 62.0, 15.0}};
constexpr double kFloorDbuv = 22.0;

bool ParseHexWord(const std::string& digits, unsigned& word) {
  if (digits.size() != 4) return false;
  char* end = nullptr;
  word = static_cast<unsigned>(std::strtoul(digits.c_str(), &end, 16));
  return end && *end == '\0';
}

}  // namespace

double Corvane3LevelAt(double mhz) {
  double level = kFloorDbuv;
  for (const Carrier& c : kCarriers) {
    double d = std::fabs(mhz - c.mhz);
    if (d < c.halfWidthMHz) level = std::max(level, c.dbuv - 20.0 * d / c.halfWidthMHz);
  }
  return level;
}

std::string Corvane3LevelReply(double dbuv) {
  long tenths = std::lround(dbuv * 10.0);
  if (tenths < 0) tenths = 0;
  if (tenths > 0xFFF) tenths = 0xFFF;
  char reply[16];
  snprintf(reply, sizeof reply, "*LV=+%03lX", tenths);
  return reply;
}

void Corvane3Profile::SetTunerVariant(int variant) { tunerReply = variant == 5 ? "*I2010000" : "*I201FF00"; }

void AddCorvane3Commands(Corvane3Profile& p) {
  p.On("*7205&", [](const std::string&) { return Answer::Ok(); });
  p.On("*?I20A0106A002", [&p](const std::string&) { return Answer::Reply(p.tunerReply); });
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
  p.On("*?LV", [&p](const std::string&) { return Answer::Reply(Corvane3LevelReply(Corvane3LevelAt(p.tunedMHz))); });
}

}  // namespace cvsim
