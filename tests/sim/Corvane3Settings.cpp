// The CORVANE-3 commands of the configuration dialog and the monitor: the identity and option
// blocks of the register store, the restart, and the monitor's queries and settings.
#include <cstdio>

#include "Simulator.h"

namespace cvsim {

void Corvane3Profile::SetOptionBlock(int block, const std::string& description, const std::string& detail,
                                     unsigned status) {
  const unsigned at = kOptionBase + static_cast<unsigned>(block) * 28;
  SetRegisterText(at, description, 17);
  SetRegisterText(at + 17, detail, 9);
  registers[at + 26] = static_cast<unsigned char>(status >> 8);
  registers[at + 27] = static_cast<unsigned char>(status & 0xFF);
}

Answer Corvane3Profile::Handle(const std::string& line) {
  for (const std::string& prefix : refused)
    if (line.compare(0, prefix.size(), prefix) == 0) return Answer::Nak();
  if (auto it = fixedReplies.find(line); it != fixedReplies.end()) return Answer::Reply(it->second);
  return Profile::Handle(line);
}

void AddCorvane3SettingsCommands(Corvane3Profile& p) {
  p.SetRegisterText(0x1010, "CORVANE 3", 16);
  p.SetRegisterText(0x1020, "TESSARY INSTRUMENTS", 32);
  // Every option block unprogrammed but the TER tuner's (its status word is the tuner probe's).
  for (int block = 0; block < 13; ++block) {
    const unsigned at = Corvane3Profile::kOptionBase + static_cast<unsigned>(block) * 28;
    for (unsigned i = 0; i < 28; ++i) p.registers[at + i] = 0xFF;
  }
  p.SetOptionBlock(0, "TER TUNER", "5-862 MHZ", 0x0100);
  p.registers[Corvane3Profile::kRotaryAddress] = 0x00;

  p.On("*AA", [&p](const std::string&) {
    ++p.restarts;
    p.protectedMode = false;
    p.acceptsLines = false;
    p.readyAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(p.restartMs);
    return p.restartUnacknowledged ? Answer::Unheard() : Answer::Ok();
  });
  p.On("*?ME", [&p](const std::string&) { return Answer::Reply("*ME" + std::to_string(p.measureMode)); });
  // At power-on the instrument sits on 471.25 MHz.
  p.tunedMHz = 471.25;
  p.lastTuning = "*FRT27DB";
  p.On("*?FR", [&p](const std::string&) { return Answer::Reply("*FR" + p.lastTuning.substr(3)); });
  p.On("*?CF", [&p](const std::string&) { return Answer::Reply(p.tuneByChannel ? "*CF0" : "*CF1"); });
  p.On("*CF", [&p](const std::string& line) {
    if (line != "*CF") return Answer::Nak();
    p.tuneByChannel = !p.tuneByChannel;
    return Answer::Ok();
  });
  p.On("*?SC", [&p](const std::string&) {
    char reply[16];
    if (p.activePlan < 0) return Answer::Reply("*SC!!");
    std::snprintf(reply, sizeof reply, "*SC%02X", p.activePlan);
    return Answer::Reply(reply);
  });
  p.On("*?CH", [&p](const std::string&) {
    char reply[16];
    if (p.activeChannel < 0) return Answer::Reply("*CH!!");
    std::snprintf(reply, sizeof reply, "*CH%02X", p.activeChannel);
    return Answer::Reply(reply);
  });
  // "*CH" + channel: a channel of the active plan, tuned at once.
  p.On("*CH", [&p](const std::string& line) {
    const int channel = ParseHex2(line, 3);
    auto plan = p.plans.find(p.activePlan);
    if (line.size() != 5 || channel < 0 || plan == p.plans.end() ||
        channel >= static_cast<int>(plan->second.channels.size()))
      return Answer::Nak();
    p.activeChannel = channel;
    char tuning[16];
    std::snprintf(tuning, sizeof tuning, "*FR%c%04X", plan->second.band == 'T' ? 'T' : 'S',
                  plan->second.channels[channel].word & 0xFFFF);
    p.lastTuning = tuning;
    return Answer::Ok();
  });
  p.On("*SY", [&p](const std::string& line) {
    if (line.size() != 5) return Answer::Nak();
    p.systemReply = "*SY" + line.substr(3) + "0";
    return Answer::Ok();
  });
}

}  // namespace cvsim
