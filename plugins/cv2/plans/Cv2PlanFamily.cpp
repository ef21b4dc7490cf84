#include "Cv2PlanFamily.h"

#include "Chan2.h"
#include "Commands2.h"
#include "Cv2Dialect.h"
#include "Cv4PlanFamily.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanImport.h"
#include "PlanScript.h"

namespace cv::cv2 {

Cv2ScriptWriter::Cv2ScriptWriter() : Dv8ScriptWriter(kCommands2) {
  plainDownlink = false;
  modelLine = "# CORVANE-2";
  powerOnComment = "# trying to POWER ON CORVANE-2";
}

namespace {

TChan3 ChannelFromMHz(std::string_view name, float mhz, int32_t bandwidth, char band, std::string_view c1,
                      std::string_view c2, std::string_view c3) {
  return ChanFromFrequency(name, mhz, bandwidth, band, c1, c2, c3);
}

// The channel editor's working copy keeps a terrestrial channel below 45 MHz that a script or a
// plan text file brought in (the family record would read its word as 48.25 MHz): the plan check
// decides on it, and an edit must not move it.
TChan3 WorkingChannel(std::string_view name, uint32_t word, int32_t bandwidth, char band, std::string_view c1,
                      std::string_view c2, std::string_view c3) {
  return TChan3::FromWord(name, word, bandwidth, band, c1, c2, c3, cv::kCorvane4Ranges);
}

TChan3 ChannelFromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text, char band,
                        std::string_view c1, std::string_view c2, std::string_view c3) {
  return ChanFromTexts(name, wordText, word2Text, band, c1, c2, c3);
}

}  // namespace

const cv::plan::PlanFamily& Cv2PlanFamily() {
  static const Cv2ScriptWriter writer;
  // The readers' bands are the DV-800's: terrestrial 5 to 862 MHz, satellite IF 900 to 2150.
  static const cv::plan::PlanFamily family = [] {
    cv::plan::PlanFamily f{&kCommands2,
                           &cv::kCorvane2Ranges,
                           &cv::kCorvane4Ranges,
                           &writer,
                           &Dialect,
                           &cv::plan::ConvertDirectory4,
                           kCv2CommandListSize,
                           false,
                           kCv2TempScript,
                           cv::plan::kLoaderFile,
                           cv::msg::PlanTempNotCreated,
                           cv::msg::cv4plans::PlanSendHint,
                           cv::msg::cv4plans::PlanReceiveHint,
                           0,
                           0};
    f.channelFromMHz = &ChannelFromMHz;
    f.channelFromWord = &WorkingChannel;
    f.channelFromTexts = &ChannelFromTexts;
    f.sendAsksFirst = true;
    f.readPlanFailedLogMsg = cv::msg::dv8plans::ReadPlanFailedLog;
    f.readPlanFailedBoxMsg = cv::msg::dv8plans::ReadPlanFailedBox;
    f.editorRanges = &cv::kCorvane2Ranges;
    return f;
  }();
  return family;
}

cv::plan::PlanCheckTable Cv2CheckTable() {
  cv::plan::PlanCheckTable table = cv::dv8::Dv8CheckTable(kCommands2);
  table.terrestrialBandFlag = cv::dv8::InstalledOptions::kTerrestrialBand;
  table.satelliteBandFlag = cv::dv8::InstalledOptions::kSatelliteBand;
  return table;
}

bool CheckCv2Plans(cv::plan::PlanEditor& editor, const OptionsReader& readOptions) {
  cv::dv8::InstalledOptions options;
  std::optional<cv::plan::OptionFlags> reported;
  if (readOptions(options)) reported = options.flags;
  return cv::plan::CheckPlansAgainstOptions(editor.planSlots, Cv2CheckTable(), reported, editor);
}

}  // namespace cv::cv2
