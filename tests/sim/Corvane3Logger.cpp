// The CORVANE-3 data logger: memories and test points with their selection flags, the test
// points' time stamps and the stored values.
#include <cstdio>

#include "Simulator.h"

namespace cvsim {

namespace {

bool InRange(int n) { return n >= 1 && n <= 99; }

}  // namespace

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
  // The 99 memories (Corvane3Memories.cpp), every third one selected. Every fourth test point
  // selected, each stamped a minute after the one before.
  p.loggerMemories.resize(99);
  for (int n = 1; n <= 99; ++n) p.loggerMemories[n - 1] = Corvane3Profile::DefaultLoggerMemory(n);
  p.loggerTPSelected.assign(99, false);
  p.loggerTimeStamps.assign(99, "");
  for (int n = 1; n <= 99; ++n) {
    p.loggerTPSelected[n - 1] = n % 4 == 1;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:05,03/04/05", 10 + n / 60, n % 60);
    p.loggerTimeStamps[n - 1] = stamp;
  }

  // Selection flags: '0' selected, '1' not.
  p.On("*?DSM", [&p](const std::string& line) {
    const int n = ParseHex2(line, 5);
    if (!InRange(n)) return Answer::Nak();
    return Answer::Reply(std::string("*SM") + (p.loggerMemories[n - 1].selected ? '0' : '1'));
  });
  p.On("*?DST", [&p](const std::string& line) {
    const int n = ParseHex2(line, 5);
    if (!InRange(n)) return Answer::Nak();
    return Answer::Reply(std::string("*ST") + (p.loggerTPSelected[n - 1] ? '0' : '1'));
  });
  p.On("*?TP", [&p](const std::string& line) {
    const int n = ParseHex2(line, 4);
    if (!InRange(n)) return Answer::Nak();
    return Answer::Reply("*TP" + p.loggerTimeStamps[n - 1]);
  });
  p.On("*?DL", [&p](const std::string& line) {
    const int m = ParseHex2(line, 4), t = ParseHex2(line, 6);
    if (line.size() != 8 || !InRange(m) || !InRange(t)) return Answer::Nak();
    auto it = p.loggerDlOverride.find({m, t});
    if (it != p.loggerDlOverride.end()) return Answer::Reply(it->second);
    const Corvane3Profile::LoggerValue v = p.LoggerValueOf(m, t);
    return Answer::Reply(std::string("*DL") + v.flag + v.sign + v.digits);
  });
}

}  // namespace cvsim
