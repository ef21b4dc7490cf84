// The host dialect's statements for the first generation of meters, the CORVANE-1 and the
// CORVANE-1B, which keep their channel plan and configuration in registers written one byte a
// command: MODEL1, PLAN1, HEADER, CHANNEL, GETCHPLAN, GETCFG and SETCFG.
#include <QDateTime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "DateTimeText.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "Term.h"
#include "TermOutput.h"

namespace msg = cv::msg::term;
using cv::script::Subst;

#define SKIP_WHEN_FALSE() \
  if (!ifLevels.Running()) return resultText = "FALSE", true

namespace {

constexpr int kSerialFirst = 0x40;  // the serial number's eight configuration registers
constexpr int kConfigCount = 512;

int IntArg(const char* text) {
  int v = 0;
  cv::script::ReadInt(text, v);
  return v;
}

std::string DateLine() {
  const QDateTime now = QDateTime::currentDateTime();
  return "# Date: " + cv::DateText(now) + " (" + cv::TimeText(now) + ")\n";
}

}  // namespace

int TTerm::PlanBase() const { return model1 == 1 && plan1 >= 2 && plan1 <= 7 ? plan1 * 1024 : 0; }

bool TTerm::WriteRegister1(int offset, uint8_t value) {
  std::string command;
  if (model1 == 1)
    command = cv::Format("*I2A0%04X%02X", PlanBase() + offset, value);
  else
    command = cv::Format("*I1A%d%02X%02X", 2 * (offset / 256), offset % 256, value);
  return SendWithAck(command);
}

// The byte in the third and fourth characters of a query's reply; a shorter reply fails.
bool TTerm::AskByte(const std::string& query, uint8_t& value) {
  std::string reply = query;
  if (!Query(reply) || reply.size() < 4) return false;
  const int high = cv::HexDigitValue(reply[2]), low = cv::HexDigitValue(reply[3]);
  value = static_cast<uint8_t>((high < 0 ? 0 : high) * 16 + (low < 0 ? 0 : low));
  return true;
}

bool TTerm::ReadRegister1(int offset, uint8_t& value) {
  if (model1 == 1) return AskByte(cv::Format("*?I2A0%04X", PlanBase() + offset), value);
  return AskByte(cv::Format("*?I1A%d%02X", 2 * (offset / 256), offset % 256), value);
}

bool TTerm::DoModelOrPlan1() {
  SKIP_WHEN_FALSE();
  (Code() == kModel1 ? model1 : plan1) = IntArg(Tok(1));
  resultText = "OK";
  return true;
}

