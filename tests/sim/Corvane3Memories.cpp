// The CORVANE-3 measurement memories, one store for the memory editor and the data logger, and
// the data logger's state that guards a send.
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

bool Ber(int measure) { return measure >= 4 && measure <= 6; }

}  // namespace

Corvane3Profile::LoggerMemory Corvane3Profile::DefaultLoggerMemory(int n) {
  LoggerMemory m;
  char name[8];
  std::snprintf(name, sizeof name, "M%03d", n);
  m.name = name;
  m.measure = (n - 1) % 8;
  m.band = m.measure == 4 ? 'S' : Ber(m.measure) ? 'T' : n % 5 == 0 ? 'S' : 'T';
  m.units = Ber(m.measure) ? 0 : (n / 8) % 4;  // the record of a BER memory carries '0'
  m.word = Word(m.band, m.band == 'S' ? 950.0 + n * 10.0 : 45.25 + n * 8.0);
  m.selected = n % 3 == 1;
  return m;
}

std::string Corvane3Profile::LoggerRecord(int n, const LoggerMemory& m, bool seven) {
  if (seven) {
    // The family's band digits: 5 satellite, 7 terrestrial; a digit given stays.
    char text[64];
    const std::string name = (m.name + "    ").substr(0, 4);
    const char band = m.band == 'S' ? '5' : m.band == 'T' ? '7' : m.band;
    std::snprintf(text, sizeof text, "*SR%02x%s%c0%04x000000001%c0%c000000000000000", n, name.c_str(), band,
                  m.word & 0xFFFF, static_cast<char>('0' + m.units), static_cast<char>('0' + m.measure));
    return std::string(text).substr(0, 42);
  }
  const char meas = static_cast<char>('0' + m.measure);
  const bool sat = m.band == 'S';
  const char std = sat ? '7' : "012345"[n % 6];
  std::string r = "*SR" + Hex(static_cast<unsigned>(n), 2) + (m.name + "    ").substr(0, 4) + m.band;
  r += meas == '4' ? "012"[n % 3] : meas == '5' ? "01"[n % 2] : meas == '6' ? "04"[n % 2] : std;
  r += Hex(m.word & 0xFFFF, 4);
  r += n % 5 ? '1' : '0';
  r += Hex(static_cast<unsigned>(n % 32), 2) + Hex(static_cast<unsigned>(n * 7 % 100), 2);
  r += static_cast<char>('0' + m.units);
  r += "01234567"[n % 8];
  r += meas;
  r += Ber(m.measure) ? '3' : sat ? "012"[n % 3] : std == '3' ? '1' : '0';
  const char sound = "0123456789ABCDEF"[n % 16];
  r += meas == '4' ? "012345678"[n % 9] : meas == '5' ? "01234"[n % 5] : meas == '6' ? "0123"[n % 4] : sound;
  if (meas == '4' || meas == '5')
    r += Hex(27500u + 100u * static_cast<unsigned>(n), 4);
  else if (meas != '6')
    r += sound == '4' || sound == 'F' ? "0" + Hex(1720, 4).substr(1) : "0000";  // 6.5 MHz
  r += Hex(sat ? 2700 : 800, 4);
  r += Hex(sat ? 106000 : 97500, 5);
  if (meas == '7')
    r += Hex(sat ? Word('S', 1200.0) | 0x8000 : Word('T', 100.0), 4);
  else
    r += sat ? "85dc" : "028f";
  return r;
}

std::string Corvane3Profile::MemoryReply(int n) const {
  auto it = loggerSrOverride.find(n);
  return it != loggerSrOverride.end() ? it->second : LoggerRecord(n, loggerMemories[n - 1], loggerSeven);
}

void AddCorvane3MemoryCommands(Corvane3Profile& p) {
  p.On("*?SR", [&p](const std::string& line) {
    const int n = ParseHex2(line, 4);
    if (line.size() != 6 || n < 1 || n > static_cast<int>(p.loggerMemories.size()) || n == p.unansweredFor)
      return Answer::Nak();
    std::string reply = p.MemoryReply(n);
    if (n == p.wrongNumberFor && reply.size() >= 5) reply.replace(3, 2, Hex(static_cast<unsigned>(n % 99 + 1), 2));
    if (n == p.shortReplyFor) reply.resize(37);
    return Answer::Reply(reply);
  });
  p.On("*SR", [&p](const std::string& line) {
    const size_t length = line.size() > 22 && line[22] == '6' ? 38 : 42;
    const int n = ParseHex2(line, 3);
    if (line.size() != length || n < 1 || n > static_cast<int>(p.loggerMemories.size())) return Answer::Nak();
    p.loggerSrOverride[n] = line;
    return Answer::Ok();
  });
  p.On("*?DA", [&p](const std::string&) { return Answer::Reply(p.dataLogging ? "*DA1" : "*DA0"); });
}

}  // namespace cvsim
