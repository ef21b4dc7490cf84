// The CORVANE-3 commands the spectrum sweep sends besides tuning and level: spectrum mode, the
// digital filter behind the access code, the system query and the measure modes.
#include "Simulator.h"

namespace cvsim {

void AddSpectrumFilterCommands(Corvane3Profile& p, const char* off, const char* on) {
  for (const char* command : {off, on}) {
    p.On(command, [&p, filterOn = command == on](const std::string&) {
      if (!p.protectedMode) return Answer::Nak();
      p.filterOn = filterOn;
      p.protectedMode = false;
      return Answer::Ok();
    });
  }
}

void AddCorvane3SpectrumCommands(Corvane3Profile& p) {
  p.On("*SP0", [&p](const std::string&) {
    p.spectrumMode = false;
    return Answer::Ok();
  });
  p.On("*?SP", [&p](const std::string&) { return Answer::Reply(p.spectrumMode ? "*SP1" : "*SP0"); });
  AddSpectrumFilterCommands(p, "*MF0F", "*MF1F");
  p.On("*?SY", [&p](const std::string&) { return Answer::Reply(p.systemReply); });
  p.On("*ME", [&p](const std::string& line) {
    if (line.size() != 4 || line[3] < '0' || line[3] > '7') return Answer::Nak();
    p.measureMode = line[3] - '0';
    return Answer::Ok();
  });
}

}  // namespace cvsim
