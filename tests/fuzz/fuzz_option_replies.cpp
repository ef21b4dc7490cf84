// Fuzz target: the configuration dialog's reading of the instrument's configuration memory. The
// input is split at newlines into the replies the instrument gives, in turn, to the version query,
// the rotary byte and every option record's register queries; the option lines and the save file
// are built from them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "OptionRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  std::vector<std::string> replies = cvfuzz::Lines(input);
  if (replies.empty()) replies.push_back("");
  size_t next = 0;
  cv::settings::Link link;
  link.send = [&](const std::string&) { return next % 2 == 0; };
  link.query = [&](const std::string&, std::string& reply) {
    if (next >= replies.size()) return reply.clear(), false;
    reply = replies[next++];
    return !reply.empty() || next % 3 != 0;
  };
  link.log = [](const std::string&) {};
  cv::settings::TOptionReader reader(link);
  int ccw = -1;
  reader.AskVersion();
  reader.AskRotary(&ccw);
  reader.ReadOptions();
  reader.ChangeRotary(true, &ccw);
  FUZZ_CHECK(reader.lines.size() <= reader.options.size());
  for (const std::string& line : reader.lines)
    FUZZ_CHECK(line.size() <= 5 + 2 * 255 + 300);
  const std::string text = cv::settings::ConfigurationFileText(reader.lines, "1/1/2026", "0:00");
  FUZZ_CHECK(!text.empty());
  return 0;
}
