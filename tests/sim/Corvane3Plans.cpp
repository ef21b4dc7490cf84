// The CORVANE-3 plan memory as the channel-plan tools read it: plan headers and channels.
#include <cstdio>

#include "ScriptCore.h"
#include "Simulator.h"

namespace cvsim {

namespace {

std::string Fixed(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string Commands(const std::vector<std::string>& commands) {
  std::string out;
  for (const auto& c : commands) out += "," + c;
  return out;
}

using cv::script::PushWord;

// Writes `data` at `address` as the instrument's own loader would, through the same records.
void Put(FlashImage& flash, uint16_t address, const std::vector<uint8_t>& data) {
  flash.Apply(cv::script::FlashRecord("", address, data));
}

std::vector<uint8_t> Channel(const char* name, unsigned word, unsigned word2, std::vector<uint16_t> commands = {}) {
  std::vector<uint8_t> data = cv::script::ChannelName4(name);
  PushWord(data, static_cast<float>(word));
  PushWord(data, static_cast<float>(word2));
  commands.push_back(0xFFFF);
  for (uint16_t c : commands) data.insert(data.end(), {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>(c >> 8)});
  return data;
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& data) { to.insert(to.end(), data.begin(), data.end()); }

// The command-code block at delivery (code high byte first) and the offsets the plans use.
constexpr uint16_t kCnAuto = 0x0000, kUnitsDbuv = 0x0002;
const std::vector<uint8_t> kDeliveryCommands = {0x1B, 0x03, 0x06, 0x00, 0xFF, 0xFF};

}  // namespace

// Two plans, each with commands: a terrestrial one, and a satellite one whose channels lie in
// every family's satellite band, or, as a fault, whose first channel decodes to 880 MHz, a
// CORVANE-3 frequency below the band of the families after it.
void Corvane3Profile::StoreDeliveryPlans(bool channelBelowBand) {
  const int planSegment = flash.planSegment;
  flash.Erase();
  flash.planSegment = -1;
  flash.Apply("020000022000DC");
  Put(flash, 0x0000, cv::script::DirectoryData("CANALITZACI", 2, 32));
  std::vector<uint8_t> headers = cv::script::PlanHeaderData("        ", "TDT", 0x0400, 1, 7, 0.0f, 1);
  headers.insert(headers.end(), {kUnitsDbuv, 0x00, 0xFF, 0xFF});
  Append(headers, cv::script::PlanHeaderData("        ", "ASTRA", 0x0500, 2, 5, 97500.0f, 2));
  headers.insert(headers.end(), {0xFF, 0xFF});
  Append(headers, kDeliveryCommands);
  Put(flash, 0x0010, headers);
  Put(flash, 0x0400, Channel("21", 10203, 10258, {kCnAuto}));
  std::vector<uint8_t> channels =
      channelBelowBand ? Channel("880", 10876, 10876) : Channel("ARD", 12636, 12636, {kUnitsDbuv, kCnAuto});
  Append(channels, Channel("ZDF", 13436, 13436));
  Put(flash, 0x0500, channels);
  flash.planSegment = planSegment;
  flash.recordsWritten = 0;
}

int ParseHex2(const std::string& line, size_t at) {
  if (line.size() < at + 2) return -1;
  int value = 0;
  for (size_t i = at; i < at + 2; ++i) {
    char c = line[i];
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

std::string Corvane3PlanReply(const Corvane3Profile::StoredPlan& plan) {
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "%02X%c%05X%02X", static_cast<unsigned>(plan.channels.size()) & 0xFF,
                plan.band, plan.lnbTenths & 0xFFFFF, plan.code & 0xFF);
  return "*JI" + Fixed(plan.name, 8) + numbers + Commands(plan.commands);
}

std::string Corvane3ChannelReply(const Corvane3Profile::StoredChannel& channel) {
  char words[16];
  std::snprintf(words, sizeof words, "%04X%04X", channel.word & 0xFFFF, channel.word2 & 0xFFFF);
  return "*CI" + Fixed(channel.name, 4) + words + Commands(channel.commands);
}

void AddCorvane3PlanCommands(Corvane3Profile& p) {
  p.On("*?JI", [&p](const std::string& line) {
    int plan = ParseHex2(line, 4);
    if (plan < 0 || line.size() != 6) return Answer::Nak();
    // Plans a test stored directly come first; the rest is what "*FL:" records wrote.
    auto it = p.plans.find(plan);
    return Answer::Reply(it == p.plans.end() ? p.flash.PlanReply(plan) : Corvane3PlanReply(it->second));
  });
  p.On("*?CI", [&p](const std::string& line) {
    int channel = ParseHex2(line, 4);
    int plan = ParseHex2(line, 6);
    if (channel < 0 || plan < 0 || line.size() != 8) return Answer::Nak();
    auto it = p.plans.find(plan);
    if (it == p.plans.end()) return Answer::Reply(p.flash.ChannelReply(plan, channel));
    if (channel >= static_cast<int>(it->second.channels.size()) || it->second.channels[channel].unreadable)
      return Answer::Reply("*CI!!");
    return Answer::Reply(Corvane3ChannelReply(it->second.channels[channel]));
  });
}

}  // namespace cvsim
