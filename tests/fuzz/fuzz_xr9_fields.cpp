// Fuzz target: texts typed into the TV MIRELTO plan editor's number fields. Whatever is typed,
// each reading stays inside its range, and a terrestrial channel's values keep their spacing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Xr9Fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using namespace cv::xr9;
  const int32_t bw = ClampBandwidth(FieldKhz(text));
  const int32_t sr = ClampSymbolRate(FieldInteger(text));
  const int32_t srWhole = ClampSymbolRate(FieldWhole(text));
  const int32_t offset = ClampFrequencyOffset(FieldInteger(text));
  const int32_t spacing = ClampChannelSpacing(FieldKhz(text));
  const uint32_t ter = ClampChannelFrequency(FieldKhz(text), 7);
  const uint32_t sat = ClampChannelFrequency(FieldKhz(text), 5);
  if (bw < 200 || bw > 80000 || sr < 500 || sr > 75000 || srWhole < 500 || srWhole > 75000 ||
      offset < -20000000 || offset > 20000000 || spacing < 1500 || spacing > 10000 || ter < 5000 || ter > 950000 ||
      sat < 950000 || sat > 15000000)
    std::abort();
  TChanXR9 c;
  SetChannelFrequency(c, 7, size % 2 == 1, ter, spacing);
  // An odd spacing loses its half kHz to the integer part.
  if (std::llabs(ChannelSpacingKhz(c) - spacing) > 1) std::abort();
  return 0;
}
