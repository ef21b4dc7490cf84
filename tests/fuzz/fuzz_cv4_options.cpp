// Fuzz target: the CORVANE-4 configuration's reading of the meter's configuration memory on its
// twenty records. The input is split at newlines into the replies the meter gives, in turn, to
// the version query, the rotary byte and every record's register queries; the option lines and
// the save file are built from them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Cv4Options.h"
#include "FuzzSupport.h"
#include "OptionRecords.h"
#include "OptionSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  cvfuzz::OptionReplyLink meter(input);
  const cv::settings::TOptionFamily& family = cv::cv4::Cv4OptionFamily();
  cv::settings::TOptionReader reader(meter.Link(), family);
  FUZZ_CHECK(reader.options.size() == 20);
  int ccw = -1;
  reader.AskVersion();
  FUZZ_CHECK(reader.versionText.empty() || reader.versionText.size() <= 2 + 8);
  reader.AskRotary(&ccw);
  reader.ReadOptions();
  reader.ChangeRotary(true, &ccw);
  for (const std::string& command : meter.sent) FUZZ_CHECK(command.size() <= 14);
  FUZZ_CHECK(reader.lines.size() <= reader.options.size());
  for (const std::string& line : reader.lines) FUZZ_CHECK(line.size() <= 5 + 2 * 255 + 300);
  const std::string text = cv::settings::ConfigurationFileText(reader.lines, "1/1/2026", "0:00", family.identityLines);
  FUZZ_CHECK(!text.empty());
  if (reader.lines.size() <= family.identityLines) FUZZ_CHECK(text.find("No options detected") != std::string::npos);
  return 0;
}
