// Fuzz target: a CORVANE-PLENAR spectrum run in its normal (point by point) sweep on the family's
// record, over typed settings and replies from the input (SpectrumSupport.h), on a meter with and
// without the terrestrial tuner (model variant 4).
#include "SpectrumSupport.h"
#include "Specdlgplen.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TSpectrumProfile profile = cv::plenar::SpectrumPlenProfile();
  const std::string input = cvfuzz::Text(data, size);
  cvfuzz::RunSweep(input, profile, 0);
  cvfuzz::RunSweep(input, profile, 4);
  return 0;
}
