#include "OptionsReport.h"

#include <cstdio>

namespace cvsim {

void AddOptionsReport(Profile& profile, const uint32_t& word, const bool& silent) {
  profile.On("*?ID", [&word, &silent](const std::string& line) {
    if (line != "*?ID") return Answer::Nak();
    if (silent) return Answer::NoAnswer();
    char reply[32];
    std::snprintf(reply, sizeof reply, "*ID010%08X", static_cast<unsigned>(word));
    return Answer::Reply(reply);
  });
}

}  // namespace cvsim
