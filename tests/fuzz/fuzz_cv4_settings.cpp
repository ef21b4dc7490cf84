// Fuzz target: the CORVANE-4 firmware update's script check and the CORVANE-4 monitor's polling
// and retuning, on arbitrary bytes. The input up to a line "--" is the script; the rest is split
// at newlines into the meter's replies given in turn, its first line also typed into the
// frequency edit and its last one arrowed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Monidlg4.h"
#include "MonitorPoller.h"
#include "MonitorSupport.h"
#include "SettingsLink.h"
#include "UpdateScript.h"
#include "Updatedlg4.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto [script, rest] = cvfuzz::SplitAtLine(cvfuzz::Text(data, size), "--");
  std::string file;
  if (cv::settings::FindUpdateLine(script, file, cv::cv4::kScriptLinePiece4)) {
    FUZZ_CHECK(file.size() >= 5 && file.size() <= cv::cv4::kScriptLinePiece4 && file[0] == ' ');
    FUZZ_CHECK(cv::settings::Upper(file.substr(file.size() - 4)) == ".UPD");
  }

  const cv::settings::MonitorProfile& profile = cv::cv4::Monitor4Profile();
  cvfuzz::ReplyLink replies(cvfuzz::Lines(rest));
  // Model variant 4: the family refuses no model a range.
  cv::settings::TMonitorPoller poller(replies.Make(4), profile);
  cv::settings::MonitorMeasurement record;
  poller.channelMode = size % 3 == 0;
  if (poller.Cycle(record)) {
    FUZZ_CHECK(record.standard >= 0 && record.standard < static_cast<int>(profile.standards.size()));
    FUZZ_CHECK(profile.FrequencyText(record.mhz).size() >= 6);
  }
  poller.SendFrequency(replies.replies.front(), nullptr);
  poller.StepFrequency(replies.replies.back(), size % 2 == 0);
  // Only frequencies of the two ranges are tuned (1500 MHz for an empty edit).
  for (float f : replies.tuned) FUZZ_CHECK(profile.FrequencyAllowed(f, 4) || f == 1500.0f);
  return 0;
}
