// The DV-800 measurement memories: the CORVANE-3's one store in the 42-character line, the meter's
// own measure types only, and the faults a test asks for.
#include <cstdio>

#include "Dv8Profile.h"

namespace cvsim {

Corvane3Profile::LoggerMemory Dv8Profile::Dv8DefaultMemory(int n) {
  static constexpr int kMeasures[] = {0, 1, 2, 3, 7};
  LoggerMemory m;
  char name[8];
  std::snprintf(name, sizeof name, "M%03d", n);
  m.name = name;
  m.measure = kMeasures[(n - 1) % 5];
  m.band = 'T';
  m.units = (n / 8) % 4;
  m.word = static_cast<unsigned>((45.25 + n * 8.0 + 38.9) * 20.0 + 0.5);
  m.selected = n % 3 == 1;
  return m;
}

std::string Dv8Profile::Dv8MemoryReply(int n) const {
  auto it = loggerSrOverride.find(n);
  std::string reply;
  if (it != loggerSrOverride.end()) {
    reply = it->second;
  } else {
    LoggerMemory m = loggerMemories[n - 1];
    if (n == satelliteMemory) {
      m.band = 'S';
      m.word = static_cast<unsigned>((950.0 + n * 10.0 + 479.5) * 8.0 + 0.5);
    }
    if (n == cofdmMemory) {
      m.measure = 6;
      m.units = 0;
    }
    reply = LoggerRecord(n, m);
  }
  if (n == outOfRangeMemory) reply[23] = '9';
  if (n == zeroNumberFor) reply.replace(3, 2, "00");
  return reply;
}

void Dv8Profile::AddDv8Memories() {
  for (int n = 1; n <= static_cast<int>(loggerMemories.size()); ++n) loggerMemories[n - 1] = Dv8DefaultMemory(n);
  Remove("*?XSR");
  Remove("*XSR");
  On("*?SR", [this](const std::string& line) {
    const int n = ParseHex2(line, 4);
    if (line.size() != 6 || n < 1 || n > static_cast<int>(loggerMemories.size()) || n == unansweredFor)
      return Answer::Nak();
    return Answer::Reply(Dv8MemoryReply(n));
  });
  On("*SR", [this](const std::string& line) {
    const size_t length = line.size() > 22 && line[22] == '6' ? 38 : 42;
    const int n = ParseHex2(line, 3);
    if (line.size() != length || n < 1 || n > static_cast<int>(loggerMemories.size()) || n == refusedMemory)
      return Answer::Nak();
    loggerSrOverride[n] = line;
    return Answer::Ok();
  });
}

}  // namespace cvsim
