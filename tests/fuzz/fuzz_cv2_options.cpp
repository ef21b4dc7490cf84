// Fuzz target: the CORVANE-2 configuration: the DV-800's sixteen records read from the meter's
// configuration memory, the version in the CORVANE-4's fixed form, no rotary selector byte, and
// the report its Save writes. The input is split at newlines into the replies the meter gives, in
// turn, to the version query and every record's register queries. The report opens with the
// family's own first line, holds each option line as one line of the file, and closes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Cv2Options.h"
#include "FuzzSupport.h"
#include "OptionRecords.h"
#include "SettingsFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  cvfuzz::OptionReplyLink meter(input);
  const cv::settings::TOptionFamily& family = cv::cv2::Cv2OptionFamily();
  cv::settings::TOptionReader reader(meter.Link(), family);
  FUZZ_CHECK(reader.options.size() == 16);
  reader.AskVersion();
  FUZZ_CHECK(reader.versionText.empty() || (reader.versionText.compare(0, 2, " v") == 0 && reader.versionText.size() <= 10));
  reader.ReadOptions();
  for (const std::string& command : meter.sent) FUZZ_CHECK(command.size() <= 14);
  FUZZ_CHECK(reader.lines.size() <= reader.options.size());

  const std::string text = cv::settings::ConfigurationFileText(reader.lines, "1/1/2026", "0:00", family.identityLines,
                                                               family.closeEmptyReport, family.reportFirstLine);
  FUZZ_CHECK(text.rfind(cv::cv2::kReportFirstLine2, 0) == 0);
  const std::string end = "#\n#End of equipment configuration\n";
  FUZZ_CHECK(text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0);
  // Between the five lines of the head and the end: the option lines, one to a line of the file,
  // and the note when the meter named nothing but itself.
  std::vector<std::string> fileLines = cvfuzz::Lines(text);
  FUZZ_CHECK(fileLines.size() >= 5 + 2);
  std::vector<std::string> body(fileLines.begin() + 5, fileLines.end() - 2);
  std::vector<std::string> expected = reader.lines;
  if (reader.lines.size() <= family.identityLines) expected.push_back("No options detected");
  FUZZ_CHECK(body == expected);
  return 0;
}
