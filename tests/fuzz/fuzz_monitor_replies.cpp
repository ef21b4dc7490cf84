// Fuzz target: the monitor's reply decoders and one polling cycle with a channel read, on
// arbitrary instrument bytes. The input is split at newlines into the replies given in turn.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "MonitorPoller.h"
#include "MonitorSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  FUZZ_CHECK(cv::settings::LevelText(input).size() <= 64 && cv::settings::BerText(input).size() <= 64);
  char units = 0;
  cv::settings::MeasureName(size ? input[0] : '0', units);
  cv::settings::UnitsName(units);
  cv::settings::StdIndex(input);

  cvfuzz::ReplyLink replies(cvfuzz::Lines(input));
  cv::settings::TMonitorPoller poller(replies.Make());
  cv::settings::MonitorMeasurement record;
  poller.channelMode = true;
  if (poller.Cycle(record)) {
    FUZZ_CHECK(record.standard >= 0 && record.standard <= 12);
    cv::settings::DisplayLines(record, poller.channelMode);
  }
  poller.StepChannel(size % 2 == 0);
  poller.SendFrequency(replies.replies.back(), nullptr);
  poller.StepFrequency(replies.replies.front(), true);
  return 0;
}
