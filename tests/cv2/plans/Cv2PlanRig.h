#pragma once
// The plan editor's controller with the CORVANE-2 family over the framework tests' recording
// fakes, in a temporary directory of its own; the plans the script and text-file tests work on.
#include "../../plans/FamilyPlanRig.h"
#include "Cv2Dialect.h"
#include "Cv2PlanFamily.h"

namespace cv2test {

using namespace plantest;

struct Cv2EditorRig : FamilyEditorRig {
  Cv2EditorRig() : FamilyEditorRig(&cv::cv2::Dialect, "CORVANE-2", cv::cv2::Cv2PlanFamily()) {}
};

inline std::string DataPath(const std::string& name) { return std::string(CV_TEST_DATA_DIR) + "/cv2/" + name; }
inline void ExpectGolden(const std::string& text, const std::string& name) { ExpectGoldenFile(text, DataPath(name)); }

inline PlanSlot Plan(const char* name, char band, float lnb, int code, std::vector<TChan3> channels,
                     const char* command = "") {
  PlanSlot s = MakePlan(name, band, 0, 0, lnb);
  s.code = code;
  CopyField(s.commands[0], command);
  s.Channels() = std::move(channels);
  s.channelCount = static_cast<int32_t>(s.Channels().size());
  return s;
}

// A terrestrial plan with a channel below 45 MHz and the BER COFDM measure; satellite plans
// with a channel stored at 1200 MHz under a C-band oscillator (5150), a Ku-band one (9750) and
// 5000 exactly, which is no C-band oscillator.
inline PlanSlots GoldenPlans() {
  PlanSlots plans;
  for (auto& p : plans) ClearPlan(p);
  plans[0] = Plan("TDT", 'T', 0, 1,
                  {Channel("  C1", 40.0f, 8, 'T'), Channel("CH21", 471.25f, 8, 'T', "ME6"),
                   Channel("E69", 858.0f, 7, 'T', "CW02BC")},
                  "SY00");
  plans[1] = Plan("CBAND", 'S', 5150.0f, 2,
                  {Channel("C2", 900.0f, 0, 'S'), Channel("C1", 1200.0f, 0, 'S', "SY36", "LB3", "ME4")}, "LB1");
  plans[3] = Plan("ASTRA", 'S', 9750.0f, 4, {Channel("A1", 1200.0f, 0, 'S', "SY07", "SOF6A9")});
  plans[4] = Plan("EDGE", 'S', 5000.0f, 5, {Channel("E1", 1200.0f, 0, 'S'), Channel("E2", 2150.0f, 0, 'S')});
  return plans;
}

}  // namespace cv2test
