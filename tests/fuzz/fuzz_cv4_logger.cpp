// Fuzz target: the CORVANE-4 data logger's reply decoders on the family's table ("*?SR" of 43
// characters, "*?DSM", "*?DST", "*?TP" time stamps, "*?DL" of every measurement type and units)
// and the result sheet's serial number from "*?I20A01F00010", on arbitrary meter bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Cv4Logger.h"
#include "FuzzSupport.h"
#include "LoggerRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const cv::logger::TLoggerFamily& family = cv::cv4::Cv4LoggerFamily();
  cv::logger::MemoryTable memories;
  const bool parsed = cv::logger::ParseMemoryReply(reply, memories, [](const std::string&) {}, family);
  FUZZ_CHECK(!parsed || reply.size() >= 43);
  cv::logger::TLoggerMemory memory = memories[0];
  cv::logger::ParseMemoryStatus(reply, memory);
  cv::logger::ParseTPStatus(reply);
  for (int measure = 0; measure <= 8; ++measure) {
    memory.measure = static_cast<uint8_t>(measure);
    for (int units : {0, 1, 2, 3, 5, 9}) {
      memory.units = static_cast<uint8_t>(units);
      FUZZ_CHECK(cv::logger::ParseDataReply(memory, reply, ',', family).size() <= 15);
      FUZZ_CHECK(std::string(cv::logger::UnitName(units, measure, family)).size() <= 6);
    }
    FUZZ_CHECK(cv::logger::MeasureName(measure, family) != nullptr);
  }
  std::string time, day;
  cv::logger::SplitTimeStamp(reply.substr(0, 19), time, day);
  FUZZ_CHECK(time.size() + day.size() <= 19);
  FUZZ_CHECK(cv::cv4::SerialFromReply(reply).size() <= 16);
  return 0;
}
