#include "Dv8Profile.h"

#include <cstdio>

namespace cvsim {

Dv8Profile::Dv8Profile(std::string model, std::string version)
    : Corvane4Profile(std::move(model), std::move(version)) {
  Remove("*?ID");
  // Plan scripts drive the CORVANE-3's boot monitor and loader ("*BO", "*HX" lines, "*GO1FE0",
  // "*FE6", the power-on lines) and its plan memory at segment 0x8000 (DIRECTORY3's).
  AddCorvane3Loader(*this);
  Remove("*FE2");
  Remove("*CC");
  Remove("*FRT363B");
  flash.planSegment = 0x8000;
  Remove("*MF6F");
  Remove("*MF7F");
  AddSpectrumFilterCommands(*this, "*MF0F", "*MF1F");
  // Terrestrial carriers only: a vision carrier in the default 48 to 52 MHz span, UHF ones, and
  // one close under 862 MHz.
  carriers = {{49.75, 66.0, 0.5}, {175.25, 60.0, 3.0}, {471.25, 72.0, 3.0}, {607.25, 65.0, 3.0}, {858.0, 62.0, 3.0}};
  On("*FR", [this, tune = HandlerOf("*FR")](const std::string& line) {
    if (!satelliteTuner && line.size() > 3 && line[3] != 'T') return Answer::Nak();
    return tune(line);
  });
  On("*?CI", [this, query = HandlerOf("*?CI")](const std::string& line) {
    unsigned channel = 0;
    if (channelQueryFailsFrom >= 0 && std::sscanf(line.c_str() + 4, "%2x", &channel) == 1 &&
        static_cast<int>(channel) >= channelQueryFailsFrom)
      return Answer::Reply("*CI!!");
    return query(line);
  });
  AddDv8Memories();
  AddDv8Settings();
}

}  // namespace cvsim
