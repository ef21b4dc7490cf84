#pragma once
// A 40-plan CORVANE-PLENAR canalization of all three bands (a DAB plan every third): channels on
// the 0.05 MHz grid, names of up to four characters, one command for 'T' and 'D', the first
// terrestrial channel of each plan 1.53 MHz wide, the others 8 MHz.
#include <string>

#include "ChanPlen.h"
#include "PlanSlot.h"

inline PlanSlots FortyPlans(const char* terCommand = "SY06") {
  PlanSlots plans;
  for (auto& p : plans) ClearPlan(p);
  for (int p = 0; p < 40; ++p) {
    PlanSlot& s = plans[p];
    NewPlan(s);
    const char band = "TDS"[p % 3];
    CopyField(s.name, "PLAN" + std::to_string(p));
    s.band = band;
    s.lnbMHz = band == 'S' ? 9750.0f : 0.0f;
    CopyField(s.lnbText, band == 'S' ? "17CDC" : "00000");
    s.code = p;
    for (int c = 0; c < 2 + p % 3; ++c) {
      const float mhz = band == 'S' ? 1000.0f + 25.0f * c : 174.0f + 8.0f * c + 0.05f * p;
      const char* command = band == 'D' ? "ME8" : band == 'T' ? terCommand : "";
      s.Channels().push_back(cv::plenar::TChanPlen::FromFrequency("C" + std::to_string(c), mhz, c ? 800 : 153, band,
                                                                  command, band == 'S' ? "UN1" : ""));
    }
    s.channelCount = static_cast<int32_t>(s.Channels().size());
  }
  return plans;
}
