// Fuzz target: the PRO script engine in the CORVANE-PLENAR dialect, as the family's firmware update
// runs it, with the file its SENDHEX statements name written from the input (ScriptSupport.h:
// the script, "%%", the file, "%%", one reply line per exchange): nothing longer than one command
// carries ever goes out.
#include "PlenDialect.h"
#include "ScriptSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::RunUpdateScriptInput(data, size, cv::plenar::Dialect());
  return 0;
}
