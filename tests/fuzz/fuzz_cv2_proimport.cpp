// The CORVANE-2 plan script reader: a script's plans decoded as the editor's Read does (the
// family's dialect with the C-band CHAN3S, the 44-row table and its 88 command words, a quiet
// prompter answering the DIRECTORY4 question). Plans read are written again by the family's
// writer and must read back alike, each satellite channel on its own PLL word, a C-band downlink included.
#include "Cv2Dialect.h"
#include "Cv2PlanFamily.h"
#include "PlanSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::CheckScriptRoundTrip(cvfuzz::Text(data, size), cv::cv2::Dialect(), "CORVANE-2", cv::cv2::Cv2PlanFamily(),
                               [](char band, const TChan3& a, const TChan3& b) { return band != 'S' || a.word == b.word; });
  return 0;
}
