#include "PlenarProfile.h"

#include <cstdio>

namespace cvsim {

PlenarProfile::PlenarProfile(std::string model, std::string version)
    : Corvane4Profile(std::move(model), std::move(version)) {
  flash.maxPlans = 64;
  flash.dabBandCode = 8;
  On("*?ID", [this](const std::string& line) {
    if (line != "*?ID") return Answer::Nak();
    if (idSilent) return Answer::NoAnswer();
    char reply[32];
    std::snprintf(reply, sizeof reply, "*ID010%08X", static_cast<unsigned>(optionWord));
    return Answer::Reply(reply);
  });
  StoredPlan dab;
  dab.name = "DAB";
  dab.band = 'D';
  dab.code = 3;
  // 174.928 and 223.936 MHz as the instrument stores them: the word truncated, twice.
  dab.channels = {{"5A", 4276, 4276, {"ME8"}}, {"12D", 5256, 5256, {}}};
  plans[2] = dab;
  AddMemories();
  AddQuickSweep();
}

}  // namespace cvsim
