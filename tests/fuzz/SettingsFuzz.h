#pragma once
// What the fuzz targets of a family's configuration and data logger run on the family's tables:
// the option reader answered by the input's lines in turn, and the logger's reply decoders on one
// reply. Each checks the limits the reader and the decoders promise.
#include <functional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "LoggerRecords.h"
#include "OptionRecords.h"
#include "SettingsLink.h"

namespace cvfuzz {

// The meter of the configuration targets: the input's lines are its replies, in turn; a send is
// acknowledged or refused by turns, and an empty reply every third query counts as none. Every
// command sent is kept.
struct OptionReplyLink {
  explicit OptionReplyLink(const std::string& input) : replies(Lines(input)) {
    if (replies.empty()) replies.push_back("");
  }
  cv::settings::Link Link() {
    cv::settings::Link link;
    link.send = [this](const std::string& command) {
      sent.push_back(command);
      return next % 2 == 0;
    };
    link.query = [this](const std::string& command, std::string& reply) {
      sent.push_back(command);
      if (next >= replies.size()) return reply.clear(), false;
      reply = replies[next++];
      return !reply.empty() || next % 3 != 0;
    };
    link.log = [](const std::string&) {};
    return link;
  }
  std::vector<std::string> replies;
  size_t next = 0;
  std::vector<std::string> sent;
};

// The replies go, in turn, to the version query, the rotary byte and every record's register
// queries; the option lines and the save file are built from them.
inline void ReadOptions(const std::string& input, const cv::settings::TOptionFamily& family) {
  OptionReplyLink meter(input);
  cv::settings::TOptionReader reader(meter.Link(), family);
  FUZZ_CHECK(reader.options.size() == family.records.size());
  int ccw = -1;
  reader.AskVersion();
  FUZZ_CHECK(reader.versionText.empty() || reader.versionText.size() <= 2 + 8);
  reader.AskRotary(&ccw);
  reader.ReadOptions();
  reader.ChangeRotary(true, &ccw);
  for (const std::string& command : meter.sent) FUZZ_CHECK(command.size() <= 14);
  FUZZ_CHECK(reader.lines.size() <= reader.options.size());
  for (const std::string& line : reader.lines) FUZZ_CHECK(line.size() <= 5 + 2 * 255 + 300);
  for (size_t i = 0; i < reader.lines.size() && i < family.LabelLines(); ++i)
    FUZZ_CHECK(reader.lines[i].empty() || reader.lines[i][0] != ' ');
  const std::string text = cv::settings::ConfigurationFileText(reader.lines, "1/1/2026", "0:00", family.identityLines);
  FUZZ_CHECK(!text.empty());
  if (reader.lines.size() <= family.identityLines) FUZZ_CHECK(text.find("No options detected") != std::string::npos);
}

// `reply` as a "*?SR" memory record, a selection flag, a test point's time stamp and a "*?DL"
// value of every measure code up to `measures` in every units code. `cell` sees every value's cell
// text for the target's own checks.
inline void DecodeLoggerReply(const std::string& reply, const cv::logger::TLoggerFamily& family, int measures,
                              const std::function<void(int measure, const std::string& cell)>& cell = {}) {
  cv::logger::MemoryTable memories;
  const bool parsed = cv::logger::ParseMemoryReply(reply, memories, [](const std::string&) {}, family);
  FUZZ_CHECK(!parsed || reply.size() >= family.minMemoryReply);
  cv::logger::TLoggerMemory memory = memories[0];
  cv::logger::ParseMemoryStatus(reply, memory);
  cv::logger::ParseTPStatus(reply);
  for (int measure = 0; measure <= measures; ++measure) {
    memory.measure = static_cast<uint8_t>(measure);
    for (int units : {0, 1, 2, 3, 5, 9}) {
      memory.units = static_cast<uint8_t>(units);
      const std::string text = cv::logger::ParseDataReply(memory, reply, ',', family);
      FUZZ_CHECK(text.size() <= 15);
      if (cell) cell(measure, text);
      FUZZ_CHECK(std::string(cv::logger::UnitName(units, measure, family)).size() <= 6);
    }
    FUZZ_CHECK(cv::logger::MeasureName(measure, family) != nullptr);
  }
  std::string time, day;
  cv::logger::SplitTimeStamp(reply.substr(0, 19), time, day);
  FUZZ_CHECK(time.size() + day.size() <= 19);
}

}  // namespace cvfuzz
