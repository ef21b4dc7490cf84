// The CORVANE-3 plan memory as the channel-plan tools read it: plan headers and channels.
#include <cstdio>

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

}  // namespace

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
