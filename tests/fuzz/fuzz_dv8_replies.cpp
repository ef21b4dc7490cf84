// Replies of a DV-800 meter: every input line is read as the reply to "*?CI" of a terrestrial
// and of a satellite plan with the family's ranges, as the equipment object reads it, and the
// channel is then built from the texts the reply gave, as a received plan builds it. The lines
// are then the replies of one monitor cycle in channel mode, given in turn.
#include <cstring>

#include "ChanDV8.h"
#include "Dv8Monitor.h"
#include "FuzzSupport.h"
#include "MonitorFuzzLink.h"
#include "MonitorPoller.h"

namespace {

bool SameRecord(const TChan3& a, const TChan3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void Channel(const std::string& reply, char band) {
  const cv::PllBand& range = cv::PllBandOf(band, cv::kDv800Ranges);
  const TChan3 before = cv::dv8::ChanFromWord("KEEP", 0x0F8C, 8, band, "SY00", "UN0", "ME1");
  TChan3 chan = before;
  const bool ok = ParseChannelInfo(reply, band, chan, cv::kDv800Ranges);
  const bool read = ok || !SameRecord(chan, before);
  if (!read) return;  // a failed read leaves the record as it was
  FUZZ_CHECK(ok ? chan.frequency >= range.minMHz && chan.frequency <= range.maxMHz
                : chan.frequency == range.fallbackMHz);
  FUZZ_CHECK(std::strlen(chan.name) <= 4 && std::strlen(chan.wordText) <= 4 && std::strlen(chan.word2Text) <= 4);
  for (const auto& c : chan.commands) FUZZ_CHECK(std::strlen(c) <= 15);
  if (band != 'S') FUZZ_CHECK(chan.commands[1][0] == '\0' && chan.commands[2][0] == '\0');
  const TChan3 built =
      cv::dv8::ChanFromTexts(chan.name, chan.wordText, chan.word2Text, band, chan.commands[0], chan.commands[1],
                             chan.commands[2]);
  FUZZ_CHECK(built.frequency == chan.frequency);
  if (band == 'S') FUZZ_CHECK(built.bandwidth == 0 && built.word2 == 0);
}

// One poll cycle of the DV-800 monitor on the replies, then a channel step and the arrows.
void MonitorCycle(const std::vector<std::string>& replies) {
  std::vector<std::string> cut;
  for (const std::string& r : replies) cut.push_back(r.substr(0, 255));
  cvfuzz::MonitorReplies line{cut};
  cv::settings::Link link = line.Link();
  const cv::dv8::Dv8MonitorProfile& profile = cv::dv8::Dv8MonitorValues();
  cv::settings::TMonitorPoller poller(link, profile);
  poller.channelMode = true;
  cv::settings::MonitorMeasurement record;
  if (poller.Cycle(record)) {
    FUZZ_CHECK(record.standard >= 0 && record.standard < 10);
    FUZZ_CHECK(record.channel.size() <= cv::dv8::Dv8MonitorProfile::kChannelTextLength);
    const int item = profile.MeasureItem(record.measureType);
    FUZZ_CHECK(item >= -1 && item < 5);
    cv::settings::DisplayLines(record, poller.channelMode, profile);
  }
  poller.StepChannel(replies.size() % 2 == 0);
  if (!replies.empty()) {
    poller.StepFrequency(replies.front(), true);
    poller.SendFrequency(replies.back(), nullptr);
  }
  // Nothing outside the terrestrial band is ever tuned.
  FUZZ_CHECK(line.tuned < 0 || (line.tuned >= 5.0f && line.tuned <= 862.0f));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const std::string& line : cvfuzz::Lines(cvfuzz::Text(data, size))) {
    // The command layer's buffer holds 255 characters of a reply.
    const std::string reply = line.substr(0, 255);
    Channel(reply, 'T');
    Channel(reply, 'S');
  }
  MonitorCycle(cvfuzz::Lines(cvfuzz::Text(data, size)));
  return 0;
}
