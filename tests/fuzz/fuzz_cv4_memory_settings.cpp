// Fuzz target: the CORVANE-4 memory settings dialog over a memory the meter sent. The first line
// is the record (SR or XSR, by its length); every further line is one user action: its first
// character picks the control, the rest is the text typed or, for a list, the entry's index.
// Whatever the memory and the actions, a memory that opened keeps a frequency of its band, every
// typed field inside its range, and goes back with no empty units.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Cv4MemoryCodec.h"
#include "Cv4MemoryData.h"
#include "FuzzSupport.h"
#include "MemoryData.h"
#include "MemorySupport.h"

using cv::cv4::Cv4MemoryCodec;

namespace {

bool TerOk(float f) { return f >= 5.0f && f <= 862.0f; }
bool SatOk(float f) { return f >= 900.0f && f <= 2150.0f; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  if (lines.empty()) return 0;
  const Cv4MemoryCodec::Form form =
      lines[0].size() == Cv4MemoryCodec::kXsrLength ? Cv4MemoryCodec::Form::XSR : Cv4MemoryCodec::Form::SR;
  MemoryRecord record = Cv4MemoryCodec("Cv4Tools 1.16").Cleared();
  Cv4MemoryCodec::DecodeForm(form, lines[0], record);
  cvfuzz::OfflineMemoryEquipment equip;
  cvfuzz::NoDataView view;
  cvfuzz::QuietPrompter prompter;
  cv::mem::MemoryData m(equip, prompter, view, cv::cv4::Cv4MemoryData());
  if (!m.OpenRecord(record)) return 0;
  const float symRate = static_cast<float>(record.symRate);
  for (size_t i = 1; i < lines.size() && i < 64; ++i) {
    if (lines[i].empty()) continue;
    cvfuzz::MemoryDataAct(m, lines[i][0], lines[i].substr(1));
    const MemoryRecord& w = m.w.r;
    FUZZ_CHECK(w.band == 'S' ? SatOk(w.freq) : TerOk(w.freq));
    FUZZ_CHECK(w.label[4] == 0);
    FUZZ_CHECK(w.bw >= 0.1f && w.bw <= 81.91f);
    FUZZ_CHECK(w.lnbOsc >= 0 && w.lnbOsc <= 52428.7f);
    FUZZ_CHECK(w.soundFreq == 0 || w.soundFreq == record.soundFreq || (w.soundFreq >= 4.0f && w.soundFreq <= 9.0f));
    FUZZ_CHECK(!(w.meas == '4' || w.meas == '5') || (w.symRate >= 1000 && w.symRate <= 45000) ||
               static_cast<float>(w.symRate) == symRate);
    FUZZ_CHECK(m.layoutMode >= 0 && m.layoutMode <= 4);
  }
  MemoryRecord back = record;
  m.StoreRecord(back);
  FUZZ_CHECK(back.units != 0);
  FUZZ_CHECK(back.diseqC == record.diseqC && back.frame == record.frame);
  return 0;
}
