// Fuzz target: a DV-800 spectrum run on the family's record (terrestrial only, rows of the run's
// point count) over typed settings and replies from the input (SpectrumSupport.h): every tuning
// in the terrestrial band, and a logger file whose rows keep their promised field count.
#include "Dv8Spectrum.h"
#include "SpectrumSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::RunSweep(cvfuzz::Text(data, size), cv::dv8::Dv8SpectrumProfile());
  return 0;
}
