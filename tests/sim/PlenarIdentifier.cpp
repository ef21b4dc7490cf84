// The CORVANE-PLENAR commands of the channel identifier: the system and sound modes, the analog
// video detector, teletext, RDS, the MPEG-2 lock and service texts, and the level "*?LN", each
// answered from the signal the profile plays on the tuned channel.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "PlenarProfile.h"

namespace cvsim {

namespace {

bool Analog(PlenarProfile::Signal s) {
  return s == PlenarProfile::Signal::TerrestrialAnalog || s == PlenarProfile::Signal::SatelliteAnalog;
}

bool Digital(PlenarProfile::Signal s) {
  return s == PlenarProfile::Signal::Cofdm || s == PlenarProfile::Signal::Qam ||
         s == PlenarProfile::Signal::SatelliteDigital;
}

constexpr const char* kTerrestrial = "*FRT27DB";  // 471.25 MHz
constexpr const char* kSatellite = "*FRS347C";    // 1200 MHz

}  // namespace

const std::vector<std::pair<std::string, std::string>>& PlenarProfile::Scenarios() {
  static const std::vector<std::pair<std::string, std::string>> table = {
      {"nothing", "no signal locks; levels 60.0, 30.0, 50.0 at 471.25, 474.00 and 476.75 MHz"},
      {"analog", "terrestrial analog TV tuned by channel, teletext page 100, PDC id and description"},
      {"sat-analog", "satellite analog TV at 1200 MHz with teletext"},
      {"sat-digital", "satellite digital TV at 1200 MHz: QPSK lock, network and provider texts"},
      {"cofdm", "terrestrial digital TV: COFDM lock, network and provider texts"},
      {"qam", "cable digital TV: QAM lock, network and provider texts"},
      {"rds", "RDS radio with PI and PS"},
      {"refuse-sc", "analog TV tuned by channel; \"*?SC\" answers \"!!\""},
      {"refuse-ji", "analog TV tuned by channel; \"*?JI\" answers \"!!\""},
      {"refuse-ch", "analog TV tuned by channel; \"*?CH\" answers \"!!\""},
      {"refuse-ci", "analog TV tuned by channel; \"*?CI\" answers \"!!\""},
  };
  return table;
}

bool PlenarProfile::SetScenario(const std::string& name) {
  static const std::pair<const char*, Signal> bySignalName[] = {
      {"nothing", Signal::Nothing},     {"analog", Signal::TerrestrialAnalog},
      {"sat-analog", Signal::SatelliteAnalog}, {"sat-digital", Signal::SatelliteDigital},
      {"cofdm", Signal::Cofdm},         {"qam", Signal::Qam},
      {"rds", Signal::Rds},             {"refuse-sc", Signal::TerrestrialAnalog},
      {"refuse-ji", Signal::TerrestrialAnalog}, {"refuse-ch", Signal::TerrestrialAnalog},
      {"refuse-ci", Signal::TerrestrialAnalog},
  };
  const auto* found = std::find_if(std::begin(bySignalName), std::end(bySignalName),
                                   [&](const auto& s) { return name == s.first; });
  if (found == std::end(bySignalName)) return false;
  signal = found->second;
  const bool satellite = signal == Signal::SatelliteAnalog || signal == Signal::SatelliteDigital;
  lastTuning = satellite ? kSatellite : kTerrestrial;
  tunedMHz = satellite ? 1200.0 : 471.25;
  systemReply = signal == Signal::SatelliteDigital ? "*SY060" : "*SY000";
  tuneByChannel = signal == Signal::TerrestrialAnalog;
  refusedLookup = name.rfind("refuse-", 0) == 0 ? "*?" + std::string(1, static_cast<char>(name[7] - 32)) +
                                                      static_cast<char>(name[8] - 32)
                                                : "";
  if (signal == Signal::Nothing) levels = {{471.25, 600}, {474.0, 300}, {476.75, 500}};
  return true;
}

void PlenarProfile::AddIdentifierCommands() {
  // The active plan and channel the identifier looks up when the meter tunes by channel.
  StoredPlan local;
  local.name = "CVNET";
  local.band = 'T';
  local.code = 1;
  local.commands = {"ME0"};
  // Channel names as the meter's loader stores them: right-aligned in four characters.
  local.channels = {{" C21", 0x27DB, 0x27DB + 160, {}}};
  plans[5] = local;
  activePlan = 5;
  activeChannel = 0;

  // A poll answers once the query has been asked pollsBeforeAnswer times since the last tuning.
  auto ready = [this](const std::string& query) { return ++polls_[query] > pollsBeforeAnswer; };
  for (const char* tuning : {"*?FR", "*FR"}) {
    On(tuning, [this, inner = HandlerOf(tuning)](const std::string& line) {
      polls_.clear();
      return inner(line);
    });
  }
  for (const char* lookup : {"*?SC", "*?JI", "*?CH", "*?CI"}) {
    On(lookup, [this, lookup, inner = HandlerOf(lookup)](const std::string& line) {
      if (refusedLookup == lookup) return Answer::Reply(std::string("*") + (lookup + 2) + "!!");
      return inner(line);
    });
  }
  // Any code, kept as "*?SY" gives it back (two digits get the mode digit).
  On("*SY", [this](const std::string& line) {
    if (line.size() < 5 || ParseHex2(line, 3) < 0) return Answer::Nak();
    systemReply = "*SY" + line.substr(3) + (line.size() == 5 ? "0" : "");
    return Answer::Ok();
  });
  On("*SO", [](const std::string& line) {
    return line == "*SO01" || line == "*SO03" ? Answer::Ok() : Answer::Nak();
  });
  On("*TX", [](const std::string& line) {
    return line == "*TX064" || line == "*TX000" ? Answer::Ok() : Answer::Nak();
  });
  On("*?VD", [this](const std::string&) { return Answer::Reply(Analog(signal) ? "*VD1" : "*VD0"); });
  auto teletext = [this, ready](const char* query, const char* letters, const std::string* text) {
    On(query, [this, ready, query, letters, text](const std::string&) {
      const bool on = Analog(signal) && ready(query);
      return Answer::Reply(std::string(letters) + (on ? "1" + *text : "0"));
    });
  };
  teletext("*?TXH", "*TXH", &teletextHeader);
  teletext("*?TXI", "*TXI", &pdcId);
  teletext("*?TXT", "*TXT", &pdcText);
  On("*?RDS", [this, ready](const std::string&) {
    return Answer::Reply(signal == Signal::Rds && ready("*?RDS") ? "*RDS01" : "*RDSFF");
  });
  On("*?RDI", [this](const std::string&) { return Answer::Reply("*RDI" + (signal == Signal::Rds ? rdsPi : "0000")); });
  On("*?RDP", [this](const std::string&) {
    return Answer::Reply("*RDP" + (signal == Signal::Rds ? rdsPs : std::string(8, ' ')));
  });
  auto lock = [this, ready](const char* query, const char* letters, Signal locks) {
    On(query, [this, ready, query, letters, locks](const std::string&) {
      return Answer::Reply(std::string(letters) + (signal == locks && ready(query) ? "1" : "0"));
    });
  };
  lock("*?CO", "*CO", Signal::Cofdm);
  lock("*?QA", "*QA", Signal::Qam);
  lock("*?QP", "*QP", Signal::SatelliteDigital);
  On("*?SLN", [this, ready](const std::string&) {
    return Answer::Reply(Digital(signal) && ready("*?SLN") ? "*SLN1," + network : "*SLN!");
  });
  On("*?SL00", [this, ready](const std::string&) {
    if (!Digital(signal) || !ready("*?SL00")) return Answer::Reply("*SL00!");
    char length[8];
    std::snprintf(length, sizeof length, "%02X", static_cast<unsigned>(providerField.size()) & 0xFF);
    return Answer::Reply("*SL001000" + std::string(length) + "01" + providerField + provider);
  });
  On("*?LN", [this, ready](const std::string&) {
    if (!ready("*?LN")) return Answer::Reply("*LN0=+000");
    int level = 100;
    for (const auto& [mhz, tenths] : levels)
      if (std::fabs(mhz - tunedMHz) < 0.05) level = tenths;
    char reply[32];
    std::snprintf(reply, sizeof reply, "*LN1=+%03X", static_cast<unsigned>(level) & 0xFFF);
    return Answer::Reply(reply);
  });
}

}  // namespace cvsim
