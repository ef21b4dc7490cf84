// Replies of a CORVANE-PLENAR meter: every input line is read as the reply to "*?ID" (options),
// to "*?JI" (a plan header, DAB plans among them) and to "*?CI" of each band, as the equipment
// object reads them; channels are then rebuilt from the texts the reply gave.
#include <cstring>

#include "ChanPlen.h"
#include "FuzzSupport.h"
#include "InstalledOptions.h"

namespace {

void Options(const std::string& reply) {
  cv::plenar::TInstalledOptions options;
  std::memset(options.optionFlags, 7, sizeof options.optionFlags);
  const bool read = cv::plenar::ParseOptionsReply(reply, options);
  for (uint8_t f : options.optionFlags) FUZZ_CHECK(f == 0 || f == 1);
  if (!read)
    for (uint8_t f : options.optionFlags) FUZZ_CHECK(f == 0);
}

void Header(const std::string& reply) {
  PlanInfo plan;
  const bool ok = ParsePlanInfo(reply, plan, "STD");
  FUZZ_CHECK(plan.band == 'S' || plan.band == 'T' || plan.band == 'D');
  if (ok) FUZZ_CHECK(std::strlen(plan.name) <= 8 && plan.channelCount >= 0 && plan.channelCount <= 255);
}

void Channel(const std::string& reply, char band) {
  const cv::PllBand& range = cv::PllBandOf(band, cv::kCorvane4Ranges);
  TChan3 chan = cv::plenar::TChanPlen::FromWord("KEEP", 0x0F8C, 800, band, "SY00", "UN0", "ME1");
  const bool ok = ParseChannelInfo(reply, band, chan, cv::kCorvane4Ranges);
  if (ok) FUZZ_CHECK(chan.frequency >= range.minMHz && chan.frequency <= range.maxMHz);
  if (band != 'S') FUZZ_CHECK(chan.commands[1][0] == '\0' && chan.commands[2][0] == '\0');
  const cv::plenar::TChanPlen built = cv::plenar::TChanPlen::FromTexts(
      chan.name, chan.wordText, chan.word2Text, band, chan.commands[0], chan.commands[1], chan.commands[2]);
  FUZZ_CHECK(built.word <= 0xFFFF);
  if (band == 'S') FUZZ_CHECK(built.bandwidth == 0 && built.word2 == 0);
  if (band != 'S') FUZZ_CHECK(built.bandwidth != 0);
  FUZZ_CHECK(std::strlen(built.wordText) <= 4 && std::strlen(built.word2Text) <= 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const std::string& line : cvfuzz::Lines(cvfuzz::Text(data, size))) {
    // The command layer's buffer holds 255 characters of a reply.
    const std::string reply = line.substr(0, 255);
    Options(reply);
    Header(reply);
    for (char band : {'T', 'S', 'D'}) Channel(reply, band);
  }
  return 0;
}
