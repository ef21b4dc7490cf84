// Replies of a CORVANE-4 meter: every input line is read as the reply to "*?VE", to "*?JI" and
// to "*?CI" of a terrestrial and of a satellite plan, with the family's ranges, as the equipment
// object reads them.
#include <cmath>
#include <cstring>

#include "Chan4.h"
#include "Cv4Equip.h"
#include "FuzzSupport.h"

namespace {

void Channel(const std::string& reply, char band) {
  cv::cv4::TChan4 chan;
  chan.frequency = -1;  // a reply too short to read leaves the record as it was
  const bool ok = ParseChannelInfo(reply, band, chan, cv::kCorvane4Ranges);
  const cv::PllBand& b = cv::PllBandOf(band, cv::kCorvane4Ranges);
  if (ok)
    FUZZ_CHECK(chan.frequency >= b.minMHz && chan.frequency <= b.maxMHz);
  else
    FUZZ_CHECK(chan.frequency == -1 || chan.frequency == b.fallbackMHz);
  FUZZ_CHECK(std::strlen(chan.name) <= 4 && std::strlen(chan.wordText) <= 4);
  for (const auto& c : chan.commands) FUZZ_CHECK(std::strlen(c) <= 15);
  if (band != 'S') FUZZ_CHECK(chan.commands[1][0] == '\0' && chan.commands[2][0] == '\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const std::string& line : cvfuzz::Lines(cvfuzz::Text(data, size))) {
    // The command layer's buffer holds 255 characters of a reply.
    const std::string reply = line.substr(0, 255);
    float version = -1;
    const bool hasVersion = TCv3Equip::ParseVersionReply(reply, cv::cv4::kCorvane4Family.versionMark, version);
    FUZZ_CHECK(!std::isnan(version));
    if (!hasVersion) FUZZ_CHECK(version == 0);
    PlanInfo plan;
    if (ParsePlanInfo(reply, plan)) {
      FUZZ_CHECK(plan.band == 'S' || plan.band == 'T');
      FUZZ_CHECK(plan.channelCount >= 0 && plan.channelCount <= 255);
      FUZZ_CHECK(std::strlen(plan.name) <= 8);
    }
    Channel(reply, 'T');
    Channel(reply, 'S');
  }
  return 0;
}
