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

const cv::plan::PlanCheckTable& PlenCheckTable() {
  // The BER measures a channel is tuned with are told with the channel; QPSK and DAB in any of
  // its commands with the plan.
  using Flag = TInstalledOptions;
  static constexpr cv::plan::CheckedMeasure kMeasures[] = {{0x1B06, Flag::kCofdm, true},
                                                           {0x1B05, Flag::kQam, true},
                                                           {0x1B04, Flag::kQpsk, false},
                                                           {0x1B08, Flag::kDab, false}};
  static const cv::plan::PlanCheckTable table{&kCommandsPlen, kMeasures, Flag::kBelow45MHz, Flag::kTerrestrialBand,
                                              Flag::kSatelliteBand};
  return table;
}

bool CheckPlenPlans(const PlanSlots& plans, const TInstalledOptions* options, cv::plan::Report& report) {
  std::optional<cv::plan::OptionFlags> reported;
  if (options) reported = options->optionFlags;
  return cv::plan::CheckPlansAgainstOptions(plans, PlenCheckTable(), reported, report);
}

const cv::plan::PlanFamily& PlenPlanFamily() {
  static const cv::plan::PlanFamily family{&kCommandsPlen,
                                           &cv::kCorvane4Ranges,
                                           &cv::kPlenarRanges,
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

}  // namespace cv::plenar
