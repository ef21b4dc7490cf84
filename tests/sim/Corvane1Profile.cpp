#include "Corvane1Profile.h"

#include <cstdio>
#include <cstdlib>

namespace cvsim {

namespace {

// `count` hex digits of a command at `pos`, or -1.
long HexField(const std::string& line, size_t pos, size_t count) {
  if (line.size() < pos + count) return -1;
  long v = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    const char c = line[i];
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

std::string ByteReply(const char* head, unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%02X", head, value & 0xFF);
  return text;
}

// Page digit '0', '2', '4' or '6' and address: the linear offset, or -1.
long Offset1(const std::string& line, size_t pos) {
  if (line.size() < pos + 3) return -1;
  const char page = line[pos];
  if (page != '0' && page != '2' && page != '4' && page != '6') return -1;
  const long address = HexField(line, pos + 1, 2);
  return address < 0 ? -1 : (page - '0') / 2 * 256 + address;
}

}  // namespace

Corvane1Profile::Corvane1Profile(bool modelB, std::string v) : Profile(modelB ? "CORVANE 1B" : "CORVANE 1", std::move(v)) {
  SetModelB(modelB);
  SetSerial("C1000042");
  On("*I1A", [this](const std::string& line) {
    const long at = Offset1(line, 4), value = HexField(line, 7, 2);
    if (line.size() != 9 || at < 0 || value < 0) return Answer::Nak();
    plan1[static_cast<unsigned>(at)] = static_cast<unsigned char>(value);
    ++writes;
    return Answer::Ok();
  });
  On("*?I1A", [this](const std::string& line) {
    const long at = Offset1(line, 5);
    if (line.size() != 8 || at < 0) return Answer::Nak();
    auto it = plan1.find(static_cast<unsigned>(at));
    return Answer::Reply(ByteReply("*I", it == plan1.end() ? 0xFF : it->second));
  });
  On("*I2A0", [this](const std::string& line) {
    const long at = HexField(line, 5, 4), value = HexField(line, 9, 2);
    if (line.size() != 11 || at < 0 || at >= 8192 || value < 0) return Answer::Nak();
    plan1B[static_cast<unsigned>(at)] = static_cast<unsigned char>(value);
    ++writes;
    return Answer::Ok();
  });
  On("*?I2A0", [this](const std::string& line) {
    const long at = HexField(line, 6, 4);
    if (line.size() != 10 || at < 0 || at >= 8192) return Answer::Nak();
    auto it = plan1B.find(static_cast<unsigned>(at));
    return Answer::Reply(ByteReply("*I", it == plan1B.end() ? 0xFF : it->second));
  });
  On("*#", [this](const std::string& line) {
    const long at = HexField(line, 2, 4), value = HexField(line, 6, 2);
    if (line.size() != 8 || at < 0 || at >= 512 || value < 0) return Answer::Nak();
    config[at] = static_cast<unsigned char>(value);
    ++writes;
    return Answer::Ok();
  });
  On("*?#", [this](const std::string& line) {
    const long at = HexField(line, 3, 4);
    if (line.size() != 7 || at < 0 || at >= 512) return Answer::Nak();
    return Answer::Reply(ByteReply("*#", config[at]));
  });
  On("*?Q", [this](const std::string&) { return Answer::Reply("*Q" + std::to_string(planB % 10)); });
  On("*?V", [this](const std::string&) { return Answer::Reply("*V" + version); });
  On("*?VE", [this](const std::string&) { return Answer::Reply("*VE " + model + " " + version); });
}

Answer Corvane1Profile::Unknown(const std::string& line) {
  ignored.push_back(line);
  return Answer::Ok();
}

void Corvane1Profile::SetSerial(const std::string& serial) {
  for (int i = 0; i < 8; ++i)
    config[0x40 + i] = static_cast<unsigned char>(i < static_cast<int>(serial.size()) ? serial[i] : ' ');
}

void Corvane1Profile::SetModelB(bool b) {
  config[0x2F] = static_cast<unsigned char>(b ? (config[0x2F] | 0x08) : (config[0x2F] & ~0x08));
}

}  // namespace cvsim
