// Fuzz target: the configuration dialog's reading of the instrument's configuration memory. The
// input is split at newlines into the replies the instrument gives, in turn, to the version query,
// the rotary byte and every option record's register queries; the option lines and the save file
// are built from them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "OptionRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> replies;
  for (size_t from = 0;;) {
    const size_t end = input.find('\n', from);
    replies.push_back(input.substr(from, end == std::string::npos ? std::string::npos : end - from));
    if (end == std::string::npos) break;
    from = end + 1;
  }
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
  if (reader.lines.size() > reader.options.size()) __builtin_trap();
  for (const std::string& line : reader.lines)
    if (line.size() > 5 + 2 * 255 + 300) __builtin_trap();
  const std::string text = cv::settings::ConfigurationFileText(reader.lines, "1/1/2026", "0:00");
  if (text.empty()) __builtin_trap();
  return 0;
}
