// Fuzz target: the check that a PRO script is a firmware update script, on arbitrary file bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "UpdateScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string file;
  if (cv::settings::FindUpdateLine(text, file)) {
    if (file.size() < 5 || file.compare(file.size() - 4, 4, ".UPD") != 0 || file[0] != ' ') __builtin_trap();
    if (file.size() > 254) __builtin_trap();
  }
  return 0;
}
