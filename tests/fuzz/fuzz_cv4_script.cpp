// The PRO script engine in the CORVANE-4 dialect, input laid out as for fuzz_script: the script,
// then a line "%%" and one reply line per exchange ("!" fails it).
#include "Cv4Dialect.h"
#include "ScriptSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::RunScriptInput(data, size, cv::cv4::Dialect());
  return 0;
}
