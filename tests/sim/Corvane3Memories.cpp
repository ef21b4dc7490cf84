// The CORVANE-3 measurement memories as the memory editor reads and stores them, and the data
// logger's state that guards a send.
#include <cmath>
#include <cstdio>

#include "Simulator.h"

namespace cvsim {

namespace {

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, value);
  return text;
}

unsigned Word(char band, double mhz) {
  return static_cast<unsigned>(band == 'S' ? (mhz + 479.5) * 8.0 + 0.5 : (mhz + 38.9) * 20.0 + 0.5);
}

}  // namespace

std::string Corvane3Profile::DefaultMemory(int n) {
  const char meas = "01234567"[(n - 1) % 8];
  const bool ber = meas >= '4' && meas <= '6';
  const char band = meas == '4' ? 'S' : ber ? 'T' : ((n - 1) / 8 + n) % 2 ? 'T' : 'S';
  const bool sat = band == 'S';
  const double mhz = sat ? 950.0 + 10.0 * n : 48.25 + 8.0 * (n - 1);
  char label[8];
  std::snprintf(label, sizeof label, "M%03d", n);
  std::string r = "*SR" + Hex(static_cast<unsigned>(n), 2) + label + band;
  const char std = sat ? '7' : "012345"[n % 6];
  r += meas == '4' ? "012"[n % 3] : meas == '5' ? "01"[n % 2] : meas == '6' ? "04"[n % 2] : std;
  r += Hex(Word(band, mhz), 4);
  r += n % 5 ? '1' : '0';
  r += Hex(static_cast<unsigned>(n % 32), 2) + Hex(static_cast<unsigned>(n * 7 % 100), 2);
  r += ber ? '0' : "0123"[(n - 1) % 4];
  r += "01234567"[n % 8];
  r += meas;
  r += ber ? '3' : sat ? "012"[n % 3] : std == '3' ? '1' : '0';
  const char sound = "0123456789ABCDEF"[n % 16];
  r += meas == '4' ? "012345678"[n % 9] : meas == '5' ? "01234"[n % 5] : meas == '6' ? "0123"[n % 4] : sound;
  if (meas == '4' || meas == '5')
    r += Hex(27500u + 100u * static_cast<unsigned>(n), 4);
  else if (!ber)
    r += sound == '4' || sound == 'F' ? "0" + Hex(1720, 4).substr(1) : "0000";
  r += Hex(sat ? 2700 : 800, 4);
  r += Hex(sat ? 106000 : 97500, 5);
  if (meas == '7')
    r += Hex(sat ? Word('S', 1200.0) | 0x8000 : Word('T', 100.0), 4);
  else
    r += sat ? "85dc" : "028f";
  return r;
}

void AddCorvane3MemoryCommands(Corvane3Profile& p) {
  for (int n = 1; n <= 99; ++n) p.memories.push_back(Corvane3Profile::DefaultMemory(n));
  p.On("*?SR", [&p](const std::string& line) {
    int n = ParseHex2(line, 4);
    if (line.size() != 6 || n < 1 || n > static_cast<int>(p.memories.size())) return Answer::Nak();
    std::string reply = p.memories[n - 1];
    if (n == p.wrongNumberFor && reply.size() >= 5) reply.replace(3, 2, Hex(static_cast<unsigned>(n % 99 + 1), 2));
    if (n == p.shortReplyFor) reply.resize(37);
    return Answer::Reply(reply);
  });
  p.On("*SR", [&p](const std::string& line) {
    const size_t length = line.size() > 22 && line[22] == '6' ? 38 : 42;
    int n = ParseHex2(line, 3);
    if (line.size() != length || n < 1 || n > static_cast<int>(p.memories.size())) return Answer::Nak();
    p.memories[n - 1] = line;
    return Answer::Ok();
  });
  p.On("*?DA", [&p](const std::string&) { return Answer::Reply(p.dataLogging ? "*DA1" : "*DA0"); });
}

}  // namespace cvsim