bool TTerm::DoHeader1() {
  SKIP_WHEN_FALSE();
  int count = IntArg(Tok(1));
  count = count < 0 ? 0 : (count > kPlan1Channels ? kPlan1Channels : count);
  std::string name(Tok(2));
  name.resize(8, ' ');
  const uint8_t bytes[16] = {kPlanMarker[0], kPlanMarker[1], static_cast<uint8_t>(IntArg(Tok(3)) & 0xFF),
                             static_cast<uint8_t>(count), 0, 0, 0, 0,
                             static_cast<uint8_t>(name[0]), static_cast<uint8_t>(name[1]),
                             static_cast<uint8_t>(name[2]), static_cast<uint8_t>(name[3]),
                             static_cast<uint8_t>(name[4]), static_cast<uint8_t>(name[5]),
                             static_cast<uint8_t>(name[6]), static_cast<uint8_t>(name[7])};
  bool ok = true;
  for (int i = 0; ok && i < 16; ++i) ok = WriteRegister1(i, bytes[i]);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TTerm::DoChannel1() {
  SKIP_WHEN_FALSE();
  int index = IntArg(Tok(1));
  if (index < 0) {
    resultText = Subst(cv::Msg(msg::ChannelIndex), {Tok(1)});
    return false;
  }
  if (index >= kPlan1Channels) index = kPlan1Channels - 1;
  double mhz = 0, shift = 0;
  cv::script::ReadDouble(Tok(3), mhz);
  cv::script::ReadDouble(Tok(4), shift);
  const float word = static_cast<float>((mhz + ifVal) / fStep);
  if (!(word >= 0.0f && word < 65536.0f)) {
    resultText = Subst(cv::Msg(msg::WordOutside), {Tok(3)});
    return false;
  }
  const auto w = static_cast<uint32_t>(word);
  const double steps = std::trunc(shift / fStep);
  const auto shiftByte =
      static_cast<uint8_t>(steps > -1e15 && steps < 1e15 ? static_cast<int64_t>(steps) & 0xFF : 0);
  uint8_t flags = 0;
  if (std::strcmp(Tok(5), "YES") == 0) flags |= 0x80;
  if (std::strcmp(Tok(6), "YES") == 0) flags |= 0x40;
  if (std::strcmp(Tok(7), "YES") == 0) flags |= 0x20;
  if (std::strcmp(Tok(8), "YES") == 0) flags |= 0x10;
  std::string name(Tok(2));
  name.resize(4, ' ');
  const uint8_t bytes[8] = {static_cast<uint8_t>(name[0]), static_cast<uint8_t>(name[1]),
                            static_cast<uint8_t>(name[2]), static_cast<uint8_t>(name[3]),
                            static_cast<uint8_t>(w >> 8),  static_cast<uint8_t>(w & 0xFF),
                            shiftByte,                     flags};
  bool ok = true;
  for (int i = 0; ok && i < 8; ++i) ok = WriteRegister1(16 + 8 * index + i, bytes[i]);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TTerm::ReadSerial1(std::string& serial) {
  serial.clear();
  bool ended = false;
  for (int i = 0; i < 8; ++i) {
    uint8_t c = 0;
    if (!AskByte(cv::Format("*?#00%02X", kSerialFirst + i), c)) return false;
    if (c == 0) ended = true;
    // The number goes into a comment line: a line break in it would make the rest a command
    // that SETCFG sends.
    if (!ended) serial.push_back(c < 32 || c == 127 ? ' ' : static_cast<char>(c));
  }
  return true;
}

bool TTerm::DoGetChPlan() {
  SKIP_WHEN_FALSE();
  resultText = "ERROR";
  cv::term::OutputFile file;
  if (!file.Begin(cv::term::NamedPath(Tok(1)))) return false;
  uint8_t byte = 0;
  if (!AskByte("*?#002F", byte)) return false;
  model1 = (byte & 0x08) ? 1 : 0;
  if (model1 == 1) {
    std::string reply = "*?Q";
    if (!Query(reply) || reply.size() < 3) return false;
    plan1 = reply[2] - '0';
  }
  uint8_t marker[2] = {};
  if (!ReadRegister1(0, marker[0]) || !ReadRegister1(1, marker[1])) return false;
  if (marker[0] != kPlanMarker[0] || marker[1] != kPlanMarker[1]) return false;
  file.Put(
      "##########################################################\n"
      "#             Channel Plan file for CORVANE-1            #\n"
      "##########################################################\n" +
          DateLine() +
          "ASK *?V\t# register version in LOG file\n"
          "# FSTEP(minimum freq. step in MHz)\n"
          "# IFVAL(IF freq. value in MHz)\n"
          "# HEADER(number of channels (max 126), channel plan name (8 chars),\n"
          "# ...customer use reference number (any value between 0...99))\n"
          "# CHANNEL (index (0...125), CHANNEL (name (max. 4 chars), freq. in MHz,\n"
          "# ...sound carrier shift in MHz,\n"
          "# ...digital CHANNEL ((YES/NO), use sound average detection (YES/NO),\n"
          "# ...mark as printable (YES/NO), sound is AM (YES/NO))\n"
          "#\n"
          "# ----> ATTENTION!!!: channels must be sorted by increasing frequency\n"
          "#\n"
          "FSTEP (0.0625)\n"
          "IFVAL (33.375)\n"
          "#\n"
          "# Model: 0=Cv1, 1=Cv1B\n" +
          cv::Format("MODEL1 %d\n", model1) +
          "#\n"
          "# Channel Plan for Cv1B (0,2...7) never '1'\n" +
          cv::Format("PLAN1 %d\n", plan1) + "#\n");
  std::string serial;
  if (!ReadSerial1(serial)) return false;
  file.Put("# (S/N: " + serial + ")\n");
  uint8_t count = 0, reference = 0;
  std::string name;
  if (!ReadRegister1(3, count)) return false;
  for (int i = 8; i < 16; ++i) {
    if (!ReadRegister1(i, byte)) return false;
    name.push_back(static_cast<char>(byte));
  }
  if (!ReadRegister1(2, reference)) return false;
  // The plan's table holds 126 channels, whatever the count byte says.
  const int channels = count > kPlan1Channels ? kPlan1Channels : count;
  file.Put(cv::Format("HEADER (%d, %s, %d)\n", channels, name.c_str(), reference));
  for (int c = 0; c < channels; ++c) {
    uint8_t record[8] = {};
    for (int i = 0; i < 8; ++i)
      if (!ReadRegister1(16 + 8 * c + i, record[i])) return false;
    const float mhz = static_cast<float>(record[4] * 256 + record[5]) * fStep - ifVal;
    const float shift = static_cast<float>(record[6]) * fStep;
    auto yes = [&](uint8_t bit, const char* after) { return std::string(record[7] & bit ? "YES" : "NO") + after; };
    file.Put(cv::Format("CHANNEL (%d, ", c) + std::string(reinterpret_cast<const char*>(record), 4) + ", " +
                  cv::Format("%6.2f, ", mhz) + cv::Format("%4.2f, ", shift) + yes(0x80, ", ") + yes(0x40, ", ") +
                  yes(0x20, ", ") + yes(0x10, ")") + "\n");
  }
  if (!file.Commit()) return false;
  resultText = "OK";
  return true;
}

bool TTerm::DoGetCfg() {
  SKIP_WHEN_FALSE();
  resultText = "ERROR";
  cv::term::OutputFile file;
  if (!file.Begin(cv::term::NamedPath(Tok(1)))) return false;
  file.Put(
      "########################################\n"
      "#  Configuration file for CORVANE-1    #\n"
      "########################################\n" +
          DateLine() + "ASK *?V\t# register version in LOG file\n");
  std::string serial;
  bool ok = ReadSerial1(serial);
  if (ok) file.Put("# (S/N: " + serial + ")\n");
  for (int a = 0; ok && a < kConfigCount; ++a) {
    std::string reply = cv::Format("*?#%04X", a);
    ok = Query(reply) && reply.size() >= 4;
    if (ok) file.Put(cv::Format("*#%04X", a) + reply.substr(2, 2) + "\n");
  }
  // A configuration cut short would be replayed by SETCFG as if whole: only a full read is saved.
  if (!ok || !file.Commit()) return false;
  resultText = "OK";
  return true;
}

bool TTerm::DoSetCfg() {
  SKIP_WHEN_FALSE();
  resultText = "ERROR";
  std::error_code ec;
  const std::string path = cv::term::NamedPath(Tok(1));
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bool ok = true;
  int number = 0;
  for (std::string line; ok && cv::script::ReadScriptPiece(file, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    for (char& c : line)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (static_cast<int>(line.size()) > kWriteLimit) {
      // Cut short, the line would set another register or value than the file says, and the
      // rest of it would follow as a command of its own.
      owner.AddLog(Subst(cv::Msg(msg::LineTooLong), {std::to_string(number), std::to_string(line.size()),
                                                      std::to_string(kWriteLimit)}));
      ok = false;
      break;
    }
    ok = SendWithAck(line);
  }
  std::fclose(file);
  if (ok) resultText = "OK";
  return ok;
}
