#include "PlenPlanFamily.h"

#include "ChanPlen.h"
#include "Commandsplen.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanFormat.h"
#include "PlanImport.h"
#include "PlenDialect.h"
#include "PlenPlanFile.h"

namespace cv::plenar {

bool IsFrequencyInBand(char band, double mhz) {
  if (band != 'T' && band != 'S' && !IsDabBand(band)) return false;
  return cv::PllInRange(band, mhz, cv::kCorvane4Ranges);
}

namespace {

TChan3 ChannelFromMHz(std::string_view name, float mhz, int32_t bandwidth, char band, std::string_view c1,
                      std::string_view c2, std::string_view c3) {
  return TChanPlen::FromFrequency(name, mhz, bandwidth, band, c1, c2, c3);
}

TChan3 ChannelFromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band, std::string_view c1,
                       std::string_view c2, std::string_view c3) {
  return TChanPlen::FromWord(name, word, bandwidth, band, c1, c2, c3);
}

TChan3 ChannelFromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text, char band,
                        std::string_view c1, std::string_view c2, std::string_view c3) {
  return TChanPlen::FromTexts(name, wordText, word2Text, band, c1, c2, c3);
}

float NewChannelMHz(char band) {
  if (cv::IsSatelliteBand(band)) return 1500.0f;
  return IsDabBand(band) ? 222.05f : 471.25f;
}

}  // namespace

const cv::plan::PlanFamily& PlenPlanFamily() {
  static const cv::plan::PlanFamily family{&kCommandsPlen,
                                           &cv::kCorvane4Ranges,
                                           &IsFrequencyInBand,
                                           &ScriptWriter(),
                                           &Dialect,
                                           &cv::plan::ConvertDirectory3,
                                           120,
                                           true,
                                           kPlenTempScript,
                                           nullptr,
                                           cv::msg::PlanTempNotCreated,
                                           cv::msg::cv4plans::PlanSendHint,
                                           cv::msg::cv4plans::PlanReceiveHint,
                                           cv::msg::PlanComm3Hint,
                                           cv::msg::cv4plans::ChannelCancelHint,
                                           kPlanCap,
                                           msg::plenar::TooManyPlans,
                                           8,
                                           'D',
                                           &DoChanD,
                                           &ChannelFromMHz,
                                           100,
                                           800,
                                           msg::plenar::OutOfRange,
                                           msg::plenar::NewFrequency1500,
                                           kMaxChannels,
                                           &ChannelFromWord,
                                           &ChannelFromTexts,
                                           &NewChannelMHz,
                                           cv::msg::plenplans::BandDab,
                                           cv::msg::plenplans::ExtractHint,
                                           &ReadPlanFile,
                                           &WriteFormat2File};
  return family;
}

bool WriteCanalizationScript(cv::plan::PlanEditor& editor, const std::string& path,
                             cv::plan::PlanScriptWriter::Variant variant) {
  const unsigned end = ScriptWriter().MemoryEnd(editor.planSlots);
  if (end > kPlanMemoryEnd)
    editor.Log(cv::plan::Fill(cv::Msg(msg::plenar::BigCanalizationLog), {std::to_string(end)}));
  return editor.WriteScript(path, variant);
}

bool ReadCanalizationScript(cv::plan::PlanEditor& editor, const std::string& path, PlanSlots& planSlots) {
  return editor.ReadScriptFile(path, planSlots);
}

}  // namespace cv::plenar
