// Fuzz target: the CORVANE-2 memory settings dialog over a memory the meter sent. The first line
// is the record; every further line is one user action (cvfuzz::MemoryDataAct). Whatever the
// memory and the actions, a memory that opened keeps a frequency of its band (terrestrial 45 to
// 862 MHz, satellite 900 to 2150), a C/N reference of either band when it changed, every typed
// field inside its range, and goes back with units and its frame untouched.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Cv2MemoryCodec.h"
#include "Cv2MemoryData.h"
#include "FuzzSupport.h"
#include "MemorySupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  if (lines.empty()) return 0;
  cv::cv2::Cv2MemoryCodec codec([](cv::cv2::InstalledOptions&) { return false; });
  MemoryRecord record = codec.Cleared();
  codec.Decode(lines[0], record);
  MemoryRecord back;
  const bool opened = cvfuzz::RunMemorySettings(
      lines, record, cv::cv2::Cv2MemoryData(),
      [&record](const MemoryRecord& w) {
        FUZZ_CHECK(w.band == 'S' ? w.freq >= 900.0f && w.freq <= 2150.0f : w.freq >= 45.0f && w.freq <= 862.0f);
        FUZZ_CHECK(w.cnRefFreq == record.cnRefFreq || (w.cnRefFreq >= 45.0f && w.cnRefFreq <= 2150.0f));
      },
      back);
  if (opened) FUZZ_CHECK(back.frame == record.frame);
  return 0;
}
