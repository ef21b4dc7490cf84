#pragma once
// The plan editor's controller with the DV-800 family over the framework tests' recording fakes,
// in a temporary directory of its own; the plans the script and text-file tests work on.
#include "../../plans/FamilyPlanRig.h"
#include "Dv8Dialect.h"
#include "Dv8PlanScript.h"

namespace dv8test {

using namespace plantest;

struct Dv8EditorRig : FamilyEditorRig {
  Dv8EditorRig() : FamilyEditorRig(&cv::dv8::Dialect, "DV-800", cv::dv8::Dv8PlanFamily()) {}
};

inline std::string DataPath(const std::string& name) { return std::string(CV_TEST_DATA_DIR) + "/dv8/" + name; }
inline void ExpectGolden(const std::string& text, const std::string& name) { ExpectGoldenFile(text, DataPath(name)); }

// Plan TEST (code 0, CH21 at 471.25 MHz, 8 MHz, "SY00"); in slot 2 a terrestrial plan with plan
// commands; in slot 5 a satellite plan under 9750 MHz with a channel at an IF of 1450 MHz. Slots
// between them are empty.
inline PlanSlots GoldenPlans() {
  PlanSlots plans;
  for (auto& p : plans) ClearPlan(p);
  plans[0] = MakePlan("TEST", 'T', 0);
  plans[0].code = 0;
  plans[0].Channels() = {Channel("CH21", 471.25f, 8, 'T', "SY00")};
  plans[2] = MakePlan("UHF", 'T', 0);
  plans[2].code = 2;
  CopyField(plans[2].commands[0], "SV0");
  CopyField(plans[2].commands[2], "CW0320");
  plans[2].Channels() = {Channel("E5", 175.25f, 7, 'T', "CW02BC"), Channel("E69", 855.25f, 8, 'T')};
  plans[5] = MakePlan("ASTRA", 'S', 0, 0, 9750.0f);
  plans[5].code = 5;
  CopyField(plans[5].commands[0], "UN1");
  plans[5].Channels() = {Channel("S1", 1450.0f, 0, 'S', "SY36", "UN1", "SOF6A9"),
                         Channel("S2", 1950.5f, 0, 'S')};
  for (auto& p : plans) p.channelCount = static_cast<int32_t>(p.Channels().size());
  return plans;
}

}  // namespace dv8test
