// The CORVANE-PLENAR meter's own sweep, read back in blocks.
#include <cstdio>
#include <cstdlib>

#include "PlenarProfile.h"

namespace cvsim {

void PlenarProfile::AddQuickSweep() {
  On("*SP1", [this](const std::string&) {
    if (quick.sp1Refused) return Answer::Nak();
    spectrumMode = true;
    return Answer::Ok();
  });
  On("*?SPA", [this](const std::string&) { return Answer::Reply(std::string("*SPA") + quick.spaMode); });
  On("*SPA", [this](const std::string& line) {
    if (line.size() != 5) return Answer::Nak();
    quick.spaMode = line[4];
    return Answer::Ok();
  });
  On("*?SPR", [this](const std::string&) { return Answer::Reply(std::string("*SPR") + quick.refItem); });
  On("*SPY1", [](const std::string&) { return Answer::Ok(); });
  On("*?FR", [this, tuned = HandlerOf("*?FR")](const std::string& line) {
    if (quick.frSilent) return Answer::NoAnswer();
    if (quick.band) return Answer::Reply(std::string("*FR") + quick.band + "0000");
    return tuned ? tuned(line) : Answer::Nak();
  });
  On("*?SPH", [this](const std::string&) {
    if (quick.headerSilent) return Answer::NoAnswer();
    char reply[64];
    std::snprintf(reply, sizeof reply, "*SPH%04X%02X%04X%04X%04X", quick.startWord & 0xFFFF, quick.stepCode & 0xFF,
                  quick.points & 0xFFFF, static_cast<unsigned>(quick.factor) & 0xFFFF,
                  static_cast<unsigned>(quick.offset) & 0xFFFF);
    return Answer::Reply(reply);
  });
  On("*?SPS", [this](const std::string& line) {
    const int block = std::atoi(line.c_str() + 5);
    if (line.size() < 6 || block < 0) return Answer::Nak();
    ++quick.sps;
    if (block == quick.missingBlock) return Answer::NoAnswer();
    std::string reply = "*SPS" + line.substr(line.size() - 1);
    const unsigned first = static_cast<unsigned>(block) * 120;
    unsigned end = first + 120 < quick.points ? first + 120 : quick.points;
    if (block == quick.shortBlock && end > first) --end;
    for (unsigned i = first; i < end; ++i) {
      char digits[4];
      std::snprintf(digits, sizeof digits, "%02X", Raw(i) & 0xFF);
      reply += digits;
    }
    return Answer::Reply(reply);
  });
}

}  // namespace cvsim
