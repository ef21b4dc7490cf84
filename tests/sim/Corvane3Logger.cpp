// The CORVANE-3 data logger: memories and test points with their selection flags, the test
// points' time stamps and the stored values.
#include <cstdio>
#include <cstdlib>

#include "Simulator.h"

namespace cvsim {

namespace {

// Two hex digits of a command, or -1.
int HexPair(const std::string& line, size_t pos) {
  if (line.size() < pos + 2) return -1;
  char* end = nullptr;
  const std::string digits = line.substr(pos, 2);
  const long v = std::strtol(digits.c_str(), &end, 16);
  return end && *end == '\0' ? static_cast<int>(v) : -1;
}

bool InRange(int n) { return n >= 1 && n <= 99; }

}  // namespace

std::string Corvane3Profile::LoggerRecord(int number, const LoggerMemory& m, bool seven) {
  // "*SR", number, label, band, standard, tuning word, then the settings: units at 20 and the
  // measure type at 22, as the instrument lays them out; 42 characters.
  char text[64];
  std::string name = (m.name + "    ").substr(0, 4);
  if (seven) {
    // The family's band digits: 5 satellite, 7 terrestrial; a digit given stays.
    const char band = m.band == 'S' ? '5' : m.band == 'T' ? '7' : m.band;
    std::snprintf(text, sizeof text, "*SR%02x%s%c0%04x000000001%c0%c000000000000000", number, name.c_str(), band,
                  m.word & 0xFFFF, static_cast<char>('0' + m.units), static_cast<char>('0' + m.measure));
  } else {
    std::snprintf(text, sizeof text, "*SR%02x%s%c0%04x00001%c0%c0000000000000000000", number, name.c_str(), m.band,
                  m.word & 0xFFFF, static_cast<char>('0' + m.units), static_cast<char>('0' + m.measure));
  }
  return std::string(text).substr(0, 42);
}

Corvane3Profile::LoggerValue Corvane3Profile::LoggerValueOf(int memory, int tp) const {
  auto it = loggerValues.find({memory, tp});
  if (it != loggerValues.end()) return it->second;
  LoggerValue v;
  const LoggerMemory& m = loggerMemories[memory - 1];
  if (loggerSeven && m.measure == 5) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d%d", 10 + (memory * 7 + tp) % 90, 3 + tp % 5);
    v.digits = digits;
  } else if (!loggerSeven && m.measure >= 4 && m.measure <= 6) {
    v.digits = BerDigits((memory % 9 + 1) * 1.1e-6 * tp);
  } else {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03X", (300 + memory * 3 + tp * 2) & 0xFFF);
    v.digits = digits;
  }
  return v;
}

void AddCorvane3LoggerCommands(Corvane3Profile& p) {
  // 99 memories covering every measure type, every units code and both bands; every third one
  // selected. Every fourth test point selected, each stamped a minute after the one before.
  p.loggerMemories.resize(99);
  for (int n = 1; n <= 99; ++n) {
    Corvane3Profile::LoggerMemory& m = p.loggerMemories[n - 1];
    char name[8];
    std::snprintf(name, sizeof name, "M%03d", n);
    m.name = name;
    m.band = n % 5 == 0 ? 'S' : 'T';
    m.measure = (n - 1) % 8;
    m.units = (n / 8) % 4;
    const double mhz = m.band == 'S' ? 950.0 + n * 10.0 : 45.25 + n * 8.0;
    m.word = static_cast<unsigned>(m.band == 'S' ? (mhz + 479.5) * 8.0 + 0.5 : (mhz + 38.9) * 20.0 + 0.5);
    m.selected = n % 3 == 1;
  }
  p.loggerTPSelected.assign(99, false);
  p.loggerTimeStamps.assign(99, "");
  for (int n = 1; n <= 99; ++n) {
    p.loggerTPSelected[n - 1] = n % 4 == 1;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:05,03/04/05", 10 + n / 60, n % 60);
    p.loggerTimeStamps[n - 1] = stamp;
  }

  p.On("*?SR", [&p](const std::string& line) {
    const int n = HexPair(line, 4);
    if (!InRange(n)) return Answer::Nak();
    auto it = p.loggerSrOverride.find(n);
    if (it != p.loggerSrOverride.end()) return Answer::Reply(it->second);
    return Answer::Reply(Corvane3Profile::LoggerRecord(n, p.loggerMemories[n - 1], p.loggerSeven));
  });
  // Selection flags: '0' selected, '1' not.
  p.On("*?DSM", [&p](const std::string& line) {
    const int n = HexPair(line, 5);
    if (!InRange(n)) return Answer::Nak();
    return Answer::Reply(std::string("*SM") + (p.loggerMemories[n - 1].selected ? '0' : '1'));
  });
  p.On("*?DST", [&p](const std::string& line) {
    const int n = HexPair(line, 5);
    if (!InRange(n)) return Answer::Nak();
    return Answer::Reply(std::string("*ST") + (p.loggerTPSelected[n - 1] ? '0' : '1'));
  });
  p.On("*?TP", [&p](const std::string& line) {
    const int n = HexPair(line, 4);
    if (!InRange(n)) return Answer::Nak();
    return Answer::Reply("*TP" + p.loggerTimeStamps[n - 1]);
  });
  p.On("*?DL", [&p](const std::string& line) {
    const int m = HexPair(line, 4), t = HexPair(line, 6);
    if (line.size() != 8 || !InRange(m) || !InRange(t)) return Answer::Nak();
    auto it = p.loggerDlOverride.find({m, t});
    if (it != p.loggerDlOverride.end()) return Answer::Reply(it->second);
    const Corvane3Profile::LoggerValue v = p.LoggerValueOf(m, t);
    return Answer::Reply(std::string("*DL") + v.flag + v.sign + v.digits);
  });
}

}  // namespace cvsim
