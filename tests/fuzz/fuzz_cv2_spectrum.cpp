// Fuzz target: a CORVANE-2 spectrum run on the family's record (45-862 MHz and 900-2150 MHz, a
// step that crosses 862 MHz jumps the gap) over typed settings and replies from the input
// (SpectrumSupport.h): no tuning in the gap, and a logger file with a level under every frequency
// of its heading.
#include "Cv2Spectrum.h"
#include "SpectrumSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::RunSweep(cvfuzz::Text(data, size), cv::cv2::Cv2SpectrumProfile());
  return 0;
}
