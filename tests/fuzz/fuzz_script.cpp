// The PRO script engine over a script, with the instrument's replies taken from the input: the
// script comes first, then a line "%%" and one reply line per exchange ("!" fails it). Every
// statement runs against the fake line; no port, no real wait.
#include "ScriptSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::RunScriptInput(data, size, cv::script::Corvane3Dialect());
  return 0;
}
