#include "Dv8PlanScript.h"

#include "Commands8.h"
#include "Cv4PlanFamily.h"
#include "Dv8Dialect.h"
#include "MsgIds.h"
#include "PlanImport.h"

namespace cv::dv8 {

Dv8ScriptWriter::Dv8ScriptWriter(const TCommandTable& commands) : PlanScriptWriter(commands) {
  plainDownlink = true;
  modelLine = "# DV800";
  powerOnComment = "# trying to POWER ON DV800";
}

bool Dv8ScriptWriter::ChannelFits(int planBytes, int channelBytes) const {
  return planBytes + channelBytes <= cv::plan::kPlanBlockBytes;
}

const cv::plan::PlanFamily& Dv8PlanFamily() {
  static const Dv8ScriptWriter writer(kCommands8);
  // The DV-800's bands are the CORVANE-4's: terrestrial 5 to 862 MHz, satellite IF 900 to 2150.
  static const cv::plan::PlanFamily family{&kCommands8,
                                           &cv::kDv800Ranges,
                                           &cv::cv4::IsFrequencyInBand,
                                           &writer,
                                           &Dialect,
                                           &cv::plan::ConvertDirectory4,
                                           kDv8CommandListSize,
                                           false,
                                           kDv8TempScript,
                                           cv::plan::kLoaderFile,
                                           cv::msg::PlanTempNotCreated,
                                           cv::msg::PlanSendHint,
                                           cv::msg::PlanReceiveHint,
                                           0,
                                           0};
  return family;
}

bool WritePlanScript(cv::plan::PlanEditor& editor, const std::string& path) { return editor.WriteScript(path); }

bool ReadPlanScript(cv::plan::PlanEditor& editor, const std::string& path, PlanSlots& planSlots) {
  return editor.ReadScriptFile(path, planSlots);
}

}  // namespace cv::dv8
