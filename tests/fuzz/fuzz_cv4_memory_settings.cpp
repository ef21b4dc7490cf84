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
  MemoryRecord back;
  const bool opened = cvfuzz::RunMemorySettings(
      lines, record, cv::cv4::Cv4MemoryData(),
      [](const MemoryRecord& w) { FUZZ_CHECK(w.band == 'S' ? SatOk(w.freq) : TerOk(w.freq)); }, back);
  if (opened) FUZZ_CHECK(back.diseqC == record.diseqC && back.frame == record.frame);
  return 0;
}
