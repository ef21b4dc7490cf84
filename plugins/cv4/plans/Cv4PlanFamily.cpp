#include "Cv4PlanFamily.h"

#include "Commands4.h"
#include "Cv4Dialect.h"
#include "Cv4PlanScript.h"
#include "MsgIds.h"
#include "PlanImport.h"

namespace cv::cv4 {

const cv::plan::PlanFamily& Cv4PlanFamily() {
  static const Cv4ScriptWriter writer;
  static const cv::plan::PlanFamily family{&kCommands4,
                                           &cv::kCorvane4Ranges,
                                           &cv::kCorvane4Ranges,
                                           &writer,
                                           &Dialect,
                                           &cv::plan::ConvertDirectory3,
                                           116,
                                           true,
                                           kCv4TempScript,
                                           nullptr,
                                           cv::msg::PlanTempNotCreated,
                                           cv::msg::cv4plans::PlanSendHint,
                                           cv::msg::cv4plans::PlanReceiveHint,
                                           cv::msg::PlanComm3Hint,
                                           cv::msg::cv4plans::ChannelCancelHint};
  return family;
}

}  // namespace cv::cv4
