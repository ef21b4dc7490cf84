// Fuzz target: the DV-800 configuration's reading of the meter's configuration memory on its
// sixteen records. The input is split at newlines into the replies the meter gives, in turn, to
// the version query, the rotary byte and every record's register queries, then to a rotary change
// in each direction; the option lines and the save file are built from them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Dv8Options.h"
#include "FuzzSupport.h"
#include "OptionRecords.h"
#include "SettingsFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  cvfuzz::OptionReplyLink meter(input);
  const cv::settings::TOptionFamily& family = cv::dv8::Dv8OptionFamily();
  cv::settings::TOptionReader reader(meter.Link(), family);
  FUZZ_CHECK(reader.options.size() == 16);
  reader.AskVersion();
  FUZZ_CHECK(reader.versionText.empty() || reader.versionText.compare(0, 2, " v") == 0);
  int ccw = -1;
  reader.AskRotary(&ccw);
  reader.ReadOptions();
  for (bool toCcw : {true, false}) {
    ccw = -1;
    // A change is confirmed only by a read-back the meter answered with the direction asked.
    if (reader.ChangeRotary(toCcw, &ccw) == cv::settings::TOptionReader::RotaryChange::Confirmed)
      FUZZ_CHECK(ccw == (toCcw ? 1 : 0));
  }
  for (const std::string& command : meter.sent) FUZZ_CHECK(command.size() <= 14);
  FUZZ_CHECK(reader.lines.size() <= reader.options.size());
  const std::string text = cv::settings::ConfigurationFileText(reader.lines, "1/1/2026", "0:00", family.identityLines,
                                                               family.closeEmptyReport);
  FUZZ_CHECK(text.find("#End of equipment configuration") != std::string::npos);
  return 0;
}
