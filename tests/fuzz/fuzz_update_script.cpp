// Fuzz target: the check that a PRO script is a firmware update script, on arbitrary file bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "UpdateScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = cvfuzz::Text(data, size);
  std::string file;
  if (cv::settings::FindUpdateLine(text, file)) {
    FUZZ_CHECK(file.size() >= 5 && file.compare(file.size() - 4, 4, ".UPD") == 0 && file[0] == ' ');
    FUZZ_CHECK(file.size() <= 254);
  }
  return 0;
}
