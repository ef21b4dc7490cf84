#pragma once
// "*?ID" as the meters that report their installed options answer it: "*ID", three characters
// the program does not read, and the option word as eight upper-case hexadecimal digits. The
// handler reads `word` and `silent` (no answer at all) when the line comes, so a test may change
// them at any time through the profile.
#include <cstdint>

#include "Simulator.h"

namespace cvsim {

void AddOptionsReport(Profile& profile, const uint32_t& word, const bool& silent);

}  // namespace cvsim
