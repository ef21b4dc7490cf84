#include "PlanFamily.h"

#include "MsgIds.h"
#include "PlanImport.h"
#include "PlanScript.h"
#include "ScriptDialect.h"

namespace cv::plan {

namespace {

bool Corvane3InBand(char band, double mhz) { return cv::PllInRange(band, mhz); }

}  // namespace

const PlanFamily& Corvane3PlanFamily() {
  static const PlanScriptWriter writer;
  static const PlanFamily family{&kCv3CommandTable,
                                 &cv::kCorvane3Ranges,
                                 &Corvane3InBand,
                                 &writer,
                                 &cv::script::Corvane3Dialect,
                                 &ConvertDirectory4,
                                 112,
                                 false,
                                 kTempScript,
                                 kLoaderFile,
                                 msg::PlanScriptNotCreated,
                                 msg::PlanSendHint,
                                 msg::PlanReceiveHint,
                                 0,
                                 0};
  return family;
}

}  // namespace cv::plan
