// The CORVANE-3 register store: byte reads "*?I20A0" + address + count, writes "*I20A0" +
// address + data (after the access code), the serial number at 0x1000 and the TER tuner's
// status word at 0x106A.
#include <cstdio>
#include <cstdlib>

#include "Simulator.h"

namespace cvsim {

namespace {

bool HexNumber(const std::string& digits, unsigned& value) {
  if (digits.empty()) return false;
  char* end = nullptr;
  value = static_cast<unsigned>(std::strtoul(digits.c_str(), &end, 16));
  return end && *end == '\0';
}

}  // namespace

void Corvane3Profile::SetRegisterText(unsigned address, const std::string& text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    registers[address + static_cast<unsigned>(i)] = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

std::string Corvane3Profile::RegisterReply(unsigned address, unsigned count) const {
  std::string reply = "*I2";
  for (unsigned i = 0; i < count; ++i) {
    auto it = registers.find(address + i);
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", it == registers.end() ? 0xFFu : it->second);
    reply += hex;
  }
  return reply;
}

void AddCorvane3Registers(Corvane3Profile& p) {
  p.SetTunerVariant(5);
  p.SetRegisterText(0x1000, "CV3-0427", 9);
  // "*?I20A0" + 4 hex digits of address + 3 of count.
  p.On("*?I20A0", [&p](const std::string& line) {
    unsigned address = 0, count = 0;
    if (line.size() != 14 || !HexNumber(line.substr(7, 4), address) || !HexNumber(line.substr(11, 3), count) ||
        count > 120)
      return Answer::Nak();
    return Answer::Reply(p.RegisterReply(address, count));
  });
  p.On("*I20A0", [&p](const std::string& line) {
    unsigned address = 0;
    if (!p.protectedMode || line.size() < 12 || (line.size() - 10) % 2 != 0 || !HexNumber(line.substr(6, 4), address))
      return Answer::Nak();
    for (size_t i = 10; i + 1 < line.size(); i += 2) {
      unsigned byte = 0;
      if (!HexNumber(line.substr(i, 2), byte)) return Answer::Nak();
      p.registers[address++] = static_cast<unsigned char>(byte);
    }
    return Answer::Ok();
  });
}

}  // namespace cvsim
