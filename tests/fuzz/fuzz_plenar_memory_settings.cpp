// Fuzz target: the CORVANE-PLENAR memory settings dialog over a memory the meter sent (an XSR
// record of any of the sixteen measures). The first line is the record; every further line is one
// user action (cvfuzz::MemoryDataAct). Whatever the memory and the actions, a memory that opened
// keeps a frequency of its band, every typed field inside its range, a plan of 0 to 63 unless it
// came with another, and goes back with units and its DiSEqC setting untouched.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "MemorySupport.h"
#include "PlenMemoryCodec.h"
#include "PlenMemoryData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  if (lines.empty()) return 0;
  cv::plenar::PlenMemoryCodec codec;
  MemoryRecord record = codec.Cleared();
  codec.Decode(lines[0], record);
  MemoryRecord back;
  const bool opened = cvfuzz::RunMemorySettings(
      lines, record, cv::plenar::PlenMemoryData(),
      [&record](const MemoryRecord& w) {
        FUZZ_CHECK(w.band == 'S' ? w.freq >= 900.0f && w.freq <= 2150.0f : w.freq >= 5.0f && w.freq <= 862.0f);
        FUZZ_CHECK((w.nPlan >= 0 && w.nPlan <= 63) || w.nPlan == record.nPlan);
      },
      back);
  if (opened) FUZZ_CHECK(back.diseqC == record.diseqC);
  return 0;
}
