// Fuzz target: a "*SR" reply from the instrument, decoded into a memory, reported and encoded back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "MemoryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  MemoryRecord record;
  cv::mem::DecodedMemory d = cv::mem::DecodeMemoryRecord(reply, record);
  if (!d.complete) {
    if (reply.size() >= 38 || !(record == MemoryRecord{})) std::abort();
    return 0;
  }
  if (cv::mem::MemoryErrorLines(d.errors, record, d.index).empty()) std::abort();
  const std::string text = cv::mem::EncodeMemoryRecord(record);
  // A record that passed every check encodes to a record the instrument takes. The plan code and
  // the label have no check of their own: unreadable code digits leave -1 and a NUL in the label
  // ends the text, which the length check then stops.
  const bool unchecked = record.codePlan >= 0 && record.codePlan <= 255 && strnlen(record.label, 4) == 4;
  if (d.errors.none() && unchecked && !cv::mem::MemoryRecordSendable(text, record.meas)) std::abort();
  return 0;
}
