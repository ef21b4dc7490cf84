#include "Dv8PlanScript.h"

#include "Commands8.h"
#include "Cv4PlanFamily.h"
#include "Dv8Dialect.h"
#include "Dv8Equip.h"
#include "PlanCheck.h"
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

float IFToFreq(float oscillatorMHz, float intermediateMHz) { return oscillatorMHz + intermediateMHz; }

float FreqToIF(float oscillatorMHz, float frequencyMHz) { return frequencyMHz - oscillatorMHz; }

cv::plan::PlanCheckTable Dv8CheckTable(const TCommandTable& commands) {
  static constexpr cv::plan::CheckedMeasure kMeasures[] = {{0x1B06, InstalledOptions::kBerCofdm, true}};
  return {&commands, kMeasures, InstalledOptions::kBelow45MHz};
}

namespace {

bool CheckDv8Plans(const PlanSlots& planSlots, cv::plan::Report& report) {
  InstalledOptions options;
  TDV8Equip::ReadInstalledOptions(options);
  return cv::plan::CheckPlansAgainstOptions(planSlots, Dv8CheckTable(kCommands8), options.flags, report);
}

}  // namespace

const cv::plan::PlanFamily& Dv8PlanFamily() {
  static const Dv8ScriptWriter writer(kCommands8);
  // The DV-800's bands are the CORVANE-4's: terrestrial 5 to 862 MHz, satellite IF 900 to 2150.
  static const cv::plan::PlanFamily family = [] {
    cv::plan::PlanFamily f{&kCommands8,
                           &cv::kDv800Ranges,
                           &cv::kCorvane4Ranges,
                           &writer,
                           &Dialect,
                           &cv::plan::ConvertDirectory4,
                           kDv8CommandListSize,
                           false,
                           cv::plan::kTempScript,
                           cv::plan::kLoaderFile,
                           cv::msg::PlanTempNotCreated,
                           cv::msg::cv4plans::PlanSendHint,
                           cv::msg::cv4plans::PlanReceiveHint,
                           0,
                           0};
    f.ifToFreq = &IFToFreq;
    f.freqToIF = &FreqToIF;
    f.satelliteBlockStartMHz = 920.0f;
    f.sendAsksFirst = true;
    f.sendScript = kDv8TempScript;
    f.checkPlans = &CheckDv8Plans;
    f.readPlanFailedLogMsg = cv::msg::dv8plans::ReadPlanFailedLog;
    f.readPlanFailedBoxMsg = cv::msg::dv8plans::ReadPlanFailedBox;
    // Its plan text files hold terrestrial plans only (any letter but 'S' and 'D' reads as one),
    // channel names of five characters, and every refused value is "Bad data in line".
    f.planText = {"SD", true, 5, cv::msg::PlanBadData, true};
    return f;
  }();
  return family;
}

bool WritePlanScript(cv::plan::PlanEditor& editor, const std::string& path) { return editor.WriteScript(path); }

bool ReadPlanScript(cv::plan::PlanEditor& editor, const std::string& path, PlanSlots& planSlots) {
  return editor.ReadScriptFile(path, planSlots);
}

}  // namespace cv::dv8
