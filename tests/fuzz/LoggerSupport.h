#pragma once
// One meter reply fed to every data-logger decoder on a family's table, as memory record, status,
// test-point status, value of every measurement type and units, and time stamp, with the limits
// each promises. `cell` sees every value's cell text for the target's own checks.
#include <functional>
#include <string>

#include "FuzzSupport.h"
#include "LoggerRecords.h"

namespace cvfuzz {

inline void FeedLoggerReply(const std::string& reply, const cv::logger::TLoggerFamily& family,
                            const std::function<void(int measure, const std::string& cell)>& cell = {}) {
  cv::logger::MemoryTable memories;
  const bool parsed = cv::logger::ParseMemoryReply(reply, memories, [](const std::string&) {}, family);
  FUZZ_CHECK(!parsed || reply.size() >= family.minMemoryReply);
  cv::logger::TLoggerMemory memory = memories[0];
  cv::logger::ParseMemoryStatus(reply, memory);
  cv::logger::ParseTPStatus(reply);
  for (int measure = 0; measure <= 8; ++measure) {
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
