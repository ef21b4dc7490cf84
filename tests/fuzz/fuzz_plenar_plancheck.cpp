// The plan check before Send of the CORVANE-PLENAR (see PlanCheckSupport.h): the first line is
// the meter's "*?ID" reply.
#include "PlanCheckSupport.h"
#include "PlenDialect.h"
#include "PlenEquip.h"
#include "PlenPlanFamily.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cv::plenar::TCvPlenEquip equip(nullptr, nullptr);
  static cv::plenar::TInstalledOptions options;
  cvfuzz::CheckReadPlans(cvfuzz::Text(data, size), cv::plenar::Dialect(), "CORVANE-PLENAR",
                         cv::plenar::PlenPlanFamily(), cv::plenar::PlenCheckTable(), equip,
                         [](const std::string& reply) {
                           options = {};
                           cv::plenar::ParseOptionsReply(reply, options);
                           return cv::plan::OptionFlags(options.optionFlags);
                         });
  return 0;
}
