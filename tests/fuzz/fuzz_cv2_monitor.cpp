// Fuzz target: the CORVANE-2 monitor, the only monitor with a satellite band, on arbitrary meter
// bytes and typed frequencies. The input's lines are the replies of one polling cycle in channel
// mode and one in frequency mode, given in turn; each line is also typed into the frequency edit,
// sent and stepped both ways from. Nothing is ever tuned outside the family's two bands, and the
// display keeps to its items and lengths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Cv2Monitor.h"
#include "FuzzSupport.h"
#include "MonitorFuzzLink.h"
#include "MonitorPoller.h"

namespace {

const cv::cv2::Cv2MonitorProfile& profile = cv::cv2::Cv2MonitorValues();

bool InABand(float mhz) {
  // The tuning word carries the frequency to a few hundredths of a megahertz.
  const double slack = 0.001;
  return (mhz >= profile.terrestrialStart - slack && mhz <= profile.terrestrialEnd + slack) ||
         (mhz >= profile.satelliteStart - slack && mhz <= profile.satelliteEnd + slack);
}

void CheckTuned(const cvfuzz::MonitorReplies& line) { FUZZ_CHECK(line.tuned < 0 || InABand(line.tuned)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> replies;
  for (const std::string& r : cvfuzz::Lines(cvfuzz::Text(data, size))) replies.push_back(r.substr(0, 255));
  cvfuzz::MonitorReplies line{replies};
  cv::settings::Link link = line.Link();
  cv::settings::TMonitorPoller poller(link, profile);
  for (bool channelMode : {true, false}) {
    poller.channelMode = channelMode;
    cv::settings::MonitorMeasurement record;
    if (poller.Cycle(record)) {
      FUZZ_CHECK(record.standard >= 0 && record.standard < static_cast<int>(profile.standards.size()));
      FUZZ_CHECK(record.channel.size() <= cv::dv8::Dv8MonitorProfile::kChannelTextLength);
      const int item = profile.MeasureItem(record.measureType);
      FUZZ_CHECK(item >= -1 && item < static_cast<int>(profile.measureCodes.size()));
      for (const std::string& text : cv::settings::DisplayLines(record, channelMode, profile))
        FUZZ_CHECK(text.size() <= 300);
    }
  }
  poller.StepChannel(size % 2 == 0);
  CheckTuned(line);
  for (const std::string& typed : replies) {
    bool refused = false;
    poller.SendFrequency(typed, &refused);
    CheckTuned(line);
    poller.StepFrequency(typed, true);
    CheckTuned(line);
    poller.StepFrequency(typed, false);
    CheckTuned(line);
  }
  return 0;
}
