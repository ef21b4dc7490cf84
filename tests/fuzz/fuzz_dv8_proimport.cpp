// The DV-800 plan script reader: a script's plans decoded as the editor's Read does (the DV-800
// dialect and command table, a quiet prompter answering the DIRECTORY4 question). Plans read are
// written again by the DV-800 writer and must read back alike: names, bands, codes and commands.
#include "Dv8Dialect.h"
#include "Dv8PlanScript.h"
#include "PlanSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::CheckScriptRoundTrip(cvfuzz::Text(data, size), cv::dv8::Dialect(), "DV-800", cv::dv8::Dv8PlanFamily());
  return 0;
}
