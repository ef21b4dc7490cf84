// Fuzz target: the DV-800 memory settings dialog over a memory the meter sent. The first line is
// the record; every further line is one user action (cvfuzz::MemoryDataAct). Whatever the memory
// and the actions, a memory that opened stays terrestrial inside 5..862 MHz, in a terrestrial
// layout, with no units of dBmV it did not have, its modulation untouched, and goes back with no
// empty units.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Dv8MemoryCodec.h"
#include "Dv8MemoryData.h"
#include "FuzzSupport.h"
#include "MemoryData.h"
#include "MemorySupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  if (lines.empty()) return 0;
  cv::dv8::Dv8MemoryCodec codec;
  MemoryRecord record = codec.Cleared();
  codec.Decode(lines[0], record);
  cvfuzz::OfflineMemoryEquipment equip;
  cvfuzz::NoDataView view;
  cvfuzz::QuietPrompter prompter;
  cv::mem::MemoryData m(equip, prompter, view, cv::dv8::Dv8MemoryData());
  if (!m.OpenRecord(record)) return 0;
  FUZZ_CHECK(record.band != 'S');
  for (size_t i = 1; i < lines.size() && i < 64; ++i) {
    if (lines[i].empty()) continue;
    cvfuzz::MemoryDataAct(m, lines[i][0], lines[i].substr(1));
    const MemoryRecord& w = m.w.r;
    FUZZ_CHECK(w.band != 'S');
    FUZZ_CHECK(w.freq >= 5.0f && w.freq <= 862.0f);
    FUZZ_CHECK(w.label[4] == 0);
    FUZZ_CHECK(w.units != '1' || record.units == '1');
    FUZZ_CHECK(w.modulation == record.modulation);
    FUZZ_CHECK(w.cnRefFreq == record.cnRefFreq || (w.cnRefFreq >= 5.0f && w.cnRefFreq <= 862.0f));
    FUZZ_CHECK(m.layoutMode == 0 || m.layoutMode == 1 || m.layoutMode == 4);
  }
  MemoryRecord back = record;
  m.StoreRecord(back);
  FUZZ_CHECK(back.units != 0);
  FUZZ_CHECK(back.frame == record.frame);
  return 0;
}
