#include "PlanFamily.h"

#include "MsgIds.h"
#include "PlanImport.h"
#include "PlanScript.h"
#include "ScriptDialect.h"

namespace cv::plan {

const PlanFamily& Corvane3PlanFamily() {
  static const PlanScriptWriter writer;
  static const PlanFamily family{&kCv3CommandTable,
                                 &cv::kCorvane3Ranges,
                                 &cv::kCorvane3Ranges,
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

TChan3 MakeChannel(const PlanFamily& family, std::string_view name, float mhz, int32_t bandwidth, char band,
                   std::string_view c1, std::string_view c2, std::string_view c3) {
  if (family.channelFromMHz) return family.channelFromMHz(name, mhz, bandwidth, band, c1, c2, c3);
  return TChan3::FromFrequency(name, mhz, bandwidth, band, c1, c2, c3);
}

TChan3 MakeChannelFromWord(const PlanFamily& family, std::string_view name, uint32_t word, int32_t bandwidth,
                           char band, std::string_view c1, std::string_view c2, std::string_view c3) {
  if (family.channelFromWord) return family.channelFromWord(name, word, bandwidth, band, c1, c2, c3);
  return TChan3::FromWord(name, word, bandwidth, band, c1, c2, c3);
}

float NewChannelMHz(const PlanFamily& family, char band) {
  if (family.newChannelMHz) return family.newChannelMHz(band);
  return cv::IsSatelliteBand(band) ? 1500.0f : 471.25f;
}

PlanSlot DeepCopyPlan(const PlanSlot& source, const PlanFamily& family) {
  if (!family.channelFromWord) return ::DeepCopyPlan(source);
  PlanSlot copy = source;
  if (!source.channels) return copy;
  copy.channels->clear();
  for (const TChan3& c : *source.channels)
    copy.channels->push_back(MakeChannelFromWord(family, c.name, c.word, c.bandwidth, source.band, c.commands[0],
                                                 c.commands[1], c.commands[2]));
  SortChannels(*copy.channels);
  return copy;
}

}  // namespace cv::plan
