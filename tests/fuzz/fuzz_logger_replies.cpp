// Fuzz target: the data logger's reply decoders ("*?SR", "*?DSM", "*?DST", "*?TP" time stamps,
// "*?DL") and the register-text and BER-word helpers, on arbitrary instrument bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "LoggerRecords.h"
#include "NumFormat.h"
#include "Pll.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  cv::logger::MemoryTable memories;
  size_t logged = 0;
  cv::logger::ParseMemoryReply(reply, memories, [&](const std::string& line) { logged += line.size(); });
  cv::logger::TLoggerMemory memory = memories[0];
  cv::logger::ParseMemoryStatus(reply, memory);
  cv::logger::ParseTPStatus(reply);
  for (int measure : {0, 2, 3, 4, 6, static_cast<int>(memory.measure)}) {
    memory.measure = static_cast<uint8_t>(measure);
    for (int units : {0, 1, 2, 5, static_cast<int>(memory.units)}) {
      memory.units = static_cast<uint8_t>(units);
      const std::string cell = cv::logger::ParseDataReply(memory, reply, ',');
      if (cell.size() > static_cast<size_t>(cv::logger::kCellLength)) __builtin_trap();
    }
  }
  std::string time, day;
  cv::logger::SplitTimeStamp(reply, time, day);
  if (time.size() + day.size() > reply.size()) __builtin_trap();
  const std::string text = cv::DecodeHexText(reply);
  if (text.size() * 2 > reply.size()) __builtin_trap();
  for (size_t i = 0; i + 1 < size; i += 2) cv::DecodeBerWord(static_cast<uint32_t>(data[i]) << 8 | data[i + 1]);
  return 0;
}
