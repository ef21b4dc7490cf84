// Fuzz target: texts typed into the memory settings dialog's edits. The first byte picks the edit;
// the rest is the text. Whatever is typed, each field keeps a value inside its range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "MemoryData.h"
#include "MemorySupport.h"

namespace {

bool FreqOk(float f) { return (f >= 5.0f && f <= 862.0f) || (f >= 862.1f && f <= 2150.0f); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  cvfuzz::OfflineMemoryEquipment equip;
  cvfuzz::NoDataView view;
  cvfuzz::QuietPrompter prompter;
  cv::mem::MemoryData m(equip, prompter, view);
  MemoryRecord r;
  r.number = 1;
  r.label[0] = r.label[1] = r.label[2] = r.label[3] = 'A';
  r.band = 'T';
  r.color = '0';
  r.std = '0';
  r.freq = 471.25f;
  r.chFr = '1';
  r.units = '0';
  r.lnbSup = '0';
  r.meas = data[0] & 0x10 ? '5' : '7';
  r.sound = '4';
  r.soundFreq = 5.5f;
  r.bw = 8;
  r.symRate = 6875;
  r.cnRefFreq = 100;
  if (!m.OpenRecord(r)) std::abort();
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 7) {
    case 0: m.EvNameChange(text); break;
    case 1: m.EvFreqChange(text); break;
    case 2: m.EvFreqSoChange(text); break;
    case 3: m.EvChBWChange(text); break;
    case 4: m.EvLNBOscChange(text); break;
    case 5: m.EvSymRateChange(text); break;
    default: m.NoiseChange(text);
  }
  const MemoryRecord& w = m.w.r;
  if (!FreqOk(w.freq) || w.label[4] != 0) std::abort();
  if (w.soundFreq < 4.0f || w.soundFreq > 9.0f) std::abort();
  if (w.bw < 0.1f || w.bw > 81.91f || w.lnbOsc < 0 || w.lnbOsc > 52428.7f) std::abort();
  if (w.symRate < 1000 || w.symRate > 45000) std::abort();
  if (w.meas == '7' && !FreqOk(w.cnRefFreq)) std::abort();
  return 0;
}
