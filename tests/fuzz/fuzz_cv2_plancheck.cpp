// The plan check before Send of the CORVANE-2 and the DV-800 (see PlanCheckSupport.h): the first
// line is the CORVANE-2's "*?ID" reply; the DV-800 is checked on its fixed options.
#include "Cv2Dialect.h"
#include "Cv2Equip.h"
#include "Cv2PlanFamily.h"
#include "Dv8Dialect.h"
#include "Dv8Equip.h"
#include "Commands8.h"
#include "Dv8PlanScript.h"
#include "PlanCheckSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  static cv::cv2::TCv2Equip cv2(nullptr, nullptr);
  static cv::dv8::InstalledOptions cv2Options;
  cvfuzz::CheckReadPlans(input, cv::cv2::Dialect(), "CORVANE-2", cv::cv2::Cv2PlanFamily(), cv::cv2::Cv2CheckTable(),
                         cv2, [](const std::string& reply) {
                           cv2Options = {};
                           cv::cv2::ParseInstalledOptions(reply, cv2Options);
                           return cv::plan::OptionFlags(cv2Options.flags);
                         });
  static cv::dv8::TDV8Equip dv8(nullptr, nullptr);
  static cv::dv8::InstalledOptions dv8Options = [] {
    cv::dv8::InstalledOptions o;
    cv::dv8::TDV8Equip::ReadInstalledOptions(o);
    return o;
  }();
  cvfuzz::CheckReadPlans(input, cv::dv8::Dialect(), "DV-800", cv::dv8::Dv8PlanFamily(),
                         cv::dv8::Dv8CheckTable(cv::dv8::kCommands8), dv8,
                         [](const std::string&) { return cv::plan::OptionFlags(dv8Options.flags); });
  return 0;
}
